// The round controls and the frequency digits: dragging the main dial and the DSP/SEL knob,
// the wheel, selecting and adjusting the value knobs, tuning a selected digit, read-backs.
#include <algorithm>
#include <utility>

#include "panelink/cat/radio_state.h"
#include "panelink/core/timer_ids.h"
#include "panelink/menu/menu_item.h"
#include "panelink/menu/menu_item_table.h"
#include "panelink/panel/display_rules.h"
#include "panelink/panel/panel_controller.h"
#include "panelink/panel/panel_snapshot.h"
#include "panelink/panel/panel_timing.h"

namespace panelink {

using namespace panel_timing;
using F = RadioField;

namespace {

std::int32_t menuSetting(const MenuItemTable& menu, std::int32_t kind) {
    return wholeSetting(menu.valueOfKind(kind));
}

RadioField knobField(Knob knob) {
    switch (knob) {
        case Knob::Sql:
            return F::SQ_0;
        case Knob::AfGain:
            return F::AG_0;
        case Knob::RfGain:
            return F::RG_0;
        case Knob::Shift:
            return F::IS;
    }
    return F::AG_0;
}

// The query that reads a value back after the panel set it.
const char* readBackQuery(PanelCode code, bool vfoB) {
    switch (code) {
        case PanelCode::SqlKnob:
            return "SQ0;";
        case PanelCode::AfGainKnob:
            return "AG0;";
        case PanelCode::RfGainKnob:
            return "RG0;";
        case PanelCode::ShiftKnob:
            return "IS0;";
        default:
            return isDigit(code) ? (vfoB ? "FB;" : "FA;") : nullptr;
    }
}

RoundControl roundControlOf(PanelCode dial) {
    return dial == PanelCode::MainDial ? RoundControl::MainDial : RoundControl::DspSelKnob;
}

std::int32_t powerOfTen(int exponent) {
    std::int32_t value = 1;
    for (int i = 0; i < exponent; ++i)
        value *= 10;
    return value;
}

}  // namespace

// ---- Round areas ----------------------------------------------------------------------------

void PanelController::pressRoundArea(HitZone zone, PanelPoint p, MouseButton button) {
    // While a window ignores the panel, the round areas answer no.
    auto in = [&](RoundControl control) {
        return !registry_.panelBlocked() && inRoundArea(roundArea(control), p);
    };
    if (zone == HitZone::KnobRow && in(RoundControl::ShiftKnob)) {
        pressKnob(PanelCode::ShiftKnob);
    } else if (zone == HitZone::KnobRow && in(RoundControl::DspSelKnob)) {
        startDrag(PanelCode::DspSelKnob, p);
    } else if (zone == HitZone::DialArea && in(RoundControl::MainDial)) {
        startDrag(PanelCode::MainDial, p);
    } else if (zone == HitZone::RightKnobs && in(RoundControl::AfGainKnob)) {
        pressKnob(PanelCode::AfGainKnob);
    } else if (zone == HitZone::RightKnobs && in(RoundControl::SqlRfGainKnob)) {
        const bool rfGain = menuSetting(menu_, kKindSqlRfGain) == 1;
        pressKnob(rfGain ? PanelCode::RfGainKnob : PanelCode::SqlKnob);
    } else {
        pressedNothing(button);
    }
}

// ---- Dials ----------------------------------------------------------------------------------

DialTurn& PanelController::dialState(PanelCode dial) {
    return dial == PanelCode::MainDial ? mainDial_ : dspSelKnob_;
}

void PanelController::drawDial(PanelCode dial, int angle) {
    const WindowMessage draw =
        dial == PanelCode::MainDial ? WindowMessage::DrawMainDial : WindowMessage::DrawDspSelKnob;
    send(message(draw, static_cast<std::uintptr_t>(angle)));
}

void PanelController::startDrag(PanelCode dial, PanelPoint p) {
    if (active_ == dial) {
        dragTick();
        return;
    }
    // A selected knob or digit would otherwise stay highlighted through the drag.
    deselect();
    active_ = dial;
    DialTurn& state = dialState(dial);
    const int angle = cursorAngle(roundArea(roundControlOf(dial)).centre, p);
    state.previous = state.drawn = angle;
    state.accumulated = 0;
    const bool main = dial == PanelCode::MainDial;
    ports_.timers.setTimer(kTimerDialSend, main ? kMainDialSendPeriod : kDspSelSendPeriod);
    ports_.timers.setTimer(kTimerControlHold, kDragPeriod);
    drawDial(dial, angle);
}

void PanelController::dragTick() {
    if (!ports_.pointer.isButtonDown(MouseButton::Left)) {
        endDrag();
        return;
    }
    const PanelCode dial = active_;
    DialTurn& state = dialState(dial);
    const int angle = cursorAngle(roundArea(roundControlOf(dial)).centre, ports_.pointer.cursor());
    detectSteps(state, angle);
    if (angle != state.drawn) {
        state.drawn = angle;
        drawDial(dial, angle);
    }
}

void PanelController::endDrag() {
    const PanelCode dial = active_;
    ports_.timers.killTimer(kTimerDialSend);
    ports_.timers.killTimer(kTimerControlHold);
    // Steps turned since the last send go out now rather than with the next drag.
    sendDialSteps(dial);
    active_ = PanelCode::None;
    if (dial == PanelCode::DspSelKnob) drawDial(dial, kNoPointer);
}

void PanelController::sendDialSteps(PanelCode dial) {
    DialTurn& state = dialState(dial);
    if (state.pending == 0) return;
    const std::int32_t steps = std::exchange(state.pending, 0);
    if (dial == PanelCode::DspSelKnob && ports_.window.dspSelTuning()) {
        dspSelTuningStep(steps > 0 ? 1 : -1);
        return;
    }
    // With the clarifier on, the dial chosen by "CLAR" moves the clarifier, 10 Hz a step.
    const std::int32_t clarDial = dial == PanelCode::MainDial ? 0 : 1;
    if (radio_.get(F::RT) == 1 && menuSetting(menu_, kKindClar) == clarDial &&
        radio_.get(F::SF) == 0) {
        post(Request::StepClarifier, true, steps * kClarifierHzPerStep);
        return;
    }
    postRow(dial, steps);
}

void PanelController::dspSelTuningStep(int direction) {
    const std::int32_t unit =
        menuSetting(menu_, kKindSelDial) == 3 ? kSelTuningUnitLarge : kSelTuningUnit;
    const bool vfoB = radio_.get(F::VS) != 0;
    const std::int32_t frequency = radio_.get(vfoB ? F::FB : F::FA) + direction * unit;
    postRow(vfoB ? PanelCode::SetVfoB : PanelCode::SetVfoA, frequency);
}

void PanelController::turnByWheel(PanelCode dial, bool up) {
    DialTurn& state = dialState(dial);
    state.previous = state.drawn;
    int angle = state.drawn + (up ? kWheelDegrees : -kWheelDegrees);
    // Not modular: the dial's wheel steps wrap to fixed angles.
    if (angle < 0) angle = kWheelWrapBelowZero;
    if (angle >= kFullTurn) angle = kWheelWrapAtFullTurn;
    state.drawn = angle;
    drawDial(dial, angle);
    detectSteps(state, angle);
}

// ---- Wheel ----------------------------------------------------------------------------------

void PanelController::wheelNow(PanelPoint p, int delta) {
    const bool up = delta > 0;
    if (digitSelected()) {
        wheelOnDigit(up);
        return;
    }
    if (knobSelected()) {
        if (!repeatRunning_) sendKnobValue(ValueStep::Wheel, up);
        return;
    }
    if (active_ != PanelCode::None || registry_.panelBlocked()) return;
    if (inRoundArea(roundArea(RoundControl::MainDial), p)) {
        turnByWheel(PanelCode::MainDial, up);
        sendDialSteps(PanelCode::MainDial);
    } else if (inRoundArea(roundArea(RoundControl::DspSelKnob), p)) {
        turnByWheel(PanelCode::DspSelKnob, up);
        if (ports_.window.dspSelTuning()) {
            dspSelTuningStep(up ? 1 : -1);
            dspSelKnob_.pending = 0;
        } else {
            sendDialSteps(PanelCode::DspSelKnob);
        }
        ports_.timers.setTimer(kTimerKnobPointer, kKnobPointerTime);
    }
}

void PanelController::wheelOnDigit(bool up) {
    vfoB_ = radio_.get(F::VS) != 0;
    const std::int32_t step = powerOfTen(selectedDigit() - 1);
    const std::int32_t frequency = radio_.get(vfoB_ ? F::FB : F::FA) + (up ? step : -step);
    postRow(vfoB_ ? PanelCode::SetVfoB : PanelCode::SetVfoA, frequency);
    startReadBack(active_);
}

// ---- Knobs ----------------------------------------------------------------------------------

bool PanelController::knobSelected() const {
    return isValueKnob(active_);
}

bool PanelController::digitSelected() const {
    return isDigit(active_);
}

void PanelController::pressKnob(PanelCode knob) {
    if (active_ == knob) {
        startRepeat(false);
        return;
    }
    deselect();
    selectKnob(knob);
}

void PanelController::selectKnob(PanelCode knob) {
    justSelected_ = true;
    repeatRunning_ = false;
    active_ = knob;
    send(message(WindowMessage::KnobCaption, 1, knobParameters(*knobOfCode(knob)).captionIndex));
    startRepeat(false);
}

void PanelController::deselectKnob() {
    send(message(WindowMessage::KnobCaption, 0, knobParameters(*knobOfCode(active_)).captionIndex));
    ports_.timers.killTimer(kTimerKnobRepeat);
    repeatRunning_ = false;
    active_ = PanelCode::None;
}

void PanelController::startRepeat(bool increasing) {
    repeatIncreasing_ = increasing;
    ports_.timers.setTimer(kTimerKnobRepeat, kRepeatDelay);
}

void PanelController::knobRelease(MouseButton button) {
    ports_.timers.killTimer(kTimerKnobRepeat);
    if (repeatRunning_) {
        repeatRunning_ = false;
        return;
    }
    if (button == MouseButton::Left && justSelected_) {
        justSelected_ = false;
        return;
    }
    sendKnobValue(ValueStep::Click, button == MouseButton::Right);
}

void PanelController::knobRepeatTick() {
    justSelected_ = false;
    const MouseButton button = repeatIncreasing_ ? MouseButton::Right : MouseButton::Left;
    if (!knobSelected() || !ports_.pointer.isButtonDown(button)) {
        ports_.timers.killTimer(kTimerKnobRepeat);
        repeatRunning_ = false;
        return;
    }
    sendKnobValue(ValueStep::Repeat, repeatIncreasing_);
    if (!repeatRunning_) {
        ports_.timers.setTimer(kTimerKnobRepeat, kRepeatPeriod);
        repeatRunning_ = true;
    }
}

void PanelController::sendKnobValue(ValueStep step, bool up) {
    const KnobParameters& knob = knobParameters(*knobOfCode(active_));
    std::int32_t start = radio_.get(knobField(knob.knob));
    // SHIFT leaves its centre in bigger steps.
    if (knob.knob == Knob::Shift && start == 0) start = up ? kShiftZeroStart : -kShiftZeroStart;
    const std::int32_t size = step == ValueStep::Click    ? knob.clickStep
                              : step == ValueStep::Repeat ? knob.repeatStep
                                                          : knob.wheelStep;
    const std::int32_t value = std::clamp(start + (up ? size : -size), knob.minimum, knob.maximum);
    post(knob.request, true, value);
    startReadBack(active_);
}

// ---- Digits and read-backs ------------------------------------------------------------------

void PanelController::selectDigit(PanelCode digit) {
    active_ = digit;
    send(message(WindowMessage::SelectDigit, static_cast<std::uintptr_t>(digitIndex(digit))));
}

void PanelController::deselectDigit() {
    send(message(WindowMessage::SelectDigit, 0));
    active_ = PanelCode::None;
}

void PanelController::startReadBack(PanelCode code) {
    if (readBackCode_ != PanelCode::None || radio_.get(F::AI) != 1) return;
    readBackCode_ = code;
    ports_.timers.setTimer(kTimerReadBack, kReadBackDelay);
}

void PanelController::readBackTick() {
    ports_.timers.killTimer(kTimerReadBack);
    const PanelCode code = std::exchange(readBackCode_, PanelCode::None);
    if (const char* query = readBackQuery(code, radio_.get(F::VS) != 0))
        ports_.link.queueCommand(query);
}

}  // namespace panelink
