#pragma once

#include <cstdint>

namespace orviksim {

// Menu items are addressed by their "EX" number 1..kMenuItemCount; slot 0 is never used.
inline constexpr int kMenuItemCount = 67;
inline constexpr int kMenuSlotCount = kMenuItemCount + 1;

// Value kinds that the "EX" handling treats by name; the others are told apart by number
// where their ranges are checked.
inline constexpr std::int32_t kKindBlank = -1;      // no item at this number
inline constexpr std::int32_t kKindBitsBands = 14;  // bit 1024 >> k for band k
inline constexpr std::int32_t kKindBitsModes = 41;  // bit 32 >> k for mode k
inline constexpr std::int32_t kKindText = 46;       // a digit, then up to 40 characters
inline constexpr std::int32_t kKindDimmer = 47;     // read and written with "DA", not "EX"

// What the radio needs to know about one menu item to answer and check "EX" commands.
struct MenuRule {
    std::int32_t kind = kKindBlank;
    std::int32_t digits = 0;  // characters of the value in an "EX" answer
    std::int32_t optionCount = 0;
    std::int32_t multiplier = 1;  // the item's range is in units of value x multiplier
    double minimum = 0.0;         // option items: the value of the first option
    double maximum = 0.0;
    std::int64_t initial = 0;  // the value at power-on

    // Items read and written with "EX" (not blank, not the dimmer).
    bool exAddressable() const { return kind != kKindBlank && kind != kKindDimmer && digits > 0; }
};

// The item with "EX" number `index`; a blank item for 0 and anything outside the menu.
const MenuRule& menuItem(int index);

}  // namespace orviksim
