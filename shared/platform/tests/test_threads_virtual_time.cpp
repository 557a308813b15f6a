#include <gtest/gtest.h>

#include <array>
#include <atomic>
#include <chrono>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "shared/platform/steady_clock.h"
#include "shared/platform/testing/wait_until.h"
#include "shared/platform/virtual_time.h"
#include "shared/platform/wake_event.h"

namespace platform {
namespace {

using namespace std::chrono_literals;

// Virtual time whose ticks are logged as "id@ms "; `extra` runs after logging.
struct LoggedTime {
    VirtualTime time;
    std::string log;
    std::function<void(int)> extra;

    LoggedTime() {
        time.setTickHandler([this](int id) {
            log += std::to_string(id) + "@" + std::to_string(time.elapsed().count()) + " ";
            if (extra) extra(id);
        });
    }
};

TEST(VirtualTime, RunsTicksInTimeOrderAndSameTimeTicksInSetOrder) {
    LoggedTime t;
    t.time.setTimer(1, 30ms);
    t.time.setTimer(2, 20ms);
    t.time.setTimer(3, 60ms);
    t.time.advance(59ms);
    t.time.advance(1ms);
    t.time.setTimer(1, 20ms);  // restarted: now behind timer 2
    t.time.advance(20ms);
    EXPECT_EQ(t.log, "2@20 1@30 2@40 1@60 2@60 3@60 2@80 1@80 ");
}

TEST(VirtualTime, OneAdvanceTicksEveryPeriodItCrosses) {
    LoggedTime t;
    t.time.setTimer(3, 5ms);
    t.time.setTimer(9, 0ms);  // runs as 1 ms instead of spinning
    t.time.advance(1000ms);
    t.time.advance(-50ms);
    EXPECT_EQ(t.time.elapsed(), 1000ms);
    std::string expected;
    for (int ms = 1; ms <= 1000; ++ms) {
        if (ms % 5 == 0) expected += "3@" + std::to_string(ms) + " ";  // set first
        expected += "9@" + std::to_string(ms) + " ";
    }
    EXPECT_EQ(t.log, expected);
}

TEST(VirtualTime, SleepInsideATickRunsTheTicksThatFallDueMeanwhile) {
    LoggedTime t;
    t.extra = [&](int id) {
        if (id == 1 && t.time.elapsed() == 100ms) t.time.sleep(250ms);
    };
    t.time.setTimer(1, 100ms);
    t.time.setTimer(2, 40ms);
    t.time.advance(400ms);
    EXPECT_EQ(t.log,
              "2@40 2@80 1@100 2@120 2@160 1@200 2@200 2@240 2@280 1@300 2@320 "
              "2@360 1@400 2@400 ");
    EXPECT_EQ(t.time.elapsed(), 400ms);
    EXPECT_EQ(t.time.sleepCount(), 1);
}

TEST(VirtualTime, TicksSeeKillsAndSetsMadeByEarlierTicks) {
    LoggedTime t;
    t.extra = [&](int id) {
        if (id == 1) t.time.killTimer(2);  // due at the same moment, set later
        if (id == 3) t.time.setTimer(4, 5ms);
    };
    t.time.setTimer(1, 10ms);
    t.time.setTimer(2, 10ms);
    t.time.setTimer(3, 15ms);
    t.time.advance(25ms);
    EXPECT_EQ(t.log, "1@10 3@15 1@20 4@20 4@25 ");
    EXPECT_FALSE(t.time.timerPeriod(2).has_value());
    EXPECT_EQ(t.time.timerPeriod(4), 5ms);
}

// Threads moving time while another changes timers: every period of a steady timer ticks
// exactly once.
TEST(VirtualTime, ConcurrentUseKeepsOneTickPerPeriod) {
    VirtualTime time;
    std::atomic<int> ticks = 0;
    time.setTickHandler([&](int id) { ticks += id == 1 ? 1 : 0; });
    time.setTimer(1, 1ms);
    std::vector<std::thread> threads;
    threads.reserve(3);
    for (int t = 0; t < 3; ++t) {
        threads.emplace_back([&time, t] {
            for (int i = 0; i < 300; ++i) {
                if (t == 2) {
                    time.setTimer(50 + i % 4, 2ms);
                    time.killTimer(50 + (i + 2) % 4);
                } else {
                    time.advance(1ms);
                }
            }
        });
    }
    for (auto& thread : threads)
        thread.join();
    EXPECT_EQ(ticks.load(), time.elapsed().count());
    EXPECT_GE(time.elapsed(), 300ms);
}

// A timed wait on descriptors in virtual time ends at once for a ready descriptor, and
// otherwise only when another thread moves time to its end: it never moves time itself.
// The program's clock waits in real time with the same results.
TEST(VirtualTime, TimedWaitEndsForAReadyDescriptorOrWhenTimeIsMovedToItsEnd) {
    VirtualTime time;
    WakeEvent event;
    std::array<WaitDescriptor, 2> waitOn{{{-1}, {event.fd()}}};
    event.signal();
    EXPECT_EQ(time.waitReadable(waitOn, 100ms), 1);
    EXPECT_FALSE(waitOn[0].ready);
    EXPECT_TRUE(waitOn[1].ready);
    EXPECT_TRUE(event.clear());
    EXPECT_FALSE(event.clear());
    EXPECT_EQ(time.waitReadable(waitOn, 0ms), 0);
    EXPECT_FALSE(waitOn[1].ready);

    std::atomic<int> result = -1;
    std::thread waiter([&] { result = time.waitReadable(waitOn, 100ms); });
    std::this_thread::sleep_for(20ms);
    EXPECT_EQ(result.load(), -1);
    // Moved in steps: a waiter that began late ends later, but it does end.
    EXPECT_TRUE(waitUntil([&] {
        time.advance(10ms);
        return result.load() == 0;
    }));
    waiter.join();
    const Milliseconds ended = time.elapsed();
    EXPECT_GE(ended, 100ms);

    std::thread second([&] { result = time.waitReadable(waitOn, 100ms); });
    event.signal();
    second.join();
    EXPECT_EQ(result.load(), 1);
    EXPECT_EQ(time.elapsed(), ended);
    EXPECT_EQ(time.sleepCount(), 0);

    SteadyClock clock;
    EXPECT_EQ(clock.waitReadable(waitOn, 1000ms), 1);  // still signalled: at once
    event.clear();
    EXPECT_EQ(clock.waitReadable(waitOn, 1ms), 0);
}

}  // namespace
}  // namespace platform
