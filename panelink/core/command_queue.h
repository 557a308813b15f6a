#pragma once

#include <string_view>

#include "panelink/core/core_services.h"

namespace panelink {

// Asks the radio whether it is on: the first command at start-up, and again when an adapter
// that was missing at start-up appears. Its "PS1" answer starts the connection.
inline constexpr std::string_view kPowerStatusQuery = "PS;";

// Puts one command text on the send queue and wakes Sio_Send_Thread for it. Refused (false,
// nothing queued, nothing posted): empty text, text of 512 bytes or more, and text holding a
// NUL byte, which must never go on the wire.
bool queueCommand(CoreServices& core, std::string_view text);

}  // namespace panelink
