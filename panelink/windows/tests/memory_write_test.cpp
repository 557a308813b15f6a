// The MEMORY WRITE window without widgets, in virtual time: the range check, the read of the
// channel, the write of a free channel after 500 ms, the question for a used one, and answers
// for other channels.
#include <gtest/gtest.h>

#include "panelink/cat/radio_state.h"
#include "panelink/windows/memory_write_entry.h"
#include "panelink/windows/tests/command_wire.h"
#include "shared/platform/testing/recording_window.h"

namespace panelink::windowtest {
namespace {

using namespace std::chrono_literals;
using Outcome = MemoryWriteEntry::Outcome;
using State = MemoryWriteEntry::State;
using Texts = std::vector<std::string>;

class MemoryWriteTest : public ::testing::Test {
  protected:
    MemoryWriteTest() {
        wire_.time().setTickHandler([this](int timerId) { entry_.onTimer(timerId); });
    }
    ~MemoryWriteTest() override { wire_.time().setTickHandler({}); }

    // The transceiver answers "MR" for `channel`.
    void answerFor(int channel) {
        ASSERT_TRUE(wire_.radio().store(RadioField::MR, channel));
        reported_ = entry_.onMemoryReported();
    }
    std::size_t closes() const { return mainWindow_.count(id(WindowMessage::MemoryWriteClosed)); }
    static bool isWriteOf(const std::string& command, const char* channel) {
        return command.size() == 27 && command.rfind(std::string("MW") + channel, 0) == 0 &&
               command.back() == ';';
    }

    CommandWire wire_;
    platform::RecordingWindow mainWindow_;
    MemoryWriteEntry entry_{wire_.radio(), wire_, wire_.time(), mainWindow_};
    bool reported_ = false;
};

TEST_F(MemoryWriteTest, ChannelsOutsideTheRangeAreRefusedAndTheWindowStays) {
    for (const char* text : {"0", "000", "505", "999"}) {
        EXPECT_EQ(entry_.confirm(text), Outcome::OutOfRange) << text;
        EXPECT_EQ(entry_.state(), State::Entering);
    }
    EXPECT_TRUE(wire_.takeCommands().empty());
    EXPECT_EQ(closes(), 0u);
}

TEST_F(MemoryWriteTest, AnEmptyBoxClosesAsCancelDoes) {
    EXPECT_EQ(entry_.confirm(""), Outcome::Closed);
    EXPECT_EQ(closes(), 1u);
    EXPECT_TRUE(wire_.takeCommands().empty());
}

TEST_F(MemoryWriteTest, AFreeChannelIsWrittenWithoutAskingAfter500ms) {
    EXPECT_EQ(entry_.confirm("504"), Outcome::Waiting);
    EXPECT_EQ(wire_.takeCommands(), Texts{"MR504;"});
    EXPECT_FALSE(entry_.inputEnabled());

    wire_.time().advance(499ms);
    EXPECT_TRUE(wire_.takeCommands().empty());
    EXPECT_EQ(closes(), 0u);

    wire_.time().advance(1ms);
    const Texts sent = wire_.takeCommands();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_TRUE(isWriteOf(sent[0], "504")) << sent[0];
    EXPECT_EQ(wire_.posts.back().wparam, kReadBackBit);
    EXPECT_EQ(closes(), 1u);
    EXPECT_FALSE(wire_.time().isTimerRunning(MemoryWriteEntry::kTimerNoAnswer));
}

TEST_F(MemoryWriteTest, AUsedChannelIsWrittenOnlyAfterTheUserAgrees) {
    entry_.confirm("7");
    wire_.takeCommands();
    answerFor(7);
    EXPECT_TRUE(reported_);
    EXPECT_EQ(entry_.state(), State::Asking);
    wire_.time().advance(2s);
    EXPECT_TRUE(wire_.takeCommands().empty()) << "the question stops the wait";

    entry_.answerOverwrite(true);
    const Texts sent = wire_.takeCommands();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_TRUE(isWriteOf(sent[0], "007")) << sent[0];
    EXPECT_EQ(closes(), 1u);
}

TEST_F(MemoryWriteTest, DecliningTheOverwriteGivesTheBoxBackForAnotherChannel) {
    entry_.confirm("7");
    answerFor(7);
    entry_.answerOverwrite(false);
    EXPECT_TRUE(entry_.inputEnabled());
    EXPECT_EQ(closes(), 0u);
    wire_.takeCommands();

    EXPECT_EQ(entry_.confirm("8"), Outcome::Waiting);
    wire_.time().advance(500ms);
    const Texts sent = wire_.takeCommands();
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(sent[0], "MR008;");
    EXPECT_TRUE(isWriteOf(sent[1], "008")) << sent[1];
}

TEST_F(MemoryWriteTest, AnAnswerForAnotherChannelNeitherEndsTheWaitNorLeavesTheWindowStuck) {
    entry_.confirm("12");
    wire_.takeCommands();
    wire_.time().advance(200ms);
    answerFor(3);
    EXPECT_FALSE(reported_);
    EXPECT_EQ(entry_.state(), State::Waiting);
    EXPECT_TRUE(wire_.time().isTimerRunning(MemoryWriteEntry::kTimerNoAnswer));

    // The entered channel's own answer still asks.
    answerFor(12);
    EXPECT_TRUE(reported_);
    EXPECT_EQ(entry_.state(), State::Asking);
}

TEST_F(MemoryWriteTest, WithOnlyOtherChannelsAnsweringTheTimerStillWrites) {
    entry_.confirm("12");
    wire_.takeCommands();
    answerFor(3);
    wire_.time().advance(500ms);
    const Texts sent = wire_.takeCommands();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_TRUE(isWriteOf(sent[0], "012")) << sent[0];
    EXPECT_EQ(closes(), 1u);
}

TEST_F(MemoryWriteTest, CancelWhileWaitingWritesNothingAndClosesOnce) {
    entry_.confirm("12");
    wire_.takeCommands();
    entry_.cancel();
    entry_.cancel();
    wire_.time().advance(1s);
    answerFor(12);
    EXPECT_FALSE(reported_);
    EXPECT_TRUE(wire_.takeCommands().empty());
    EXPECT_EQ(closes(), 1u);
}

}  // namespace
}  // namespace panelink::windowtest
