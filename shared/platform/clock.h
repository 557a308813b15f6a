#pragma once

#include <chrono>
#include <span>

namespace platform {

using Milliseconds = std::chrono::milliseconds;
using TimePoint = std::chrono::steady_clock::time_point;

// One descriptor of a timed wait, and whether the wait found it ready.
struct WaitDescriptor {
    int fd = -1;         // a negative descriptor is left out
    bool ready = false;  // readable, hung up or in error
};

// Time as the core sees it. The program uses the steady clock and real sleeps; tests use
// a virtual clock whose sleep advances time without waiting.
class Clock {
  public:
    virtual ~Clock() = default;
    virtual TimePoint now() const = 0;
    virtual void sleep(Milliseconds duration) = 0;
    // Waits until one of `descriptors` is ready or `timeout` has passed, and marks the ready
    // ones. Returns how many are ready; 0 when the time ran out.
    virtual int waitReadable(std::span<WaitDescriptor> descriptors, Milliseconds timeout) = 0;
};

}  // namespace platform
