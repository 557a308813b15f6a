#include "shared/platform/steady_clock.h"

#include <thread>

namespace platform {

TimePoint SteadyClock::now() const {
    return std::chrono::steady_clock::now();
}

void SteadyClock::sleep(Milliseconds duration) {
    if (duration > Milliseconds::zero()) std::this_thread::sleep_for(duration);
}

}  // namespace platform
