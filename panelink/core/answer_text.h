#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace panelink {

// One answer as the decoders read it: letters at 0 and 1, parameters from 2, no ";". The
// receive side hands over at most 511 bytes followed by zero bytes; a position beyond the
// text given reads as such a zero byte, so no decoder ever reads past its answer.
class AnswerText {
  public:
    explicit constexpr AnswerText(std::string_view text) : text_(text) {}

    constexpr char at(std::size_t position) const {
        return position < text_.size() ? text_[position] : '\0';
    }
    constexpr std::string_view text() const { return text_; }

    constexpr bool isDigit(std::size_t position) const {
        const char c = at(position);
        return c >= '0' && c <= '9';
    }

    // The decimal field of `width` digits at `position`; empty unless every one is a digit.
    // Widths above 9 are refused: the field must fit a 32-bit value.
    constexpr std::optional<std::int32_t> digits(std::size_t position, std::size_t width) const {
        if (width == 0 || width > 9) return std::nullopt;
        std::int32_t value = 0;
        for (std::size_t i = 0; i < width; ++i) {
            if (!isDigit(position + i)) return std::nullopt;
            value = value * 10 + (at(position + i) - '0');
        }
        return value;
    }

    // "0"-"9", "A"-"F" or "a"-"f" at `position`, as 0..15.
    constexpr std::optional<std::int32_t> hexDigit(std::size_t position) const {
        const char c = at(position);
        if (c >= '0' && c <= '9') return c - '0';
        if (c >= 'A' && c <= 'F') return c - 'A' + 10;
        if (c >= 'a' && c <= 'f') return c - 'a' + 10;
        return std::nullopt;
    }

    // The `width` characters at `position` read as a number with every non-digit passed over
    // ("X20" is 20, "" is 0). Widths above 9 are cut to 9 characters.
    constexpr std::int32_t skippingDigits(std::size_t position, std::size_t width) const {
        if (width > 9) width = 9;
        std::int32_t value = 0;
        for (std::size_t i = 0; i < width; ++i) {
            if (isDigit(position + i)) value = value * 10 + (at(position + i) - '0');
        }
        return value;
    }

  private:
    std::string_view text_;
};

}  // namespace panelink
