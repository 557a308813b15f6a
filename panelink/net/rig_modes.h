#pragma once

// The protocol's mode names against the radio's operating modes (the "MD" values).
// The radio has one DATA mode (6); the menu setting "D TYPE" says which kind of data it is
// (0 RTTY, 1 USER-L, 2 USER-U), so RTTY, PKTLSB and PKTUSB all select mode 6 and differ in
// that setting. Setting one of them means setting both.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace panelink::net {

// Option index of the "D TYPE" menu setting; its default is RTTY.
enum class DataType { Rtty = 0, UserLsb = 1, UserUsb = 2 };

struct ModeMapping {
    std::string_view protocolName;  // as in set_mode / get_mode
    int radioMode;                  // the MD value
    std::optional<DataType> dataType;
    std::uint64_t protocolBit;  // the mode's bit in \dump_state
    int passbandHz;             // nominal width answered by get_mode
};

std::span<const ModeMapping> modeTable();

// The mode to request for a protocol name; nothing for a name the radio has no mode for.
std::optional<ModeMapping> radioModeFor(std::string_view protocolName);

// The protocol name for the radio's mode, with the "D TYPE" option for data; nothing for a
// mode with no protocol name.
std::optional<ModeMapping> protocolModeFor(int radioMode, int dataTypeOption);

// Every protocol mode bit of the table, for \dump_state.
std::uint64_t protocolModeMask();

// The names for "M ?", space-separated as the daemon lists them.
std::string protocolModeList();

}  // namespace panelink::net
