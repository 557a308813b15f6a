#pragma once

#include "panelink/menu/menu_item.h"

namespace panelink {

// Menu items the transceiver has; records are addressed by index 1..kMenuItemCount, and the
// index is the menu number in the "EX" command. Index 0 exists and is never used.
inline constexpr int kMenuItemCount = 67;
inline constexpr int kMenuSlotCount = kMenuItemCount + 1;

// The built-in record for `index`, cleared and then filled from the default table. Blank
// records, index 0 and any index outside 0..kMenuItemCount give a blank record: kind -1,
// number 0, every other field zero.
MenuItem defaultMenuItem(int index);

// A blank record: everything zero except kind, which is -1.
MenuItem blankMenuItem();

}  // namespace panelink
