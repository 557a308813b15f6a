// The CW window's logic in virtual time: the opening read of the keyer memories, the write
// buttons and what reaches the wire, the read-back, the guard timer and the closing message.
#include "panelink/windows/cw_window.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "panelink/windows/tests/cw_window_rig.h"

namespace panelink {
namespace {

using namespace std::chrono_literals;
using cwtest::RecordingLink;
using Posted = RecordingLink::Posted;

class CwWindowTest : public ::testing::Test {
  protected:
    CwWindowTest() {
        time_.setTickHandler([this](int id) { window_.onTimer(id); });
    }

    // The radio answers a read of `memory` with `text`.
    void answer(int memory, std::string_view text) {
        cwtest::storeKeyerAnswer(radio_, memory, text);
        window_.onMessage(message(DisplayUpdate::KM));
    }

    // Opened, and memories 1..3 have arrived.
    void openWith(std::string_view first, std::string_view second, std::string_view third) {
        window_.open();
        answer(1, first);
        answer(2, second);
        answer(3, third);
        link_.clear();
    }

    bool guardRunning() const { return time_.isTimerRunning(CwWindow::kGuardTimer); }
    std::size_t closings() const { return main_.count(id(WindowMessage::CwClosed)); }

    RadioState radio_;
    RecordingLink link_;
    platform::RecordingSink main_;
    platform::VirtualTime time_;
    CwWindow window_{{link_, radio_, main_, time_}};
};

TEST_F(CwWindowTest, OpeningAsksForTheThreeMemoriesAndLocksTheWindowUntilTheyArrive) {
    window_.open();
    EXPECT_EQ(link_.posts, (std::vector<Posted>{{Request::StartKeyerRead, 0, 0}}));
    EXPECT_TRUE(link_.queued.empty());
    EXPECT_EQ(window_.state(), CwState::Reading1);
    EXPECT_EQ(time_.timerPeriod(CwWindow::kGuardTimer), 5000ms);
    EXPECT_FALSE(window_.playEnabled());
    EXPECT_FALSE(window_.textsEditable());
    EXPECT_FALSE(window_.takesShortcuts()) << "no shortcut keys during the opening read";
    EXPECT_FALSE(window_.press(kCwPlayText1));
    EXPECT_FALSE(window_.press(kCwSpotOn));
    window_.edit(1, "TYPED TOO EARLY");
    EXPECT_EQ(window_.text(1), "");

    answer(1, "CQ CQ");
    answer(2, "TEST");
    EXPECT_EQ(window_.state(), CwState::Reading3);
    EXPECT_FALSE(window_.playEnabled());
    EXPECT_EQ(window_.focusRequests(), 0);

    answer(3, "73");
    EXPECT_EQ(window_.state(), CwState::Idle);
    EXPECT_EQ(window_.text(1), "CQ CQ");
    EXPECT_EQ(window_.text(2), "TEST");
    EXPECT_EQ(window_.text(3), "73");
    EXPECT_TRUE(window_.playEnabled());
    EXPECT_TRUE(window_.textsEditable());
    EXPECT_TRUE(window_.takesShortcuts());
    EXPECT_FALSE(guardRunning());
    EXPECT_EQ(window_.focusRequests(), 1) << "the focus goes to the first text-play button";
    for (int memory = 1; memory <= 3; ++memory)
        EXPECT_FALSE(window_.writeEnabled(memory)) << "memory " << memory << " is as stored";
    EXPECT_EQ(link_.posts.size(), 1u);
}

TEST_F(CwWindowTest, WithoutAnswersTheGuardShowsWhatTheRecordsHoldAfterFiveSeconds) {
    cwtest::storeKeyerAnswer(radio_, 3, "FROM BEFORE");
    window_.open();
    answer(1, "ONE");
    time_.advance(4999ms);
    EXPECT_EQ(window_.state(), CwState::Reading2);
    EXPECT_FALSE(window_.playEnabled());

    time_.advance(1ms);
    EXPECT_EQ(window_.state(), CwState::Idle);
    EXPECT_TRUE(window_.playEnabled());
    EXPECT_TRUE(window_.textsEditable());
    EXPECT_EQ(window_.text(1), "ONE");
    EXPECT_EQ(window_.text(2), "");
    EXPECT_EQ(window_.text(3), "FROM BEFORE");
    EXPECT_FALSE(guardRunning());
    EXPECT_EQ(window_.focusRequests(), 1);
}

TEST_F(CwWindowTest, AStoredTextShowsItsFirstFortyCharactersWithoutTrailingBlanks) {
    const std::string longText(45, 'X');
    openWith("CQ TEST", "  LEADING KEPT", longText);
    EXPECT_EQ(window_.text(1), "CQ TEST") << "the radio pads to 50 with blanks";
    EXPECT_EQ(window_.text(2), "  LEADING KEPT");
    EXPECT_EQ(window_.text(3), std::string(40, 'X'));
    EXPECT_FALSE(window_.writeEnabled(1)) << "unchanged until typed";
    EXPECT_FALSE(window_.writeEnabled(3));
}

TEST_F(CwWindowTest, TheWriteButtonFollowsWhetherTheBoxDiffersFromTheStoredText) {
    openWith("CQ TEST", "", "");
    window_.edit(1, "CQ TES");
    EXPECT_TRUE(window_.writeEnabled(1));
    window_.edit(1, "CQ TEST");
    EXPECT_FALSE(window_.writeEnabled(1)) << "changed back to the stored text";
    window_.edit(1, "");
    EXPECT_FALSE(window_.writeEnabled(1)) << "an empty box writes nothing";
    EXPECT_FALSE(window_.press(kCwWrite1));
    window_.edit(1, std::string(41, 'A'));
    EXPECT_FALSE(window_.writeEnabled(1)) << "longer than a box holds";
    EXPECT_FALSE(window_.press(kCwWrite1));
    EXPECT_TRUE(link_.queued.empty());
    EXPECT_EQ(window_.problem(1), KeyerTextProblem::None);
}

TEST_F(CwWindowTest, WritingMemoryTwoQueuesTheSetCommandAndItsReadBackThenShowsTheAnswer) {
    openWith("", "OLD", "");
    window_.edit(2, "HELLO");
    ASSERT_TRUE(window_.press(kCwWrite2));
    // The letters, the digit, the five characters and ";": nothing more goes on the wire.
    ASSERT_EQ(link_.queued, (std::vector<std::string>{"KM2HELLO;", "KM2;"}));
    EXPECT_EQ(link_.queued[0].size(), 5u + 4u);
    EXPECT_TRUE(link_.posts.empty()) << "the link wakes the writer for each queued text";
    EXPECT_EQ(window_.state(), CwState::ReadBack2);
    EXPECT_FALSE(window_.takesShortcuts());
    EXPECT_EQ(time_.timerPeriod(CwWindow::kGuardTimer), 5000ms);

    // The read-back shows what the radio now holds, whatever its keyer index says.
    cwtest::storeKeyerAnswer(radio_, 2, "HELLO");
    radio_.store(RadioField::KM_index, 1);
    window_.onMessage(message(DisplayUpdate::KM));
    EXPECT_EQ(window_.state(), CwState::Idle);
    EXPECT_EQ(window_.text(2), "HELLO");
    EXPECT_FALSE(window_.writeEnabled(2));
    EXPECT_FALSE(guardRunning());
    EXPECT_EQ(window_.focusRequests(), 2);
}

TEST_F(CwWindowTest, WithoutAReadBackTheWindowIsIdleAgainAfterFiveSecondsAndKeepsTheText) {
    openWith("", "", "OLD");
    window_.edit(3, "NEW");
    ASSERT_TRUE(window_.press(kCwWrite3));
    time_.advance(5000ms);
    EXPECT_EQ(window_.state(), CwState::Idle);
    EXPECT_FALSE(guardRunning());
    EXPECT_EQ(window_.text(3), "NEW");
    EXPECT_TRUE(window_.writeEnabled(3)) << "it can be written again";
    EXPECT_EQ(window_.focusRequests(), 1);
}

TEST_F(CwWindowTest, AnAnswerWhileIdleShowsTheMemoryItNamesAndOnlyMemoriesOneToThree) {
    openWith("A", "B", "C");
    window_.edit(1, "TYPED");
    answer(2, "CHANGED ON THE RADIO");
    EXPECT_EQ(window_.text(2), "CHANGED ON THE RADIO");
    EXPECT_EQ(window_.text(1), "TYPED");
    answer(4, "FOURTH");
    answer(5, "FIFTH");
    EXPECT_EQ(window_.text(1), "TYPED");
    EXPECT_EQ(window_.text(3), "C");
    EXPECT_EQ(window_.focusRequests(), 1);
}

TEST_F(CwWindowTest, PlayStopAndSpotButtonsPostTheirRequests) {
    openWith("", "", "");
    for (const int control :
         {kCwPlayText1, kCwPlayText2, kCwPlayText3, kCwStop, kCwSpotOn, kCwSpotOff})
        EXPECT_TRUE(window_.press(control)) << control;
    EXPECT_FALSE(window_.press(kCwTextBox1)) << "a text box is no button";
    EXPECT_EQ(link_.posts, (std::vector<Posted>{
                               {Request::PlayKeyerText1, 0, 0},
                               {Request::PlayKeyerText2, 0, 0},
                               {Request::PlayKeyerText3, 0, 0},
                               {Request::StopKeyerPlay, 0, 0},
                               {Request::SetCwSpot, kReadBackBit, 1},
                               {Request::SetCwSpot, kReadBackBit, 0},
                           }));
    EXPECT_TRUE(link_.queued.empty());
}

TEST_F(CwWindowTest, ClosingReportsOnceAndTheWindowThenIgnoresEverything) {
    window_.open();
    window_.close();
    window_.close();
    EXPECT_EQ(closings(), 1u);
    EXPECT_FALSE(guardRunning());
    EXPECT_FALSE(window_.takesShortcuts());
    link_.clear();
    answer(1, "LATE");
    time_.advance(6000ms);
    EXPECT_EQ(window_.text(1), "");
    EXPECT_FALSE(window_.press(kCwStop));
    EXPECT_TRUE(link_.posts.empty());
    EXPECT_EQ(closings(), 1u);
}

// Texts the write button refuses: a ";" would end the "KM" command early and send the rest
// as a command of its own; other bytes are no CAT text.
struct RefusedText {
    const char* name;
    std::string text;
    KeyerTextProblem problem;
};

class CwRefusedTextTest : public CwWindowTest, public ::testing::WithParamInterface<RefusedText> {};

TEST_P(CwRefusedTextTest, KeepsTheWriteButtonDisabledAndNamesTheProblem) {
    openWith("", "", "");
    window_.edit(1, GetParam().text);
    EXPECT_EQ(window_.problem(1), GetParam().problem);
    EXPECT_FALSE(window_.writeEnabled(1));
    EXPECT_FALSE(window_.press(kCwWrite1));
    EXPECT_TRUE(link_.queued.empty());
    EXPECT_EQ(window_.state(), CwState::Idle);

    window_.edit(1, "CQ");
    EXPECT_EQ(window_.problem(1), KeyerTextProblem::None);
    EXPECT_TRUE(window_.writeEnabled(1));
}

INSTANTIATE_TEST_SUITE_P(
    KeyerTexts, CwRefusedTextTest,
    ::testing::Values(
        RefusedText{"ASemicolonThatWouldEndTheCommand", "CQ;PS0", KeyerTextProblem::Semicolon},
        RefusedText{"ASemicolonAtTheEnd", "CQ;", KeyerTextProblem::Semicolon},
        RefusedText{"ATab", "CQ\tDE", KeyerTextProblem::NotPrintable},
        RefusedText{"ANulByte", std::string("CQ\0DE", 5), KeyerTextProblem::NotPrintable},
        RefusedText{"TheDeleteCharacter", "CQ\x7f", KeyerTextProblem::NotPrintable},
        RefusedText{"ALetterOutsideAscii", "CQ \xc3\xa9", KeyerTextProblem::NotPrintable}),
    [](const ::testing::TestParamInfo<RefusedText>& refused) { return refused.param.name; });

TEST(KeyerTextProblemTest, EveryPrintableAsciiCharacterButTheSemicolonCanBeSent) {
    std::string printable;
    for (char c = ' '; c <= '~'; ++c) {
        if (c != ';') printable += c;
    }
    EXPECT_EQ(keyerTextProblem(printable), KeyerTextProblem::None);
    EXPECT_EQ(keyerTextProblem(""), KeyerTextProblem::None);
}

}  // namespace
}  // namespace panelink
