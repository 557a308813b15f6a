#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <optional>
#include <random>
#include <set>
#include <span>
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
#include "panelink/link/device_watch.h"
#include "panelink/link/link_watchdog.h"
#include "panelink/link/menu_definition_thread.h"
#include "panelink/link/sio_recv_thread.h"
#include "panelink/link/sio_send_thread.h"
#include "panelink/link/worker_timers.h"
#include "panelink/testing/core_rig.h"
#include "shared/platform/pseudo_terminal.h"
#include "shared/platform/testing/wait_until.h"
#include "shared/platform/virtual_time.h"
#include "shared/platform/wake_event.h"

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

TEST_F(SioRecvTest, IdleUntilTheLinkIsEnabledThenHandsOnEveryCompleteAnswerAtOnePass) {
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

    // The rest of the first answer, a menu answer, one for an item the radio lacks, and one
    // more: every complete one comes out at the same pass, each announced once.
    writeToPort("0000;EX06511111111111;EX0681;LK1;");
    waitForInput(33);
    receiver.receive();
    EXPECT_EQ(anlRecv.ids(), std::vector<std::uint32_t>(3, id(ThreadMessage::AnalyseAnswer)));
    EXPECT_FALSE(flags.answerPending);
    EXPECT_EQ(receiver.framer().count(), 0u);
    EXPECT_EQ(popText(receiveQueue), "FA14250000");
    EXPECT_EQ(popText(receiveQueue), "EX06511111111111");
    EXPECT_EQ(popText(receiveQueue), "LK1");
    EXPECT_EQ(receiveQueue.pending(), 0);
    receiver.receive();  // nothing new
    EXPECT_EQ(anlRecv.count(id(ThreadMessage::AnalyseAnswer)), 3u);
}

TEST_F(SioRecvTest, RtsIsRaisedWhileLittleIsHeldAndDroppedFrom2048HeldOrOnAnOverflow) {
    EXPECT_EQ(rtsActionFor(0, 0), RtsAction::Raise);
    EXPECT_EQ(rtsActionFor(1024, platform::kLineErrorFraming), RtsAction::Raise);
    EXPECT_EQ(rtsActionFor(1025, 0), RtsAction::Keep);
    EXPECT_EQ(rtsActionFor(2047, 0), RtsAction::Keep);
    EXPECT_EQ(rtsActionFor(2048, 0), RtsAction::Drop);
    EXPECT_EQ(rtsActionFor(0, platform::kLineErrorReceiveOverflow), RtsAction::Drop);

    // A burst far beyond 2048 bytes is framed whole at the pass that reads it, so the held
    // count never reaches the drop mark and the radio is never held back.
    plugInAndOpen();
    radio.setLinkEnabled(true);
    SioRecvThread receiver(services);
    std::string burst;
    for (int i = 0; i < 1000; ++i)
        burst += "LK1;";
    writeToPort(burst);
    waitForInput(burst.size());
    receiver.receive();
    EXPECT_EQ(receiver.rtsLevel(), true);
    EXPECT_EQ(receiver.waitTimeout(), kLineCheckPeriod);
    EXPECT_EQ(anlRecv.count(id(ThreadMessage::AnalyseAnswer)), 1000u);
    EXPECT_EQ(receiveQueue.pending(), 1000);
    EXPECT_EQ(receiver.framer().count(), 0u);
}

// A cut answer held when the port goes must not swallow the first answer of the next
// connection (seen as a keyer text "KM1AAAAID0244" and a connection that never completed).
TEST_F(SioRecvTest, APortClosedOrReopenedByAnyThreadDropsThePartOfAnAnswerItHeld) {
    plugInAndOpen();
    radio.setLinkEnabled(true);
    SioRecvThread receiver(services);
    writeToPort("FA14250000;KM1AAAA");
    waitForInput(18);
    receiver.receive();
    ASSERT_EQ(receiver.framer().held(), "KM1AAAA");

    // Closed and reopened elsewhere (watchdog, power event, dialog; the writer reopens).
    port.close();
    ASSERT_TRUE(port.open(1, 4800, false));
    ASSERT_EQ(pty->readMaster(4, 2s), "AI0;");
    writeToPort("ID0244;");
    waitForInput(7);
    receiver.receive();
    EXPECT_EQ(popText(receiveQueue), "FA14250000");
    EXPECT_EQ(popText(receiveQueue), "ID0244");
    EXPECT_EQ(receiveQueue.pending(), 0);

    // Closed and not yet reopened: the next pass already forgets what it held.
    writeToPort("KM2BB");
    waitForInput(5);
    receiver.receive();
    ASSERT_EQ(receiver.framer().count(), 5u);
    port.close();
    receiver.receive();
    EXPECT_EQ(receiver.framer().count(), 0u);
    EXPECT_FALSE(receiver.framer().inFrame());

    // Unplugged: the pass that finds the bad line closes the port and drops the part held.
    ASSERT_TRUE(port.open(1, 4800, false));
    ASSERT_EQ(pty->readMaster(4, 2s), "AI0;");
    writeToPort("KM3CC");
    waitForInput(5);
    receiver.receive();
    ASSERT_EQ(receiver.framer().count(), 5u);
    pty->closeMaster();
    receiver.receive();
    EXPECT_FALSE(port.isOpen());
    EXPECT_EQ(receiver.framer().count(), 0u);

    plugInAndOpen();
    writeToPort("ID0244;");
    waitForInput(7);
    receiver.receive();
    EXPECT_EQ(popText(receiveQueue), "ID0244");
    EXPECT_EQ(receiveQueue.pending(), 0);
    EXPECT_EQ(anlRecv.count(id(ThreadMessage::AnalyseAnswer)), 3u);
}

