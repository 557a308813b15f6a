// The Repeater window and its tone list without widgets: the texts of the value boxes, which
// buttons send what in which mode, the tone list's order and its OK.
#include <gtest/gtest.h>

#include <set>

#include "panelink/cat/radio_state.h"
#include "panelink/windows/repeater_settings.h"
#include "panelink/windows/tests/command_wire.h"
#include "panelink/windows/tone_choice.h"
#include "shared/platform/testing/recording_window.h"

namespace panelink::windowtest {
namespace {

using Texts = std::vector<std::string>;
using Button = RepeaterSettings::Button;
using Box = RepeaterSettings::Box;

class RepeaterTest : public ::testing::Test {
  protected:
    // Opens the window and forgets the information read it asks for.
    RepeaterSettings& open() {
        window_.emplace(wire_.radio(), wire_, mainWindow_);
        wire_.takeCommands();
        return *window_;
    }
    void setMode(std::int32_t mode) { ASSERT_TRUE(wire_.radio().store(RadioField::MD_0, mode)); }

    CommandWire wire_;
    platform::RecordingWindow mainWindow_;
    std::optional<RepeaterSettings> window_;
};

TEST(RepeaterTexts, ValuesShowTheirTextsAndAnythingElseShowsQuestionMarks) {
    EXPECT_EQ(ctcssModeText(0), "OFF");
    EXPECT_EQ(ctcssModeText(1), "Tone Squelch");
    EXPECT_EQ(ctcssModeText(2), "Tone Encoder");
    EXPECT_EQ(shiftText(0), "Simplex");
    EXPECT_EQ(shiftText(1), "Plus Shift");
    EXPECT_EQ(shiftText(2), "Minus Shift");
    EXPECT_EQ(toneText(0), "67.0 Hz");
    EXPECT_EQ(toneText(12), "100.0 Hz");
    EXPECT_EQ(toneText(42), "210.7 Hz");
    EXPECT_EQ(toneText(43), "218.1 Hz");
    EXPECT_EQ(toneText(49), "254.1 Hz");
    for (std::int32_t outside : {-1, 3}) {
        EXPECT_EQ(ctcssModeText(outside), "?????");
        EXPECT_EQ(shiftText(outside), "?????");
    }
    EXPECT_EQ(toneText(-1), "?????");
    EXPECT_EQ(toneText(50), "?????");
}

TEST_F(RepeaterTest, OpeningWithVfoBSelectedSaysSoButStillReadsTheMainSide) {
    ASSERT_TRUE(wire_.radio().store(RadioField::VS, 1));
    window_.emplace(wire_.radio(), wire_, mainWindow_);
    EXPECT_EQ(window_->vfoLabel(), "<VFO-B>");
    EXPECT_EQ(wire_.takeCommands(), Texts{"IF;"});

    // The label keeps what it showed at opening.
    ASSERT_TRUE(wire_.radio().store(RadioField::VS, 0));
    EXPECT_EQ(window_->vfoLabel(), "<VFO-B>");

    setMode(4);
    window_->press(Button::Encoder);
    window_->press(Button::Plus);
    EXPECT_EQ(wire_.takeCommands(), (Texts{"CT02;", "OS01;"}));
}

TEST_F(RepeaterTest, OpeningWithVfoASelectedSaysVfoA) {
    EXPECT_EQ(open().vfoLabel(), "<VFO-A>");
}

TEST_F(RepeaterTest, BoxesShowTheMainSidesStateAndEachAnswerRedrawsItsOwnBox) {
    RepeaterSettings& window = open();
    ASSERT_TRUE(wire_.radio().store(RadioField::CT_0, 1));
    ASSERT_TRUE(wire_.radio().store(RadioField::CT_1, 2));
    ASSERT_TRUE(wire_.radio().store(RadioField::CN_0, 12));
    ASSERT_TRUE(wire_.radio().store(RadioField::OS_0, 2));
    EXPECT_EQ(window.boxText(Box::Mode), "Tone Squelch");
    EXPECT_EQ(window.boxText(Box::Tone), "100.0 Hz");
    EXPECT_EQ(window.boxText(Box::Shift), "Minus Shift");

    EXPECT_EQ(RepeaterSettings::boxRedrawnBy(id(DisplayUpdate::CT)), Box::Mode);
    EXPECT_EQ(RepeaterSettings::boxRedrawnBy(id(DisplayUpdate::CN)), Box::Tone);
    EXPECT_EQ(RepeaterSettings::boxRedrawnBy(id(DisplayUpdate::OS)), Box::Shift);
    EXPECT_EQ(RepeaterSettings::boxRedrawnBy(id(DisplayUpdate::MD)), std::nullopt);
}

class RepeaterModeTest : public RepeaterTest, public ::testing::WithParamInterface<int> {};

TEST_P(RepeaterModeTest, CtcssModeButtonsActOnlyInTheFmModes) {
    setMode(GetParam());
    RepeaterSettings& window = open();
    window.press(Button::Off);
    window.press(Button::Encoder);
    window.press(Button::Squelch);
    const bool fm = GetParam() == 4 || GetParam() == 10 || GetParam() == 11;
    EXPECT_EQ(wire_.takeCommands(), (fm ? Texts{"CT00;", "CT02;", "CT01;"} : Texts{}));
}

INSTANTIATE_TEST_SUITE_P(EveryOperatingMode, RepeaterModeTest, ::testing::Range(1, 13),
                         [](const auto& mode) { return "Mode" + std::to_string(mode.param); });

TEST_F(RepeaterTest, ShiftButtonsSendInAnyModeWithTheMainSide) {
    setMode(2);
    RepeaterSettings& window = open();
    window.press(Button::Simplex);
    window.press(Button::Plus);
    window.press(Button::Minus);
    EXPECT_EQ(wire_.takeCommands(), (Texts{"OS00;", "OS01;", "OS02;"}));
}

TEST_F(RepeaterTest, ClosingIsReportedOnceAndTheButtonsSendNothingAfterwards) {
    RepeaterSettings& window = open();
    EXPECT_TRUE(window.close());
    EXPECT_FALSE(window.close());
    EXPECT_EQ(mainWindow_.ids(), std::vector<std::uint32_t>{id(WindowMessage::RepeaterClosed)});
    window.press(Button::Simplex);
    EXPECT_TRUE(wire_.takeCommands().empty());
}

TEST(ToneList, ItemsRunEveryFifthToneAndHoldEachToneOnce) {
    ASSERT_EQ(kToneListItems.size(), 50u);
    const std::array<int, 12> firstTones{0, 5, 10, 15, 20, 25, 30, 35, 40, 45, 1, 6};
    for (std::size_t i = 0; i < firstTones.size(); ++i)
        EXPECT_EQ(kToneListItems[i].tone, firstTones[i]) << "item " << i;
    EXPECT_EQ(kToneListItems[49].tone, 49);
    EXPECT_EQ(toneListText(kToneListItems[0]), "  67.0");
    EXPECT_EQ(toneListText(kToneListItems[22]), "  100.0");
    EXPECT_EQ(toneListText(kToneListItems[49]), "  254.1");

    std::set<int> tones;
    for (const ToneListItem& item : kToneListItems) {
        tones.insert(item.tone);
        EXPECT_EQ(std::string(item.frequency) + " Hz", toneText(item.tone));
    }
    EXPECT_EQ(tones.size(), 50u);
}

TEST(ToneList, TheCurrentTonesItemIsFoundAndAToneWithoutOneHasNone) {
    CommandWire wire;
    EXPECT_EQ(ToneChoice(12, wire).currentItem(), 22);  // "  100.0", the 23rd item
    EXPECT_EQ(ToneChoice(0, wire).currentItem(), 0);
    EXPECT_EQ(ToneChoice(49, wire).currentItem(), 49);
    EXPECT_EQ(ToneChoice(50, wire).currentItem(), std::nullopt);
}

TEST(ToneList, OkSendsTheSelectedItemsToneForTheMainSideAndNothingWithoutASelection) {
    CommandWire wire;
    ToneChoice choice(8, wire);
    choice.confirm(std::nullopt);
    choice.confirm(50);
    choice.confirm(-1);
    EXPECT_TRUE(wire.takeCommands().empty());

    choice.confirm(22);
    choice.confirm(1);
    EXPECT_EQ(wire.takeCommands(), (Texts{"CN012;", "CN005;"}));
    ASSERT_EQ(wire.posts.size(), 2u);
    EXPECT_EQ(wire.posts[0].wparam, kReadBackBit);
}

}  // namespace
}  // namespace panelink::windowtest
