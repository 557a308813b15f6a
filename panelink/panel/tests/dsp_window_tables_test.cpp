// The DSP windows' table against the numbers of the windows written out here once more, and
// the step and pointer rules against worked values.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "panelink/panel/dsp_window_tables.h"
#include "panelink/resources/bitmap_catalog.h"

namespace panelink {
namespace {

using F = RadioField;

struct ExpectedWindow {
    DspWindowKind kind;
    int dialog, background, highlight, width, height;
    std::uint32_t keyRequest;  // WM_APP offset
    bool keyReadBack;
    int degrees, wrapBelowZero, wrapAtFullTurn;
    std::uint32_t keyUpdate, valueUpdate, closed;  // WM_APP offsets
};

constexpr ExpectedWindow kExpectedWindows[] = {
    {DspWindowKind::Contour, 1503, 1487, 1513, 328, 117, 0x53B, true, 60, 299, 60, 0x307, 0x307,
     0x5A8},
    {DspWindowKind::Notch, 1500, 1493, 1512, 235, 117, 0x539, false, 1, 358, 1, 0x305, 0x305,
     0x5AA},
    {DspWindowKind::Dnr, 1499, 1490, 1514, 235, 117, 0x53C, false, 18, 341, 18, 0x308, 0x331,
     0x5AC},
};

struct ExpectedControl {
    DspWindowKind kind;
    F field;
    int cx, cy;
    int left, top, right, bottom;  // value field, inclusive
    int hx, hy, hw, hh;            // highlight copy
    int minimum, maximum;
    std::uint32_t request;  // WM_APP offset
    const char* query;
    std::optional<F> sentOnlyWhile = std::nullopt;
};

constexpr ExpectedControl kExpectedControls[] = {
    {DspWindowKind::Contour, F::CO_1, 166, 67, 135, 14, 198, 21, 135, 14, 63, 7, 1, 26, 0x567,
     "CO01;"},
    {DspWindowKind::Contour, F::CO_0, 276, 67, 264, 14, 288, 21, 264, 14, 24, 7, -2, 2, 0x53B,
     "CO00;"},
    {DspWindowKind::Notch, F::BP_1, 166, 67, 135, 14, 198, 21, 135, 14, 63, 7, 73, 327, 0x564,
     "BP01;"},
    {DspWindowKind::Dnr, F::RL, 166, 67, 156, 14, 176, 21, 156, 14, 20, 7, 1, 11, 0x568, "RL0;",
     F::NR_0},
};

std::uint32_t offset(std::uint32_t messageId) {
    return messageId - platform::WM_APP;
}

TEST(DspWindowTable, EachWindowHasItsPictureKeyRequestStepsAndMessages) {
    for (const ExpectedWindow& e : kExpectedWindows) {
        const DspWindowProfile& s = dspWindowProfile(e.kind);
        SCOPED_TRACE(std::string(s.caption));
        EXPECT_EQ(s.kind, e.kind);
        EXPECT_EQ(s.dialogId, e.dialog);
        EXPECT_EQ(s.background, e.background);
        EXPECT_EQ(s.highlight, e.highlight);
        EXPECT_EQ(s.width, e.width);
        EXPECT_EQ(s.height, e.height);
        EXPECT_EQ((std::vector{s.key.left, s.key.top, s.key.right, s.key.bottom}),
                  (std::vector{34, 33, 76, 65}));
        EXPECT_EQ(offset(id(s.keyRequest)), e.keyRequest);
        EXPECT_EQ(s.keyReadBack, e.keyReadBack);
        EXPECT_EQ(s.degreesPerStep, e.degrees);
        EXPECT_EQ(s.wheelWrapBelowZero, e.wrapBelowZero);
        EXPECT_EQ(s.wheelWrapAtFullTurn, e.wrapAtFullTurn);
        EXPECT_EQ(offset(id(s.keyUpdate)), e.keyUpdate);
        EXPECT_EQ(offset(id(s.valueUpdate)), e.valueUpdate);
        EXPECT_EQ(offset(id(s.closed)), e.closed);
        EXPECT_EQ(AuxWindowRegistry::closedMessage(s.window), id(s.closed));
    }
}

TEST(DspWindowTable, EachKnobHasItsCentreFieldLimitsRequestAndQuery) {
    std::size_t checked = 0;
    for (const DspWindowProfile& s : dspWindowProfiles()) {
        std::size_t index = 0;
        for (const ExpectedControl& e : kExpectedControls) {
            if (e.kind != s.kind) continue;
            ASSERT_LT(index, s.controls().size()) << s.caption;
            const DspControl& c = s.controls()[index++];
            SCOPED_TRACE(std::string(s.caption) + " " + e.query);
            EXPECT_EQ(c.field, e.field);
            EXPECT_EQ(c.knobCentre, (PanelPoint{e.cx, e.cy}));
            EXPECT_EQ((std::vector{c.valueField.left, c.valueField.top, c.valueField.right,
                                   c.valueField.bottom}),
                      (std::vector{e.left, e.top, e.right, e.bottom}));
            EXPECT_EQ(
                (std::vector{c.highlight.x, c.highlight.y, c.highlight.width, c.highlight.height}),
                (std::vector{e.hx, e.hy, e.hw, e.hh}));
            EXPECT_EQ(c.minimum, e.minimum);
            EXPECT_EQ(c.maximum, e.maximum);
            EXPECT_EQ(offset(id(c.request)), e.request);
            EXPECT_EQ(c.readBackQuery, e.query);
            EXPECT_EQ(c.sentOnlyWhile, e.sentOnlyWhile);
            ++checked;
        }
        EXPECT_EQ(index, s.controls().size()) << s.caption;
    }
    EXPECT_EQ(checked, std::size(kExpectedControls));
}

TEST(DspWindowTable, EveryPictureTheWindowsDrawIsInTheCatalogAtItsSize) {
    for (const DspWindowProfile& s : dspWindowProfiles()) {
        for (int picture : {s.background, s.highlight}) {
            const BitmapInfo* info = findBitmap(picture);
            ASSERT_NE(info, nullptr) << picture;
            EXPECT_EQ(info->width, s.width) << picture;
            EXPECT_EQ(info->height, s.height) << picture;
        }
    }
    for (int key : {kDspKeyReleased, kDspKeyReleasedLit, kDspKeyPressed, kDspKeyPressedLit}) {
        const BitmapInfo* info = findBitmap(key);
        ASSERT_NE(info, nullptr) << key;
        EXPECT_EQ(info->width, 42);
        EXPECT_EQ(info->height, 32);
    }
}

const DspControl& contourFrequency() {
    return dspWindowProfile(DspWindowKind::Contour).controls()[0];
}

TEST(DspStepRules, TheContourFrequencyKnobClimbsTheLadderOneRungAStep) {
    const DspControl& c = contourFrequency();
    EXPECT_EQ(knobTarget(c, 1, 1), 8);
    EXPECT_EQ(knobTarget(c, 1, 2), 14);
    EXPECT_EQ(knobTarget(c, 8, 1), 14);
    EXPECT_EQ(knobTarget(c, 20, 1), 26);
    EXPECT_EQ(knobTarget(c, 26, 1), 26);
    EXPECT_EQ(knobTarget(c, 26, -1), 20);
    EXPECT_EQ(knobTarget(c, 8, -1), 1) << "below 3 becomes 1";
    EXPECT_EQ(knobTarget(c, 1, -1), 1);
    EXPECT_EQ(knobTarget(c, 1, 0), 1) << "no step asks for no change";
}

TEST(DspStepRules, AContourFrequencyFieldStepUpJumpsFromARungToTheNext) {
    const DspControl& c = contourFrequency();
    std::vector<std::int32_t> climbed{1};
    while (climbed.size() < 6)
        climbed.push_back(fieldTarget(c, climbed.back(), true));
    EXPECT_EQ(climbed, (std::vector<std::int32_t>{1, 8, 14, 20, 26, 26}));
    EXPECT_EQ(fieldTarget(c, 10, true), 11) << "between rungs: one up";
    EXPECT_EQ(fieldTarget(c, 26, false), 25);
    EXPECT_EQ(fieldTarget(c, 1, false), 1);
}

TEST(DspStepRules, OtherValuesMoveByOneWithinTheirLimits) {
    const DspControl& level = dspWindowProfile(DspWindowKind::Contour).controls()[1];
    const DspControl& notch = dspWindowProfile(DspWindowKind::Notch).controls()[0];
    const DspControl& dnr = dspWindowProfile(DspWindowKind::Dnr).controls()[0];
    EXPECT_EQ(knobTarget(level, 2, 1), 2);
    EXPECT_EQ(knobTarget(level, -1, -3), -2);
    EXPECT_EQ(fieldTarget(level, -2, true), -1);
    EXPECT_EQ(knobTarget(notch, 320, 20), 327);
    EXPECT_EQ(fieldTarget(notch, 73, false), 73);
    EXPECT_EQ(knobTarget(dnr, 10, 3), 11);
    EXPECT_EQ(fieldTarget(dnr, 1, false), 1);
}

TEST(DspStepRules, PointerAnglesShowTheValueOnTheKnobsScale) {
    const DspControl& level = dspWindowProfile(DspWindowKind::Contour).controls()[1];
    const DspControl& notch = dspWindowProfile(DspWindowKind::Notch).controls()[0];
    const DspControl& dnr = dspWindowProfile(DspWindowKind::Dnr).controls()[0];
    EXPECT_EQ(pointerAngle(contourFrequency(), 1), 230);
    EXPECT_EQ(pointerAngle(contourFrequency(), 14), 0);
    EXPECT_EQ(pointerAngle(contourFrequency(), 26), 120);
    EXPECT_EQ(pointerAngle(level, -2), 200);
    EXPECT_EQ(pointerAngle(level, 2), 160);
    EXPECT_EQ(pointerAngle(notch, 73), 233);
    EXPECT_EQ(pointerAngle(notch, 199), 359);
    EXPECT_EQ(pointerAngle(notch, 200), 0);
    EXPECT_EQ(pointerAngle(notch, 327), 127);
    EXPECT_EQ(pointerAngle(dnr, 1), 210);
    EXPECT_EQ(pointerAngle(dnr, 6), 0);
    EXPECT_EQ(pointerAngle(dnr, 11), 150);
}

}  // namespace
}  // namespace panelink
