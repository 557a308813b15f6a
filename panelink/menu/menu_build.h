#pragma once

#include "panelink/menu/menu_item_table.h"

namespace panelink {

// Start-up build of the menu item table, run once on the menu-definition thread: fills
// indexes 1..kMenuItemCount from the built-in defaults in index order, each record cleared
// first, and sets the table's item count.
void buildMenuItemTable(MenuItemTable& table);

}  // namespace panelink
