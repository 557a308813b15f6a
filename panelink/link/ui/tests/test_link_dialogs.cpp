// The COM Select and Baud rate dialogs on the offscreen platform: what they list, what the
// buttons, keys and the close box lead to, and that the wait for the radio keeps the window
// alive but locked.
#include "panelink/link/ui/link_choice_dialog.h"

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QComboBox>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

#include <cerrno>
#include <chrono>

#include "panelink/link/ui/tests/link_test_fixture.h"

namespace panelink::testing {
namespace {

using namespace std::chrono_literals;
using platform::WM_APP;

class LinkDialogTest : public LinkTest {
  protected:
    std::size_t closedCount(std::uint32_t id) const { return window_.count(id); }

    // Chooses entry `index` with the keyboard, as a user would.
    static void chooseWithKeys(LinkChoiceDialog& dialog, int index) {
        QComboBox* list = dialog.choiceList();
        list->setFocus();
        while (list->currentIndex() < index)
            QTest::keyClick(list, Qt::Key_Down);
        while (list->currentIndex() > index)
            QTest::keyClick(list, Qt::Key_Up);
    }
};

TEST_F(LinkDialogTest, ListsShowEveryEntryAndPreselectTheCurrentSetting) {
    writePortMap("COM5,/dev/ttyUSB0\n");
    settings_.setPort(5);
    settings_.setBaud(38400);
    {
        ComSelectDialog dialog(services());
        EXPECT_EQ(dialog.windowTitle(), "COM Select");
        QComboBox* list = dialog.choiceList();
        ASSERT_EQ(list->count(), 20);
        EXPECT_EQ(list->itemText(0), "COM1  /dev/ttyS0");
        EXPECT_EQ(list->itemText(4), "COM5  /dev/ttyUSB0");
        EXPECT_EQ(list->itemText(19), "COM20  /dev/ttyS19");
        EXPECT_EQ(list->currentIndex(), 4);
        EXPECT_EQ(dialog.choice().picked(), 0) << "the preselection is not a pick";
    }
    // The port map is read again at each opening.
    writePortMap("COM1,/dev/ttyACM0\n");
    ComSelectDialog again(services());
    EXPECT_EQ(again.choiceList()->itemText(0), "COM1  /dev/ttyACM0");
    EXPECT_EQ(again.choiceList()->itemText(4), "COM5  /dev/ttyS4");

    BaudRateDialog baud(services());
    EXPECT_EQ(baud.windowTitle(), "Baud rate");
    ASSERT_EQ(baud.choiceList()->count(), 4);
    EXPECT_EQ(baud.choiceList()->itemText(0), "4800");
    EXPECT_EQ(baud.choiceList()->currentIndex(), 3);
}

TEST_F(LinkDialogTest, FailedTrialShowsTheMessageAndKeepsTheDialogOpen) {
    writePortMap("COM3,/dev/ttyUSB0\n");
    link_.trialResult = {false, EACCES};
    ComSelectDialog dialog(services());
    dialog.show();
    chooseWithKeys(dialog, 2);
    EXPECT_EQ(dialog.choice().picked(), 3);
    QTest::mouseClick(dialog.okButton(), Qt::LeftButton);

    QMessageBox* box = dialog.failureBox();
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(box->isVisible());
    EXPECT_EQ(box->text(),
              "Failed to open the port.\nNo permission to open /dev/ttyUSB0: is your user in "
              "the dialout group?");
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(settings_.port(), 1);
    EXPECT_EQ(settingsFile(), "");
    EXPECT_EQ(closedCount(WM_APP + 0x58A), 0u);

    // While the message is up a second OK does not stack another one.
    dialog.accept();
    EXPECT_EQ(link_.trials.size(), 1u);

    box->close();
    QTRY_VERIFY(dialog.failureBox() == nullptr);
    EXPECT_TRUE(dialog.isVisible());
}

TEST_F(LinkDialogTest, WaitForAutoInformationLocksTheDialogWithoutBlockingIt) {
    link_.aiOn = 1;
    link_.aiDropsAfter = 4;
    ComSelectDialog dialog(services(), nullptr, 5ms);
    dialog.show();
    chooseWithKeys(dialog, 7);
    QTest::keyClick(dialog.choiceList(), Qt::Key_Return);  // OK is the default button

    EXPECT_TRUE(dialog.choice().waiting());
    EXPECT_FALSE(dialog.okButton()->isEnabled());
    EXPECT_FALSE(dialog.cancelButton()->isEnabled());
    EXPECT_TRUE(dialog.busyNote()->isVisible());
    EXPECT_EQ(dialog.busyNote()->text(), QString::fromUtf8("Switching auto-information off\u2026"));
    // Esc and the close box cannot leave the dialog halfway.
    QTest::keyClick(&dialog, Qt::Key_Escape);
    dialog.close();
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(closedCount(WM_APP + 0x58A), 0u);

    QTRY_VERIFY_WITH_TIMEOUT(!dialog.isVisible(), 5000);
    EXPECT_EQ(link_.requests, std::vector<Request>{Request::SwitchAutoInfo});
    EXPECT_EQ(dialog.choice().autoInfoTests(), 4);
    EXPECT_EQ(link_.closes, 1);
    EXPECT_EQ(settingsFile(), "8,4800,0\n");
    EXPECT_EQ(closedCount(WM_APP + 0x58A), 1u);
    EXPECT_TRUE(dialog.okButton()->isEnabled());
    EXPECT_FALSE(dialog.busyNote()->isVisible());
}

TEST_F(LinkDialogTest, DoubleClickPicksAndConfirms) {
    settings_.setPort(2);
    ComSelectDialog dialog(services());
    dialog.show();
    QComboBox* list = dialog.choiceList();
    emit list->view()->doubleClicked(list->model()->index(2, 0));
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(list->currentIndex(), 2);
    EXPECT_EQ(settings_.port(), 3);
    EXPECT_EQ(settingsFile(), "3,4800,0\n");
    EXPECT_EQ(closedCount(WM_APP + 0x58A), 1u);
}

TEST_F(LinkDialogTest, CancelEscapeAndTheCloseBoxEndWithTheClosedMessageAndChangeNothing) {
    {
        ComSelectDialog dialog(services());
        dialog.show();
        chooseWithKeys(dialog, 5);
        QTest::mouseClick(dialog.cancelButton(), Qt::LeftButton);
        EXPECT_FALSE(dialog.isVisible());
    }
    {
        ComSelectDialog dialog(services());
        dialog.show();
        QTest::keyClick(&dialog, Qt::Key_Escape);
        EXPECT_FALSE(dialog.isVisible());
    }
    {
        BaudRateDialog dialog(services());
        dialog.show();
        chooseWithKeys(dialog, 3);
        dialog.close();
        EXPECT_FALSE(dialog.isVisible());
    }
    EXPECT_EQ(closedCount(WM_APP + 0x58A), 2u);
    EXPECT_EQ(closedCount(WM_APP + 0x58B), 1u);
    EXPECT_EQ(settings_.port(), 1);
    EXPECT_EQ(settings_.baud(), 4800);
    EXPECT_EQ(settingsFile(), "");
    EXPECT_TRUE(link_.trials.empty());
    EXPECT_EQ(link_.closes, 0);
}

}  // namespace
}  // namespace panelink::testing
