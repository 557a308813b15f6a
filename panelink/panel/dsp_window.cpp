#include "panelink/panel/dsp_window.h"

#include <utility>

#include "panelink/cat/radio_state.h"
#include "panelink/panel/display_rules.h"

namespace panelink {

using namespace dsp_timing;
using F = RadioField;

namespace {

constexpr int kFullTurn = 360;

// Modes in which the notch does not act: FM (4 and 11) and AM (5).
bool notchIdleMode(std::int32_t mode) {
    return mode == 4 || mode == 5 || mode == 11;
}

}  // namespace

DspWindow::DspWindow(DspWindowKind kind, const RadioState& radio, Ports ports)
    : profile_(dspWindowProfile(kind)), radio_(radio), ports_(ports) {}

std::vector<std::uint32_t> DspWindow::interest() const {
    std::vector<std::uint32_t> ids{id(profile_.keyUpdate)};
    if (profile_.valueUpdate != profile_.keyUpdate) ids.push_back(id(profile_.valueUpdate));
    return ids;
}

DrawList DspWindow::open() const {
    DrawList ops = drawKey(false);
    for (std::size_t i = 0; i < profile_.controls().size(); ++i)
        append(ops, drawKnobAtRest(i));
    return ops;
}

// ---- State ----------------------------------------------------------------------------------

std::int32_t DspWindow::current(std::size_t index) const {
    return radio_.get(control(index).field);
}

bool DspWindow::keyLit() const {
    switch (profile_.keyLit) {
        case DspKeyLit::ContourLevelNotZero:
            return radio_.get(F::CO_0) != 0;
        case DspKeyLit::NotchOnOutsideFmAm:
            return radio_.get(F::BP_0) != 0 && !notchIdleMode(radio_.get(F::MD_0));
        case DspKeyLit::DnrOn:
            return radio_.get(F::NR_0) != 0;
    }
    return false;
}

bool DspWindow::sendAllowed(std::size_t index) const {
    const std::optional<RadioField> flag = control(index).sentOnlyWhile;
    return !flag || radio_.get(*flag) != 0;
}

std::optional<std::size_t> DspWindow::draggedKnob() const {
    if (active_ != Active::Knob) return std::nullopt;
    return activeKnob_;
}

// ---- Drawing --------------------------------------------------------------------------------

DrawList DspWindow::drawKey(bool pressed) const {
    const bool lit = keyLit();
    const int bitmap = pressed ? (lit ? kDspKeyPressedLit : kDspKeyPressed)
                               : (lit ? kDspKeyReleasedLit : kDspKeyReleased);
    return {BlitBitmap{bitmap, profile_.key.left, profile_.key.top, kDspKeyWidth, kDspKeyHeight}};
}

DrawList DspWindow::drawKnob(std::size_t index, int angle) const {
    const PanelPoint centre = control(index).knobCentre;
    const int half = kDspKnobSize / 2;
    DrawList ops{
        BlitBitmap{kDspKnobBitmap, centre.x - half, centre.y - half, kDspKnobSize, kDspKnobSize}};
    if (angle >= 0 && angle < kNoPointer) {
        const PanelPoint tip = pointAt(centre, kDspPointerRadius, angle);
        const int offset = kDspPointerSize / 2;
        ops.emplace_back(BlitBitmap{kDspPointerBitmap, tip.x - offset, tip.y - offset,
                                    kDspPointerSize, kDspPointerSize});
    }
    return ops;
}

// Only the knob of a selected field shows a pointer when the knob is not being turned.
DrawList DspWindow::drawKnobAtRest(std::size_t index) const {
    const int angle =
        selected_ == index ? pointerAngle(control(index), current(index)) : kNoPointer;
    return drawKnob(index, angle);
}

DrawList DspWindow::drawField(std::size_t index, bool lit) const {
    const DspRect& r = control(index).highlight;
    return {CopyBitmapRect{lit ? profile_.highlight : profile_.background, r.x, r.y, r.width,
                           r.height}};
}

// ---- Mouse input ----------------------------------------------------------------------------

DrawList DspWindow::leftPress(PanelPoint p) {
    if (profile_.key.contains(p)) return pressKey();
    if (const auto knob = knobAt(p)) return pressKnob(*knob, p);
    if (const auto field = fieldAt(p)) {
        if (selected_ == field) {
            startRepeat(MouseButton::Left);
            return {};
        }
        return selectField(*field);
    }
    startRepeat(MouseButton::Left);
    return {};
}

DrawList DspWindow::leftDoubleClick() {
    // The first click of the pair has done what a press does.
    startRepeat(MouseButton::Left);
    return {};
}

DrawList DspWindow::leftRelease() {
    if (active_ == Active::Key) return releaseKey();
    if (active_ == Active::Knob) return endDrag();
    if (!selected_) return {};
    ports_.timers.killTimer(kDspTimerFieldRepeat);
    if (repeatRunning_) {
        repeatRunning_ = false;
    } else if (justSelected_) {
        justSelected_ = false;  // the click that selected the field steps nothing
    } else {
        stepField(false);
    }
    return {};
}

DrawList DspWindow::rightPress() {
    startRepeat(MouseButton::Right);
    return {};
}

DrawList DspWindow::rightRelease() {
    if (!selected_) return {};
    ports_.timers.killTimer(kDspTimerFieldRepeat);
    if (repeatRunning_) {
        repeatRunning_ = false;
    } else {
        stepField(true);
    }
    return {};
}

DrawList DspWindow::wheel(PanelPoint p, int delta) {
    const auto knob = knobAt(p);
    if (!knob) return {};
    DrawList ops = deselectField();
    DialTurn& turn = turns_[*knob];
    turn.previous = turn.drawn;
    int angle = turn.drawn + (delta > 0 ? profile_.degreesPerStep : -profile_.degreesPerStep);
    // Not modular: past 12 o'clock the knob lands on the window's fixed angles.
    if (angle < 0) angle = profile_.wheelWrapBelowZero;
    if (angle >= kFullTurn) angle = profile_.wheelWrapAtFullTurn;
    turn.drawn = angle;
    append(ops, drawKnob(*knob, angle));
    detectSteps(turn, angle, profile_.degreesPerStep);
    sendSteps(*knob);
    ports_.timers.setTimer(kDspTimerWheelPointer, kWheelPointerTime);
    return ops;
}

// ---- Timers ---------------------------------------------------------------------------------

DrawList DspWindow::onTimer(int timerId) {
    switch (timerId) {
        case kDspTimerFieldRepeat:
            return repeatTick();
        case kDspTimerWatch:
            if (active_ == Active::Key) {
                if (!profile_.key.contains(ports_.pointer.cursor())) return releaseKey();
                return {};
            }
            if (active_ == Active::Knob) return dragTick();
            ports_.timers.killTimer(kDspTimerWatch);
            return {};
        case kDspTimerWheelPointer: {
            ports_.timers.killTimer(kDspTimerWheelPointer);
            DrawList ops;
            for (std::size_t i = 0; i < profile_.controls().size(); ++i) {
                if (active_ != Active::Knob || activeKnob_ != i) append(ops, drawKnobAtRest(i));
            }
            return ops;
        }
        case kDspTimerKnobSend:
            if (active_ == Active::Knob) {
                sendSteps(activeKnob_);
            } else {
                ports_.timers.killTimer(kDspTimerKnobSend);
            }
            return {};
        case kDspTimerReadBack:
            readBackTick();
            return {};
        default:
            return {};
    }
}

// ---- State updates --------------------------------------------------------------------------

DrawList DspWindow::onDisplayUpdate(std::uint32_t messageId) {
    DrawList ops;
    if (messageId == id(profile_.keyUpdate)) ops = drawKey(active_ == Active::Key);
    if (messageId == id(profile_.valueUpdate)) {
        if (selected_) {
            append(ops, drawField(*selected_, true));
            append(ops, drawKnobAtRest(*selected_));
        }
        ports_.timers.killTimer(kDspTimerReadBack);
        readBack_.reset();
    }
    return ops;
}

// ---- The key --------------------------------------------------------------------------------

DrawList DspWindow::pressKey() {
    DrawList ops = deselectField();
    active_ = Active::Key;
    append(ops, drawKey(true));
    postKeyRequest();
    ports_.timers.setTimer(kDspTimerWatch, kKeyWatchPeriod);
    return ops;
}

DrawList DspWindow::releaseKey() {
    active_ = Active::None;
    ports_.timers.killTimer(kDspTimerWatch);
    return drawKey(false);
}

void DspWindow::postKeyRequest() {
    std::int32_t value = 0;
    if (profile_.keyValue == DspKeyValue::ContourSwitch && radio_.get(F::CO_0) == 0)
        value = radio_.get(F::CO_0_last);
    ports_.link.postRequest(profile_.keyRequest, profile_.keyReadBack ? kReadBackBit : 0, value);
}

// ---- Knobs ----------------------------------------------------------------------------------

std::optional<std::size_t> DspWindow::knobAt(PanelPoint p) const {
    for (std::size_t i = 0; i < profile_.controls().size(); ++i) {
        if (inRoundArea(control(i).knobCentre, kDspKnobRadius, p)) return i;
    }
    return std::nullopt;
}

DrawList DspWindow::pressKnob(std::size_t index, PanelPoint p) {
    DrawList ops = deselectField();
    if (active_ == Active::Knob && activeKnob_ == index) {
        append(ops, dragTick());
        return ops;
    }
    active_ = Active::Knob;
    activeKnob_ = index;
    DialTurn& turn = turns_[index];
    const int angle = cursorAngle(control(index).knobCentre, p);
    turn.previous = turn.drawn = angle;
    turn.accumulated = 0;
    ports_.timers.setTimer(kDspTimerKnobSend, kKnobSendPeriod);
    ports_.timers.setTimer(kDspTimerWatch, kDragPeriod);
    append(ops, drawKnob(index, angle));
    return ops;
}

DrawList DspWindow::dragTick() {
    if (!ports_.pointer.isButtonDown(MouseButton::Left)) return endDrag();
    DialTurn& turn = turns_[activeKnob_];
    const int angle = cursorAngle(control(activeKnob_).knobCentre, ports_.pointer.cursor());
    detectSteps(turn, angle, profile_.degreesPerStep);
    if (angle == turn.drawn) return {};
    turn.drawn = angle;
    return drawKnob(activeKnob_, angle);
}

DrawList DspWindow::endDrag() {
    const std::size_t index = activeKnob_;
    ports_.timers.killTimer(kDspTimerKnobSend);
    ports_.timers.killTimer(kDspTimerWatch);
    // Steps turned since the last send go out now, not with the knob's next turn.
    sendSteps(index);
    active_ = Active::None;
    return drawKnob(index, kNoPointer);
}

void DspWindow::sendSteps(std::size_t index) {
    const int steps = std::exchange(turns_[index].pending, 0);
    if (!sendAllowed(index)) return;
    sendValue(index, knobTarget(control(index), current(index), steps));
}

// ---- Value fields ---------------------------------------------------------------------------

std::optional<std::size_t> DspWindow::fieldAt(PanelPoint p) const {
    for (std::size_t i = 0; i < profile_.controls().size(); ++i) {
        if (control(i).valueField.contains(p)) return i;
    }
    return std::nullopt;
}

DrawList DspWindow::selectField(std::size_t index) {
    DrawList ops = deselectField();
    selected_ = index;
    append(ops, drawField(index, true));
    append(ops, drawKnobAtRest(index));
    justSelected_ = true;
    startRepeat(MouseButton::Left);
    return ops;
}

DrawList DspWindow::deselectField() {
    if (!selected_) return {};
    const std::size_t index = *std::exchange(selected_, std::nullopt);
    ports_.timers.killTimer(kDspTimerFieldRepeat);
    repeatRunning_ = false;
    justSelected_ = false;
    DrawList ops = drawField(index, false);
    append(ops, drawKnobAtRest(index));
    return ops;
}

void DspWindow::startRepeat(MouseButton button) {
    // Holding a button steps the selected field; without one there is nothing to step.
    if (!selected_) return;
    repeatButton_ = button;
    ports_.timers.setTimer(kDspTimerFieldRepeat, kRepeatDelay);
}

DrawList DspWindow::repeatTick() {
    justSelected_ = false;
    if (!selected_ || !ports_.pointer.isButtonDown(repeatButton_)) {
        ports_.timers.killTimer(kDspTimerFieldRepeat);
        repeatRunning_ = false;
        return {};
    }
    stepField(repeatButton_ == MouseButton::Right);
    if (!repeatRunning_) {
        ports_.timers.setTimer(kDspTimerFieldRepeat, kRepeatPeriod);
        repeatRunning_ = true;
    }
    return {};
}

void DspWindow::stepField(bool up) {
    if (!selected_ || !sendAllowed(*selected_)) return;
    sendValue(*selected_, fieldTarget(control(*selected_), current(*selected_), up));
}

// ---- Requests and read-backs ----------------------------------------------------------------

void DspWindow::sendValue(std::size_t index, std::int32_t value) {
    if (value == current(index)) return;
    ports_.link.postRequest(control(index).request, kReadBackBit, value);
    startReadBack(index);
}

void DspWindow::startReadBack(std::size_t index) {
    if (readBack_ || radio_.get(F::AI) != 1) return;
    readBack_ = index;
    ports_.timers.setTimer(kDspTimerReadBack, kReadBackDelay);
}

void DspWindow::readBackTick() {
    ports_.timers.killTimer(kDspTimerReadBack);
    const auto index = std::exchange(readBack_, std::nullopt);
    if (index) ports_.link.queueCommand(control(*index).readBackQuery);
}

// ---- Closing --------------------------------------------------------------------------------

bool DspWindow::close() {
    if (std::exchange(closed_, true)) return false;
    for (int timer : {kDspTimerFieldRepeat, kDspTimerWatch, kDspTimerWheelPointer,
                      kDspTimerKnobSend, kDspTimerReadBack})
        ports_.timers.killTimer(timer);
    active_ = Active::None;
    ports_.mainWindow.post(message(profile_.closed));
    return true;
}

}  // namespace panelink
