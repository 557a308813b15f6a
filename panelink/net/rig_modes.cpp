#include "panelink/net/rig_modes.h"

#include <algorithm>

namespace panelink::net {
namespace {

// Bits as the protocol's \dump_state uses them (checked with the generic client's mode list).
constexpr std::uint64_t kAm = 0x1, kCw = 0x2, kUsb = 0x4, kLsb = 0x8, kRtty = 0x10, kFm = 0x20,
                        kCwr = 0x80, kPktLsb = 0x400, kPktUsb = 0x800;

// One row per protocol name. Passbands are nominal: the radio's width setting is not mapped.
constexpr ModeMapping kModes[] = {
    {"LSB", 1, std::nullopt, kLsb, 2400},
    {"USB", 2, std::nullopt, kUsb, 2400},
    {"CW", 3, std::nullopt, kCw, 500},
    {"FM", 4, std::nullopt, kFm, 12000},
    {"AM", 5, std::nullopt, kAm, 6000},
    {"RTTY", 6, DataType::Rtty, kRtty, 2400},
    {"PKTLSB", 6, DataType::UserLsb, kPktLsb, 2400},
    {"PKTUSB", 6, DataType::UserUsb, kPktUsb, 2400},
    {"CWR", 7, std::nullopt, kCwr, 500},
};

struct ModeAlias {
    int radioMode;
    int readsAs;
};

// Modes the radio reports but that cannot be requested by name: the panel shows 8, 9 and 12
// as DATA and 11 as FM, so they read as those. Mode 10 shows nothing and has no name.
constexpr ModeAlias kReportedOnly[] = {{8, 6}, {9, 6}, {11, 4}, {12, 6}};

int canonicalMode(int radioMode) {
    const auto* alias = std::find_if(std::begin(kReportedOnly), std::end(kReportedOnly),
                                     [&](const ModeAlias& a) { return a.radioMode == radioMode; });
    return alias == std::end(kReportedOnly) ? radioMode : alias->readsAs;
}

// An option outside the menu's three reads as its default.
DataType dataTypeFromOption(int option) {
    return option == 1 ? DataType::UserLsb : option == 2 ? DataType::UserUsb : DataType::Rtty;
}

}  // namespace

std::span<const ModeMapping> modeTable() {
    return kModes;
}

std::optional<ModeMapping> radioModeFor(std::string_view protocolName) {
    const auto* row = std::find_if(std::begin(kModes), std::end(kModes),
                                   [&](const auto& m) { return m.protocolName == protocolName; });
    return row == std::end(kModes) ? std::nullopt : std::optional<ModeMapping>(*row);
}

std::optional<ModeMapping> protocolModeFor(int radioMode, int dataTypeOption) {
    const int mode = canonicalMode(radioMode);
    const DataType dataType = dataTypeFromOption(dataTypeOption);
    const auto* row = std::find_if(std::begin(kModes), std::end(kModes), [&](const auto& m) {
        return m.radioMode == mode && (!m.dataType || *m.dataType == dataType);
    });
    return row == std::end(kModes) ? std::nullopt : std::optional<ModeMapping>(*row);
}

std::uint64_t protocolModeMask() {
    std::uint64_t mask = 0;
    for (const auto& mode : kModes)
        mask |= mode.protocolBit;
    return mask;
}

std::string protocolModeList() {
    std::string list;
    for (const auto& mode : kModes)
        list += std::string(mode.protocolName) + " ";
    return list;
}

}  // namespace panelink::net
