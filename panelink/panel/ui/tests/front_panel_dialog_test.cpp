// The main window on the offscreen platform: its menu and size, drawing into the back buffer,
// the boxes and their gating, keys, auxiliary windows and the cross-thread send. What the
// panel controller does through the window is in panel_controls_test.cpp.
#include "panelink/panel/ui/front_panel_dialog.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QTest>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <functional>
#include <future>
#include <thread>
#include <vector>

#include "panelink/core/port_failure.h"
#include "panelink/panel/ui/bitmap_store.h"
#include "panelink/panel/ui/connecting_notice.h"
#include "panelink/panel/ui/panel_strings.h"
#include "panelink/panel/ui/panel_view.h"
#include "panelink/panel/ui/tests/dialog_fixture.h"
#include "panelink/testing/qt_test_support.h"

namespace panelink {
namespace {

using platform::Message;
using platform::Milliseconds;
using platform::WM_APP;
using uitest::changedRect;
using uitest::keyedMismatches;
using uitest::waitUntil;

// The pixels of `rect` are `bitmap` drawn keyed over `before`.
bool showsKeyed(int bitmap, const QRect& rect, const QImage& before, const QImage& now) {
    const QImage raw = BitmapStore::load(bitmap);
    return !raw.isNull() && keyedMismatches(raw, rect, before, now) == 0;
}

using FrontPanelDialogTest = uitest::DialogFixture;

// --- The window itself -------------------------------------------------------------------

TEST_F(FrontPanelDialogTest, HasItsCaptionIconMenuAndAFixedClientAreaOfThePanelSize) {
    EXPECT_EQ(window_->windowTitle(), QStringLiteral("Vantor for OrvikD"));
    EXPECT_FALSE(window_->windowIcon().isNull());

    struct Item {
        QString text;
        int id;
    };
    const std::vector<std::pair<QString, std::vector<Item>>> expected{
        {"File", {{"Exit", 32779}, {"Command Send", 32780}}},
        {"Setup", {{"COM Select", 32781}, {"Baud rate", 32782}}},
        {"Option", {{"Playback", 32783}, {"CW", 32785}, {"Repeater", 32786}}},
        {"View", {{"Zoom", 0}}},  // the window's own: no panel command
        {"Help", {{"Version", 32789}}},
    };
    const QList<QAction*> menus = window_->menuBar()->actions();
    ASSERT_EQ(menus.size(), static_cast<qsizetype>(expected.size()));
    for (std::size_t m = 0; m < expected.size(); ++m) {
        QAction* menuAction = menus[static_cast<qsizetype>(m)];
        EXPECT_EQ(menuAction->text(), expected[m].first);
        ASSERT_NE(menuAction->menu(), nullptr);
        const QList<QAction*> items = menuAction->menu()->actions();
        ASSERT_EQ(items.size(), static_cast<qsizetype>(expected[m].second.size()));
        for (std::size_t i = 0; i < expected[m].second.size(); ++i) {
            EXPECT_EQ(items[static_cast<qsizetype>(i)]->text(), expected[m].second[i].text);
            EXPECT_EQ(items[static_cast<qsizetype>(i)]->data().toInt(), expected[m].second[i].id);
        }
    }

    window_->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window_.get()));
    EXPECT_EQ(window_->centralWidget()->size(), QSize(843, 320));
    EXPECT_EQ(window_->centralWidget()->geometry().bottom(), window_->height() - 1);
    EXPECT_EQ(window_->minimumSize(), window_->maximumSize());
    window_->resize(1200, 900);
    QCoreApplication::processEvents();
    EXPECT_EQ(window_->centralWidget()->size(), QSize(843, 320));
}

// --- Drawing into the back buffer ---------------------------------------------------------

