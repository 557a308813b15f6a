// The Tx/Rx log in virtual time: receive bursts, the window toggle, and its bound.
#include "keyweld/link/tx_rx_log.h"

#include <gtest/gtest.h>

#include <vector>

#include "shared/platform/virtual_time.h"

namespace keyweld {
namespace {

using namespace std::chrono_literals;
using Lines = std::vector<std::string>;

class TxRxLogTest : public ::testing::Test {
  protected:
    TxRxLogTest() {
        time_.setTickHandler([this](int id) { log_.onTimer(id); });
    }
    Lines lines() const { return Lines(log_.lines().begin(), log_.lines().end()); }

    platform::VirtualTime time_;
    TxRxLog log_{time_};
};

TEST_F(TxRxLogTest, BytesWithinAHundredMillisecondsOfABurstsStartFormOneEntry) {
    log_.appendReceived("FA0142");
    time_.advance(50ms);
    log_.appendReceived("50000;");
    time_.advance(49ms);
    EXPECT_TRUE(lines().empty());
    time_.advance(1ms);
    EXPECT_EQ(lines(), (Lines{"[RX Data]", "FA014250000;"}));
    EXPECT_FALSE(time_.isTimerRunning(TxRxLog::kBurstTimerId));

    log_.appendReceived("ID019;");
    time_.advance(200ms);
    log_.appendReceived("PS1;");
    time_.advance(200ms);
    EXPECT_EQ(lines(),
              (Lines{"[RX Data]", "FA014250000;", "[RX Data]", "ID019;", "[RX Data]", "PS1;"}));
}

TEST_F(TxRxLogTest, SendsAreLoggedWithAMarkerWhenTheyDidNotGoOut) {
    log_.appendSent("FA;", SendOutcome::Sent);
    log_.appendSent("MD2;", SendOutcome::PortClosed);
    EXPECT_EQ(lines(), (Lines{"[TX Data]", "FA;", "[TX Data]", "MD2;", "(not sent: port closed)"}));
    log_.appendReceived("\xE9;");
    time_.advance(100ms);
    EXPECT_EQ(lines().back(), "\xC3\xA9;") << "one byte is one character";
}

TEST_F(TxRxLogTest, OpeningTheLogClearsItAndHidingStopsTheBurst) {
    log_.appendSent("FA;", SendOutcome::Sent);
    log_.toggle();
    EXPECT_TRUE(log_.isShown());
    EXPECT_TRUE(lines().empty()) << "traffic while hidden is not shown later";

    log_.appendReceived("ID0");
    log_.toggle();
    EXPECT_FALSE(log_.isShown());
    time_.advance(500ms);
    EXPECT_TRUE(lines().empty()) << "the burst timer was stopped";
    // The held bytes go with the next burst.
    log_.appendReceived("19;");
    time_.advance(100ms);
    EXPECT_EQ(lines(), (Lines{"[RX Data]", "ID019;"}));
}

TEST_F(TxRxLogTest, KeepsOnlyTheLastTenThousandLines) {
    for (int i = 0; i < 6000; ++i)
        log_.appendSent(std::to_string(i), SendOutcome::Sent);
    ASSERT_EQ(log_.lines().size(), TxRxLog::kMaxLines);
    EXPECT_EQ(log_.lines().front(), "[TX Data]");
    EXPECT_EQ(log_.lines()[1], "1000");
    EXPECT_EQ(log_.lines().back(), "5999");
}

}  // namespace
}  // namespace keyweld
