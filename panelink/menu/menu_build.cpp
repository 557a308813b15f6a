#include "panelink/menu/menu_build.h"

namespace panelink {

void buildMenuItemTable(MenuItemTable& table) {
    // defaultMenuItem() starts every record from a zeroed one, so no field of an earlier
    // record survives.
    table.rebuild(kMenuItemCount, [](int index) { return defaultMenuItem(index); });
}

}  // namespace panelink
