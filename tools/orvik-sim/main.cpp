// orvik-sim: a simulated transceiver on a pseudo-terminal.
#include <signal.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>

#include "tools/orvik-sim/param_pattern.h"
#include "tools/orvik-sim/simulator.h"

namespace {

constexpr std::string_view kUsage = R"(Usage: orvik-sim [options]

A simulated transceiver on a pseudo-terminal. It answers the CAT commands of the control
program with well-formed answers, applies set commands to its state, reports changes while
auto-information is on, and can inject faults. The slave side of the pseudo-terminal is the
"serial port" the program opens.

Options:
  --link PATH          keep a symbolic link PATH to the serial port (re-pointed on replug)
  --comports-dir DIR   with --com: write the line "COMn,<port>" into
                       DIR/CommoFiles/ComPorts.csv (DIR is the program's working
                       directory; <port> is the link when given, else the slave path)
  --com N              the COM number for that line (1..20)
  --baud N             pace output at N baud (11 bit times per byte); default: follow the
                       speed the program set on the port, 4800 until it sets one
  --model NNNN         the number "ID;" answers with (default 0244; 0247 is unsupported)
  --transcript FILE    write every command received to FILE (ms since start, command)
  --control PATH       also take control lines on the UNIX stream socket PATH
                       (for example: socat - UNIX-CONNECT:PATH)
  --no-stdin           do not read control lines from standard input
  --ai                 start with auto-information on
  --wander             start with the radio changing frequency, mode and meter by itself
  --no-meters          no periodic meter reports while auto-information is on
  --seed N             seed for meter timing and wandering (default 1)
  --help               this text

Reports "ready <slave path>" on standard output once the port exists, then takes control
lines on standard input; SIGINT, SIGTERM or "quit" end it.

)";

bool parseNumber(std::string_view text, long low, long high, long& value) {
    const auto parsed = orviksim::parseInteger(text);
    if (!parsed || *parsed < low || *parsed > high) return false;
    value = static_cast<long>(*parsed);
    return true;
}

int usageError(const std::string& why) {
    std::fprintf(stderr, "orvik-sim: %s (try --help)\n", why.c_str());
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    orviksim::Options options;
    bool readStdin = true;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        auto value = [&](std::string& target) {
            if (i + 1 >= argc) return false;
            target = argv[++i];
            return true;
        };
        std::string text;
        long number = 0;
        if (arg == "--help" || arg == "-h") {
            std::fputs(kUsage.data(), stdout);
            std::fputs(orviksim::Simulator::helpText().c_str(), stdout);
            std::fputs("\n", stdout);
            return 0;
        } else if (arg == "--link") {
            if (!value(options.linkPath)) return usageError("--link needs a path");
        } else if (arg == "--comports-dir") {
            if (!value(options.comportsDir)) return usageError("--comports-dir needs a directory");
        } else if (arg == "--com") {
            if (!value(text) || !parseNumber(text, 1, 20, number)) {
                return usageError("--com needs a number 1..20");
            }
            options.comNumber = static_cast<int>(number);
        } else if (arg == "--baud") {
            if (!value(text) || !parseNumber(text, 300, 115200, number)) {
                return usageError("--baud needs a speed");
            }
            options.baud = static_cast<int>(number);
        } else if (arg == "--model") {
            if (!value(options.model) || !orviksim::parseParam("DDDD", options.model)) {
                return usageError("--model needs four digits");
            }
        } else if (arg == "--transcript") {
            if (!value(options.transcriptPath)) return usageError("--transcript needs a file");
        } else if (arg == "--control") {
            if (!value(options.controlSocketPath)) return usageError("--control needs a path");
        } else if (arg == "--seed") {
            if (!value(text) || !parseNumber(text, 0, 0xFFFFFFFFL, number)) {
                return usageError("--seed needs a number");
            }
            options.seed = static_cast<std::uint32_t>(number);
        } else if (arg == "--no-stdin") {
            readStdin = false;
        } else if (arg == "--ai") {
            options.autoInformation = true;
        } else if (arg == "--wander") {
            options.wander = true;
        } else if (arg == "--no-meters") {
            options.meterReports = false;
        } else {
            return usageError("unknown option " + std::string(arg));
        }
    }
    if ((options.comNumber != 0) != !options.comportsDir.empty()) {
        return usageError("--com and --comports-dir go together");
    }
    // Started in the background of an interactive shell, reading the terminal would stop us.
    if (readStdin && ::isatty(STDIN_FILENO) != 0 && ::tcgetpgrp(STDIN_FILENO) != ::getpgrp()) {
        readStdin = false;
    }
    if (readStdin) {
        options.controlInputFd = STDIN_FILENO;
        options.controlOutputFd = STDOUT_FILENO;
    }

    // Signals are taken by this thread only; the I/O thread never sees them.
    sigset_t endSignals;
    sigemptyset(&endSignals);
    sigaddset(&endSignals, SIGINT);
    sigaddset(&endSignals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &endSignals, nullptr);
    signal(SIGPIPE, SIG_IGN);

    orviksim::Simulator simulator(options);
    std::string error;
    if (!simulator.start(&error)) {
        std::fprintf(stderr, "orvik-sim: %s\n", error.c_str());
        return 1;
    }
    std::printf("ready %s\n", simulator.slavePath().c_str());
    std::fflush(stdout);

    constexpr timespec kSignalWait{0, 250'000'000};
    while (!simulator.quitRequested()) {
        if (sigtimedwait(&endSignals, nullptr, &kSignalWait) > 0) break;
    }
    simulator.stop();
    return 0;
}
