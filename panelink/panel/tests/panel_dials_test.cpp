// The main dial, the DSP/SEL knob, the value knobs and the frequency digits, in virtual time.
#include <gtest/gtest.h>

#include "panelink/core/timer_ids.h"
#include "panelink/menu/menu_item.h"
#include "panelink/panel/dial_steps.h"
#include "panelink/panel/tests/panel_controller_rig.h"

namespace panelink::paneltest {
namespace {

using F = RadioField;

// ---- Step detection ----

TEST(DialSteps, TwentyDegreesInOnePeriodGiveTwoStepsAndDropTheRest) {
    DialTurn dial{.drawn = 100, .previous = 100};
    detectSteps(dial, 120);
    EXPECT_EQ(dial.pending, 2);
    EXPECT_EQ(dial.accumulated, 0);
}

TEST(DialSteps, CrossingTwelveOClockCountsTheShortWayRound) {
    DialTurn clockwise{.drawn = 355, .previous = 355};
    detectSteps(clockwise, 5);
    EXPECT_EQ(clockwise.pending, 1) << "+10 degrees";
    DialTurn back{.drawn = 5, .previous = 5};
    detectSteps(back, 355);
    EXPECT_EQ(back.pending, -1) << "-10 degrees";
}

TEST(DialSteps, SmallTurnsAddUpToAStep) {
    DialTurn dial{};
    for (int angle : {3, 6, 9})
        detectSteps(dial, angle);
    EXPECT_EQ(dial.pending, 1);
}

// ---- Main dial and DSP/SEL knob ----

// A point whose cursor angle around `centre` is exactly `angle`, within `maxRadius`.
PanelPoint pointWithAngle(PanelPoint centre, int angle, int maxRadius) {
    for (int radius = maxRadius; radius > 5; --radius) {
        const PanelPoint p = pointAt(centre, radius, angle);
        if (cursorAngle(centre, p) == angle) return p;
    }
    ADD_FAILURE() << "no point at " << angle << " degrees";
    return centre;
}

class DialTest : public ControllerTest {
  protected:
    static PanelPoint onMainDial(int angle) { return pointWithAngle(kMainDialCentre, angle, 45); }
    static PanelPoint onDspSel(int angle) { return pointWithAngle(kDspSelKnob, angle, 19); }
};

TEST_F(DialTest, ADragFollowsTheCursorAndSendsItsStepsAtTheNextSendTick) {
    press(onMainDial(90));
    EXPECT_EQ(window.last(WindowMessage::DrawMainDial), 90u);
    pointer.at = onMainDial(111);
    advance(30);  // the send tick comes first and finds nothing; then 21 degrees are counted
    EXPECT_EQ(window.last(WindowMessage::DrawMainDial), 111u);
    EXPECT_TRUE(takeRequests().empty());
    advance(30);
    EXPECT_EQ(takeRequests(), std::vector{readBack(Request::StepMainDial, 3)});
    pointer.at = onMainDial(97);
    advance(60);
    EXPECT_EQ(takeRequests(), std::vector{readBack(Request::StepMainDial, -2)});
    release(onMainDial(97));
    EXPECT_FALSE(time.isTimerRunning(kTimerDialSend));
    EXPECT_EQ(controller.activeControl(), PanelCode::None);
}

TEST_F(DialTest, StepsTurnedAfterTheLastSendGoOutAtTheRelease) {
    press(onMainDial(0));
    pointer.at = onMainDial(14);
    controller.onTimer(kTimerControlHold);  // counted, not sent yet
    release(onMainDial(14));
    EXPECT_EQ(takeRequests(), std::vector{readBack(Request::StepMainDial, 2)});
}

TEST_F(DialTest, WithTheClarifierOnAndClarOnTheDialAStepMovesTheClarifierTenHertz) {
    buildMenu();
    ASSERT_TRUE(menu.setValueOfKind(kKindClar, 0));
    radio.store(F::RT, 1);
    press(onMainDial(0));
    pointer.at = onMainDial(7);
    advance(60);
    EXPECT_EQ(takeRequests(), std::vector{readBack(Request::StepClarifier, 10)});
}

TEST_F(DialTest, TheWheelWrapsTheDrawnAngleToFixedAngles) {
    press(onMainDial(3));
    release(onMainDial(3));
    takeRequests();
    wheel(kMainDialCentre, -120);
    EXPECT_EQ(window.last(WindowMessage::DrawMainDial), 352u);
    EXPECT_EQ(takeRequests(), std::vector{readBack(Request::StepMainDial, -1)});
    press(onMainDial(357));
    release(onMainDial(357));
    wheel(kMainDialCentre, 120);
    EXPECT_EQ(window.last(WindowMessage::DrawMainDial), 7u);
}

TEST_F(DialTest, TheDspSelKnobTunesByHundredKilohertzWhenSelIsOn) {
    window.tuning = true;
    radio.store(F::FA, 14250000);
    wheel(kDspSelKnob, 120);
    EXPECT_EQ(takeRequests(), std::vector{readBack(Request::SetVfoAFrequency, 14350000)});
    EXPECT_TRUE(time.isTimerRunning(kTimerKnobPointer));
    advance(200);
    EXPECT_EQ(window.last(WindowMessage::DrawDspSelKnob), 360u) << "the pointer goes again";
}

TEST_F(DialTest, ADspSelDragSendsEverySixtyMillisecondsAndDropsThePointerAtTheEnd) {
    press(onDspSel(0));
    pointer.at = onDspSel(14);
    advance(30);
    EXPECT_TRUE(takeRequests().empty());
    advance(30);
    EXPECT_EQ(takeRequests(), std::vector{readBack(Request::StepDspKnob, 2)});
    release(pointer.at);
    EXPECT_EQ(window.last(WindowMessage::DrawDspSelKnob), 360u);
}

// ---- Value knobs ----

using KnobTest = ControllerTest;

TEST_F(KnobTest, TheFirstClickSelectsTheKnobAndSendsNothing) {
    click(kAfGainKnob);
    EXPECT_TRUE(takeRequests().empty());
    EXPECT_EQ(controller.activeControl(), PanelCode::AfGainKnob);
    EXPECT_EQ(window.all(WindowMessage::KnobCaption).back(),
              message(WindowMessage::KnobCaption, 1, 1));
    radio.store(F::AG_0, 100);
    click(kAfGainKnob);
    EXPECT_EQ(takeRequests(), std::vector{readBack(Request::SetAfGain, 99)});
}

TEST_F(KnobTest, ShiftAtZeroStepsFromFortyEitherWay) {
    radio.store(F::IS, 0);
    click(kShiftKnob);
    click(kShiftKnob);
    EXPECT_EQ(takeRequests(), std::vector{readBack(Request::SetIfShift, -50)});
    wheel(kShiftKnob, 120);
    EXPECT_EQ(takeRequests(), std::vector{readBack(Request::SetIfShift, 90)});
}

TEST_F(KnobTest, AfGainIsLimitedAtItsTop) {
    radio.store(F::AG_0, 250);
    click(kAfGainKnob);
    wheel(kAfGainKnob, 120);
    EXPECT_EQ(takeRequests(), std::vector{readBack(Request::SetAfGain, 255)});
}

TEST_F(KnobTest, HoldingTheSelectingClickRepeatsAfterOneSecondAndAddsNoStepAtRelease) {
    radio.store(F::AG_0, 200);
    press(kAfGainKnob);
    advance(1500);
    const std::vector<PostedRequest> repeats = takeRequests();
    EXPECT_GE(repeats.size(), 5u);
    EXPECT_LE(repeats.size(), 6u);
    for (const PostedRequest& r : repeats)
        EXPECT_EQ(r, readBack(Request::SetAfGain, 190)) << "the value is not reported back here";
    release(kAfGainKnob);
    EXPECT_TRUE(takeRequests().empty());
}

TEST_F(KnobTest, ARightPressAnywhereRepeatsUpwards) {
    radio.store(F::SQ_0, 10);
    click({688, 276});  // SQL with "SQL/RFG" missing (1): RF gain
    EXPECT_EQ(controller.activeControl(), PanelCode::RfGainKnob);
    radio.store(F::RG_0, 10);
    pointer.right = true;
    controller.rightPress(kEmptyPanel);
    advance(1100);
    EXPECT_EQ(takeRequests(),
              (std::vector{readBack(Request::SetRfGain, 20), readBack(Request::SetRfGain, 20)}));
}

TEST_F(KnobTest, PressingAKeyDeselectsTheKnob) {
    click(kAfGainKnob);
    click(kLockKey);
    EXPECT_EQ(window.all(WindowMessage::KnobCaption).back(),
              message(WindowMessage::KnobCaption, 0, 1));
    EXPECT_FALSE(time.isTimerRunning(kTimerKnobRepeat));
}

// ---- Digits and read-backs ----

using DigitTest = ControllerTest;

TEST_F(DigitTest, TheWheelOnTheHundredHertzDigitSetsTheFrequencyAndReadsItBack) {
    connect();
    radio.store(F::FA, 14250000);
    click(kDigit3);
    EXPECT_EQ(window.last(WindowMessage::SelectDigit), 3u);
    wheel(kEmptyPanel, 120);
    EXPECT_EQ(takeRequests(), std::vector{readBack(Request::SetVfoAFrequency, 14250100)});
    advance(199);
    EXPECT_TRUE(link.queued.empty());
    advance(1);
    EXPECT_EQ(link.queued, std::vector<std::string>{"FA;"});
}

TEST_F(DigitTest, AnAnswerBeforeTheReadBackCancelsIt) {
    connect();
    click(kDigit3);
    wheel(kEmptyPanel, -120);
    controller.onReadBackAnswered();
    advance(1000);
    EXPECT_TRUE(link.queued.empty());
}

TEST_F(DigitTest, NoReadBackWithoutAConnection) {
    click(kDigit3);
    wheel(kEmptyPanel, 120);
    advance(1000);
    EXPECT_TRUE(link.queued.empty());
}

TEST_F(DigitTest, TheSelectedDigitIsDeselectedByAClickOnItAndByEnter) {
    click(kDigit3);
    click(kDigit3);
    EXPECT_EQ(window.last(WindowMessage::SelectDigit), 0u);
    click(kDigit3);
    controller.cancelSelection();
    EXPECT_EQ(window.last(WindowMessage::SelectDigit), 0u);
    EXPECT_EQ(controller.selectedDigit(), 0);
}

}  // namespace
}  // namespace panelink::paneltest
