#include "panelink/panel/panel_tables.h"

#include <array>
#include <cmath>
#include <map>
#include <vector>

namespace panelink {
namespace {

using C = PanelCode;
using R = Request;
using W = WindowMessage;
using Z = HitZone;

// ---- Hit zones and their buttons ----------------------------------------------------------

// Neighbouring zones share their edge; the earlier zone takes it.
constexpr std::array<ZoneRecord, 6> kZones{{
    {Z::Display, {0, 0, 710, 158}},
    {Z::TwoFunctionKeys, {710, 0, 843, 158}},
    {Z::KeyRow, {0, 158, 394, 221}},
    {Z::KnobRow, {0, 221, 394, 320}},
    {Z::DialArea, {394, 158, 646, 320}},
    {Z::RightKnobs, {646, 158, 843, 320}},
}};

// The digits come first and in order: a hit's position in this table is its digit index − 1.
// Neighbouring digits share an edge column; the digit listed first takes it.
constexpr std::array<ButtonRecord, 44> kDisplayButtons{{
    {{507, 118, 529, 148}, C::Digit1},      {{469, 96, 507, 148}, C::Digit2},
    {{431, 96, 469, 148}, C::Digit3},       {{383, 96, 421, 148}, C::Digit4},
    {{345, 96, 383, 148}, C::Digit5},       {{307, 96, 345, 148}, C::Digit6},
    {{259, 96, 297, 148}, C::Digit7},       {{221, 96, 259, 148}, C::Digit8},
    {{51, 91, 88, 101}, C::ContourLabel},   {{51, 105, 88, 115}, C::NotchLabel},
    {{51, 119, 88, 126}, C::DnrLabel},      {{51, 130, 88, 137}, C::WidthLabel},
    {{509, 79, 530, 88}, C::AttOnLabel},    {{509, 61, 530, 70}, C::AttOffLabel},
    {{549, 79, 570, 88}, C::IpoOnLabel},    {{549, 61, 570, 70}, C::IpoOffLabel},
    {{625, 79, 646, 88}, C::NbOnLabel},     {{625, 61, 646, 70}, C::NbOffLabel},
    {{665, 47, 692, 58}, C::AgcTitleLabel}, {{665, 60, 692, 69}, C::AgcAutoLabel},
    {{665, 70, 692, 79}, C::AgcFastLabel},  {{665, 80, 692, 89}, C::AgcSlowLabel},
    {{234, 77, 267, 88}, C::TunerLabel},    {{42, 62, 53, 69}, C::MeterPoLabel},
    {{42, 70, 57, 77}, C::MeterAlcLabel},   {{42, 78, 58, 85}, C::MeterSwrLabel},
    {{277, 47, 304, 58}, C::LsbLabel},      {{277, 62, 304, 73}, C::UsbLabel},
    {{277, 77, 304, 88}, C::CwLabel},       {{314, 47, 341, 58}, C::AmLabel},
    {{314, 62, 341, 73}, C::FmLabel},       {{314, 77, 341, 88}, C::DataLabel},
    {{350, 77, 381, 88}, C::KeyerLabel},    {{596, 99, 624, 106}, C::ClarLabel},
    {{430, 77, 457, 88}, C::FastLabel},     {{468, 77, 495, 88}, C::LockLabel},
    {{391, 62, 418, 73}, C::VoxLabel},      {{390, 77, 420, 88}, C::BreakInLabel},
    {{638, 99, 667, 106}, C::SplitLabel},   {{368, 62, 379, 73}, C::PlusLabel},
    {{352, 62, 363, 73}, C::MinusLabel},    {{352, 47, 379, 58}, C::EncLabel},
    {{391, 47, 418, 58}, C::DecLabel},      {{234, 47, 267, 58}, C::TxLabel},
}};

// Each key has an upper and a lower half; the row they share belongs to the upper half.
constexpr std::array<ButtonRecord, 12> kTwoFunctionButtons{{
    {{730, 32, 766, 47}, C::Voice},
    {{730, 47, 766, 62}, C::ClarSelect},
    {{779, 32, 815, 47}, C::MemoryWrite},
    {{779, 47, 815, 62}, C::VfoMemory},
    {{730, 77, 766, 92}, C::Home},
    {{730, 92, 766, 107}, C::Recall},
    {{779, 77, 815, 92}, C::Vox},
    {{779, 92, 815, 107}, C::Store},
    {{730, 122, 766, 137}, C::Step},
    {{730, 137, 766, 152}, C::Split},
    {{779, 122, 815, 137}, C::Pms},
    {{779, 137, 815, 152}, C::Scan},
}};

constexpr std::array<ButtonRecord, 6> kKeyRowButtons{{
    {{36, 183, 64, 207}, C::Com},
    {{91, 179, 123, 211}, C::Power},
    {{151, 179, 193, 211}, C::Dsp},
    {{221, 179, 253, 211}, C::IpoAtt},
    {{281, 179, 313, 211}, C::NoiseBlanker},
    {{341, 179, 373, 211}, C::Agc},
}};

constexpr std::array<ButtonRecord, 5> kKnobRowButtons{{
    {{221, 270, 253, 302}, C::Sel},
    {{277, 229, 317, 257}, C::ModeDown},
    {{337, 229, 377, 257}, C::ModeUp},
    {{277, 272, 317, 300}, C::Keyer},
    {{337, 272, 377, 300}, C::Clar},
}};

constexpr std::array<ButtonRecord, 6> kDialAreaButtons{{
    {{399, 181, 447, 209}, C::BandDown},
    {{588, 181, 636, 209}, C::BandUp},
    {{399, 229, 431, 257}, C::VfoCopy},
    {{604, 229, 636, 257}, C::VfoSwap},
    {{399, 272, 447, 300}, C::Fast},
    {{588, 272, 636, 300}, C::Lock},
}};

constexpr std::array<ButtonRecord, 3> kRightKnobButtons{{
    {{662, 179, 694, 211}, C::Tune},
    {{722, 179, 754, 211}, C::Function},
    {{782, 179, 814, 211}, C::Meter},
}};

// ---- The control table ---------------------------------------------------------------------

constexpr bool kReadBack = true;
constexpr bool kPlain = false;
constexpr std::optional<Request> kNoRequest = std::nullopt;
constexpr std::optional<WindowMessage> kNoKey = std::nullopt;

constexpr ControlRecord row(PanelCode code, std::optional<Request> request, bool readBack,
                            std::int32_t value, std::optional<WindowMessage> indicator) {
    return ControlRecord{code, request, readBack, value, indicator};
}

// Pop-up openers carry no request of their own: the chosen item's goes out with the opener's
// read-back flag. Values computed at the press (NB key, frequencies, dial steps, knob values)
// are 0 here.
constexpr std::array<ControlRecord, 85> kControls{{
    // Key row.
    row(C::Com, R::SwitchAutoInfo, kPlain, 0, W::ComKey),
    row(C::Power, R::SwitchPower, kPlain, 0, W::PowerKey),
    row(C::Dsp, kNoRequest, kPlain, 0, W::DspKey),
    row(C::IpoAtt, kNoRequest, kReadBack, 0, W::IpoAttKey),
    row(C::NoiseBlanker, R::SetNoiseBlanker, kReadBack, 0, W::NbKey),
    row(C::Agc, kNoRequest, kReadBack, 0, W::AgcKey),
    // Knob row.
    row(C::Sel, kNoRequest, kPlain, 0, W::SelKey),
    row(C::ModeDown, R::StepMode, kReadBack, 1, W::ModeDownKey),
    row(C::ModeUp, R::StepMode, kReadBack, 0, W::ModeUpKey),
    row(C::Keyer, R::ToggleKeyer, kPlain, 0, W::KeyerKey),
    row(C::Clar, R::ToggleRxClarifier, kPlain, 0, W::ClarKey),
    // Around the main dial.
    row(C::BandDown, R::StepBand, kReadBack, 1, W::BandDownKey),
    row(C::BandUp, R::StepBand, kReadBack, 0, W::BandUpKey),
    row(C::VfoCopy, R::VfoAEqualsB, kPlain, 0, W::VfoCopyKey),
    row(C::VfoSwap, R::SwapVfos, kPlain, 0, W::VfoSwapKey),
    row(C::Fast, R::ToggleFast, kPlain, 0, W::FastKey),
    row(C::Lock, R::ToggleLock, kPlain, 0, W::LockKey),
    // Right of the main dial.
    row(C::Tune, kNoRequest, kReadBack, 0, W::TuneKey),
    row(C::Function, kNoRequest, kPlain, 0, W::FunctionKey),
    row(C::Meter, kNoRequest, kReadBack, 0, W::MeterKey),
    // Two-function keys: both halves of a key share its indicator.
    row(C::Voice, R::AnnounceVoice, kPlain, 0, W::VoiceKey),
    row(C::ClarSelect, kNoRequest, kReadBack, 0, W::VoiceKey),
    row(C::MemoryWrite, kNoRequest, kPlain, 0, W::MemoryWriteKey),
    row(C::VfoMemory, R::ToggleVfoMemory, kPlain, 0, W::MemoryWriteKey),
    row(C::Home, R::RecallHome, kPlain, 0, W::HomeKey),
    row(C::Recall, R::RecallQuickMemory, kPlain, 0, W::HomeKey),
    row(C::Vox, R::ToggleVox, kPlain, 0, W::VoxStoKey),
    row(C::Store, R::StoreQuickMemory, kPlain, 0, W::VoxStoKey),
    row(C::Step, kNoRequest, kReadBack, 0, W::StepKey),
    row(C::Split, kNoRequest, kReadBack, 0, W::StepKey),
    row(C::Pms, kNoRequest, kReadBack, 0, W::PmsKey),
    row(C::Scan, R::ToggleScan, kPlain, 0, W::PmsKey),
    // Frequency digits: the wheel sets the frequency through them.
    row(C::Digit1, R::SetVfoAFrequency, kReadBack, 0, kNoKey),
    row(C::Digit2, R::SetVfoAFrequency, kReadBack, 0, kNoKey),
    row(C::Digit3, R::SetVfoAFrequency, kReadBack, 0, kNoKey),
    row(C::Digit4, R::SetVfoAFrequency, kReadBack, 0, kNoKey),
    row(C::Digit5, R::SetVfoAFrequency, kReadBack, 0, kNoKey),
    row(C::Digit6, R::SetVfoAFrequency, kReadBack, 0, kNoKey),
    row(C::Digit7, R::SetVfoAFrequency, kReadBack, 0, kNoKey),
    row(C::Digit8, R::SetVfoAFrequency, kReadBack, 0, kNoKey),
    // Display labels.
    row(C::AttOnLabel, R::SetAttenuator, kReadBack, 3, kNoKey),
    row(C::AttOffLabel, R::SetAttenuator, kReadBack, 0, kNoKey),
    row(C::IpoOnLabel, R::SetIpo, kReadBack, 0, kNoKey),
    row(C::IpoOffLabel, R::SetIpo, kReadBack, 1, kNoKey),
    row(C::NbOnLabel, R::SetNoiseBlanker, kReadBack, 1, kNoKey),
    row(C::NbOffLabel, R::SetNoiseBlanker, kReadBack, 0, kNoKey),
    row(C::AgcTitleLabel, R::SetAgc, kReadBack, 0, kNoKey),
    row(C::AgcAutoLabel, R::SetAgc, kReadBack, 1, kNoKey),
    row(C::AgcFastLabel, R::SetAgc, kReadBack, 2, kNoKey),
    row(C::AgcSlowLabel, R::SetAgc, kReadBack, 4, kNoKey),
    row(C::TunerLabel, kNoRequest, kReadBack, 0, kNoKey),
    row(C::MeterPoLabel, R::SelectMeter, kReadBack, 2, kNoKey),
    row(C::MeterAlcLabel, R::SelectMeter, kReadBack, 1, kNoKey),
    row(C::MeterSwrLabel, R::SelectMeter, kReadBack, 3, kNoKey),
    row(C::LsbLabel, R::SelectModeLsb, kPlain, 0, kNoKey),
    row(C::UsbLabel, R::SelectModeUsb, kPlain, 0, kNoKey),
    row(C::CwLabel, R::SelectModeCw, kPlain, 0, kNoKey),
    row(C::AmLabel, R::SelectModeAm, kPlain, 0, kNoKey),
    row(C::FmLabel, R::SelectModeFm, kPlain, 0, kNoKey),
    row(C::DataLabel, R::SelectModeData, kPlain, 0, kNoKey),
    row(C::KeyerLabel, R::ToggleKeyer, kPlain, 0, kNoKey),
    row(C::ClarLabel, R::ToggleRxClarifier, kPlain, 0, kNoKey),
    row(C::FastLabel, R::ToggleFast, kPlain, 0, kNoKey),
    row(C::LockLabel, R::ToggleLock, kPlain, 0, kNoKey),
    row(C::VoxLabel, R::ToggleVox, kPlain, 0, kNoKey),
    row(C::BreakInLabel, R::ToggleBreakIn, kPlain, 0, kNoKey),
    row(C::SplitLabel, kNoRequest, kReadBack, 0, kNoKey),
    row(C::PlusLabel, R::SetRepeaterPlus, kPlain, 0, kNoKey),
    row(C::MinusLabel, R::SetRepeaterMinus, kPlain, 0, kNoKey),
    row(C::EncLabel, R::SetToneEncoder, kPlain, 0, kNoKey),
    row(C::DecLabel, R::SetToneSquelch, kPlain, 0, kNoKey),
    row(C::TxLabel, R::ToggleTransmit, kPlain, 0, kNoKey),
    // Codes without a rectangle: dials, knobs, frequency setting and right clicks.
    row(C::MainDial, R::StepMainDial, kReadBack, 0, kNoKey),
    row(C::DspSelKnob, R::StepDspKnob, kReadBack, 0, kNoKey),
    row(C::SqlKnob, R::SetSquelch, kReadBack, 0, kNoKey),
    row(C::AfGainKnob, R::SetAfGain, kReadBack, 0, kNoKey),
    row(C::RfGainKnob, R::SetRfGain, kReadBack, 0, kNoKey),
    row(C::ShiftKnob, R::SetIfShift, kReadBack, 0, kNoKey),
    row(C::SetVfoA, R::SetVfoAFrequency, kReadBack, 0, kNoKey),
    row(C::SetVfoB, R::SetVfoBFrequency, kReadBack, 0, kNoKey),
    row(C::ModeMenuDown, kNoRequest, kPlain, 0, W::ModeDownKey),
    row(C::ModeMenuUp, kNoRequest, kPlain, 0, W::ModeUpKey),
    row(C::BandMenuDown, kNoRequest, kPlain, 0, W::BandDownKey),
    row(C::BandMenuUp, kNoRequest, kPlain, 0, W::BandUpKey),
    row(C::ClarClear, R::ClearClarifier, kPlain, 0, W::ClarKey),
}};

// ---- Request indexes -----------------------------------------------------------------------

// A run of consecutive request numbers under consecutive indexes.
struct IndexRun {
    int firstIndex;
    Request first;
    Request last;
    constexpr int lastIndex() const { return firstIndex + static_cast<int>(id(last) - id(first)); }
};

constexpr std::array<IndexRun, 3> kIndexRuns{{
    {1, R::SwitchAutoInfo, R::SetTransmitPower},
    {108, R::RecordVoiceMemory1, R::ReadClarifier4},
    {152, R::PressKey0, R::SelectModeCwReverse},
}};
static_assert(kIndexRuns[0].lastIndex() == 107);
static_assert(kIndexRuns[1].lastIndex() == 151);
static_assert(kIndexRuns[2].lastIndex() == 173);

// ---- Dials and knobs -----------------------------------------------------------------------

// In the order of RoundControl.
constexpr std::array<RoundArea, 5> kRoundAreas{{
    {RoundControl::MainDial, {517, 240}, 50},
    {RoundControl::DspSelKnob, {172, 276}, 20},
    {RoundControl::ShiftKnob, {68, 276}, 20},
    {RoundControl::SqlRfGainKnob, {688, 276}, 20},
    {RoundControl::AfGainKnob, {792, 276}, 20},
}};

// In the order of Knob.
constexpr std::array<KnobParameters, 4> kKnobs{{
    {Knob::Sql, C::SqlKnob, 0, 255, 1, 10, 20, R::SetSquelch, 3},
    {Knob::AfGain, C::AfGainKnob, 0, 255, 1, 10, 20, R::SetAfGain, 1},
    {Knob::RfGain, C::RfGainKnob, 0, 255, 1, 10, 20, R::SetRfGain, 2},
    {Knob::Shift, C::ShiftKnob, -1260, 1260, 10, 50, 50, R::SetIfShift, 0},
}};

// The sampled points of a round area as offsets from its centre, computed once: the test
// runs on every mouse press and would otherwise evaluate thousands of sines.
class SampledDisc {
  public:
    explicit SampledDisc(int radius)
        : radius_(radius), side_(2 * radius + 1), points_(cells(radius), false) {
        for (int n = radius; n >= 0; --n) {
            for (int angle = 0; angle < 360; ++angle) {
                const PanelPoint p = pointAt({0, 0}, n, angle);
                points_[offset(p.x, p.y)] = true;
            }
        }
    }

