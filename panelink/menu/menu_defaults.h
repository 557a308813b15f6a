#pragma once

#include <array>
#include <string_view>

#include "panelink/menu/menu_item.h"

namespace panelink {

// Menu items the transceiver has; records are addressed by index 1..kMenuItemCount, and the
// index is the menu number in the "EX" command. Index 0 exists and is never used.
inline constexpr int kMenuItemCount = 67;
inline constexpr int kMenuSlotCount = kMenuItemCount + 1;

// CTCSS tone frequencies in Hz: the options of the tone item and the texts of its dialog.
inline constexpr std::array<std::string_view, 50> kToneFrequencies{
    "67.0",  "69.3",  "71.9",  "74.4",  "77.0",  "79.7",  "82.5",  "85.4",  "88.5",  "91.5",
    "94.8",  "97.4",  "100.0", "103.5", "107.2", "110.9", "114.8", "118.8", "123.0", "127.3",
    "131.8", "136.5", "141.3", "146.2", "151.4", "156.7", "159.8", "162.2", "165.5", "167.9",
    "171.3", "173.8", "177.3", "179.9", "183.5", "186.2", "189.9", "192.8", "196.6", "199.5",
    "203.5", "206.5", "210.7", "218.1", "225.7", "229.1", "233.6", "241.8", "250.3", "254.1",
};

// The built-in record for `index`, cleared and then filled from the default table. Blank
// records, index 0 and any index outside 0..kMenuItemCount give a blank record: kind -1,
// number 0, every other field zero.
MenuItem defaultMenuItem(int index);

// A blank record: everything zero except kind, which is -1.
MenuItem blankMenuItem();

}  // namespace panelink
