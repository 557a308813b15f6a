#include "tools/orvik-sim/radio_commands.h"

#include <array>

namespace orviksim {

namespace {

using enum ReadForm;

// clang-format off
constexpr std::array<CommandLength, 71> kAnswerLengths{{
    {"ID", 7},  {"RT", 4},  {"BP", 8},  {"CO", 7},  {"MS", 4},  {"NR", 5},  {"FT", 4},
    {"LK", 4},  {"FS", 4},  {"VS", 4},  {"NA", 5},  {"NB", 5},  {"GT", 5},  {"RA", 5},
    {"PA", 5},  {"KR", 4},  {"TS", 4},  {"AC", 6},  {"VX", 4},  {"BI", 4},  {"PR", 4},
    {"ML", 7},  {"CS", 4},  {"RM", 7},  {"KP", 5},  {"KS", 6},  {"SD", 7},  {"MG", 6},
    {"PL", 6},  {"VG", 6},  {"VD", 7},  {"SQ", 7},  {"AG", 7},  {"RG", 7},  {"IF", 27},
    {"IS", 9},  {"SH", 6},  {"RL", 6},  {"BY", 5},  {"FA", 11}, {"FB", 11}, {"SC", 4},
    {"SM", 7},  {"TX", 4},  {"UL", 4},  {"AI", 4},  {"CN", 6},  {"CT", 5},  {"KM", 54},
    {"MC", 6},  {"OI", 27}, {"OS", 5},  {"PB", 4},  {"PC", 6},  {"RS", 4},  {"MD", 5},
    {"PS", 4},  {"RI", 5},  {"BG", 5},  {"LM", 5},  {"DS", 4},  {"DQ", 5},  {"VC", 6},
    {"MR", 27}, {"VR", 4},  {"AX", 5},  {"DA", 7},  {"SS", 9},  {"ST", 4},  {"SF", 4},
    {"BS", 5},
}};

constexpr std::array<CommandLength, 83> kSetCommandLengths{{
    {"BS", 5},  {"RT", 4},  {"BP", 8},  {"CO", 7},  {"MS", 4},  {"NR", 5},  {"FT", 4},
    {"LK", 4},  {"FS", 4},  {"VS", 4},  {"NA", 5},  {"NB", 5},  {"GT", 5},  {"RA", 5},
    {"PA", 5},  {"KR", 4},  {"TS", 4},  {"AC", 6},  {"VX", 4},  {"BI", 4},  {"PR", 4},
    {"ML", 7},  {"CS", 4},  {"KP", 5},  {"KS", 6},  {"SD", 7},  {"MG", 6},  {"PL", 6},
    {"VG", 6},  {"VD", 7},  {"SQ", 7},  {"AG", 7},  {"RG", 7},  {"IS", 9},  {"SH", 6},
    {"RL", 6},  {"FA", 11}, {"FB", 11}, {"SC", 4},  {"TX", 4},  {"AI", 4},  {"CN", 6},
    {"CT", 5},  {"KM", 54}, {"MC", 6},  {"OS", 5},  {"PB", 4},  {"PC", 6},  {"MD", 5},
    {"PS", 4},  {"AB", 3},  {"AM", 3},  {"BD", 4},  {"BU", 4},  {"CH", 4},  {"ED", 6},
    {"EU", 6},  {"FK", 4},  {"KY", 4},  {"QI", 3},  {"QR", 3},  {"QS", 3},  {"RC", 3},
    {"RD", 7},  {"RU", 7},  {"SV", 3},  {"VM", 3},  {"MA", 3},  {"MK", 4},  {"LM", 5},
    {"IF", 27}, {"OI", 27}, {"DS", 4},  {"DQ", 5},  {"DA", 7},  {"VV", 3},  {"AX", 5},
    {"HM", 3},  {"ST", 4},  {"SS", 9},  {"VR", 4},  {"MW", 27}, {"SF", 4},
}};

constexpr std::array<ReadCommand, 69> kReadCommands{{
    {"ID", Special, 3},      {"EX", Special, 6},      {"VS", Plain, 3},
    {"FA", Plain, 3},        {"FB", Plain, 3},        {"IF", Plain, 3},
    {"OI", Plain, 3},        {"RS", Plain, 3},        {"ST", Plain, 3},
    {"BS", Plain, 3},        {"MD", SelectorZero, 4}, {"RT", Plain, 3},
    {"BP", Special, 5},      {"CO", Special, 5},      {"MS", Plain, 3},
    {"NR", SelectorZero, 4}, {"FT", Plain, 3},        {"LK", Plain, 3},
    {"FS", Plain, 3},        {"NA", SelectorZero, 4}, {"NB", SelectorZero, 4},
    {"GT", SelectorZero, 4}, {"RA", SelectorZero, 4}, {"PA", SelectorZero, 4},
    {"KR", Plain, 3},        {"TS", Plain, 3},        {"AC", Plain, 3},
    {"VX", Plain, 3},        {"BI", Plain, 3},        {"ML", BothSides, 4},
    {"CS", Plain, 3},        {"RM", Special, 4},      {"KP", Plain, 3},
    {"KS", Plain, 3},        {"SD", Plain, 3},        {"MG", Plain, 3},
    {"VG", Plain, 3},        {"VD", Plain, 3},        {"SQ", SelectorZero, 4},
    {"AG", SelectorZero, 4}, {"RG", SelectorZero, 4}, {"IS", SelectorZero, 4},
    {"SH", SelectorZero, 4}, {"RL", SelectorZero, 4}, {"BY", Plain, 3},
    {"SC", Plain, 3},        {"SM", SelectorZero, 4}, {"TX", Plain, 3},
    {"UL", Plain, 3},        {"AI", Plain, 3},        {"CN", SelectorZero, 4},
    {"CT", SelectorZero, 4}, {"KM", Special, 4},      {"MC", Plain, 3},
    {"OS", SelectorZero, 4}, {"PB", Plain, 3},        {"PC", Plain, 3},
    {"PS", Plain, 3},        {"RI", Special, 4},      {"BG", Special, 4},
    {"LM", SelectorZero, 4}, {"DS", Plain, 3},        {"VC", Plain, 3},
    {"MR", Special, 6},      {"VR", Plain, 3},        {"AX", Plain, 3},
    {"DA", Plain, 3},        {"SS", Plain, 4},        {"SF", Plain, 3},
}};
// clang-format on

std::optional<int> lengthIn(std::span<const CommandLength> table, std::string_view letters) {
    for (const auto& row : table) {
        if (row.letters == letters) return row.length;
    }
    return std::nullopt;
}

}  // namespace

std::span<const CommandLength> answerLengths() {
    return kAnswerLengths;
}

std::span<const CommandLength> setCommandLengths() {
    return kSetCommandLengths;
}

std::span<const ReadCommand> readCommands() {
    return kReadCommands;
}

std::optional<int> answerLength(std::string_view letters) {
    return lengthIn(kAnswerLengths, letters);
}

std::optional<int> setCommandLength(std::string_view letters) {
    return lengthIn(kSetCommandLengths, letters);
}

}  // namespace orviksim
