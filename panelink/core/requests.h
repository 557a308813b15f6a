#pragma once

// The requests Anl_Send_Thread handles: a message each, with the value in lparam and, in
// wparam, the sub side (bit 0) and the read-back (bit 20). The values keep their WM_APP
// numbers and are ordered by them; every other place names a request, never its number.

#include <cstdint>

#include "shared/platform/message.h"

namespace panelink {

using platform::WM_APP;

enum class Request : std::uint32_t {
    // Steps of the timed sequences, from the worker timers.
    ReadoutStep = WM_APP + 0x107,
    MenuReadoutStep = WM_APP + 0x108,
    KeyerReadStep = WM_APP + 0x10F,

    ReadVcc = WM_APP + 0x110,
    ReadMemoryChannel = WM_APP + 0x111,  // lparam: channel

    StartReadout = WM_APP + 0x34B,
    StopReadouts = WM_APP + 0x34C,
    StartMenuReadout = WM_APP + 0x34F,
    PowerOnTick = WM_APP + 0x350,
    PowerOffTick = WM_APP + 0x351,
    ReadId = WM_APP + 0x352,
    ReadVfoSelect = WM_APP + 0x35C,
    ReadStepLater = WM_APP + 0x35D,  // "ST;" 100 ms later
    ReadBand = WM_APP + 0x35E,

