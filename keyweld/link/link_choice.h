#pragma once

#include <filesystem>
#include <string_view>

#include "keyweld/link/comm_settings.h"

namespace keyweld {

// The port and rate the editor keeps: port index 0..19 (COM1..COM20) and one of 4800, 9600,
// 19200, 38400 bit/s.
struct LinkChoice {
    int portIndex = 0;
    int baud = 4800;

    friend bool operator==(const LinkChoice&, const LinkChoice&) = default;
};

inline constexpr int kPortChoices = 20;

// The first line of CommSetting.csv as the editor reads it: field 1 is the port number
// (index = number - 1, kept even when outside 0..19), field 2 the rate text "4800", "9600",
// "19200" or "38400" (blanks around it ignored), any other text 4800; later fields are
// ignored. A line with fewer than two fields or a port field that is not a whole number gives
// COM1 and 4800.
LinkChoice parseLinkChoice(std::string_view firstLine);

// CommoFiles/CommSetting.csv; COM1 and 4800 when it is missing or unreadable. The editor
// never writes this file.
LinkChoice readLinkChoice(const std::filesystem::path& workingDir);

// The settings with the choice applied: the port when the index is 0..19 (otherwise it
// stays), the rate, and always 8 data bits, no parity, 2 stop bits, RTS/CTS flow control.
CommKSettings withLinkChoice(CommKSettings settings, const LinkChoice& choice);

}  // namespace keyweld
