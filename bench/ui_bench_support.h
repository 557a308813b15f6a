#pragma once

// The whole program in the benchmark's own process, as the UI benchmarks run it: application
// object, core context, worker threads and the window, with a pseudo-terminal as COM1 whose
// master side the benchmark plays the radio on.

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>

#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <thread>

#include "panelink/app/ui/application.h"
#include "panelink/panel/ui/front_panel_dialog.h"
#include "shared/formats/testing/working_dir.h"
#include "shared/platform/pseudo_terminal.h"

namespace bench {

class ProgramOnTerminal {
  public:
    // False, with the reason in why(), when the program did not reach its running phase.
    bool start() {
        terminal_ = platform::PseudoTerminal::create();
        if (!scratch_.ok() || !terminal_) return fail("no scratch directory or pseudo-terminal");
        scratch_.writeCommoFile("ComPorts.csv", "COM1," + terminal_->slavePath() + "\n");
        scratch_.writeCommoFile("CommSetting.csv", "1,38400,0\n");

        panelink::PanelinkApplication::Options options;
        options.workingDirectory = scratch_.path();
        options.lockDirectory = scratch_.path();
        options.splashTime = platform::Milliseconds(0);
        options.watchSignals = false;
        options.watchPower = false;
        options.quit = [](int) {};
        app_ = std::make_unique<panelink::PanelinkApplication>(std::move(options));
        app_->start();
        QElapsedTimer wait;
        wait.start();
        while (!running() && wait.elapsed() < 5000)
            QApplication::processEvents(QEventLoop::AllEvents, 10);
        if (!running() || app_->window() == nullptr) return fail("the program did not start");
        return true;
    }

    // Lets the start-up traffic and the first redraws settle; what the program wrote is
    // read away.
    void settle() {
        for (int i = 0; i < 50; ++i) {
            QApplication::processEvents(QEventLoop::AllEvents, 10);
            terminal_->readMaster();
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
    }

    ~ProgramOnTerminal() {
        if (app_) app_->requestShutdown();
    }

    panelink::FrontPanelDialog& window() { return *app_->window(); }
    platform::PseudoTerminal& terminal() { return *terminal_; }
    const std::string& why() const { return why_; }

  private:
    bool running() const { return app_->phase() == panelink::PanelinkApplication::Phase::Running; }
    bool fail(std::string why) {
        why_ = std::move(why);
        return false;
    }

    commo::ScratchWorkingDir scratch_{"panelink-bench"};
    std::optional<platform::PseudoTerminal> terminal_;
    std::unique_ptr<panelink::PanelinkApplication> app_;
    std::string why_;
};

}  // namespace bench
