// The MENU LIST window and its setting dialogs on the offscreen platform: the list and its
// headers, the remembered line, the keys and the double-click, the dialogs' contents, what OK
// and CANCEL send, and the window opened and destroyed by the main window.

#include "panelink/menu/ui/menu_list_window.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QTest>

#include <memory>
#include <string>
#include <vector>

#include "panelink/cat/radio_state.h"
#include "panelink/core/event_hub.h"
#include "panelink/core/messages.h"
#include "panelink/menu/menu_build.h"
#include "panelink/menu/ui/menu_setting_dialogs.h"
#include "panelink/panel/ui/tests/dialog_fixture.h"
#include "panelink/panel/ui/tests/panel_test_ports.h"
#include "panelink/testing/qt_test_support.h"
#include "shared/platform/testing/recording_window.h"

namespace panelink {
namespace {

using uitest::waitUntil;

// Rows of the default list: row = menu number - 1.
constexpr int kApoRow = 2;
constexpr int kBeaconTextRow = 4;
constexpr int kExtMenuRow = 0;
constexpr int kToneRow = 55;
constexpr int kMyBandRow = 60;
constexpr int kMyModeRow = 61;

std::string rowText(const QListWidget* list, int row) {
    return list->item(row)->text().toStdString();
}

void clickRow(QListWidget* list, int row, bool twice) {
    QListWidgetItem* item = list->item(row);
    list->scrollToItem(item);
    const QPoint at = list->visualItemRect(item).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    if (twice) QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
}

class MenuListWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        buildMenuItemTable(table_);
        subscription_ = events_.subscribeMainWindow(mainWindow_);
    }

    std::unique_ptr<MenuListWindow> open() {
        auto window = std::make_unique<MenuListWindow>(
            MenuListServices{events_, table_, memory_, link_, radio_, {}});
        window->show();
        return window;
    }

    std::size_t sent(WindowMessage name) const { return mainWindow_.count(id(name)); }

    MenuItem tableItem(int index) const {
        MenuItem item;
        EXPECT_TRUE(table_.copyOut(index, item));
        return item;
    }

    EventHub events_;
    platform::RecordingWindow mainWindow_;
    MenuItemTable table_;
    MenuListMemory memory_;
    uitest::RecordingLink link_;
    RadioState radio_;
    EventHub::Subscription subscription_;
};

TEST_F(MenuListWindowTest, ShowsOneSortedLinePerMenuItemUnderItsHeaders) {
    const auto window = open();
    EXPECT_EQ(window->windowTitle(), "MENU LIST");
    EXPECT_FALSE(window->isModal());
    QListWidget* list = window->list();
    EXPECT_EQ(list->geometry(), QRect(QPoint(10, 100), QPoint(1002, 460)));
    ASSERT_EQ(list->count(), 63);
    EXPECT_EQ(rowText(list, 0).substr(0, 26), "001 EXT MNU  OFF/EXTENSION");
    EXPECT_TRUE(rowText(list, 0).ends_with(" EXTENSION"));
    for (int row = 1; row < list->count(); ++row)
        EXPECT_LT(rowText(list, row - 1), rowText(list, row));

    int previousRight = 0;
    for (std::size_t column = 0; column < MenuListWindow::kHeaders.size(); ++column) {
        const QLabel* header = window->header(column);
        EXPECT_EQ(header->text(), MenuListWindow::kHeaders[column]);
        EXPECT_LE(header->geometry().bottom(), list->geometry().top());
        EXPECT_GT(header->geometry().left(), previousRight + 2) << "headers run together";
        previousRight = header->geometry().right();
    }
    EXPECT_TRUE(window->okButton()->isVisible());
    EXPECT_TRUE(window->cancelButton()->isVisible());
}

