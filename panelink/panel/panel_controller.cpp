#include "panelink/panel/panel_controller.h"

// Placeholder bodies: the controller's behaviour is being written.
namespace panelink {

PanelController::PanelController(const RadioState& radio, const MenuItemTable& menu, Ports ports)
    : radio_(radio), menu_(menu), ports_(ports), registry_(ports.windows) {}

void PanelController::setSequences(Sequences sequences) {
    sequences_ = std::move(sequences);
}
void PanelController::leftPress(PanelPoint) {}
void PanelController::leftRelease(PanelPoint) {}
void PanelController::rightPress(PanelPoint) {}
void PanelController::rightRelease(PanelPoint) {}
void PanelController::wheel(PanelPoint, int) {}
bool PanelController::onTimer(int) {
    return false;
}
bool PanelController::ownsTimer(int) {
    return false;
}
void PanelController::onMenuCommand(int) {}
void PanelController::onBandReported() {}
void PanelController::onStepReported() {}
void PanelController::onReadBackAnswered() {}
void PanelController::onConnectionChanged() {}
void PanelController::onWindowClosed(AuxWindow, std::uintptr_t) {}
void PanelController::cancelSelection() {}
void PanelController::closeStep(std::function<void()> then) {
    if (then) then();
}
void PanelController::processCode(PanelCode) {}

}  // namespace panelink
