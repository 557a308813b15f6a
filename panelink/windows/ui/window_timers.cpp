#include "panelink/windows/ui/window_timers.h"

#include <QTimer>

#include <algorithm>
#include <utility>

namespace panelink {

WindowTimers::WindowTimers(QObject& owner, TickHandler handler)
    : owner_(owner), handler_(std::move(handler)) {}

void WindowTimers::setTimer(int timerId, platform::Milliseconds period) {
    QTimer*& timer = timers_[timerId];
    if (timer == nullptr) {
        timer = new QTimer(&owner_);
        timer->setTimerType(Qt::PreciseTimer);
        QObject::connect(timer, &QTimer::timeout, &owner_, [this, timerId] {
            if (handler_) handler_(timerId);
        });
    }
    timer->start(static_cast<int>(std::max<platform::Milliseconds::rep>(period.count(), 1)));
}

void WindowTimers::killTimer(int timerId) {
    const auto it = timers_.find(timerId);
    if (it != timers_.end()) it->second->stop();
}

bool WindowTimers::isTimerRunning(int timerId) const {
    const auto it = timers_.find(timerId);
    return it != timers_.end() && it->second->isActive();
}

}  // namespace panelink
