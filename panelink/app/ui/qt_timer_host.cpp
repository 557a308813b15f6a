#include "panelink/app/ui/qt_timer_host.h"

#include <QThread>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <optional>
#include <utility>

namespace panelink {

namespace {

// What is left of a wait, in whole milliseconds rounded up, at least 1 ms: a Qt timer that
// is armed for it cannot end before `due` by rounding.
std::chrono::milliseconds remainder(platform::TimePoint due, platform::TimePoint now) {
    return std::max(std::chrono::ceil<std::chrono::milliseconds>(due - now),
                    std::chrono::milliseconds(1));
}

void armAtLeast(QObject* context, const platform::Clock& clock, platform::TimePoint due,
                std::chrono::milliseconds interval, std::function<void()> done) {
    QTimer::singleShot(interval, Qt::PreciseTimer, context,
                       [context, &clock, due, done = std::move(done)]() mutable {
                           const platform::TimePoint now = clock.now();
                           if (now < due) {
                               armAtLeast(context, clock, due, remainder(due, now),
                                          std::move(done));
                               return;
                           }
                           done();
                       });
}

}  // namespace

void singleShotAtLeast(QObject* context, const platform::Clock& clock, platform::Milliseconds wait,
                       std::function<void()> done) {
    wait = std::max(wait, platform::Milliseconds::zero());
    armAtLeast(context, clock, clock.now() + wait, wait, std::move(done));
}

QtTimerHost::QtTimerHost(TickHandler handler)
    : clock_(steadyClock_), handler_(std::make_shared<const TickHandler>(std::move(handler))) {}

QtTimerHost::QtTimerHost(const platform::Clock& clock, TickHandler handler)
    : clock_(clock), handler_(std::make_shared<const TickHandler>(std::move(handler))) {}

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
        // One single-shot timer per id, armed again for every wait: precise, so that it
        // rarely needs a second arming, and never periodic, so that each wait is measured.
        auto* timer = new QTimer(&context_);
        timer->setSingleShot(true);
        timer->setTimerType(Qt::PreciseTimer);
        running = running_.emplace(timerId, Running{timer, 0, {}, {}}).first;
    }
    Running& r = running->second;
    r.generation = wanted->generation;
    r.period = wanted->period;
    r.due = clock_.now() + r.period;
    r.timer->disconnect();
    const std::uint64_t generation = wanted->generation;
    QObject::connect(r.timer, &QTimer::timeout, &context_,
                     [this, timerId, generation] { onTimeout(timerId, generation); });
    r.timer->start(r.period);
}

void QtTimerHost::onTimeout(int timerId, std::uint64_t generation) {
    const auto running = running_.find(timerId);
    if (running == running_.end() || running->second.generation != generation) return;
    Running& r = running->second;
    const platform::TimePoint now = clock_.now();
    if (now < r.due) {
        r.timer->start(remainder(r.due, now));
        return;
    }
    // Armed before the tick, so that a handler that sets or kills its own timer has the
    // last word.
    r.due = now + r.period;
    r.timer->start(r.period);
    tick(timerId, generation);
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
