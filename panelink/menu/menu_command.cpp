#include "panelink/menu/menu_command.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "panelink/core/command_buffer.h"
#include "panelink/core/decimal_field.h"

namespace panelink {
namespace {

constexpr int kMaxIndex = 999;
constexpr int kValueStart = 5;  // "EX" and three index digits come first
constexpr int kBandsTopBit = 1024;
constexpr int kModesTopBit = 32;

bool isSignedKind(int kind) {
    return kind == 4 || kind == 5 || kind == 11 || (kind >= 25 && kind <= 30);
}

// One character per bit, most significant first: character j stands for bit topBit >> j.
// A negative set or one out of range has no bits to show.
void writeBitField(std::span<char> field, std::optional<std::int64_t> value, int topBit) {
    std::fill(field.begin(), field.end(), '0');
    if (!value || *value < 0) return;
    for (std::size_t j = 0; j < field.size() && j < 31; ++j) {
        const std::int64_t bit = topBit >> j;
        if (bit != 0 && (*value & bit) != 0) field[j] = '1';
    }
}

// Sign, then the magnitude right-aligned in the characters left.
void writeSignedField(std::span<char> field, double value, std::optional<std::int64_t> whole) {
    std::fill(field.begin(), field.end(), '0');
    if (!whole || field.empty()) return;
    field[0] = value >= 0.0 ? '+' : '-';
    writeDecimalField(field.subspan(1), magnitude(*whole).value_or(-1));
}

// The text of a text item as far as it can travel inside a command: up to its first zero byte,
// at most kMenuTextMax characters, and cut before any ";" or non-printable byte, which would
// end the command early or put a stray byte on the line.
std::string_view writableText(const MenuItem& item) {
    const std::string_view whole(item.newText.data(), item.newText.size());
    std::size_t length = 0;
    while (length < whole.size() && length < static_cast<std::size_t>(kMenuTextMax)) {
        const auto byte = static_cast<unsigned char>(whole[length]);
        if (byte < 0x20 || byte > 0x7E || byte == ';') break;
        ++length;
    }
    return whole.substr(0, length);
}

bool usableIndex(int index, const MenuItem& item) {
    return index >= 1 && index <= kMaxIndex && item.kind != kKindBlank;
}

}  // namespace

std::string menuReadCommand(int index, const MenuItem& item) {
    if (!usableIndex(index, item)) return {};
    if (item.kind == kKindDimmer) return "DA;";
    CommandBuffer command(kValueStart + 1);
    command.put(0, "EX");
    command.putDecimal(2, 3, index);
    return command.text();
}

std::string menuWriteCommand(int index, const MenuItem& item) {
    if (!usableIndex(index, item)) return {};
    const std::optional<std::int64_t> whole = integerPart(item.newValue);
    // Out-of-range values (NaN, infinities, huge numbers) write an all-"0" field.
    const std::int64_t fieldValue = whole.value_or(-1);

    if (item.kind == kKindDimmer) {
        CommandBuffer command(7);
        command.put(0, "DA");
        command.putDecimal(2, 2, fieldValue);
        command.put(4, "00");
        return command.text();
    }

    if (item.kind == kKindText) {
        const std::string_view text = writableText(item);
        CommandBuffer command(static_cast<int>(text.size()) + kValueStart + 2);
        command.put(0, "EX");
        command.putDecimal(2, 3, index);
        command.putDecimal(kValueStart, 1, fieldValue);
        command.put(kValueStart + 1, text);
        return command.text();
    }

    if (item.digits < 1 || item.digits > CommandBuffer::kSize - 1 - (kValueStart + 1)) return {};
    std::string field(static_cast<std::size_t>(item.digits), '0');
    if (item.kind == kKindBitsBands) {
        writeBitField(field, whole, kBandsTopBit);
    } else if (item.kind == kKindBitsModes) {
        writeBitField(field, whole, kModesTopBit);
    } else if (isSignedKind(item.kind)) {
        writeSignedField(field, item.newValue, whole);
    } else {
        // Every other kind, the scaled ones (2, 6) included: the value as the radio counts it,
        // right-aligned; negative or too wide leaves all "0".
        writeDecimalField(field, fieldValue);
    }
    CommandBuffer command(item.digits + kValueStart + 1);
    command.put(0, "EX");
    command.putDecimal(2, 3, index);
    command.put(kValueStart, field);
    return command.text();
}

}  // namespace panelink
