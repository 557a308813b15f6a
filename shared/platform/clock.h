#pragma once

#include <chrono>

namespace platform {

using Milliseconds = std::chrono::milliseconds;
using TimePoint = std::chrono::steady_clock::time_point;

// Time as the core sees it. The program uses the steady clock and real sleeps; tests use
// a virtual clock whose sleep advances time without waiting.
class Clock {
  public:
    virtual ~Clock() = default;
    virtual TimePoint now() const = 0;
    virtual void sleep(Milliseconds duration) = 0;
};

}  // namespace platform
