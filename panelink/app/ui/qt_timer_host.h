#pragma once

#include <QObject>
#include <QPointer>

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <mutex>

#include "shared/platform/clock.h"
#include "shared/platform/steady_clock.h"
#include "shared/platform/timer_host.h"

class QTimer;

namespace panelink {

// Calls `done` once on the thread of `context`, no sooner than `wait` after this call by
// `clock`, unless `context` is destroyed first. Qt may end a timer a little early (coarse
// timers by up to 5 %); a timeout that comes before the wait is over on `clock` waits out
// the rest, so the wait is a true minimum. `clock` must outlive `context`.
void singleShotAtLeast(QObject* context, const platform::Clock& clock, platform::Milliseconds wait,
                       std::function<void()> done);

// The main window's own numbered timers on Qt timers: ticks run on the thread that created
// the host (the user interface thread). setTimer(), killTimer() and isTimerRunning() may be
// called from any thread; calls from other threads take effect on the host's thread, and a
// tick that is still queued when its timer has been killed or set again is dropped.
//
// No tick comes early: the first comes at least a period after setTimer() and each further
// one at least a period after the one before, measured on the host's clock.
class QtTimerHost final : public platform::TimerHost {
  public:
    // Measures on the steady clock.
    explicit QtTimerHost(TickHandler handler = {});
    // Measures on `clock`, which must outlive the host.
    explicit QtTimerHost(const platform::Clock& clock, TickHandler handler = {});
    ~QtTimerHost() override;
    QtTimerHost(const QtTimerHost&) = delete;
    QtTimerHost& operator=(const QtTimerHost&) = delete;

    void setTickHandler(TickHandler handler);

    // A period below 1 ms runs as 1 ms.
    void setTimer(int timerId, platform::Milliseconds period) override;
    void killTimer(int timerId) override;
    bool isTimerRunning(int timerId) const override;

  private:
    struct Wanted {
        platform::Milliseconds period;
        std::uint64_t generation;
    };
    struct Running {
        QTimer* timer;
        std::uint64_t generation;
        platform::Milliseconds period;
        platform::TimePoint due;  // on clock_
    };

    bool onOwnThread() const;
    // Brings the Qt timer of `timerId` in line with what was last asked for (own thread).
    void apply(int timerId);
    // The Qt timer of `timerId` ended (own thread): a tick when its period is over.
    void onTimeout(int timerId, std::uint64_t generation);
    void tick(int timerId, std::uint64_t generation);

    platform::SteadyClock steadyClock_;
    const platform::Clock& clock_;
    QObject context_;  // lives on the host's thread; parent of the Qt timers

    mutable std::mutex mutex_;
    std::map<int, Wanted> wanted_;
    std::uint64_t nextGeneration_ = 1;
    std::shared_ptr<const TickHandler> handler_;

    std::map<int, Running> running_;  // host's thread only
};

}  // namespace panelink
