#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace orviksim {

// A parameter template describes the characters that follow a state key in an answer:
//   'D' decimal digit, 'H' hexadecimal digit, 'B' binary digit ("0"/"1"),
//   'S' sign ("+" or "-"), 'Z' sign written as "0" for zero or plus, "-" for minus;
// any other character stands for itself. The D, H and B characters together carry one
// number (most significant first), negated when the sign character is "-"; a number too
// large for 64 bits reads as the largest value.
struct ParsedParam {
    std::string text;  // normalised: hexadecimal digits in upper case
    std::int64_t value = 0;
};

// The parameter read under `pattern`, or nothing when a character does not fit.
std::optional<ParsedParam> parseParam(std::string_view pattern, std::string_view param);

// `value` written under `pattern` (digits right-aligned, leading zeros), or nothing when it
// does not fit: too many digits, a negative value without a sign character, or a binary
// field given a digit other than 0 or 1.
std::optional<std::string> formatParam(std::string_view pattern, std::int64_t value);

// True when the pattern carries a number at all (it has a D, H or B character).
bool patternHasValue(std::string_view pattern);

// A whole decimal number with an optional sign ("-500", "+12", "7"), or nothing.
std::optional<std::int64_t> parseInteger(std::string_view text);

bool isUpperLetter(char c);

// Bytes shown for people: printable ASCII as it is, everything else as \xHH.
std::string printable(std::string_view bytes);

// The reverse for text typed by people: "\xHH" gives that byte, "\\" a backslash.
std::string unescape(std::string_view text);

}  // namespace orviksim
