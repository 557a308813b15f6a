// The network control server's figures, against the running core and the simulated radio
// (a process of its own, wandering): the round trip of "f" for a local client, the round
// trip of a frequency set to its "RPRT 0" (the radio must report the new frequency), and,
// with --soak SECONDS, 8 clients asking "f" and "m" ten times a second each.
// Usage: bench_net [path to orvik-sim] [samples] [--soak SECONDS]
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "bench/bench_support.h"
#include "bench/sim_process.h"
#include "panelink/cat/radio_state.h"
#include "panelink/core/link_flags.h"
#include "panelink/core/requests.h"
#include "panelink/net/server/radio_bridge.h"
#include "panelink/net/server/rig_server.h"
#include "panelink/net/server/tests/test_client.h"
#include "shared/formats/testing/working_dir.h"

namespace {

using namespace std::chrono_literals;
using panelink::net::testing::TestClient;

int fail(const char* why) {
    std::fprintf(stderr, "bench_net: %s\n", why);
    return 1;
}

// Resident memory of this process in kB.
long residentKb() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind("VmRSS:", 0) == 0) return std::atol(line.c_str() + 6);
    }
    return -1;
}

double msSince(bench::SteadyTime start) {
    return bench::millisecondsBetween(start, std::chrono::steady_clock::now());
}

void roundTrips(std::uint16_t port, int samples) {
    TestClient client(port);
    std::vector<double> gets;
    int bad = 0;
    for (int i = 0; i < samples; ++i) {
        const auto start = std::chrono::steady_clock::now();
        const std::string answer = client.ask("f");
        gets.push_back(msSince(start));
        if (answer.empty() || answer.rfind("RPRT", 0) == 0) {
            if (bad++ < 3) std::printf("f answered \"%s\" after %d\n", answer.c_str(), i);
        }
    }
    bench::printPercentiles("f round trip", gets);

    std::vector<double> sets;
    const int setSamples = std::max(20, samples / 20);
    for (int i = 0; i < setSamples; ++i) {
        const std::string hz = std::to_string(7'074'000 + (i % 2) * 1'000);
        const auto start = std::chrono::steady_clock::now();
        const std::string answer = client.ask("F " + hz);
        sets.push_back(msSince(start));
        if (answer != "RPRT 0" && bad++ < 6) std::printf("F answered \"%s\"\n", answer.c_str());
    }
    bench::printPercentiles("F to RPRT 0", sets);
    std::printf("answers that were errors: %d\n", bad);
}

struct SoakFigures {
    std::atomic<long> asked{0};
    std::atomic<long> errors{0};
    std::atomic<long> slowestUs{0};
};

void soakClient(std::uint16_t port, int seconds, SoakFigures& figures) {
    TestClient client(port);
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    auto next = std::chrono::steady_clock::now();
    while (std::chrono::steady_clock::now() < end) {
        const auto start = std::chrono::steady_clock::now();
        const std::string hz = client.ask("f");
        const std::string mode = client.ask("m");
        const std::string passband = client.line();
        const auto us = std::chrono::duration_cast<std::chrono::microseconds>(
                            std::chrono::steady_clock::now() - start)
                            .count();
        long slowest = figures.slowestUs.load();
        while (us > slowest && !figures.slowestUs.compare_exchange_weak(slowest, us)) {
        }
        figures.asked.fetch_add(2);
        if (hz.empty() || hz[0] == 'R' || mode.empty() || mode[0] == 'R' || passband.empty())
            figures.errors.fetch_add(1);
        next += 100ms;
        std::this_thread::sleep_until(next);
    }
}

void soak(std::uint16_t port, int seconds, bench::TimingWindow& window) {
    // The link's own traffic first, without clients, then with them.
    const long before = window.count();
    std::this_thread::sleep_for(10s);
    const double quietRate = static_cast<double>(window.count() - before) / 10.0;

    SoakFigures figures;
    const long memoryAtStart = residentKb();
    const long messagesAtStart = window.count();
    std::vector<std::thread> clients;
    for (int i = 0; i < 8; ++i)
        clients.emplace_back(soakClient, port, seconds, std::ref(figures));
    std::this_thread::sleep_for(2s);
    const long memoryEarly = residentKb();
    for (auto& client : clients)
        client.join();
    const double busyRate =
        static_cast<double>(window.count() - messagesAtStart) / static_cast<double>(seconds);
    std::printf(
        "soak: 8 clients x (f, m) at 10/s for %d s: %ld questions, %ld errors, "
        "slowest pair %.2f ms\n",
        seconds, figures.asked.load(), figures.errors.load(),
        static_cast<double>(figures.slowestUs.load()) / 1000.0);
    std::printf("soak: resident memory %ld kB at start, %ld kB after 2 s, %ld kB at the end\n",
                memoryAtStart, memoryEarly, residentKb());
    std::printf("soak: the link's messages from the radio %.1f/s without clients, %.1f/s with\n",
                quietRate, busyRate);
}

}  // namespace

int main(int argc, char** argv) {
    std::string simulator = PANELINK_ORVIK_SIM;
    int samples = 2000;
    int soakSeconds = 0;
    int positional = 0;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--soak") == 0 && i + 1 < argc) {
            soakSeconds = std::max(1, std::atoi(argv[++i]));
        } else if (positional++ == 0) {
            simulator = argv[i];
        } else {
            samples = std::max(10, std::atoi(argv[i]));
        }
    }

    commo::ScratchWorkingDir dir("panelink-bench-net");
    if (!dir.ok()) return fail("no scratch directory");
    dir.writeCommoFile("CommSetting.csv", "1,38400,0\n");
    bench::SimulatorProcess radio(simulator, dir);
    if (!radio.ready()) return fail("the simulator did not start");

    bench::RunningCore running(dir.path());
    panelink::CoreContext& core = running.core;
    const bool connected =
        running.connect() &&
        platform::waitUntil([&] { return core.radio().get(panelink::RadioField::AI) == 1; }, 5s,
                            10ms);
    if (!connected) {
        running.shutdown();
        return fail("no connection");
    }

    const panelink::RadioState& state = core.radio();
    panelink::net::RadioBridge bridge(
        core.radio(), core.menu(),
        {[&state] { return state.get(panelink::RadioField::AI) == 1; },
         [&core](panelink::Request request, std::uintptr_t wparam, std::intptr_t lparam) {
             return core.postRequest(request, wparam, lparam);
         }});
    panelink::net::RigServer server(bridge);
    panelink::net::ServerOptions options;
    options.port = 0;
    const auto started = server.start(options);
    if (!started.ok) {
        running.shutdown();
        return fail(started.reason.c_str());
    }

    if (soakSeconds > 0) {
        soak(started.port, soakSeconds, running.window);
    } else {
        roundTrips(started.port, samples);
    }
    server.stop();
    return running.shutdown() ? 0 : fail("a worker thread did not end");
}
