// Junk drain through the running pipeline: a stream of junk written at the far end of a
// pseudo-terminal as fast as the receive side takes it in, then one good "FA" answer; the
// time runs from the first byte written until that answer's frequency is in the radio state,
// so every byte before it has been read, framed or dropped. Two streams: random bytes, and
// answer-shaped garbage (runs of ";", NULs, truncated and unknown answers, stray letters).
// The bound is the 38400 baud line's 3491 bytes/s: slower, and a real serial driver's buffer
// overflows behind the receive thread.
// Usage: bench_drain [kilobytes]   (default 1024 of each stream)
#include <poll.h>

#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <thread>

#include "bench/bench_support.h"
#include "panelink/cat/radio_state.h"
#include "shared/formats/port_map.h"
#include "shared/formats/testing/working_dir.h"
#include "shared/platform/pseudo_terminal.h"

namespace {

using namespace std::chrono_literals;

// Past this a stream counts as stuck: the rate is then given over what was written.
constexpr auto kStreamDeadline = 120s;

int fail(const char* why) {
    std::fprintf(stderr, "bench_drain: %s\n", why);
    return 1;
}

std::string randomBytes(std::size_t size, std::mt19937& random) {
    std::uniform_int_distribution<int> byte(0, 255);
    std::string bytes(size, '\0');
    for (char& c : bytes)
        c = static_cast<char>(byte(random));
    return bytes;
}

// Pieces a confused or noisy line brings: none is a whole answer that changes VFO A. No "ID"
// piece: every "ID" answer without a supported model number queues a 45 ms auto-information
// switch on Anl_Send_Thread, which a storm of them keeps busy long after the line is drained.
constexpr std::array<std::string_view, 16> kGarbagePieces{
    ";;;;",    std::string_view("\0\0\0\0", 4),
    "FA;",     "XX12345;",
    "FA1425",  "SM01",
    "IF0001",  "EX01",
    "KM1CQ",   "?;",
    "ZZ;",     "E;",
    "IF",      ";",
    "SM0123;", std::string_view("AB\0CD;", 6),
};

std::string answerShapedGarbage(std::size_t size, std::mt19937& random) {
    std::uniform_int_distribution<std::size_t> pick(0, kGarbagePieces.size() - 1);
    std::string bytes;
    while (bytes.size() < size)
        bytes += kGarbagePieces[pick(random)];
    bytes.resize(size);
    return bytes;
}

struct Drain {
    std::size_t written = 0;
    double seconds = 0;
    bool answerHandled = false;
};

// Writes `junk` and then the marker answer, reading away whatever the program sends, and
// waits until the marker's frequency shows in the radio state.
Drain drain(platform::PseudoTerminal& line, bench::RunningCore& running, const std::string& junk,
            std::int32_t frequency) {
    char marker[24];
    // The ";" ends whatever the junk left half framed, so the marker starts a frame of its own.
    std::snprintf(marker, sizeof marker, ";FA%08d;", static_cast<int>(frequency));
    const std::string stream = junk + marker;

    Drain result;
    const auto started = std::chrono::steady_clock::now();
    const auto deadline = started + kStreamDeadline;
    while (std::chrono::steady_clock::now() < deadline) {
        if (result.written < stream.size()) {
            result.written += line.writeMaster(std::string_view(stream).substr(result.written));
            if (result.written < stream.size()) {
                pollfd entry{line.masterFd(), POLLOUT, 0};
                ::poll(&entry, 1, 10);
            }
        } else {
            if (running.core.radio().get(panelink::RadioField::FA) == frequency) {
                result.answerHandled = true;
                break;
            }
            std::this_thread::sleep_for(20us);
        }
        line.readMaster();
    }
    result.seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    return result;
}

void print(const char* what, const Drain& drained) {
    const double rate = static_cast<double>(drained.written) / drained.seconds;
    std::printf(
        "%-22s %zu bytes in %.3f s = %.0f bytes/s, %.0f times the 38400 baud line "
        "(%.0f bytes/s, the bound: %s)%s\n",
        what, drained.written, drained.seconds, rate, rate / bench::kLineBytesPerSecond,
        bench::kLineBytesPerSecond, rate >= bench::kLineBytesPerSecond ? "met" : "NOT MET",
        drained.answerHandled ? "; the answer behind it was handled"
                              : "; NOT drained: the answer behind it was not handled");
}

}  // namespace

int main(int argc, char** argv) {
    const long kilobytes = argc > 1 ? std::max(1L, std::atol(argv[1])) : 1024;
    const auto size = static_cast<std::size_t>(kilobytes) * 1024;

    commo::ScratchWorkingDir dir("panelink-bench-drain");
    std::optional<platform::PseudoTerminal> line = platform::PseudoTerminal::create();
    if (!dir.ok() || !line) return fail("no scratch directory or pseudo-terminal");
    if (!commo::setPortMapping(dir.path(), 1, line->slavePath())) return fail("no port map");
    dir.writeCommoFile("CommSetting.csv", "1,38400,0\n");

    bench::RunningCore running(dir.path());
    if (line->readMaster(7, 5000ms) != "AI0;PS;") return fail("the start-up commands did not come");

    std::mt19937 random(11);
    const Drain randomDrain = drain(*line, running, randomBytes(size, random), 14250010);
    const Drain garbageDrain = drain(*line, running, answerShapedGarbage(size, random), 14250020);

    const bool ended = running.shutdown();
    std::printf("Junk drain through the running pipeline (%u cores):\n",
                std::thread::hardware_concurrency());
    print("random bytes", randomDrain);
    print("answer-shaped garbage", garbageDrain);
    if (!randomDrain.answerHandled || !garbageDrain.answerHandled)
        return fail("an answer behind the junk was not handled");
    return ended ? 0 : fail("a worker thread did not end");
}
