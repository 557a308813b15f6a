#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <set>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "panelink/cat/menu_setup.h"
#include "panelink/core/command_queue.h"
#include "panelink/core/message_queue.h"
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
#include "shared/platform/pseudo_terminal.h"
#include "shared/platform/testing/wait_until.h"

namespace panelink {
namespace {

using namespace std::chrono_literals;
using platform::Message;
using platform::PseudoTerminal;

std::string popText(MessageQueue& queue) {
    std::array<char, MessageQueue::kSlotSize> buffer{};
    const int length = queue.pop(buffer.data());
    return std::string(buffer.data(), static_cast<std::size_t>(std::max(length, 0)));
}

// Every record and service of the core, with recording sinks for the threads, virtual time,
// and a port that opens whatever devicePath names (nothing, until a pty is plugged in).
struct LinkTest : ::testing::Test, rig::CoreRig<> {
    LinkTest()
        : CoreRig({.resolver = [this](int) {
              ++opens;
              return devicePath;
          }}) {}

    std::string devicePath = "/dev/no-such-serial-port";
    int opens = 0;
    std::optional<PseudoTerminal> pty;

    void plugIn() {
        pty = PseudoTerminal::create();
        if (!pty) {
            std::fprintf(stderr, "no pseudo-terminal\n");
            std::abort();
        }
        devicePath = pty->slavePath();
    }

    // Opens the port as start-up does and takes the "AI0;" it writes.
    void plugInAndOpen() {
        plugIn();
        ASSERT_TRUE(port.open(1, 4800, false));
        ASSERT_EQ(pty->readMaster(4, 2s), "AI0;");
    }

    void writeToPort(const std::string& bytes) {
        std::size_t written = 0;
        const auto deadline = std::chrono::steady_clock::now() + 5s;
        while (written < bytes.size() && std::chrono::steady_clock::now() < deadline) {
            written += pty->writeMaster(std::string_view(bytes).substr(written));
            if (written < bytes.size()) std::this_thread::sleep_for(1ms);
        }
        ASSERT_EQ(written, bytes.size());
    }

    // Waits (real time) until the port holds at least n unread bytes.
    void waitForInput(std::size_t n) {
        ASSERT_TRUE(platform::waitUntil([&] {
            const std::optional<platform::SerialStatus> status = port.status();
            return status && status->inputQueue >= n;
        })) << "the port never held "
            << n << " bytes";
    }

