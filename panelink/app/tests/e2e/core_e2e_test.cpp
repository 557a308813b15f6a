// The whole pipeline against the simulated transceiver: real threads, real timers, real
// time, a pseudo-terminal as the serial line. What went on the wire is read from the
// simulator's transcript. Every wait is for a condition with a generous deadline.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "panelink/app/core_context.h"
#include "panelink/app/tests/core_test_support.h"
#include "panelink/cat/command_sender.h"
#include "panelink/cat/command_state.h"
#include "panelink/cat/radio_state.h"
#include "panelink/core/link_flags.h"
#include "panelink/core/messages.h"
#include "panelink/core/requests.h"
#include "panelink/link/com_port.h"
#include "shared/formats/testing/working_dir.h"
#include "shared/platform/steady_clock.h"
#include "shared/platform/testing/recording_window.h"
#include "shared/platform/testing/wait_until.h"
#include "shared/platform/thread_timer_host.h"
#include "tools/orvik-sim/simulator.h"

namespace panelink {
namespace {

using namespace std::chrono_literals;
using commo::ScratchWorkingDir;
using platform::waitUntil;

constexpr std::uint32_t kFaDisplayUpdate = WM_APP + 0x333;
constexpr std::uint32_t kKmDisplayUpdate = WM_APP + 0x33D;
constexpr std::uint32_t kLkDisplayUpdate = WM_APP + 0x30C;

// The connection read-out as the radio sees it: every read-command record in table order
// ("ID" and "AI" were just read and are skipped), then every menu item but the four blank
// records, the last one (the dimmer) read with "DA".
std::vector<std::string> expectedReadout() {
    std::vector<std::string> reads{
        "EX015;", "VS;",   "FA;",   "FB;",   "IF;",  "OI;",  "RS;",  "ST;",  "BS;",  "MD0;", "RT;",
        "BP00;",  "BP01;", "CO00;", "CO01;", "MS;",  "NR0;", "FT;",  "LK;",  "FS;",  "NA0;", "NB0;",
        "GT0;",   "RA0;",  "PA0;",  "KR;",   "TS;",  "AC;",  "VX;",  "BI;",  "ML0;", "ML1;", "CS;",
        "RM0;",   "KP;",   "KS;",   "SD;",   "MG;",  "VG;",  "VD;",  "SQ0;", "AG0;", "RG0;", "IS0;",
        "SH0;",   "RL0;",  "BY;",   "SC;",   "SM0;", "TX;",  "UL;",  "CN0;", "CT0;", "KM1;", "KM2;",
        "KM3;",   "MC;",   "OS0;",  "PB;",   "PC;",  "PS;",  "RI0;", "RI1;", "RI3;", "RI4;", "RI9;",
        "BG0;",   "LM0;",  "DS;",   "VC;",   "VR;",  "AX;",  "DA;",  "SS0;", "SF;"};
    for (int item = 1; item <= 66; ++item) {
        if (item == 27 || item == 28 || item == 40 || item == 41) continue;
        char text[8];
        std::snprintf(text, sizeof text, "EX%03d;", item);
        reads.emplace_back(text);
    }
    reads.emplace_back("DA;");
    return reads;
}

class CoreEndToEndTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_.writeCommoFile("CommSetting.csv", "1,38400,0\n");
        orviksim::Options options;
        options.linkPath = (dir_.path() / "radio").string();
        options.comportsDir = dir_.path().string();
        options.comNumber = 1;
        sim_ = std::make_unique<orviksim::Simulator>(options);
        std::string error;
        ASSERT_TRUE(sim_->start(&error)) << error;

        CoreContext::Options coreOptions;
        coreOptions.workingDirectory = dir_.path();
        context_ = std::make_unique<CoreContext>(window_, timers_, clock_, coreOptions);
        CoreContext* context = context_.get();
        timers_.setTickHandler([context](int id) { context->onWorkerTimer(id); });
        ASSERT_TRUE(context_->beginStart());
        context_->finishStart();
        ASSERT_TRUE(sim_->waitForCommand("PS;", 10s));
    }