TEST_F(FrontPanelDialogTest, ADisplayUpdateChangesExactlyThePixelsOfItsElement) {
    const QImage before = buffer();
    ASSERT_TRUE(radio_.store(RadioField::LK, 1));
    window_->handleMessage({WM_APP + 0x30C, 0, 0});  // "LK": the LOCK label
    const QRect lock(468, 77, 27, 11);
    EXPECT_TRUE(lock.contains(changedRect(before, buffer())));
    EXPECT_FALSE(changedRect(before, buffer()).isEmpty());
    EXPECT_TRUE(showsKeyed(1394, lock, before, buffer()));

    // Back to dark: the dark bitmap, not the lit one left behind.
    ASSERT_TRUE(radio_.store(RadioField::LK, 0));
    window_->handleMessage({WM_APP + 0x30C, 0, 0});
    EXPECT_TRUE(showsKeyed(1393, lock, before, buffer()));
}

TEST_F(FrontPanelDialogTest, AFrequencyAnswerRedrawsOnlyTheDigitsWithTheRightBitmaps) {
    const QImage before = buffer();
    ASSERT_TRUE(radio_.store(RadioField::FA, 14250000));
    window_->handleMessage({WM_APP + 0x333, 0, 0});  // "FA"
    const QRect digits(221, 96, 529 - 221, 52);
    EXPECT_TRUE(digits.contains(changedRect(before, buffer())));
    // "14250000": the 1 MHz digit at 259 is "4" (1350), the 100 kHz digit at 307 is "2"
    // (1348), the 1 Hz digit at (507, 118) is a small "0" (1444).
    EXPECT_TRUE(showsKeyed(1350, QRect(259, 96, 38, 52), before, buffer()));
    EXPECT_TRUE(showsKeyed(1348, QRect(307, 96, 38, 52), before, buffer()));
    EXPECT_TRUE(showsKeyed(1444, QRect(507, 118, 22, 30), before, buffer()));
}

TEST_F(FrontPanelDialogTest, AnAnswerTheWindowIgnoresChangesNothing) {
    const QImage before = buffer();
    window_->handleMessage({WM_APP + 0x31F, 0, 0});
    window_->handleMessage({WM_APP + 0x7FF, 0, 0});
    EXPECT_TRUE(changedRect(before, buffer()).isEmpty());
    EXPECT_EQ(boxes_.count(), 0u);
}

TEST_F(FrontPanelDialogTest, ExposureStartsOneFullRedrawButTheWindowsOwnDrawingDoesNot) {
    window_->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window_.get()));
    ASSERT_TRUE(waitUntil([&] { return time_.isTimerRunning(13); }));
    EXPECT_EQ(time_.timerPeriod(13), Milliseconds(30));

    time_.advance(Milliseconds(30));  // the full redraw runs and draws
    EXPECT_FALSE(time_.isTimerRunning(13));
    ASSERT_TRUE(radio_.store(RadioField::FA, 21074000));
    window_->handleMessage({WM_APP + 0x333, 0, 0});
    QTest::qWait(100);  // the repaints of that drawing happen
    EXPECT_FALSE(time_.isTimerRunning(13));
}

TEST_F(FrontPanelDialogTest, DisplayTimersDrawThroughTheDisplay) {
    window_->startDisplay();
    EXPECT_TRUE(time_.isTimerRunning(6));
    EXPECT_TRUE(time_.isTimerRunning(7));
    EXPECT_TRUE(time_.isTimerRunning(36));
    const QImage before = buffer();
    time_.advance(Milliseconds(10));  // timer 11: the first full redraw, once
    EXPECT_FALSE(time_.isTimerRunning(11));
    EXPECT_FALSE(changedRect(before, buffer()).isEmpty());

    // The frequency timers pick up a changed frequency without any message.
    const QImage drawn = buffer();
    ASSERT_TRUE(radio_.store(RadioField::FA, 3500000));
    time_.advance(Milliseconds(30));
    EXPECT_TRUE(QRect(221, 96, 308, 52).contains(changedRect(drawn, buffer())));
    EXPECT_FALSE(changedRect(drawn, buffer()).isEmpty());
}

// --- Boxes ----------------------------------------------------------------------------------

