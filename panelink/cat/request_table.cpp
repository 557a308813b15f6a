#include "panelink/cat/request_table.h"

#include <algorithm>

namespace panelink {
namespace {

constexpr PlainRequest field(Request request, std::string_view prefix, int width,
                             std::string_view suffix) {
    PlainRequest row{};
    row.request = request;
    row.prefix = prefix;
    row.width = width;
    row.suffix = suffix;
    return row;
}

constexpr PlainRequest fixed(Request request, std::string_view text) {
    return field(request, text, 0, "");
}

constexpr PlainRequest sided(Request request, std::string_view prefix, int width,
                             std::string_view suffix) {
    PlainRequest row = field(request, prefix, width, suffix);
    row.sideDigit = true;
    return row;
}

constexpr PlainRequest ranged(Request request, std::string_view prefix, int width,
                              std::string_view suffix, std::int64_t minimum, std::int64_t maximum) {
    PlainRequest row = field(request, prefix, width, suffix);
    row.guard = RequestGuard::ValueRange;
    row.minimum = minimum;
    row.maximum = maximum;
    return row;
}

constexpr PlainRequest guarded(Request request, std::string_view text, RequestGuard guard) {
    PlainRequest row = fixed(request, text);
    row.guard = guard;
    return row;
}

// clang-format off
constexpr std::array kPlainRequests{
    fixed(Request::ReadVcc, "VC;"),
    field(Request::ReadMemoryChannel, "MR", 3, ";"),
    fixed(Request::ReadId, "ID;"),
    fixed(Request::ReadVfoSelect, "VS;"),
    fixed(Request::ReadBand, "BS;"),
    field(Request::SetDimmer, "DA", 2, "00;"),
    guarded(Request::ReadSubInformation, "OI;", RequestGuard::VfoSelectKnown),
    field(Request::SetTuner, "AC00", 1, ";"),
    ranged(Request::ReadInformationWithFlag, "IF;", 0, "", 0, 1),
    fixed(Request::ReadInformation, "IF;"),
    field(Request::SetMonitor, "ML0", 3, ";"),
    field(Request::SetProcessor, "PR", 1, ";"),
    field(Request::SetAttenuator, "RA0", 1, ";"),
    fixed(Request::ReadVfoB, "FB;"),
    sided(Request::SetNoiseBlanker, "NB", 1, ";"),
    field(Request::SetCwSpot, "CS", 1, ";"),
    fixed(Request::SelectVfoA, "VS0;"),
    fixed(Request::SelectVfoB, "VS1;"),
    fixed(Request::SelectModeLsb, "MD01;"),
    fixed(Request::SelectModeUsb, "MD02;"),
    fixed(Request::SelectModeCw, "MD03;"),
    fixed(Request::PressKey3, "MK3;"),
    fixed(Request::PressKey5, "MK5;"),
    fixed(Request::PressKey6, "MK6;"),
    fixed(Request::StoreQuickMemory, "QI;"),
    fixed(Request::RecallQuickMemory, "QR;"),
    field(Request::SetTxWatch, "TS", 1, ";"),
    guarded(Request::ReadVfoA, "FA;", RequestGuard::VfoChannel),
    fixed(Request::SplitOff, "FT0;"),
    fixed(Request::CopyVfoAToB, "AB;"),
    fixed(Request::SwapVfos, "SV;"),
    fixed(Request::ToggleVfoMemory, "VM;"),
    fixed(Request::MemoryToVfoA, "MA;"),
    fixed(Request::VfoAToMemory, "AM;"),
    fixed(Request::SelectBand50, "BS10;"),
    fixed(Request::SelectBand1_8, "BS00;"),
    fixed(Request::SelectBand3_5, "BS01;"),
    fixed(Request::SelectBand7, "BS03;"),
    fixed(Request::SelectBand10, "BS04;"),
    fixed(Request::SelectBand14, "BS05;"),
    fixed(Request::SelectBand18, "BS06;"),
    fixed(Request::SelectBand21, "BS07;"),
    fixed(Request::SelectBand24_5, "BS08;"),
    fixed(Request::SelectBand28, "BS09;"),
    fixed(Request::SelectBandGeneral, "BS11;"),
    // The transmit-clarifier key reads the "IF" answer, which refreshes the clarifier state.
    fixed(Request::ReadTxClarifier, "IF;"),
    fixed(Request::ClearClarifier, "RC;"),
    fixed(Request::ReadBand2, "BS;"),
    guarded(Request::ReadVfoSelectWhenKnown, "VS;", RequestGuard::VfoSelectKnown),
    guarded(Request::ReadVfoA2, "FA;", RequestGuard::VfoChannel),
    fixed(Request::SplitOn, "FT1;"),
    fixed(Request::SetDspKnobSelect, "SF0;"),
    fixed(Request::SetDspKnobContour, "SF1;"),
    fixed(Request::SetDspKnobNotch, "SF2;"),
    fixed(Request::SetDspKnobDnr, "SF3;"),
    fixed(Request::SetDspKnobWidth, "SF4;"),
    fixed(Request::SetDspKnobFunction5, "SF5;"),
    fixed(Request::SetDspKnobFunction6, "SF6;"),
    fixed(Request::SetDspKnobFunction7, "SF7;"),
    fixed(Request::PressFunctionKey1, "FK1;"),
    fixed(Request::PressFunctionKey2, "FK2;"),
    fixed(Request::PressFunctionKey3, "FK3;"),
    fixed(Request::PressFunctionKey4, "FK4;"),
    fixed(Request::PressFunctionKey5, "FK5;"),
    fixed(Request::PressFunctionKey6, "FK6;"),
    fixed(Request::PressFunctionKey7, "FK7;"),
    fixed(Request::ReadMenuState, "RS;"),
    ranged(Request::SetVfoAFrequency, "FA", 8, ";", 3000, 60000000),
    ranged(Request::SetVfoBFrequency, "FB", 8, ";", 3000, 60000000),
    fixed(Request::ReadBand3, "BS;"),
    field(Request::SelectMeter, "MS", 1, ";"),
    field(Request::SetMonitorLevel, "ML1", 3, ";"),
    field(Request::SetProcessorLevel, "PL", 3, ";"),
    field(Request::SetKeyerSpeed, "KS", 3, ";"),
    field(Request::SetKeyPitch, "KP", 2, ";"),
    fixed(Request::ReadStep, "ST;"),
    field(Request::SetSquelch, "SQ0", 3, ";"),
    field(Request::SetMicGain, "MG", 3, ";"),
    field(Request::SetVoxGain, "VG", 3, ";"),
    field(Request::SetSubSquelch, "SQ1", 3, ";"),
    field(Request::SetSubAfGain, "AG1", 3, ";"),
    field(Request::SetSubRfGain, "RG1", 3, ";"),
    field(Request::SetAfGain, "AG0", 3, ";"),
    field(Request::SetRfGain, "RG0", 3, ";"),
    field(Request::SetNotchFrequency, "BP01", 3, ";"),
    field(Request::SetWidth, "SH0", 2, ";"),
    field(Request::SetContourFrequency, "CO01", 2, ";"),
    field(Request::SetDnrLevel, "RL0", 2, ";"),
    field(Request::SetTransmitPower, "PC", 3, ";"),
    fixed(Request::RecordVoiceMemory1, "LM01;"),
    fixed(Request::RecordVoiceMemory2, "LM02;"),
    fixed(Request::RecordVoiceMemory3, "LM03;"),
    fixed(Request::RecordVoiceMemory4, "LM04;"),
    fixed(Request::RecordVoiceMemory5, "LM05;"),
    fixed(Request::StopVoiceRecording, "LM00;"),
    fixed(Request::PlayVoiceMemory1, "PB1;"),
    fixed(Request::PlayVoiceMemory2, "PB2;"),
    fixed(Request::PlayVoiceMemory3, "PB3;"),
    fixed(Request::PlayVoiceMemory4, "PB4;"),
    fixed(Request::PlayVoiceMemory5, "PB5;"),
    fixed(Request::StopVoicePlay, "PB0;"),
    fixed(Request::StartAudioRecording, "LM11;"),
    fixed(Request::StopAudioRecording, "LM10;"),
    fixed(Request::PlayAudio, "PB6;"),
    fixed(Request::StopAudioPlay, "PB0;"),
    fixed(Request::PlayKeyerMessage1, "KY1;"),
    fixed(Request::PlayKeyerMessage2, "KY2;"),
    fixed(Request::PlayKeyerMessage3, "KY3;"),
    fixed(Request::PlayKeyerMessage4, "KY4;"),
    fixed(Request::PlayKeyerMessage5, "KY5;"),
    fixed(Request::PlayKeyerText1, "KY6;"),
    fixed(Request::PlayKeyerText2, "KY7;"),
    fixed(Request::PlayKeyerText3, "KY8;"),
    fixed(Request::PlayKeyerText4, "KY9;"),
    fixed(Request::PlayKeyerText5, "KYA;"),
    sided(Request::SetToneOff, "CT", 0, "0;"),
    sided(Request::SetToneEncoder, "CT", 0, "2;"),
    sided(Request::SetToneSquelch, "CT", 0, "1;"),
    sided(Request::SetToneNumber, "CN", 2, ";"),
    sided(Request::SetRepeaterSimplex, "OS", 0, "0;"),
    sided(Request::SetRepeaterPlus, "OS", 0, "1;"),
    sided(Request::SetRepeaterMinus, "OS", 0, "2;"),
    field(Request::SetWidthPreset, "SH0", 2, ";"),
    fixed(Request::ReadClarifier1, "RT;"),
    fixed(Request::ReadClarifier2, "RT;"),
    fixed(Request::ReadClarifier3, "RT;"),
    fixed(Request::ReadClarifier4, "RT;"),
    fixed(Request::PressKey0, "MK0;"),
    fixed(Request::SelectModeAm, "MD05;"),
    fixed(Request::SelectModeFm, "MD04;"),
    fixed(Request::SelectModeData, "MD06;"),
    fixed(Request::VfoAEqualsB, "VV;"),
    fixed(Request::RecallHome, "HM;"),
    field(Request::SetStep, "ST", 1, ";"),
    field(Request::SetPms, "SS0", 5, ";"),
    fixed(Request::AnnounceVoice, "VR1;"),
    fixed(Request::TransmitVoiceMemory1, "PB7;"),
    fixed(Request::TransmitVoiceMemory2, "PB8;"),
    fixed(Request::StopVoiceTransmit, "PB0;"),
    fixed(Request::StopKeyerPlay, "KY0;"),
    fixed(Request::SelectModeCwReverse, "MD07;"),
};

constexpr std::array kToggleRequests{
    ToggleRequest{Request::ToggleVox, CommandField::VX, "VX"},
    ToggleRequest{Request::ToggleKeyer, CommandField::KR, "KR"},
    ToggleRequest{Request::ToggleBreakIn, CommandField::BI, "BI"},
    ToggleRequest{Request::ToggleFast, CommandField::FS, "FS"},
    ToggleRequest{Request::ToggleLock, CommandField::LK, "LK"},
    ToggleRequest{Request::ToggleRxClarifier, CommandField::IF_rxClarifier, "RT"},
    ToggleRequest{Request::ToggleDnr, CommandField::NR_0, "NR0"},
    ToggleRequest{Request::ToggleScan, CommandField::SC, "SC"},
    ToggleRequest{Request::ToggleTransmit, CommandField::TX, "TX"},
};

// Callers post only the listed values; anything else sends nothing rather than a command
// the radio would read differently.
constexpr std::array kChoiceRequests{
    ChoiceRequest{Request::SetIpo, "PA0", false, {"0;", "1;"}},
    ChoiceRequest{Request::SetAgc, "GT", true, {"0;", "4;", "1;", "2;", "3;"}},
    ChoiceRequest{Request::SetSplit, "", false, {"FT0;", "FT1;", "QS;"}},
    ChoiceRequest{Request::StepMode, "MK", false, {"7;", "8;"}},
    ChoiceRequest{Request::StepBand, "", false, {"BU0;", "BD0;"}},
    ChoiceRequest{Request::SetAux, "AX1", false, {"0;", "1;"}},
};

constexpr std::array kSpecialReads{
    SpecialRead{12, {"BP00;", "BP01;"}},
    SpecialRead{13, {"CO00;", "CO01;"}},
    SpecialRead{31, {"RM0;"}},
    SpecialRead{52, {"KM1;", "KM2;", "KM3;"}},
    SpecialRead{58, {"RI0;", "RI1;", "RI3;", "RI4;", "RI9;"}},
    SpecialRead{59, {"BG0;"}},
    // Memory channels are read one by one on request, not in the read-out.
    SpecialRead{63, {}},
};
// clang-format on

static_assert(inRequestOrder(kPlainRequests));
static_assert(inRequestOrder(kToggleRequests));
static_assert(inRequestOrder(kChoiceRequests));

template <class Table, class Key, class Projection>
auto findIn(const Table& table, Key key, Projection projection) -> decltype(table.data()) {
    const auto found = std::find_if(table.begin(), table.end(),
                                    [&](const auto& entry) { return projection(entry) == key; });
    return found == table.end() ? nullptr : &*found;
}

}  // namespace

std::span<const PlainRequest> plainRequests() {
    return kPlainRequests;
}
std::span<const ToggleRequest> toggleRequests() {
    return kToggleRequests;
}
std::span<const ChoiceRequest> choiceRequests() {
    return kChoiceRequests;
}
std::span<const SpecialRead> specialReads() {
    return kSpecialReads;
}

const PlainRequest* findPlainRequest(Request request) {
    return findIn(kPlainRequests, request, [](const PlainRequest& r) { return r.request; });
}

const ToggleRequest* findToggleRequest(Request request) {
    return findIn(kToggleRequests, request, [](const ToggleRequest& r) { return r.request; });
}

const ChoiceRequest* findChoiceRequest(Request request) {
    return findIn(kChoiceRequests, request, [](const ChoiceRequest& r) { return r.request; });
}

const SpecialRead* findSpecialRead(int readIndex) {
    return findIn(kSpecialReads, readIndex, [](const SpecialRead& r) { return r.index; });
}

}  // namespace panelink
