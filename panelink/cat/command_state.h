#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>
#include <string_view>

#include "panelink/cat/radio_state.h"
#include "panelink/cat/ranged_field_set.h"

namespace panelink {

inline constexpr std::int32_t kPlainMin = std::numeric_limits<std::int32_t>::min();
inline constexpr std::int32_t kPlainMax = std::numeric_limits<std::int32_t>::max();

// The values the command sender reads to build toggles and steps: X(name, default, min, max).
// AI is the auto-information value, PS the power value, MD_modeClass the class the "MD" answer
// derives. Copies without a range of their own (kPlainMin..kPlainMax) take any value. Defaults are
// 0 even where 0 lies outside the range (FA, FB, KS, ML_1, RL): 0 there means "no answer yet".
// Copies kept "as 0/1" have the range 0..1.
// clang-format off
#define PANELINK_COMMAND_FIELDS(X)              \
    X(RT,             0, kPlainMin, kPlainMax)  \
    X(BP_0,           0, 0,         1)          \
    X(BP_1,           1, 1,         400)        \
    X(NR_0,           0, kPlainMin, kPlainMax)  \
    X(LK,             0, kPlainMin, kPlainMax)  \
    X(FS,             0, kPlainMin, kPlainMax)  \
    X(VS,             0, kPlainMin, kPlainMax)  \
    X(NA_0,           0, kPlainMin, kPlainMax)  \
    X(NA_1,           0, kPlainMin, kPlainMax)  \
    X(NB,             0, 0,         1)          \
    X(KR,             0, kPlainMin, kPlainMax)  \
    X(VX,             0, kPlainMin, kPlainMax)  \
    X(BI,             0, kPlainMin, kPlainMax)  \
    X(PR,             0, kPlainMin, kPlainMax)  \
    X(ML_0,           0, kPlainMin, kPlainMax)  \
    X(ML_1,           0, 1,         255)        \
    X(CS,             0, kPlainMin, kPlainMax)  \
    X(KP,             0, 0,         15)         \
    X(KS,             0, 4,         60)         \
    X(SD,             0, 0,         5000)       \
    X(MG,             0, 0,         255)        \
    X(PL,             0, 0,         255)        \
    X(VG,             0, 0,         255)        \
    X(SQ_0,           0, 0,         255)        \
    X(SQ_1,           0, 0,         255)        \
    X(AG_0,           0, 0,         255)        \
    X(AG_1,           0, 0,         255)        \
    X(RG_0,           0, 0,         255)        \
    X(RG_1,           0, 0,         255)        \
    X(IF_txClarifier, 0, kPlainMin, kPlainMax)  \
    X(IS,             0, -1000,     1000)       \
    X(SH,             0, 0,         31)         \
    X(RL,             0, 1,         15)         \
    X(FA,             0, 30000,     60000000)   \
    X(FB,             0, 30000,     60000000)   \
    X(SC,             0, 0,         1)          \
    X(TX,             0, 0,         1)          \
    X(AI,             0, kPlainMin, kPlainMax)  \
    X(PC,             0, 0,         255)        \
    X(MD_0,           0, kPlainMin, kPlainMax)  \
    X(MD_1,           0, kPlainMin, kPlainMax)  \
    X(MD_modeClass,   0, 0,         2)          \
    X(MS,             0, 0,         5)          \
    X(PS,             0, kPlainMin, kPlainMax)  \
    X(VR,             0, 0,         1)
// clang-format on

enum class CommandField : int {
#define PANELINK_X(name, value, minimum, maximum) name,
    PANELINK_COMMAND_FIELDS(PANELINK_X)
#undef PANELINK_X
    // The "IF" answer's receive clarifier shares the RT copy (the RIT toggle reads it); the
    // "OI" answer's frequency lands in the FB copy.
    IF_rxClarifier = RT,
    OI_frequency = FB,
};

#define PANELINK_X(name, value, minimum, maximum) 1,
inline constexpr std::size_t kCommandFieldCount =
    std::array{PANELINK_COMMAND_FIELDS(PANELINK_X)}.size();
#undef PANELINK_X

std::string_view commandFieldName(CommandField field);

class CommandState {
  public:
    CommandState();  // starts reset
    CommandState(const CommandState&) = delete;
    CommandState& operator=(const CommandState&) = delete;

    // A field outside the enumeration reads 0 and refuses every store.
    std::int32_t get(CommandField field) const { return fields_.get(field); }
    bool store(CommandField field, std::int32_t value) { return fields_.store(field, value); }
    std::int32_t minimum(CommandField field) const { return fields_.minimum(field); }
    std::int32_t maximum(CommandField field) const { return fields_.maximum(field); }

    // Every field to its default value and range.
    void reset();

  private:
    RangedFieldSet<CommandField, std::int32_t, kCommandFieldCount> fields_;
};

// How a reported value reaches its command copy.
enum class CopyRule {
    Plain,   // the value itself, under the copy's range
    AsFlag,  // 1 for any non-zero value, else 0
};

struct CommandCopy {
    CommandField field;
    CopyRule rule;
};

// The copy that a decoder keeps of a reported field, if it keeps one.
std::optional<CommandCopy> commandCopyOf(RadioField field);

// Reads the reported field as it is now (whether or not its last store succeeded) and stores it
// into the copy; false when the copy's range refuses it, which keeps the copy's old value.
bool copyToCommand(const RadioState& radio, RadioField from, CommandState& command,
                   CommandField to);
bool copyToCommandAsFlag(const RadioState& radio, RadioField from, CommandState& command,
                         CommandField to);

// The same through commandCopyOf(from); false also when the field keeps no copy.
bool copyToCommand(const RadioState& radio, RadioField from, CommandState& command);

}  // namespace panelink