TEST_F(FrontPanelDialogTest, LinkFailureBoxesComeOneAtATimeUnlessForced) {
    window_->post({WM_APP + 0x109, 0, 0});
    window_->post({WM_APP + 0x109, 0, 0});
    ASSERT_TRUE(waitUntil([&] { return boxes_.count() >= 1; }));
    QCoreApplication::processEvents();
    ASSERT_EQ(boxes_.count(), 1u);
    EXPECT_EQ(boxes_.at(0).box.text,
              QStringLiteral("Failed to open the port.\nPlease confirm the port connection."));
    EXPECT_TRUE(flags_.messageBox.load());

    // Forced: a second box on top ("Failed to connect the COM port.").
    window_->handleMessage({WM_APP + 0x109, 1, 3});
    ASSERT_EQ(boxes_.count(), 2u);
    EXPECT_EQ(boxes_.at(1).box.text, QStringLiteral("Failed to connect the COM port."));

    // The forced box closes first; the first is still up, so still no further box.
    boxes_.close(1);
    EXPECT_TRUE(flags_.messageBox.load());
    window_->handleMessage({WM_APP + 0x109, 0, 0});
    EXPECT_EQ(boxes_.count(), 2u);

    boxes_.close(0);
    EXPECT_FALSE(flags_.messageBox.load());
    window_->handleMessage({WM_APP + 0x109, 0, 0});
    EXPECT_EQ(boxes_.count(), 3u);
}

// The box of a port that could not be opened says why, in the line COM Select shows.
TEST_F(FrontPanelDialogTest, APortThatCannotBeOpenedIsNamedWithTheReasonInItsBox) {
    const QString failed = QString::fromUtf8(panelString(106).data());
    struct Case {
        PortFailure failure;
        const char* line;
    };
    for (const Case& c : {
             Case{{"/dev/ttyUSB0", EACCES},
                  "No permission to open /dev/ttyUSB0: is your user in the dialout group?"},
             Case{{"/dev/ttyUSB1", ENOENT}, "/dev/ttyUSB1 does not exist."},
             Case{{"/dev/ttyS0", EBUSY}, "/dev/ttyS0 is in use by another program."},
         }) {
        flags_.portFailure.set(c.failure);
        window_->handleMessage({WM_APP + 0x109, 0, 0});
        ASSERT_EQ(boxes_.openCount(), 1);
        EXPECT_EQ(boxes_.at(boxes_.count() - 1).box.text,
                  failed + QLatin1Char('\n') + QString::fromUtf8(c.line));
        boxes_.close(boxes_.count() - 1);
    }
    // Other link messages carry no port line.
    window_->handleMessage({WM_APP + 0x109, 1, 3});
    EXPECT_EQ(boxes_.at(boxes_.count() - 1).box.text,
              QStringLiteral("Failed to connect the COM port."));
}

// A device that went away while the port was open did not fail to open: its box says it was
// disconnected and comes back by itself.
TEST_F(FrontPanelDialogTest, ADisconnectedDeviceIsNotCalledAFailedOpenInItsBox) {
    flags_.portFailure.set({"/dev/ttyUSB0", ENODEV, true});
    window_->handleMessage({WM_APP + 0x109, 0, 0});
    ASSERT_EQ(boxes_.openCount(), 1);
    EXPECT_EQ(boxes_.at(0).box.text,
              QStringLiteral("/dev/ttyUSB0 was disconnected; the port is opened again as soon as "
                             "it is back."));
}

TEST_F(FrontPanelDialogTest, DisabledAndUnknownLinkMessagesShowNothing) {
    window_->handleMessage({WM_APP + 0x109, 1, 1});  // 107: disabled
    window_->handleMessage({WM_APP + 0x109, 1, 4});
    window_->handleMessage({WM_APP + 0x109, 1, -1});
    EXPECT_EQ(boxes_.count(), 0u);
    EXPECT_FALSE(flags_.messageBox.load());
    window_->handleMessage({WM_APP + 0x109, 0, 2});
    ASSERT_EQ(boxes_.count(), 1u);
    EXPECT_EQ(boxes_.at(0).box.text, QString::fromUtf8(panelString(108).data()));
}

