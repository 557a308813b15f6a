#pragma once

#include "shared/platform/clock.h"

namespace platform {

// The program's clock: the steady clock, and real sleeps that never end before their time.
class SteadyClock final : public Clock {
  public:
    TimePoint now() const override;
    void sleep(Milliseconds duration) override;
    int waitReadable(std::span<WaitDescriptor> descriptors, Milliseconds timeout) override;
};

}  // namespace platform
