#pragma once

#include "panelink/app/ui/window_services.h"
#include "panelink/panel/ui/front_panel_dialog.h"

class QWidget;

namespace panelink {

class ShortcutEventFilter;

// Builds an auxiliary window with the main window as its owner; nullptr for a window the
// program does not have yet. Every window the program builds is registered in aux_windows.cpp,
// one line each. The windows that take the function-key shortcuts (CW while idle, MENU LIST,
// Repeater with its CTCSS list, MEMORY WRITE, COM Select, Baud rate) are attached to
// `shortcuts` when one is given.
QWidget* createAuxWindow(AuxWindow window, const WindowServices& services, FrontPanelDialog& owner,
                         ShortcutEventFilter* shortcuts = nullptr);

}  // namespace panelink
