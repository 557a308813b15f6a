#include "panelink/panel/dsp_window_tables.h"

#include <algorithm>

namespace panelink {

namespace {

using F = RadioField;

constexpr PanelRect kKey{34, 33, 76, 65};
constexpr PanelPoint kFirstKnob{166, 67};
constexpr PanelPoint kSecondKnob{276, 67};
constexpr PanelRect kFrequencyField{135, 14, 198, 21};

constexpr DspControl kContourFrequency{
    .value = DspValue::ContourFrequency,
    .field = F::CO_1,
    .knobCentre = kFirstKnob,
    .valueField = kFrequencyField,
    .highlight = {135, 14, 63, 7},
    .minimum = 1,
    .maximum = 26,
    .steps = DspStepRule::ContourLadder,
    .angleScale = 10,
    .angleOffset = -140,
    .request = Request::SetContourFrequency,
    .readBackQuery = "CO01;",
    .sentOnlyWhile = std::nullopt,
};

constexpr DspControl kContourLevel{
    .value = DspValue::ContourLevel,
    .field = F::CO_0,
    .knobCentre = kSecondKnob,
    .valueField = {264, 14, 288, 21},
    .highlight = {264, 14, 24, 7},
    .minimum = -2,
    .maximum = 2,
    .steps = DspStepRule::Linear,
    .angleScale = 80,
    .angleOffset = 0,
    .request = Request::SetContourLevel,
    .readBackQuery = "CO00;",
    .sentOnlyWhile = std::nullopt,
};

constexpr DspControl kNotchFrequency{
    .value = DspValue::NotchFrequency,
    .field = F::BP_1,
    .knobCentre = kFirstKnob,
    .valueField = kFrequencyField,
    .highlight = {135, 14, 63, 7},
    .minimum = 73,
    .maximum = 327,
    .steps = DspStepRule::Linear,
    .angleScale = 1,
    .angleOffset = -200,
    .request = Request::SetNotchFrequency,
    .readBackQuery = "BP01;",
    .sentOnlyWhile = std::nullopt,
};

constexpr DspControl kDnrLevel{
    .value = DspValue::DnrLevel,
    .field = F::RL,
    .knobCentre = kFirstKnob,
    .valueField = {156, 14, 176, 21},
    .highlight = {156, 14, 20, 7},
    .minimum = 1,
    .maximum = 11,
    .steps = DspStepRule::Linear,
    .angleScale = 30,
    .angleOffset = -180,
    .request = Request::SetDnrLevel,
    .readBackQuery = "RL0;",
    .sentOnlyWhile = F::NR_0,
};

constexpr std::array<DspWindowProfile, kDspWindowKindCount> kProfiles{{
    {
        .kind = DspWindowKind::Contour,
        .window = AuxWindow::Contour,
        .caption = "CONTOUR",
        .dialogId = 1503,
        .background = 1487,
        .highlight = 1513,
        .width = 328,
        .height = 117,
        .key = kKey,
        .keyRequest = Request::SetContourLevel,
        .keyReadBack = true,
        .keyValue = DspKeyValue::ContourSwitch,
        .keyLit = DspKeyLit::ContourLevelNotZero,
        .degreesPerStep = 60,
        .wheelWrapBelowZero = 299,
        .wheelWrapAtFullTurn = 60,
        .controlSlots = {kContourFrequency, kContourLevel},
        .controlCount = 2,
        .keyUpdate = DisplayUpdate::CO,
        .valueUpdate = DisplayUpdate::CO,
        .closed = WindowMessage::ContourClosed,
    },
    {
        .kind = DspWindowKind::Notch,
        .window = AuxWindow::Notch,
        .caption = "NOTCH",
        .dialogId = 1500,
        .background = 1493,
        .highlight = 1512,
        .width = 235,
        .height = 117,
        .key = kKey,
        .keyRequest = Request::ToggleNotch,
        .keyReadBack = false,
        .keyValue = DspKeyValue::None,
        .keyLit = DspKeyLit::NotchOnOutsideFmAm,
        .degreesPerStep = 1,
        .wheelWrapBelowZero = 358,
        .wheelWrapAtFullTurn = 1,
        .controlSlots = {kNotchFrequency, kNotchFrequency},
        .controlCount = 1,
        .keyUpdate = DisplayUpdate::BP,
        .valueUpdate = DisplayUpdate::BP,
        .closed = WindowMessage::NotchClosed,
    },
    {
        .kind = DspWindowKind::Dnr,
        .window = AuxWindow::Dnr,
        .caption = "DNR",
        .dialogId = 1499,
        .background = 1490,
        .highlight = 1514,
        .width = 235,
        .height = 117,
        .key = kKey,
        .keyRequest = Request::ToggleDnr,
        .keyReadBack = false,
        .keyValue = DspKeyValue::None,
        .keyLit = DspKeyLit::DnrOn,
        .degreesPerStep = 18,
        .wheelWrapBelowZero = 341,
        .wheelWrapAtFullTurn = 18,
        .controlSlots = {kDnrLevel, kDnrLevel},
        .controlCount = 1,
        .keyUpdate = DisplayUpdate::NR,
        .valueUpdate = DisplayUpdate::RL,
        .closed = WindowMessage::DnrClosed,
    },
}};

std::int32_t ladderKnobTarget(const DspControl& control, std::int32_t current, int steps) {
    std::int32_t target = 0;
    if (current == kContourLadder.front().rung) {
        target = steps > 0 ? kContourKnobStep * steps + kContourKnobFirstRung : 0;
    } else {
        target = current + kContourKnobStep * steps;
    }
    if (target < kContourKnobBottomEdge) return control.minimum;
    return std::min(target, control.maximum);
}

}  // namespace

const DspWindowProfile& dspWindowProfile(DspWindowKind kind) {
    return kProfiles[static_cast<std::size_t>(kind)];
}

std::span<const DspWindowProfile> dspWindowProfiles() {
    return kProfiles;
}

std::int32_t knobTarget(const DspControl& control, std::int32_t current, int steps) {
    if (control.steps == DspStepRule::ContourLadder)
        return ladderKnobTarget(control, current, steps);
    return std::clamp(current + steps, control.minimum, control.maximum);
}

std::int32_t fieldTarget(const DspControl& control, std::int32_t current, bool up) {
    std::int32_t from = current;
    if (up && control.steps == DspStepRule::ContourLadder) {
        for (const ContourRung& rung : kContourLadder) {
            if (rung.rung == current) from = rung.jumpTo;
        }
    }
    return std::clamp(from + (up ? 1 : -1), control.minimum, control.maximum);
}

int pointerAngle(const DspControl& control, std::int32_t value) {
    const int angle = control.angleScale * value + control.angleOffset;
    return angle < 0 ? angle + 360 : angle;
}

}  // namespace panelink
