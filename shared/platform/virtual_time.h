#pragma once

#include <cstdint>
#include <list>
#include <map>
#include <memory>
#include <mutex>
#include <optional>

#include "shared/platform/clock.h"
#include "shared/platform/timer_host.h"
#include "shared/platform/wake_event.h"

namespace platform {

// Clock and numbered timers in virtual time, for tests. Time moves only through advance()
// and sleep(); due ticks run on the thread that moves time, in time order, ticks due at the
// same time in the order their timers were set. Every period is ticked (nothing is skipped).
// A tick handler may set and kill timers and may sleep, which runs the ticks that fall due
// meanwhile. Methods may be called from several threads; the handler is never called with
// the internal lock held.
//
// A timed wait on descriptors ends at once when one is ready; otherwise it waits in real time
// until one is, or until another thread has moved time to its end. It never moves time
// itself, so a worker waiting in a loop cannot run the test's time ahead.
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
    int waitReadable(std::span<WaitDescriptor> descriptors, Milliseconds timeout) override;

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
    // A timed wait in progress: its end, and the event that tells it the end has come.
    struct PendingWait {
        TimePoint end;
        WakeEvent* reached;
    };

    void wakeEndedWaitsLocked();

    mutable std::mutex mutex_;
    const TimePoint start_;
    TimePoint now_;
    std::map<int, Timer> timers_;
    std::list<PendingWait> waits_;
    std::shared_ptr<const TickHandler> handler_;
    std::uint64_t nextOrder_ = 0;
    int sleepCount_ = 0;
};

}  // namespace platform
