// The F key, which reads the transceiver's menu settings and opens the MENU LIST, and MW,
// which opens MEMORY WRITE.
#include <utility>

#include "panelink/cat/radio_state.h"
#include "panelink/panel/panel_controller.h"
#include "panelink/panel/panel_timing.h"

namespace panelink {

using namespace panel_timing;

void PanelController::functionKeySequence() {
    // The transceiver's own panel is locked while the list is open, so the two cannot
    // change the same settings.
    keysBlocked_ = true;
    lockPanel(kPanelLockRepeats, [this] {
        drawIndicator(PanelCode::Function, true);
        if (radio_.get(RadioField::AI) == 1 && !ports_.link.menuSettingsRead()) {
            post(Request::StartMenuReadout, false, 0);
            pause(kMenuReadoutPause, [this] { readMenuSettings(); });
        } else {
            readMenuSettings();
        }
    });
}

void PanelController::lockPanel(int times, std::function<void()> then) {
    post(Request::SetPanelLock, true, kPanelLock);
    if (times <= 1) {
        then();
        return;
    }
    pause(kPanelLockGap, [this, times, then = std::move(then)]() mutable {
        lockPanel(times - 1, std::move(then));
    });
}

void PanelController::readMenuSettings() {
    readingNotice_ = true;
    ports_.window.runReadingNotice([this] { menuSettingsReadingClosed(); });
}

void PanelController::menuSettingsReadingClosed() {
    readingNotice_ = false;
    keysBlocked_ = true;
    lockPanel(kPanelLockRepeats, [this] {
        openWindow(AuxWindow::MenuList);
        drawIndicator(PanelCode::Function, false);
    });
    runDeferred();
}

void PanelController::memoryWriteSequence() {
    drawIndicator(PanelCode::MemoryWrite, true);
    openWindow(AuxWindow::MemoryWrite);
    drawIndicator(PanelCode::MemoryWrite, false);
}

}  // namespace panelink
