#pragma once

#include "panelink/cat/radio_state.h"
#include "panelink/menu/menu_item_table.h"

namespace panelink {

// Start-up build of the menu item table, run once on the menu-definition thread: fills
// indexes 1..kMenuItemCount from the built-in defaults in index order, each record cleared
// first, sets the table's item count and stores the same count in `state`. The link stays
// disabled until endMenuItemBuild().
void buildMenuItemTable(MenuItemTable& table, RadioState& state);

// End of the build: enables the link, which lets the serial threads start work.
void endMenuItemBuild(RadioState& state);

}  // namespace panelink
