#include "shared/platform/steady_clock.h"

#include <algorithm>
#include <limits>
#include <thread>

#include "shared/platform/wake_event.h"

namespace platform {

TimePoint SteadyClock::now() const {
    return std::chrono::steady_clock::now();
}

void SteadyClock::sleep(Milliseconds duration) {
    if (duration <= Milliseconds::zero()) return;
    // A pause is a minimum: a sleep that ends before the deadline on this clock (a signal,
    // a coarse wake-up) sleeps again for the rest.
    const TimePoint deadline = now() + duration;
    for (TimePoint at = now(); at < deadline; at = now()) {
        std::this_thread::sleep_for(deadline - at);
    }
}

int SteadyClock::waitReadable(std::span<WaitDescriptor> descriptors, Milliseconds timeout) {
    const auto longest = Milliseconds(std::numeric_limits<int>::max());
    const auto bounded = std::clamp(timeout, Milliseconds::zero(), longest);
    return pollReadable(descriptors, static_cast<int>(bounded.count()));
}

}  // namespace platform
