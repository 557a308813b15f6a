// The serial component on pseudo-terminals: what goes out, what comes in and is announced,
// exclusive ports, settings Linux cannot take, and closing while the line is stuck.
#include "keyweld/link/comm_k.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>
#include <thread>

#include "shared/platform/pseudo_terminal.h"
#include "shared/platform/serial_device.h"
#include "shared/platform/steady_clock.h"
#include "shared/platform/testing/wait_until.h"

namespace keyweld {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

platform::PseudoTerminal makePty() {
    int error = 0;
    std::optional<platform::PseudoTerminal> pty = platform::PseudoTerminal::create(&error);
    if (!pty) {
        std::fprintf(stderr, "no pseudo-terminal: errno %d\n", error);
        std::abort();
    }
    return std::move(*pty);
}

// Counts what the threads report, as the user interface would receive it.
class RecordingEvents final : public CommEvents {
  public:
    void charactersArrived() override { bump(arrivals_); }
    void breakDetected() override { bump(breaks_); }
    void lineError(std::uint32_t bits) override {
        const std::lock_guard lock(mutex_);
        errorBits_ |= bits;
        ++errors_;
        changed_.notify_all();
    }

    int arrivals() const { return get(arrivals_); }
    int errors() const { return get(errors_); }
    std::uint32_t errorBits() const {
        const std::lock_guard lock(mutex_);
        return errorBits_;
    }
    bool waitForArrivals(int atLeast) {
        std::unique_lock lock(mutex_);
        return changed_.wait_for(lock, 5s, [&] { return arrivals_ >= atLeast; });
    }
    bool waitForErrors(int atLeast) {
        std::unique_lock lock(mutex_);
        return changed_.wait_for(lock, 5s, [&] { return errors_ >= atLeast; });
    }

  private:
    void bump(int& counter) {
        const std::lock_guard lock(mutex_);
        ++counter;
        changed_.notify_all();
    }
    int get(const int& counter) const {
        const std::lock_guard lock(mutex_);
        return counter;
    }

    mutable std::mutex mutex_;
    std::condition_variable changed_;
    int arrivals_ = 0;
    int breaks_ = 0;
    int errors_ = 0;
    std::uint32_t errorBits_ = 0;
};

class CommKTest : public ::testing::Test {
  protected:
    // A component whose every COMn is the pseudo-terminal, with the editor's line settings.
    std::unique_ptr<CommK> makeComm(CommEvents* events = nullptr) {
        auto comm =
            std::make_unique<CommK>([this](int) { return pty_.slavePath(); }, clock_, events);
        CommKSettings settings;
        settings.bitRate = 4800;
        settings.stopBits = platform::StopBits::Two;
        settings.flowCtrl = platform::FlowControl::RtsCts;
        EXPECT_TRUE(comm->setSettings(settings).ok());
        return comm;
    }

    std::string readMaster(std::size_t count) { return pty_.readMaster(count, 5000ms); }

