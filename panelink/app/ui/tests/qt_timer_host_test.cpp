// The window's Qt timers: ticks on the user interface thread, calls from any thread, no tick
// after a kill, and no tick before its time.
#include "panelink/app/ui/qt_timer_host.h"

#include <gtest/gtest.h>

#include <QTest>

#include <atomic>
#include <chrono>
#include <map>
#include <thread>
#include <vector>

#include "panelink/testing/qt_test_support.h"
#include "shared/platform/steady_clock.h"
#include "shared/platform/testing/slow_clock.h"

namespace panelink {
namespace {

using platform::Milliseconds;
using uitest::waitUntil;

class QtTimerHostTest : public ::testing::Test {
  protected:
    QtTimerHostTest() {
        host_.setTickHandler([this](int id) {
            ++ticks_[id];
            if (std::this_thread::get_id() != userInterfaceThread_) offThread_ = true;
        });
    }

    std::thread::id userInterfaceThread_ = std::this_thread::get_id();
    std::map<int, int> ticks_;
    bool offThread_ = false;
    QtTimerHost host_;
};

TEST_F(QtTimerHostTest, TicksOnItsOwnThreadWithTheTimersNumber) {
    host_.setTimer(6, Milliseconds(10));
    host_.setTimer(36, Milliseconds(30));
    EXPECT_TRUE(host_.isTimerRunning(6));
    ASSERT_TRUE(waitUntil([&] { return ticks_[36] >= 2; }));
    EXPECT_GE(ticks_[6], 4);
    EXPECT_FALSE(offThread_);

    host_.killTimer(6);
    EXPECT_FALSE(host_.isTimerRunning(6));
    const int six = ticks_[6];
    QTest::qWait(60);
    EXPECT_EQ(ticks_[6], six);
    EXPECT_GT(ticks_[36], 2);
}

TEST_F(QtTimerHostTest, CallsFromAnotherThreadTakeEffectOnTheOwnThread) {
    std::thread([&] {
        host_.setTimer(13, Milliseconds(5));
        EXPECT_TRUE(host_.isTimerRunning(13));
    }).join();
    ASSERT_TRUE(waitUntil([&] { return ticks_[13] >= 3; }));
    EXPECT_FALSE(offThread_);

    // Killed from elsewhere: once the kill has returned no further tick is delivered, even
    // one that was already queued.
    std::thread([&] { host_.killTimer(13); }).join();
    EXPECT_FALSE(host_.isTimerRunning(13));
    const int ticks = ticks_[13];
    QTest::qWait(50);
    EXPECT_EQ(ticks_[13], ticks);
}

TEST_F(QtTimerHostTest, SettingARunningTimerAgainRestartsItWithTheNewPeriod) {
    host_.setTimer(14, Milliseconds(10));
    ASSERT_TRUE(waitUntil([&] { return ticks_[14] >= 1; }));
    host_.setTimer(14, Milliseconds(1000));  // the peak hold restarted
    const int ticks = ticks_[14];
    QTest::qWait(150);
    EXPECT_EQ(ticks_[14], ticks);
    EXPECT_TRUE(host_.isTimerRunning(14));
}

TEST_F(QtTimerHostTest, ATickHandlerMayKillItsOwnTimer) {
    host_.setTickHandler([this](int id) {
        ++ticks_[id];
        host_.killTimer(id);  // a one-tick timer such as 11 or 13
    });
    host_.setTimer(11, Milliseconds(1));
    QTest::qWait(50);
    EXPECT_EQ(ticks_[11], 1);
    EXPECT_FALSE(host_.isTimerRunning(11));
}

// --- No tick before its time ---------------------------------------------------------------

// The times of each timer's ticks on `clock`, and the lower bounds they must keep: the k-th
// tick at least k periods after the timer was set. (Between two handlers the gap may be a few
// microseconds shorter than a period: the host takes the time just before it runs a handler.)
class TickTimes {
  public:
    explicit TickTimes(const platform::Clock& clock) : clock_(clock) {}

    void set(QtTimerHost& host, int timerId, Milliseconds period) {
        periods_[timerId] = period;
        set_[timerId] = clock_.now();  // before the host's own reading: a weaker bound
        host.setTimer(timerId, period);
    }
    void tick(int timerId) { ticks_[timerId].push_back(clock_.now()); }
    std::size_t count(int timerId) { return ticks_[timerId].size(); }

    void expectNoneEarly() {
        for (const auto& [id, period] : periods_) {
            platform::TimePoint earliest = set_[id];
            for (const platform::TimePoint at : ticks_[id]) {
                earliest += period;
                EXPECT_GE(at, earliest) << "timer " << id;
            }
        }
    }

  private:
    const platform::Clock& clock_;
    std::map<int, Milliseconds> periods_;
    std::map<int, platform::TimePoint> set_;
    std::map<int, std::vector<platform::TimePoint>> ticks_;
};

// A clock that Qt's timers run ahead of, as a coarse timer may end up to 5 % early.
TEST(QtTimerHostMinimum, ATimeoutBeforeThePeriodIsOverOnTheHostsClockWaitsOutTheRest) {
    platform::SlowClock clock;
    TickTimes times(clock);
    QtTimerHost host(clock, [&](int id) { times.tick(id); });
    times.set(host, 6, Milliseconds(30));
    times.set(host, 36, Milliseconds(100));
    ASSERT_TRUE(waitUntil([&] { return times.count(36) >= 3; }));
    EXPECT_GE(times.count(6), 5u);
    times.expectNoneEarly();
}

// Lower bounds only: a slow machine makes ticks late, never early.
TEST(QtTimerHostMinimum, NoTickBeforeItsPeriodOnTheSteadyClock) {
    platform::SteadyClock clock;
    TickTimes times(clock);
    QtTimerHost host([&](int id) { times.tick(id); });
    times.set(host, 7, Milliseconds(20));
    times.set(host, 14, Milliseconds(110));
    times.set(host, 36, Milliseconds(500));
    ASSERT_TRUE(waitUntil([&] { return times.count(36) >= 2; }));
    times.expectNoneEarly();
}

}  // namespace
}  // namespace panelink
