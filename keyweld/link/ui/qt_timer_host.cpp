#include "keyweld/link/ui/qt_timer_host.h"

#include <algorithm>
#include <utility>

namespace keyweld {

QtTimerHost::QtTimerHost(TickHandler handler) : handler_(std::move(handler)) {}

void QtTimerHost::setTimer(int timerId, platform::Milliseconds period) {
    std::unique_ptr<QTimer>& timer = timers_[timerId];
    if (!timer) {
        timer = std::make_unique<QTimer>();
        timer->setTimerType(Qt::PreciseTimer);
        QObject::connect(timer.get(), &QTimer::timeout, [this, timerId] {
            if (handler_) handler_(timerId);
        });
    }
    timer->start(std::max<platform::Milliseconds>(period, platform::Milliseconds(1)));
}

void QtTimerHost::killTimer(int timerId) {
    if (const auto found = timers_.find(timerId); found != timers_.end()) found->second->stop();
}

bool QtTimerHost::isTimerRunning(int timerId) const {
    const auto found = timers_.find(timerId);
    return found != timers_.end() && found->second->isActive();
}

}  // namespace keyweld
