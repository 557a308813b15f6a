#pragma once

#include <span>

#include "shared/platform/clock.h"

namespace platform {

// A wake-up one thread waits for among its descriptors and any thread may give: an eventfd.
// Signals given while nobody waits are kept until clear(). Without a descriptor (the system
// refused one) signal() does nothing and waits end only at their timeout.
class WakeEvent {
  public:
    WakeEvent();
    WakeEvent(const WakeEvent&) = delete;
    WakeEvent& operator=(const WakeEvent&) = delete;
    ~WakeEvent();

    // For a poll(); -1 when there is none.
    int fd() const { return fd_; }
    // Thread-safe; never blocks.
    void signal();
    // Takes the signals given so far; true when there were any.
    bool clear();

  private:
    int fd_ = -1;
};

// poll() for readability on `descriptors` and, when not negative, `extraFd`, with a timeout in
// milliseconds (negative: none). Marks the ready descriptors and returns how many of
// `descriptors` are ready; an interrupted poll is repeated with the same timeout.
int pollReadable(std::span<WaitDescriptor> descriptors, int timeoutMs, int extraFd = -1);

}  // namespace platform
