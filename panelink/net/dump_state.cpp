#include "panelink/net/dump_state.h"

#include <cstdint>
#include <cstdio>
#include <string>

#include "panelink/net/rig_modes.h"

namespace panelink::net {
namespace {

constexpr int kProtocolVersion = 1;
// The generic network model's own number: the text does not name a radio driver.
constexpr int kModelNumber = 2;
constexpr int kItuRegion = 0;
// The range the radio accepts for VFO A and B.
constexpr std::int64_t kReceiveLowHz = 30'000;
constexpr std::int64_t kReceiveHighHz = 60'000'000;
// 160 m to 6 m as one range; the radio itself limits transmit to its bands. Power unknown (-1).
constexpr std::int64_t kTransmitLowHz = 1'800'000;
constexpr std::int64_t kTransmitHighHz = 54'000'000;
constexpr unsigned kVfoAB = 0x3;
constexpr unsigned kAntenna1 = 0x1;
constexpr int kTuningStepHz = 1;  // frequencies travel in whole hertz
constexpr unsigned kPttOverLink = 0x1;

std::string hex(std::uint64_t value) {
    char text[24];
    std::snprintf(text, sizeof text, "0x%llx", static_cast<unsigned long long>(value));
    return text;
}

std::string rangeLine(std::int64_t low, std::int64_t high) {
    char text[64];
    std::snprintf(text, sizeof text, "%lld.000000 %lld.000000 ", static_cast<long long>(low),
                  static_cast<long long>(high));
    return text + hex(protocolModeMask()) + " -1 -1 " + hex(kVfoAB) + " " + hex(kAntenna1) + "\n";
}

std::string filterLines() {
    std::string lines;
    for (const auto& mode : modeTable())
        lines += hex(mode.protocolBit) + " " + std::to_string(mode.passbandHz) + "\n";
    return lines;
}

constexpr const char* kRangeEnd = "0 0 0 0 0 0 0\n";
constexpr const char* kListEnd = "0 0\n";

// The protocol's bit for the signal strength level, the one level the server reads.
constexpr std::uint64_t kLevelStrength = 0x40000000;

// RIT, XIT, IF shift, announce; empty preamp and attenuator lists; get/set masks of
// functions, levels (only STRENGTH to get) and parameters.
std::string remainingLines() {
    return "0\n0\n0\n0\n\n\n0x0\n0x0\n" + hex(kLevelStrength) + "\n0x0\n0x0\n0x0\n";
}

std::string keyedLines() {
    return "vfo_ops=0x0\nptt_type=" + hex(kPttOverLink) +
           "\ntargetable_vfo=0x0\nhas_set_vfo=1\nhas_get_vfo=1\nhas_set_freq=1\n"
           "has_get_freq=1\ntimeout=0\nrig_model=" +
           std::to_string(kModelNumber) + "\ndone";
}

}  // namespace

std::string dumpStateText() {
    std::string text = std::to_string(kProtocolVersion) + "\n" + std::to_string(kModelNumber) +
                       "\n" + std::to_string(kItuRegion) + "\n";
    text += rangeLine(kReceiveLowHz, kReceiveHighHz) + kRangeEnd;
    text += rangeLine(kTransmitLowHz, kTransmitHighHz) + kRangeEnd;
    text += hex(protocolModeMask()) + " " + std::to_string(kTuningStepHz) + "\n" + kListEnd;
    text += filterLines() + kListEnd;
    text += remainingLines();
    return text + keyedLines();
}

}  // namespace panelink::net