    // Hands every wake posted to Sio_Send_Thread so far to `sender`, as its thread would.
    SioSendThread sender{services};
    std::size_t wakesHandled = 0;
    void deliverWakes() {
        const std::vector<Message> posted = sioSend.posted();
        for (; wakesHandled < posted.size(); ++wakesHandled)
            sender.handle(posted[wakesHandled]);
    }
};

// --- Sio_Recv_Thread ---------------------------------------------------------------------

using SioRecvTest = LinkTest;

TEST_F(SioRecvTest, IdleUntilTheLinkIsEnabledThenHandsOnEachAnswerOnce) {
    plugInAndOpen();
    buildMenuItemTable(menu, radio);  // the live menu: item 65 has 11 digits
    SioRecvThread receiver(services);
    writeToPort("FA1425");
    waitForInput(6);
    receiver.handle(message(ThreadMessage::PollPort));
    EXPECT_EQ(receiver.framer().count(), 0u);
    EXPECT_FALSE(receiver.rtsLevel().has_value());  // not even RTS is touched

    radio.setLinkEnabled(true);
    flags.answerPending = true;
    receiver.handle(message(ThreadMessage::PollPort));
    EXPECT_TRUE(receiver.framer().inFrame());
    EXPECT_EQ(anlRecv.count(id(ThreadMessage::AnalyseAnswer)), 0u);
    EXPECT_TRUE(flags.answerPending);

    writeToPort("0000;EX06511111111111;EX0681;LK1;");
    waitForInput(33);
    receiver.pollPort();
    EXPECT_EQ(anlRecv.count(id(ThreadMessage::AnalyseAnswer)), 1u);
    EXPECT_FALSE(flags.answerPending);
    for (int poll = 0; poll < 4; ++poll)
        receiver.pollPort();
    EXPECT_EQ(anlRecv.ids(), std::vector<std::uint32_t>(3, id(ThreadMessage::AnalyseAnswer)));
    EXPECT_EQ(popText(receiveQueue), "FA14250000");
    EXPECT_EQ(popText(receiveQueue), "EX06511111111111");
    EXPECT_EQ(popText(receiveQueue), "LK1");
    EXPECT_EQ(receiveQueue.pending(), 0);
}

TEST_F(SioRecvTest, DropsRtsFrom2048HeldAndRaisesItAgainAt1024OrLess) {
    plugInAndOpen();
    radio.setLinkEnabled(true);
    SioRecvThread receiver(services);
    std::string burst;
    for (int i = 0; i < 700; ++i)
        burst += "LK1;";
    writeToPort(burst);
    waitForInput(burst.size());

    bool dropped = false;
    bool raisedAfterDrop = false;
    std::optional<bool> level;
    for (int poll = 0; poll < 800; ++poll) {
        const std::size_t held = receiver.framer().count();
        receiver.pollPort();
        const std::optional<bool> expected = held >= 2048 ? false : held <= 1024 ? true : level;
        EXPECT_EQ(receiver.rtsLevel(), expected) << held;
        dropped = dropped || (level == true && receiver.rtsLevel() == false);
        raisedAfterDrop = raisedAfterDrop || (dropped && receiver.rtsLevel() == true);
        level = receiver.rtsLevel();
    }
    EXPECT_TRUE(dropped);
    EXPECT_TRUE(raisedAfterDrop);
    EXPECT_EQ(anlRecv.count(id(ThreadMessage::AnalyseAnswer)), 700u);
    EXPECT_EQ(receiveQueue.pending(), 700);
    // A driver overflow drops RTS whatever is held.
    EXPECT_EQ(rtsActionFor(0, platform::kLineErrorReceiveOverflow), RtsAction::Drop);
}

TEST_F(SioRecvTest, ABadLineClosesThePortAndTheHeldAnswersStillComeOut) {
    plugInAndOpen();
    radio.setLinkEnabled(true);
    SioRecvThread receiver(services);
    writeToPort("FA14250000;LK1;");
    waitForInput(15);
    receiver.pollPort();
    ASSERT_EQ(anlRecv.count(id(ThreadMessage::AnalyseAnswer)), 1u);

    pty->closeMaster();  // unplugged
    receiver.pollPort();
    EXPECT_FALSE(port.isOpen());
    EXPECT_EQ(anlRecv.count(id(ThreadMessage::AnalyseAnswer)), 2u);
    EXPECT_EQ(popText(receiveQueue), "FA14250000");
    EXPECT_EQ(popText(receiveQueue), "LK1");
}

// --- Sio_Send_Thread and the menu definition thread ---------------------------------------

using SioSendTest = LinkTest;

TEST_F(SioSendTest, CommandsQueuedBeforeTheLinkIsEnabledGoOutWhenItIs) {
    plugInAndOpen();
    ASSERT_TRUE(queueCommand(services, "PS;"));  // the start-up power-state read
    deliverWakes();
    EXPECT_EQ(sender.deferredWrites(), 1);
    EXPECT_EQ(pty->readMaster(1, 100ms), "");

    MenuDefinitionThread definition(services);
    definition.handle(message(ThreadMessage::BuildMenuTable));
    EXPECT_TRUE(radio.linkEnabled());
    EXPECT_EQ(radio.menuItemCount(), 67);
    EXPECT_EQ(menu.itemCount(), 67);
    EXPECT_EQ(menuDef.posted(), (std::vector<Message>{message(ThreadMessage::EndThread)}));
    EXPECT_EQ(sioSend.posted().back(),
              (message(ThreadMessage::WriteCommand, kReplayDeferredWrites, 0)));

    deliverWakes();
    EXPECT_EQ(pty->readMaster(3, 2s), "PS;");
    EXPECT_TRUE(flags.answerPending);
    // The next command goes out on its own wake, not one behind; a second replay finds nothing.
    ASSERT_TRUE(queueCommand(services, "FA;"));
    deliverWakes();
    sender.handle(message(ThreadMessage::WriteCommand, kReplayDeferredWrites, 0));
    EXPECT_EQ(pty->readMaster(4, 200ms), "FA;");
}

TEST_F(SioSendTest, AWakeThatOvertakesTheReplayWritesTheDeferredCommandsFirst) {
    plugInAndOpen();
    ASSERT_TRUE(queueCommand(services, "PS;"));
    ASSERT_TRUE(queueCommand(services, "AI1;"));
    deliverWakes();
    radio.setLinkEnabled(true);
    ASSERT_TRUE(queueCommand(services, "ID;"));
    deliverWakes();
    sender.handle(message(ThreadMessage::WriteCommand, kReplayDeferredWrites, 0));
    EXPECT_EQ(pty->readMaster(11, 200ms), "PS;AI1;ID;");
    EXPECT_TRUE(flags.aiCommanded);
}

TEST_F(SioSendTest, ReopensAfterAnUnplugWritingTheAutoInformationCommandFirst) {
    radio.setLinkEnabled(true);
    // No port at first: the command is dropped, and the failure is reported.
    ASSERT_TRUE(queueCommand(services, "FA;"));
    deliverWakes();
    EXPECT_FALSE(port.isOpen());
    EXPECT_EQ(window.count(id(WindowMessage::LinkFailure)), 1u);
    EXPECT_FALSE(flags.answerPending);

    plugIn();
    ASSERT_TRUE(queueCommand(services, "FA;"));
    deliverWakes();
    EXPECT_EQ(pty->readMaster(7, 2s), "AI0;FA;");
    EXPECT_EQ(time.elapsed(), 100ms);  // the pause between the open and the command

    pty->closeMaster();  // unplugged: the bad line closes the port, the command is lost
    ASSERT_TRUE(queueCommand(services, "LK1;"));
    deliverWakes();
    EXPECT_FALSE(port.isOpen());

    plugIn();
    ASSERT_TRUE(command.store(CommandField::AI, 1));
    ASSERT_TRUE(queueCommand(services, "IF;"));
    deliverWakes();
    EXPECT_EQ(pty->readMaster(7, 2s), "AI1;IF;");
    EXPECT_TRUE(flags.aiCommanded);

    // While open: no pause, and the flag follows what is written.
    ASSERT_TRUE(queueCommand(services, "AI0;"));
    ASSERT_TRUE(queueCommand(services, "AI1"));
    deliverWakes();
    EXPECT_EQ(pty->readMaster(7, 2s), "AI0;AI1");
    EXPECT_FALSE(flags.aiCommanded);  // "AI1" without its ";" is not the command
    EXPECT_EQ(time.sleepCount(), 2);
}

TEST_F(SioSendTest, NeverOpensOnceShutDownHasBegunAndAnEmptyWakeTouchesNothing) {
    plugIn();
    radio.setLinkEnabled(true);
    flags.shuttingDown = true;
    ASSERT_TRUE(queueCommand(services, "FA;"));
    deliverWakes();
    EXPECT_EQ(opens, 0);
    EXPECT_EQ(pty->readMaster(1, 100ms), "");

    flags.shuttingDown = false;
    sender.handle(message(ThreadMessage::WriteCommand));  // nothing queued
    EXPECT_EQ(opens, 0);
    EXPECT_FALSE(flags.answerPending);
}

TEST_F(SioSendTest, QueueCommandRefusesEmptyOversizedAndNulTextWithoutAWake) {
    EXPECT_FALSE(queueCommand(services, ""));
    EXPECT_FALSE(queueCommand(services, std::string(512, 'K')));
    EXPECT_FALSE(queueCommand(services, std::string("FA\0;", 4)));
    EXPECT_EQ(sioSend.count(id(ThreadMessage::WriteCommand)), 0u);
    EXPECT_EQ(sendQueue.pending(), 0);

    const std::string longest = "KM1" + std::string(507, 'A') + ";";
    EXPECT_TRUE(queueCommand(services, longest));
    EXPECT_TRUE(queueCommand(services, "PS;"));
    EXPECT_EQ(sioSend.count(id(ThreadMessage::WriteCommand)), 2u);
    EXPECT_EQ(popText(sendQueue), longest);
    EXPECT_EQ(popText(sendQueue), "PS;");
}

// --- Anl_Recv_Thread, the link watchdog and the worker timers ------------------------------

struct AnlRecvTest : LinkTest {
    std::vector<std::string> analysed;
    std::vector<bool> watchdogRunningDuringAnalysis;
    AnlRecvThread analyser{
        services, [this](std::string_view answer) {
            analysed.emplace_back(answer);
            watchdogRunningDuringAnalysis.push_back(time.isTimerRunning(kTimerLinkWatchdog));
        }};
    LinkWatchdog watchdog{services};
    std::vector<long long> watchdogTicks;