TEST_F(FrontPanelDialogTest, MenuChangeNoticeNamesTheOpenWindowAndComesOneAtATime) {
    window_->setAuxFactory([](AuxWindow, FrontPanelDialog& owner) { return new QWidget(&owner); });
    ASSERT_TRUE(radio_.store(RadioField::RS, 0));

    window_->handleMessage({WM_APP + 0x343, 0, 0});  // left the menu, nothing open
    EXPECT_EQ(boxes_.count(), 0u);

    windows().open(AuxWindow::Cw);
    window_->handleMessage({WM_APP + 0x30B, 0, 0});  // MENU LIST is not open: no notice
    EXPECT_EQ(boxes_.count(), 0u);
    window_->handleMessage({WM_APP + 0x343, 0, 0});
    window_->handleMessage({WM_APP + 0x343, 0, 0});
    ASSERT_EQ(boxes_.count(), 1u);
    EXPECT_EQ(boxes_.at(0).box.text, QString::fromUtf8(panelString(120).data()));

    ASSERT_TRUE(radio_.store(RadioField::RS, 1));  // in the menu: no notice
    boxes_.close(0);
    window_->handleMessage({WM_APP + 0x343, 0, 0});
    EXPECT_EQ(boxes_.count(), 1u);

    windows().closed(AuxWindow::Cw);
    windows().open(AuxWindow::MenuList);
    window_->handleMessage({WM_APP + 0x359, 0, 0});
    ASSERT_EQ(boxes_.count(), 2u);
    EXPECT_EQ(boxes_.at(1).box.text, QString::fromUtf8(panelString(112).data()));
}

// --- Keys and closing -------------------------------------------------------------------------

TEST_F(FrontPanelDialogTest, EscapeAndEnterNeverCloseTheWindowButTheCloseBoxDoes) {
    window_->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window_.get()));
    QTest::keyClick(window_.get(), Qt::Key_Escape);
    QTest::keyClick(window_->view(), Qt::Key_Escape);
    QTest::keyClick(window_.get(), Qt::Key_Return);
    QTest::keyClick(window_->view(), Qt::Key_Enter);
    EXPECT_EQ(cancels_, 0);
    EXPECT_TRUE(window_->isVisible());

    window_->close();
    window_->close();
    EXPECT_EQ(cancels_, 1);
}

TEST_F(FrontPanelDialogTest, TheExitMessageEndsTheRunOnceWhateverElseAsksAsWell) {
    window_->handleMessage(message(WindowMessage::Exit));
    window_->close();
    window_->handleMessage(message(WindowMessage::Exit));
    EXPECT_EQ(cancels_, 1);
}

// F1 is the shortcut keys' (the program attaches the window to their filter), so the window
// alone does nothing with it.
TEST_F(FrontPanelDialogTest, ThePanelsVersionBoxShowsTheProductAndVersion) {
    window_->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window_.get()));
    QTest::keyClick(window_.get(), Qt::Key_F1);
    EXPECT_EQ(boxes_.count(), 0u);
    static_cast<PanelWindow&>(*window_).showVersionBox();
    ASSERT_EQ(boxes_.count(), 1u);
    EXPECT_TRUE(boxes_.at(0).box.text.contains(QStringLiteral("Panelink")));
    EXPECT_TRUE(boxes_.at(0).box.text.contains(QStringLiteral("Version")));
}

// The controller's boxes ("Failed to connect the COM port.") look like the window's own.
TEST_F(FrontPanelDialogTest, ThePanelsMessageBoxShowsTheProgramStringUnderTheProductName) {
    static_cast<PanelWindow&>(*window_).showMessageBox(111);
    ASSERT_EQ(boxes_.count(), 1u);
    EXPECT_EQ(boxes_.at(0).box.title, QStringLiteral("Panelink"));
    EXPECT_EQ(boxes_.at(0).box.text, QStringLiteral("Failed to connect the COM port."));
    EXPECT_EQ(boxes_.at(0).box.parent, window_.get());
}

// --- Auxiliary windows ----------------------------------------------------------------------

