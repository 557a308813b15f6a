#include "tools/orvik-sim/param_pattern.h"

#include <cstdio>
#include <limits>

namespace orviksim {

namespace {

int digitValue(char c) {
    return c >= '0' && c <= '9' ? c - '0' : -1;
}

int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

bool isValueChar(char p) {
    return p == 'D' || p == 'H' || p == 'B';
}
bool isSignChar(char p) {
    return p == 'S' || p == 'Z';
}

// value * base + digit, held at the largest value instead of overflowing (a template that
// spans a whole record, such as a memory channel, carries more digits than fit).
std::int64_t accumulate(std::int64_t value, int base, int digit) {
    constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
    if (value > (kMax - digit) / base) return kMax;
    return value * base + digit;
}

}  // namespace

bool isUpperLetter(char c) {
    return c >= 'A' && c <= 'Z';
}

bool patternHasValue(std::string_view pattern) {
    for (char p : pattern) {
        if (isValueChar(p)) return true;
    }
    return false;
}

std::optional<ParsedParam> parseParam(std::string_view pattern, std::string_view param) {
    if (pattern.size() != param.size()) return std::nullopt;
    ParsedParam parsed;
    parsed.text.reserve(param.size());
    bool negative = false;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const char p = pattern[i];
        char c = param[i];
        switch (p) {
            case 'D':
            case 'B': {
                const int d = digitValue(c);
                if (d < 0 || (p == 'B' && d > 1)) return std::nullopt;
                parsed.value = accumulate(parsed.value, 10, d);
                break;
            }
            case 'H': {
                const int h = hexValue(c);
                if (h < 0) return std::nullopt;
                parsed.value = accumulate(parsed.value, 16, h);
                c = "0123456789ABCDEF"[h];
                break;
            }
            case 'S':
                if (c != '+' && c != '-') return std::nullopt;
                negative = c == '-';
                break;
            case 'Z':
                if (c != '0' && c != '+' && c != '-') return std::nullopt;
                negative = c == '-';
                if (c == '+') c = '0';
                break;
            default:
                if (c != p) return std::nullopt;
                break;
        }
        parsed.text.push_back(c);
    }
    if (negative) parsed.value = -parsed.value;
    return parsed;
}

std::optional<std::string> formatParam(std::string_view pattern, std::int64_t value) {
    std::string text(pattern);
    bool hasSign = false;
    for (char p : pattern)
        hasSign = hasSign || isSignChar(p);
    if (value < 0 && !hasSign) return std::nullopt;
    std::uint64_t magnitude =
        value < 0 ? static_cast<std::uint64_t>(-value) : static_cast<std::uint64_t>(value);
    for (std::size_t i = text.size(); i-- > 0;) {
        const char p = pattern[i];
        if (p == 'H') {
            text[i] = "0123456789ABCDEF"[magnitude % 16];
            magnitude /= 16;
        } else if (p == 'D' || p == 'B') {
            const auto digit = magnitude % 10;
            if (p == 'B' && digit > 1) return std::nullopt;
            text[i] = static_cast<char>('0' + digit);
            magnitude /= 10;
        } else if (p == 'S') {
            text[i] = value < 0 ? '-' : '+';
        } else if (p == 'Z') {
            text[i] = value < 0 ? '-' : '0';
        }
    }
    if (magnitude != 0) return std::nullopt;
    return text;
}

std::optional<std::int64_t> parseInteger(std::string_view text) {
    if (text.empty()) return std::nullopt;
    bool negative = false;
    if (text.front() == '+' || text.front() == '-') {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty() || text.size() > 12) return std::nullopt;
    std::int64_t value = 0;
    for (char c : text) {
        const int d = digitValue(c);
        if (d < 0) return std::nullopt;
        value = value * 10 + d;
    }
    return negative ? -value : value;
}

std::string printable(std::string_view bytes) {
    std::string shown;
    shown.reserve(bytes.size());
    for (char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte < 0x7F && c != '\\') {
            shown.push_back(c);
        } else {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", byte);
            shown += escaped;
        }
    }
    return shown;
}

std::string unescape(std::string_view text) {
    std::string bytes;
    bytes.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 1 < text.size()) {
            if (text[i + 1] == '\\') {
                bytes.push_back('\\');
                ++i;
                continue;
            }
            if ((text[i + 1] == 'x' || text[i + 1] == 'X') && i + 3 < text.size() &&
                hexValue(text[i + 2]) >= 0 && hexValue(text[i + 3]) >= 0) {
                bytes.push_back(
                    static_cast<char>(hexValue(text[i + 2]) * 16 + hexValue(text[i + 3])));
                i += 3;
                continue;
            }
        }
        bytes.push_back(text[i]);
    }
    return bytes;
}

}  // namespace orviksim
