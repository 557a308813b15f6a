// The application object with a fake core: the order of start-up, the settings message,
// shut-down from every phase, the stuck-thread exit, the second instance and the timers.
#include "panelink/app/ui/application.h"

#include <gtest/gtest.h>

#include <QListWidget>
#include <QProcess>
#include <QTest>
#include <QWidget>

#include <atomic>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "panelink/app/ui/app_core.h"
#include "panelink/cat/radio_state.h"
#include "panelink/core/link_flags.h"
#include "panelink/core/messages.h"
#include "panelink/core/requests.h"
#include "panelink/core/timer_ids.h"
#include "panelink/menu/menu_build.h"
#include "panelink/menu/menu_defaults.h"
#include "panelink/menu/menu_item_table.h"
#include "panelink/menu/menu_list_line.h"
#include "panelink/menu/ui/menu_list_window.h"
#include "panelink/panel/panel_controller.h"
#include "panelink/panel/ui/connecting_notice.h"
#include "panelink/panel/ui/front_panel_dialog.h"
#include "panelink/panel/ui/panel_strings.h"
#include "panelink/panel/ui/panel_view.h"
#include "panelink/panel/ui/tests/panel_test_ports.h"
#include "panelink/panel/ui/tests/recording_boxes.h"
#include "panelink/testing/qt_test_support.h"
#include "shared/platform/single_instance.h"
#include "shared/platform/steady_clock.h"
#include "shared/platform/testing/scratch_dir.h"
#include "shared/platform/testing/slow_clock.h"

namespace panelink {
namespace {

using uitest::waitUntil;
using Phase = PanelinkApplication::Phase;

// What the fake core was asked to do, kept by the test (the application owns the core).
struct CoreLog {
    std::mutex mutex;
    std::vector<std::string> calls;
    bool settingsReadable = true;
    bool threadsEnd = true;
    bool secondInstance = false;
    std::atomic<int> workerTicks{0};
    std::atomic<bool> tickOnUserInterfaceThread{false};
    std::thread::id userInterfaceThread = std::this_thread::get_id();
    platform::MainWindowInterface* window = nullptr;
    uitest::RecordingLink link;  // what the panel sent to the link

    void add(const std::string& call) {
        std::lock_guard lock(mutex);
        calls.push_back(call);
    }
    std::vector<std::string> all() {
        std::lock_guard lock(mutex);
        return calls;
    }
};

class FakeCore final : public AppCore {
  public:
    FakeCore(const CoreWiring& wiring, CoreLog& log) : wiring_(wiring), log_(log) {
        log_.secondInstance = wiring.secondInstance;
        log_.window = &events_;
        buildMenuItemTable(menu_);
    }
    ~FakeCore() override { log_.add("destroyed"); }

    bool beginStart() override {
        log_.add("beginStart");
        return log_.settingsReadable;
    }
    void finishStart() override {
        log_.add("finishStart");
        wiring_.timers.setTimer(kTimerReadout, platform::Milliseconds(5));
    }
    bool shutdown() override {
        wiring_.timers.killTimer(kTimerReadout);
        log_.add("shutdown");
        return log_.threadsEnd;
    }
    void onWorkerTimer(int timerId) override {
        if (timerId != kTimerReadout) return;
        ++log_.workerTicks;
        if (std::this_thread::get_id() == log_.userInterfaceThread)
            log_.tickOnUserInterfaceThread = true;
    }
    void onPowerEvent() override { log_.add("power"); }
    WindowServices windowServices() override {
        return WindowServices{
            .events = events_,
            .records = {radio_, menu_, flags_},
            .settings = settings_,
            .workingDirectory = wiring_.workingDirectory,
            .secondInstance = wiring_.secondInstance,
            .postRequest = [](Request, std::uintptr_t, std::intptr_t) { return true; },
            .closePort = [] { return true; },
            .link = log_.link,
            .menuTable = menu_,
            .menuListMemory = menuListMemory_,
        };
    }

