// The timed sequences of the sender: connection and menu read-outs, keyer read, power,
// auto-information switch, status polls and the menu write.

#include <algorithm>
#include <cstdio>

#include "panelink/menu/menu_item_table.h"
#include "test_command_rig.h"

namespace panelink::sendertest {
namespace {

// What each step of the connection read-out reads, by read-out index 0..68.
const std::vector<std::vector<std::string>>& readoutSteps() {
    static const std::vector<std::vector<std::string>> steps{
        {},          // 0 ID
        {"EX015;"},  // 1 the CW BFO menu item
        {"VS;"},
        {"FA;"},
        {"FB;"},
        {"IF;"},
        {"OI;"},
        {"RS;"},
        {"ST;"},
        {"BS;"},
        {"MD0;"},
        {"RT;"},
        {"BP00;", "BP01;"},
        {"CO00;", "CO01;"},
        {"MS;"},
        {"NR0;"},
        {"FT;"},
        {"LK;"},
        {"FS;"},
        {"NA0;"},
        {"NB0;"},
        {"GT0;"},
        {"RA0;"},
        {"PA0;"},
        {"KR;"},
        {"TS;"},
        {"AC;"},
        {"VX;"},
        {"BI;"},
        {"ML0;", "ML1;"},  // 29
        {"CS;"},
        {"RM0;"},
        {"KP;"},
        {"KS;"},
        {"SD;"},
        {"MG;"},
        {"VG;"},
        {"VD;"},
        {"SQ0;"},
        {"AG0;"},
        {"RG0;"},
        {"IS0;"},
        {"SH0;"},
        {"RL0;"},
        {"BY;"},
        {"SC;"},
        {"SM0;"},
        {"TX;"},
        {"UL;"},
        {},  // 49 AI
        {"CN0;"},
        {"CT0;"},
        {"KM1;", "KM2;", "KM3;"},
        {"MC;"},
        {"OS0;"},
        {"PB;"},
        {"PC;"},
        {"PS;"},
        {"RI0;", "RI1;", "RI3;", "RI4;", "RI9;"},  // 58
        {"BG0;"},
        {"LM0;"},
        {"DS;"},
        {"VC;"},
        {},  // 63 MR
        {"VR;"},
        {"AX;"},
        {"DA;"},
        {"SS0;"},
        {"SF;"},
    };
    return steps;
}

std::vector<std::string> menuReadoutTexts() {
    std::vector<std::string> texts;
    for (int index = 1; index <= 66; ++index) {
        if (index == 27 || index == 28 || index == 40 || index == 41) continue;
        const std::string number = std::to_string(index);
        texts.push_back("EX" + std::string(3 - number.size(), '0') + number + ";");
    }
    texts.emplace_back("DA;");
    return texts;
}

std::size_t countPosted(const TimedWindow& window, std::uint32_t id) {
    return static_cast<std::size_t>(
        std::count_if(window.posted.begin(), window.posted.end(),
                      [id](const TimedWindow::Timed& t) { return t.message.id == id; }));
}

TEST_F(SenderTest, ReadoutReadsTheTableThenTheMenuAndEnds) {
    ASSERT_EQ(readoutSteps().size(), 69u);
    flags.readingDialogShown = true;
    const Milliseconds start = time.elapsed();
    request(Request::StartReadout);
    EXPECT_TRUE(flags.readoutBusy);
    EXPECT_EQ(time.timerPeriod(kTimerReadout), 30ms);

    run(69 * 30ms);
    // Each step at its 30 ms tick; the second ML read 25 ms into its step.
    std::vector<std::string> expected;
    std::vector<Milliseconds> expectedTimes;
    for (std::size_t index = 0; index < readoutSteps().size(); ++index) {
        for (std::size_t k = 0; k < readoutSteps()[index].size(); ++k) {
            expected.push_back(readoutSteps()[index][k]);
            expectedTimes.push_back(start + 30ms * static_cast<int>(index + 1) +
                                    (index == 29 && k == 1 ? 25ms : 0ms));
        }
    }
    EXPECT_EQ(texts(), expected);
    std::vector<Milliseconds> times;
    for (const Sent& sent : writer.sent)
        times.push_back(sent.at);
    EXPECT_EQ(times, expectedTimes);

    // The wrap hands over to the menu read-out.
    EXPECT_FALSE(sender.readoutRunning());
    EXPECT_FALSE(time.isTimerRunning(kTimerReadout));
    EXPECT_TRUE(sender.menuReadoutRunning());
    EXPECT_TRUE(flags.readoutBusy);

    clearSent();
    const Milliseconds menuStart = start + 69 * 30ms;  // the wrap
    run(63 * 30ms + 300ms);
    EXPECT_EQ(texts(), menuReadoutTexts());
    ASSERT_EQ(writer.sent.size(), 63u);
    // Blank records cost no step: 63 items, 63 steps.
    EXPECT_EQ(writer.sent.back().at - menuStart, 63 * 30ms);

    EXPECT_FALSE(sender.menuReadoutRunning());
    EXPECT_FALSE(time.isTimerRunning(kTimerMenuReadout));
    EXPECT_FALSE(flags.readoutBusy);
    EXPECT_EQ(sender.menuReadoutIndex(), 1);
    // The dimmer read waits 100 ms, and the reading dialog hears of the end 100 ms later.
    ASSERT_EQ(countPosted(window, id(WindowMessage::MenuReadoutDone)), 1u);
    EXPECT_EQ(window.posted.back().at - writer.sent.back().at, 200ms);
}

TEST_F(SenderTest, MenuReadoutEndsQuietlyWithoutTheReadingDialog) {
    request(Request::StartMenuReadout);
    EXPECT_TRUE(flags.readoutBusy);
    run(70 * 30ms);
    EXPECT_EQ(texts(), menuReadoutTexts());
    EXPECT_FALSE(flags.readoutBusy);
    EXPECT_TRUE(window.posted.empty());
}

TEST_F(SenderTest, TheSettingsCountAsReadFromACompleteReadOutUntilTheReadOutsStop) {
    request(Request::StartMenuReadout);
    run(10 * 30ms);
    EXPECT_FALSE(flags.menuSettingsRead) << "half a read-out is not a reading";
    run(60 * 30ms);
    EXPECT_TRUE(flags.menuSettingsRead);
    request(Request::StopReadouts);  // the link was lost
    EXPECT_FALSE(flags.menuSettingsRead);
}

TEST_F(SenderTest, RestartWhileRunningStartsOverOnTheSameTimer) {
    request(Request::StartReadout);
    run(95ms);  // steps 0, 1, 2
    EXPECT_EQ(texts(), (std::vector<std::string>{"EX015;", "VS;"}));

    request(Request::StartReadout);
    EXPECT_EQ(sender.readoutIndex(), 0);
    EXPECT_EQ(time.timerPeriod(kTimerReadout), 30ms);
    clearSent();
    run(150ms);  // five ticks, one step each: indexes 0..4
    EXPECT_EQ(texts(), (std::vector<std::string>{"EX015;", "VS;", "FA;", "FB;"}));

    request(Request::StartMenuReadout);
    run(65ms);  // two menu steps beside the read-out
    request(Request::StartMenuReadout);
    EXPECT_EQ(sender.menuReadoutIndex(), 1);
}

TEST_F(SenderTest, StopEndsEverySequenceAndStrayStepsDoNothing) {
    flags.readingDialogShown = true;
    request(Request::StartReadout);
    request(Request::StartMenuReadout);
    request(Request::StartKeyerRead);
    run(40ms);
    const Milliseconds stopAt = time.elapsed();
    request(Request::StopReadouts);

    EXPECT_FALSE(sender.readoutRunning());
    EXPECT_FALSE(sender.menuReadoutRunning());
    EXPECT_FALSE(flags.readoutBusy);
    EXPECT_EQ(sender.keyerReadCounter(), 1);
    for (int timer : {kTimerReadout, kTimerMenuReadout, kTimerKeyerRead})
        EXPECT_FALSE(time.isTimerRunning(timer)) << timer;
    // The reading dialog is told, so it closes at once.
    ASSERT_EQ(countPosted(window, id(WindowMessage::MenuReadoutDone)), 1u);
    EXPECT_EQ(window.posted.back().at - stopAt, 100ms);

    // Ticks queued before the stop arrive afterwards.
    clearSent();
    for (Request step : {Request::ReadoutStep, Request::MenuReadoutStep, Request::KeyerReadStep})
        request(step);
    run(500ms);
    EXPECT_TRUE(texts().empty());
    EXPECT_EQ(sender.readoutIndex(), 0);
    EXPECT_EQ(sender.menuReadoutIndex(), 1);
}

TEST_F(SenderTest, KeyerReadAsksForThreeMemoriesThenStops) {
    request(Request::StartKeyerRead);
    run(200ms);
    EXPECT_EQ(texts(), (std::vector<std::string>{"KM1;", "KM2;", "KM3;"}));
    EXPECT_EQ(gaps(), (std::vector<Milliseconds>{30ms, 30ms}));
    EXPECT_FALSE(time.isTimerRunning(kTimerKeyerRead));
    EXPECT_EQ(sender.keyerReadCounter(), 1);

    request(Request::KeyerReadStep);
    EXPECT_EQ(texts().size(), 3u);
}

TEST_F(SenderTest, PowerOnSendsTwiceThenReadsTheState) {
    storeCommand(CommandField::PS, 0);
    request(Request::SwitchPower);
    EXPECT_TRUE(time.isTimerRunning(kTimerPowerOn));
    run(1000ms);
    EXPECT_EQ(texts(), (std::vector<std::string>{"PS1;", "PS1;", "PS;"}));
    EXPECT_EQ(gaps(), (std::vector<Milliseconds>{800ms, 100ms}));
    EXPECT_FALSE(time.isTimerRunning(kTimerPowerOn));
}

TEST_F(SenderTest, PowerOffIsFollowedByTwoReadsEveryTime) {
    storeCommand(CommandField::PS, 1);
    for (int round = 0; round < 2; ++round) {
        clearSent();
        request(Request::SwitchPower);
        run(2000ms);
        EXPECT_EQ(texts(), (std::vector<std::string>{"PS0;", "PS;", "PS;"}));
        EXPECT_EQ(gaps(), (std::vector<Milliseconds>{600ms, 600ms}));
        EXPECT_FALSE(time.isTimerRunning(kTimerPowerOff));
    }
    // A stray tick between two switches does not cut the next sequence short.
    request(Request::PowerOffTick);
    clearSent();
    request(Request::SwitchPower);
    run(2000ms);
    EXPECT_EQ(texts(), (std::vector<std::string>{"PS0;", "PS;", "PS;"}));
}

TEST_F(SenderTest, PowerOffWaitsWhileAutoInformationIsBeingRestored) {
    storeCommand(CommandField::PS, 1);
    storeCommand(CommandField::AI, 0);
    ASSERT_TRUE(radio.store(RadioField::AI, 1));
    radio.setRestoreAutoInformation(true);
    request(Request::SwitchPower);
    EXPECT_TRUE(texts().empty());
    EXPECT_FALSE(time.isTimerRunning(kTimerPowerOff));

    radio.setRestoreAutoInformation(false);
    request(Request::SwitchPower);
    EXPECT_EQ(texts(), std::vector<std::string>{"PS0;"});
}

TEST_F(SenderTest, SwitchingAutoInformationOnReadsItBack) {
    storeCommand(CommandField::AI, 0);
    request(Request::SwitchAutoInfo);
    EXPECT_EQ(texts(), (std::vector<std::string>{"AI1;", "AI;"}));
    EXPECT_EQ(gaps(), std::vector<Milliseconds>{20ms});
    EXPECT_EQ(receiveQueue.pending(), 0);
    EXPECT_TRUE(inbox.posted.empty());
    EXPECT_EQ(anlRecv.count(id(ThreadMessage::AnalyseAnswer)), 0u);
}

// Power back on with the radio still reporting "AI0": the power-on restore and the "AI0 while
// asked for AI1" rule both ask for auto-information, and the radio's "AI1" answering the first
// switch may be analysed before the second is handled.
TEST_F(SenderTest, TwoRestoresOfAutoInformationSwitchItOnOnceAndNeverOff) {
    storeCommand(CommandField::AI, 0);
    request(Request::SwitchAutoInfo, kAutoInfoOnOnlyBit);
    EXPECT_EQ(texts(), (std::vector<std::string>{"AI1;", "AI;"}));
    storeCommand(CommandField::AI, 1);  // the radio's "AI1"
    request(Request::SwitchAutoInfo, kAutoInfoOnOnlyBit);
    EXPECT_EQ(texts(), (std::vector<std::string>{"AI1;", "AI;"}));

    // The COM key's switch still turns it off.
    clearSent();
    request(Request::SwitchAutoInfo);
    EXPECT_EQ(texts(), (std::vector<std::string>{"AI0;", "AI;"}));
}

// A radio that is not supported answers "ID" again and again (a stream of them, or a line
// that repeats): auto-information goes off once, and never on again, without any pauses.
TEST_F(SenderTest, UnsupportedRadioSwitchesAutoInformationOffOnceAndNeverOn) {
    storeCommand(CommandField::AI, 1);
    request(Request::SwitchAutoInfo, kAutoInfoOffOnlyBit);
    EXPECT_EQ(texts(), (std::vector<std::string>{"AI0;", "AI;"}));
    storeCommand(CommandField::AI, 0);  // the made-up "AI0" analysed
    clearSent();
    const Milliseconds before = time.elapsed();
    for (int i = 0; i < 100; ++i)
        request(Request::SwitchAutoInfo, kAutoInfoOffOnlyBit);
    EXPECT_TRUE(texts().empty());
    EXPECT_EQ(time.elapsed(), before);
}

TEST_F(SenderTest, SwitchingAutoInformationOffActsAsIfTheRadioReportedIt) {
    storeCommand(CommandField::AI, 1);
    storeCommand(CommandField::PS, 0);
    flags.aiCommanded = true;
    radio.setRestoreAutoInformation(true);
    request(Request::StartReadout);
    const Milliseconds start = time.elapsed();
    request(Request::SwitchAutoInfo);

    EXPECT_EQ(texts(), (std::vector<std::string>{"AI0;", "AI;"}));
    EXPECT_EQ(time.elapsed() - start, 45ms);
    EXPECT_FALSE(flags.aiCommanded);
    EXPECT_FALSE(radio.restoreAutoInformation());
    // The stop went through the thread's own queue and has been handled.
    EXPECT_EQ(inbox.posted.back().id, id(Request::StopReadouts));
    EXPECT_FALSE(sender.readoutRunning());
    ASSERT_EQ(receiveQueue.pending(), 1);
    std::array<char, MessageQueue::kSlotSize> answer{};
    EXPECT_EQ(receiveQueue.pop(answer.data()), 3);
    EXPECT_STREQ(answer.data(), "AI0");
    EXPECT_EQ(anlRecv.count(id(ThreadMessage::AnalyseAnswer)), 1u);
}

TEST_F(SenderTest, AutoInformationSwitchKeepsTheRestoreFlagWhileThePowerIsOn) {
    storeCommand(CommandField::AI, 1);
    storeCommand(CommandField::PS, 1);
    radio.setRestoreAutoInformation(true);
    request(Request::SwitchAutoInfo);
    EXPECT_TRUE(radio.restoreAutoInformation());

    storeCommand(CommandField::AI, 2);
    clearSent();
    request(Request::SwitchAutoInfo);
    EXPECT_TRUE(texts().empty());
}

TEST_F(SenderTest, StatusPollsDependOnAutoInformationAndPower) {
    storeCommand(CommandField::AI, 0);
    storeCommand(CommandField::PS, 1);
    request(Request::StatusPoll);
    request(Request::InfoPoll);
    EXPECT_TRUE(texts().empty());

    storeCommand(CommandField::AI, 1);
    storeCommand(CommandField::PS, 0);
    request(Request::StatusPoll);
    request(Request::InfoPoll);
    EXPECT_EQ(texts(), (std::vector<std::string>{"PS;", "IF;"}));

    clearSent();
    storeCommand(CommandField::PS, 1);
    request(Request::StatusPoll);
    EXPECT_EQ(texts(), (std::vector<std::string>{"PS;", "AI;"}));
    EXPECT_EQ(gaps(), std::vector<Milliseconds>{30ms});
}

TEST_F(SenderTest, MenuWriteSendsChangedItemsTenMillisecondsApartAndClearsTheirMarks) {
    const auto change = [this](int index, double value, const char* text = "") {
        ASSERT_TRUE(menu.withItem(index, [&](MenuItem& item) {
            item.changed = 1;
            item.newValue = value;
            std::snprintf(item.newText.data(), item.newText.size(), "%s", text);
        }));
    };
    change(5, 2, "CQ");
    change(25, -50);
    change(50, 10);
    change(65, 1024);
    change(67, 2);
    request(Request::WriteMenu);
    EXPECT_EQ(texts(), (std::vector<std::string>{"EX0052CQ;", "EX025-050;", "EX050010;",
                                                 "EX06510000000000;", "DA0200;"}));
    EXPECT_EQ(gaps(), (std::vector<Milliseconds>{10ms, 10ms, 10ms, 10ms}));

    MenuItem item;
    for (int index = 1; index <= menu.itemCount(); ++index) {
        ASSERT_TRUE(menu.copyOut(index, item));
        EXPECT_EQ(item.changed, 0) << index;
    }
    clearSent();
    request(Request::WriteMenu);
    EXPECT_TRUE(texts().empty());
}

}  // namespace
}  // namespace panelink::sendertest