TEST_F(MenuListWindowTest, OpeningTellsTheMainWindowAndSelectsTheRememberedLine) {
    memory_.selectedLine = 20;
    {
        const auto window = open();
        EXPECT_EQ(mainWindow_.ids(), std::vector<std::uint32_t>{id(WindowMessage::MenuListReady)});
        EXPECT_EQ(mainWindow_.sent().size(), 1U) << "sent, not posted";
        EXPECT_EQ(window->list()->currentRow(), 20);
        window->list()->setFocus();
        QTest::keyClick(window->list(), Qt::Key_Down);
        EXPECT_EQ(memory_.selectedLine, 21U);
        window->reject();
    }
    const auto again = open();
    EXPECT_EQ(again->list()->currentRow(), 21);
    EXPECT_TRUE(again->list()->currentItem()->isSelected());
}

TEST_F(MenuListWindowTest, CancelAndTheCloseBoxOnlyAskToBeClosed) {
    {
        const auto window = open();
        window->list()->setCurrentRow(kApoRow);
        window->openSelectedSetting();
        auto* dialog = qobject_cast<MenuChoiceDialog*>(window->settingDialog());
        ASSERT_NE(dialog, nullptr);
        dialog->list()->setCurrentIndex(dialog->list()->count() - 1);
        dialog->accept();
        QTest::mouseClick(window->cancelButton(), Qt::LeftButton);
        EXPECT_EQ(sent(WindowMessage::MenuListClosed), 1U);
    }
    const auto window = open();
    window->close();
    EXPECT_EQ(sent(WindowMessage::MenuListClosed), 2U);
    EXPECT_TRUE(link_.posts.empty());
    EXPECT_EQ(tableItem(3).changed, 0);
    EXPECT_EQ(tableItem(3).value, 0);
}

struct DialogCase {
    const char* name;
    int row;
    MenuDialogKind kind;
    const char* heading;
};

class DoubleClickOnALine : public MenuListWindowTest,
                           public ::testing::WithParamInterface<DialogCase> {};

TEST_P(DoubleClickOnALine, OpensTheSettingDialogOfItsKind) {
    const DialogCase& c = GetParam();
    const auto window = open();
    clickRow(window->list(), c.row, true);
    MenuSettingDialog* dialog = window->settingDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->kind(), c.kind);
    EXPECT_EQ(dialog->windowTitle(), "MENU LIST SETTING");
    EXPECT_TRUE(dialog->isModal());
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(dialog->heading()->text(), c.heading);
    const std::string line = rowText(window->list(), c.row);
    QTest::mouseClick(dialog->cancelButton(), Qt::LeftButton);
    EXPECT_TRUE(waitUntil([&] { return window->settingDialog() == nullptr; }));
    EXPECT_EQ(rowText(window->list(), c.row), line);
}

INSTANTIATE_TEST_SUITE_P(
    MenuListWindow, DoubleClickOnALine,
    ::testing::Values(
        DialogCase{"OptionsOpenTheChoice", kExtMenuRow, MenuDialogKind::Choice, "001  EXT MNU"},
        DialogCase{"BandsOpenTheirCheckBoxes", kMyBandRow, MenuDialogKind::BandCheckBoxes,
                   "061  MY BAND"},
        DialogCase{"ModesOpenTheirCheckBoxes", kMyModeRow, MenuDialogKind::ModeCheckBoxes,
                   "062  MY MODE"},
        DialogCase{"TheToneOpensTheGrid", kToneRow, MenuDialogKind::Tone, "056  TONE F  (Hz)"},
        DialogCase{"TheBeaconTextOpensTheTextEntry", kBeaconTextRow, MenuDialogKind::Text,
                   "005  BCN TXT 1"}),
    [](const ::testing::TestParamInfo<DialogCase>& c) { return c.param.name; });