// A storm of junk far larger than the receive buffer: random bytes, runs of ";" and NUL,
// truncated and unknown answers. Each wake frames or drops all it read, so the buffer never
// fills and the port is always read; the answer behind the storm comes out, and every pass
// was woken by bytes, never by a line check.
TEST_F(SioRecvTest, AnAnswerBehindAJunkStormLargerThanTheBufferIsHandedOnAndNoPassWaitsForIt) {
    plugInAndOpen();
    radio.setLinkEnabled(true);
    buildMenuItemTable(menu, radio);
    SioRecvThread receiver(services);
    receiver.receive();
    port.changes().clear();

    std::mt19937 random(5);
    std::uniform_int_distribution<int> byte(0, 255);
    std::string junk(24 * 1024, '\0');
    std::generate(junk.begin(), junk.end(), [&] { return static_cast<char>(byte(random)); });
    junk += std::string(20 * 1024, ';') + std::string(20 * 1024, '\0');
    const std::array<std::string_view, 8> pieces{"FA;",   "XX12345;", "FA1425", "EX01",
                                                 "KM1CQ", "?;",       "IF0001", "E;"};
    for (int i = 0; i < 3000; ++i)
        junk += pieces[static_cast<std::size_t>(byte(random)) % pieces.size()];
    const std::string answer = "FA14250010";
    junk += ";" + answer + ";";
    ASSERT_GT(junk.size(), 4 * ReceiveFramer::kBufferSize);

    std::size_t written = 0;
    std::string last;
    std::size_t mostHeld = 0;
    const bool drained = platform::waitUntil(
        [&] {
            written += pty->writeMaster(std::string_view(junk).substr(written));
            const std::optional<platform::SerialStatus> status = port.status();
            if (!status || status->inputQueue == 0) return false;
            receiver.wait();
            mostHeld = std::max(mostHeld, receiver.framer().count());
            while (receiveQueue.pending() > 0)
                last = popText(receiveQueue);
            return written == junk.size() && last == answer;
        },
        30s, 0ms);
    ASSERT_TRUE(drained) << written << " of " << junk.size() << " bytes written";
    EXPECT_LE(mostHeld, ReceiveFramer::kMaxAnswerLength + 1);
    EXPECT_EQ(receiver.framer().count(), 0u);
    EXPECT_EQ(time.elapsed(), 0ms);
    EXPECT_TRUE(port.isOpen());
}

// The wait itself, on a pseudo-terminal in virtual time: each of these ends it at once,
// without any time passing, and runs a pass.
TEST_F(SioRecvTest, WaitEndsAtOnceForBytesAHangUpAPortChangeOrAPost) {
    plugInAndOpen();
    radio.setLinkEnabled(true);
    SioRecvThread receiver(services);
    receiver.receive();
    port.changes().clear();

    writeToPort("LK1;");
    waitForInput(4);
    receiver.wait();
    EXPECT_EQ(popText(receiveQueue), "LK1");

    receiver.wake();
    receiver.wait();

    writeToPort("KM1AA");
    waitForInput(5);
    receiver.wait();
    port.close();  // as another thread would, while the receiver waits
    receiver.wait();
    EXPECT_EQ(receiver.framer().count(), 0u);
    EXPECT_EQ(time.elapsed(), 0ms);

    plugInAndOpen();
    receiver.wait();  // the open
    pty->closeMaster();
    receiver.wait();  // the hang-up
    EXPECT_FALSE(port.isOpen());
    EXPECT_EQ(time.elapsed(), 0ms);
    EXPECT_EQ(anlRecv.count(id(ThreadMessage::AnalyseAnswer)), 1u);
}

// The receiver polls the descriptor it was handed outside the port's lock. When another
// thread closes the port in that window, the old number reports itself invalid at once and
// the reopened port has nothing to read yet: that is a port change, not a descriptor that
// keeps reporting input it never gives, and the next wait must watch the new port.
class PortSwappedDuringWait final : public platform::Clock {
  public:
    std::function<void()> close, reopen;
    std::function<int()> portDescriptor;
    std::vector<bool> portWatched;  // per wait: was the port's current descriptor polled

