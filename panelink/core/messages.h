#pragma once

// The names of the messages that travel between Panelink's threads and windows. Each enum's
// values keep their WM_APP numbers, so each list reads line by line against the message
// tables; a number is written here once and everywhere else by its name.

#include <cstdint>

#include "shared/platform/message.h"
#include "shared/platform/message_thread.h"

namespace panelink {

using platform::WM_APP;

// Link and thread control: to and from the worker threads.
enum class ThreadMessage : std::uint32_t {
    AnalyseAnswer = WM_APP + 0x102,            // to Anl_Recv_Thread: one answer was pushed
    WriteCommand = WM_APP + 0x103,             // to Sio_Send_Thread: one command was pushed
    PollPort = WM_APP + 0x104,                 // to Sio_Recv_Thread
    EndThread = platform::kQuitThreadMessage,  // to every worker
    BuildMenuTable = WM_APP + 0x106,           // to File_MenuListDefFile
    LinkLost = WM_APP + 0x10C,                 // to Anl_Recv_Thread, from the link watchdog
};

// Display updates: posted after an answer has been decoded (one per answer, named by its
// letters), or when the link or a menu setting changed what the windows show.
enum class DisplayUpdate : std::uint32_t {
    BS = WM_APP + 0x301,
    RT = WM_APP + 0x302,
    Reserved303 = WM_APP + 0x303,
    SF = WM_APP + 0x304,
    BP = WM_APP + 0x305,
    Reserved306 = WM_APP + 0x306,
    CO = WM_APP + 0x307,
    NR = WM_APP + 0x308,
    FT = WM_APP + 0x309,
    Reserved30A = WM_APP + 0x30A,
    MenuValueChanged = WM_APP + 0x30B,  // an "EX" answer changed a menu item
    LK = WM_APP + 0x30C,
    FS = WM_APP + 0x30D,
    VS = WM_APP + 0x30E,
    NA = WM_APP + 0x30F,
    NB = WM_APP + 0x310,
    Reserved311 = WM_APP + 0x311,
    GT = WM_APP + 0x312,
    RA = WM_APP + 0x313,
    PA = WM_APP + 0x314,
    KR = WM_APP + 0x315,
    TS = WM_APP + 0x316,
    Reserved317 = WM_APP + 0x317,
    AC = WM_APP + 0x318,
    DS = WM_APP + 0x319,
    VX = WM_APP + 0x31B,
    BI = WM_APP + 0x31C,
    PR = WM_APP + 0x31D,
    ML = WM_APP + 0x31E,
    CS = WM_APP + 0x31F,
    RM = WM_APP + 0x321,  // the meter reading, also after a menu change of a meter item
    KP = WM_APP + 0x322,
    KS = WM_APP + 0x323,
    SD = WM_APP + 0x324,
    Reserved325 = WM_APP + 0x325,
    MG = WM_APP + 0x326,
    PL = WM_APP + 0x327,
    VG = WM_APP + 0x328,
    VD = WM_APP + 0x329,
    SQ = WM_APP + 0x32A,
    AG = WM_APP + 0x32B,
    RG = WM_APP + 0x32C,
    IF = WM_APP + 0x32D,
    Reserved32E = WM_APP + 0x32E,
    IS = WM_APP + 0x32F,
    SH = WM_APP + 0x330,
    RL = WM_APP + 0x331,
    BY = WM_APP + 0x332,
    FA = WM_APP + 0x333,
    FB = WM_APP + 0x334,
    SC = WM_APP + 0x336,
    SM = WM_APP + 0x337,
    TX = WM_APP + 0x338,
    UL = WM_APP + 0x339,
    AI = WM_APP + 0x33A,  // also when the link is lost
    CN = WM_APP + 0x33B,
    CT = WM_APP + 0x33C,
    KM = WM_APP + 0x33D,
    MC = WM_APP + 0x33E,
    OI = WM_APP + 0x33F,
    OS = WM_APP + 0x340,
    PB = WM_APP + 0x341,
    PC = WM_APP + 0x342,
    RS = WM_APP + 0x343,
    ID = WM_APP + 0x344,
    MD = WM_APP + 0x345,
    MS = WM_APP + 0x346,
    PS = WM_APP + 0x347,
    RI = WM_APP + 0x348,
    Reserved34A = WM_APP + 0x34A,
    BG = WM_APP + 0x34D,
    LM = WM_APP + 0x34E,
    Reserved353 = WM_APP + 0x353,
    DQ = WM_APP + 0x354,
    VC = WM_APP + 0x355,
    MR = WM_APP + 0x356,
    VR = WM_APP + 0x357,
    AX = WM_APP + 0x358,
    DA = WM_APP + 0x359,
    SS = WM_APP + 0x35A,
    ST = WM_APP + 0x35B,
};

// Messages to the windows on the user interface thread: link notices, the front panel's
// drawing messages, and the message each auxiliary window sends when it closes.
enum class WindowMessage : std::uint32_t {
    LinkFailure = WM_APP + 0x109,      // lparam: index of the link failure message
    Connected = WM_APP + 0x10A,        // sent, and waited for, by Anl_Recv_Thread
    MenuReadoutDone = WM_APP + 0x803,  // to the reading dialog