    AnlRecvTest() {
        time.setTickHandler([this](int id) {
            if (id == kTimerLinkWatchdog) watchdogTicks.push_back(time.elapsed().count());
            dispatchWorkerTimer(services, watchdog, id);
        });
    }

    void receive(std::string_view answer) {
        receiveQueue.push(static_cast<int>(answer.size()), answer.data());
        analyser.handle(message(ThreadMessage::AnalyseAnswer));
    }
};

TEST_F(AnlRecvTest, EachAnalysedAnswerRestartsTheWatchdogWhichThenKeepsFiring) {
    analyser.handle(message(ThreadMessage::AnalyseAnswer));  // a wake with nothing queued
    EXPECT_TRUE(analysed.empty());
    EXPECT_FALSE(time.isTimerRunning(kTimerLinkWatchdog));  // no answer yet, no watchdog

    receive("LK1");
    EXPECT_EQ(time.timerPeriod(kTimerLinkWatchdog), 3000ms);
    time.advance(2000ms);
    receive(std::string("ZZ\0Q", 4));  // read as text: up to the NUL
    EXPECT_EQ(analysed, (std::vector<std::string>{"LK1", "ZZ"}));
    EXPECT_EQ(watchdogRunningDuringAnalysis, (std::vector<bool>{false, false}));

    // The port never opened, so every tick finds the link lost and the timer keeps going.
    port.open(1, 4800, false);
    time.advance(2999ms);
    EXPECT_TRUE(watchdogTicks.empty());
    time.advance(7001ms);
    EXPECT_EQ(watchdogTicks, (std::vector<long long>{5000, 8000, 11000}));
    EXPECT_EQ(anlRecv.count(id(ThreadMessage::LinkLost)), 3u);
}

TEST_F(AnlRecvTest, LinkLostStopsReadoutsAndReportsAutoInformationOff) {
    flags.aiCommanded = true;
    analyser.handle(message(ThreadMessage::LinkLost));
    EXPECT_EQ(anlSend.posted(), (std::vector<Message>{message(Request::StopReadouts)}));
    EXPECT_FALSE(flags.aiCommanded);
    EXPECT_EQ(analysed, std::vector<std::string>{"AI0"});
    EXPECT_EQ(window.posted(), (std::vector<Message>{message(DisplayUpdate::AI)}));
}

TEST_F(AnlRecvTest, WatchdogLosesTheLinkOnAnUnansweredCommandABadLineOrAFailedOpen) {
    EXPECT_FALSE(port.open(1, 4800, false));
    EXPECT_TRUE(watchdog.check());  // the last open failed

    plugInAndOpen();
    EXPECT_FALSE(watchdog.check());  // nothing pending, line good
    flags.answerPending = true;
    EXPECT_TRUE(watchdog.check());  // nothing to read either
    EXPECT_FALSE(flags.answerPending);

    flags.answerPending = true;
    writeToPort("LK1;");  // bytes on their way count as an answer
    waitForInput(4);
    EXPECT_FALSE(watchdog.check());
    EXPECT_FALSE(flags.answerPending);

    pty->closeMaster();
    EXPECT_TRUE(watchdog.check());  // bad line
    port.close();
    EXPECT_FALSE(watchdog.check());  // closed but usable: the next write reopens it
    EXPECT_EQ(anlRecv.posted(), std::vector<Message>(3, message(ThreadMessage::LinkLost)));
}

TEST_F(AnlRecvTest, WorkerTimersGoToTheirThreadsAndOtherTimersNowhere) {
    const std::vector<std::pair<int, Message>> routes{
        {3, message(ThreadMessage::PollPort)},  {4, message(Request::ReadoutStep)},
        {5, message(Request::MenuReadoutStep)}, {8, message(Request::StatusPoll)},
        {10, message(Request::InfoPoll)},       {23, message(Request::PowerOnTick)},
        {24, message(Request::PowerOffTick)},   {25, message(Request::KeyerReadStep)},
    };
    for (const auto& [id, message] : routes) {
        EXPECT_TRUE(isWorkerTimer(id)) << id;
        dispatchWorkerTimer(services, watchdog, id);
        platform::RecordingSink& target = id == 3 ? sioRecv : anlSend;
        EXPECT_EQ(target.posted().back(), message) << id;
    }
    dispatchWorkerTimer(services, watchdog, 17);  // no port ever opened: nothing lost yet
    flags.answerPending = true;
    dispatchWorkerTimer(services, watchdog, 17);
    EXPECT_EQ(anlRecv.posted(), (std::vector<Message>{{WM_APP + 0x10C, 0, 0}}));
    EXPECT_EQ(workerTimerIds(), (std::set<int>{3, 4, 5, 8, 10, 17, 23, 24, 25}));

    for (const int id : {0, 1, 2, 6, 7, 11, 13, 18, 31, 36, 41, -3}) {
        EXPECT_FALSE(isWorkerTimer(id)) << id;
        dispatchWorkerTimer(services, watchdog, id);
    }
    EXPECT_EQ(anlSend.posted().size() + sioRecv.posted().size() + anlRecv.posted().size(),
              routes.size() + 1);
}

}  // namespace
}  // namespace panelink
