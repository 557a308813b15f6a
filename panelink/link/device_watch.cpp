#include "panelink/link/device_watch.h"

#include <chrono>

#include "panelink/cat/command_state.h"
#include "panelink/cat/radio_state.h"
#include "panelink/core/command_queue.h"
#include "panelink/core/link_flags.h"
#include "panelink/core/requests.h"
#include "panelink/core/timer_ids.h"
#include "panelink/link/com_port.h"

namespace panelink {

namespace {

using namespace std::chrono_literals;

constexpr platform::Milliseconds kCheckPeriod = 1000ms;

}  // namespace

DeviceWatch::DeviceWatch(CoreServices& core) : core_(core) {}

void DeviceWatch::start() {
    const std::lock_guard lock(mutex_);
    beginLocked(core_.command.get(CommandField::AI) != 0, false);
}

void DeviceWatch::startForAbsentDevice() {
    const std::lock_guard lock(mutex_);
    core_.port.noteDeviceAbsent();
    beginLocked(false, true);
}

void DeviceWatch::beginLocked(bool wasConnected, bool askPowerWhenBack) {
    if (core_.flags.shuttingDown.load()) return;
    phase_ = Phase::Looking;
    portNumber_ = core_.settings.port();
    wasConnected_ = wasConnected;
    askPowerWhenBack_ = askPowerWhenBack;
    core_.timers.setTimer(kTimerDeviceWatch, kCheckPeriod);
}

void DeviceWatch::check() {
    const std::lock_guard lock(mutex_);
    if (core_.flags.shuttingDown.load()) {
        stopLocked();
        return;
    }
    switch (phase_) {
        case Phase::Idle:
            stopLocked();  // a tick that was already due when the watch stopped
            break;
        case Phase::Looking:
            lookLocked();
            break;
        case Phase::Settling:
            settleLocked();
            break;
    }
}

bool DeviceWatch::watching() const {
    const std::lock_guard lock(mutex_);
    return phase_ != Phase::Idle;
}

void DeviceWatch::lookLocked() {
    if (core_.settings.port() != portNumber_) {
        // COM Select chose another port: the next write opens that one.
        core_.port.forgetGoneDevice();
        stopLocked();
        return;
    }
    if (!core_.port.isOpen()) {
        if (!core_.port.deviceGone()) {
            stopLocked();
            return;
        }
        const bool autoInformation = core_.command.get(CommandField::AI) != 0;
        if (!core_.port.open(portNumber_, core_.settings.baud(), autoInformation,
                             OpenCause::DeviceBack)) {
            return;  // still away; the next tick looks again
        }
    }
    // Open again, by this watch or by a write.
    if (askPowerWhenBack_) {
        // The open has just written "AI0;" or "AI1;": the question waits for the next tick.
        phase_ = Phase::Settling;
        return;
    }
    if (!wasConnected_) {
        stopLocked();
        return;
    }
    phase_ = Phase::Settling;
    settleChecksLeft_ = kSettleChecks;
    settleLocked();
}

void DeviceWatch::settleLocked() {
    if (!core_.port.isOpen() || core_.settings.port() != portNumber_) {
        stopLocked();  // closed or changed meanwhile by someone else: theirs to reopen
        return;
    }
    if (askPowerWhenBack_) {
        // Its "PS1" answer switches auto-information on and connects, as at start-up.
        queueCommand(core_, kPowerStatusQuery);
        stopLocked();
        return;
    }
    if (core_.command.get(CommandField::AI) == 0) {
        // The link was declared lost while the device was away: nothing polls the radio any
        // more. Switch auto-information on as the power-on restore does; "AI1" coming back
        // reads the ID and starts the connection read-out.
        core_.radio.setConnectionPending(true);
        postTo(core_.threads.anlSend, Request::SwitchAutoInfo, kAutoInfoOnOnlyBit);
        stopLocked();
        return;
    }
    if (--settleChecksLeft_ <= 0) stopLocked();
}

void DeviceWatch::stopLocked() {
    phase_ = Phase::Idle;
    askPowerWhenBack_ = false;
    core_.timers.killTimer(kTimerDeviceWatch);
}

}  // namespace panelink
