#pragma once

// A steady clock that runs at four fifths of real time. Real timers measured against it
// end early, as a coarse system timer may: code that must never end a wait early has to
// check the clock and wait out the rest.

#include <chrono>
#include <thread>

#include "shared/platform/clock.h"
#include "shared/platform/wake_event.h"

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

    // Waits at least the duration on this clock unless a descriptor is ready first.
    int waitReadable(std::span<WaitDescriptor> descriptors, Milliseconds timeout) override {
        const auto real = std::chrono::ceil<Milliseconds>(timeout * 5 / 4);
        return pollReadable(descriptors, static_cast<int>(real.count()));
    }

  private:
    TimePoint origin_ = std::chrono::steady_clock::now();
};

}  // namespace platform
