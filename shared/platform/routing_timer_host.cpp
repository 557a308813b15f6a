#include "shared/platform/routing_timer_host.h"

#include <utility>

namespace platform {

RoutingTimerHost::RoutingTimerHost(TimerHost& routedHost, std::set<int> routedIds,
                                   TimerHost& otherHost)
    : routedHost_(routedHost), routedIds_(std::move(routedIds)), otherHost_(otherHost) {}

void RoutingTimerHost::setTimer(int timerId, Milliseconds period) {
    hostFor(timerId).setTimer(timerId, period);
}

void RoutingTimerHost::killTimer(int timerId) {
    hostFor(timerId).killTimer(timerId);
}

bool RoutingTimerHost::isTimerRunning(int timerId) const {
    return hostFor(timerId).isTimerRunning(timerId);
}

TimerHost& RoutingTimerHost::hostFor(int timerId) const {
    return isRouted(timerId) ? routedHost_ : otherHost_;
}

}  // namespace platform