    // Requests of the panel and the windows.
    SwitchAutoInfo = WM_APP + 0x501,
    SwitchPower = WM_APP + 0x502,
    SetDimmer = WM_APP + 0x503,
    ReadSubInformation = WM_APP + 0x504,  // "OI;", only while the VFO select is known
    ToggleVox = WM_APP + 0x505,
    SetTuner = WM_APP + 0x506,                 // lparam: 0 off, 1 on, 2 tuning
    ReadInformationWithFlag = WM_APP + 0x507,  // "IF;", only for lparam 0 or 1
    ReadInformation = WM_APP + 0x508,
    SetMonitor = WM_APP + 0x509,
    SetProcessor = WM_APP + 0x50A,
    ToggleKeyer = WM_APP + 0x50B,
    SetAttenuator = WM_APP + 0x50C,
    SetIpo = WM_APP + 0x50D,  // lparam: 0 on, 1 off
    ReadVfoB = WM_APP + 0x50E,
    SetAgc = WM_APP + 0x50F,  // lparam: 0 off, 1 auto, 2 fast, 4 slow
    SetNoiseBlanker = WM_APP + 0x510,
    ToggleBreakIn = WM_APP + 0x511,
    SetCwSpot = WM_APP + 0x512,
    SelectVfoA = WM_APP + 0x513,
    SelectVfoB = WM_APP + 0x514,
    SelectModeLsb = WM_APP + 0x515,
    SelectModeUsb = WM_APP + 0x516,
    SelectModeCw = WM_APP + 0x517,
    PressKey3 = WM_APP + 0x518,  // "MK3;"
    PressKey5 = WM_APP + 0x519,  // "MK5;"
    PressKey6 = WM_APP + 0x51A,  // "MK6;"
    StoreQuickMemory = WM_APP + 0x51B,
    RecallQuickMemory = WM_APP + 0x51C,
    ToggleNarrow = WM_APP + 0x51D,
    SetSplit = WM_APP + 0x51E,  // lparam: 0 off, 1 on, 2 quick split
    SetTxWatch = WM_APP + 0x51F,
    ReadVfoA = WM_APP + 0x520,  // only on a VFO, memory, PMS or home channel
    SplitOff = WM_APP + 0x521,
    ToggleFast = WM_APP + 0x522,
    ToggleLock = WM_APP + 0x523,
    CopyVfoAToB = WM_APP + 0x524,
    SwapVfos = WM_APP + 0x525,
    ToggleVfoMemory = WM_APP + 0x526,
    MemoryToVfoA = WM_APP + 0x527,
    VfoAToMemory = WM_APP + 0x528,
    WriteMenu = WM_APP + 0x529,  // every menu item marked changed
    // The band buttons, by their MHz.
    SelectBand50 = WM_APP + 0x52A,
    SelectBand1_8 = WM_APP + 0x52B,
    SelectBand3_5 = WM_APP + 0x52C,
    SelectBand7 = WM_APP + 0x52D,
    SelectBand10 = WM_APP + 0x52E,
    SelectBand14 = WM_APP + 0x52F,
    SelectBand18 = WM_APP + 0x530,
    SelectBand21 = WM_APP + 0x531,
    SelectBand24_5 = WM_APP + 0x532,
    SelectBand28 = WM_APP + 0x533,
    SelectBandGeneral = WM_APP + 0x534,
    ToggleRxClarifier = WM_APP + 0x535,
    ReadTxClarifier = WM_APP + 0x536,  // "IF;", which carries the clarifier state
    ClearClarifier = WM_APP + 0x537,
    ReadBand2 = WM_APP + 0x538,  // as ReadBand
    ToggleNotch = WM_APP + 0x539,
    ReadVfoSelectWhenKnown = WM_APP + 0x53A,  // only while the VFO select is known
    SetContourLevel = WM_APP + 0x53B,         // lparam: -2..2, 0 switches the contour off
    ToggleDnr = WM_APP + 0x53C,
    ReadVfoA2 = WM_APP + 0x53D,  // as ReadVfoA
    SplitOn = WM_APP + 0x53E,
    // The DSP/SEL knob's function: SEL, or one of the DSP settings.
    SetDspKnobSelect = WM_APP + 0x53F,
    SetDspKnobContour = WM_APP + 0x540,
    SetDspKnobNotch = WM_APP + 0x541,
    SetDspKnobDnr = WM_APP + 0x542,
    SetDspKnobWidth = WM_APP + 0x543,
    SetDspKnobFunction5 = WM_APP + 0x544,
    SetDspKnobFunction6 = WM_APP + 0x545,
    SetDspKnobFunction7 = WM_APP + 0x546,
    PressFunctionKey1 = WM_APP + 0x547,  // "FK1;" .. "FK7;"
    PressFunctionKey2 = WM_APP + 0x548,
    PressFunctionKey3 = WM_APP + 0x549,
    PressFunctionKey4 = WM_APP + 0x54A,
    PressFunctionKey5 = WM_APP + 0x54B,
    PressFunctionKey6 = WM_APP + 0x54C,
    PressFunctionKey7 = WM_APP + 0x54D,
    ReadMenuState = WM_APP + 0x54E,
    // lparam: signed steps; 0 or more than 99 sends nothing.
    StepMainDial = WM_APP + 0x54F,
    StepDspKnob = WM_APP + 0x550,
    SetVfoAFrequency = WM_APP + 0x551,  // lparam: Hz, 3000..60000000
    SetVfoBFrequency = WM_APP + 0x552,
    StepClarifier = WM_APP + 0x553,  // lparam: signed Hz, -9999..9999
    ReadBand3 = WM_APP + 0x554,      // as ReadBand
    SelectMeter = WM_APP + 0x555,
    SetMonitorLevel = WM_APP + 0x556,
    SetProcessorLevel = WM_APP + 0x557,
    SetKeyerSpeed = WM_APP + 0x558,
    SetKeyPitch = WM_APP + 0x559,
    ReadStep = WM_APP + 0x55A,
    SetSquelch = WM_APP + 0x55B,
    SetMicGain = WM_APP + 0x55C,
    SetVoxGain = WM_APP + 0x55D,
    SetVoxAndBreakInDelay = WM_APP + 0x55E,  // "VD", then "SD", same value
    SetSubSquelch = WM_APP + 0x55F,
    SetSubAfGain = WM_APP + 0x560,
    SetSubRfGain = WM_APP + 0x561,
    SetAfGain = WM_APP + 0x562,
    SetRfGain = WM_APP + 0x563,
    SetNotchFrequency = WM_APP + 0x564,
    SetIfShift = WM_APP + 0x565,  // lparam: signed Hz
    SetWidth = WM_APP + 0x566,
    SetContourFrequency = WM_APP + 0x567,
    SetDnrLevel = WM_APP + 0x568,
    StatusPoll = WM_APP + 0x569,
    WakeWriter = WM_APP + 0x56A,  // a command text was queued directly
    SetTransmitPower = WM_APP + 0x56B,

    // The Playback window.
    RecordVoiceMemory1 = WM_APP + 0x62C,
    RecordVoiceMemory2 = WM_APP + 0x62D,
    RecordVoiceMemory3 = WM_APP + 0x62E,
    RecordVoiceMemory4 = WM_APP + 0x62F,
    RecordVoiceMemory5 = WM_APP + 0x630,
    StopVoiceRecording = WM_APP + 0x631,
    PlayVoiceMemory1 = WM_APP + 0x632,
    PlayVoiceMemory2 = WM_APP + 0x633,
    PlayVoiceMemory3 = WM_APP + 0x634,
    PlayVoiceMemory4 = WM_APP + 0x635,
    PlayVoiceMemory5 = WM_APP + 0x636,
    StopVoicePlay = WM_APP + 0x637,
    StartAudioRecording = WM_APP + 0x638,
    StopAudioRecording = WM_APP + 0x639,
    PlayAudio = WM_APP + 0x63A,
    StopAudioPlay = WM_APP + 0x63B,

