#include <gtest/gtest.h>

#include <array>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

#include "shared/platform/message_thread.h"
#include "shared/platform/testing/wait_until.h"
#include "shared/platform/virtual_time.h"
#include "shared/platform/wake_event.h"

namespace platform {
namespace {

using namespace std::chrono_literals;
using Ids = std::vector<std::uint32_t>;

constexpr auto kGenerous = 10s;  // only a hung thread takes this long

// A handler that records ids and holds every message until open() is called.
class HeldHandler {
  public:
    void operator()(const Message& message) {
        std::unique_lock lock(mutex_);
        ids_.push_back(message.id);
        changed_.notify_all();
        changed_.wait(lock, [this] { return open_; });
    }
    bool waitHeld() {
        std::unique_lock lock(mutex_);
        return changed_.wait_for(lock, kGenerous, [this] { return !ids_.empty(); });
    }
    void open() {
        std::lock_guard lock(mutex_);
        open_ = true;
        changed_.notify_all();
    }
    Ids ids() {
        std::lock_guard lock(mutex_);
        return ids_;
    }

  private:
    std::mutex mutex_;
    std::condition_variable changed_;
    Ids ids_;
    bool open_ = false;
};

TEST(MessageThread, HandlesInOrderAndEndsAtQuitDroppingWhatFollows) {
    HeldHandler handler;
    MessageThread thread("worker", [&](const Message& m) { handler(m); });
    ASSERT_TRUE(thread.start());
    EXPECT_FALSE(thread.start());

    Ids expected;
    for (std::uint32_t n = 1; n <= 50; ++n) {
        ASSERT_TRUE(thread.post({WM_APP + n, 0, 0}));
        expected.push_back(WM_APP + n);
    }
    ASSERT_TRUE(handler.waitHeld());
    ASSERT_TRUE(thread.post({kQuitThreadMessage, 0, 0}));
    EXPECT_TRUE(thread.post({WM_APP + 99, 0, 0}));  // accepted, never handled
    EXPECT_FALSE(thread.hasEnded());
    EXPECT_FALSE(thread.exitCode().has_value());

    handler.open();
    ASSERT_TRUE(thread.waitForEnd(kGenerous));
    EXPECT_EQ(handler.ids(), expected);
    EXPECT_EQ(thread.exitCode(), 0);
    EXPECT_TRUE(thread.hasEnded());  // still true on a later look
    EXPECT_FALSE(thread.post({WM_APP + 1, 0, 0}));
    thread.join();
}

TEST(MessageThread, KeepsEarlyPostsAndDestructorFinishesQueuedWork) {
    std::atomic<int> handled = 0;
    {
        MessageThread thread("doomed", [&](const Message&) {
            std::this_thread::sleep_for(1ms);
            ++handled;
        });
        thread.post({WM_APP + 0x106, 0, 0});  // before the start
        ASSERT_TRUE(thread.start());
        for (int i = 0; i < 19; ++i)
            thread.post({WM_APP + 0x103, 0, 0});
    }
    EXPECT_EQ(handled.load(), 20);
    MessageThread neverStarted("idle", nullptr);  // destroyed without a start
}

// An idle wait that only wake() can end.
class EventWait final : public IdleWait {
  public:
    void wait() override {
        std::array<WaitDescriptor, 1> waitOn{{{event_.fd()}}};
        pollReadable(waitOn, -1);
        event_.clear();
    }
    void wake() override { event_.signal(); }

  private:
    WakeEvent event_;
};

TEST(MessageThread, WithAnIdleWaitEveryPostAndTheEndMessageGetThrough) {
    EventWait idle;
    std::atomic<int> handled = 0;
    MessageThread thread(
        "waiter", [&](const Message&) { ++handled; }, &idle);
    thread.post({WM_APP + 0x106, 0, 0});  // before the start
    ASSERT_TRUE(thread.start());
    for (int i = 0; i < 49; ++i) {
        ASSERT_TRUE(thread.post({WM_APP + 0x104, 0, 0}));
        if (i % 7 == 0) std::this_thread::sleep_for(1ms);  // now and then while it waits
    }
    ASSERT_TRUE(waitUntil([&] { return handled.load() == 50; }, kGenerous));
    ASSERT_TRUE(thread.post({kQuitThreadMessage, 0, 0}));
    EXPECT_TRUE(thread.waitForEnd(kGenerous));

    // The destructor's end message wakes it as well.
    EventWait otherIdle;
    {
        MessageThread doomed("doomed", nullptr, &otherIdle);
        ASSERT_TRUE(doomed.start());
    }
}

TEST(StopThread, GivesUpAfter52PostsAnd51Pauses) {
    VirtualTime time;
    MessageThread never("never", nullptr);
    EXPECT_TRUE(stopThread(never, time));  // nothing runs: no post, no pause
    EXPECT_EQ(never.pendingMessages(), 0u);

    HeldHandler handler;
    MessageThread stuck("stuck", [&](const Message& m) { handler(m); });
    stuck.start();
    stuck.post({WM_APP + 0x104, 0, 0});
    ASSERT_TRUE(handler.waitHeld());

    EXPECT_FALSE(stopThread(stuck, time));
    EXPECT_EQ(stuck.pendingMessages(), 52u);
    EXPECT_EQ(time.sleepCount(), 51);
    EXPECT_EQ(time.elapsed(), 5100ms);

    handler.open();  // the first quit message now ends it
    EXPECT_TRUE(stuck.waitForEnd(kGenerous));
    EXPECT_EQ(handler.ids(), Ids{WM_APP + 0x104});
    EXPECT_TRUE(stopThread(stuck, time));
    EXPECT_EQ(time.sleepCount(), 51);
}

TEST(StopThread, StopsAsSoonAsTheThreadHasEnded) {
    VirtualTime time;
    HeldHandler handler;
    MessageThread slow("slow", [&](const Message& m) { handler(m); });
    slow.start();
    slow.post({WM_APP + 0x102, 0, 0});
    ASSERT_TRUE(handler.waitHeld());

    // At 250 ms the handler returns; the tick waits until the thread has taken the quit.
    time.setTickHandler([&](int) {
        time.killTimer(1);
        handler.open();
        ASSERT_TRUE(slow.waitForEnd(kGenerous));
    });
    time.setTimer(1, 250ms);

    EXPECT_TRUE(stopThread(slow, time));
    EXPECT_EQ(time.sleepCount(), 3);  // posts at 0, 100 and 200 ms; ended at 300 ms
    EXPECT_EQ(time.elapsed(), 300ms);
}

}  // namespace
}  // namespace platform
