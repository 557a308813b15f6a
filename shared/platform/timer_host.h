#pragma once

#include <functional>

#include "shared/platform/clock.h"

namespace platform {

// Numbered periodic timers, like the main window's timers: setting a running timer again
// restarts it with the new period; a tick calls the handler given to the host with the
// timer's number. Safe to call from any thread.
class TimerHost {
  public:
    using TickHandler = std::function<void(int timerId)>;

    virtual ~TimerHost() = default;
    virtual void setTimer(int timerId, Milliseconds period) = 0;
    virtual void killTimer(int timerId) = 0;
    virtual bool isTimerRunning(int timerId) const = 0;
};

}  // namespace platform
