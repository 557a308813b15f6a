#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "tools/orvik-sim/menu_layout.h"

namespace orviksim {

// Characters of text a text item (kind 46) holds after its digit.
inline constexpr std::size_t kMenuTextLength = 40;

// The value field of an "EX" answer for a number: bit strings for the band and mode sets,
// sign and magnitude for the signed kinds, a digit and blank-padded text for text items,
// otherwise the number right-aligned. Nothing when the number does not fit the field.
std::optional<std::string> encodeMenuValue(const MenuRule& rule, std::int64_t value,
                                           std::string_view text = {});

// A value field received in an "EX" write, in the form the radio answers it with (text
// items: upper case, padded with blanks to 40 characters). Nothing when the item cannot
// take it: wrong width or characters, or a value outside what the item offers.
std::optional<std::string> acceptMenuValue(const MenuRule& rule, std::string_view field);

// Keyer and beacon texts travel inside answers that the program frames by scanning for ";"
// through printable characters only; lower case letters become upper case, and a character
// that could break that framing makes the whole text unusable.
std::optional<std::string> normaliseRadioText(std::string_view text);

}  // namespace orviksim
