#pragma once

#include <condition_variable>
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "shared/platform/timer_host.h"

namespace platform {

// Real-time numbered timers whose ticks run on a scheduler thread of their own, so that a
// busy or modal user interface thread never holds them up. Meant for timers whose ticks only
// post to worker threads: a tick handler must not wait for another thread.
//
// Ticks keep to the schedule: each tick is planned one period after the previous planned
// time, and periods missed while a handler was slow are skipped rather than run in a burst.
// Timers due at the same time tick in the order they were set.
//
// All methods may be called from any thread, the tick handler included. Once killTimer()
// returns, that timer's handler is neither running nor started again (a kill from inside
// the timer's own tick returns at once; that tick is the last). setTimer() on a running
// timer restarts it: the next tick comes one new period after the call.
class ThreadTimerHost final : public TimerHost {
  public:
    explicit ThreadTimerHost(TickHandler handler = {}, std::string name = "timer-host");
    ThreadTimerHost(const ThreadTimerHost&) = delete;
    ThreadTimerHost& operator=(const ThreadTimerHost&) = delete;
    // Stops the scheduler thread after a running tick has finished.
    ~ThreadTimerHost() override;

    // Replaces the tick handler; a tick already running finishes with the old one.
    void setTickHandler(TickHandler handler);

    // A period below 1 ms runs as 1 ms.
    void setTimer(int timerId, Milliseconds period) override;
    void killTimer(int timerId) override;
    bool isTimerRunning(int timerId) const override;

  private:
    using SteadyTime = std::chrono::steady_clock::time_point;

    struct Timer {
        Milliseconds period;
        SteadyTime due;
        std::uint64_t order;  // when it was set, for ticks due at the same time
    };

    void run();

    const std::string name_;
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::map<int, Timer> timers_;
    std::shared_ptr<const TickHandler> handler_;
    std::uint64_t nextOrder_ = 0;
    std::optional<int> ticking_;  // timer whose handler runs now
    std::thread::id schedulerId_;
    bool stopping_ = false;
    std::thread thread_;  // last: started once everything above is ready
};

}  // namespace platform
