#pragma once

#include <set>

#include "shared/platform/timer_host.h"

namespace platform {

// Sends a fixed set of timer ids to one host and every other id to another, so that one
// timer id space can be served by two hosts (for example worker-feeding timers on a thread
// host and user interface timers on the window's own timers). Both hosts must outlive it.
// Thread-safe as far as the two hosts are.
class RoutingTimerHost final : public TimerHost {
  public:
    RoutingTimerHost(TimerHost& routedHost, std::set<int> routedIds, TimerHost& otherHost);

    void setTimer(int timerId, Milliseconds period) override;
    void killTimer(int timerId) override;
    bool isTimerRunning(int timerId) const override;

    bool isRouted(int timerId) const { return routedIds_.contains(timerId); }

  private:
    TimerHost& hostFor(int timerId) const;

    TimerHost& routedHost_;
    const std::set<int> routedIds_;
    TimerHost& otherHost_;
};

}  // namespace platform