  private:
    CoreWiring wiring_;
    CoreLog& log_;
    EventHub events_;
    RadioState radio_;
    MenuItemTable menu_;
    MenuListMemory menuListMemory_;
    LinkFlags flags_;
    commo::LinkSettings settings_;
};

class ApplicationTest : public ::testing::Test {
  protected:
    std::unique_ptr<PanelinkApplication> makeApp(
        platform::Clock* clock = nullptr,
        platform::Milliseconds splashTime = platform::Milliseconds(50)) {
        PanelinkApplication::Options options;
        options.clock = clock;
        options.workingDirectory = scratch_.path();
        options.lockDirectory = scratch_.path();
        options.splashTime = splashTime;
        options.makeCore = [this](const CoreWiring& wiring) {
            return std::make_unique<FakeCore>(wiring, log_);
        };
        options.boxes = &boxes_;
        options.quit = [this](int code) { exitCodes_.push_back(code); };
        options.hardExit = [this] { log_.add("hardExit"); };
        options.watchSignals = false;
        options.watchPower = false;
        options.openWindow = openWindow_;
        return std::make_unique<PanelinkApplication>(std::move(options));
    }

    bool waitForPhase(PanelinkApplication& app, Phase phase) {
        return waitUntil([&] { return app.phase() == phase; });
    }

