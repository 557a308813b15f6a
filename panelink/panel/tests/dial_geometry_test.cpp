#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <set>
#include <utility>

#include "panelink/panel/panel_tables.h"

namespace panelink {
namespace {

// The sampled points of a round area, straight from the rule: every whole radius from R down
// to 0 and every whole degree (degrees to radians with π taken as 3.141592), truncated.
std::set<std::pair<int, int>> sampledOffsets(int radius) {
    std::set<std::pair<int, int>> points;
    for (int n = radius; n >= 0; --n) {
        for (int i = 0; i < 360; ++i) {
            const double radians = i * 0.01745328888888889;
            points.insert({static_cast<int>(std::trunc(n * std::sin(radians))),
                           -static_cast<int>(std::trunc(n * std::cos(radians)))});
        }
    }
    return points;
}

// Compares the area with the rule on every point of its square and one pixel around it.
void expectSameAsRule(const RoundArea& area) {
    const auto rule = sampledOffsets(area.radius);
    for (int dy = -area.radius - 1; dy <= area.radius + 1; ++dy) {
        for (int dx = -area.radius - 1; dx <= area.radius + 1; ++dx) {
            const PanelPoint p{area.centre.x + dx, area.centre.y + dy};
            ASSERT_EQ(inRoundArea(area, p), rule.contains({dx, dy}))
                << "offset " << dx << "," << dy << " radius " << area.radius;
        }
    }
}

TEST(RoundAreas, TheDialAndTheKnobsSitWhereThePictureShowsThem) {
    const auto& dial = roundArea(RoundControl::MainDial);
    EXPECT_EQ(dial.centre, (PanelPoint{517, 240}));
    EXPECT_EQ(dial.radius, 50);
    EXPECT_EQ(roundArea(RoundControl::DspSelKnob).centre, (PanelPoint{172, 276}));
    EXPECT_EQ(roundArea(RoundControl::ShiftKnob).centre, (PanelPoint{68, 276}));
    EXPECT_EQ(roundArea(RoundControl::SqlRfGainKnob).centre, (PanelPoint{688, 276}));
    EXPECT_EQ(roundArea(RoundControl::AfGainKnob).centre, (PanelPoint{792, 276}));
    EXPECT_EQ(roundArea(RoundControl::AfGainKnob).radius, 20);
}

TEST(RoundAreas, TheMainDialHoldsItsCentreAndItsTopButNotThePixelAbove) {
    const auto& dial = roundArea(RoundControl::MainDial);
    EXPECT_TRUE(inRoundArea(dial, {517, 240}));
    EXPECT_TRUE(inRoundArea(dial, {517, 190}));
    EXPECT_FALSE(inRoundArea(dial, {517, 189}));
    // Sines just short of 1 truncate the right and bottom rims one pixel in.
    EXPECT_TRUE(inRoundArea(dial, {566, 240}));
    EXPECT_FALSE(inRoundArea(dial, {567, 240}));
    EXPECT_FALSE(inRoundArea(dial, {517, 290}));
}

TEST(RoundAreas, APointInsideTheRimThatNoSampleReachesIsOutside) {
    const auto& dial = roundArea(RoundControl::MainDial);
    const int r = dial.radius;
    const auto rule = sampledOffsets(r);
    std::optional<PanelPoint> gap;
    for (int dy = -r; dy <= r && !gap; ++dy) {
        for (int dx = -r; dx <= r && !gap; ++dx) {
            if (dx * dx + dy * dy <= (r - 2) * (r - 2) && !rule.contains({dx, dy})) {
                gap = PanelPoint{dial.centre.x + dx, dial.centre.y + dy};
            }
        }
    }
    ASSERT_TRUE(gap.has_value()) << "the sampling of radius 50 leaves no gap";
    EXPECT_FALSE(inRoundArea(dial, *gap));
}

TEST(RoundAreas, EveryAreaAgreesWithTheSamplingRuleOnEveryPoint) {
    for (const auto control :
         {RoundControl::MainDial, RoundControl::DspSelKnob, RoundControl::ShiftKnob,
          RoundControl::SqlRfGainKnob, RoundControl::AfGainKnob}) {
        expectSameAsRule(roundArea(control));
    }
}

TEST(RoundAreas, AnAreaOfAnotherRadiusFollowsTheSameRule) {
    expectSameAsRule(RoundArea{RoundControl::MainDial, {30, 30}, 7});
    const RoundArea dot{RoundControl::MainDial, {30, 30}, 0};
    EXPECT_TRUE(inRoundArea(dot, {30, 30}));
    EXPECT_FALSE(inRoundArea(dot, {31, 30}));
}

TEST(DialAngles, TheCursorAngleRunsClockwiseFromTwelveOClock) {
    const PanelPoint c{517, 240};
    EXPECT_EQ(cursorAngle(c, {517, 200}), 0);
    EXPECT_EQ(cursorAngle(c, {557, 240}), 90);
    EXPECT_EQ(cursorAngle(c, {517, 280}), 180);
    EXPECT_EQ(cursorAngle(c, {477, 240}), 270);
    EXPECT_EQ(cursorAngle(c, {547, 210}), 45);
    EXPECT_EQ(cursorAngle(c, {487, 210}), 315);
}

TEST(DialAngles, AnglesTruncateTowardZeroOnBothSidesOfTwelveOClock) {
    const PanelPoint c{517, 240};
    // Just left of straight up: 359.4° becomes 359, never 360.
    EXPECT_EQ(cursorAngle(c, {516, 140}), 359);
    EXPECT_EQ(cursorAngle(c, {518, 140}), 1);
}

TEST(DialAngles, PointsOnACircleUseTheShortPiAndTruncate) {
    const PanelPoint c{517, 240};
    EXPECT_EQ(pointAt(c, 25, 0), (PanelPoint{517, 215}));
    EXPECT_EQ(pointAt(c, 25, 45), (PanelPoint{534, 223}));
    // With π as 3.141592 the sine of 90° and the cosine of 180° fall just short of 1.
    EXPECT_EQ(pointAt(c, 25, 90), (PanelPoint{541, 240}));
    EXPECT_EQ(pointAt(c, 25, 180), (PanelPoint{517, 264}));
    EXPECT_EQ(pointAt(c, 25, 270), (PanelPoint{493, 240}));
    EXPECT_EQ(pointAt(c, 0, 123), c);
}

TEST(KnobParameters, GainsStepInUnitsAndTheShiftInTens) {
    const auto& sql = knobParameters(Knob::Sql);
    EXPECT_EQ(sql.code, PanelCode::SqlKnob);
    EXPECT_EQ(sql.minimum, 0);
    EXPECT_EQ(sql.maximum, 255);
    EXPECT_EQ(sql.clickStep, 1);
    EXPECT_EQ(sql.repeatStep, 10);
    EXPECT_EQ(sql.wheelStep, 20);
    EXPECT_EQ(id(sql.request), platform::WM_APP + 0x55B);

    const auto& shift = knobParameters(Knob::Shift);
    EXPECT_EQ(shift.code, PanelCode::ShiftKnob);
    EXPECT_EQ(shift.minimum, -1260);
    EXPECT_EQ(shift.maximum, 1260);
    EXPECT_EQ(shift.clickStep, 10);
    EXPECT_EQ(shift.repeatStep, 50);
    EXPECT_EQ(shift.wheelStep, 50);
    EXPECT_EQ(id(shift.request), platform::WM_APP + 0x565);

    EXPECT_EQ(id(knobParameters(Knob::AfGain).request), platform::WM_APP + 0x562);
    EXPECT_EQ(id(knobParameters(Knob::RfGain).request), platform::WM_APP + 0x563);
}

TEST(KnobParameters, EachKnobLightsItsOwnCaptionAndIsFoundByItsCode) {
    EXPECT_EQ(knobParameters(Knob::Shift).captionIndex, 0);
    EXPECT_EQ(knobParameters(Knob::AfGain).captionIndex, 1);
    EXPECT_EQ(knobParameters(Knob::RfGain).captionIndex, 2);
    EXPECT_EQ(knobParameters(Knob::Sql).captionIndex, 3);
    for (const Knob knob : {Knob::Sql, Knob::AfGain, Knob::RfGain, Knob::Shift}) {
        EXPECT_EQ(knobParameters(knob).knob, knob);
        EXPECT_EQ(knobOfCode(knobParameters(knob).code), knob);
    }
    EXPECT_EQ(knobOfCode(PanelCode::MainDial), std::nullopt);
    EXPECT_EQ(knobOfCode(PanelCode::DspSelKnob), std::nullopt);
}

}  // namespace
}  // namespace panelink
