// The window's Qt timers: ticks on the user interface thread, calls from any thread, and no
// tick after a kill.
#include "panelink/app/ui/qt_timer_host.h"

#include <gtest/gtest.h>

#include <QTest>

#include <atomic>
#include <map>
#include <thread>

#include "panelink/testing/qt_test_support.h"

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

}  // namespace
}  // namespace panelink
