// The one table of the protocol's commands this server knows, and the VFO names.
#include <algorithm>

#include "panelink/net/rig_command.h"

namespace panelink::net {
namespace {

using A = ArgKind;
using K = CommandKind;

constexpr CommandEntry kCommands[] = {
    {CommandId::SetFreq, 'F', "set_freq", K::Set, {A::Frequency, A::None}, {}},
    {CommandId::GetFreq, 'f', "get_freq", K::Get, {}, {"Frequency", ""}},
    {CommandId::SetMode, 'M', "set_mode", K::Set, {A::ModeName, A::Passband}, {}},
    {CommandId::GetMode, 'm', "get_mode", K::Get, {}, {"Mode", "Passband"}},
    {CommandId::SetVfo, 'V', "set_vfo", K::Set, {A::VfoName, A::None}, {}},
    {CommandId::GetVfo, 'v', "get_vfo", K::Get, {}, {"VFO", ""}},
    {CommandId::SetPtt, 'T', "set_ptt", K::Set, {A::PttState, A::None}, {}},
    {CommandId::GetPtt, 't', "get_ptt", K::Get, {}, {"PTT", ""}},
    {CommandId::SetSplitVfo, 'S', "set_split_vfo", K::Set, {A::SplitState, A::VfoName}, {}},
    {CommandId::GetSplitVfo, 's', "get_split_vfo", K::Get, {}, {"Split", "TX VFO"}},
    {CommandId::SetSplitFreq, 'I', "set_split_freq", K::Set, {A::Frequency, A::None}, {}},
    {CommandId::GetSplitFreq, 'i', "get_split_freq", K::Get, {}, {"TX Frequency", ""}},
    {CommandId::SetSplitMode, 'X', "set_split_mode", K::Set, {A::ModeName, A::Passband}, {}},
    {CommandId::GetSplitMode, 'x', "get_split_mode", K::Get, {}, {"TX Mode", "TX Passband"}},
    {CommandId::SetLevel, 'L', "set_level", K::Set, {A::LevelName, A::LevelValue}, {}},
    // The level's value comes back bare, without a key, also in the extended form.
    {CommandId::GetLevel, 'l', "get_level", K::Get, {A::LevelName, A::None}, {}},
    {CommandId::SetPowerstat, '\0', "set_powerstat", K::Set, {A::PowerStatus, A::None}, {}},
    {CommandId::GetPowerstat, '\0', "get_powerstat", K::Get, {}, {"Power Status", ""}},
    // The generic client asks for the lock before it sends a set_mode.
    {CommandId::SetLockMode, '\0', "set_lock_mode", K::Set, {A::LockMode, A::None}, {}},
    {CommandId::GetLockMode, '\0', "get_lock_mode", K::Get, {}, {"Locked", ""}},
    {CommandId::ChkVfo, '\0', "chk_vfo", K::Get, {}, {"ChkVFO", ""}},
    {CommandId::DumpState, '\0', "dump_state", K::Get, {}, {}},
    {CommandId::DumpCaps, '1', "dump_caps", K::Get, {}, {}},
    {CommandId::Quit, 'q', "quit", K::Set, {}, {}},
    {CommandId::Quit, 'Q', "quit", K::Set, {}, {}},
};

struct VfoToken {
    std::string_view name;
    Vfo vfo;
};

// The tokens a radio with VFO A and B can honour; VFOC, MEM and the like are refused.
constexpr VfoToken kVfoTokens[] = {
    {"VFOA", Vfo::A},          {"Main", Vfo::A},      {"VFOB", Vfo::B}, {"Sub", Vfo::B},
    {"currVFO", Vfo::Current}, {"VFO", Vfo::Current}, {"TX", Vfo::Tx},  {"RX", Vfo::Rx},
};

}  // namespace

std::span<const CommandEntry> commandTable() {
    return kCommands;
}

const CommandEntry* findCommand(std::string_view name) {
    const auto matches = [&](const CommandEntry& entry) {
        if (name.size() > 1 && name.front() == '\\') return entry.longName == name.substr(1);
        return name.size() == 1 && entry.shortName != '\0' && entry.shortName == name.front();
    };
    const auto* entry = std::find_if(std::begin(kCommands), std::end(kCommands), matches);
    return entry == std::end(kCommands) ? nullptr : entry;
}

std::optional<Vfo> vfoFromName(std::string_view name) {
    const auto* token = std::find_if(std::begin(kVfoTokens), std::end(kVfoTokens),
                                     [&](const VfoToken& t) { return t.name == name; });
    return token == std::end(kVfoTokens) ? std::nullopt : std::optional<Vfo>(token->vfo);
}

std::string_view vfoName(Vfo vfo) {
    // The first token of each VFO in the table is its answer.
    return std::find_if(std::begin(kVfoTokens), std::end(kVfoTokens),
                        [&](const VfoToken& t) { return t.vfo == vfo; })
        ->name;
}

}  // namespace panelink::net
