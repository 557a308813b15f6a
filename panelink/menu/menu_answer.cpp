#include "panelink/menu/menu_answer.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>

#include "panelink/core/answer_text.h"

namespace panelink {

namespace {

constexpr std::size_t kValueAt = 5;
constexpr std::size_t kTextChars = 40;

// Bit set written one character per bit, most significant first.
double readBits(const AnswerText& text, int width, int topBit, int bitCount) {
    int value = 0;
    for (int j = 0; j < width && j < bitCount; ++j) {
        if (text.at(kValueAt + static_cast<std::size_t>(j)) == '1') value += topBit >> j;
    }
    return value;
}

// The whole field as an optionally signed decimal number; empty when it is anything else or
// does not fit 32 bits.
std::optional<double> readDecimal(const AnswerText& text, int width) {
    std::size_t position = kValueAt;
    const std::size_t end = kValueAt + static_cast<std::size_t>(width);
    bool negative = false;
    if (text.at(position) == '+' || text.at(position) == '-') {
        negative = text.at(position) == '-';
        ++position;
    }
    if (position >= end) return std::nullopt;
    std::int64_t magnitude = 0;
    for (; position < end; ++position) {
        if (!text.isDigit(position)) return std::nullopt;
        magnitude = magnitude * 10 + (text.at(position) - '0');
        if (magnitude > std::numeric_limits<std::int32_t>::max()) return std::nullopt;
    }
    return static_cast<double>(negative ? -magnitude : magnitude);
}

// Kind 46: the text behind the leading digit, up to 40 characters or the first zero byte.
void storeText(const AnswerText& text, int width, MenuItem& item) {
    const std::size_t available = width > 1 ? static_cast<std::size_t>(width - 1) : 0;
    const std::size_t count = std::min({available, kTextChars, item.textValue.size() - 1});
    item.textValue.fill('\0');
    for (std::size_t i = 0; i < count; ++i) {
        const char c = text.at(kValueAt + 1 + i);
        if (c == '\0') break;
        item.textValue[i] = c;
    }
}

std::optional<double> readValue(const AnswerText& text, int width, const MenuItem& item) {
    switch (item.kind) {
        case kKindBitsBands:
            return readBits(text, width, 1024, 11);
        case kKindBitsModes:
            return readBits(text, width, 32, 6);
        case kKindText:
            if (width < 1 || !text.isDigit(kValueAt)) return std::nullopt;
            return text.at(kValueAt) - '0';
        default:
            return readDecimal(text, width);
    }
}

}  // namespace

int menuAnswerIndex(std::string_view answer) {
    const AnswerText text(answer);
    int index = 0;
    for (std::size_t position = 2; position <= 4; ++position) {
        if (text.isDigit(position)) index = index * 10 + (text.at(position) - '0');
    }
    return index;
}

int expectedMenuAnswerWidth(const MenuItemTable& table, std::string_view answer) {
    return table.digitsAt(menuAnswerIndex(answer));
}

int menuItemKindForAnswer(const MenuItemTable& table, std::string_view answer) {
    return table.kindAt(menuAnswerIndex(answer));
}

bool applyMenuAnswer(MenuItemTable& table, int itemCount, std::string_view answer) {
    const int index = menuAnswerIndex(answer);
    if (index < 1 || index > itemCount) return false;
    const AnswerText text(answer);
    bool changed = false;
    table.withItem(index, [&](MenuItem& item) {
        const int width = item.digits;
        if (width < 0 || width > kMaxMenuAnswerWidth) return;
        if (item.kind == kKindText) storeText(text, width, item);
        const auto value = readValue(text, width, item);
        if (value && *value != item.value) {
            item.value = *value;
            changed = true;
        }
    });
    return changed;
}

}  // namespace panelink
