#pragma once

// A steady clock that runs at four fifths of real time. Real timers measured against it
// end early, as a coarse system timer may: code that must never end a wait early has to
// check the clock and wait out the rest.

#include <chrono>
#include <thread>

#include "shared/platform/clock.h"

namespace platform {

class SlowClock final : public Clock {
  public:
    TimePoint now() const override {
        return origin_ + (std::chrono::steady_clock::now() - origin_) * 4 / 5;
    }
    // Sleeps until the duration has passed on this clock.
    void sleep(Milliseconds duration) override {
        const TimePoint deadline = now() + duration;
        while (now() < deadline)
            std::this_thread::sleep_for(Milliseconds(1));
    }

  private:
    TimePoint origin_ = std::chrono::steady_clock::now();
};

}  // namespace platform
