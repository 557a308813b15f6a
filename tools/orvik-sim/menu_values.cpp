#include "tools/orvik-sim/menu_values.h"

#include "tools/orvik-sim/param_pattern.h"

namespace orviksim {

namespace {

bool isSignedKind(std::int32_t kind) {
    return kind == 4 || kind == 5 || kind == 11 || (kind >= 25 && kind <= 30);
}

// Bits of the band set (11 options) and mode set (6 options), most significant first.
bool isBitKind(std::int32_t kind) {
    return kind == kKindBitsBands || kind == kKindBitsModes;
}

std::string repeat(char c, std::int32_t count) {
    return std::string(static_cast<std::size_t>(count > 0 ? count : 0), c);
}

// Whether value * multiplier lies within the item's minimum..maximum.
bool inScaledRange(const MenuRule& rule, std::int64_t value) {
    const auto scaled = static_cast<double>(value) * rule.multiplier;
    return scaled >= rule.minimum && scaled <= rule.maximum;
}

// Whether the item offers `value`, by the item's kind.
bool inRange(const MenuRule& rule, std::int64_t value) {
    switch (rule.kind) {
        case 1:  // option index counted from the minimum (0 or 1)
            return value >= static_cast<std::int64_t>(rule.minimum) &&
                   value < static_cast<std::int64_t>(rule.minimum) + rule.optionCount;
        case 15:
        case 42:
        case 43:
        case 44:
        case 48:
        case 49:
        case 50:  // plain option index
            return value >= 0 && value < rule.optionCount;
        case 0:
        case 2:
        case 4:
        case 5:
        case 6:
        case 9:
        case 45:
        case kKindText:  // the text item's digit
            return inScaledRange(rule, value);
        case 16:  // 0 is the "off" option
            return value == 0 || inScaledRange(rule, value);
        case 40:  // pitch code, written as 2 x option + 2
            return value >= 0 && value <= 10;
        case 51:
            return value >= 0 && value <= 255;
        case 52:  // 0..100 fixed, 101..201 linked
            return value >= 0 && value <= 201;
        default:
            return value >= 0;
    }
}

}  // namespace

std::optional<std::string> normaliseRadioText(std::string_view text) {
    std::string result;
    result.reserve(text.size());
    for (char c : text) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
        const auto byte = static_cast<unsigned char>(c);
        const bool framable = (byte >= 0x20 && byte <= 0x5F && c != ';') || c == '{';
        if (!framable) return std::nullopt;
        result.push_back(c);
    }
    return result;
}

std::optional<std::string> encodeMenuValue(const MenuRule& rule, std::int64_t value,
                                           std::string_view text) {
    if (!rule.exAddressable()) return std::nullopt;
    std::string field;
    if (isBitKind(rule.kind)) {
        const std::int64_t top = rule.kind == kKindBitsBands ? 1024 : 32;
        if (value < 0 || value >= top * 2) return std::nullopt;
        for (std::int32_t j = 0; j < rule.digits; ++j) {
            field.push_back((value & (top >> j)) != 0 ? '1' : '0');
        }
    } else if (rule.kind == kKindText) {
        if (value < 0 || value > 9 || text.size() > kMenuTextLength) return std::nullopt;
        field = std::to_string(value) + std::string(text);
        field.resize(static_cast<std::size_t>(rule.digits), ' ');
    } else if (isSignedKind(rule.kind)) {
        const auto body = formatParam("S" + repeat('D', rule.digits - 1), value);
        if (!body) return std::nullopt;
        field = *body;
    } else {
        const auto body = formatParam(repeat('D', rule.digits), value);
        if (!body) return std::nullopt;
        field = *body;
    }
    return acceptMenuValue(rule, field);
}

std::optional<std::string> acceptMenuValue(const MenuRule& rule, std::string_view field) {
    if (!rule.exAddressable()) return std::nullopt;
    if (rule.kind == kKindText) {
        // A digit, then up to 40 characters of text.
        if (field.empty() || field.size() > 1 + kMenuTextLength) return std::nullopt;
        const auto digit = parseParam("D", field.substr(0, 1));
        if (!digit || !inRange(rule, digit->value)) return std::nullopt;
        const auto text = normaliseRadioText(field.substr(1));
        if (!text) return std::nullopt;
        std::string stored = digit->text + *text;
        stored.resize(1 + kMenuTextLength, ' ');
        return stored;
    }
    std::string pattern;
    if (isBitKind(rule.kind)) {
        pattern = repeat('B', rule.digits);
    } else if (isSignedKind(rule.kind)) {
        pattern = "S" + repeat('D', rule.digits - 1);
    } else {
        pattern = repeat('D', rule.digits);
    }
    const auto parsed = parseParam(pattern, field);
    if (!parsed) return std::nullopt;
    if (!isBitKind(rule.kind) && !inRange(rule, parsed->value)) return std::nullopt;
    return parsed->text;
}

}  // namespace orviksim
