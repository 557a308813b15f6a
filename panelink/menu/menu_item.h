#pragma once

#include <array>
#include <cstdint>

namespace panelink {

// One entry of the transceiver's set-up menu, copied whole between the table, the menu list
// window and the setting dialogs. Text fields are zero-terminated.
struct MenuItem {
    std::int32_t number = 0;           // number shown to the user; 0 for a blank record
    std::array<char, 8> name{};        // short name, e.g. "EXT MNU"
    std::array<char, 88> rangeText{};  // setting-range text shown in the list
    std::int32_t reserved = 0;
    double value = 0.0;                // last value read from (or set for) the radio
    std::array<char, 44> textValue{};  // text part of a text item (kind 46)
    std::int32_t digits = 0;           // characters of the value in the "EX" command
    std::uint8_t hasUnit = 0;
    std::array<char, 11> unit{};
    std::int32_t kind = 0;  // value kind; -1 marks a blank record
    double maximum = 0.0;
    double minimum = 0.0;
    double step = 0.0;
    std::int32_t decimals = 0;
    std::int32_t multiplier = 0;  // 0 means 1
    std::int32_t optionCount = 0;
    std::array<std::array<char, 41>, 60> options{};
    std::uint8_t changed = 0;  // 1 while a new value waits to be written
    double newValue = 0.0;
    std::array<char, 48> newText{};
};

// Value kinds the program's own code refers to by name.
inline constexpr std::int32_t kKindBlank = -1;
inline constexpr std::int32_t kKindNumber = 0;      // value x multiplier, min..max by step
inline constexpr std::int32_t kKindOption = 1;      // option index + minimum
inline constexpr std::int32_t kKindDecimal = 2;     // value x 10^-decimals
inline constexpr std::int32_t kKindSigned = 4;      // signed value x multiplier
inline constexpr std::int32_t kKindTenths = 9;      // value x 0.1
inline constexpr std::int32_t kKindBitsBands = 14;  // bit 1024 >> k for option k
inline constexpr std::int32_t kKindPeakHold = 15;
inline constexpr std::int32_t kKindOffOrNumber = 16;  // 0 is option 0, else value x multiplier
inline constexpr std::int32_t kKindCwPitch = 40;      // pitch code; written as 2 x option + 2
inline constexpr std::int32_t kKindBitsModes = 41;    // bit 32 >> k for option k
inline constexpr std::int32_t kKindSqlRfGain = 42;
inline constexpr std::int32_t kKindDataType = 43;
inline constexpr std::int32_t kKindCwBfo = 44;
inline constexpr std::int32_t kKindMicEq = 45;
inline constexpr std::int32_t kKindText = 46;
inline constexpr std::int32_t kKindDimmer = 47;  // read and written with "DA"
inline constexpr std::int32_t kKindSelDial = 48;
inline constexpr std::int32_t kKindClar = 49;
inline constexpr std::int32_t kKindToneFrequency = 50;
inline constexpr std::int32_t kKindPercent = 51;      // 0..255 shown as a percentage
inline constexpr std::int32_t kKindFixOrLinked = 52;  // 0..100 fixed, 101..201 linked (-50..+50)

}  // namespace panelink