    // The CW window's keyer memories: messages 1..5, texts 1..5.
    PlayKeyerMessage1 = WM_APP + 0x640,
    PlayKeyerMessage2 = WM_APP + 0x641,
    PlayKeyerMessage3 = WM_APP + 0x642,
    PlayKeyerMessage4 = WM_APP + 0x643,
    PlayKeyerMessage5 = WM_APP + 0x644,
    PlayKeyerText1 = WM_APP + 0x645,
    PlayKeyerText2 = WM_APP + 0x646,
    PlayKeyerText3 = WM_APP + 0x647,
    PlayKeyerText4 = WM_APP + 0x648,
    PlayKeyerText5 = WM_APP + 0x649,

    // The Repeater window; the side is wparam bit 0.
    SetToneOff = WM_APP + 0x64A,
    SetToneEncoder = WM_APP + 0x64B,
    SetToneSquelch = WM_APP + 0x64C,
    SetToneNumber = WM_APP + 0x64D,
    SetRepeaterSimplex = WM_APP + 0x64E,
    SetRepeaterPlus = WM_APP + 0x64F,
    SetRepeaterMinus = WM_APP + 0x650,
    ReadSideInformation = WM_APP + 0x651,  // "IF;" for the main side, "OI;" for the sub

    StartKeyerRead = WM_APP + 0x652,
    SetWidthPreset = WM_APP + 0x653,  // the WIDTH pop-up: 0, 16 or 31
    // "RT;", the same read under four numbers.
    ReadClarifier1 = WM_APP + 0x654,
    ReadClarifier2 = WM_APP + 0x655,
    ReadClarifier3 = WM_APP + 0x656,
    ReadClarifier4 = WM_APP + 0x657,
    PressKey0 = WM_APP + 0x659,         // "MK0;"
    StepThirdEncoder = WM_APP + 0x65A,  // as StepMainDial, encoder 2
    ToggleScan = WM_APP + 0x65B,
    StepMode = WM_APP + 0x65C,  // lparam: 0 up, 1 down
    SelectModeAm = WM_APP + 0x65D,
    SelectModeFm = WM_APP + 0x65E,
    SelectModeData = WM_APP + 0x65F,
    StepBand = WM_APP + 0x660,     // lparam: 0 up, 1 down
    VfoAEqualsB = WM_APP + 0x661,  // the A=B key
    SetAux = WM_APP + 0x662,       // lparam: 0 low, 1 high
    RecallHome = WM_APP + 0x663,
    SetStep = WM_APP + 0x664,
    SetPms = WM_APP + 0x665,  // lparam: 0, 10000, 1000 or 11000
    AnnounceVoice = WM_APP + 0x666,
    TransmitVoiceMemory1 = WM_APP + 0x667,
    TransmitVoiceMemory2 = WM_APP + 0x668,
    StopVoiceTransmit = WM_APP + 0x669,
    WriteMemory = WM_APP + 0x66A,  // lparam: channel, with the last "IF" state
    ToggleTransmit = WM_APP + 0x66B,
    StopKeyerPlay = WM_APP + 0x66C,
    SetPanelLock = WM_APP + 0x66D,  // lparam: 2 locks the panel, 3 unlocks it
    SelectModeCwReverse = WM_APP + 0x66E,

    InfoPoll = WM_APP + 0x802,
};

// wparam bits of a request.
inline constexpr std::uintptr_t kSubSideBit = 1u << 0;
inline constexpr std::uintptr_t kReadBackBit = 1u << 20;
// SwitchAutoInfo from the rules that restore auto-information: switch it on, and do nothing
// when an earlier switch has turned it on meanwhile. Two such rules may fire for one event
// (power back on, the radio still reporting "AI0"); a plain switch would toggle it off again.
inline constexpr std::uintptr_t kAutoInfoOnOnlyBit = 1u << 1;
// SwitchAutoInfo from the rule for a radio that is not supported: switch it off, and do
// nothing when it is off already. A plain switch would turn it on for a radio that answers
// "ID" while not reporting, and every one of a stream of such answers would cost the sender
// its pauses.
inline constexpr std::uintptr_t kAutoInfoOffOnlyBit = 1u << 2;

}  // namespace panelink
