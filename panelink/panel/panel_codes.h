#pragma once

#include <cstdint>

namespace panelink {

// The panel control codes: what a hit on the picture, a right click, a dial or knob, a
// frequency digit, Enter or a shortcut key yields. The numbers are the codes the controls
// have always had; everything else names them.
enum class PanelCode : std::int32_t {
    None = 0,
    Com = 1,
    Power = 2,
    Vox = 5,
    Tune = 6,
    Keyer = 11,
    Agc = 15,
    NoiseBlanker = 16,
    Store = 35,
    Recall = 36,
    Split = 38,
    ClarSelect = 41,  // C.S
    Fast = 44,
    Lock = 45,
    VfoSwap = 47,    // A/B
    VfoMemory = 48,  // V/M
    Function = 51,   // F
    Enter = 63,
    VfoCopy = 81,  // A=B
    Sel = 87,
    Meter = 88,
    MainDial = 89,
    DspSelKnob = 90,
    SqlKnob = 98,
    AfGainKnob = 106,
    RfGainKnob = 107,
    ShiftKnob = 111,
    Digit1 = 200,  // the 1 Hz digit
    Digit2 = 201,
    Digit3 = 202,
    Digit4 = 203,
    Digit5 = 204,
    Digit6 = 205,
    Digit7 = 206,
    Digit8 = 207,  // the 10 MHz digit
    SetVfoA = 216,
    SetVfoB = 217,
    Voice = 219,
    MemoryWrite = 220,  // MW
    Home = 221,
    Step = 222,
    Pms = 223,
    Scan = 224,
    Dsp = 225,
    IpoAtt = 226,
    ModeDown = 227,
    ModeUp = 228,
    ModeMenuDown = 229,  // right click on MODE ▼
    ModeMenuUp = 230,    // right click on MODE ▲
    Clar = 231,
    BandDown = 232,
    BandUp = 233,
    BandMenuDown = 234,  // right click on BAND ▼
    BandMenuUp = 235,    // right click on BAND ▲
    ClarClear = 237,     // right click on CLAR
    ContourLabel = 238,
    NotchLabel = 239,
    DnrLabel = 240,
    WidthLabel = 241,
    MicEq = 242,
    AttOnLabel = 243,
    AttOffLabel = 244,
    IpoOnLabel = 245,
    IpoOffLabel = 246,
    NbOnLabel = 247,
    NbOffLabel = 248,
    AgcTitleLabel = 249,
    AgcAutoLabel = 250,
    AgcFastLabel = 251,
    AgcSlowLabel = 252,
    TunerLabel = 253,
    MeterPoLabel = 254,
    MeterAlcLabel = 255,
    MeterSwrLabel = 256,
    LsbLabel = 257,
    UsbLabel = 258,
    CwLabel = 259,
    AmLabel = 260,
    FmLabel = 261,
    DataLabel = 262,
    KeyerLabel = 263,
    ClarLabel = 264,
    FastLabel = 265,
    LockLabel = 266,
    VoxLabel = 267,
    BreakInLabel = 268,
    SplitLabel = 269,
    PlusLabel = 271,
    MinusLabel = 272,
    EncLabel = 273,
    DecLabel = 274,
    TxLabel = 275,
};

constexpr std::int32_t number(PanelCode code) {
    return static_cast<std::int32_t>(code);
}

// Frequency digits: index 1 (1 Hz) .. 8 (10 MHz).
constexpr bool isDigit(PanelCode code) {
    return number(code) >= number(PanelCode::Digit1) && number(code) <= number(PanelCode::Digit8);
}
constexpr int digitIndex(PanelCode code) {
    return number(code) - number(PanelCode::Digit1) + 1;
}
constexpr PanelCode digitCode(int index) {
    return static_cast<PanelCode>(number(PanelCode::Digit1) + index - 1);
}

// The knobs that are selected by a click and then send absolute values.
constexpr bool isValueKnob(PanelCode code) {
    return code == PanelCode::SqlKnob || code == PanelCode::AfGainKnob ||
           code == PanelCode::RfGainKnob || code == PanelCode::ShiftKnob;
}

}  // namespace panelink
