#pragma once

// The rigctld text protocol ("NET rigctl", TCP 4532), without sockets and without Qt: one
// input line in, one parsed command out; rig_answer.h writes the reply.
//
// How a server uses it, one client connection at a time:
// - Read bytes up to '\n'; a line longer than kMaxLineLength is answered with an error and
//   the rest of it dropped up to the next '\n'. parseRigCommand() takes the line without '\n'.
// - A blank line gets no answer. A parse error is answered with errorAnswer() in the form the
//   client asked for; the connection stays open.
// - Gets (f, m, v, t, s, i, x, l, \get_powerstat, \get_lock_mode, \chk_vfo, \dump_state)
//   are answered at once from the radio state Panelink already keeps; nothing is sent to the
//   radio for them, so several clients polling do not load the one serial link.
// - Sets are handed to the panel as the same requests a knob or key would send, then the
//   server waits a bounded time for the radio state to show the value: it shows → RPRT 0;
//   the wait runs out → RigError::Timeout; the radio refused → RigError::Rejected.
// - No serial link to the radio → every get and set answers RigError::IoError, except
//   \chk_vfo, \dump_state and q, which need no radio.
// - q / \quit: answer RPRT 0, then close the connection.
// The server answers \chk_vfo with 0: clients then send no VFO argument in front of the
// others, and the parser accepts none.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>

#include "panelink/net/rig_errors.h"

namespace panelink::net {

// Longer lines are refused rather than grown without bound.
constexpr std::size_t kMaxLineLength = 4096;

enum class CommandId {
    SetFreq,
    GetFreq,
    SetMode,
    GetMode,
    SetVfo,
    GetVfo,
    SetPtt,
    GetPtt,
    SetSplitVfo,
    GetSplitVfo,
    SetSplitFreq,
    GetSplitFreq,
    SetSplitMode,
    GetSplitMode,
    SetLevel,
    GetLevel,
    SetPowerstat,
    GetPowerstat,
    SetLockMode,
    GetLockMode,
    ChkVfo,
    DumpState,
    DumpCaps,
    Quit,
};

// What a command's answer is: values (get) or only "RPRT n" (set).
enum class CommandKind { Get, Set };

enum class ArgKind {
    None,
    Frequency,    // Hz, integer or decimal ("14074000.000000"); kept as whole Hz
    ModeName,     // protocol token ("USB") or "?" for the list
    Passband,     // Hz; -1 no change, 0 the default
    VfoName,      // VFOA, VFOB, currVFO ...
    PttState,     // 0 RX, 1 TX, 2 TX mic, 3 TX data
    SplitState,   // 0 or 1
    LevelName,    // protocol token ("RFPOWER") or "?"
    LevelValue,   // decimal
    PowerStatus,  // 0 off, 1 on, 2 standby
    LockMode,     // 0 or 1: clients may not change the mode
};

constexpr std::size_t kMaxArguments = 2;
constexpr std::size_t kMaxValues = 2;

struct CommandEntry {
    CommandId id;
    char shortName;  // '\0': long name only
    std::string_view longName;
    CommandKind kind;
    std::array<ArgKind, kMaxArguments> arguments;
    // The names a get's values carry in the extended form ("Frequency"); empty: bare value.
    std::array<std::string_view, kMaxValues> valueKeys;
};

std::span<const CommandEntry> commandTable();

// "\get_freq" by its long name, anything else by its one character; null when unknown.
const CommandEntry* findCommand(std::string_view name);

enum class Vfo { A, B, Current, Tx, Rx };

// A token stays text (mode and level names: the server maps them), numbers are parsed.
using Argument = std::variant<std::monostate, std::int64_t, double, std::string, Vfo>;

// The token get_vfo and get_split_vfo answer with ("VFOA").
std::string_view vfoName(Vfo vfo);
std::optional<Vfo> vfoFromName(std::string_view name);

// How the answer is laid out: plain, or the extended form with its record separator.
struct ResponseForm {
    bool extended = false;
    char separator = '\n';
};

struct RigCommand {
    const CommandEntry* entry = nullptr;  // null for an unknown command
    ResponseForm form;
    std::array<Argument, kMaxArguments> arguments;
    std::string argumentText;  // the arguments as received, echoed by the extended form
};

// A parsed line, or why not. On an error `command` still carries what was understood (the
// response form, the command if it was known) so the error answer takes the client's form.
struct ParseResult {
    RigCommand command;
    RigError error = RigError::Ok;
    std::string reason;  // for the log, never sent
    bool blank = false;  // nothing but blanks: no answer

    bool ok() const { return error == RigError::Ok && !blank; }
};

// One line without its '\n'; a trailing '\r' is allowed.
ParseResult parseRigCommand(std::string_view line);

}  // namespace panelink::net
