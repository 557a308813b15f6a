// Latency through the running pipeline: real worker threads, real timers (a timer thread as
// the program uses), a pseudo-terminal standing in for the serial port.
//   request to wire:    a request posted to Anl_Send_Thread until its first byte can be read
//                       at the other end of the line;
//   answer to message:  an answer written at the other end until its display-update
//                       message reaches the window interface;
//   burst drain:        a burst of the usual answer mix written at once, far faster than any
//                       line delivers, until the last answer's message has arrived; every
//                       "FA" answer carries a fresh frequency, so each one must show as a
//                       display update, and a lost one shows in the count.
// Usage: bench_latency [samples]   (default 2000 of each)
#include <poll.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "bench/bench_support.h"
#include "panelink/core/messages.h"
#include "panelink/core/requests.h"
#include "shared/formats/port_map.h"
#include "shared/formats/testing/working_dir.h"
#include "shared/platform/pseudo_terminal.h"

namespace {

using namespace std::chrono_literals;

constexpr std::uint32_t kFaDisplayUpdate = panelink::WM_APP + 0x333;

int fail(const char* why) {
    std::fprintf(stderr, "bench_latency: %s\n", why);
    return 1;
}

bool waitReadable(int fd, std::chrono::milliseconds timeout) {
    pollfd entry{fd, POLLIN, 0};
    return ::poll(&entry, 1, static_cast<int>(timeout.count())) > 0 &&
           (entry.revents & POLLIN) != 0;
}

}  // namespace

int main(int argc, char** argv) {
    const int samples = argc > 1 ? std::max(1, std::atoi(argv[1])) : 2000;

    commo::ScratchWorkingDir dir("panelink-bench");
    std::optional<platform::PseudoTerminal> line = platform::PseudoTerminal::create();
    if (!dir.ok() || !line) return fail("no scratch directory or pseudo-terminal");
    if (!commo::setPortMapping(dir.path(), 1, line->slavePath())) return fail("no port map");
    dir.writeCommoFile("CommSetting.csv", "1,38400,0\n");

    bench::RunningCore running(dir.path());
    panelink::CoreContext& core = running.core;
    bench::TimingWindow& window = running.window;
    if (line->readMaster(7, 5000ms) != "AI0;PS;") return fail("the start-up commands did not come");

    // Requests and answers come at random moments, 0 to 5 ms after the previous one's end.
    std::mt19937 random(7);
    std::uniform_int_distribution<int> pause(0, 4999);

    std::vector<double> toWire;
    for (int i = 0; i < samples; ++i) {
        std::this_thread::sleep_for(std::chrono::microseconds(pause(random)));
        const auto posted = std::chrono::steady_clock::now();
        core.postRequest(panelink::Request::ReadId);
        if (!waitReadable(line->masterFd(), 1000ms))
            return fail("a request did not reach the line");
        toWire.push_back(bench::millisecondsBetween(posted, std::chrono::steady_clock::now()));
        if (line->readMaster(3, 1000ms) != "ID;") return fail("unexpected bytes on the line");
    }

    std::vector<double> toWindow;
    for (int i = 0; i < samples; ++i) {
        std::this_thread::sleep_for(std::chrono::microseconds(pause(random)));
        window.arm(kFaDisplayUpdate);
        const auto written = std::chrono::steady_clock::now();
        line->writeMaster("FA14250000;");
        const std::optional<bench::SteadyTime> arrived = window.wait(1000ms);
        if (!arrived) return fail("an answer did not reach the window");
        toWindow.push_back(bench::millisecondsBetween(written, *arrived));
    }

    constexpr int kBurstRounds = 25;
    std::string burst;
    long burstAnswers = 0;
    long frequencies = 0;
    char fresh[24];
    for (int round = 0; round < kBurstRounds; ++round) {
        for (std::string_view answer : bench::kAnswerMix) {
            if (answer.starts_with("FA")) {
                ++frequencies;
                std::snprintf(fresh, sizeof fresh, "FA%08ld;", 7000000 + 10 * frequencies);
                answer = fresh;
            }
            burst += answer;
            ++burstAnswers;
        }
    }
    const long before = window.count(kFaDisplayUpdate);
    const auto burstWritten = std::chrono::steady_clock::now();
    for (std::size_t written = 0; written < burst.size();) {
        written += line->writeMaster(std::string_view(burst).substr(written));
        if (written < burst.size()) std::this_thread::sleep_for(50us);  // the line is full
    }
    const auto deadline = burstWritten + 10s;
    while (window.count(kFaDisplayUpdate) < before + frequencies &&
           std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(50us);
    const double drained =
        bench::millisecondsBetween(burstWritten, std::chrono::steady_clock::now());
    const long arrived = window.count(kFaDisplayUpdate) - before;
    const double lineAnswers = bench::kLineBytesPerSecond * static_cast<double>(burstAnswers) /
                               static_cast<double>(burst.size());

    const bool ended = running.shutdown();
    std::printf("Pipeline latency (%u cores), %d samples each:\n",
                std::thread::hardware_concurrency(), samples);
    bench::printPercentiles("request to wire", toWire);
    bench::printPercentiles("answer to message", toWindow);
    std::printf(
        "%-18s %ld answers (%zu bytes) in %.1f ms = %.0f answers/s, %.0f times the "
        "38400 baud line (%.0f answers/s); FA updates %ld of %ld\n",
        "burst drain", burstAnswers, burst.size(), drained,
        static_cast<double>(burstAnswers) * 1000.0 / drained,
        static_cast<double>(burstAnswers) * 1000.0 / drained / lineAnswers, lineAnswers, arrived,
        frequencies);
    if (arrived != frequencies) return fail("answers of the burst were lost");
    return ended ? 0 : fail("a worker thread did not end");
}
