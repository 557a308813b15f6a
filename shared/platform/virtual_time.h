#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <optional>

#include "shared/platform/clock.h"
#include "shared/platform/timer_host.h"

namespace platform {

// Clock and numbered timers in virtual time, for tests. Time moves only through advance()
// and sleep(); due ticks run on the thread that moves time, in time order, ticks due at the
// same time in the order their timers were set. Every period is ticked (nothing is skipped).
// A tick handler may set and kill timers and may sleep, which runs the ticks that fall due
// meanwhile. Methods may be called from several threads; the handler is never called with
// the internal lock held.
class VirtualTime final : public Clock, public TimerHost {
  public:
    explicit VirtualTime(TickHandler handler = {});

    void setTickHandler(TickHandler handler);

    TimePoint now() const override;
    // Advances time by `duration` and counts the sleep.
    void sleep(Milliseconds duration) override;
    // Moves time forward by `duration`, running every tick that falls due up to the new
    // time. A negative duration counts as zero.
    void advance(Milliseconds duration);

    // A period below 1 ms runs as 1 ms.
    void setTimer(int timerId, Milliseconds period) override;
    void killTimer(int timerId) override;
    bool isTimerRunning(int timerId) const override;

    // Time advanced since construction.
    Milliseconds elapsed() const;
    // Number of sleep() calls so far.
    int sleepCount() const;
    // The period a running timer was set to, empty when it is not running.
    std::optional<Milliseconds> timerPeriod(int timerId) const;

  private:
    struct Timer {
        Milliseconds period;
        TimePoint due;
        std::uint64_t order;
    };

    mutable std::mutex mutex_;
    const TimePoint start_;
    TimePoint now_;
    std::map<int, Timer> timers_;
    std::shared_ptr<const TickHandler> handler_;
    std::uint64_t nextOrder_ = 0;
    int sleepCount_ = 0;
};

}  // namespace platform