    bool holds(int dx, int dy) const {
        if (dx < -radius_ || dx > radius_ || dy < -radius_ || dy > radius_) return false;
        return points_[offset(dx, dy)];
    }

  private:
    static std::size_t cells(int radius) {
        if (radius < 0) return 0;
        const std::size_t side = (static_cast<std::size_t>(radius) * 2) + 1;
        return side * side;
    }
    std::size_t offset(int dx, int dy) const {
        const int row = dy + radius_;
        const int column = dx + radius_;
        return (static_cast<std::size_t>(row) * static_cast<std::size_t>(side_)) +
               static_cast<std::size_t>(column);
    }

    int radius_;
    int side_;
    std::vector<bool> points_;
};

// The discs of the panel's own radii; none for another radius.
const SampledDisc* panelDisc(int radius) {
    static const std::map<int, SampledDisc> discs = [] {
        std::map<int, SampledDisc> built;
        for (const auto& area : kRoundAreas)
            built.try_emplace(area.radius, area.radius);
        return built;
    }();
    const auto it = discs.find(radius);
    return it == discs.end() ? nullptr : &it->second;
}

// ---- Pop-up menus --------------------------------------------------------------------------

constexpr PopupRecord item(int id, std::string_view text, Request request, std::int32_t value = 0) {
    return PopupRecord{id, 0, 0, text, request, value, std::nullopt, 0, PopupOpens::Nothing};
}

constexpr PopupRecord opener(int id, std::string_view text, PopupOpens opens) {
    return PopupRecord{id, 0, 0, text, std::nullopt, 0, std::nullopt, 0, opens};
}

constexpr PopupRecord twoRequests(int id, std::string_view text, Request first,
                                  std::int32_t firstValue, Request second,
                                  std::int32_t secondValue) {
    return PopupRecord{id, 0, 0, text, first, firstValue, second, secondValue, PopupOpens::Nothing};
}

// Where the menu shows: the first two records carry its positions.
constexpr PopupRecord at(int x, int y, PopupRecord record) {
    record.x = x;
    record.y = y;
    return record;
}

constexpr std::array<PopupRecord, 7> kModeMenu{{
    at(263, 307, item(1, "LSB ", R::SelectModeLsb)),
    at(324, 307, item(2, "USB ", R::SelectModeUsb)),
    item(3, "CW  ", R::SelectModeCw),
    item(4, "CW-R", R::SelectModeCwReverse),
    item(5, "AM  ", R::SelectModeAm),
    item(6, "FM  ", R::SelectModeFm),
    item(7, "DATA", R::SelectModeData),
}};

constexpr std::array<PopupRecord, 11> kBandMenu{{
    at(385, 259, item(1, "1.8 ", R::SelectBand1_8)),
    at(588, 259, item(2, "3.5 ", R::SelectBand3_5)),
    item(3, "7   ", R::SelectBand7),
    item(4, "10  ", R::SelectBand10),
    item(5, "14  ", R::SelectBand14),
    item(6, "18  ", R::SelectBand18),
    item(7, "21  ", R::SelectBand21),
    item(8, "24.5", R::SelectBand24_5),
    item(9, "28  ", R::SelectBand28),
    item(10, "50  ", R::SelectBand50),
    item(11, "GEN ", R::SelectBandGeneral),
}};

constexpr std::array<PopupRecord, 3> kSplitMenu{{
    at(700, 202, item(1, "SPLIT OFF  ", R::SetSplit, 0)),
    at(600, 158, item(2, "SPLIT ON   ", R::SetSplit, 1)),
    item(3, "QUICK SPLIT", R::SetSplit, 2),
}};

constexpr std::array<PopupRecord, 8> kStepFmMenu{{
    at(712, 202, item(1, "5.0kHz ", R::SetStep, 0)),
    item(2, "6.25kHz", R::SetStep, 1),
    item(3, "10kHz  ", R::SetStep, 2),
    item(4, "12.5kHz", R::SetStep, 3),
    item(5, "15kHz  ", R::SetStep, 4),
    item(6, "20kHz  ", R::SetStep, 5),
    item(7, "25kHz  ", R::SetStep, 6),
    item(8, "50kHz  ", R::SetStep, 7),
}};

constexpr std::array<PopupRecord, 6> kStepAmMenu{{
    at(712, 202, item(1, "2.5kHz ", R::SetStep, 0)),
    item(2, "5.0kHz ", R::SetStep, 1),
    item(3, "9.0kHz ", R::SetStep, 2),
    item(4, "10kHz  ", R::SetStep, 3),
    item(5, "12.5kHz", R::SetStep, 4),
    item(6, "25kHz  ", R::SetStep, 5),
}};

constexpr std::array<PopupRecord, 3> kStepOtherMenu{{
    at(712, 202, item(1, "1.0kHz ", R::SetStep, 0)),
    item(2, "2.5kHz ", R::SetStep, 1),
    item(3, "5.0kHz ", R::SetStep, 2),
}};

constexpr std::array<PopupRecord, 4> kAgcMenu{{
    at(310, 260, item(1, "AGC OFF ", R::SetAgc, 0)),
    item(2, "AGC AUTO", R::SetAgc, 1),
    item(3, "AGC FAST", R::SetAgc, 2),
    item(4, "AGC SLOW", R::SetAgc, 4),
}};

constexpr std::array<PopupRecord, 4> kPmsMenu{{
    at(752, 202, item(1, "PMS OFF", R::SetPms, 0)),
    item(2, "PMS 1  ", R::SetPms, 10000),
    item(3, "PMS 2  ", R::SetPms, 1000),
    item(4, "PMS 1+2", R::SetPms, 11000),
}};

// The attenuator first, then the IPO (whose 1 means off).
constexpr std::array<PopupRecord, 4> kAttIpoMenu{{
    at(165, 260, twoRequests(1, "ATT OFF  IPO OFF", R::SetAttenuator, 0, R::SetIpo, 1)),
    twoRequests(2, "ATT OFF  IPO ON ", R::SetAttenuator, 0, R::SetIpo, 0),
    twoRequests(3, "ATT ON   IPO OFF", R::SetAttenuator, 3, R::SetIpo, 1),
    twoRequests(4, "ATT ON   IPO ON ", R::SetAttenuator, 3, R::SetIpo, 0),
}};

constexpr std::array<PopupRecord, 3> kTunerMenu{{
    at(630, 260, item(1, "TUNER OFF", R::SetTuner, 0)),
    at(200, 137, item(2, "TUNER ON ", R::SetTuner, 1)),
    item(3, "TUNING   ", R::SetTuner, 2),
}};

constexpr std::array<PopupRecord, 3> kMeterMenu{{
    at(762, 260, item(1, "POWER", R::SelectMeter, 2)),
    item(2, "ALC  ", R::SelectMeter, 1),
    item(3, "SWR  ", R::SelectMeter, 3),
}};

constexpr std::array<PopupRecord, 9> kClarSelectMenu{{
    at(692, 112, item(1, "MONITOR ON ", R::SetMonitor, 1)),
    item(2, "MONITOR OFF", R::SetMonitor, 0),
    item(3, "SPOT ON    ", R::SetCwSpot, 1),
    item(4, "SPOT OFF   ", R::SetCwSpot, 0),
    item(5, "TXW ON     ", R::SetTxWatch, 1),
    item(6, "TXW OFF    ", R::SetTxWatch, 0),
    opener(7, "VCC        ", PopupOpens::Vcc),
    item(8, "AUX H      ", R::SetAux, 1),
    item(9, "AUX L      ", R::SetAux, 0),
}};

constexpr std::array<PopupRecord, 6> kDspMenu{{
    at(128, 260, opener(1, "CONTOUR", PopupOpens::Contour)),
    opener(2, "NOTCH  ", PopupOpens::Notch),
    opener(3, "DNR    ", PopupOpens::Dnr),
    opener(4, "WIDTH  ", PopupOpens::WidthMenu),
    opener(5, "MIC EQ ", PopupOpens::MicEq),
    item(6, "SELECT ", R::SetDspKnobSelect, 0),
}};

// Opened from the DSP menu (first position) or from the WIDTH label (second).
constexpr std::array<PopupRecord, 3> kWidthMenu{{
    at(128, 260, item(1, "NARROW", R::SetWidthPreset, 0)),
    at(28, 186, item(2, "MIDDLE", R::SetWidthPreset, 16)),
    item(3, "WIDE  ", R::SetWidthPreset, 31),
}};

}  // namespace

// ---- Hit zones and their buttons ----------------------------------------------------------

std::span<const ZoneRecord> hitZones() {
    return kZones;
}

std::optional<HitZone> zoneAt(PanelPoint p) {
    for (const auto& zone : kZones) {
        if (zone.rect.contains(p)) return zone.zone;
    }
    return std::nullopt;
}

std::span<const ButtonRecord> zoneButtons(HitZone zone) {
    switch (zone) {
        case Z::Display:
            return kDisplayButtons;
        case Z::TwoFunctionKeys:
            return kTwoFunctionButtons;
        case Z::KeyRow:
            return kKeyRowButtons;
        case Z::KnobRow:
            return kKnobRowButtons;
        case Z::DialArea:
            return kDialAreaButtons;
        case Z::RightKnobs:
            return kRightKnobButtons;
    }
    return {};
}

std::optional<PanelCode> hitButton(HitZone zone, PanelPoint p) {
    for (const auto& button : zoneButtons(zone)) {
        if (button.rect.contains(p)) return button.code;
    }
    return std::nullopt;
}

std::optional<HitZone> zoneOfButton(PanelCode code) {
    for (const auto& zone : kZones) {
        for (const auto& button : zoneButtons(zone.zone)) {
            if (button.code == code) return zone.zone;
        }
    }
    return std::nullopt;
}

// ---- The control table ---------------------------------------------------------------------

std::span<const ControlRecord> controlTable() {
    return kControls;
}

const ControlRecord* findControl(PanelCode code) {
    for (const auto& control : kControls) {
        if (control.code == code) return &control;
    }
    return nullptr;
}

std::optional<Request> requestOfIndex(int index) {
    for (const auto& run : kIndexRuns) {
        if (index >= run.firstIndex && index <= run.lastIndex()) {
            return static_cast<Request>(id(run.first) +
                                        static_cast<std::uint32_t>(index - run.firstIndex));
        }
    }
    return std::nullopt;
}

std::optional<int> indexOfRequest(Request request) {
    const std::uint32_t number = id(request);
    for (const auto& run : kIndexRuns) {
        if (number >= id(run.first) && number <= id(run.last)) {
            return run.firstIndex + static_cast<int>(number - id(run.first));
        }
    }
    return std::nullopt;
}

// ---- Dials and knobs -----------------------------------------------------------------------

const RoundArea& roundArea(RoundControl control) {
    return kRoundAreas[static_cast<std::size_t>(control)];
}

bool inRoundArea(const RoundArea& area, PanelPoint p) {
    return inRoundArea(area.centre, area.radius, p);
}

bool inRoundArea(PanelPoint centre, int radius, PanelPoint p) {
    const int dx = p.x - centre.x;
    const int dy = p.y - centre.y;
    if (const SampledDisc* disc = panelDisc(radius)) return disc->holds(dx, dy);
    // A radius the panel does not use: sample it now.
    return SampledDisc(radius).holds(dx, dy);
}

PanelPoint pointAt(PanelPoint centre, int radius, int angle) {
    const double radians = angle * kRadiansPerDegree;
    // The casts truncate toward zero, as the panel has always placed its points.
    return {centre.x + static_cast<int>(radius * std::sin(radians)),
            centre.y - static_cast<int>(radius * std::cos(radians))};
}

int cursorAngle(PanelPoint centre, PanelPoint cursor) {
    const double dx = cursor.x - centre.x;
    const double dy = cursor.y - centre.y;
    return 180 - static_cast<int>(std::atan2(dx, dy) * 180.0 * kDegreesPerRadianOverPi);
}

const KnobParameters& knobParameters(Knob knob) {
    return kKnobs[static_cast<std::size_t>(knob)];
}

std::optional<Knob> knobOfCode(PanelCode code) {
    for (const auto& knob : kKnobs) {
        if (knob.code == code) return knob.knob;
    }
    return std::nullopt;
}

// ---- Pop-up menus --------------------------------------------------------------------------

std::span<const PopupRecord> popupRecords(PopupMenu menu) {
    switch (menu) {
        case PopupMenu::Mode:
            return kModeMenu;
        case PopupMenu::Band:
            return kBandMenu;
        case PopupMenu::Split:
            return kSplitMenu;
        case PopupMenu::StepFm:
            return kStepFmMenu;
        case PopupMenu::StepAm:
            return kStepAmMenu;
        case PopupMenu::StepOther:
            return kStepOtherMenu;
        case PopupMenu::Agc:
            return kAgcMenu;
        case PopupMenu::Pms:
            return kPmsMenu;
        case PopupMenu::AttIpo:
            return kAttIpoMenu;
        case PopupMenu::Tuner:
            return kTunerMenu;
        case PopupMenu::Meter:
            return kMeterMenu;
        case PopupMenu::ClarSelect:
            return kClarSelectMenu;
        case PopupMenu::Dsp:
            return kDspMenu;
        case PopupMenu::Width:
            return kWidthMenu;
    }
    return {};
}

const PopupRecord* findPopupRecord(PopupMenu menu, int id) {
    if (id == 0) return nullptr;
    for (const auto& record : popupRecords(menu)) {
        if (record.id == id) return &record;
    }
    return nullptr;
}

}  // namespace panelink
