// The cost of the window's drawing: one frequency redraw (its draw list run into the back
// buffer, then the paint), a frequency tick that finds nothing changed, and the time from an
// "FA" answer arriving at the serial port to its digits being painted, through the whole
// program (core context, worker threads, window) on a pseudo-terminal.
//   bench_ui_redraw [samples]        on the offscreen platform unless QT_QPA_PLATFORM is set
#include <QApplication>
#include <QElapsedTimer>
#include <QRegion>

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
#include "bench/ui_bench_support.h"
#include "panelink/cat/radio_state.h"
#include "panelink/core/link_flags.h"
#include "panelink/core/messages.h"
#include "panelink/core/timer_ids.h"
#include "panelink/menu/menu_item_table.h"
#include "panelink/panel/ui/box_presenter.h"
#include "panelink/panel/ui/front_panel_dialog.h"
#include "panelink/panel/ui/panel_view.h"
#include "shared/platform/pseudo_terminal.h"
#include "shared/platform/virtual_time.h"

namespace {

using panelink::FrontPanelDialog;
using platform::WM_APP;

const QRect kDigits(221, 96, 308, 52);

double microseconds(const QElapsedTimer& timer) {
    return static_cast<double>(timer.nsecsElapsed()) / 1000.0;
}

void printMicroseconds(const char* what, std::vector<double> samples) {
    std::sort(samples.begin(), samples.end());
    auto at = [&](double fraction) {
        return samples[static_cast<std::size_t>(fraction *
                                                static_cast<double>(samples.size() - 1))];
    };
    std::printf("%-34s n=%zu  median %.1f us  p90 %.1f us  p99 %.1f us  max %.1f us\n", what,
                samples.size(), at(0.5), at(0.9), at(0.99), samples.back());
}

// The panel is not clicked here: nothing is sent.
class NoLink final : public panelink::RadioLink {
  public:
    void postRequest(panelink::Request, std::uintptr_t, std::intptr_t) override {}
    void queueCommand(std::string_view) override {}
    bool portUsable() override { return false; }
    bool menuSettingsRead() override { return false; }
};

// The window alone, with its records and timers of its own.
void redrawCost(int samples) {
    panelink::RadioState radio;
    panelink::MenuItemTable menu;
    panelink::LinkFlags flags;
    platform::VirtualTime time;
    panelink::QtBoxPresenter boxes;
    panelink::EventHub events;
    NoLink link;
    FrontPanelDialog window({radio, menu, flags}, events, time, boxes, link);
    time.setTickHandler([&](int id) { window.onTimer(id); });
    window.show();
    QApplication::processEvents();

    std::vector<double> drawOnly;
    std::vector<double> drawAndPaint;
    std::vector<double> unchangedTick;
    for (int i = 0; i < samples; ++i) {
        radio.store(panelink::RadioField::FA, 14000000 + 1111 * (i % 900));
        QElapsedTimer timer;
        timer.start();
        window.handleMessage(panelink::message(panelink::DisplayUpdate::FA));
        drawOnly.push_back(microseconds(timer));
        QApplication::processEvents();  // the paint of what was drawn
        drawAndPaint.push_back(microseconds(timer));

        timer.restart();
        window.onTimer(panelink::kTimerFrequencyA);  // the same digits once more
        window.onTimer(panelink::kTimerFrequencyB);
        unchangedTick.push_back(microseconds(timer) / 2);
        QApplication::processEvents();
    }
    printMicroseconds("frequency draw list into buffer", drawOnly);
    printMicroseconds("frequency draw list + paint", drawAndPaint);
    printMicroseconds("frequency tick, nothing changed", unchangedTick);
}

// An "FA" answer written to the port until the window has painted the digits.
void answerToScreen(int samples) {
    bench::ProgramOnTerminal program;
    if (!program.start()) {
        std::printf("answer to screen: %s\n", program.why().c_str());
        return;
    }
    FrontPanelDialog* window = &program.window();
    platform::PseudoTerminal* terminal = &program.terminal();

    std::optional<bench::SteadyTime> painted;
    QObject::connect(window->view(), &panelink::PanelView::painted, [&](const QRegion& region) {
        if (region.intersects(kDigits)) painted = std::chrono::steady_clock::now();
    });
    program.settle();

    std::vector<double> latency;
    int lost = 0;
    std::mt19937 random(1);
    std::uniform_int_distribution<int> randomGap(0, 4999);
    for (int i = 0; i < samples; ++i) {
        char answer[32];
        std::snprintf(answer, sizeof answer, "FA%08d;", 14000000 + 1111 * (i % 900 + 1));
        painted.reset();
        const bench::SteadyTime sent = std::chrono::steady_clock::now();
        terminal->writeMaster(answer);
        QElapsedTimer timeout;
        timeout.start();
        while (!painted && timeout.elapsed() < 1000)
            QApplication::processEvents(QEventLoop::AllEvents, 1);
        if (painted) {
            latency.push_back(bench::millisecondsBetween(sent, *painted));
        } else {
            ++lost;
        }
        terminal->readMaster();
        // A quiet gap of random length, so that answers arrive at random moments, as a
        // radio's reports do.
        const auto gap = std::chrono::microseconds(20000 + randomGap(random));
        const auto gapEnd = std::chrono::steady_clock::now() + gap;
        while (std::chrono::steady_clock::now() < gapEnd)
            QApplication::processEvents(QEventLoop::AllEvents, 1);
    }
    bench::printPercentiles("FA answer to paint", latency);
    if (lost > 0) std::printf("  %d answers never reached the screen within 1 s\n", lost);
}

}  // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    const int samples = argc > 1 ? std::max(10, std::atoi(argv[1])) : 500;
    std::printf("platform %s\n", qPrintable(QGuiApplication::platformName()));
    redrawCost(samples);
    answerToScreen(std::min(samples, 300));
    return 0;
}