    void TearDown() override {
        if (context_) {
            EXPECT_TRUE(context_->shutdown());
            timers_.setTickHandler({});
            context_.reset();
        }
        sim_.reset();
    }

    std::vector<std::string> commandsFrom(std::size_t index) const {
        std::vector<std::string> result;
        const auto all = sim_->transcript();
        for (std::size_t i = index; i < all.size(); ++i)
            result.push_back(all[i].command);
        return result;
    }

    std::optional<std::size_t> indexOf(std::string_view command, std::size_t from = 0) const {
        const auto all = sim_->transcript();
        for (std::size_t i = from; i < all.size(); ++i) {
            if (all[i].command == command) return i;
        }
        return std::nullopt;
    }

    std::size_t countFrom(std::string_view command, std::size_t from) const {
        const auto all = commandsFrom(from);
        return static_cast<std::size_t>(std::count(all.begin(), all.end(), command));
    }

    // Auto-information on at the radio, and its report arriving: the program reads the ID.
    void connect() {
        sim_->setAutoInformation(true);
        sim_->sendRaw("AI1;");
        ASSERT_TRUE(sim_->waitForCommand("ID;", 10s));
    }

    std::int32_t radio(RadioField field) { return context_->radio().get(field); }
    bool posted(const platform::Message& message) const {
        const auto all = window_.posted();
        return std::find(all.begin(), all.end(), message) != all.end();
    }

    ScratchWorkingDir dir_;
    std::unique_ptr<orviksim::Simulator> sim_;
    platform::SteadyClock clock_;
    platform::ThreadTimerHost timers_;
    platform::RecordingWindow window_;
    std::unique_ptr<CoreContext> context_;
};

TEST_F(CoreEndToEndTest, StartUpWritesTheAutoInformationCommandThenThePowerRead) {
    const auto commands = commandsFrom(0);
    ASSERT_GE(commands.size(), 2u);
    EXPECT_EQ(commands[0], "AI0;");
    EXPECT_EQ(commands[1], "PS;");
    EXPECT_TRUE(waitUntil([&] { return radio(RadioField::PS) == 1; }));
}

// "AI1" reported, "ID;" read, a supported model: every state record, then every menu item,
// one step per 30 ms tick. The polls of the running link may fall in between.
TEST_F(CoreEndToEndTest, ConnectionReadsTheWholeStateThenTheMenuInOrder) {
    connect();
    const std::size_t start = *indexOf("ID;");
    ASSERT_TRUE(sim_->waitForCommand("EX066;", 30s, start));
    ASSERT_TRUE(sim_->waitForCommand("DA;", 5s, *indexOf("EX066;", start)));
    EXPECT_TRUE(waitUntil([&] { return !context_->flags().readoutBusy.load(); }));

    const auto transcript = sim_->transcript();
    const auto expected = expectedReadout();
    std::vector<std::int64_t> at;  // transcript time of each expected read
    std::size_t next = start + 1;
    for (const std::string& read : expected) {
        while (next < transcript.size() && transcript[next].command != read)
            ++next;
        ASSERT_LT(next, transcript.size()) << "missing or out of order: " << read;
        at.push_back(transcript[next].ms);
        ++next;
    }

    // The state read-out: 66 ticks from "VS;" (index 2) to "SF;" (index 68).
    const std::size_t vs = 1;
    const std::size_t sf = vs + 73;
    ASSERT_EQ(expected[sf], "SF;");
    const double stateTick = static_cast<double>(at[sf] - at[vs]) / 66.0;
    EXPECT_GE(stateTick, 25.0);
    EXPECT_LE(stateTick, 100.0);
    // The menu read-out: one item per tick.
    std::vector<std::int64_t> menuGaps;
    for (std::size_t i = sf + 2; i < at.size(); ++i)
        menuGaps.push_back(at[i] - at[i - 1]);
    std::sort(menuGaps.begin(), menuGaps.end());
    const std::int64_t medianGap = menuGaps[menuGaps.size() / 2];
    EXPECT_GE(medianGap, 20);
    EXPECT_LE(medianGap, 100);

    // The connection notice is closed by a posted message, never a blocking send.
    EXPECT_TRUE(posted({WM_APP + 0x10A, 0, 0}));
    EXPECT_TRUE(window_.sent().empty());
    EXPECT_EQ(radio(RadioField::ID), 244);
}

