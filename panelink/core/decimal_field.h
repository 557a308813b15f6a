#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace panelink {

// Fills `field` with "0" and writes `value` right-aligned in it. A value that does not fit
// (10^width or more) and a negative value leave the field all "0": fields carry no sign, and
// a minus sign or a cut-off number would put a different value on the wire.
void writeDecimalField(std::span<char> field, std::int64_t value);

// The same as a string of `width` characters; empty for a width below 1.
std::string decimalField(std::int64_t value, int width);

// The integer part of `value` (rounded toward zero); nothing for NaN, the infinities and
// magnitudes of 10^15 or more, so that no out-of-range conversion can happen.
std::optional<std::int64_t> integerPart(double value);

// |value| without overflow; nothing for the one value whose magnitude does not fit.
std::optional<std::int64_t> magnitude(std::int64_t value);

}  // namespace panelink
