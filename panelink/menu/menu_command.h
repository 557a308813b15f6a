#pragma once

#include <string>

#include "panelink/menu/menu_item.h"

namespace panelink {

// Characters of a text item's (kind 46) text that a write carries at most.
inline constexpr int kMenuTextMax = 40;

// The read of menu item `index`: "EX" + index as 3 digits + ";", or "DA;" for the dimmer
// (kind 47). Empty for a blank record and for an index outside 1..999.
std::string menuReadCommand(int index, const MenuItem& item);

// The write of the item's pending value (newValue, newText): "DA" + 2 digits + "00;" for the
// dimmer; "EX" + index as 3 digits + the value field of `digits` characters + ";" for every
// other kind, a text item carrying its digit and its text instead. Empty for a blank record,
// an index outside 1..999 and a record whose digits cannot form a command.
std::string menuWriteCommand(int index, const MenuItem& item);

}  // namespace panelink
