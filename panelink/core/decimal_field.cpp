#include "panelink/core/decimal_field.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace panelink {

void writeDecimalField(std::span<char> field, std::int64_t value) {
    std::fill(field.begin(), field.end(), '0');
    if (value < 0) return;
    // Write from the right; digits left over mean the value is 10^width or more.
    std::int64_t rest = value;
    std::size_t position = field.size();
    while (rest > 0 && position > 0) {
        field[--position] = static_cast<char>('0' + rest % 10);
        rest /= 10;
    }
    if (rest > 0) std::fill(field.begin(), field.end(), '0');
}

std::string decimalField(std::int64_t value, int width) {
    if (width < 1) return {};
    std::string text(static_cast<std::size_t>(width), '0');
    writeDecimalField(text, value);
    return text;
}

std::optional<std::int64_t> integerPart(double value) {
    constexpr double kLimit = 1e15;
    if (!std::isfinite(value) || std::fabs(value) >= kLimit) return std::nullopt;
    return static_cast<std::int64_t>(std::trunc(value));
}

std::optional<std::int64_t> magnitude(std::int64_t value) {
    if (value == std::numeric_limits<std::int64_t>::min()) return std::nullopt;
    return value < 0 ? -value : value;
}

}  // namespace panelink
