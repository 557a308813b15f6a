// The Configuration dialog on the offscreen platform, probing pseudo-terminals as ports.
#include "keyweld/link/ui/configuration_dialog.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "keyweld/link/link_session.h"
#include "keyweld/link/ui/tests/link_ui_fixture.h"
#include "shared/platform/steady_clock.h"
#include "shared/platform/virtual_time.h"

namespace keyweld {
namespace {

using namespace std::chrono_literals;

class ConfigurationDialogTest : public testing::LinkUiTest {
  protected:
    LinkSession& openSession() {
        session_ = std::make_unique<LinkSession>(dir_.path(), clock_, timers_, nullptr);
        session_->openFromSettings();
        return *session_;
    }

    platform::SteadyClock clock_;
    platform::VirtualTime timers_;
    std::unique_ptr<LinkSession> session_;
};

TEST_F(ConfigurationDialogTest, PresentPortsAreEnabledAndOkOpensTheCheckedPort) {
    mapPorts({2, 5, 17});
    dir_.writeCommoFile("CommSetting.csv", "5,9600,0\n");
    LinkSession& session = openSession();
    ASSERT_TRUE(session.isOpen());

    ConfigurationDialog dialog(session);
    EXPECT_EQ(dialog.windowTitle(), "Configuration");
    EXPECT_TRUE(dialog.restoreError().ok());
    EXPECT_NE(dialog.findChild<QGroupBox*>()->title(), "");
    EXPECT_EQ(dialog.portButton(0)->text(), "COM&1");
    EXPECT_EQ(dialog.portButton(9)->text(), "COM1&0");
    EXPECT_EQ(dialog.portButton(19)->text(), "COM20");
    for (int index = 0; index < 20; ++index) {
        const bool present = index == 1 || index == 4 || index == 16;
        EXPECT_EQ(dialog.portButton(index)->isEnabled(), present) << "COM" << index + 1;
    }
    EXPECT_EQ(dialog.portButton(16)->toolTip().toStdString(), pty(17).slavePath());
    EXPECT_TRUE(dialog.portButton(4)->isChecked()) << "the kept port";
    EXPECT_EQ(dialog.baudBox()->currentText(), "9600");
    EXPECT_FALSE(session.isOpen()) << "the last probe, COM20, failed";

    dialog.show();
    QTest::mouseClick(dialog.portButton(16), Qt::LeftButton);
    dialog.baudBox()->setCurrentIndex(3);
    QTest::mouseClick(dialog.okButton(), Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(session.choice(), (LinkChoice{16, 38400}));
    ASSERT_TRUE(session.isOpen());
    EXPECT_EQ(session.comm().devicePath(), pty(17).slavePath());
    EXPECT_EQ(session.comm().settings().bitRate, 38400);
    EXPECT_EQ(session.sendText("ID;"), SendOutcome::Sent);
    EXPECT_EQ(pty(17).readMaster(3, 5000ms), "ID;");
}

TEST_F(ConfigurationDialogTest, CancelAndTheCloseBoxReopenTheKeptPort) {
    mapPorts({3});
    dir_.writeCommoFile("CommSetting.csv", "3,19200,0\n");
    LinkSession& session = openSession();
    {
        ConfigurationDialog dialog(session);
        dialog.show();
        QTest::mouseClick(dialog.cancelButton(), Qt::LeftButton);
        EXPECT_EQ(dialog.result(), QDialog::Rejected);
        EXPECT_TRUE(session.isOpen());
        EXPECT_EQ(session.choice(), (LinkChoice{2, 19200}));
    }
    ConfigurationDialog dialog(session);
    EXPECT_FALSE(session.isOpen());
    dialog.show();
    dialog.close();
    EXPECT_TRUE(session.isOpen());
    EXPECT_EQ(session.comm().devicePath(), pty(3).slavePath());
}

TEST_F(ConfigurationDialogTest, AFailedReopenOfTheKeptPortShowsNoChoiceAndOkLeavesTheLinkClosed) {
    mapPorts({20});
    dir_.writeCommoFile("CommSetting.csv", "4,4800,0\n");
    LinkSession& session = openSession();
    EXPECT_FALSE(session.isOpen());
    ConfigurationDialog dialog(session);
    // COM20 was open after the probe, so the kept port had to be opened again and failed.
    EXPECT_EQ(dialog.restoreError().text(), "Port Open Error");
    for (int index = 0; index < 20; ++index)
        EXPECT_FALSE(dialog.portButton(index)->isChecked());
    EXPECT_EQ(dialog.baudBox()->currentIndex(), -1);

    dialog.show();
    QTest::mouseClick(dialog.okButton(), Qt::LeftButton);
    EXPECT_FALSE(session.isOpen());
    EXPECT_EQ(session.choice(), (LinkChoice{3, 4800})) << "nothing chosen: unchanged";
}

}  // namespace
}  // namespace keyweld
