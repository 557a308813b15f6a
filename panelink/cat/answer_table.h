#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <variant>

#include "panelink/core/messages.h"

namespace panelink {

enum class RadioField : int;  // radio_state.h
struct CoreServices;
class AnswerText;

// The rule most answers follow: a decimal field of `width` digits at `valueAt`, stored into
// `first`, or, when the answer carries a selector digit at `selectorAt`, into `first` for
// selector 0 and `second` for selector 1. A field that is not all digits, another selector or
// a value the state refuses fails the decode, unless `alwaysSucceeds`. A stored field also
// refreshes its CommandState copy, if it keeps one (commandCopyOf).
struct FieldRule {
    static constexpr int kNoSelector = -1;

    int selectorAt = kNoSelector;
    int valueAt = 2;
    int width = 1;
    RadioField first{};
    RadioField second{};
    bool alwaysSucceeds = false;
};

// An answer with a shape of its own: decodes it into the records and returns whether its
// display update is due.
using SpecialDecoder = bool (*)(CoreServices&, const AnswerText&);

// An answer that is framed but deliberately not decoded: it changes nothing and posts nothing.
struct NotDecoded {};

using AnswerDecoding = std::variant<NotDecoded, FieldRule, SpecialDecoder>;

// One answer the transceiver sends: its two letters, the display update posted to the main
// window after a successful decode, its fixed length including ";" (the length the receive
// framer cuts it at; "KM" and "ID" it frames up to their ";"), and how it is decoded.
struct AnswerRecord {
    std::array<char, 2> letters;
    DisplayUpdate update;
    std::uint32_t length;
    AnswerDecoding decoding;
};

inline constexpr std::size_t kAnswerRecordCount = 71;

extern const std::array<AnswerRecord, kAnswerRecordCount> AnswerTable;

// First record whose letters are `a` `b`, or nullptr. "EX" answers are not in the table: their
// length follows the menu item and the menu apply step takes them.
const AnswerRecord* findAnswer(char a, char b);

}  // namespace panelink
