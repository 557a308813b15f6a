#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "panelink/core/command_queue.h"
#include "panelink/core/message_queue.h"
#include "panelink/core/messages.h"
#include "panelink/core/timer_ids.h"
#include "panelink/link/anl_recv_thread.h"
#include "panelink/link/device_watch.h"
#include "panelink/link/link_watchdog.h"
#include "panelink/link/menu_definition_thread.h"
#include "panelink/link/sio_recv_thread.h"
#include "panelink/link/sio_send_thread.h"
#include "panelink/link/worker_timers.h"
#include "panelink/testing/core_rig.h"
#include "shared/platform/message_thread.h"
#include "shared/platform/pseudo_terminal.h"
#include "shared/platform/steady_clock.h"
#include "shared/platform/testing/wait_until.h"
#include "shared/platform/thread_timer_host.h"

namespace panelink {
namespace {

using namespace std::chrono_literals;

// Answers analysed on Anl_Recv_Thread, for the test thread to wait on.
class AnalysedAnswers {
  public:
    void add(std::string_view answer) {
        const std::lock_guard lock(mutex_);
        answers_.emplace_back(answer);
        changed_.notify_all();
    }
    bool waitFor(const std::string& answer, std::chrono::seconds timeout) {
        std::unique_lock lock(mutex_);
        return changed_.wait_for(lock, timeout, [&] {
            return std::find(answers_.begin(), answers_.end(), answer) != answers_.end();
        });
    }

  private:
    std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<std::string> answers_;
};

// Start-up as the program runs it: the port opened, the "PS;" queued while the link is still
// disabled, the menu built on its own thread, Sio_Recv_Thread waiting on the port. The
// command must go out once the link is enabled, and the radio's answer must come back
// through Sio_Recv_Thread and Anl_Recv_Thread.
TEST(LinkWorkersThreaded, StartUpCommandGoesOutAndTheAnswerComesBackThroughTheThreads) {
    std::optional<platform::PseudoTerminal> pty = platform::PseudoTerminal::create();
    ASSERT_TRUE(pty.has_value());

    platform::SteadyClock clock;
    platform::ThreadTimerHost timers;
    const std::string path = pty->slavePath();
    rig::CoreRig<> core({.resolver = [&path](int) { return std::string(path); },
                         .timers = &timers,
                         .clock = &clock});
    CoreServices& services = core.services;

    AnalysedAnswers analysed;
    AnlRecvThread anlRecv(services, [&analysed](std::string_view answer) { analysed.add(answer); });
    SioRecvThread sioRecv(services);
    SioSendThread sioSend(services);
    MenuDefinitionThread menuDef(services);
    LinkWatchdog watchdog(services);
    DeviceWatch deviceWatch(services);

    platform::MessageThread anlRecvThread("Anl_Recv_Thread",
                                          [&](const platform::Message& m) { anlRecv.handle(m); });
    platform::MessageThread sioRecvThread(
        "Sio_Recv_Thread", [&](const platform::Message& m) { sioRecv.handle(m); }, &sioRecv);
    platform::MessageThread sioSendThread("Sio_Send_Thread",
                                          [&](const platform::Message& m) { sioSend.handle(m); });
    platform::MessageThread menuDefThread("File_MenuListDefFile",
                                          [&](const platform::Message& m) { menuDef.handle(m); });
    core.threads = {&core.anlSend, &anlRecvThread, &sioSendThread, &sioRecvThread, &menuDefThread};
    timers.setTickHandler(
        [&](int id) { dispatchWorkerTimer(services, watchdog, deviceWatch, id); });

    ASSERT_TRUE(core.port.open(core.settings.port(), core.settings.baud(), false));
    EXPECT_EQ(pty->readMaster(4, 5s), "AI0;");
    ASSERT_TRUE(menuDefThread.start());
    ASSERT_TRUE(anlRecvThread.start());
    ASSERT_TRUE(sioRecvThread.start());
    ASSERT_TRUE(sioSendThread.start());
    ASSERT_TRUE(queueCommand(services, "PS;"));
    menuDefThread.post(message(ThreadMessage::BuildMenuTable));

    EXPECT_EQ(pty->readMaster(3, 5s), "PS;");
    EXPECT_TRUE(menuDefThread.waitForEnd(5000ms));
    EXPECT_TRUE(core.radio.linkEnabled());
    EXPECT_EQ(core.menu.itemCount(), 67);

    pty->writeMaster("PS1;");
    EXPECT_TRUE(analysed.waitFor("PS1", 5s));
    // The watchdog is started right after the analysis returns.
    EXPECT_TRUE(platform::waitUntil([&] { return timers.isTimerRunning(kTimerLinkWatchdog); }));

    // Later commands go out one per wake, in order.
    ASSERT_TRUE(queueCommand(services, "FA;"));
    ASSERT_TRUE(queueCommand(services, "LK1;"));
    EXPECT_EQ(pty->readMaster(7, 5s), "FA;LK1;");

    timers.killTimer(kTimerLinkWatchdog);
    timers.setTickHandler({});
    for (platform::MessageThread* thread : {&sioRecvThread, &anlRecvThread, &sioSendThread}) {
        EXPECT_TRUE(platform::stopThread(*thread, clock));
    }
}

// Sio_Recv_Thread on its thread, in virtual time that moves only when the test moves it: what
// ends its waits can only be the port, a change of the port, a post, or a line check the
// test let fall due.
struct ReceiverThreadTest : ::testing::Test {
    ReceiverThreadTest() {
        if (!pty) {
            std::fprintf(stderr, "no pseudo-terminal\n");
            std::abort();
        }
    }
    // A thread that missed its end message still ends at its next line check.
    ~ReceiverThreadTest() override {
        thread.post(message(ThreadMessage::EndThread));
        while (thread.isStarted() && !thread.waitForEnd(100ms))
            core.time.advance(kLineCheckPeriod);
    }

