#pragma once

#include <mutex>

#include "panelink/core/core_services.h"

namespace panelink {

// Picks up a re-plugged adapter. While the port is closed because its device went away, it
// tries once a second (timer kTimerDeviceWatch) to open the port as the next write would:
// "AI1;" or "AI0;" first. When the radio was connected before the device went and the
// link has been declared lost meanwhile (auto-information taken as off), it then switches
// auto-information on again, as the power-on restore does, so the connection read-out runs
// and the display comes alive without the user. An adapter missing at start-up is looked
// for the same way; a second after it opens, the radio is asked again whether it is on, as
// at start-up. It stops when the port is open again, when the user picked another port, and
// at shut-down. Thread-safe: started on whatever thread closed the port (or started the
// core), ticked on the timer thread.
class DeviceWatch {
  public:
    // A link lost shortly after the port was back still has to be reconnected: so many
    // ticks after the reopen the watch keeps an eye on auto-information.
    static constexpr int kSettleChecks = 5;

    explicit DeviceWatch(CoreServices& core);
    DeviceWatch(const DeviceWatch&) = delete;
    DeviceWatch& operator=(const DeviceWatch&) = delete;

    // The port was closed because its device went away.
    void start();
    // The port could not be opened at start-up because its device is not there.
    void startForAbsentDevice();
    // A tick of kTimerDeviceWatch.
    void check();
    bool watching() const;

  private:
    enum class Phase { Idle, Looking, Settling };

    void beginLocked(bool wasConnected, bool askPowerWhenBack);
    void lookLocked();
    void settleLocked();
    void stopLocked();

    CoreServices& core_;
    mutable std::mutex mutex_;
    Phase phase_ = Phase::Idle;
    int portNumber_ = 0;             // the port whose device went away
    bool wasConnected_ = false;      // auto-information was on when it went
    bool askPowerWhenBack_ = false;  // absent at start-up: the power query went nowhere
    int settleChecksLeft_ = 0;
};

}  // namespace panelink
