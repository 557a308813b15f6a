#include "panelink/core/event_hub.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "panelink/core/messages.h"
#include "shared/platform/testing/recording_window.h"
#include "shared/platform/testing/wait_until.h"

namespace panelink {
namespace {

using namespace std::chrono_literals;
using platform::Message;
using Rank = EventHub::Rank;

constexpr std::uint32_t kFa = id(DisplayUpdate::FA);
constexpr std::uint32_t kBp = id(DisplayUpdate::BP);
constexpr std::uint32_t kConnected = id(WindowMessage::Connected);

// Every subscriber writes into one log, so the order across subscribers shows.
struct Log {
    std::mutex mutex;
    std::vector<std::string> lines;

    void add(const std::string& who, const Message& m, const char* how = "") {
        const std::lock_guard lock(mutex);
        lines.push_back(who + how + ":" + std::to_string(m.id - platform::WM_APP));
    }
    std::vector<std::string> take() {
        const std::lock_guard lock(mutex);
        return std::exchange(lines, {});
    }
};

class LoggingWindow final : public platform::MainWindowInterface {
  public:
    LoggingWindow(Log& log, std::string name) : log_(log), name_(std::move(name)) {}
    bool post(const Message& m) override {
        log_.add(name_, m);
        return true;
    }
    void send(const Message& m) override { log_.add(name_, m, " sent"); }

  private:
    Log& log_;
    std::string name_;
};

TEST(EventHub, TheMainWindowHearsFirstThenWindowsThenListenersEachInTheOrderTheyCame) {
    Log log;
    EventHub hub;
    LoggingWindow listener(log, "listener"), notch(log, "notch"), dnr(log, "dnr"),
        main(log, "main");
    auto a = hub.subscribe(listener, {}, Rank::Listener);
    auto b = hub.subscribe(notch, {kBp});
    auto c = hub.subscribe(dnr, {kBp});
    auto d = hub.subscribeMainWindow(main);

    EXPECT_TRUE(hub.post(message(DisplayUpdate::BP)));
    EXPECT_EQ(log.take(),
              (std::vector<std::string>{"main:773", "notch:773", "dnr:773", "listener:773"}));
}

TEST(EventHub, AWindowHearsOnlyTheMessagesItAskedFor) {
    Log log;
    EventHub hub;
    LoggingWindow main(log, "main"), notch(log, "notch");
    auto a = hub.subscribeMainWindow(main);
    auto b = hub.subscribe(notch, {kBp});

    hub.post(message(DisplayUpdate::FA));
    hub.post(message(DisplayUpdate::BP));
    EXPECT_EQ(log.take(), (std::vector<std::string>{"main:819", "main:773", "notch:773"}));
    EXPECT_EQ(hub.audience(kFa), 1u);
    EXPECT_EQ(hub.audience(kBp), 2u);
}

TEST(EventHub, SendReachesTheMainWindowAloneAsASendAndTheOthersAfterwardsAsPosts) {
    Log log;
    EventHub hub;
    LoggingWindow main(log, "main"), notice(log, "notice");
    auto b = hub.subscribe(notice, {kConnected});
    hub.send(message(WindowMessage::Connected));  // no main window yet: a post
    auto a = hub.subscribeMainWindow(main);
    hub.send(message(WindowMessage::Connected));
    EXPECT_EQ(log.take(), (std::vector<std::string>{"notice:266", "main sent:266", "notice:266"}));
}

TEST(EventHub, ForwardLeavesTheMainWindowOut) {
    Log log;
    EventHub hub;
    LoggingWindow main(log, "main"), notch(log, "notch");
    auto a = hub.subscribeMainWindow(main);
    auto b = hub.subscribe(notch, {kBp});
    EXPECT_TRUE(hub.forward(message(DisplayUpdate::BP)));
    EXPECT_FALSE(hub.forward(message(DisplayUpdate::FA)));
    EXPECT_EQ(log.take(), (std::vector<std::string>{"notch:773"}));
}

TEST(EventHub, AnEndedSubscriptionHearsNothingAndMayOutliveTheHub) {
    Log log;
    LoggingWindow main(log, "main"), notch(log, "notch"), second(log, "second");
    EventHub::Subscription kept;
    {
        EventHub hub;
        auto a = hub.subscribeMainWindow(main);
        kept = hub.subscribe(notch, {});
        { auto gone = hub.subscribe(second, {}); }
        hub.post(message(DisplayUpdate::FA));
        kept.reset();
        EXPECT_FALSE(kept.active());
        hub.post(message(DisplayUpdate::BP));
        // A new main window takes the place of the old one.
        auto replaced = hub.subscribeMainWindow(second);
        EXPECT_FALSE(a.active());
        hub.send(message(WindowMessage::Connected));
        kept = hub.subscribe(notch, {});
    }
    EXPECT_FALSE(kept.active());
    EXPECT_EQ(log.take(),
              (std::vector<std::string>{"main:819", "notch:819", "main:773", "second sent:266"}));
}

// A window that handles a send on "its" thread: the sender waits until it is let go.
class BlockingWindow final : public platform::MainWindowInterface {
  public:
    bool post(const Message&) override { return true; }
    void send(const Message&) override {
        entered.store(true);
        while (!release.load())
            std::this_thread::sleep_for(1ms);
        handled.store(true);
    }
    std::atomic<bool> entered{false}, release{false}, handled{false};
};

TEST(EventHub, EndingTheMainWindowsSubscriptionWaitsForASendUnderWay) {
    EventHub hub;
    BlockingWindow window;
    auto subscription = hub.subscribeMainWindow(window);
    std::thread sender([&] { hub.send(message(WindowMessage::Connected)); });
    ASSERT_TRUE(platform::waitUntil([&] { return window.entered.load(); }, 10s));

    // The window may still publish while a worker waits on it.
    EXPECT_TRUE(hub.post(message(DisplayUpdate::FA)));

    std::atomic<bool> ended{false};
    std::thread closer([&] {
        subscription.reset();
        ended.store(true);
        // The send had finished before the subscription could end.
        EXPECT_TRUE(window.handled.load());
    });
    std::this_thread::sleep_for(20ms);
    EXPECT_FALSE(ended.load());
    window.release.store(true);
    sender.join();
    closer.join();
    EXPECT_TRUE(ended.load());
}

TEST(EventHub, ManyPublishersAndSubscribersAtOnceKeepEachPublishersOrder) {
    EventHub hub;
    platform::RecordingWindow main;
    auto mainSubscription = hub.subscribeMainWindow(main);
    std::atomic<bool> stop{false};
    std::thread churn([&] {
        while (!stop.load()) {
            platform::RecordingSink sink;
            auto s = hub.subscribe(sink, {kFa});
            hub.forward(message(DisplayUpdate::FA));
        }
    });
    constexpr int kEach = 2000;
    auto publish = [&](std::uintptr_t who) {
        for (int i = 0; i < kEach; ++i)
            hub.post(message(DisplayUpdate::FA, who, i));
    };
    std::thread one(publish, 1), two(publish, 2);
    one.join();
    two.join();
    stop.store(true);
    churn.join();

    std::intptr_t next[3] = {0, 0, 0};
    for (const Message& m : main.posted()) {
        ASSERT_EQ(m.lparam, next[m.wparam]) << "publisher " << m.wparam;
        ++next[m.wparam];
    }
    EXPECT_EQ(next[1], kEach);
    EXPECT_EQ(next[2], kEach);
}

}  // namespace
}  // namespace panelink
