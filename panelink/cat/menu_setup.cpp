#include "panelink/cat/menu_setup.h"

namespace panelink {

void buildMenuItemTable(MenuItemTable& table, RadioState& state) {
    buildMenuItemTable(table);
    state.storeMenuItemCount(table.itemCount());
}

void endMenuItemBuild(RadioState& state) {
    state.setLinkEnabled(true);
}

}  // namespace panelink
