// The shortcut keys in the program's windows on the offscreen platform: the main window with
// its version box, and the auxiliary windows as the registry builds them, with the key
// pressed in whichever child has the focus.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "panelink/app/ui/aux_windows.h"
#include "panelink/app/ui/window_services.h"
#include "panelink/core/messages.h"
#include "panelink/panel/ui/panel_view.h"
#include "panelink/panel/ui/tests/dialog_fixture.h"
#include "panelink/shortcuts/shortcut_key_filter.h"
#include "panelink/shortcuts/ui/shortcut_event_filter.h"
#include "panelink/testing/qt_test_support.h"
#include "panelink/windows/ui/cw_dialog.h"
#include "panelink/windows/ui/memory_write_dialog.h"
#include "panelink/windows/ui/repeater_dialog.h"
#include "shared/formats/link_settings.h"
#include "shared/formats/shortcut_files.h"
#include "shared/formats/testing/working_dir.h"

namespace panelink {
namespace {

using platform::Milliseconds;
using Strings = std::vector<std::string>;

class ShortcutWindowsTest : public uitest::DialogFixture {
  protected:
    void SetUp() override {
        DialogFixture::SetUp();
        ASSERT_TRUE(dir_.ok());
        // Line n + 1 is "Snn;", so what a key sends tells its slot.
        std::string lines;
        for (int slot = 0; slot < commo::kShortcutSlotCount; ++slot)
            lines += (slot < 10 ? "S0" : "S") + std::to_string(slot) + ";\r\n";
        dir_.writeCommoFile(commo::kShortcutDefinitionFileName, lines);

        keys_ = std::make_unique<ShortcutKeyFilter>(ShortcutKeyFilter::Ports{
            .link = link_,
            .timers = time_,
            .workingDirectory = dir_.path(),
            .keysBlocked = [this] { return window_->controller().keysBlocked(); },
            .showVersionBox = [this] { window_->showVersionBox(); },
        });
        events_filter_ = std::make_unique<ShortcutEventFilter>(*keys_);
        events_filter_->attach(window_.get(),
                               [this] { return std::optional<bool>(!windows().anyOpen()); });
        time_.setTickHandler([this](int id) {
            if (!keys_->onTimer(id)) window_->onTimer(id);
        });
        window_->setAuxFactory([this](AuxWindow which, FrontPanelDialog& owner) {
            return createAuxWindow(which, services_, owner, events_filter_.get());
        });
    }

    void TearDown() override {
        time_.setTickHandler({});
        DialogFixture::TearDown();
        events_filter_.reset();
        keys_.reset();
    }

    QWidget* open(AuxWindow which) {
        if (!windows().open(which)) return nullptr;
        return window_->auxWindow(which);
    }

    // The commands the keys queued so far; the sending of the last key is let run out.
    Strings sent() {
        time_.advance(Milliseconds(100));
        return link_.queued;
    }