TEST_F(CoreEndToEndTest, UnsupportedModelSwitchesAutoInformationOffAndSaysSo) {
    ASSERT_TRUE(sim_->setModel("0247"));
    connect();
    const std::size_t start = *indexOf("ID;");
    EXPECT_TRUE(window_.waitFor(id(WindowMessage::LinkFailure), 10s));
    EXPECT_TRUE(posted(message(WindowMessage::LinkFailure, 1, 3)));
    EXPECT_TRUE(sim_->waitForCommand("AI0;", 10s, start));
    // No read-out starts.
    std::this_thread::sleep_for(300ms);
    EXPECT_FALSE(indexOf("VS;", start).has_value());
    EXPECT_FALSE(context_->flags().readoutBusy.load());
}

TEST_F(CoreEndToEndTest, AutoInformationReportedOffWhileThisProgramSwitchedItOnIsSwitchedOnAgain) {
    ASSERT_TRUE(context_->postRequest(Request::SwitchAutoInfo));
    ASSERT_TRUE(sim_->waitForCommand("AI1;", 10s));
    ASSERT_TRUE(sim_->waitForCommand("ID;", 10s));
    EXPECT_TRUE(waitUntil([&] { return context_->flags().aiCommanded.load(); }));

    const std::size_t before = sim_->transcriptSize();
    sim_->setAutoInformation(false);
    sim_->sendRaw("AI0;");
    EXPECT_TRUE(sim_->waitForCommand("AI1;", 10s, before));
}

TEST_F(CoreEndToEndTest, PowerOffZeroesTheMetersAndStopsTheReadout) {
    sim_->setMeter(200);
    connect();
    ASSERT_TRUE(waitUntil([&] { return radio(RadioField::RM_other) == 200; }, 10s));
    ASSERT_TRUE(waitUntil([&] { return context_->flags().readoutBusy.load(); }, 10s));

    window_.clear();
    sim_->setPower(false);
    // The next status poll reads "PS0".
    ASSERT_TRUE(waitUntil([&] { return radio(RadioField::PS) == 0; }, 10s));
    EXPECT_TRUE(waitUntil([&] { return !context_->flags().readoutBusy.load(); }));
    EXPECT_EQ(radio(RadioField::RM_0), 0);
    EXPECT_EQ(radio(RadioField::RM_other), 0);
    EXPECT_EQ(radio(RadioField::SM_1), 0);
    EXPECT_GE(window_.count(id(DisplayUpdate::RM)), 2u);
    EXPECT_GE(window_.count(id(DisplayUpdate::SM)), 1u);
    EXPECT_FALSE(context_->sender().readoutRunning());
    EXPECT_FALSE(context_->sender().menuReadoutRunning());

    // Only the polls go on; no read-out step follows. A status poll already under way when
    // "PS0" arrived may still send its "AI;". A read-out command written before the stop may
    // still be on its way to the radio; a marker sent now arrives after all of them.
    const std::size_t stopped = sim_->transcriptSize();
    ASSERT_TRUE(context_->queueRawCommand("ID;"));
    ASSERT_TRUE(sim_->waitForCommand("ID;", 10s, stopped));
    const std::size_t after = *indexOf("ID;", stopped) + 1;
    std::this_thread::sleep_for(400ms);
    for (const std::string& command : commandsFrom(after))
        EXPECT_TRUE(command == "PS;" || command == "IF;" || command == "AI;") << command;
}

