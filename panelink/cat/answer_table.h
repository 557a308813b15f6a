#pragma once

#include <array>
#include <cstdint>

#include "shared/platform/message.h"

namespace panelink {

// One answer the transceiver sends: its two letters, the display-update message posted to
// the main window after the answer has been decoded, and its fixed length including ";".
struct AnswerRecord {
    std::array<char, 4> letters;  // two letters, then two zero bytes
    std::uint32_t message;
    std::uint32_t length;
};

inline constexpr std::size_t kAnswerRecordCount = 71;

extern const std::array<AnswerRecord, kAnswerRecordCount> AnswerTable;

// First record whose letters are `a` `b`, or nullptr.
const AnswerRecord* findAnswer(char a, char b);

}  // namespace panelink