    // Key caps drawn pressed (wparam 1) or released (wparam 0).
    ComKey = WM_APP + 0x578,
    PowerKey = WM_APP + 0x579,
    VoxStoKey = WM_APP + 0x57A,
    TuneKey = WM_APP + 0x57B,
    KeyerKey = WM_APP + 0x57C,
    IpoAttKey = WM_APP + 0x57D,
    AgcKey = WM_APP + 0x57E,
    NbKey = WM_APP + 0x57F,
    FastKey = WM_APP + 0x580,
    LockKey = WM_APP + 0x581,
    VfoSwapKey = WM_APP + 0x582,
    FunctionKey = WM_APP + 0x583,
    VfoCopyKey = WM_APP + 0x584,
    SelKey = WM_APP + 0x59A,
    MeterKey = WM_APP + 0x59B,
    VoiceKey = WM_APP + 0x59C,
    MemoryWriteKey = WM_APP + 0x59D,
    HomeKey = WM_APP + 0x59E,
    StepKey = WM_APP + 0x59F,
    PmsKey = WM_APP + 0x5A0,
    DspKey = WM_APP + 0x5A1,
    ModeDownKey = WM_APP + 0x5A2,
    ModeUpKey = WM_APP + 0x5A3,
    ClarKey = WM_APP + 0x5A4,
    BandDownKey = WM_APP + 0x5A5,
    BandUpKey = WM_APP + 0x5A6,

    // Dials, knobs and the frequency display.
    DrawMainDial = WM_APP + 0x585,  // wparam: angle
    SelectDigit = WM_APP + 0x586,   // wparam: digit index
    Reserved587 = WM_APP + 0x587,
    DrawDspSelKnob = WM_APP + 0x588,  // wparam: angle, 360 for no pointer
    Reserved58D = WM_APP + 0x58D,
    Exit = WM_APP + 0x58E,         // File/Exit
    KnobCaption = WM_APP + 0x58F,  // wparam: lit, lparam: caption index
    Reserved591 = WM_APP + 0x591,
    Reserved592 = WM_APP + 0x592,
    Reserved599 = WM_APP + 0x599,
    MenuListReady = WM_APP + 0x5A7,  // the MENU LIST window has filled its list

    // An auxiliary window has closed.
    VfoSetClosed = WM_APP + 0x589,  // wparam: the entered frequency, or 0
    ComSelectClosed = WM_APP + 0x58A,
    BaudRateClosed = WM_APP + 0x58B,
    CommandSendClosed = WM_APP + 0x58C,
    MenuListClosed = WM_APP + 0x590,
    PlaybackClosed = WM_APP + 0x593,
    CwClosed = WM_APP + 0x594,
    RepeaterClosed = WM_APP + 0x595,
    ContourClosed = WM_APP + 0x5A8,
    VccClosed = WM_APP + 0x5A9,
    NotchClosed = WM_APP + 0x5AA,
    MicEqClosed = WM_APP + 0x5AB,
    DnrClosed = WM_APP + 0x5AC,
    MemoryWriteClosed = WM_APP + 0x5AD,
};

// The message number of a name.
template <class Name>
constexpr std::uint32_t id(Name name) {
    return static_cast<std::uint32_t>(name);
}

// A message of a name with its parameters.
template <class Name>
constexpr platform::Message message(Name name, std::uintptr_t wparam = 0,
                                    std::intptr_t lparam = 0) {
    return platform::Message{id(name), wparam, lparam};
}

// Whether `message` carries the number of `name`.
template <class Name>
constexpr bool is(const platform::Message& message, Name name) {
    return message.id == id(name);
}

}  // namespace panelink