    platform::ScratchDir scratch_{"panelink-app"};
    CoreLog log_;
    uitest::RecordingBoxes boxes_;
    std::vector<int> exitCodes_;
    std::string openWindow_;
};

TEST_F(ApplicationTest, StartsInOrderAndClosingTheWindowShutsDownWithExitCodeZero) {
    auto app = makeApp();
    app->start();
    EXPECT_EQ(app->phase(), Phase::Splash);
    ASSERT_NE(app->splash(), nullptr);
    EXPECT_TRUE(app->splash()->isVisible());
    EXPECT_TRUE(log_.all().empty());  // nothing runs during the splash
    EXPECT_FALSE(app->window()->isVisible());

    ASSERT_TRUE(waitForPhase(*app, Phase::Running));
    EXPECT_EQ(log_.all(), (std::vector<std::string>{"beginStart", "finishStart"}));
    EXPECT_TRUE(app->window()->isVisible());
    EXPECT_TRUE(waitUntil([&] { return app->splash() == nullptr; }));
    EXPECT_FALSE(log_.secondInstance);

    app->window()->close();  // the close box
    EXPECT_EQ(app->phase(), Phase::Ended);
    EXPECT_EQ(log_.all(), (std::vector<std::string>{"beginStart", "finishStart", "shutdown"}));
    EXPECT_EQ(exitCodes_, std::vector<int>{0});
    EXPECT_FALSE(app->window()->isVisible());

    app->requestShutdown();  // a late signal changes nothing
    app.reset();
    EXPECT_EQ(log_.all().back(), "destroyed");
    EXPECT_EQ(exitCodes_, std::vector<int>{0});
}

// How long the splash lasted on `clock`: from start() to the end of the splash phase.
platform::Milliseconds splashDuration(PanelinkApplication& app, const platform::Clock& clock) {
    std::optional<platform::TimePoint> ended;
    const QMetaObject::Connection watch =
        QObject::connect(&app, &PanelinkApplication::phaseChanged, [&](Phase phase) {
            if (phase != Phase::Splash && !ended) ended = clock.now();
        });
    const platform::TimePoint started = clock.now();
    app.start();
    const bool over = waitUntil([&] { return ended.has_value(); });
    QObject::disconnect(watch);
    if (!over) return {};
    return std::chrono::duration_cast<platform::Milliseconds>(*ended - started);
}

// The splash is a minimum wait: on a clock that Qt's timers run ahead of (as a coarse timer
// may end up to 5 % early), and on the steady clock with a splash long enough for Qt to choose
// a coarse timer. Lower bounds only.
TEST_F(ApplicationTest, TheSplashNeverEndsBeforeItsTime) {
    platform::SlowClock slow;
    auto app = makeApp(&slow, platform::Milliseconds(200));
    EXPECT_GE(splashDuration(*app, slow), platform::Milliseconds(200));
    app.reset();

    platform::SteadyClock steady;
    app = makeApp(&steady, platform::Milliseconds(2000));
    EXPECT_GE(splashDuration(*app, steady), platform::Milliseconds(2000));
}

TEST_F(ApplicationTest, UnreadableSettingsHoldTheStartAtTheMessageUntilTheUserClosesIt) {
    log_.settingsReadable = false;
    auto app = makeApp();
    app->start();
    ASSERT_TRUE(waitForPhase(*app, Phase::SettingsBox));
    ASSERT_EQ(boxes_.count(), 1u);
    EXPECT_EQ(boxes_.at(0).box.text, QString::fromUtf8(panelString(108).data()));
    QTest::qWait(100);
    EXPECT_EQ(log_.all(), std::vector<std::string>{"beginStart"});  // the port is not opened

    boxes_.close(0);
    EXPECT_EQ(app->phase(), Phase::Running);
    EXPECT_EQ(log_.all(), (std::vector<std::string>{"beginStart", "finishStart"}));
}

TEST_F(ApplicationTest, ShutdownWhileTheSettingsMessageWaitsClosesItAndNeverOpensThePort) {
    log_.settingsReadable = false;
    auto app = makeApp();
    app->start();
    ASSERT_TRUE(waitForPhase(*app, Phase::SettingsBox));

    app->requestShutdown();  // SIGTERM
    EXPECT_EQ(boxes_.openCount(), 0);
    EXPECT_EQ(app->phase(), Phase::Ended);
    EXPECT_EQ(log_.all(), (std::vector<std::string>{"beginStart", "shutdown"}));
    EXPECT_EQ(exitCodes_, std::vector<int>{0});
}

TEST_F(ApplicationTest, ShutdownDuringTheSplashStartsNothingAndLeavesTheSettingsAlone) {
    auto app = makeApp();
    app->start();
    app->requestShutdown();
    EXPECT_EQ(app->phase(), Phase::Ended);
    EXPECT_EQ(exitCodes_, std::vector<int>{0});
    QTest::qWait(200);  // the splash time passes
    EXPECT_EQ(app->phase(), Phase::Ended);
    EXPECT_TRUE(log_.all().empty());  // no start, and no shut-down that writes the file
}

TEST_F(ApplicationTest, ShutdownClosesBoxesAndAuxiliaryWindowsFirst) {
    auto app = makeApp();
    app->start();
    ASSERT_TRUE(waitForPhase(*app, Phase::Running));
    app->window()->handleMessage({platform::WM_APP + 0x109, 0, 0});
    AuxWindowRegistry& windows = app->window()->controller().windows();
    ASSERT_TRUE(windows.open(AuxWindow::ComSelect));
    ASSERT_EQ(boxes_.openCount(), 1);

    app->requestShutdown();
    EXPECT_EQ(boxes_.openCount(), 0);
    EXPECT_FALSE(windows.anyOpen());
    EXPECT_EQ(log_.all().back(), "shutdown");
    EXPECT_EQ(exitCodes_, std::vector<int>{0});
}

TEST_F(ApplicationTest, ATerminationSignalWhileRunningEndsTheRunThroughTheWindowsExit) {
    auto app = makeApp();
    app->start();
    ASSERT_TRUE(waitForPhase(*app, Phase::Running));
    bool cancelled = false;
    QObject::connect(app->window(), &FrontPanelDialog::cancelled, [&] { cancelled = true; });
    app->terminate();
    EXPECT_TRUE(cancelled);
    EXPECT_EQ(app->phase(), Phase::Ended);
    EXPECT_EQ(exitCodes_, std::vector<int>{0});
}

TEST_F(ApplicationTest, TheProgramHasTheConnectingNoticeAsAChildOfTheMainWindow) {
    auto app = makeApp();
    app->start();
    ASSERT_TRUE(waitForPhase(*app, Phase::Running));
    FrontPanelDialog& window = *app->window();
    ASSERT_TRUE(window.controller().windows().open(AuxWindow::ConnectingNotice));
    const auto* notice =
        qobject_cast<ConnectingNotice*>(window.auxWindow(AuxWindow::ConnectingNotice));
    ASSERT_NE(notice, nullptr);
    EXPECT_EQ(notice->parentWidget(), &window);
    EXPECT_TRUE(notice->isVisible());
}

TEST_F(ApplicationTest, TheProgramsMenuListHasTheIconAndRemembersItsLineBetweenOpenings) {
    auto app = makeApp();
    app->start();
    ASSERT_TRUE(waitForPhase(*app, Phase::Running));
    FrontPanelDialog& window = *app->window();
    AuxWindowRegistry& windows = window.controller().windows();
    ASSERT_TRUE(windows.open(AuxWindow::MenuList));
    auto* list = qobject_cast<MenuListWindow*>(window.auxWindow(AuxWindow::MenuList));
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->parentWidget(), &window);
    EXPECT_FALSE(list->windowIcon().isNull());
    ASSERT_GT(list->list()->count(), 10);
    list->list()->setCurrentRow(10);
    list->reject();
    EXPECT_FALSE(windows.isOpen(AuxWindow::MenuList));

