#pragma once

// Pieces the pipeline benchmarks share: the usual mix of answers, a window that notes when a
// chosen message reaches it, the core context running on real threads and timers, and
// percentiles.

#include <algorithm>
#include <array>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <map>
#include <mutex>
#include <optional>
#include <string_view>
#include <vector>

#include "panelink/app/core_context.h"
#include "panelink/cat/radio_state.h"
#include "panelink/core/link_flags.h"
#include "panelink/core/requests.h"
#include "shared/platform/message.h"
#include "shared/platform/steady_clock.h"
#include "shared/platform/testing/wait_until.h"
#include "shared/platform/thread_timer_host.h"

namespace bench {

using SteadyTime = std::chrono::steady_clock::time_point;

// A connected radio with auto-information on, somebody tuning: mostly meter reports and
// frequency changes, the once-a-second status answers, now and then a mode, a menu item, a
// keyer memory. 24 answers in 240 bytes.
inline constexpr std::array<std::string_view, 24> kAnswerMix{
    "SM0123;", "RM2045;",     "SM0130;",
    "RM2050;", "FA14250000;", "SM0128;",
    "RM2047;", "FA14250050;", "SM0119;",
    "RM2040;", "FA14250100;", "IF00014250100+000000200000;",
    "PS1;",    "AI1;",        "SM0121;",
    "RM2042;", "MD02;",       "FA14250150;",
    "SM0117;", "RM2044;",     "LK0;",
    "EX0151;", "SQ0040;",     "KM1CQ CQ DE TEST TEST K                              ;",
};
static_assert(kAnswerMix.back().size() == 54);

// Bytes per second on a 38400 baud line: 11 bit times per byte (8 data bits, 2 stop bits).
inline constexpr double kLineBytesPerSecond = 38400.0 / 11.0;

// Counts every message; the time the next message with the armed id arrives is kept.
class TimingWindow final : public platform::MainWindowInterface {
  public:
    bool post(const platform::Message& message) override {
        const SteadyTime now = std::chrono::steady_clock::now();
        const std::lock_guard lock(mutex_);
        ++count_;
        ++counts_[message.id];
        if (armed_ && message.id == *armed_) {
            armed_.reset();
            arrived_ = now;
            changed_.notify_all();
        }
        return true;
    }
    void send(const platform::Message& message) override { post(message); }

    void arm(std::uint32_t id) {
        const std::lock_guard lock(mutex_);
        armed_ = id;
        arrived_.reset();
    }
    // When the armed message arrived; nullopt when it did not within `timeout`.
    std::optional<SteadyTime> wait(std::chrono::milliseconds timeout) {
        std::unique_lock lock(mutex_);
        changed_.wait_for(lock, timeout, [this] { return arrived_.has_value(); });
        return arrived_;
    }
    long count() const {
        const std::lock_guard lock(mutex_);
        return count_;
    }
    long count(std::uint32_t id) const {
        const std::lock_guard lock(mutex_);
        const auto found = counts_.find(id);
        return found == counts_.end() ? 0 : found->second;
    }

  private:
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::optional<std::uint32_t> armed_;
    std::optional<SteadyTime> arrived_;
    long count_ = 0;
    std::map<std::uint32_t, long> counts_;
};

// The core context started in `workingDirectory` as the program starts it: worker threads, a
// timer thread and the steady clock, with a TimingWindow as its window.
struct RunningCore {
    explicit RunningCore(const std::filesystem::path& workingDirectory)
        : core(window, timers, clock, optionsFor(workingDirectory)) {
        timers.setTickHandler([this](int id) { core.onWorkerTimer(id); });
        core.beginStart();
        core.finishStart();
    }

    // Auto-information on, as the COM key does: "AI1" comes back, the ID is read and the
    // read-out runs. True once the read-out is over; false when the radio never connected.
    bool connect() {
        using namespace std::chrono_literals;
        core.postRequest(panelink::Request::SwitchAutoInfo);
        const auto id = [this] { return core.radio().get(panelink::RadioField::ID); };
        const auto busy = [this] { return core.flags().readoutBusy.load(); };
        return platform::waitUntil([&] { return id() == 244; }, 10s, 10ms) &&
               platform::waitUntil(busy, 5s, 10ms) &&
               platform::waitUntil([&] { return !busy(); }, 30s, 10ms);
    }

    // False when a worker thread did not end.
    bool shutdown() {
        const bool ended = core.shutdown();
        timers.setTickHandler({});
        return ended;
    }

    platform::SteadyClock clock;
    platform::ThreadTimerHost timers;
    TimingWindow window;
    panelink::CoreContext core;

  private:
    static panelink::CoreContext::Options optionsFor(const std::filesystem::path& directory) {
        panelink::CoreContext::Options options;
        options.workingDirectory = directory;
        return options;
    }
};

// Median, 90th and 99th percentile and the largest of `samples` (milliseconds).
inline void printPercentiles(const char* what, std::vector<double> samples) {
    if (samples.empty()) {
        std::printf("%-18s no samples\n", what);
        return;
    }
    std::sort(samples.begin(), samples.end());
    auto at = [&](double fraction) {
        const auto index =
            static_cast<std::size_t>(fraction * static_cast<double>(samples.size() - 1));
        return samples[index];
    };
    std::printf("%-18s n=%zu  median %.3f ms  p90 %.3f ms  p99 %.3f ms  max %.3f ms\n", what,
                samples.size(), at(0.5), at(0.9), at(0.99), samples.back());
}

inline double millisecondsBetween(SteadyTime from, SteadyTime to) {
    return std::chrono::duration<double, std::milli>(to - from).count();
}

}  // namespace bench