TEST_F(CoreEndToEndTest, SilenceOf3000MsDeclaresTheLinkLost) {
    sim_->setMeter(120);
    connect();
    ASSERT_TRUE(waitUntil([&] { return radio(RadioField::SM_0) == 120; }, 10s));
    ASSERT_EQ(context_->command().get(CommandField::AI), 1);

    sim_->setSilence(true);
    const auto silent = std::chrono::steady_clock::now();
    ASSERT_TRUE(waitUntil([&] { return radio(RadioField::SM_0) == 0; }, 15s));
    // Only the watchdog's period can have done it.
    EXPECT_GE(std::chrono::steady_clock::now() - silent, 2500ms);
    EXPECT_EQ(radio(RadioField::RM_other), 0);
    EXPECT_EQ(context_->command().get(CommandField::AI), 0);
    EXPECT_FALSE(context_->flags().aiCommanded.load());
    EXPECT_TRUE(waitUntil([&] { return !context_->flags().readoutBusy.load(); }));

    // With auto-information taken as off, the polls stop.
    std::this_thread::sleep_for(200ms);
    const std::size_t after = sim_->transcriptSize();
    std::this_thread::sleep_for(2200ms);
    for (const std::string& command : commandsFrom(after))
        EXPECT_TRUE(command != "PS;" && command != "IF;" && command != "AI;") << command;
}

TEST_F(CoreEndToEndTest, UnplugClosesThePortAndAfterReplugTheNextCommandReopensIt) {
    ASSERT_TRUE(sim_->unplug());
    EXPECT_TRUE(waitUntil([&] { return !context_->port().isOpen(); }));

    // The unplug itself is reported, once; a command while the adapter is gone is dropped
    // without a further box.
    EXPECT_TRUE(window_.waitFor(id(WindowMessage::LinkFailure), 10s));
    ASSERT_TRUE(context_->postRequest(Request::ReadId));
    std::this_thread::sleep_for(300ms);
    EXPECT_EQ(window_.count(id(WindowMessage::LinkFailure)), 1u);
    EXPECT_TRUE(context_->flags().portFailure.get()->wentAway);
    EXPECT_FALSE(context_->port().isOpen());

    // Counted before the re-plug: the device watch may open the port the moment it is back.
    const std::size_t before = sim_->transcriptSize();
    std::string error;
    ASSERT_TRUE(sim_->replug(&error)) << error;
    ASSERT_TRUE(context_->postRequest(Request::ReadId));
    ASSERT_TRUE(sim_->waitForCommand("ID;", 10s, before));
    const auto commands = commandsFrom(before);
    ASSERT_GE(commands.size(), 2u);
    EXPECT_EQ(commands[0], "AI0;");
    EXPECT_EQ(commands[1], "ID;");
    EXPECT_TRUE(context_->port().isOpen());
    EXPECT_TRUE(waitUntil([&] { return radio(RadioField::ID) == 244; }));
}

// Unplugged for longer than the watchdog waits, so the link is lost meanwhile: once the
// adapter is back the port reopens and the connection runs again, without anyone's help.
TEST_F(CoreEndToEndTest, ReplugAfterTheLinkWasLostConnectsAgainByItself) {
    connect();
    ASSERT_TRUE(waitUntil(
        [&] {
            return !context_->flags().readoutBusy.load() &&
                   context_->flags().menuSettingsRead.load();
        },
        30s));
    ASSERT_TRUE(sim_->unplug());
    ASSERT_TRUE(waitUntil([&] { return context_->port().deviceGone(); }));
    ASSERT_TRUE(waitUntil([&] { return context_->command().get(CommandField::AI) == 0; }, 15s));

    sim_->setMeter(77);
    // Counted before the re-plug: the device watch may open the port the moment it is back.
    const std::size_t before = sim_->transcriptSize();
    std::string error;
    ASSERT_TRUE(sim_->replug(&error)) << error;
    ASSERT_TRUE(sim_->waitForCommand("ID;", 10s, before));
    EXPECT_EQ(commandsFrom(before).front(), "AI0;");  // as the next write would open it
    EXPECT_TRUE(waitUntil([&] { return radio(RadioField::SM_0) == 77; }, 20s));
    EXPECT_TRUE(sim_->waitForCommand("IF;", 10s, before));  // the polls run again
    EXPECT_TRUE(context_->port().portUsable());
}

