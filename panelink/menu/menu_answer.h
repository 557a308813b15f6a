#pragma once

#include <string_view>

#include "panelink/menu/menu_item_table.h"

namespace panelink {

// Widest value an "EX" answer may carry: the answer fits 511 bytes.
inline constexpr int kMaxMenuAnswerWidth = 511;

// The menu number of an "EX" answer: the digits among bytes 2..4 accumulated in order, other
// bytes passed over ("EX0A7" names item 7); 0 when none is a digit.
int menuAnswerIndex(std::string_view answer);

// Characters of the value the answer carries for its item (the item's digits); 0 for a menu
// number outside 1..table.itemCount().
int expectedMenuAnswerWidth(const MenuItemTable& table, std::string_view answer);

// Kind of the item the answer names; -1 (blank) for a bad menu number.
int menuItemKindForAnswer(const MenuItemTable& table, std::string_view answer);

// Applies an "EX" answer (no ";") to its item and reports whether the item's value changed.
// The answer is ignored for a menu number outside 1..itemCount or the table, or a width above
// kMaxMenuAnswerWidth. The value field starts at byte 5, as wide as the item's digits:
//  - kinds 14 and 41: bit set, "1" at position j sets bit 1024 >> j (32 >> j);
//  - kind 46: a digit, then up to 40 characters of text; the text is stored even when the
//    value is unchanged; a first character that is not a digit leaves the value alone;
//  - every other kind: a decimal number, optionally signed by a leading "+" or "-", filling
//    the whole field ("-050" is -50); anything else leaves the value alone.
// Bytes beyond `answer` read as zero. Compare and store happen under the table's lock.
bool applyMenuAnswer(MenuItemTable& table, int itemCount, std::string_view answer);

}  // namespace panelink
