#pragma once

#include <string_view>

namespace panelink {

// The string table's texts that the auxiliary windows show, by number.
struct ProgramString {
    int number;
    std::string_view text;
};

inline constexpr ProgramString kStringEnterFrequency{102, "Please enter the operating frequency."};
inline constexpr ProgramString kStringInputRangeIncorrect{104, "The input range is incorrect."};
inline constexpr ProgramString kStringEnterCommand{105, "Please enter the TX command."};
inline constexpr ProgramString kStringChannelExists{
    115, "This channel already exists.\nOverwrite this channel?"};
inline constexpr ProgramString kStringEnterMemoryChannel{116,
                                                         "Please enter the storage memory ch."};
inline constexpr ProgramString kStringMemoryEntryRange{117, "The entry range is 1-504."};

}  // namespace panelink
