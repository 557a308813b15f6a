#include "panelink/menu/menu_build.h"

namespace panelink {

void buildMenuItemTable(MenuItemTable& table, RadioState& state) {
    // defaultMenuItem() starts every record from a zeroed one, so no field of an earlier
    // record survives.
    table.rebuild(kMenuItemCount, [](int index) { return defaultMenuItem(index); });
    state.storeMenuItemCount(kMenuItemCount);
}

void endMenuItemBuild(RadioState& state) {
    state.setLinkEnabled(true);
}

}  // namespace panelink