    platform::TimePoint now() const override { return time_.now(); }
    void sleep(platform::Milliseconds duration) override { time_.sleep(duration); }
    int waitReadable(std::span<platform::WaitDescriptor> descriptors,
                     platform::Milliseconds) override {
        const int port = portDescriptor();
        portWatched.push_back(std::ranges::any_of(
            descriptors, [port](const platform::WaitDescriptor& d) { return d.fd == port; }));
        const bool first = portWatched.size() == 1;
        if (first) close();
        // Never blocks: a wait that would need the line check shows as an unwatched port.
        const int ready = platform::pollReadable(descriptors, 0);
        if (first) reopen();
        return ready;
    }

  private:
    platform::VirtualTime time_;
};

TEST(SioRecvPortSwap, APortClosedAndReopenedDuringAWaitIsWatchedAgainAtTheNextWait) {
    std::optional<PseudoTerminal> pty = PseudoTerminal::create();
    ASSERT_TRUE(pty);
    PortSwappedDuringWait clock;
    rig::CoreRig<> core({.resolver = [&](int) { return pty->slavePath(); }, .clock = &clock});
    clock.close = [&] { core.port.close(); };
    clock.reopen = [&] {
        ASSERT_TRUE(core.port.open(1, 4800, false));
        ASSERT_EQ(pty->readMaster(4, 2s), "AI0;");
    };
    clock.portDescriptor = [&] { return core.port.waitHandle().fd; };
    ASSERT_TRUE(core.port.open(1, 4800, false));
    ASSERT_EQ(pty->readMaster(4, 2s), "AI0;");
    core.radio.setLinkEnabled(true);
    SioRecvThread receiver(core.services);
    core.port.changes().clear();

    receiver.wait();  // the port goes and comes back while this wait polls it
    pty->writeMaster("ID0244;");
    ASSERT_TRUE(platform::waitUntil([&] { return core.port.status()->inputQueue == 7; }));
    receiver.wait();
    EXPECT_EQ(clock.portWatched, (std::vector<bool>{true, true}));
    EXPECT_EQ(popText(core.receiveQueue), "ID0244");
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
    EXPECT_EQ(sioRecv.posted(), (std::vector<Message>{message(ThreadMessage::PollPort)}));

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
    DeviceWatch deviceWatch{services};
    std::vector<long long> watchdogTicks;

    AnlRecvTest() {
        time.setTickHandler([this](int id) {
            if (id == kTimerLinkWatchdog) watchdogTicks.push_back(time.elapsed().count());
            dispatchWorkerTimer(services, watchdog, deviceWatch, id);
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
    EXPECT_FALSE(watchdog.check());  // closed, nothing pending: the next write reopens it
    EXPECT_EQ(anlRecv.posted(), std::vector<Message>(3, message(ThreadMessage::LinkLost)));
}

TEST_F(AnlRecvTest, WorkerTimersGoToTheirThreadsAndOtherTimersNowhere) {
    const std::vector<std::pair<int, Message>> routes{
        {4, {WM_APP + 0x107, 0, 0}},  {5, {WM_APP + 0x108, 0, 0}},  {8, {WM_APP + 0x569, 0, 0}},
        {10, {WM_APP + 0x802, 0, 0}}, {23, {WM_APP + 0x350, 0, 0}}, {24, {WM_APP + 0x351, 0, 0}},
        {25, {WM_APP + 0x10F, 0, 0}},
    };
    for (const auto& [id, message] : routes) {
        EXPECT_TRUE(isWorkerTimer(id)) << id;
        dispatchWorkerTimer(services, watchdog, deviceWatch, id);
        EXPECT_EQ(anlSend.posted().back(), message) << id;
    }
    dispatchWorkerTimer(services, watchdog, deviceWatch,
                        17);  // no port ever opened: nothing lost yet
    flags.answerPending = true;
    dispatchWorkerTimer(services, watchdog, deviceWatch, 17);
    EXPECT_EQ(anlRecv.posted(), (std::vector<Message>{{WM_APP + 0x10C, 0, 0}}));
    EXPECT_EQ(workerTimerIds(), (std::set<int>{4, 5, 8, 10, 17, 23, 24, 25, 43}));

    // Timer 3 drives nothing: the receiver waits on the port itself.
    for (const int id : {0, 1, 2, 3, 6, 7, 11, 13, 18, 31, 36, 41, -3}) {
        EXPECT_FALSE(isWorkerTimer(id)) << id;
        dispatchWorkerTimer(services, watchdog, deviceWatch, id);
    }
    EXPECT_EQ(anlSend.posted().size() + sioRecv.posted().size() + anlRecv.posted().size(),
              routes.size() + 1);
}

}  // namespace
}  // namespace panelink