    std::size_t answers() const { return core.anlRecv.count(id(ThreadMessage::AnalyseAnswer)); }
    std::size_t waitingAtPort() {
        const std::optional<platform::SerialStatus> status = core.port.status();
        return status ? status->inputQueue : 0;
    }
    std::string popAnswer() {
        std::array<char, MessageQueue::kSlotSize> buffer{};
        const int length = core.receiveQueue.pop(buffer.data());
        return std::string(buffer.data(), static_cast<std::size_t>(std::max(length, 0)));
    }

    std::optional<platform::PseudoTerminal> pty = platform::PseudoTerminal::create();
    std::string path = pty ? pty->slavePath() : std::string();
    rig::CoreRig<> core{{.resolver = [this](int) { return path; }}};
    SioRecvThread receiver{core.services};
    platform::MessageThread thread{
        "Sio_Recv_Thread", [this](const platform::Message& m) { receiver.handle(m); }, &receiver};
};

TEST_F(ReceiverThreadTest, AnswersAndPortChangesWakeItAtOnceAndTheEndMessageEndsIt) {
    ASSERT_TRUE(core.port.open(1, 4800, false));
    ASSERT_EQ(pty->readMaster(4, 5s), "AI0;");
    core.radio.setLinkEnabled(true);
    ASSERT_TRUE(thread.start());

    pty->writeMaster("FA14250000;");
    EXPECT_TRUE(platform::waitUntil([&] { return answers() == 1; }));

    // A cut answer is held when another thread closes the port and the writer reopens it at
    // once, while the receiver may still be polling the old descriptor.
    pty->writeMaster("LK1;KM1AAAA");
    ASSERT_TRUE(platform::waitUntil([&] { return answers() == 2 && waitingAtPort() == 0; }));
    core.port.close();
    const PortOpenResult reopened = core.port.open(1, 4800, false);
    ASSERT_TRUE(reopened) << "errno " << (reopened.failure ? reopened.failure->error : 0);
    ASSERT_EQ(pty->readMaster(4, 5s), "AI0;");
    pty->writeMaster("ID0244;");
    EXPECT_TRUE(platform::waitUntil([&] { return answers() == 3; }));
    EXPECT_EQ(popAnswer(), "FA14250000");
    EXPECT_EQ(popAnswer(), "LK1");
    EXPECT_EQ(popAnswer(), "ID0244");

    // An unplug ends the wait too.
    pty->closeMaster();
    EXPECT_TRUE(platform::waitUntil([&] { return !core.port.isOpen(); }));

    EXPECT_EQ(core.time.elapsed(), 0ms);  // no line check was needed for any of it
    ASSERT_TRUE(thread.post(message(ThreadMessage::EndThread)));
    EXPECT_TRUE(thread.waitForEnd(10000ms));
}

TEST_F(ReceiverThreadTest, WhileTheLinkIsIdleBytesStayAtThePortUntilALineCheckFindsItEnabled) {
    ASSERT_TRUE(core.port.open(1, 4800, false));
    ASSERT_EQ(pty->readMaster(4, 5s), "AI0;");
    ASSERT_TRUE(thread.start());
    pty->writeMaster("LK1;");
    ASSERT_TRUE(platform::waitUntil([&] { return waitingAtPort() == 4; }));
    std::this_thread::sleep_for(50ms);  // a chance to go wrong
    EXPECT_EQ(waitingAtPort(), 4u);
    EXPECT_EQ(answers(), 0u);

    // Nobody says the link is enabled: the next line check finds out.
    core.radio.setLinkEnabled(true);
    EXPECT_TRUE(platform::waitUntil([&] {
        core.time.advance(kLineCheckPeriod);
        return answers() == 1;
    }));
    EXPECT_EQ(popAnswer(), "LK1");
}

}  // namespace
}  // namespace panelink
