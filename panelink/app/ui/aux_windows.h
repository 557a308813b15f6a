#pragma once

#include "panelink/app/ui/window_services.h"
#include "panelink/panel/ui/front_panel_dialog.h"

class QWidget;

namespace panelink {

// Builds an auxiliary window with the main window as its owner; nullptr for a window the
// program does not have yet. Every window the program builds is registered in aux_windows.cpp,
// one line each.
QWidget* createAuxWindow(AuxWindow window, const WindowServices& services, FrontPanelDialog& owner);

}  // namespace panelink
