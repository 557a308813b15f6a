#include <gtest/gtest.h>

#include <pthread.h>
#include <signal.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

#include "shared/platform/routing_timer_host.h"
#include "shared/platform/steady_clock.h"
#include "shared/platform/testing/wait_until.h"
#include "shared/platform/thread_timer_host.h"
#include "shared/platform/virtual_time.h"

namespace platform {
namespace {

using namespace std::chrono_literals;
using SteadyTime = std::chrono::steady_clock::time_point;

// Real tick times, with a wait for a number of ticks.
class TickLog {
  public:
    void add() {
        std::lock_guard lock(mutex_);
        times_.push_back(std::chrono::steady_clock::now());
        changed_.notify_all();
    }
    bool waitForCount(std::size_t count) {
        std::unique_lock lock(mutex_);
        return changed_.wait_for(lock, 10s, [&] { return times_.size() >= count; });
    }
    std::vector<SteadyTime> times() {
        std::lock_guard lock(mutex_);
        return times_;
    }

  private:
    std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<SteadyTime> times_;
};

TEST(ThreadTimerHost, TicksAtItsPeriodAndSetRestartsWithTheNewOne) {
    TickLog log;
    ThreadTimerHost host([&](int) { log.add(); });
    const auto start = std::chrono::steady_clock::now();
    host.setTimer(3, 20ms);
    ASSERT_TRUE(log.waitForCount(10));
    EXPECT_GE(log.times()[9] - start, 195ms);  // never early
    EXPECT_LT(log.times()[9] - start, 5s);

    host.setTimer(3, 10s);
    const std::size_t before = log.times().size();
    std::this_thread::sleep_for(150ms);
    EXPECT_LE(log.times().size(), before + 1);  // at most a tick already under way
    EXPECT_TRUE(host.isTimerRunning(3));
    EXPECT_FALSE(host.isTimerRunning(4));
}

TEST(ThreadTimerHost, SkipsMissedPeriodsInsteadOfBursting) {
    TickLog log;
    std::atomic<bool> stalled = false;
    SteadyTime stallEnd;
    ThreadTimerHost host([&](int) {
        if (!stalled.exchange(true)) {
            std::this_thread::sleep_for(300ms);  // about 30 periods
            stallEnd = std::chrono::steady_clock::now();
            return;
        }
        log.add();
    });
    host.setTimer(5, 10ms);
    ASSERT_TRUE(log.waitForCount(5));
    int soonAfterStall = 0;
    for (const auto& time : log.times())
        soonAfterStall += time < stallEnd + 25ms ? 1 : 0;
    EXPECT_LE(soonAfterStall, 4);
}

// Once killTimer returns, that timer's handler is not running and does not run again, also
// when the kill comes from inside a tick.
TEST(ThreadTimerHost, NoTickRunsAfterKillReturns) {
    std::atomic<bool> inTick = false;
    std::atomic<int> ticks = 0;
    ThreadTimerHost* self = nullptr;
    ThreadTimerHost host([&](int id) {
        inTick = true;
        std::this_thread::sleep_for(2ms);
        if (id == 10 && ++ticks == 3) self->killTimer(10);
        if (id == 17) ++ticks;
        inTick = false;
    });
    self = &host;

    host.setTimer(10, 1ms);
    waitUntil([&] { return !host.isTimerRunning(10); }, 10s);
    std::this_thread::sleep_for(20ms);
    ASSERT_EQ(ticks.load(), 3);

    for (int round = 0; round < 20; ++round) {
        host.setTimer(17, 1ms);
        std::this_thread::sleep_for(std::chrono::milliseconds(3 + round % 4));
        host.killTimer(17);
        EXPECT_FALSE(inTick.load());
        const int after = ticks.load();
        std::this_thread::sleep_for(10ms);
        EXPECT_EQ(ticks.load(), after);
    }
}

// A pause is a minimum, also when signals keep interrupting it. Lower bounds only.
TEST(SteadyClock, SleepNeverEndsBeforeItsTime) {
    struct sigaction quiet {};
    quiet.sa_handler = [](int) {};
    sigemptyset(&quiet.sa_mask);  // no SA_RESTART: the sleep sees EINTR
    struct sigaction old {};
    ASSERT_EQ(::sigaction(SIGUSR2, &quiet, &old), 0);

    SteadyClock clock;
    const pthread_t sleeper = ::pthread_self();
    std::atomic<bool> done = false;
    std::thread interrupter([&] {
        while (!done.load()) {
            ::pthread_kill(sleeper, SIGUSR2);
            std::this_thread::sleep_for(1ms);
        }
    });
    for (const Milliseconds pause : {1ms, 7ms, 30ms}) {
        const auto start = std::chrono::steady_clock::now();
        clock.sleep(pause);
        EXPECT_GE(std::chrono::steady_clock::now() - start, pause);
    }
    done = true;
    interrupter.join();
    ::sigaction(SIGUSR2, &old, nullptr);
}

TEST(RoutingTimerHost, SendsChosenIdsToOneHostAndTheRestToTheOther) {
    VirtualTime workers;
    VirtualTime gui;
    RoutingTimerHost host(workers, {3, 4, 5, 8, 10, 17, 23, 24, 25}, gui);
    host.setTimer(3, 5ms);
    host.setTimer(6, 30ms);
    workers.setTimer(6, 1ms);  // the same id on the other host is not the router's
    EXPECT_TRUE(workers.isTimerRunning(3) && !gui.isTimerRunning(3));
    EXPECT_TRUE(gui.isTimerRunning(6));
    host.killTimer(6);
    host.killTimer(3);
    EXPECT_FALSE(host.isTimerRunning(6) || host.isTimerRunning(3));
    EXPECT_TRUE(workers.isTimerRunning(6));
}

}  // namespace
}  // namespace platform
