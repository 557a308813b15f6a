#pragma once

#include <array>
#include <cstdint>

namespace panelink {

// A command's two letters, a table-specific integer (0 in SetCommandTable, the read kind in
// ReadCommandTable) and the command's total length including ";".
struct CommandRecord {
    std::array<char, 2> letters;
    std::int32_t kind;
    std::int32_t length;
};

inline constexpr std::size_t kSetCommandCount = 83;
inline constexpr std::size_t kReadCommandCount = 69;

// Read kinds of ReadCommandTable.
enum ReadKind : std::int32_t {
    kReadPlain = 0,         // letters and ";"
    kReadSelectorZero = 1,  // letters, "0", ";"
    kReadBothSides = 2,     // two reads, selector "0" and "1"
    kReadSpecial = 3,       // command-specific parameters
};

extern const std::array<CommandRecord, kSetCommandCount> SetCommandTable;
extern const std::array<CommandRecord, kReadCommandCount> ReadCommandTable;

}  // namespace panelink
