#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "panelink/core/core_services.h"

namespace panelink {

// Link failure message shown when the transceiver reports a model this program does not
// support ("Failed to connect the COM port."), shown even while another box is up.
inline constexpr std::intptr_t kLinkMessageConnectFailed = 3;

// True when the answer letters `a` `b` have a decoder: every letter pair of AnswerTable except
// "DS". "EX" is not decoded here (the menu apply step takes it).
bool hasDecoder(char a, char b);

// Decodes one answer (letters at 0 and 1, parameters from 2, no ";") into RadioState and its
// CommandState copies, and runs the connection rules of "AI", "PS", "ID", "MD" and "RS".
// Returns whether the decode succeeded, so that the answer's display update is due; empty
// when the letters have no decoder. Bytes beyond `answer` read as zero.
std::optional<bool> decodeAnswer(CoreServices& services, std::string_view answer);

}  // namespace panelink
