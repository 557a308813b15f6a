#pragma once

#include <cstdint>

#include "shared/platform/message.h"

namespace panelink {

using platform::WM_APP;

// Thread and window messages of the link and of the connection sequence.
inline constexpr std::uint32_t kMsgAnalyseAnswer = WM_APP + 0x102;     // to Anl_Recv_Thread
inline constexpr std::uint32_t kMsgWriteCommand = WM_APP + 0x103;      // to Sio_Send_Thread
inline constexpr std::uint32_t kMsgPollPort = WM_APP + 0x104;          // to Sio_Recv_Thread
inline constexpr std::uint32_t kMsgEndThread = WM_APP + 0x105;         // to every worker
inline constexpr std::uint32_t kMsgBuildMenuTable = WM_APP + 0x106;    // to File_MenuListDefFile
inline constexpr std::uint32_t kMsgReadoutStep = WM_APP + 0x107;       // to Anl_Send_Thread
inline constexpr std::uint32_t kMsgMenuReadoutStep = WM_APP + 0x108;   // to Anl_Send_Thread
inline constexpr std::uint32_t kMsgLinkFailure = WM_APP + 0x109;       // to the main window
inline constexpr std::uint32_t kMsgConnected = WM_APP + 0x10A;         // to the main window
inline constexpr std::uint32_t kMsgLinkLost = WM_APP + 0x10C;          // to Anl_Recv_Thread
inline constexpr std::uint32_t kMsgKeyerReadStep = WM_APP + 0x10F;     // to Anl_Send_Thread
inline constexpr std::uint32_t kMsgStartReadout = WM_APP + 0x34B;      // to Anl_Send_Thread
inline constexpr std::uint32_t kMsgStopReadouts = WM_APP + 0x34C;      // to Anl_Send_Thread
inline constexpr std::uint32_t kMsgStartMenuReadout = WM_APP + 0x34F;  // to Anl_Send_Thread
inline constexpr std::uint32_t kMsgPowerOnTick = WM_APP + 0x350;       // to Anl_Send_Thread
inline constexpr std::uint32_t kMsgPowerOffTick = WM_APP + 0x351;      // to Anl_Send_Thread
inline constexpr std::uint32_t kMsgReadId = WM_APP + 0x352;            // to Anl_Send_Thread
inline constexpr std::uint32_t kMsgReadStatusLater = WM_APP + 0x35D;   // to Anl_Send_Thread
inline constexpr std::uint32_t kMsgSwitchAutoInfo = WM_APP + 0x501;    // to Anl_Send_Thread
inline constexpr std::uint32_t kMsgStatusPoll = WM_APP + 0x569;        // to Anl_Send_Thread
inline constexpr std::uint32_t kMsgWakeWriter = WM_APP + 0x56A;        // to Anl_Send_Thread
inline constexpr std::uint32_t kMsgInfoPoll = WM_APP + 0x802;          // to Anl_Send_Thread
inline constexpr std::uint32_t kMsgMenuReadoutDone = WM_APP + 0x803;   // to the reading dialog

// Main-window display updates the link itself posts (besides those of the answer table).
inline constexpr std::uint32_t kMsgMenuValueChanged = WM_APP + 0x30B;
inline constexpr std::uint32_t kMsgMeterUpdate = WM_APP + 0x321;
inline constexpr std::uint32_t kMsgAutoInfoUpdate = WM_APP + 0x33A;
inline constexpr std::uint32_t kMsgSMeterUpdate = WM_APP + 0x337;

// wparam bits of a request to Anl_Send_Thread.
inline constexpr std::uintptr_t kSubSideBit = 1u << 0;
inline constexpr std::uintptr_t kReadBackBit = 1u << 20;

// The main window's numbered timers. Those marked "worker" only post to worker threads and
// may run on a timer thread of their own, so a modal dialog never stalls them.
enum TimerId : int {
    kTimerControlHold = 1,
    kTimerKnobRepeat = 2,
    kTimerReadout = 4,      // worker, 30 ms
    kTimerMenuReadout = 5,  // worker, 30 ms
    kTimerFrequencyA = 6,
    kTimerFrequencyB = 7,
    kTimerStatusPoll = 8,  // worker, 1000 ms
    kTimerInfoPoll = 10,   // worker, 1000 ms
    kTimerFirstRedraw = 11,
    kTimerFullRedraw = 13,
    kTimerPeakHold = 14,
    kTimerLinkWatchdog = 17,  // worker, 3000 ms
    kTimerDialSend = 18,
    kTimerKnobPointer = 19,
    kTimerConnectRetry = 22,
    kTimerPowerOn = 23,    // worker, 100 ms
    kTimerPowerOff = 24,   // worker, 600 ms
    kTimerKeyerRead = 25,  // worker, 30 ms
    kTimerVcc = 31,
    kTimerBlink = 36,
    kTimerConnect = 37,
    kTimerPopup = 38,
    kTimerShortcut = 39,
    kTimerReadBack = 41,
};

}  // namespace panelink
