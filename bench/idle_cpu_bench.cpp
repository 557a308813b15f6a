// CPU time of the connected, otherwise idle pipeline: the simulated radio runs as a process
// of its own (so only this side is measured) with auto-information on, sending its meter
// and wandering-frequency reports; this process runs the core context with its worker
// threads and timer thread, connects, lets the read-out finish and then measures.
// Usage: bench_idle_cpu [path to orvik-sim] [seconds]   (default: the built one, 10 s)
#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include "bench/bench_support.h"
#include "bench/sim_process.h"
#include "panelink/cat/radio_state.h"
#include "panelink/core/link_flags.h"
#include "panelink/core/messages.h"
#include "panelink/core/requests.h"
#include "shared/formats/testing/working_dir.h"
#include "shared/platform/testing/wait_until.h"

extern char** environ;

namespace {

using namespace std::chrono_literals;

int fail(const char* why) {
    std::fprintf(stderr, "bench_idle_cpu: %s\n", why);
    return 1;
}

double processCpuSeconds() {
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    auto seconds = [](const timeval& t) {
        return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6;
    };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// Per thread name, from the scheduler's own accounting: nanoseconds on the CPU and the times
// it was put on a CPU (about its wake-ups).
struct ThreadUse {
    double onCpu = 0;
    double runs = 0;
};

std::map<std::string, ThreadUse> threadUse() {
    std::map<std::string, ThreadUse> result;
    DIR* tasks = ::opendir("/proc/self/task");
    if (tasks == nullptr) return result;
    while (const dirent* entry = ::readdir(tasks)) {
        const std::string id = entry->d_name;
        if (id == "." || id == "..") continue;
        std::ifstream commFile("/proc/self/task/" + id + "/comm");
        std::ifstream statFile("/proc/self/task/" + id + "/schedstat");
        std::string name;
        double onCpu = 0;
        double waiting = 0;
        double runs = 0;
        std::getline(commFile, name);
        statFile >> onCpu >> waiting >> runs;
        result[name].onCpu += onCpu;
        result[name].runs += runs;
    }
    ::closedir(tasks);
    return result;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string simulator = argc > 1 ? argv[1] : PANELINK_ORVIK_SIM;
    const int seconds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 10;

    commo::ScratchWorkingDir dir("panelink-bench");
    if (!dir.ok()) return fail("no scratch directory");
    dir.writeCommoFile("CommSetting.csv", "1,38400,0\n");
    bench::SimulatorProcess radio(simulator, dir);
    if (!radio.ready()) return fail("the simulator did not start");

    bench::RunningCore running(dir.path());

    // Measured once the connection's read-out is over.
    if (!running.connect()) {
        running.shutdown();
        return fail("no connection");
    }
    std::this_thread::sleep_for(1s);

    const double cpuBefore = processCpuSeconds();
    const auto threadsBefore = threadUse();
    const long messagesBefore = running.window.count();
    const auto started = std::chrono::steady_clock::now();
    std::this_thread::sleep_for(std::chrono::seconds(seconds));
    const double wall =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    const double cpu = processCpuSeconds() - cpuBefore;
    const auto threadsAfter = threadUse();
    const long messages = running.window.count() - messagesBefore;

    const bool ended = running.shutdown();

    std::printf("Idle connected pipeline over %.1f s (%u cores):\n", wall,
                std::thread::hardware_concurrency());
    std::printf("  CPU %.2f ms per second = %.3f %% of one core\n", cpu * 1000.0 / wall,
                cpu * 100.0 / wall);
    std::printf("  window messages %.1f per second (answers analysed and what they caused)\n",
                static_cast<double>(messages) / wall);
    for (const auto& [name, after] : threadsAfter) {
        const auto found = threadsBefore.find(name);
        const ThreadUse before = found != threadsBefore.end() ? found->second : ThreadUse{};
        std::printf("  %-16s %.3f ms per second, %.0f runs per second\n", name.c_str(),
                    (after.onCpu - before.onCpu) / 1e6 / wall, (after.runs - before.runs) / wall);
    }
    return ended ? 0 : fail("a worker thread did not end");
}