    ASSERT_TRUE(windows.open(AuxWindow::MenuList));
    list = qobject_cast<MenuListWindow*>(window.auxWindow(AuxWindow::MenuList));
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->list()->currentRow(), 10);
}

TEST_F(ApplicationTest, AWindowNamedForAPictureOpensOnceThePanelIsUp) {
    openWindow_ = "notch";
    auto app = makeApp();
    app->start();
    ASSERT_TRUE(waitForPhase(*app, Phase::Running));
    EXPECT_TRUE(app->window()->controller().windows().isOpen(AuxWindow::Notch));
    ASSERT_NE(app->window()->auxWindow(AuxWindow::Notch), nullptr);
    EXPECT_TRUE(app->window()->auxWindow(AuxWindow::Notch)->isVisible());
}

TEST_F(ApplicationTest, AnUnknownWindowNameOpensNothing) {
    openWindow_ = "vcc";
    auto app = makeApp();
    app->start();
    ASSERT_TRUE(waitForPhase(*app, Phase::Running));
    EXPECT_FALSE(app->window()->controller().windows().anyOpen());
}

TEST_F(ApplicationTest, ThePanelSendsThroughTheCoresLink) {
    auto app = makeApp();
    app->start();
    ASSERT_TRUE(waitForPhase(*app, Phase::Running));
    QTest::mouseClick(app->window()->view(), Qt::LeftButton, {}, QPoint(612, 286));  // LOCK
    EXPECT_TRUE(log_.link.sent(Request::ToggleLock));
}

// F2 sends both commands of its line through the core's link, the second on timer 39; from
// the F key until the MENU LIST closes the keys send nothing.
TEST_F(ApplicationTest, TheProgramsShortcutKeysSendThroughTheCoresLinkButNotWhileTheMenuListIsUp) {
    platform::writeFile(scratch_.path() / "CommoFiles" / "VantorKSDEF.txt",
                        "FA014250000;MD03;\r\nMD01;\r\n");
    auto app = makeApp();
    app->start();
    ASSERT_TRUE(waitForPhase(*app, Phase::Running));
    FrontPanelDialog& window = *app->window();
    QTest::keyClick(window.view(), Qt::Key_F1);
    EXPECT_EQ(boxes_.count(), 1u) << "the version box";
    QTest::keyClick(window.view(), Qt::Key_F2);
    EXPECT_TRUE(waitUntil([&] { return log_.link.queued.size() == 2; }));
    EXPECT_EQ(log_.link.queued, (std::vector<std::string>{"FA014250000;", "MD03;"}));

    window.controller().processCode(PanelCode::Function);
    ASSERT_TRUE(waitUntil([&] { return window.auxWindow(AuxWindow::MenuList) != nullptr; }));
    auto* menuList = qobject_cast<MenuListWindow*>(window.auxWindow(AuxWindow::MenuList));
    ASSERT_NE(menuList, nullptr);
    QTest::keyClick(menuList->list(), Qt::Key_F3);
    QTest::keyClick(window.view(), Qt::Key_F3);
    QTest::qWait(100);
    EXPECT_EQ(log_.link.queued.size(), 2u);

    QTest::keyClick(menuList, Qt::Key_Escape);
    ASSERT_FALSE(window.controller().keysBlocked());
    QTest::keyClick(window.view(), Qt::Key_F3);
    EXPECT_TRUE(waitUntil([&] { return log_.link.queued.size() == 3; }));
    EXPECT_EQ(log_.link.queued.back(), "MD01;");
}

