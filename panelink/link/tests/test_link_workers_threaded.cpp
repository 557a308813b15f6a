#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "panelink/core/command_queue.h"
#include "panelink/core/messages.h"
#include "panelink/core/requests.h"
#include "panelink/core/timer_ids.h"
#include "panelink/link/anl_recv_thread.h"
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
// disabled, the menu built on its own thread, the 5 ms poll ticking on a timer thread. The
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

    platform::MessageThread anlRecvThread("Anl_Recv_Thread",
                                          [&](const platform::Message& m) { anlRecv.handle(m); });
    platform::MessageThread sioRecvThread("Sio_Recv_Thread",
                                          [&](const platform::Message& m) { sioRecv.handle(m); });
    platform::MessageThread sioSendThread("Sio_Send_Thread",
                                          [&](const platform::Message& m) { sioSend.handle(m); });
    platform::MessageThread menuDefThread("File_MenuListDefFile",
                                          [&](const platform::Message& m) { menuDef.handle(m); });
    core.threads = {&core.anlSend, &anlRecvThread, &sioSendThread, &sioRecvThread, &menuDefThread};
    timers.setTickHandler([&](int id) { dispatchWorkerTimer(services, watchdog, id); });

    ASSERT_TRUE(core.port.open(core.settings.port(), core.settings.baud(), false));
    EXPECT_EQ(pty->readMaster(4, 5s), "AI0;");
    ASSERT_TRUE(menuDefThread.start());
    ASSERT_TRUE(anlRecvThread.start());
    ASSERT_TRUE(sioRecvThread.start());
    timers.setTimer(kTimerPortPoll, 5ms);
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

    timers.killTimer(kTimerPortPoll);
    timers.killTimer(kTimerLinkWatchdog);
    timers.setTickHandler({});
    for (platform::MessageThread* thread : {&sioRecvThread, &anlRecvThread, &sioSendThread}) {
        EXPECT_TRUE(platform::stopThread(*thread, clock));
    }
}

}  // namespace
}  // namespace panelink
