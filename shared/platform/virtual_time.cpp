#include "shared/platform/virtual_time.h"

#include <algorithm>
#include <utility>

namespace platform {

VirtualTime::VirtualTime(TickHandler handler)
    : start_(TimePoint{}),
      now_(start_),
      handler_(std::make_shared<const TickHandler>(std::move(handler))) {}

void VirtualTime::setTickHandler(TickHandler handler) {
    auto shared = std::make_shared<const TickHandler>(std::move(handler));
    std::lock_guard lock(mutex_);
    handler_ = std::move(shared);
}

TimePoint VirtualTime::now() const {
    std::lock_guard lock(mutex_);
    return now_;
}

void VirtualTime::sleep(Milliseconds duration) {
    {
        std::lock_guard lock(mutex_);
        ++sleepCount_;
    }
    advance(duration);
}

void VirtualTime::advance(Milliseconds duration) {
    std::unique_lock lock(mutex_);
    const TimePoint target = now_ + std::max(duration, Milliseconds::zero());
    for (;;) {
        auto next = timers_.end();
        for (auto it = timers_.begin(); it != timers_.end(); ++it) {
            if (it->second.due > target) continue;
            if (next == timers_.end() || it->second.due < next->second.due ||
                (it->second.due == next->second.due && it->second.order < next->second.order)) {
                next = it;
            }
        }
        if (next == timers_.end()) break;
        // A sleep inside an earlier tick may have moved time past this tick already.
        now_ = std::max(now_, next->second.due);
        wakeEndedWaitsLocked();
        next->second.due += next->second.period;
        const int timerId = next->first;
        const auto handler = handler_;
        lock.unlock();
        if (*handler) (*handler)(timerId);
        lock.lock();
    }
    now_ = std::max(now_, target);
    wakeEndedWaitsLocked();
}

int VirtualTime::waitReadable(std::span<WaitDescriptor> descriptors, Milliseconds timeout) {
    const int ready = pollReadable(descriptors, 0);
    if (ready > 0 || timeout <= Milliseconds::zero()) return ready;

    WakeEvent reached;
    std::list<PendingWait>::iterator entry;
    {
        std::lock_guard lock(mutex_);
        entry = waits_.insert(waits_.end(), PendingWait{now_ + timeout, &reached});
    }
    const int result = pollReadable(descriptors, -1, reached.fd());
    std::lock_guard lock(mutex_);
    waits_.erase(entry);
    return result;
}

void VirtualTime::wakeEndedWaitsLocked() {
    for (const PendingWait& wait : waits_) {
        if (wait.end <= now_) wait.reached->signal();
    }
}

void VirtualTime::setTimer(int timerId, Milliseconds period) {
    period = std::max(period, Milliseconds(1));
    std::lock_guard lock(mutex_);
    timers_[timerId] = Timer{period, now_ + period, nextOrder_++};
}

void VirtualTime::killTimer(int timerId) {
    std::lock_guard lock(mutex_);
    timers_.erase(timerId);
}

bool VirtualTime::isTimerRunning(int timerId) const {
    std::lock_guard lock(mutex_);
    return timers_.contains(timerId);
}

Milliseconds VirtualTime::elapsed() const {
    std::lock_guard lock(mutex_);
    return std::chrono::duration_cast<Milliseconds>(now_ - start_);
}

int VirtualTime::sleepCount() const {
    std::lock_guard lock(mutex_);
    return sleepCount_;
}

std::optional<Milliseconds> VirtualTime::timerPeriod(int timerId) const {
    std::lock_guard lock(mutex_);
    const auto it = timers_.find(timerId);
    if (it == timers_.end()) return std::nullopt;
    return it->second.period;
}

}  // namespace platform