TEST_F(ApplicationTest, AStuckWorkerEndsTheProcessAtOnceAfterTheShutdown) {
    log_.threadsEnd = false;
    auto app = makeApp();
    app->start();
    ASSERT_TRUE(waitForPhase(*app, Phase::Running));
    app->requestShutdown();
    EXPECT_EQ(log_.all(),
              (std::vector<std::string>{"beginStart", "finishStart", "shutdown", "hardExit"}));
    EXPECT_TRUE(exitCodes_.empty());
    // In the program the process has ended here; the test's application goes normally.
}

TEST_F(ApplicationTest, ASecondCopyIsToldItIsTheSecondInstance) {
    platform::SingleInstanceLock first(platform::kPanelinkInstanceName, scratch_.path());
    ASSERT_TRUE(first.held());
    auto app = makeApp();
    app->start();
    EXPECT_TRUE(app->secondInstance());
    EXPECT_TRUE(log_.secondInstance);
}

TEST_F(ApplicationTest, WorkerTimersTickOffTheUserInterfaceThreadAndWorkerPostsReachTheWindow) {
    auto app = makeApp();
    app->start();
    ASSERT_TRUE(waitForPhase(*app, Phase::Running));
    // A worker timer (here the read-out step, set to 5 ms) runs on the worker timer thread even
    // while the user interface thread is busy.
    const int before = log_.workerTicks.load();
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    EXPECT_GT(log_.workerTicks.load(), before + 5);
    EXPECT_FALSE(log_.tickOnUserInterfaceThread.load());

    // A link failure posted from a worker thread shows its box.
    std::thread worker([&] { log_.window->post({platform::WM_APP + 0x109, 0, 0}); });
    worker.join();
    ASSERT_TRUE(waitUntil([&] { return boxes_.count() == 1; }));
    EXPECT_EQ(boxes_.at(0).box.text, QString::fromUtf8(panelString(106).data()));

    app->requestShutdown();
    const int afterShutdown = log_.workerTicks.load();
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_EQ(log_.workerTicks.load(), afterShutdown);
}

std::string printed(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", value);
    return text;
}

// Switches LC_NUMERIC to a German locale built for the test, as QApplication does for a user
// who has one; false when the machine cannot build it. LC_NUMERIC is "C" again afterwards.
class CommaLocale {
  public:
    explicit CommaLocale(const std::filesystem::path& directory) {
        std::filesystem::create_directories(directory);
        const QString target = QString::fromStdString((directory / "de_DE.UTF-8").string());
        if (QProcess::execute(QStringLiteral("localedef"),
                              {QStringLiteral("-i"), QStringLiteral("de_DE"), QStringLiteral("-f"),
                               QStringLiteral("UTF-8"), target}) != 0) {
            return;
        }
        setenv("LOCPATH", directory.c_str(), 1);
        active_ = std::setlocale(LC_NUMERIC, "de_DE.UTF-8") != nullptr;
        unsetenv("LOCPATH");
    }
    ~CommaLocale() { std::setlocale(LC_NUMERIC, "C"); }
    CommaLocale(const CommaLocale&) = delete;
    CommaLocale& operator=(const CommaLocale&) = delete;

    bool active() const { return active_; }

  private:
    bool active_ = false;
};

TEST_F(ApplicationTest, NumbersKeepTheirDecimalPointUnderAUsersCommaLocale) {
    const CommaLocale comma(scratch_.path() / "locales");
    if (!comma.active() || printed(0.5) != "0,50") GTEST_SKIP() << "no comma locale here";

    auto app = makeApp();
    EXPECT_EQ(printed(0.5), "0.50");
    const MenuItem shift = defaultMenuItem(50);  // RPT SFT, 10 hundredths of a MHz
    EXPECT_TRUE(menuListLine(shift, {}).ends_with(" 0.10MHz")) << menuListLine(shift, {});
}

}  // namespace
}  // namespace panelink
