#include "shared/platform/thread_timer_host.h"

#include <pthread.h>

#include <algorithm>
#include <utility>

namespace platform {

ThreadTimerHost::ThreadTimerHost(TickHandler handler, std::string name)
    : name_(std::move(name)),
      handler_(std::make_shared<const TickHandler>(std::move(handler))),
      thread_([this] { run(); }) {}

ThreadTimerHost::~ThreadTimerHost() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
        changed_.notify_all();
    }
    if (thread_.get_id() == std::this_thread::get_id()) {
        thread_.detach();
    } else {
        thread_.join();
    }
}

void ThreadTimerHost::setTickHandler(TickHandler handler) {
    auto shared = std::make_shared<const TickHandler>(std::move(handler));
    std::lock_guard lock(mutex_);
    handler_ = std::move(shared);
}

void ThreadTimerHost::setTimer(int timerId, Milliseconds period) {
    period = std::max(period, Milliseconds(1));
    std::lock_guard lock(mutex_);
    timers_[timerId] = Timer{period, std::chrono::steady_clock::now() + period, nextOrder_++};
    changed_.notify_all();
}

void ThreadTimerHost::killTimer(int timerId) {
    std::unique_lock lock(mutex_);
    timers_.erase(timerId);
    changed_.notify_all();
    if (std::this_thread::get_id() == schedulerId_) return;
    changed_.wait(lock, [&] { return ticking_ != timerId; });
}

bool ThreadTimerHost::isTimerRunning(int timerId) const {
    std::lock_guard lock(mutex_);
    return timers_.contains(timerId);
}

void ThreadTimerHost::run() {
    const std::string shortName = name_.substr(0, 15);
    pthread_setname_np(pthread_self(), shortName.c_str());

    std::unique_lock lock(mutex_);
    schedulerId_ = std::this_thread::get_id();
    while (!stopping_) {
        auto next = timers_.end();
        for (auto it = timers_.begin(); it != timers_.end(); ++it) {
            if (next == timers_.end() || it->second.due < next->second.due ||
                (it->second.due == next->second.due && it->second.order < next->second.order)) {
                next = it;
            }
        }
        if (next == timers_.end()) {
            changed_.wait(lock);
            continue;
        }
        const auto now = std::chrono::steady_clock::now();
        Timer& timer = next->second;
        if (timer.due > now) {
            // Wait on a copy: killTimer may erase the timer while this thread waits.
            const auto due = timer.due;
            changed_.wait_until(lock, due);
            continue;  // the timers may have changed meanwhile
        }
        // Plan from the planned time so the period does not drift; skip whole periods that
        // are already past instead of running them back to back.
        const auto late = now - timer.due;
        timer.due += timer.period * (late / timer.period + 1);

        const int timerId = next->first;
        const auto handler = handler_;
        ticking_ = timerId;
        lock.unlock();
        if (*handler) (*handler)(timerId);
        lock.lock();
        ticking_.reset();
        changed_.notify_all();
    }
}

}  // namespace platform
