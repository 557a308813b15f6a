#include "panelink/menu/menu_value_rules.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace panelink {
namespace {

// Highest pitch code of each option but the last; codes above the last bound take the last.
constexpr std::array<int, 4> kPitchCodeBounds{2, 4, 6, 8};
constexpr int kPitchCodesPerOption = 2;

constexpr int kIntMin = std::numeric_limits<int>::min();
constexpr int kIntMax = std::numeric_limits<int>::max();
// Beyond this magnitude the value is outside int whatever "%f" prints.
constexpr double kIntLimit = 2147483648.0;
// "%f" of any value inside kIntLimit fits with room to spare.
constexpr std::size_t kWholeTextSize = 64;

constexpr std::array<DecimalScale, 3> kDecimalScales{{
    {0.1, 10.0, 1},
    {0.01, 100.0, 2},
    {0.001, 1000.0, 3},
}};
constexpr DecimalScale kPlainScale{1.0, 1.0, 6};

}  // namespace

const BitSetKind* bitSetKind(std::int32_t kind) {
    for (const BitSetKind& set : kBitSetKinds) {
        if (set.kind == kind) return &set;
    }
    return nullptr;
}

int bitOf(const BitSetKind& set, int k) {
    constexpr int kWidestShift = 30;
    if (k < 0 || k > kWidestShift) return 0;
    return set.topBit >> k;
}

bool bitIsSet(std::int64_t bits, const BitSetKind& set, int k) {
    const int bit = bitOf(set, k);
    return bit != 0 && (bits & bit) != 0;
}

int wholeOf(double value) {
    if (std::isnan(value)) return 0;
    if (value >= kIntLimit) return kIntMax;
    if (value <= -kIntLimit) return kIntMin;
    std::array<char, kWholeTextSize> text{};
    std::snprintf(text.data(), text.size(), "%f", value);
    const long long whole = std::strtoll(text.data(), nullptr, 10);
    return static_cast<int>(std::clamp<long long>(whole, kIntMin, kIntMax));
}

double shownValue(const MenuItem& item) {
    return item.changed != 0 ? item.newValue : item.value;
}

int multiplierOf(const MenuItem& item) {
    return item.multiplier == 0 ? 1 : item.multiplier;
}

int optionCountOf(const MenuItem& item) {
    return std::clamp(item.optionCount, 0, static_cast<std::int32_t>(item.options.size()));
}

std::optional<std::string_view> optionOf(const MenuItem& item, std::int64_t index) {
    if (index < 0 || index >= optionCountOf(item)) return std::nullopt;
    return fieldText(item.options[static_cast<std::size_t>(index)]);
}

std::string_view optionOrUnknown(const MenuItem& item, std::int64_t index) {
    return optionOf(item, index).value_or(kUnknownOption);
}

int pitchOption(int code) {
    const auto bound = std::lower_bound(kPitchCodeBounds.begin(), kPitchCodeBounds.end(), code);
    return static_cast<int>(bound - kPitchCodeBounds.begin());
}

double pitchCode(std::size_t option) {
    return static_cast<double>(kPitchCodesPerOption * static_cast<int>(option) +
                               kPitchCodesPerOption);
}

int percentOf(double count) {
    return wholeOf(count * kPercentPerCount + kHalf);
}

double countOfPercent(int percent) {
    return wholeOf(percent * kCountsPerPercent + kHalf);
}

DecimalScale decimalScale(int decimals) {
    if (decimals < 1 || decimals > static_cast<int>(kDecimalScales.size())) return kPlainScale;
    return kDecimalScales[static_cast<std::size_t>(decimals - 1)];
}

}  // namespace panelink
