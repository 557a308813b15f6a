#include "panelink/panel/panel_controller.h"

#include <utility>

#include "panelink/cat/radio_state.h"
#include "panelink/core/timer_ids.h"
#include "panelink/panel/display_rules.h"
#include "panelink/panel/panel_timing.h"

namespace panelink {

using namespace panel_timing;

PanelController::PanelController(RadioState& radio, const MenuItemTable& menu, Ports ports)
    : radio_(radio), menu_(menu), ports_(ports), registry_(ports.windows) {}

void PanelController::setSequences(Sequences sequences) {
    sequences_ = std::move(sequences);
}

// ---- Input entry points: held back while a pause or a pop-up runs --------------------------

void PanelController::leftPress(PanelPoint p) {
    deferOrRun([this, p] { leftPressNow(p); });
}

void PanelController::leftRelease(PanelPoint) {
    deferOrRun([this] { leftReleaseNow(); });
}

void PanelController::rightPress(PanelPoint p) {
    deferOrRun([this, p] { rightPressNow(p); });
}

void PanelController::rightRelease(PanelPoint) {
    deferOrRun([this] { rightReleaseNow(); });
}

void PanelController::wheel(PanelPoint p, int delta) {
    deferOrRun([this, p, delta] { wheelNow(p, delta); });
}

void PanelController::onMenuCommand(int commandId) {
    deferOrRun([this, commandId] { menuCommandNow(commandId); });
}

void PanelController::onBandReported() {
    deferOrRun([this] { openDelayedPopup(PanelCode::BandMenuDown); });
}

void PanelController::onStepReported() {
    deferOrRun([this] { openDelayedPopup(PanelCode::Step); });
}

void PanelController::onReadBackAnswered() {
    ports_.timers.killTimer(kTimerReadBack);
    readBackCode_ = PanelCode::None;
}

void PanelController::onConnectionChanged() {
    // However the connection came about, the notice and its retries end with it.
    if (connecting_) closeConnectingNotice();
}

void PanelController::cancelSelection() {
    deferOrRun([this] {
        vfoB_ = radio_.get(RadioField::VS) != 0;
        deselect();
        pressProcess(PanelCode::Enter);
        pressProcess(PanelCode::Enter);
    });
}

void PanelController::closeStep(std::function<void()> then) {
    deferOrRun([this, then = std::move(then)]() mutable {
        if (!registry_.isOpen(AuxWindow::MenuList)) {
            if (then) then();
            return;
        }
        keysBlocked_ = false;
        post(Request::SetPanelLock, true, kPanelUnlock);
        pause(kClosePause, std::move(then));
    });
}

void PanelController::processCode(PanelCode code) {
    deferOrRun([this, code] { pressProcess(code); });
}

void PanelController::menuCommandNow(int commandId) {
    registry_.focusFirstOpen();
    deselect();
    if (commandId == kMenuExit) {
        send(message(WindowMessage::Exit));
    } else if (commandId == kMenuVersion) {
        ports_.window.showVersionBox();
    } else if (const auto window = AuxWindowRegistry::openedByCommand(commandId)) {
        openWindow(*window);
    }
}

// ---- Windows --------------------------------------------------------------------------------

void PanelController::openWindow(AuxWindow window) {
    const bool wasOpen = registry_.isOpen(window);
    if (!registry_.open(window) || wasOpen) return;
    switch (window) {
        case AuxWindow::Notch:
        case AuxWindow::Dnr:
        case AuxWindow::Contour:
            // The bars the window adjusts are redrawn once it is up.
            ports_.timers.setTimer(kTimerFullRedraw, kFullRedrawDelay);
            break;
        case AuxWindow::Vcc:
            ports_.timers.setTimer(kTimerVcc, kVccPeriod);
            post(Request::ReadVcc, false, 0);
            break;
        default:
            break;
    }
}

void PanelController::onWindowClosed(AuxWindow window, std::uintptr_t wparam) {
    registry_.closed(window);
    switch (window) {
        case AuxWindow::VfoSet:
            if (wparam != 0) {
                const PanelCode code = vfoB_ ? PanelCode::SetVfoB : PanelCode::SetVfoA;
                postRow(code, static_cast<std::int32_t>(wparam));
            }
            break;
        case AuxWindow::Vcc:
            ports_.timers.killTimer(kTimerVcc);
            break;
        case AuxWindow::MenuList:
            keysBlocked_ = false;
            post(Request::SetPanelLock, true, kPanelUnlock);
            break;
        default:
            break;
    }
}

// ---- Timers ---------------------------------------------------------------------------------

bool PanelController::ownsTimer(int timerId) {
    switch (timerId) {
        case kTimerControlHold:
        case kTimerKnobRepeat:
        case kTimerDialSend:
        case kTimerKnobPointer:
        case kTimerConnectRetry:
        case kTimerVcc:
        case kTimerConnect:
        case kTimerPopup:
        case kTimerReadBack:
        case kTimerPanelPause:
            return true;
        default:
            return false;
    }
}

bool PanelController::onTimer(int timerId) {
    if (!ownsTimer(timerId)) return false;
    // A pop-up never opens inside another one or during a pause: timer 38 ticks again later.
    if (timerId == kTimerPopup && busy()) return true;
    switch (timerId) {
        case kTimerControlHold:
            holdCheck();
            break;
        case kTimerKnobRepeat:
            knobRepeatTick();
            break;
        case kTimerDialSend:
            if (active_ == PanelCode::MainDial || active_ == PanelCode::DspSelKnob)
                sendDialSteps(active_);
            else
                ports_.timers.killTimer(kTimerDialSend);
            break;
        case kTimerKnobPointer:
            ports_.timers.killTimer(kTimerKnobPointer);
            drawDial(PanelCode::DspSelKnob, kNoPointer);
            break;
        case kTimerConnectRetry:
            retryTick();
            break;
        case kTimerVcc:
            if (ports_.link.portUsable()) post(Request::ReadVcc, false, 0);
            break;
        case kTimerConnect:
            connectTick();
            break;
        case kTimerPopup:
            openDelayedPopup(PanelCode::None);
            break;
        case kTimerReadBack:
            readBackTick();
            break;
        case kTimerPanelPause:
            pauseEnded();
            break;
        default:
            break;
    }
    return true;
}

// ---- COM connect ----------------------------------------------------------------------------

void PanelController::connectTick() {
    ports_.timers.killTimer(kTimerConnect);
    if (!ports_.link.portUsable() || radio_.get(RadioField::AI) == 1) return;
    connecting_ = true;
    openWindow(AuxWindow::ConnectingNotice);
    retryCount_ = 0;
    ports_.timers.setTimer(kTimerConnectRetry, kRetryPeriod);
}

void PanelController::retryTick() {
    if (!connecting_) {
        ports_.timers.killTimer(kTimerConnectRetry);
        return;
    }
    if (retryCount_ == kConnectRetries) {
        closeConnectingNotice();
        ports_.window.showMessageBox(kConnectFailedString);
    } else {
        postRow(PanelCode::Com);
    }
    ++retryCount_;
}

void PanelController::closeConnectingNotice() {
    ports_.timers.killTimer(kTimerConnectRetry);
    connecting_ = false;
    if (registry_.isOpen(AuxWindow::ConnectingNotice))
        registry_.closed(AuxWindow::ConnectingNotice);
}

// ---- Pauses and held-back input -------------------------------------------------------------

void PanelController::pause(int ms, std::function<void()> then) {
    pausing_ = true;
    afterPause_ = std::move(then);
    ports_.timers.setTimer(kTimerPanelPause, platform::Milliseconds(ms));
}

void PanelController::pauseEnded() {
    ports_.timers.killTimer(kTimerPanelPause);
    if (!pausing_) return;
    pausing_ = false;
    auto then = std::exchange(afterPause_, nullptr);
    if (then) then();
    runDeferred();
}

void PanelController::deferOrRun(std::function<void()> input) {
    if (busy() || runningDeferred_) {
        deferred_.push_back(std::move(input));
        return;
    }
    input();
    runDeferred();
}

void PanelController::runDeferred() {
    if (runningDeferred_) return;
    runningDeferred_ = true;
    while (!busy() && !deferred_.empty()) {
        auto next = std::move(deferred_.front());
        deferred_.pop_front();
        next();
    }
    runningDeferred_ = false;
}

void PanelController::send(const platform::Message& message) {
    ports_.window.send(message);
}

}  // namespace panelink
