#pragma once

#include <QObject>
#include <QPointer>

#include <cstdint>
#include <map>
#include <memory>
#include <mutex>

#include "shared/platform/timer_host.h"

class QTimer;

namespace panelink {

// The main window's own numbered timers on Qt timers: ticks run on the thread that created
// the host (the user interface thread). setTimer(), killTimer() and isTimerRunning() may be
// called from any thread; calls from other threads take effect on the host's thread, and a
// tick that is still queued when its timer has been killed or set again is dropped.
class QtTimerHost final : public platform::TimerHost {
  public:
    explicit QtTimerHost(TickHandler handler = {});
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
    };

    bool onOwnThread() const;
    // Brings the Qt timer of `timerId` in line with what was last asked for (own thread).
    void apply(int timerId);
    void tick(int timerId, std::uint64_t generation);

    QObject context_;  // lives on the host's thread; parent of the Qt timers

    mutable std::mutex mutex_;
    std::map<int, Wanted> wanted_;
    std::uint64_t nextGeneration_ = 1;
    std::shared_ptr<const TickHandler> handler_;

    std::map<int, Running> running_;  // host's thread only
};

}  // namespace panelink