    commo::ScratchWorkingDir dir_{"shortcut-windows"};
    commo::LinkSettings settings_;
    MenuListMemory menuListMemory_;
    WindowServices services_{
        .events = events_,
        .records = {radio_, menu_, flags_},
        .settings = settings_,
        .workingDirectory = dir_.path(),
        .postRequest = [](Request, std::uintptr_t, std::intptr_t) { return true; },
        .closePort = [] { return true; },
        .link = link_,
        .menuTable = menu_,
        .menuListMemory = menuListMemory_,
    };
    std::unique_ptr<ShortcutKeyFilter> keys_;
    std::unique_ptr<ShortcutEventFilter> events_filter_;
};

TEST_F(ShortcutWindowsTest, F1InTheMainWindowOpensTheVersionBoxOnlyWhileNoOtherWindowIsOpen) {
    window_->show();
    QTest::keyClick(window_->view(), Qt::Key_F1);
    ASSERT_EQ(boxes_.count(), 1u);
    EXPECT_TRUE(boxes_.at(0).box.text.contains(QStringLiteral("Version")));
    QTest::keyClick(window_->view(), Qt::Key_F2);
    EXPECT_EQ(sent(), Strings{"S00;"});

    QWidget* memoryWrite = open(AuxWindow::MemoryWrite);
    ASSERT_NE(memoryWrite, nullptr);
    QTest::keyClick(window_.get(), Qt::Key_F1);
    QTest::keyClick(memoryWrite, Qt::Key_F1);
    EXPECT_EQ(boxes_.count(), 1u);
    EXPECT_EQ(sent(), Strings{"S00;"});
}

// The edit box would use Home itself; the shortcut goes first, as it does in every window
// that takes the keys. F10 and typing still reach the box.
TEST_F(ShortcutWindowsTest, AKeyInTheFocusedEditOfMemoryWriteIsTheShortcutsFirst) {
    auto* dialog = qobject_cast<MemoryWriteDialog*>(open(AuxWindow::MemoryWrite));
    ASSERT_NE(dialog, nullptr);
    QLineEdit* edit = dialog->edit();
    dialog->activateWindow();
    edit->setFocus();
    ASSERT_TRUE(QTest::qWaitForWindowActive(dialog));
    ASSERT_EQ(QApplication::focusWidget(), edit);

    QTest::keyClicks(edit, QStringLiteral("12"));
    ASSERT_EQ(edit->text(), QStringLiteral("12"));
    // Through the window, as the display server delivers it, to the focused box.
    QTest::keyClick(dialog->windowHandle(), Qt::Key_Home);
    EXPECT_EQ(edit->cursorPosition(), 2);
    EXPECT_EQ(sent(), Strings{"S44;"});
    QTest::keyClick(dialog->windowHandle(), Qt::Key_F3, Qt::ShiftModifier);
    QTest::keyClick(edit, Qt::Key_F10);
    EXPECT_EQ(sent(), (Strings{"S44;", "S12;"}));
}

TEST_F(ShortcutWindowsTest, TheCtcssListOfTheRepeaterTakesTheKeysButNoOtherDialogOfItDoes) {
    auto* repeater = qobject_cast<RepeaterDialog*>(open(AuxWindow::Repeater));
    ASSERT_NE(repeater, nullptr);
    QTest::mouseClick(repeater->button(RepeaterDialog::kFreqButtonId), Qt::LeftButton);
    ToneListDialog* tones = repeater->toneList();
    ASSERT_NE(tones, nullptr);
    QTest::keyClick(tones->list(), Qt::Key_F4, Qt::ControlModifier);
    EXPECT_EQ(sent(), Strings{"S24;"});

    QDialog other(repeater);
    QTest::keyClick(&other, Qt::Key_F5);
    QTest::keyClick(repeater->button(RepeaterDialog::kFreqButtonId), Qt::Key_F6);
    EXPECT_EQ(sent(), (Strings{"S24;", "S04;"}));
}

TEST_F(ShortcutWindowsTest, TheCwWindowTakesTheKeysOnlyOnceItHasReadTheKeyerTexts) {
    auto* cw = qobject_cast<CwDialog*>(open(AuxWindow::Cw));
    ASSERT_NE(cw, nullptr);
    QTest::keyClick(cw->textBox(1), Qt::Key_F2);
    EXPECT_TRUE(sent().empty());

    for (int memory = 1; memory <= 3; ++memory) {
        events_.post(message(DisplayUpdate::KM));
        QCoreApplication::processEvents();
    }
    ASSERT_TRUE(cw->takesShortcuts());
    QTest::keyClick(cw->textBox(1), Qt::Key_F2);
    EXPECT_EQ(sent(), Strings{"S00;"});
}

TEST_F(ShortcutWindowsTest, WindowsOutsideTheListKeepTheirKeys) {
    QWidget* vfoSet = open(AuxWindow::VfoSet);
    ASSERT_NE(vfoSet, nullptr);
    QTest::keyClick(vfoSet, Qt::Key_F2);
    QTest::keyClick(vfoSet, Qt::Key_F1);
    EXPECT_TRUE(sent().empty());
    EXPECT_EQ(boxes_.count(), 0u);
}

}  // namespace
}  // namespace panelink
