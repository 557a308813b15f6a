#pragma once

// The requests Anl_Send_Thread handles: a message each, with the value in lparam and, in
// wparam, the sub side (bit 0) and the read-back (bit 20). The values keep their WM_APP
// numbers, so the list reads line by line against the request tables.

#include <cstdint>

#include "shared/platform/message.h"

namespace panelink {

enum class Request : std::uint32_t {
    // Steps of the read-outs, from the worker timers.
    ReadoutStep = platform::WM_APP + 0x107,
    MenuReadoutStep = platform::WM_APP + 0x108,
    KeyerReadStep = platform::WM_APP + 0x10F,

    StartReadout = platform::WM_APP + 0x34B,
    StopReadouts = platform::WM_APP + 0x34C,
    StartMenuReadout = platform::WM_APP + 0x34F,
    PowerOnTick = platform::WM_APP + 0x350,
    PowerOffTick = platform::WM_APP + 0x351,
    ReadId = platform::WM_APP + 0x352,
    ReadStatusLater = platform::WM_APP + 0x35D,
    SwitchAutoInfo = platform::WM_APP + 0x501,
    PowerSwitch = platform::WM_APP + 0x502,
    ToggleNa = platform::WM_APP + 0x51D,
    WriteMenu = platform::WM_APP + 0x529,
    ToggleBp = platform::WM_APP + 0x539,
    SetContour = platform::WM_APP + 0x53B,
    EncoderMain = platform::WM_APP + 0x54F,
    EncoderSub = platform::WM_APP + 0x550,
    ClarifierStep = platform::WM_APP + 0x553,
    SetVdSd = platform::WM_APP + 0x55E,
    SetShift = platform::WM_APP + 0x565,
    StatusPoll = platform::WM_APP + 0x569,
    WakeWriter = platform::WM_APP + 0x56A,  // a command text was queued directly
    ReadInformation = platform::WM_APP + 0x651,
    StartKeyerRead = platform::WM_APP + 0x652,
    EncoderThird = platform::WM_APP + 0x65A,
    WriteMemory = platform::WM_APP + 0x66A,
    PanelLock = platform::WM_APP + 0x66D,
    InfoPoll = platform::WM_APP + 0x802,
};

// wparam bits of a request.
inline constexpr std::uintptr_t kSubSideBit = 1u << 0;
inline constexpr std::uintptr_t kReadBackBit = 1u << 20;

}  // namespace panelink