TEST_F(FrontPanelDialogTest, AnOpenAuxiliaryWindowGraysTheMenuButExitUntilItIsClosed) {
    std::vector<AuxWindow> created;
    window_->setAuxFactory([&](AuxWindow which, FrontPanelDialog& owner) -> QWidget* {
        created.push_back(which);
        if (which != AuxWindow::ComSelect) return nullptr;
        return new QDialog(&owner);
    });

    EXPECT_FALSE(windows().open(AuxWindow::Playback));  // not built yet: nothing opens
    EXPECT_FALSE(windows().anyOpen());
    EXPECT_TRUE(window_->menuAction(kMenuCw)->isEnabled());

    ASSERT_TRUE(windows().open(AuxWindow::ComSelect));
    QPointer<QWidget> dialog = window_->auxWindow(AuxWindow::ComSelect);
    ASSERT_FALSE(dialog.isNull());
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(dialog->parentWidget(), window_.get());
    for (int id : {32780, 32781, 32782, 32783, 32785, 32786, 32789})
        EXPECT_FALSE(window_->menuAction(id)->isEnabled()) << id;
    EXPECT_TRUE(window_->menuAction(kMenuExit)->isEnabled());

    // Opened again: the same window, not a second one.
    EXPECT_TRUE(windows().open(AuxWindow::ComSelect));
    EXPECT_EQ(window_->auxWindow(AuxWindow::ComSelect), dialog.data());

    windows().closed(AuxWindow::ComSelect);
    EXPECT_FALSE(dialog->isVisible());
    ASSERT_TRUE(waitUntil([&] { return dialog.isNull(); }));
    EXPECT_TRUE(window_->menuAction(kMenuBaudRate)->isEnabled());
    EXPECT_EQ(created, (std::vector<AuxWindow>{AuxWindow::Playback, AuxWindow::ComSelect}));
}

TEST_F(FrontPanelDialogTest, AWindowThatGoesWithoutItsClosingMessageNoLongerCountsAsOpen) {
    window_->setAuxFactory([](AuxWindow, FrontPanelDialog& owner) { return new QDialog(&owner); });
    ASSERT_TRUE(windows().open(AuxWindow::BaudRate));
    ASSERT_TRUE(windows().open(AuxWindow::Cw));
    delete window_->auxWindow(AuxWindow::BaudRate);
    EXPECT_FALSE(windows().isOpen(AuxWindow::BaudRate));
    EXPECT_FALSE(window_->menuAction(kMenuComSelect)->isEnabled());  // CW is still up

    delete window_->auxWindow(AuxWindow::Cw);
    EXPECT_FALSE(windows().anyOpen());
    EXPECT_TRUE(window_->menuAction(kMenuComSelect)->isEnabled());
    EXPECT_TRUE(windows().open(AuxWindow::Cw));  // and it opens again
}

TEST_F(FrontPanelDialogTest, TheConnectingNoticeSaysSoAndCannotBeClosedByTheUser) {
    window_->setAuxFactory([](AuxWindow, FrontPanelDialog& owner) -> QWidget* {
        return new ConnectingNotice(&owner);
    });
    ASSERT_TRUE(windows().open(AuxWindow::ConnectingNotice));
    auto* notice = qobject_cast<ConnectingNotice*>(window_->auxWindow(AuxWindow::ConnectingNotice));
    ASSERT_NE(notice, nullptr);
    EXPECT_EQ(notice->textLabel()->text(), QStringLiteral("Connecting the COM port now."));
    EXPECT_TRUE(notice->findChildren<QAbstractButton*>().isEmpty());
    EXPECT_FALSE(notice->isModal());
    EXPECT_EQ(notice->minimumSize(), notice->maximumSize());
    EXPECT_FALSE(window_->menuAction(kMenuCw)->isEnabled());

    QTest::keyClick(notice, Qt::Key_Escape);
    notice->close();
    EXPECT_TRUE(notice->isVisible());
    windows().closed(AuxWindow::ConnectingNotice);
    EXPECT_FALSE(notice->isVisible());
    EXPECT_TRUE(window_->menuAction(kMenuCw)->isEnabled());
}

TEST_F(FrontPanelDialogTest, ClosingTheRunClosesTheAuxiliaryWindows) {
    window_->setAuxFactory([](AuxWindow, FrontPanelDialog& owner) { return new QDialog(&owner); });
    ASSERT_TRUE(windows().open(AuxWindow::ComSelect));
    QPointer<QWidget> dialog = window_->auxWindow(AuxWindow::ComSelect);
    ASSERT_FALSE(dialog.isNull());
    window_->beginClosing();
    EXPECT_FALSE(windows().anyOpen());
    ASSERT_TRUE(waitUntil([&] { return dialog.isNull(); }));
}

