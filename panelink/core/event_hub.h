#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

#include "shared/platform/message.h"

namespace panelink {

// Fans out display updates and window messages from the worker threads (and the windows
// themselves) to whoever subscribed: the main window first, then the other windows, then
// any further listener, each in the order it subscribed. Each subscriber receives on its
// own thread through its own MessageSink (a window queues onto the user interface thread),
// so the hub never runs a subscriber's code itself.
//
// Contract:
// - post(): every subscriber whose interest holds the message number gets it posted, in
//   subscription order within its rank. A subscriber sees one publisher's messages in the
//   order they were published. post() never blocks on a subscriber.
// - send(): the main window handles the message before send() returns (its own send);
//   the other interested subscribers then get it posted. Without a main window, send() is
//   a post.
// - forward(): like post(), but leaves the main window out: the main window passes on what
//   it redraws, so freshly opened windows are filled.
// - Any thread may publish, subscribe and unsubscribe at any time. Once a Subscription is
//   gone (destroyed or reset), its sink receives nothing more, so a window may drop its
//   subscription in its destructor. Ending the main window's subscription waits for a send
//   under way, so a main window first releases senders waiting on it (as it does when it
//   starts closing).
class EventHub final : public platform::MainWindowInterface {
  public:
    // Which subscribers hear a message first.
    enum class Rank : int {
        MainWindow = 0,  // at most one: the only subscriber that handles send()
        Window = 1,      // auxiliary windows and dialogs
        Listener = 2,    // anything else, e.g. a network client
    };

    // The message numbers a subscriber wants; empty for every message.
    using Interest = std::vector<std::uint32_t>;

    class Subscription;

    EventHub();
    ~EventHub() override;
    EventHub(const EventHub&) = delete;
    EventHub& operator=(const EventHub&) = delete;

    // The main window: every message, send() included. A second main window replaces the
    // first one's place (the old subscription then receives nothing).
    [[nodiscard]] Subscription subscribeMainWindow(platform::MainWindowInterface& window);
    [[nodiscard]] Subscription subscribe(platform::MessageSink& sink, Interest interest,
                                         Rank rank = Rank::Window);

    // MainWindowInterface: what the worker threads publish. post() reports whether anyone
    // took the message.
    bool post(const platform::Message& message) override;
    void send(const platform::Message& message) override;
    bool forward(const platform::Message& message);

    // How many subscribers would receive `message` through post().
    std::size_t audience(std::uint32_t messageId) const;

    struct Target;

  private:
    bool deliver(const platform::Message& message, bool includeMain);
    std::vector<std::shared_ptr<Target>> snapshot() const;
    void add(const std::shared_ptr<Target>& target);

    mutable std::mutex mutex_;
    std::vector<std::shared_ptr<Target>> targets_;  // sorted by rank, then by arrival
};

// Ends a subscription when it goes. Move-only.
class EventHub::Subscription {
  public:
    Subscription() = default;
    explicit Subscription(std::shared_ptr<Target> target);
    Subscription(Subscription&& other) noexcept;
    Subscription& operator=(Subscription&& other) noexcept;
    Subscription(const Subscription&) = delete;
    Subscription& operator=(const Subscription&) = delete;
    ~Subscription();

    // Stops delivery at once; a publisher in the middle of a delivery to this subscriber is
    // waited for.
    void reset();
    bool active() const;

  private:
    std::shared_ptr<Target> target_;
};

}  // namespace panelink
