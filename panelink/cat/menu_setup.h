#pragma once

#include "panelink/cat/radio_state.h"
#include "panelink/menu/menu_build.h"

namespace panelink {

// The menu-definition thread's build: the menu item table filled from its defaults, and the
// same item count stored in `state`, where the "EX" framing and parser read it. The link
// stays disabled until endMenuItemBuild().
void buildMenuItemTable(MenuItemTable& table, RadioState& state);

// End of the build: enables the link, which lets the serial threads start work.
void endMenuItemBuild(RadioState& state);

}  // namespace panelink
