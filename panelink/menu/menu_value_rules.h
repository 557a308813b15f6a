#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>

#include "panelink/menu/menu_item.h"

// Rules the menu list lines and the setting dialogs share: how a value's integer part is
// taken, which value a line shows, the option look-up and the scales of the decimal kinds.
namespace panelink {

// Stands in for an option the item does not have.
inline constexpr std::string_view kUnknownOption = "????????????";

// Kinds whose value is a bit set with one option per bit, bit topBit >> k for option k.
// lastCursor is the last option the list line can show; the dialog shows up to maxBoxes.
struct BitSetKind {
    std::int32_t kind;
    int topBit;
    int lastCursor;
    int maxBoxes;
};
inline constexpr std::array<BitSetKind, 2> kBitSetKinds{{
    {kKindBitsBands, 1024, 9, 13},  // the general-coverage band (option 10) has no list cursor
    {kKindBitsModes, 32, 5, 6},
}};
const BitSetKind* bitSetKind(std::int32_t kind);  // nullptr for other kinds
int bitOf(const BitSetKind& set, int k);          // topBit >> k; 0 once shifted out or for k < 0
bool bitIsSet(std::int64_t bits, const BitSetKind& set, int k);

// Kinds 13, 17 and 18 keep this value for their first option.
inline constexpr int kFirstOptionCode = 1000;
// Kind 52: levels up to kFixedLevelMax are fixed (the first option); above it they follow the
// volume control (the second option) and show as the level less kLinkedLevelZero.
inline constexpr int kFixedLevelMax = 100;
inline constexpr int kLinkedLevelZero = 151;

// Kind 51 shows 0..255 as a percentage and stores a chosen percentage back in 0..255.
inline constexpr double kPercentPerCount = 100.0 / 255.0;
inline constexpr double kCountsPerPercent = 2.55;
inline constexpr double kHalf = 0.5;

// The integer part as the radio's tables take it: the value printed with "%f" and read back
// as an integer, so 2.9999999 counts as 3 while 2.99 counts as 2. NaN gives 0; magnitudes
// beyond int clamp to its range.
int wholeOf(double value);

// The new value while the item's changed mark is set, else the value read.
double shownValue(const MenuItem& item);

// The item's multiplier; 0 counts as 1, so nothing is ever divided by zero.
int multiplierOf(const MenuItem& item);

// Option texts the item really has: 0..optionCount-1, never past the option array.
int optionCountOf(const MenuItem& item);
std::optional<std::string_view> optionOf(const MenuItem& item, std::int64_t index);
std::string_view optionOrUnknown(const MenuItem& item, std::int64_t index);

// Pitch code to option: 0-2 -> 0, 3-4 -> 1, 5-6 -> 2, 7-8 -> 3, above -> 4; a code below 0
// counts as the lowest pitch. A chosen option k is written back as 2k + 2.
int pitchOption(int code);
double pitchCode(std::size_t option);

// Kind 51: the percentage shown for a count, and the count stored for a percentage.
int percentOf(double count);
double countOfPercent(int percent);

// Scale of a decimal kind: shown = value x toShown with `precision` decimals; a shown number
// x toStored is the value again. Decimals 1, 2, 3; anything else shows the value as it is
// with six decimals, as "%f" does.
struct DecimalScale {
    double toShown;
    double toStored;
    int precision;
};
DecimalScale decimalScale(int decimals);

// Text of a zero-terminated field, never past its last byte, which is the terminator's place.
template <std::size_t N>
std::string_view fieldText(const std::array<char, N>& field) {
    std::size_t length = 0;
    while (length + 1 < N && field[length] != '\0')
        ++length;
    return std::string_view(field.data(), length);
}

// printf-style text of any length: measured first, then written into a buffer of that size.
template <class... Args>
std::string formatText(const char* format, Args... args) {
    const int length = std::snprintf(nullptr, 0, format, args...);
    if (length <= 0) return {};
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    std::snprintf(text.data(), text.size(), format, args...);
    text.pop_back();
    return text;
}

}  // namespace panelink
