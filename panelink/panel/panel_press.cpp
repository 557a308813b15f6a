// The panel's keys, labels and pop-ups: presses by zone, the deselect rule, the pop-up step,
// press processing with each code's request, the hold check and the releases.
#include <utility>

#include "panelink/cat/radio_state.h"
#include "panelink/core/timer_ids.h"
#include "panelink/menu/menu_item.h"
#include "panelink/menu/menu_item_table.h"
#include "panelink/panel/panel_controller.h"
#include "panelink/panel/panel_popups.h"
#include "panelink/panel/panel_snapshot.h"
#include "panelink/panel/panel_timing.h"

namespace panelink {

using namespace panel_timing;
using F = RadioField;

namespace {

// The windows during which press processing ignores every code.
constexpr AuxWindow kWindowsIgnoringCodes[] = {
    AuxWindow::ComSelect, AuxWindow::BaudRate, AuxWindow::CommandSend,      AuxWindow::Cw,
    AuxWindow::Playback,  AuxWindow::Repeater, AuxWindow::ConnectingNotice, AuxWindow::Vcc,
    AuxWindow::Notch,     AuxWindow::MicEq,    AuxWindow::MemoryWrite,      AuxWindow::Dnr,
    AuxWindow::Contour,
};

// The DSP windows, whose opening ends the exemption of the DSP controls.
constexpr AuxWindow kDspWindows[] = {AuxWindow::Notch, AuxWindow::MicEq, AuxWindow::Dnr,
                                     AuxWindow::Contour};

bool isPopupCode(PanelCode code) {
    switch (code) {
        case PanelCode::Tune:
        case PanelCode::Agc:
        case PanelCode::ClarSelect:
        case PanelCode::Meter:
        case PanelCode::Step:
        case PanelCode::Pms:
        case PanelCode::IpoAtt:
        case PanelCode::ModeMenuDown:
        case PanelCode::ModeMenuUp:
        case PanelCode::BandMenuDown:
        case PanelCode::BandMenuUp:
        case PanelCode::Dsp:
        case PanelCode::WidthLabel:
        case PanelCode::Split:
        case PanelCode::SplitLabel:
        case PanelCode::TunerLabel:
            return true;
        default:
            return false;
    }
}

// The windows that labels and the DSP pop-up open directly.
std::optional<AuxWindow> windowOfCode(PanelCode code) {
    switch (code) {
        case PanelCode::ContourLabel:
            return AuxWindow::Contour;
        case PanelCode::NotchLabel:
            return AuxWindow::Notch;
        case PanelCode::DnrLabel:
            return AuxWindow::Dnr;
        case PanelCode::MicEq:
            return AuxWindow::MicEq;
        default:
            return std::nullopt;
    }
}

std::optional<AuxWindow> windowOpenedBy(PopupOpens opens) {
    switch (opens) {
        case PopupOpens::Contour:
            return AuxWindow::Contour;
        case PopupOpens::Notch:
            return AuxWindow::Notch;
        case PopupOpens::Dnr:
            return AuxWindow::Dnr;
        case PopupOpens::MicEq:
            return AuxWindow::MicEq;
        case PopupOpens::Vcc:
            return AuxWindow::Vcc;
        default:
            return std::nullopt;
    }
}

bool isCwMode(std::int32_t mode) {
    return mode == 3 || mode == 7;
}

bool isToneMode(std::int32_t mode) {
    return mode == 4 || mode == 10 || mode == 11;
}

// Right clicks: the key under the cursor and the code its right button gives.
struct RightClick {
    PanelCode key;
    PanelCode code;
};
constexpr RightClick kRightClicks[] = {
    {PanelCode::ModeDown, PanelCode::ModeMenuDown}, {PanelCode::ModeUp, PanelCode::ModeMenuUp},
    {PanelCode::Clar, PanelCode::ClarClear},        {PanelCode::BandDown, PanelCode::BandMenuDown},
    {PanelCode::BandUp, PanelCode::BandMenuUp},
};

}  // namespace

// ---- Presses --------------------------------------------------------------------------------

void PanelController::beforePress() {
    registry_.focusFirstOpen();
    vfoB_ = radio_.get(F::VS) != 0;
}

bool PanelController::exempt(PanelCode code) const {
    const bool dspControl =
        code == PanelCode::Dsp || (number(code) >= number(PanelCode::ContourLabel) &&
                                   number(code) <= number(PanelCode::WidthLabel));
    if (!dspControl) return false;
    if (!registry_.isOpen(AuxWindow::Cw) && !registry_.isOpen(AuxWindow::Playback)) return false;
    for (AuxWindow window : kDspWindows) {
        if (registry_.isOpen(window)) return false;
    }
    return true;
}

bool PanelController::blocked(PanelCode code) const {
    return registry_.panelBlocked() && !exempt(code);
}

void PanelController::leftPressNow(PanelPoint p) {
    beforePress();
    const std::optional<HitZone> zone = zoneAt(p);
    if (!zone) {
        pressedNothing(MouseButton::Left);
        return;
    }
    if (const std::optional<PanelCode> code = hitButton(*zone, p)) {
        pressButton(*zone, *code);
        return;
    }
    pressRoundArea(*zone, p, MouseButton::Left);
}

void PanelController::pressButton(HitZone zone, PanelCode code) {
    if (zone == HitZone::Display) {
        if (blocked(code)) return;
        if (isDigit(code) && active_ == code) {
            deselectDigit();
            return;
        }
        deselect();
        if (isDigit(code)) {
            selectDigit(code);
            return;
        }
        pressProcess(popupStep(code));
        return;
    }
    if (code == PanelCode::Step) {
        // A window that ignores the panel also ignores STEP, whose pop-up would open later.
        if (blocked(code)) return;
        deselect();
        startDelayedPopup(code, Request::ReadStepLater);
        return;
    }
    deselect();
    pressProcess(popupStep(code));
}

void PanelController::pressedNothing(MouseButton button) {
    if (knobSelected()) startRepeat(button == MouseButton::Right);
}

void PanelController::rightPressNow(PanelPoint p) {
    beforePress();
    std::optional<PanelCode> code;
    if (const std::optional<HitZone> zone = zoneAt(p);
        zone == HitZone::KnobRow || zone == HitZone::DialArea) {
        if (const std::optional<PanelCode> key = hitButton(*zone, p)) {
            for (const RightClick& click : kRightClicks) {
                if (click.key == *key) code = click.code;
            }
        }
    }
    if (!code) {
        pressedNothing(MouseButton::Right);
        return;
    }
    if (*code == PanelCode::BandMenuDown || *code == PanelCode::BandMenuUp) {
        if (blocked(*code)) return;
        deselect();
        startDelayedPopup(*code, Request::ReadBand);
        return;
    }
    deselect();
    pressProcess(popupStep(*code));
}

void PanelController::deselect() {
    if (knobSelected())
        deselectKnob();
    else if (digitSelected())
        deselectDigit();
}

// ---- Pop-ups --------------------------------------------------------------------------------

PanelCode PanelController::popupStep(PanelCode code) {
    if (blocked(code)) return code;
    if (const std::optional<AuxWindow> window = windowOfCode(code)) {
        openWindow(*window);
        return PanelCode::None;
    }
    if (!isPopupCode(code)) return code;
    showPopup(code);
    return PanelCode::None;
}

void PanelController::showPopup(PanelCode opener) {
    const std::optional<PopupView> view = popupForControl(opener, readPopupStates(radio_, menu_));
    if (!view) return;
    drawIndicator(opener, true);
    runPopup(*view);
    drawIndicator(opener, false);
}

void PanelController::runPopup(const PopupView& view) {
    inPopup_ = true;
    const int chosen = ports_.popups.choose(view.position, view.entries);
    inPopup_ = false;
    const PopupRecord* record = findPopupRecord(view.menu, chosen);
    if (record == nullptr) return;  // dismissed: nothing is sent
    if (record->opens == PopupOpens::WidthMenu) {
        runPopup(widthPopupFromDsp(readPopupStates(radio_, menu_)));
        return;
    }
    if (const std::optional<AuxWindow> window = windowOpenedBy(record->opens)) {
        openWindow(*window);
        return;
    }
    if (record->request) post(*record->request, view.readBack, record->value);
    if (record->secondRequest) post(*record->secondRequest, view.readBack, record->secondValue);
}

void PanelController::startDelayedPopup(PanelCode code, Request read) {
    post(read, false, 0);
    active_ = code;
    pendingPopup_ = code;
    ports_.timers.setTimer(kTimerPopup, kPopupDelay);
}

void PanelController::openDelayedPopup(PanelCode expected) {
    const bool band = expected == PanelCode::BandMenuDown;
    const bool pendingBand =
        pendingPopup_ == PanelCode::BandMenuDown || pendingPopup_ == PanelCode::BandMenuUp;
    if (expected == PanelCode::None) ports_.timers.killTimer(kTimerPopup);
    if (pendingPopup_ == PanelCode::None) return;
    if (expected != PanelCode::None && (band ? !pendingBand : pendingPopup_ != expected)) return;
    // Whichever of the answer and timer 38 comes first opens the pop-up, once.
    ports_.timers.killTimer(kTimerPopup);
    const PanelCode code = std::exchange(pendingPopup_, PanelCode::None);
    if (active_ == code) active_ = PanelCode::None;
    showPopup(code);
}

// ---- Press processing -----------------------------------------------------------------------

bool PanelController::ignoresPresses() const {
    for (AuxWindow window : kWindowsIgnoringCodes) {
        if (registry_.isOpen(window)) return true;
    }
    return registry_.isOpen(AuxWindow::MenuList) && active_ == PanelCode::None;
}

void PanelController::pressProcess(PanelCode code) {
    if (code == PanelCode::None || ignoresPresses()) return;
    const bool vfoSetOpen = registry_.isOpen(AuxWindow::VfoSet);
    if (active_ == PanelCode::None) {
        if (!vfoSetOpen) {
            if (code == PanelCode::Function) {
                functionKeySequence();
                return;
            }
            if (code == PanelCode::MemoryWrite) {
                memoryWriteSequence();
                return;
            }
            if (code == PanelCode::Enter) openWindow(AuxWindow::VfoSet);
        } else {
            if (code != PanelCode::Enter) return;
            if (sequences_.vfoSetOk) sequences_.vfoSetOk();
            active_ = code;
            ports_.timers.setTimer(kTimerControlHold, kHoldPeriod);
            return;
        }
    }
    if (code == active_) {
        drawIndicator(code, false);
        ports_.timers.killTimer(kTimerControlHold);
        active_ = PanelCode::None;
        return;
    }
    active_ = code;
    drawIndicator(code, true);
    if (registry_.isOpen(AuxWindow::VfoSet)) {
        finishPress(code);
        return;
    }
    sendRequestOf(code, [this, code] { finishPress(code); });
}

void PanelController::finishPress(PanelCode code) {
    ports_.timers.setTimer(kTimerControlHold, kHoldPeriod);
    if (code != PanelCode::Com) return;
    if (radio_.get(F::AI) == 1)
        ports_.timers.killTimer(kTimerConnect);
    else
        ports_.timers.setTimer(kTimerConnect, kConnectDelay);
}

void PanelController::sendRequestOf(PanelCode code, std::function<void()> then) {
    const ControlRecord* row = findControl(code);
    if (row == nullptr) {
        then();
        return;
    }
    if (code == PanelCode::Com) {
        const bool connected = radio_.get(F::AI) == 1;
        if (!connected) radio_.store(F::CO_0, 0);
        if (radio_.get(F::PS) != 1 && !connected) {
            post(Request::SwitchPower, false, 0);
            // The transceiver needs a moment after power-on before it listens.
            pause(kPowerOnPause, [this, then = std::move(then)] {
                postRow(PanelCode::Com);
                then();
            });
            return;
        }
    }
    // The blanker has three states; any state but off switches it off.
    const std::int32_t value =
        code == PanelCode::NoiseBlanker ? (radio_.get(F::NB) != 0 ? 0 : 1) : row->value;
    if (const std::optional<Request> request = requestToSend(code, *row))
        post(*request, row->readBack, value);
    then();
}

std::optional<Request> PanelController::requestToSend(PanelCode code,
                                                      const ControlRecord& row) const {
    const std::int32_t mode = radio_.get(F::MD_0);
    switch (code) {
        case PanelCode::Vox:
            if (mode == 6) return std::nullopt;
            return isCwMode(mode) ? Request::ToggleBreakIn : row.request;
        case PanelCode::ClarClear:
            return radio_.get(F::RT) == 1 ? row.request : std::nullopt;
        case PanelCode::VoxLabel:
            return isCwMode(mode) || mode == 6 ? std::nullopt : row.request;
        case PanelCode::BreakInLabel:
            return isCwMode(mode) ? row.request : std::nullopt;
        case PanelCode::PlusLabel:
        case PanelCode::MinusLabel: {
            const std::int32_t direction = code == PanelCode::PlusLabel ? 1 : 2;
            return radio_.get(F::OS_0) == direction ? Request::SetRepeaterSimplex : row.request;
        }
        case PanelCode::EncLabel:
        case PanelCode::DecLabel: {
            if (!isToneMode(mode)) return std::nullopt;
            const std::int32_t tone = code == PanelCode::EncLabel ? 2 : 1;
            return radio_.get(F::CT_0) == tone ? Request::SetToneOff : row.request;
        }
        default:
            break;
    }
    // Dials, knobs, digits and the frequency codes send values of their own; pop-ups send
    // their chosen item.
    const bool ownValues = isPopupCode(code) || isDigit(code) || isValueKnob(code) ||
                           code == PanelCode::MainDial || code == PanelCode::DspSelKnob ||
                           code == PanelCode::SetVfoA || code == PanelCode::SetVfoB;
    return ownValues ? std::nullopt : row.request;
}

void PanelController::postRow(PanelCode code, std::optional<std::int32_t> value) {
    const ControlRecord* row = findControl(code);
    if (row == nullptr || !row->request) return;
    post(*row->request, row->readBack, value.value_or(row->value));
}

void PanelController::post(Request request, bool readBack, std::int32_t value) {
    ports_.link.postRequest(request, readBack ? kReadBackBit : 0, value);
}

void PanelController::drawIndicator(PanelCode code, bool pressed) {
    const ControlRecord* row = findControl(code);
    if (row != nullptr && row->indicator) send(message(*row->indicator, pressed ? 1 : 0));
}

// ---- Hold and release -----------------------------------------------------------------------

void PanelController::holdCheck() {
    if (active_ == PanelCode::MainDial || active_ == PanelCode::DspSelKnob) {
        dragTick();
        return;
    }
    // A right click on CLAR is held on the CLAR key, with the right button.
    const bool clearing = active_ == PanelCode::ClarClear;
    const PanelCode key = clearing ? PanelCode::Clar : active_;
    const std::optional<HitZone> zone = zoneOfButton(key);
    // Labels, pop-up keys and Enter stay active until a press or release processes them.
    if (!zone || *zone == HitZone::Display || isPopupCode(active_)) return;
    const MouseButton button = clearing ? MouseButton::Right : MouseButton::Left;
    // The pointer is read as it is now: a release that went elsewhere still releases the key.
    const bool onControl = hitButton(*zone, ports_.pointer.cursor()) == key;
    if (onControl && ports_.pointer.isButtonDown(button)) return;
    pressProcess(active_);
}

void PanelController::leftReleaseNow() {
    if (active_ == PanelCode::None) return;
    if (active_ == PanelCode::MainDial || active_ == PanelCode::DspSelKnob) {
        endDrag();
        return;
    }
    if (knobSelected()) {
        knobRelease(MouseButton::Left);
        return;
    }
    if (isDigit(active_) || active_ == PanelCode::Step) return;
    pressProcess(active_);
}

void PanelController::rightReleaseNow() {
    if (knobSelected())
        knobRelease(MouseButton::Right);
    else if (active_ == PanelCode::Sel)
        pressProcess(active_);
}

}  // namespace panelink
