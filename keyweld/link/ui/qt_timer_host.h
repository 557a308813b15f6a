#pragma once

#include <map>
#include <memory>

#include <QTimer>

#include "shared/platform/timer_host.h"

namespace keyweld {

// Numbered timers on the user interface thread's own QTimers. User interface thread only.
class QtTimerHost final : public platform::TimerHost {
  public:
    explicit QtTimerHost(TickHandler handler);

    void setTimer(int timerId, platform::Milliseconds period) override;
    void killTimer(int timerId) override;
    bool isTimerRunning(int timerId) const override;

  private:
    TickHandler handler_;
    std::map<int, std::unique_ptr<QTimer>> timers_;
};

}  // namespace keyweld