TEST_F(MenuListWindowTest, EnterInTheListOpensTheSelectedLinesDialog) {
    const auto window = open();
    window->list()->setFocus();
    window->list()->setCurrentRow(kMyModeRow);
    QTest::keyClick(window->list(), Qt::Key_Return);
    auto* dialog = qobject_cast<MenuCheckBoxDialog*>(window->settingDialog());
    ASSERT_NE(dialog, nullptr);
    ASSERT_EQ(dialog->boxes().size(), 6U);
    EXPECT_EQ(dialog->boxes()[5]->text(), "DATA");
    EXPECT_EQ(sent(WindowMessage::MenuListClosed), 0U) << "Enter is not the window's OK";

    dialog->boxes()[5]->setChecked(false);
    QTest::mouseClick(dialog->okButton(), Qt::LeftButton);
    EXPECT_TRUE(rowText(window->list(), kMyModeRow).ends_with(" DATA OFF"));
    EXPECT_EQ(window->list()->currentRow(), kMyModeRow);
}

TEST_F(MenuListWindowTest, ChosenValuesReachTheLinkAfterBothOksAndTheSetsAreReadBackLater) {
    ASSERT_TRUE(radio_.store(RadioField::AI, 1));
    const auto window = open();
    clickRow(window->list(), kApoRow, true);
    auto* choice = qobject_cast<MenuChoiceDialog*>(window->settingDialog());
    ASSERT_NE(choice, nullptr);
    ASSERT_EQ(choice->list()->currentText(), "OFF");
    choice->list()->setCurrentIndex(choice->list()->findText("12"));
    QTest::mouseClick(choice->okButton(), Qt::LeftButton);
    EXPECT_TRUE(rowText(window->list(), kApoRow).ends_with(" 12h"));

    clickRow(window->list(), kMyBandRow, true);
    auto* bands = qobject_cast<MenuCheckBoxDialog*>(window->settingDialog());
    ASSERT_NE(bands, nullptr);
    ASSERT_EQ(bands->boxes().size(), 11U);
    bands->boxes()[0]->setChecked(false);
    QTest::mouseClick(bands->okButton(), Qt::LeftButton);
    EXPECT_TRUE(link_.posts.empty()) << "nothing leaves before the window's OK";

    std::size_t queuedAtClose = 0;
    mainWindow_.setSendHandler([&](const platform::Message& m) {
        if (is(m, WindowMessage::MenuListClosed)) queuedAtClose = link_.queued.size();
    });
    QTest::mouseClick(window->okButton(), Qt::LeftButton);
    ASSERT_EQ(link_.posts.size(), 1U);
    EXPECT_EQ(link_.posts[0].request, Request::WriteMenu);
    EXPECT_EQ(tableItem(3).value, 12);
    EXPECT_EQ(tableItem(3).changed, 1);
    EXPECT_EQ(tableItem(65).value, 1023);
    EXPECT_TRUE(link_.queued.empty()) << "the read-back waits";
    EXPECT_EQ(sent(WindowMessage::MenuListClosed), 0U);

    ASSERT_TRUE(waitUntil([&] { return sent(WindowMessage::MenuListClosed) == 1; }));
    EXPECT_EQ(link_.queued, std::vector<std::string>{"EX065;"});
    EXPECT_EQ(queuedAtClose, 1U) << "read back before the window closes";
}

TEST_F(MenuListWindowTest, LeftAndRightStepTheBandLineAndNoOther) {
    const auto window = open();
    QListWidget* list = window->list();
    list->setFocus();
    list->setCurrentRow(kMyBandRow);
    EXPECT_TRUE(rowText(list, kMyBandRow).ends_with(" 50 ON"));
    QTest::keyClick(list, Qt::Key_Right);
    EXPECT_TRUE(rowText(list, kMyBandRow).ends_with(" 1.8 ON"));
    QTest::keyClick(list, Qt::Key_Left);
    QTest::keyClick(list, Qt::Key_Left);
    EXPECT_TRUE(rowText(list, kMyBandRow).ends_with(" 28 ON"));
    EXPECT_EQ(list->currentRow(), kMyBandRow);

    list->setCurrentRow(kExtMenuRow);
    const std::string line = rowText(list, kExtMenuRow);
    QTest::keyClick(list, Qt::Key_Right);
    EXPECT_EQ(rowText(list, kExtMenuRow), line);
    EXPECT_EQ(list->currentRow(), kExtMenuRow);
}

