#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace orviksim {

// The CAT command set as the radio knows it. The control program keeps tables of its own;
// a test compares the two, so that a slip in either shows up as a disagreement.

// Letters and the fixed total length through ";" of an answer or of a set command.
struct CommandLength {
    std::string_view letters;
    int length;
};

// How the control program reads a command while connecting.
enum class ReadForm : std::int32_t {
    Plain = 0,         // the letters and ";"
    SelectorZero = 1,  // the letters, "0", ";"
    BothSides = 2,     // two reads, selector "0" and "1"
    Special = 3,       // command-specific parameters
};

struct ReadCommand {
    std::string_view letters;
    ReadForm form;
    int length;
};

// Every fixed-length answer, in the order the control program looks them up (first match
// wins). "EX" answers are not here: their length follows the menu item.
std::span<const CommandLength> answerLengths();
// The full set form of every command the control program sends.
std::span<const CommandLength> setCommandLengths();
// The connection read-out, one record per step, in the order of its steps.
std::span<const ReadCommand> readCommands();

// The length of the answer or set command with these letters, or nothing.
std::optional<int> answerLength(std::string_view letters);
std::optional<int> setCommandLength(std::string_view letters);

}  // namespace orviksim
