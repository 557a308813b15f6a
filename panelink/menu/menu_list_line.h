#pragma once

#include <string>

#include "panelink/menu/menu_item.h"

namespace panelink {

// What the menu list shows of the items whose setting does not fit one line: the band and
// mode sets show one option at a time, a long beacon text a 35-character window.
struct MenuListCursors {
    int bandBit = 9;     // option of the band set (kind 14) shown, 0..9
    int modeBit = 5;     // option of the mode set (kind 41) shown, 0..5
    int textOffset = 0;  // first character of a long text (kind 46) shown
};

enum class ListArrow { Left, Right };

// One line of the menu list: the number ("%03d "), the name padded to 8 characters, a space
// and the range text padded to 88 characters, the setting text (it starts with a space) and
// the unit when the item has one. The setting shows the new value while the changed mark is
// set. An option the item does not have shows as " ????????????".
std::string menuListLine(const MenuItem& item, const MenuListCursors& cursors);

// Moves the cursor that `item`'s line uses one step, wrapping round at either end, and tells
// whether the line changes. Other kinds, and texts of 35 characters or fewer, do not move.
bool moveListCursor(MenuListCursors& cursors, const MenuItem& item, ListArrow arrow);

}  // namespace panelink
