#pragma once

#include <QObject>

#include <map>

#include "shared/platform/timer_host.h"

class QTimer;

namespace panelink {

// A window's own numbered timers on Qt timers, apart from the main window's. Ticks run on the
// user interface thread, as do all calls; the timers go with the window.
class WindowTimers final : public platform::TimerHost {
  public:
    WindowTimers(QObject& owner, TickHandler handler);
    WindowTimers(const WindowTimers&) = delete;
    WindowTimers& operator=(const WindowTimers&) = delete;

    void setTimer(int timerId, platform::Milliseconds period) override;
    void killTimer(int timerId) override;
    bool isTimerRunning(int timerId) const override;

  private:
    QObject& owner_;
    TickHandler handler_;
    std::map<int, QTimer*> timers_;  // children of owner_
};

}  // namespace panelink
