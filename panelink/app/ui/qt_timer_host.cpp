#include "panelink/app/ui/qt_timer_host.h"

#include <QThread>
#include <QTimer>

#include <algorithm>
#include <optional>
#include <utility>

namespace panelink {

QtTimerHost::QtTimerHost(TickHandler handler)
    : handler_(std::make_shared<const TickHandler>(std::move(handler))) {}

// The Qt timers go with their parent, context_.
QtTimerHost::~QtTimerHost() = default;

void QtTimerHost::setTickHandler(TickHandler handler) {
    auto shared = std::make_shared<const TickHandler>(std::move(handler));
    std::lock_guard lock(mutex_);
    handler_ = std::move(shared);
}

bool QtTimerHost::onOwnThread() const {
    return QThread::currentThread() == context_.thread();
}

void QtTimerHost::setTimer(int timerId, platform::Milliseconds period) {
    {
        std::lock_guard lock(mutex_);
        wanted_[timerId] = Wanted{std::max(period, platform::Milliseconds(1)), nextGeneration_++};
    }
    if (onOwnThread()) {
        apply(timerId);
    } else {
        QMetaObject::invokeMethod(&context_, [this, timerId] { apply(timerId); });
    }
}

void QtTimerHost::killTimer(int timerId) {
    {
        std::lock_guard lock(mutex_);
        wanted_.erase(timerId);
    }
    if (onOwnThread()) {
        apply(timerId);
    } else {
        QMetaObject::invokeMethod(&context_, [this, timerId] { apply(timerId); });
    }
}

bool QtTimerHost::isTimerRunning(int timerId) const {
    std::lock_guard lock(mutex_);
    return wanted_.contains(timerId);
}

void QtTimerHost::apply(int timerId) {
    std::optional<Wanted> wanted;
    {
        std::lock_guard lock(mutex_);
        if (const auto it = wanted_.find(timerId); it != wanted_.end()) wanted = it->second;
    }
    auto running = running_.find(timerId);
    if (!wanted) {
        if (running != running_.end()) running->second.timer->stop();
        return;
    }
    if (running != running_.end() && running->second.generation == wanted->generation) return;
    if (running == running_.end()) {
        auto* timer = new QTimer(&context_);
        running = running_.emplace(timerId, Running{timer, 0}).first;
    }
    Running& r = running->second;
    r.generation = wanted->generation;
    r.timer->disconnect();
    const std::uint64_t generation = wanted->generation;
    QObject::connect(r.timer, &QTimer::timeout, &context_,
                     [this, timerId, generation] { tick(timerId, generation); });
    r.timer->start(static_cast<int>(wanted->period.count()));
}

void QtTimerHost::tick(int timerId, std::uint64_t generation) {
    std::shared_ptr<const TickHandler> handler;
    {
        std::lock_guard lock(mutex_);
        const auto it = wanted_.find(timerId);
        // Killed or set again from another thread, and not applied here yet.
        if (it == wanted_.end() || it->second.generation != generation) return;
        handler = handler_;
    }
    if (handler && *handler) (*handler)(timerId);
}

}  // namespace panelink
