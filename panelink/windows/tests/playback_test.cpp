// The Playback window without widgets: the command of every button and the indicators.
#include <gtest/gtest.h>

#include "panelink/cat/radio_state.h"
#include "panelink/windows/playback_control.h"
#include "panelink/windows/tests/command_wire.h"
#include "shared/platform/testing/recording_window.h"

namespace panelink::windowtest {
namespace {

using Button = PlaybackControl::Button;
using Texts = std::vector<std::string>;

class PlaybackTest : public ::testing::Test {
  protected:
    CommandWire wire_;
    platform::RecordingWindow mainWindow_;
    PlaybackControl playback_{wire_.radio(), wire_, mainWindow_};
};

struct ButtonCommand {
    int button;
    const char* command;
};

TEST_F(PlaybackTest, EveryButtonSendsItsOwnCommand) {
    const ButtonCommand expected[] = {
        {1026, "LM01;"}, {1027, "LM02;"}, {1031, "LM00;"},  // voice memory REC
        {1034, "PB1;"},  {1035, "PB2;"},  {1039, "PB0;"},   // voice memory PLAY
        {1042, "PB7;"},  {1043, "PB8;"},  {1044, "PB0;"},   // voice memory TX
        {1032, "LM11;"}, {1033, "LM10;"},                   // audio REC
        {1040, "PB6;"},  {1041, "PB0;"},                    // audio PLAY
    };
    for (const ButtonCommand& entry : expected) {
        playback_.press(static_cast<Button>(entry.button));
        EXPECT_EQ(wire_.takeCommands(), Texts{entry.command}) << "button " << entry.button;
    }
    for (const auto& posted : wire_.posts) {
        EXPECT_EQ(posted.wparam, 0u);
        EXPECT_EQ(posted.lparam, 0);
    }
}

TEST_F(PlaybackTest, IndicatorsFollowTheRecorderSelectorsOfTheLastAnswer) {
    EXPECT_FALSE(playback_.recordingReported());
    EXPECT_FALSE(playback_.playingReported());
    ASSERT_TRUE(wire_.radio().store(RadioField::RI_3, 1));
    EXPECT_TRUE(playback_.recordingReported());
    EXPECT_FALSE(playback_.playingReported());
    ASSERT_TRUE(wire_.radio().store(RadioField::RI_3, 0));
    ASSERT_TRUE(wire_.radio().store(RadioField::RI_4, 1));
    EXPECT_FALSE(playback_.recordingReported());
    EXPECT_TRUE(playback_.playingReported());
}

TEST_F(PlaybackTest, ClosingIsReportedOnceAndTheButtonsSendNothingAfterwards) {
    EXPECT_TRUE(playback_.close());
    EXPECT_FALSE(playback_.close());
    EXPECT_EQ(mainWindow_.ids(), std::vector<std::uint32_t>{id(WindowMessage::PlaybackClosed)});
    playback_.press(Button::StopPlaying);
    EXPECT_TRUE(wire_.takeCommands().empty());
}

}  // namespace
}  // namespace panelink::windowtest