// --- Messages from other threads -------------------------------------------------------------

TEST_F(FrontPanelDialogTest, SendFromAWorkerWaitsForTheUserInterfaceThread) {
    const QImage before = buffer();
    ASSERT_TRUE(radio_.store(RadioField::LK, 1));
    std::atomic<bool> returned{false};
    std::thread worker([&] {
        window_->send({WM_APP + 0x30C, 0, 0});
        returned = true;
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_FALSE(returned.load());  // nobody has run the user interface thread yet
    EXPECT_TRUE(waitUntil([&] { return returned.load(); }));
    worker.join();
    EXPECT_FALSE(changedRect(before, buffer()).isEmpty());
}

TEST_F(FrontPanelDialogTest, SendFromAWorkerDoesNotHangOnceTheWindowIsClosing) {
    auto waiting = std::async(std::launch::async, [&] { window_->send({WM_APP + 0x10A, 0, 0}); });
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    // The user interface thread is busy shutting down and runs no events meanwhile.
    window_->beginClosing();
    EXPECT_EQ(waiting.wait_for(std::chrono::seconds(5)), std::future_status::ready);
    // A send that starts after that returns at once as well.
    auto late = std::async(std::launch::async, [&] { window_->send({WM_APP + 0x10A, 0, 0}); });
    EXPECT_EQ(late.wait_for(std::chrono::seconds(5)), std::future_status::ready);
    QCoreApplication::processEvents();
}

// --- Fan-out through the event hub ------------------------------------------------------------

// A window of the user interface thread that listens to some updates: it notes on receipt,
// on its own thread, whether the main window had already drawn.
class ListeningWindow final : public platform::MessageSink {
  public:
    explicit ListeningWindow(std::function<bool()> mainWindowDrew)
        : mainWindowDrew_(std::move(mainWindowDrew)) {}
    bool post(const Message& message) override {
        QMetaObject::invokeMethod(
            &context_, [this, message] { heard.emplace_back(message.id, mainWindowDrew_()); },
            Qt::QueuedConnection);
        return true;
    }
    std::vector<std::pair<std::uint32_t, bool>> heard;

  private:
    QObject context_;
    std::function<bool()> mainWindowDrew_;
};

TEST_F(FrontPanelDialogTest, AWorkersUpdateReachesTheMainWindowFirstThenTheWindowsThatListen) {
    const QImage before = buffer();
    ASSERT_TRUE(radio_.store(RadioField::BP_0, 1));
    ASSERT_TRUE(radio_.store(RadioField::BP_1, 300));
    ListeningWindow notch([&] { return !changedRect(before, buffer()).isEmpty(); });
    auto subscription = events_.subscribe(notch, {id(DisplayUpdate::BP)});

    std::thread worker([&] {
        events_.post(message(DisplayUpdate::FA));
        events_.post(message(DisplayUpdate::BP));
    });
    worker.join();
    ASSERT_TRUE(waitUntil([&] { return !notch.heard.empty(); }));
    // Only its own update, and the NOTCH bar of the main window was drawn by then.
    EXPECT_EQ(notch.heard,
              (std::vector<std::pair<std::uint32_t, bool>>{{id(DisplayUpdate::BP), true}}));
}

TEST_F(FrontPanelDialogTest, AFullRedrawRefillsTheListeningWindowsButNotItself) {
    ListeningWindow dnr([] { return true; });
    auto subscription = events_.subscribe(
        dnr, {id(DisplayUpdate::NR), id(DisplayUpdate::RL), id(DisplayUpdate::FA)});
    window_->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window_.get()));
    QCoreApplication::processEvents();
    time_.advance(Milliseconds(30));  // the full redraw after the exposure
    QCoreApplication::processEvents();
    std::vector<std::uint32_t> heard;
    for (const auto& [message, drawn] : dnr.heard)
        heard.push_back(message);
    // "FA" is the main window's alone; "NR" and "RL" fill the DNR window.
    EXPECT_EQ(heard, (std::vector<std::uint32_t>{id(DisplayUpdate::NR), id(DisplayUpdate::RL)}));
}

}  // namespace
}  // namespace panelink
