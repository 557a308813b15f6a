// The time from a mouse press on a panel key to its command being readable at the far end of
// the serial line, through the whole program in one process (application object, core
// context, worker threads, window) on a pseudo-terminal. The left button is pressed and
// released on the panel view through Qt's event delivery (QTest), on the LOCK key, whose
// "LK1;" or "LK0;" is waited for at the master side.
//   bench_ui_press [presses]        on the offscreen platform unless QT_QPA_PLATFORM is set
#include <poll.h>

#include <QApplication>
#include <QPoint>
#include <QTest>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "bench/bench_support.h"
#include "bench/ui_bench_support.h"
#include "panelink/panel/ui/front_panel_dialog.h"
#include "panelink/panel/ui/panel_view.h"
#include "shared/platform/pseudo_terminal.h"

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

// The middle of the LOCK key; view pixels are panel pixels.
const QPoint kLockKey(612, 286);
// Presses in a row that sent nothing: the key does nothing in this build.
constexpr int kGiveUpAfter = 5;

// When "LK" became readable at the master, waited for while the window's events run (a
// press may leave work to the event loop); nullopt after `timeout`.
std::optional<bench::SteadyTime> awaitLockCommand(platform::PseudoTerminal& terminal,
                                                  std::chrono::milliseconds timeout) {
    std::string heard;
    const auto deadline = Clock::now() + timeout;
    while (Clock::now() < deadline) {
        pollfd master{terminal.masterFd(), POLLIN, 0};
        if (::poll(&master, 1, 1) > 0) {
            const bench::SteadyTime readable = Clock::now();
            heard += terminal.readMaster();
            if (heard.find("LK") != std::string::npos) return readable;
        }
        QApplication::processEvents();
    }
    return std::nullopt;
}

void runEventsFor(std::chrono::microseconds span) {
    const auto end = Clock::now() + span;
    while (Clock::now() < end)
        QApplication::processEvents(QEventLoop::AllEvents, 1);
}

void pressToWire(int presses) {
    bench::ProgramOnTerminal program;
    if (!program.start()) {
        std::printf("press to wire: %s\n", program.why().c_str());
        return;
    }
    program.settle();
    QWidget* view = program.window().view();
    platform::PseudoTerminal& terminal = program.terminal();

    std::vector<double> latency;
    int lost = 0;
    int silentInARow = 0;
    std::mt19937 random(1);
    std::uniform_int_distribution<int> randomGap(0, 4999);
    for (int i = 0; i < presses && silentInARow < kGiveUpAfter; ++i) {
        terminal.readMaster();
        const bench::SteadyTime pressed = Clock::now();
        QTest::mousePress(view, Qt::LeftButton, {}, kLockKey);
        const auto arrived = awaitLockCommand(terminal, 1000ms);
        QTest::mouseRelease(view, Qt::LeftButton, {}, kLockKey);
        if (arrived) {
            latency.push_back(bench::millisecondsBetween(pressed, *arrived));
            silentInARow = 0;
        } else {
            ++lost;
            ++silentInARow;
        }
        // A gap of random length, so that presses come at random moments of the window's
        // timers, as a person's do.
        runEventsFor(std::chrono::microseconds(20000 + randomGap(random)));
    }
    bench::printPercentiles("press to wire", latency);
    if (lost > 0) std::printf("  %d presses sent nothing within 1 s\n", lost);
    if (silentInARow >= kGiveUpAfter)
        std::printf("  stopped: the LOCK key sent nothing %d times in a row\n", kGiveUpAfter);
}

}  // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    const int presses = argc > 1 ? std::max(10, std::atoi(argv[1])) : 200;
    std::printf("platform %s\n", qPrintable(QGuiApplication::platformName()));
    pressToWire(presses);
    return 0;
}
