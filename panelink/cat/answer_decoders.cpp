#include "panelink/cat/answer_decoders.h"

#include <cstddef>
#include <variant>

#include "panelink/cat/command_state.h"
#include "panelink/cat/radio_state.h"
#include "panelink/cat/special_decoders.h"
#include "panelink/core/answer_text.h"

namespace panelink {

namespace {

bool decodeField(CoreServices& s, const FieldRule& rule, const AnswerText& text) {
    RadioField target = rule.first;
    if (rule.selectorAt != FieldRule::kNoSelector) {
        const auto selector = text.digits(static_cast<std::size_t>(rule.selectorAt), 1);
        if (!selector || *selector > 1) return rule.alwaysSucceeds;
        if (*selector == 1) target = rule.second;
    }
    const auto value =
        text.digits(static_cast<std::size_t>(rule.valueAt), static_cast<std::size_t>(rule.width));
    if (!value) return rule.alwaysSucceeds;
    return storeReported(s, target, *value) || rule.alwaysSucceeds;
}

}  // namespace

void copyReported(CoreServices& s, RadioField field) {
    copyToCommand(s.radio, field, s.command);
}

bool storeReported(CoreServices& s, RadioField field, std::int32_t value) {
    const bool stored = s.radio.store(field, value);
    copyReported(s, field);
    return stored;
}

std::optional<bool> decodeAnswer(CoreServices& services, const AnswerRecord& record,
                                 std::string_view answer) {
    const AnswerText text(answer);
    if (const auto* rule = std::get_if<FieldRule>(&record.decoding)) {
        return decodeField(services, *rule, text);
    }
    if (const auto* decoder = std::get_if<SpecialDecoder>(&record.decoding)) {
        return (*decoder)(services, text);
    }
    return std::nullopt;
}

std::optional<bool> decodeAnswer(CoreServices& services, std::string_view answer) {
    const AnswerText text(answer);
    const AnswerRecord* record = findAnswer(text.at(0), text.at(1));
    if (record == nullptr) return std::nullopt;
    return decodeAnswer(services, *record, answer);
}

}  // namespace panelink
