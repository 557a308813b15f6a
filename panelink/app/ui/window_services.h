#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>

#include "panelink/core/event_hub.h"
#include "panelink/core/requests.h"
#include "panelink/menu/menu_item_table.h"
#include "panelink/menu/menu_list_model.h"
#include "panelink/panel/panel_ports.h"
#include "panelink/panel/ui/front_panel_dialog.h"
#include "shared/formats/link_settings.h"

namespace panelink {

class MenuItemTable;

// What the windows use of the rest of Panelink. The program fills it from its core context;
// tests fill it with fakes. Each window subscribes to `events` for the updates it shows and
// reports its own closing there.
struct WindowServices {
    EventHub& events;
    PanelRecords records;
    commo::LinkSettings& settings;
    // CommoFiles lives below it.
    std::filesystem::path workingDirectory;
    bool secondInstance = false;  // the settings file is CommSettingTmp.csv
    // A request to Anl_Send_Thread; false once the thread has ended.
    std::function<bool(Request request, std::uintptr_t wparam, std::intptr_t lparam)> postRequest;
    std::function<bool()> closePort;
    // The main window's panel controls send through it.
    RadioLink& link;
    // The menu list and MIC EQ write their changes back here (the main window only reads the
    // table); the menu list keeps its selected line in menuListMemory from one opening to the
    // next.
    MenuItemTable& menuTable;
    MenuListMemory& menuListMemory;
};

}  // namespace panelink