// Part of a keyer memory answer held when the port goes must be dropped: joined to the first
// answer of the next connection it made keyer text 1 "AAAAID0244" and the ID was never read.
// (The line is quiet here: auto-information is off and no read-out runs.)
TEST_F(CoreEndToEndTest, AnswerCutOffByAnUnplugOrAPowerEventDoesNotSwallowTheNextOne) {
    // The next commands reopen the port, set the radio's frequency and read it back: the
    // first answer of the new connection must arrive whole.
    auto reopenAndReadBack = [&](std::int32_t frequency) {
        char set[16];
        std::snprintf(set, sizeof set, "FA%08d;", static_cast<int>(frequency));
        ASSERT_TRUE(context_->queueRawCommand(set));
        ASSERT_TRUE(context_->queueRawCommand("FA;"));
        EXPECT_TRUE(waitUntil([&] { return radio(RadioField::FA) == frequency; }, 10s));
        EXPECT_EQ(context_->radio().keyerText(1), "");
    };

    sim_->sendRaw("KM1AAAA");
    std::this_thread::sleep_for(100ms);  // read and held by now, on any but a stalled machine
    ASSERT_TRUE(sim_->unplug());
    EXPECT_TRUE(waitUntil([&] { return !context_->port().isOpen(); }));
    std::string error;
    ASSERT_TRUE(sim_->replug(&error)) << error;
    reopenAndReadBack(7050000);

    sim_->sendRaw("KM1BBBB");
    std::this_thread::sleep_for(100ms);
    context_->onPowerEvent();
    reopenAndReadBack(21000000);
}

// Answers the framing has to cut out of a broken or odd stream.
TEST_F(CoreEndToEndTest, SplitRejectedUnknownLongAndOutOfRangeAnswersAreFramedAndHandled) {
    // One answer in two pieces, with polls between them.
    sim_->sendRaw("FA1425");
    std::this_thread::sleep_for(60ms);
    sim_->sendRaw("0000;");
    EXPECT_TRUE(waitUntil([&] { return radio(RadioField::FA) == 14250000; }));
    EXPECT_EQ(window_.count(kFaDisplayUpdate), 1u);

    // A rejected-command reply in front of an answer.
    sim_->sendRaw("?;FA07050000;");
    EXPECT_TRUE(waitUntil([&] { return radio(RadioField::FA) == 7050000; }));

    // An unknown answer is taken whole and ignored; the next one is read normally.
    sim_->sendRaw("ZZ123;LK1;");
    EXPECT_TRUE(waitUntil([&] { return radio(RadioField::LK) == 1; }));
    EXPECT_EQ(window_.count(kLkDisplayUpdate), 1u);

    // A keyer memory answer of 54 bytes.
    const std::string text = "CQ CQ DE TEST TEST K 0123456789 ABCDEFGHIJ KLMNOPQ";
    ASSERT_EQ(text.size(), 50u);
    sim_->sendRaw("KM2" + text + ";");
    EXPECT_TRUE(waitUntil([&] { return context_->radio().keyerText(2) == text; }));
    EXPECT_EQ(window_.count(kKmDisplayUpdate), 1u);

    // A menu answer above the item count is skipped, and what follows it still arrives.
    sim_->sendRaw("EX0681;FA21000000;");
    EXPECT_TRUE(waitUntil([&] { return radio(RadioField::FA) == 21000000; }));
    EXPECT_EQ(window_.count(id(DisplayUpdate::MenuValueChanged)), 0u);
    EXPECT_EQ(window_.count(kFaDisplayUpdate), 3u);
}

}  // namespace
}  // namespace panelink
