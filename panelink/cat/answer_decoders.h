#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "panelink/cat/answer_table.h"
#include "panelink/core/core_services.h"

namespace panelink {

// Link failure message shown when the transceiver reports a model this program does not
// support ("Failed to connect the COM port."), shown even while another box is up.
inline constexpr std::intptr_t kLinkMessageConnectFailed = 3;

// Decodes one answer (letters at 0 and 1, parameters from 2, no ";") as `record` says: by its
// field rule or its special decoder. Returns whether the decode succeeded, so that the
// record's display update is due; empty when the record is not decoded. Bytes beyond `answer`
// read as zero.
std::optional<bool> decodeAnswer(CoreServices& services, const AnswerRecord& record,
                                 std::string_view answer);

// The same through the record of the answer's letters; empty also for letters not in
// AnswerTable.
std::optional<bool> decodeAnswer(CoreServices& services, std::string_view answer);

}  // namespace panelink
