#include "panelink/core/event_hub.h"

#include <algorithm>
#include <condition_variable>
#include <utility>

namespace panelink {

// One subscriber. Its own lock guards the sink, so a subscription can end while publishers
// on other threads hold a snapshot of the list: they find the sink gone and skip it.
struct EventHub::Target {
    Rank rank = Rank::Window;
    Interest interest;
    std::mutex mutex;
    std::condition_variable idle;
    platform::MessageSink* sink = nullptr;            // null once unsubscribed
    platform::MainWindowInterface* window = nullptr;  // the main window's send
    int sending = 0;                                  // sends under way, without the lock

    // Stops delivery, and waits out sends under way.
    void end() {
        std::unique_lock lock(mutex);
        sink = nullptr;
        window = nullptr;
        idle.wait(lock, [this] { return sending == 0; });
    }

    bool wants(std::uint32_t id) const {
        return interest.empty() ||
               std::find(interest.begin(), interest.end(), id) != interest.end();
    }
};

EventHub::EventHub() = default;

EventHub::~EventHub() {
    // Subscriptions may outlive the hub; they only hold their own target.
    for (const auto& target : snapshot())
        target->end();
}

EventHub::Subscription EventHub::subscribeMainWindow(platform::MainWindowInterface& window) {
    auto target = std::make_shared<Target>();
    target->rank = Rank::MainWindow;
    target->sink = &window;
    target->window = &window;
    {
        const std::lock_guard lock(mutex_);
        for (auto& old : targets_) {
            if (old->rank != Rank::MainWindow) continue;
            const std::lock_guard oldLock(old->mutex);
            old->sink = nullptr;
            old->window = nullptr;  // a send under way still ends normally
        }
    }
    add(target);
    return Subscription(std::move(target));
}

EventHub::Subscription EventHub::subscribe(platform::MessageSink& sink, Interest interest,
                                           Rank rank) {
    auto target = std::make_shared<Target>();
    target->rank = rank == Rank::MainWindow ? Rank::Window : rank;
    target->interest = std::move(interest);
    target->sink = &sink;
    add(target);
    return Subscription(std::move(target));
}

void EventHub::add(const std::shared_ptr<Target>& target) {
    const std::lock_guard lock(mutex_);
    // Ended subscriptions are dropped here rather than by the subscriber, which may outlive
    // the hub.
    std::erase_if(targets_, [](const std::shared_ptr<Target>& t) {
        const std::lock_guard targetLock(t->mutex);
        return t->sink == nullptr;
    });
    const auto after = std::upper_bound(
        targets_.begin(), targets_.end(), target->rank,
        [](Rank rank, const std::shared_ptr<Target>& t) { return rank < t->rank; });
    targets_.insert(after, target);
}

std::vector<std::shared_ptr<EventHub::Target>> EventHub::snapshot() const {
    const std::lock_guard lock(mutex_);
    return targets_;
}

bool EventHub::deliver(const platform::Message& message, bool includeMain) {
    bool taken = false;
    for (const auto& target : snapshot()) {
        if (!includeMain && target->rank == Rank::MainWindow) continue;
        if (!target->wants(message.id)) continue;
        const std::lock_guard lock(target->mutex);
        if (target->sink != nullptr && target->sink->post(message)) taken = true;
    }
    return taken;
}

bool EventHub::post(const platform::Message& message) {
    return deliver(message, true);
}

bool EventHub::forward(const platform::Message& message) {
    return deliver(message, false);
}

void EventHub::send(const platform::Message& message) {
    std::shared_ptr<Target> main;
    for (const auto& target : snapshot()) {
        if (target->rank == Rank::MainWindow) main = target;
    }
    if (!main) {
        deliver(message, false);
        return;
    }
    platform::MainWindowInterface* window = nullptr;
    {
        const std::lock_guard lock(main->mutex);
        window = main->window;
        if (window != nullptr) ++main->sending;
    }
    // The window's lock is not held while it handles the message, so the window may publish
    // in the meantime. Ending its subscription waits for this send instead; a closing window
    // releases its waiting senders first.
    if (window != nullptr) {
        window->send(message);
        const std::lock_guard lock(main->mutex);
        if (--main->sending == 0) main->idle.notify_all();
    }
    deliver(message, false);
}

std::size_t EventHub::audience(std::uint32_t messageId) const {
    std::size_t count = 0;
    for (const auto& target : snapshot()) {
        const std::lock_guard lock(target->mutex);
        if (target->sink != nullptr && target->wants(messageId)) ++count;
    }
    return count;
}

EventHub::Subscription::Subscription(std::shared_ptr<Target> target) : target_(std::move(target)) {}

EventHub::Subscription::Subscription(Subscription&& other) noexcept
    : target_(std::move(other.target_)) {}

EventHub::Subscription& EventHub::Subscription::operator=(Subscription&& other) noexcept {
    if (this != &other) {
        reset();
        target_ = std::move(other.target_);
    }
    return *this;
}

EventHub::Subscription::~Subscription() {
    reset();
}

void EventHub::Subscription::reset() {
    if (!target_) return;
    target_->end();
    target_.reset();
}

bool EventHub::Subscription::active() const {
    if (!target_) return false;
    const std::lock_guard lock(target_->mutex);
    return target_->sink != nullptr;
}

}  // namespace panelink
