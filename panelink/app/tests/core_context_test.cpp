// Start-up and shut-down of the core context in virtual time, with its real worker threads
// and a pseudo-terminal as the radio's port.
#include "panelink/app/core_context.h"

#include <gtest/gtest.h>

#include <array>
#include <cerrno>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "panelink/app/tests/core_test_support.h"
#include "panelink/cat/command_state.h"
#include "panelink/cat/radio_state.h"
#include "panelink/core/core_services.h"
#include "panelink/core/link_flags.h"
#include "panelink/core/message_queue.h"
#include "panelink/core/messages.h"
#include "panelink/core/requests.h"
#include "panelink/core/timer_ids.h"
#include "panelink/link/com_port.h"
#include "panelink/link/worker_timers.h"
#include "panelink/menu/menu_item_table.h"
#include "shared/formats/link_settings.h"
#include "shared/formats/port_map.h"
#include "shared/formats/testing/working_dir.h"
#include "shared/platform/message_thread.h"
#include "shared/platform/pseudo_terminal.h"
#include "shared/platform/testing/wait_until.h"
#include "shared/platform/virtual_time.h"

namespace panelink {
namespace {

using namespace std::chrono_literals;
using commo::ScratchWorkingDir;
using platform::waitUntil;
using testing::PacedVirtualClock;
using testing::TestWindow;

constexpr std::uint32_t kFaDisplayUpdate = WM_APP + 0x333;

// What the test saw when the context reported a step.
struct StepView {
    CoreStep step;
    platform::Milliseconds elapsed;  // virtual time since the test began
    bool portOpen;
    // Started (and ended) flags of Anl_Recv, Sio_Recv, Sio_Send, Anl_Send, File_MenuListDefFile.
    std::array<bool, 5> started;
    std::array<bool, 5> ended;
    std::optional<platform::Milliseconds> statusPoll, infoPoll;
    bool anyWorkerTimer;
    std::optional<std::string> settingsFile;
};

class CoreContextTest : public ::testing::Test {
  protected:
    void SetUp() override {
        int error = 0;
        pty_ = platform::PseudoTerminal::create(&error);
        ASSERT_TRUE(pty_.has_value()) << "no pseudo-terminal, errno " << error;
    }

    void TearDown() override { destroy(); }

    // COMn of the port table names the pseudo-terminal.
    void mapPort(int number) {
        ASSERT_TRUE(commo::setPortMapping(dir_.path(), number, pty_->slavePath()));
    }

    CoreContext& make(bool secondInstance = false) {
        CoreContext::Options options;
        options.workingDirectory = dir_.path();
        options.secondInstance = secondInstance;
        options.onStep = [this](CoreStep step) { steps_.push_back(view(step)); };
        context_ = std::make_unique<CoreContext>(window_, time_, clock_, std::move(options));
        CoreContext* context = context_.get();
        time_.setTickHandler([context](int id) { context->onWorkerTimer(id); });
        return *context_;
    }

    void destroy() {
        if (window_held_) window_.release();
        time_.setTickHandler({});
        context_.reset();
    }

    platform::MessageThread& thread(platform::MessageSink* sink) {
        auto* thread = dynamic_cast<platform::MessageThread*>(sink);
        EXPECT_NE(thread, nullptr);
        return *thread;
    }

    std::array<platform::MessageThread*, 5> threads() {
        ThreadSinks& sinks = context_->services().threads;
        return {&thread(sinks.anlRecv), &thread(sinks.sioRecv), &thread(sinks.sioSend),
                &thread(sinks.anlSend), &thread(sinks.menuDef)};
    }

    StepView view(CoreStep step) {
        StepView seen{step,  time_.elapsed(), context_->port().isOpen(), {}, {}, {}, {},
                      false, std::nullopt};
        const auto all = threads();
        for (std::size_t i = 0; i < all.size(); ++i) {
            seen.started[i] = all[i]->isStarted();
            seen.ended[i] = all[i]->hasEnded();
        }
        seen.statusPoll = time_.timerPeriod(kTimerStatusPoll);
        seen.infoPoll = time_.timerPeriod(kTimerInfoPoll);
        for (int id : workerTimerIds())
            seen.anyWorkerTimer = seen.anyWorkerTimer || time_.isTimerRunning(id);
        if (!std::filesystem::is_directory(dir_.commoFile("CommSetting.csv")))
            seen.settingsFile = dir_.readCommoFile("CommSetting.csv");
        return seen;
    }

    std::vector<CoreStep> stepsSeen() const {
        std::vector<CoreStep> result;
        for (const StepView& seen : steps_)
            result.push_back(seen.step);
        return result;
    }

