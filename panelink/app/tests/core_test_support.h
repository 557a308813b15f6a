#pragma once

// Helpers shared by the core context's tests: a window that records (and on request holds up)
// what the workers post, and a virtual clock whose sleeps also let real time pass.

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <optional>
#include <thread>

#include "shared/platform/clock.h"
#include "shared/platform/message.h"
#include "shared/platform/testing/recording_window.h"
#include "shared/platform/virtual_time.h"

namespace panelink::testing {

using namespace std::chrono_literals;

// Records every message like RecordingWindow; a post of the message chosen by holdOn() is
// held up (the posting thread waits inside post()) until release(), as a hung window would.
class TestWindow final : public platform::MainWindowInterface {
  public:
    bool post(const platform::Message& message) override {
        holdIfChosen(message);
        return recorder_.post(message);
    }
    void send(const platform::Message& message) override {
        holdIfChosen(message);
        recorder_.send(message);
    }

    void holdOn(std::uint32_t id) {
        const std::lock_guard lock(mutex_);
        holdId_ = id;
        released_ = false;
    }
    bool waitUntilHolding(std::chrono::milliseconds timeout) {
        std::unique_lock lock(mutex_);
        return changed_.wait_for(lock, timeout, [this] { return holding_; });
    }
    void release() {
        const std::lock_guard lock(mutex_);
        released_ = true;
        changed_.notify_all();
    }

    const platform::RecordingWindow& recorded() const { return recorder_; }
    platform::RecordingWindow& recorded() { return recorder_; }

  private:
    void holdIfChosen(const platform::Message& message) {
        std::unique_lock lock(mutex_);
        if (!holdId_ || message.id != *holdId_ || released_) return;
        holding_ = true;
        changed_.notify_all();
        changed_.wait(lock, [this] { return released_; });
        holding_ = false;
    }

    platform::RecordingWindow recorder_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::optional<std::uint32_t> holdId_;
    bool released_ = false;
    bool holding_ = false;
};

// Virtual time for the core's clock, with a tenth of each sleep also passing in real time:
// the core's waits for worker threads (the shut-down stop rule) then give those threads a
// chance to run, while the clock still reads the full virtual time.
class PacedVirtualClock final : public platform::Clock {
  public:
    explicit PacedVirtualClock(platform::VirtualTime& time) : time_(time) {}

    platform::TimePoint now() const override { return time_.now(); }
    void sleep(platform::Milliseconds duration) override {
        time_.sleep(duration);
        std::this_thread::sleep_for(duration / 10);
    }
    // A wait in virtual time already lets real time pass.
    int waitReadable(std::span<platform::WaitDescriptor> descriptors,
                     platform::Milliseconds timeout) override {
        return time_.waitReadable(descriptors, timeout);
    }

  private:
    platform::VirtualTime& time_;
};

}  // namespace panelink::testing