TEST_F(MenuListWindowTest, ToneGridRowsReadInAscendingOrder) {
    const auto window = open();
    window->list()->setCurrentRow(kToneRow);
    window->openSelectedSetting();
    auto* dialog = qobject_cast<MenuToneDialog*>(window->settingDialog());
    ASSERT_NE(dialog, nullptr);
    QListWidget* grid = dialog->list();
    ASSERT_EQ(grid->count(), 50);
    // Default value 8: 88.5 Hz.
    EXPECT_EQ(grid->currentItem()->text(), "  88.5");
    const auto at = [&](int entry) { return grid->visualItemRect(grid->item(entry)); };
    for (int column = 1; column < 5; ++column) {
        EXPECT_EQ(at(column * 10).top(), at(0).top());
        EXPECT_GT(at(column * 10).left(), at((column - 1) * 10).left());
    }
    EXPECT_EQ(grid->item(10)->text(), "  69.3");
    EXPECT_TRUE(grid->viewport()->rect().contains(at(49))) << "the whole grid shows";

    grid->setCurrentRow(10);
    QTest::mouseClick(dialog->okButton(), Qt::LeftButton);
    EXPECT_TRUE(rowText(window->list(), kToneRow).ends_with(" 69.3Hz"));
}

TEST_F(MenuListWindowTest, TheBeaconTextTakesFortyPrintableCharactersWithoutSemicolons) {
    const auto window = open();
    window->list()->setCurrentRow(kBeaconTextRow);
    window->openSelectedSetting();
    auto* dialog = qobject_cast<MenuTextDialog*>(window->settingDialog());
    ASSERT_NE(dialog, nullptr);
    QLineEdit* edit = dialog->edit();
    EXPECT_EQ(edit->maxLength(), 40);
    QTest::keyClicks(edit, "CQ;DE X");
    EXPECT_EQ(edit->text(), "CQDE X");
    QTest::keyClicks(edit, QString(40, QLatin1Char('A')));
    EXPECT_EQ(edit->text().size(), 40);
    edit->setText("CQ DE X");
    QTest::mouseClick(dialog->okButton(), Qt::LeftButton);
    EXPECT_TRUE(rowText(window->list(), kBeaconTextRow).ends_with(" 1 CQ DE X"));
}

class MenuListInMainWindowTest : public uitest::DialogFixture {
  protected:
    void SetUp() override {
        DialogFixture::SetUp();
        buildMenuItemTable(menu_);
        window_->setAuxFactory([this](AuxWindow which, FrontPanelDialog& owner) -> QWidget* {
            if (which != AuxWindow::MenuList) return nullptr;
            return new MenuListWindow(MenuListServices{events_, menu_, memory_, link_, radio_, {}},
                                      &owner);
        });
    }

    MenuListMemory memory_;
};

TEST_F(MenuListInMainWindowTest, TheMainWindowMarksTheListOpenAndDestroysItOnItsClosingMessage) {
    ASSERT_TRUE(windows().open(AuxWindow::MenuList));
    QPointer<QWidget> opened = window_->auxWindow(AuxWindow::MenuList);
    auto* list = qobject_cast<MenuListWindow*>(opened.data());
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->parentWidget(), window_.get());
    EXPECT_TRUE(list->isVisible());
    EXPECT_TRUE(window_->display().menuListReady());

    QTest::keyClick(list, Qt::Key_Escape);
    EXPECT_FALSE(windows().isOpen(AuxWindow::MenuList));
    EXPECT_FALSE(window_->display().menuListReady());
    EXPECT_TRUE(link_.sent(Request::SetPanelLock)) << "the panel is unlocked";
    EXPECT_TRUE(waitUntil([&] { return opened.isNull(); }));
}

}  // namespace
}  // namespace panelink