    const StepView& at(CoreStep step) const {
        for (const StepView& seen : steps_) {
            if (seen.step == step) return seen;
        }
        ADD_FAILURE() << "step not reported: " << coreStepName(step);
        return steps_.front();
    }

    // The bytes the context wrote to its port, waiting up to a few seconds for `count`.
    std::string wire(std::size_t count) { return pty_->readMaster(count, 5000ms); }

    // Starts both halves and waits for the start-up commands on the line.
    void startAndConnectLine() {
        make();
        context_->beginStart();
        context_->finishStart();
        ASSERT_EQ(wire(7), "AI0;PS;");
    }

    // Ticks the worker timers in 5 ms steps of virtual time until `condition` holds.
    bool tickUntil(const std::function<bool()>& condition) {
        return waitUntil([&] {
            if (condition()) return true;
            time_.advance(5ms);
            return condition();
        });
    }

    ScratchWorkingDir dir_;
    std::optional<platform::PseudoTerminal> pty_;
    platform::VirtualTime time_;
    PacedVirtualClock clock_{time_};
    TestWindow window_;
    bool window_held_ = false;
    std::vector<StepView> steps_;
    std::unique_ptr<CoreContext> context_;
};

// The workers must never see records that are not ready, and the port is opened only after
// the settings are read (the window shows its message about an unreadable file first).
TEST_F(CoreContextTest, StartUpBringsRecordsSettingsPortAndThreadsUpInOrder) {
    mapPort(1);
    dir_.writeCommoFile("CommSetting.csv", "1,38400,5\n");
    CoreContext& context = make();

    EXPECT_TRUE(context.beginStart());
    EXPECT_EQ(stepsSeen(),
              (std::vector<CoreStep>{CoreStep::RecordsReset, CoreStep::MenuThreadStarted,
                                     CoreStep::MenuBuildPosted, CoreStep::CommandStateReset,
                                     CoreStep::SettingsRead}));
    // The menu-definition thread runs first, alone, and is asked to build 10 ms later.
    EXPECT_EQ(at(CoreStep::MenuThreadStarted).started,
              (std::array<bool, 5>{false, false, false, false, true}));
    EXPECT_EQ(at(CoreStep::MenuBuildPosted).elapsed - at(CoreStep::MenuThreadStarted).elapsed,
              10ms);
    EXPECT_EQ(context.settings().baud(), 38400);
    EXPECT_EQ(context.settings().storedValue(), 5);
    EXPECT_FALSE(context.port().isOpen());
    EXPECT_EQ(pty_->readMaster(), "");

    steps_.clear();
    context.finishStart();
    EXPECT_EQ(stepsSeen(),
              (std::vector<CoreStep>{CoreStep::PortOpened, CoreStep::AnlRecvStarted,
                                     CoreStep::SioRecvStarted, CoreStep::SioSendStarted,
                                     CoreStep::AnlSendStarted, CoreStep::StartCommandQueued}));
    // Each thread starts only after everything it uses is ready: the port before any
    // worker, the status polls with the sender. The reader waits on the port itself: no
    // worker timer runs before the sender's.
    EXPECT_TRUE(at(CoreStep::PortOpened).portOpen);
    EXPECT_EQ(at(CoreStep::PortOpened).started,
              (std::array<bool, 5>{false, false, false, false, true}));
    EXPECT_EQ(at(CoreStep::AnlRecvStarted).started,
              (std::array<bool, 5>{true, false, false, false, true}));
    EXPECT_EQ(at(CoreStep::SioRecvStarted).started,
              (std::array<bool, 5>{true, true, false, false, true}));
    EXPECT_FALSE(at(CoreStep::SioRecvStarted).anyWorkerTimer);
    EXPECT_EQ(at(CoreStep::SioSendStarted).started,
              (std::array<bool, 5>{true, true, true, false, true}));
    EXPECT_EQ(at(CoreStep::AnlSendStarted).started,
              (std::array<bool, 5>{true, true, true, true, true}));
    EXPECT_EQ(at(CoreStep::AnlSendStarted).statusPoll, 1000ms);
    EXPECT_EQ(at(CoreStep::AnlSendStarted).infoPoll, 1000ms);

    // The open writes the auto-information command; "PS;" follows once the menu table is
    // built and the link enabled.
    EXPECT_EQ(wire(7), "AI0;PS;");
    EXPECT_TRUE(waitUntil([&] { return thread(context.services().threads.menuDef).hasEnded(); }));
    EXPECT_TRUE(context.radio().linkEnabled());
    EXPECT_EQ(context.menu().itemCount(), 67);
}

// A second copy keeps to CommSettingTmp.csv; a file it cannot read leaves the defaults, and
// the port is still opened; the defaults are written back at the end.
TEST_F(CoreContextTest, SecondInstanceWithoutItsSettingsFileUsesDefaultsAndWritesThemBack) {
    mapPort(1);
    dir_.writeCommoFile("CommSetting.csv", "3,9600,7\n");
    CoreContext& context = make(/*secondInstance=*/true);

    EXPECT_FALSE(context.beginStart());
    EXPECT_EQ(context.settings().port(), 1);
    EXPECT_EQ(context.settings().baud(), 4800);
    EXPECT_EQ(context.settings().storedValue(), 0);
    EXPECT_TRUE(window_.recorded().messages().empty());

    context.finishStart();
    EXPECT_EQ(wire(7), "AI0;PS;");
    EXPECT_TRUE(context.shutdown());
    EXPECT_EQ(dir_.readCommoFile("CommSettingTmp.csv"), "1,4800,0\n");
    EXPECT_EQ(dir_.readCommoFile("CommSetting.csv"), "3,9600,7\n");
}

TEST_F(CoreContextTest, SettingsThatCannotBeWrittenBackDoNotHoldUpTheShutDownButAreReported) {
    mapPort(1);
    startAndConnectLine();
    EXPECT_TRUE(context_->settingsSaved());
    // A directory where the file should go: nothing can replace it.
    std::filesystem::remove(dir_.commoFile("CommSetting.csv"));
    std::filesystem::create_directory(dir_.commoFile("CommSetting.csv"));
    EXPECT_TRUE(context_->shutdown());
    EXPECT_FALSE(context_->settingsSaved());
}

// The window learns why from the link flags it draws from. The radio is often switched on
// and plugged in after the program started: the port opens by itself when it appears.
TEST_F(CoreContextTest, AMissingAdapterAtStartIsReportedOnceAndOpenedWhenItIsPluggedIn) {
    const std::string missing = (dir_.path() / "no-such-adapter").string();
    ASSERT_TRUE(commo::setPortMapping(dir_.path(), 1, missing));
    CoreContext& context = make();
    context.beginStart();
    context.finishStart();
    const auto boxes = [&] { return window_.recorded().count(id(WindowMessage::LinkFailure)); };
    ASSERT_EQ(boxes(), 1u);
    EXPECT_EQ(context.flags().portFailure.get(), (PortFailure{missing, ENOENT}));
    // The start-up "PS;" tries the port once more, quietly.
    ASSERT_TRUE(tickUntil([&]() -> bool { return context.services().sendQueue.pending() == 0; }));
    time_.advance(3000ms);
    EXPECT_FALSE(context.port().isOpen());
    EXPECT_EQ(boxes(), 1u);

    mapPort(1);
    time_.advance(1000ms);
    EXPECT_TRUE(context.port().isOpen());
    EXPECT_EQ(wire(4), "AI0;");
    // A second later the radio is asked again whether it is on; "PS1" would connect.
    time_.advance(1000ms);
    EXPECT_EQ(wire(3), "PS;");
    time_.advance(5000ms);
    EXPECT_EQ(pty_->readMaster(), "");
    EXPECT_EQ(boxes(), 1u);
    EXPECT_TRUE(context.shutdown());
}

TEST_F(CoreContextTest, ShutdownClosesThePortForGoodWritesSettingsThenStopsThreadsInOrder) {
    mapPort(3);
    dir_.writeCommoFile("CommSetting.csv", "3,9600,7\n");
    make();
    ASSERT_TRUE(context_->beginStart());
    context_->finishStart();
    ASSERT_EQ(wire(7), "AI0;PS;");
    // Worker timers running, as in a connected run.
    time_.setTimer(kTimerLinkWatchdog, 3000ms);
    context_->settings().setBaud(19200);
    dir_.writeCommoFile("CommSetting.csv", "");

    steps_.clear();
    EXPECT_TRUE(context_->shutdown());
    EXPECT_TRUE(context_->stuckThreads().empty());
    EXPECT_EQ(stepsSeen(),
              (std::vector<CoreStep>{CoreStep::PortClosed, CoreStep::SettingsWritten,
                                     CoreStep::WorkerTimersKilled, CoreStep::SioRecvStopped,
                                     CoreStep::AnlRecvStopped, CoreStep::AnlSendStopped,
                                     CoreStep::SioSendStopped, CoreStep::MenuThreadEnded}));
    // The port is closed before the file is written, the file before any thread is stopped.
    EXPECT_FALSE(at(CoreStep::PortClosed).portOpen);
    EXPECT_EQ(at(CoreStep::PortClosed).settingsFile, "");
    EXPECT_EQ(at(CoreStep::SettingsWritten).settingsFile, "3,19200,7\n");
    EXPECT_FALSE(at(CoreStep::WorkerTimersKilled).anyWorkerTimer);
    EXPECT_EQ(at(CoreStep::WorkerTimersKilled).ended,
              (std::array<bool, 5>{false, false, false, false, true}));
    // Threads end one by one: Sio_Recv, Anl_Recv, Anl_Send, Sio_Send.
    EXPECT_EQ(at(CoreStep::SioRecvStopped).ended,
              (std::array<bool, 5>{false, true, false, false, true}));
    EXPECT_EQ(at(CoreStep::AnlRecvStopped).ended,
              (std::array<bool, 5>{true, true, false, false, true}));
    EXPECT_EQ(at(CoreStep::AnlSendStopped).ended,
              (std::array<bool, 5>{true, true, false, true, true}));
    EXPECT_EQ(at(CoreStep::SioSendStopped).ended,
              (std::array<bool, 5>{true, true, true, true, true}));

    // Nothing reopens the port afterwards, and requests are not taken any more.
    EXPECT_FALSE(context_->port().open(3, 9600, false));
    EXPECT_FALSE(context_->postRequest(Request::ReadId));
    context_->onWorkerTimer(kTimerStatusPoll);
    EXPECT_EQ(pty_->readMaster(1, 200ms), "");

    // A second call changes nothing.
    dir_.writeCommoFile("CommSetting.csv", "");
    EXPECT_TRUE(context_->shutdown());
    EXPECT_EQ(dir_.readCommoFile("CommSetting.csv"), "");
}

// A worker that never returns from a handler (here: a window that hangs on a post) is given
// 52 end messages, 100 ms apart, and then given up; the threads after it are still stopped.
TEST_F(CoreContextTest, ThreadThatDoesNotEndIsGivenUpAfter52PostsAndReported) {
    mapPort(1);
    startAndConnectLine();
    window_.holdOn(kFaDisplayUpdate);
    window_held_ = true;
    pty_->writeMaster("FA14250000;");
    ASSERT_TRUE(tickUntil([&] { return window_.waitUntilHolding(0ms); }));

    EXPECT_FALSE(context_->shutdown());
    EXPECT_EQ(context_->stuckThreads(), std::vector<std::string>{"Anl_Recv_Thread"});
    EXPECT_EQ(at(CoreStep::AnlRecvStopped).elapsed - at(CoreStep::SioRecvStopped).elapsed, 5100ms);
    EXPECT_EQ(thread(context_->services().threads.anlRecv).pendingMessages(), 52u);
    EXPECT_EQ(at(CoreStep::SioSendStopped).ended,
              (std::array<bool, 5>{false, true, true, true, true}));

    // Once the window lets go the thread takes its end message and the context can go.
    window_.release();
    EXPECT_TRUE(waitUntil([&] { return thread(context_->services().threads.anlRecv).hasEnded(); }));
    EXPECT_EQ(context_->radio().get(RadioField::FA), 14250000);
}

// The window's raw texts are woken through Anl_Send_Thread; refused texts leave nothing
// behind that would make a later command lag. A power event closes the port, and the next
// write reopens it with the auto-information command first.
TEST_F(CoreContextTest, RawCommandsAfterAPowerEventReopenThePortAndRefusedTextsLeaveNoTrace) {
    mapPort(1);
    startAndConnectLine();

    EXPECT_FALSE(context_->queueRawCommand(""));
    EXPECT_FALSE(context_->queueRawCommand(std::string(512, 'A')));
    EXPECT_FALSE(context_->queueRawCommand(std::string_view("FA;\0FB;", 7)));

    context_->onPowerEvent();
    EXPECT_FALSE(context_->port().isOpen());
    EXPECT_TRUE(context_->queueRawCommand(std::string(510, 'B') + ";"));
    EXPECT_EQ(wire(4), "AI0;");
    EXPECT_EQ(wire(511), std::string(510, 'B') + ";");
    EXPECT_TRUE(context_->port().isOpen());

    EXPECT_TRUE(context_->postRequest(Request::ReadId));
    EXPECT_EQ(wire(3), "ID;");
    EXPECT_EQ(pty_->readMaster(1, 100ms), "");
}

// A window closed while the settings message is up destroys the context after the first
// half only: the menu thread is ended and nothing is written.
TEST_F(CoreContextTest, ContextDestroyedAfterTheFirstHalfEndsQuietly) {
    mapPort(1);
    CoreContext& context = make();
    EXPECT_FALSE(context.beginStart());
    destroy();
    EXPECT_FALSE(dir_.readCommoFile("CommSetting.csv").has_value());
    EXPECT_EQ(pty_->readMaster(), "");
}

}  // namespace
}  // namespace panelink