    platform::PseudoTerminal pty_ = makePty();
    platform::SteadyClock clock_;
    RecordingEvents events_;
};

TEST_F(CommKTest, TextsGoOutByteForByteWithoutNulAndOnlyWhileOpen) {
    std::unique_ptr<CommK> comm = makeComm();
    EXPECT_EQ(comm->sendText("FA;"), SendOutcome::PortClosed);
    EXPECT_EQ(comm->read(nullptr, 0), -1);

    ASSERT_TRUE(comm->open().ok());
    EXPECT_TRUE(comm->isOpen());
    EXPECT_EQ(comm->devicePath(), pty_.slavePath());
    const CommError again = comm->open();
    EXPECT_EQ(again.code, CommErrorCode::AlreadyOpen);
    EXPECT_EQ(again.text(), "ポートは、すでにオープンされています");

    EXPECT_EQ(comm->sendText("FA14250000;"), SendOutcome::Sent);
    EXPECT_EQ(readMaster(11), "FA14250000;");
    EXPECT_EQ(comm->sendText(std::string("MD\0"
                                         "2;",
                                         5)),
              SendOutcome::Sent);
    EXPECT_EQ(comm->sendText(""), SendOutcome::Sent);
    EXPECT_EQ(readMaster(4), "MD2;") << "a NUL never goes on the wire";
    const std::string high = "\xE9\x80\xFF;";
    EXPECT_EQ(comm->sendText(high), SendOutcome::Sent);
    EXPECT_EQ(readMaster(4), high);

    comm->close();
    EXPECT_FALSE(comm->isOpen());
    comm->close();
    EXPECT_EQ(comm->sendText("FA;"), SendOutcome::PortClosed);
    EXPECT_EQ(comm->inQueueCount(), 0u);
    ASSERT_TRUE(comm->open().ok()) << "a closed port opens again";
}

TEST_F(CommKTest, ArrivalsAreAnnouncedOnceAndReadWhole) {
    std::unique_ptr<CommK> comm = makeComm(&events_);
    ASSERT_TRUE(comm->open().ok());
    ASSERT_EQ(pty_.writeMaster("ID019;"), 6u);
    ASSERT_TRUE(events_.waitForArrivals(1));
    ASSERT_TRUE(platform::waitUntil([&] { return comm->inQueueCount() == 6; }));
    // Unread input is not announced again and again.
    std::this_thread::sleep_for(50ms);
    EXPECT_EQ(events_.arrivals(), 1);
    EXPECT_EQ(comm->receiveSizeToReport(), std::optional<std::size_t>(6));

    std::string buffer(16, '\0');
    EXPECT_EQ(comm->read(buffer.data(), buffer.size()), 6);
    EXPECT_EQ(buffer.substr(0, 6), "ID019;");
    EXPECT_EQ(comm->receiveSizeToReport(), std::nullopt);
    EXPECT_EQ(comm->read(buffer.data(), buffer.size()), 0) << "read never waits";

    ASSERT_EQ(pty_.writeMaster("PS1;"), 4u);
    ASSERT_TRUE(events_.waitForArrivals(2));
    ASSERT_TRUE(platform::waitUntil([&] { return comm->inQueueCount() == 4; }));
    comm->purgeReceive();
    EXPECT_EQ(comm->inQueueCount(), 0u);
    comm->close();
    EXPECT_EQ(comm->read(buffer.data(), buffer.size()), -1);
}

TEST_F(CommKTest, KeyweldAndPanelinkNeverHoldTheSamePortAtOnce) {
    std::unique_ptr<CommK> first = makeComm();
    std::unique_ptr<CommK> second = makeComm();
    ASSERT_TRUE(first->open().ok());
    const CommError refused = second->open();
    EXPECT_EQ(refused.code, CommErrorCode::PortOpen);
    EXPECT_EQ(refused.text(), "Port Open Error");
    EXPECT_FALSE(second->isOpen());

    platform::SerialDevice panelink;
    EXPECT_EQ(panelink.open(pty_.slavePath(), 4800), EBUSY);
    first->close();
    ASSERT_EQ(panelink.open(pty_.slavePath(), 4800), 0);
    EXPECT_EQ(second->open().code, CommErrorCode::PortOpen);
    panelink.close();
    EXPECT_TRUE(second->open().ok());
}

TEST_F(CommKTest, CloseWhileTheLineTakesNothingReturnsInBoundedTime) {
    std::unique_ptr<CommK> comm = makeComm();
    CommKSettings settings = comm->settings();
    settings.timeOutTrans = 200ms;
    ASSERT_TRUE(comm->setSettings(settings).ok());
    ASSERT_TRUE(comm->open().ok());
    // Nobody reads the master: the driver fills, the send thread waits, then Send does.
    const std::string big(settings.bufLenTrans * 40, 'A');
    const auto sendStart = Clock::now();
    EXPECT_EQ(comm->sendText(big), SendOutcome::Busy);
    EXPECT_LT(Clock::now() - sendStart, 2s);
    EXPECT_GT(comm->pendingBytes(), 0u);

    const auto closeStart = Clock::now();
    comm->close();
    EXPECT_LT(Clock::now() - closeStart, 2s);
    EXPECT_FALSE(comm->isOpen());
    EXPECT_EQ(comm->pendingBytes(), 0u);
}

TEST_F(CommKTest, ManyBlocksWaitForRoomAndAllArriveInOrder) {
    std::unique_ptr<CommK> comm = makeComm();
    CommKSettings settings = comm->settings();
    settings.bufLenTrans = 16;
    settings.bitRate = 115200;
    ASSERT_TRUE(comm->setSettings(settings).ok());
    ASSERT_TRUE(comm->open().ok());

    std::string text;
    for (int i = 0; text.size() < 16 * 200; ++i)
        text += std::to_string(i) + ";";
    std::atomic<bool> sending{true};
    std::atomic<std::size_t> mostInFlight{0};
    std::string received;
    std::thread reader([&] {
        const auto deadline = Clock::now() + 10s;
        while (received.size() < text.size() && Clock::now() < deadline) {
            received += pty_.readMaster();
            std::this_thread::sleep_for(1ms);
        }
    });
    std::thread watcher([&] {
        while (sending.load()) {
            const std::size_t blocks = (comm->pendingBytes() + 15) / 16;
            mostInFlight.store(std::max(mostInFlight.load(), blocks));
        }
    });
    EXPECT_EQ(comm->sendText(text), SendOutcome::Sent);
    sending.store(false);
    watcher.join();
    reader.join();
    EXPECT_EQ(received, text);
    EXPECT_LE(mostInFlight.load(), CommSendWorker::kMaxBlocksInFlight);
}

TEST_F(CommKTest, SettingsLinuxCannotTakeAreRefusedWithTheirText) {
    std::unique_ptr<CommK> comm = makeComm();
    CommKSettings settings = comm->settings();
    settings.bitRate = 56000;  // no termios constant
    ASSERT_TRUE(comm->setSettings(settings).ok());
    ASSERT_TRUE(comm->open().ok()) << "a rate through termios2";
    EXPECT_EQ(comm->sendText("ID;"), SendOutcome::Sent);
    EXPECT_EQ(readMaster(3), "ID;");

    struct Case {
        void (*change)(CommKSettings&);
        std::string_view text;
    };
    const Case cases[] = {
        {[](CommKSettings& s) { s.flowCtrl = platform::FlowControl::DtrDsr; },
         "通信フロー制御の設定で失敗しました"},
        {[](CommKSettings& s) { s.stopBits = platform::StopBits::OneAndHalf; },
         "SetCommStopBits Error"},
        {[](CommKSettings& s) { s.bitRate = 57601; }, "SetCommBitRate Error"},
        {[](CommKSettings& s) { s.charSize = 4; }, "SetCommCharSize Error"},
        {[](CommKSettings& s) { s.bufLenTrans = 0; }, "SetupComm Error"},
    };
    for (const Case& c : cases) {
        CommKSettings wrong = settings;
        c.change(wrong);
        const CommError refused = comm->setSettings(wrong);
        EXPECT_EQ(refused.text(), c.text);
        EXPECT_EQ(comm->settings(), settings) << c.text;
        EXPECT_TRUE(comm->isOpen()) << c.text;
    }
    comm->close();
    settings.flowCtrl = platform::FlowControl::DtrDsr;
    ASSERT_TRUE(comm->setSettings(settings).ok()) << "closed: only kept";
    const CommError refused = comm->open();
    EXPECT_EQ(refused.code, CommErrorCode::FlowControl);
    EXPECT_NE(refused.detail.find("DSR"), std::string::npos);
    EXPECT_FALSE(comm->isOpen());
}

TEST_F(CommKTest, HalfDuplexBatchesStillArriveWhole) {
    std::unique_ptr<CommK> comm = makeComm();
    for (const auto flow : {platform::FlowControl::HalfHigh, platform::FlowControl::HalfLow,
                            platform::FlowControl::XonXoff}) {
        CommKSettings settings = comm->settings();
        settings.flowCtrl = flow;
        settings.stopBits = platform::StopBits::One;
        settings.bufLenTrans = 4;
        ASSERT_TRUE(comm->setSettings(settings).ok());
        ASSERT_TRUE(comm->open().ok());
        EXPECT_EQ(comm->sendText("FA14250000;"), SendOutcome::Sent);
        EXPECT_EQ(readMaster(11), "FA14250000;");
        comm->close();
    }
}

TEST_F(CommKTest, AnUnpluggedDeviceIsReportedOnce) {
    std::unique_ptr<CommK> comm = makeComm(&events_);
    ASSERT_TRUE(comm->open().ok());
    pty_.closeMaster();
    ASSERT_TRUE(events_.waitForErrors(1));
    std::this_thread::sleep_for(150ms);
    EXPECT_EQ(events_.errors(), 1);
    EXPECT_EQ(events_.errorBits(), kCommErrorDeviceGone);
    comm->close();
    EXPECT_FALSE(comm->isOpen());
}

}  // namespace
}  // namespace keyweld
