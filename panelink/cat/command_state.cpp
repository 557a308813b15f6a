#include "panelink/cat/command_state.h"

namespace panelink {

namespace {

constexpr FieldDefaults<std::int32_t, kCommandFieldCount> kCommandDefaults{{
#define PANELINK_X(name, value, minimum, maximum) {#name, value, minimum, maximum},
    PANELINK_COMMAND_FIELDS(PANELINK_X)
#undef PANELINK_X
}};

// Defaults may lie outside their ranges (0 for "no answer yet"); the ranges themselves may not
// be empty.
static_assert(rangesOrdered(kCommandDefaults));

struct CopyRow {
    RadioField from;
    CommandCopy to;
};

// Which reported fields the decoders copy, and how.
constexpr CopyRow kCopies[] = {
    {RadioField::RT, {CommandField::RT, CopyRule::Plain}},
    {RadioField::BP_0, {CommandField::BP_0, CopyRule::Plain}},
    {RadioField::BP_1, {CommandField::BP_1, CopyRule::Plain}},
    {RadioField::NR_0, {CommandField::NR_0, CopyRule::Plain}},
    {RadioField::LK, {CommandField::LK, CopyRule::Plain}},
    {RadioField::FS, {CommandField::FS, CopyRule::Plain}},
    {RadioField::VS, {CommandField::VS, CopyRule::Plain}},
    {RadioField::NA_0, {CommandField::NA_0, CopyRule::Plain}},
    {RadioField::NA_1, {CommandField::NA_1, CopyRule::Plain}},
    {RadioField::NB, {CommandField::NB, CopyRule::AsFlag}},
    {RadioField::KR, {CommandField::KR, CopyRule::Plain}},
    {RadioField::VX, {CommandField::VX, CopyRule::Plain}},
    {RadioField::BI, {CommandField::BI, CopyRule::Plain}},
    {RadioField::PR, {CommandField::PR, CopyRule::Plain}},
    {RadioField::ML_0, {CommandField::ML_0, CopyRule::Plain}},
    {RadioField::ML_1, {CommandField::ML_1, CopyRule::Plain}},
    {RadioField::CS, {CommandField::CS, CopyRule::Plain}},
    {RadioField::KP, {CommandField::KP, CopyRule::Plain}},
    {RadioField::KS, {CommandField::KS, CopyRule::Plain}},
    {RadioField::SD, {CommandField::SD, CopyRule::Plain}},
    {RadioField::MG, {CommandField::MG, CopyRule::Plain}},
    {RadioField::PL, {CommandField::PL, CopyRule::Plain}},
    {RadioField::VG, {CommandField::VG, CopyRule::Plain}},
    {RadioField::SQ_0, {CommandField::SQ_0, CopyRule::Plain}},
    {RadioField::SQ_1, {CommandField::SQ_1, CopyRule::Plain}},
    {RadioField::AG_0, {CommandField::AG_0, CopyRule::Plain}},
    {RadioField::AG_1, {CommandField::AG_1, CopyRule::Plain}},
    {RadioField::RG_0, {CommandField::RG_0, CopyRule::Plain}},
    {RadioField::RG_1, {CommandField::RG_1, CopyRule::Plain}},
    {RadioField::IF_rxClarifier, {CommandField::IF_rxClarifier, CopyRule::Plain}},
    {RadioField::IF_txClarifier, {CommandField::IF_txClarifier, CopyRule::Plain}},
    {RadioField::OI_frequency, {CommandField::OI_frequency, CopyRule::Plain}},
    {RadioField::IS, {CommandField::IS, CopyRule::Plain}},
    {RadioField::SH, {CommandField::SH, CopyRule::Plain}},
    {RadioField::RL, {CommandField::RL, CopyRule::Plain}},
    {RadioField::FB, {CommandField::FB, CopyRule::Plain}},
    {RadioField::SC, {CommandField::SC, CopyRule::AsFlag}},
    {RadioField::TX, {CommandField::TX, CopyRule::AsFlag}},
    {RadioField::AI, {CommandField::AI, CopyRule::Plain}},
    {RadioField::PC, {CommandField::PC, CopyRule::Plain}},
    {RadioField::MD_0, {CommandField::MD_0, CopyRule::Plain}},
    {RadioField::MD_1, {CommandField::MD_1, CopyRule::Plain}},
    {RadioField::MS, {CommandField::MS, CopyRule::Plain}},
    {RadioField::PS, {CommandField::PS, CopyRule::Plain}},
};

}  // namespace

std::string_view commandFieldName(CommandField field) {
    return fieldName(kCommandDefaults, field);
}

CommandState::CommandState() {
    reset();
}

void CommandState::reset() {
    fields_.reset(kCommandDefaults);
}

std::optional<CommandCopy> commandCopyOf(RadioField field) {
    for (const auto& row : kCopies) {
        if (row.from == field) return row.to;
    }
    return std::nullopt;
}

bool copyToCommand(const RadioState& radio, RadioField from, CommandState& command,
                   CommandField to) {
    return command.store(to, radio.get(from));
}

bool copyToCommandAsFlag(const RadioState& radio, RadioField from, CommandState& command,
                         CommandField to) {
    return command.store(to, radio.get(from) != 0 ? 1 : 0);
}

bool copyToCommand(const RadioState& radio, RadioField from, CommandState& command) {
    const auto copy = commandCopyOf(from);
    if (!copy) return false;
    return copy->rule == CopyRule::AsFlag ? copyToCommandAsFlag(radio, from, command, copy->field)
                                          : copyToCommand(radio, from, command, copy->field);
}

}  // namespace panelink
