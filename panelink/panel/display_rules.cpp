#include "panelink/panel/display_rules.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <optional>
#include <span>
#include <string_view>

#include "panelink/panel/panel_tables.h"

namespace panelink {
namespace {

// Meter thresholds as the panel has always drawn them; two of them (164, 238) sit one below
// round(255 * (k + 1) / 31).
constexpr std::array<int, kMeterSegmentCount> kMeterThresholds{
    8,   16,  25,  33,  41,  49,  58,  66,  74,  82,  90,  99,  107, 115, 123, 132,
    140, 148, 156, 164, 173, 181, 189, 197, 206, 214, 222, 230, 238, 247, 255};

constexpr std::int64_t kMaxEightDigits = 99999999;
constexpr int kMaxClarifierOffset = 9999;

constexpr int kGainMax = 255;
constexpr int kShiftLimit = 1260;

struct KnobGeometry {
    DialPart part;
    int cx;
    int cy;
};
constexpr KnobGeometry kSqlRfKnob{DialPart::SqlRfKnob, 688, 275};
constexpr KnobGeometry kAfGainKnob{DialPart::AfGainKnob, 792, 275};
constexpr KnobGeometry kShiftKnob{DialPart::ShiftKnob, 68, 275};
constexpr int kPointerInner = 19;
constexpr int kPointerLength = 5;
constexpr int kPointerPen = 2;

constexpr int kDimpleRadius = 25;
constexpr int kDspSelPointerRadius = 10;

// --- DSP bar row tables: '1' lights the segment ---

struct BarPattern {
    int threshold;
    std::string_view segments;
};

struct ContourPattern {
    int threshold;
    std::string_view rowA;
    std::string_view rowB;
};

// CONTOUR by level, rows by contour frequency; level 0 is all off.
constexpr std::array<ContourPattern, 5> kContourMinus2{{
    {7, "10111111111", "00011111111"},
    {13, "11101111111", "11000111111"},
    {19, "11111011111", "11110001111"},
    {25, "11111110111", "11111100011"},
    {32, "11111111101", "11111111000"},
}};
constexpr std::array<ContourPattern, 5> kContourMinus1{{
    {7, "11111111111", "10111111111"},
    {13, "11111111111", "11101111111"},
    {19, "11111111111", "11111011111"},
    {25, "11111111111", "11111110111"},
    {32, "11111111111", "11111111101"},
}};
constexpr std::array<ContourPattern, 5> kContourPlus1{{
    {7, "01000000000", "00000000000"},
    {13, "00010000000", "00000000000"},
    {19, "00000100000", "00000000000"},
    {25, "00000001000", "00000000000"},
    {32, "00000000010", "00000000000"},
}};
constexpr std::array<ContourPattern, 5> kContourPlus2{{
    {7, "11100000000", "01000000000"},
    {13, "00111000000", "00010000000"},
    {19, "00001110000", "00000100000"},
    {25, "00000011100", "00000001000"},
    {32, "00000000111", "00000000010"},
}};

// NOTCH: both rows alike.
constexpr std::array<BarPattern, 11> kNotchRows{{
    {103, "01000000000"},
    {125, "10100000000"},
    {146, "01010000000"},
    {167, "00101000000"},
    {189, "00010100000"},
    {210, "00001010000"},
    {231, "00000101000"},
    {253, "00000010100"},
    {274, "00000001010"},
    {295, "00000000101"},
    {400, "00000000010"},
}};

constexpr std::array<BarPattern, 11> kDnrRows{{
    {1, "10000000000"},
    {2, "11000000000"},
    {3, "11100000000"},
    {4, "11110000000"},
    {5, "11111000000"},
    {6, "11111100000"},
    {7, "11111110000"},
    {8, "11111111000"},
    {9, "11111111100"},
    {10, "11111111110"},
    {11, "11111111111"},
}};

constexpr std::array<BarPattern, 6> kWidthRows{{
    {0, "00000100000"},
    {1, "00001110000"},
    {2, "00011111000"},
    {3, "00111111100"},
    {4, "01111111110"},
    {5, "11111111111"},
}};

constexpr std::array<BarPattern, 11> kShiftRows{{
    {-1001, "10000000000"},
    {-790, "01000000000"},
    {-540, "00100000000"},
    {-290, "00010000000"},
    {-50, "00001000000"},
    {49, "00000100000"},
    {289, "00000010000"},
    {539, "00000001000"},
    {789, "00000000100"},
    {1000, "00000000010"},
    {1270, "00000000001"},
}};

constexpr std::string_view kAllOff = "00000000000";

constexpr bool validPattern(std::string_view segments) {
    if (segments.size() != static_cast<std::size_t>(kBarSegmentCount)) return false;
    for (char c : segments) {
        if (c != '0' && c != '1') return false;
    }
    return true;
}

template <std::size_t N>
constexpr bool validRows(const std::array<BarPattern, N>& rows) {
    for (const auto& row : rows) {
        if (!validPattern(row.segments)) return false;
    }
    return true;
}

constexpr bool validContour(const std::array<ContourPattern, 5>& rows) {
    for (const auto& row : rows) {
        if (!validPattern(row.rowA) || !validPattern(row.rowB)) return false;
    }
    return true;
}

static_assert(validRows(kNotchRows) && validRows(kDnrRows) && validRows(kWidthRows) &&
              validRows(kShiftRows));
static_assert(validContour(kContourMinus2) && validContour(kContourMinus1) &&
              validContour(kContourPlus1) && validContour(kContourPlus2));

// The first row whose threshold is not below the value; the last one above every threshold.
template <class Row, std::size_t N>
const Row& rowFor(const std::array<Row, N>& rows, std::int32_t value) {
    for (const auto& row : rows) {
        if (row.threshold >= value) return row;
    }
    return rows.back();
}

void drawBarRow(DrawList& ops, BarRow row, std::string_view segments) {
    const int base = static_cast<int>(row) * kBarSegmentCount;
    for (int s = 0; s < kBarSegmentCount; ++s) {
        append(ops, drawElement(ElementFamily::BarSegment, base + s,
                                segments[static_cast<std::size_t>(s)] == '1' ? 1 : 0));
    }
}

// --- small helpers ---

void drawLabelInto(DrawList& ops, PanelLabel label, bool lit) {
    append(ops, drawElement(ElementFamily::Label, static_cast<int>(label), lit ? 1 : 0));
}

DrawList labelOps(PanelLabel label, bool lit) {
    DrawList ops;
    drawLabelInto(ops, label, lit);
    return ops;
}

// A 0/1 flag; other values are not listed by any rule.
std::optional<bool> flag(std::int32_t value) {
    if (value == 0) return false;
    if (value == 1) return true;
    return std::nullopt;
}

DrawList flagLabel(PanelLabel label, std::int32_t value) {
    const auto lit = flag(value);
    return lit ? labelOps(label, *lit) : DrawList{};
}

std::int64_t wholeHz(double value) {
    if (!std::isfinite(value)) return 0;
    return std::llround(std::clamp(value, -1e12, 1e12));
}

bool isDspOffMode(std::int32_t mode) {
    return mode == 4 || mode == 5 || mode == 11;
}

DrawList onOffBox(OnOffColumn column, std::optional<bool> on) {
    if (!on) return {};
    const int index = static_cast<int>(column);
    DrawList ops;
    if (*on) {
        append(ops, drawElement(ElementFamily::OnOffBox, index,
                                static_cast<int>(OnOffBoxState::OffDark)));
        append(ops,
               drawElement(ElementFamily::OnOffBox, index, static_cast<int>(OnOffBoxState::OnLit)));
    } else {
        append(ops, drawElement(ElementFamily::OnOffBox, index,
                                static_cast<int>(OnOffBoxState::OffLit)));
        append(ops, drawElement(ElementFamily::OnOffBox, index,
                                static_cast<int>(OnOffBoxState::OnDark)));
    }
    return ops;
}

DrawList drawValueKnob(const KnobGeometry& knob, int angle) {
    DrawList ops = drawElement(ElementFamily::Dial, static_cast<int>(knob.part), 0);
    const PanelPoint from = pointAt({knob.cx, knob.cy}, kPointerInner, angle);
    const PanelPoint to = pointAt({knob.cx, knob.cy}, kPointerInner + kPointerLength, angle);
    ops.emplace_back(DrawLine{from.x, from.y, to.x, to.y, kPointerRed, kPointerPen});
    return ops;
}

// The element's corner moved by the offset of `radius` at `angle`.
DrawList drawAtAngle(DialPart part, int radius, int angle) {
    const DisplayElement* e = findElement(ElementFamily::Dial, static_cast<int>(part), 0);
    if (e == nullptr) return {};
    const PanelPoint p = pointAt({e->x, e->y}, radius, angle);
    return {BlitBitmap{e->bitmap, p.x, p.y, e->width, e->height}};
}

}  // namespace

DrawList drawElement(ElementFamily family, int index, int state) {
    const DisplayElement* e = findElement(family, index, state);
    if (e == nullptr) return {};
    return {BlitBitmap{e->bitmap, e->x, e->y, e->width, e->height}};
}

// --- Frequency, clarifier, VFO/memory letters ---

std::int64_t displayedFrequency(const PanelSnapshot& s) {
    std::int64_t f = s.vfoBOperating ? s.vfoB : s.vfoA;
    if (s.clarifierOn && !s.transmitting) f += wholeHz(s.clarifierOffset);
    return std::clamp<std::int64_t>(f, 0, kMaxEightDigits);
}

DrawList drawFrequency(const PanelSnapshot& s, int selectedDigit) {
    std::array<char, 16> text{};
    std::snprintf(text.data(), text.size(), "%8lld", static_cast<long long>(displayedFrequency(s)));

    const bool selected = selectedDigit >= 1 && selectedDigit <= 8;
    const int cursor = selected ? 8 - selectedDigit : -1;

    DrawList ops;
    for (int p = 0; p < 8; ++p) {
        const char c = text[static_cast<std::size_t>(p)];
        const bool blank = c < '0' || c > '9';
        int state = 0;
        if (!selected && blank) {
            state = kDigitBlank;
        } else {
            state = (blank ? 0 : c - '0') + (p == cursor ? kDigitHighlight : 0);
        }
        append(ops, drawElement(ElementFamily::FrequencyDigit, p, state));
    }
    // The MHz point goes dark with the MHz digit blank; the kHz point is always lit.
    const bool mhzBlank = text[1] < '0' || text[1] > '9';
    append(ops, drawElement(ElementFamily::FrequencyPoint, 0, !selected && mhzBlank ? 2 : 0));
    append(ops, drawElement(ElementFamily::FrequencyPoint, 0, 1));
    return ops;
}

DrawList drawClarifierOffset(const PanelSnapshot& s) {
    const auto v = static_cast<int>(std::clamp<std::int64_t>(
        wholeHz(s.clarifierOffset), -kMaxClarifierOffset, kMaxClarifierOffset));
    std::array<char, 16> text{};
    std::snprintf(text.data(), text.size(), "%05d", v);

    DrawList ops;
    for (std::size_t i = 0; i < 3; ++i) {
        const char c = text[i + 1];
        const int digit = (c >= '0' && c <= '9') ? c - '0' : 0;
        append(ops, drawElement(ElementFamily::ClarifierDigit, static_cast<int>(i), digit));
    }
    append(ops, drawElement(ElementFamily::ClarifierPoint, 0, 0));
    append(ops, drawElement(ElementFamily::ClarifierSign, 0, v > 0 ? 1 : (v < 0 ? 2 : 0)));
    return ops;
}

DrawList drawVfoLetters(const PanelSnapshot& s) {
    using L = VfoLetterState;
    L first = L::Blank;
    L second = L::Blank;
    switch (s.channelMode) {
        case 0: {
            const bool showB = (s.vfoBOperating && (!s.transmitting || s.transmitVfo != 0)) ||
                               (!s.vfoBOperating && s.transmitting && s.transmitVfo == 1);
            first = showB ? L::B : L::A;
            break;
        }
        case 1:
            first = L::M;
            break;
        case 2:
            first = L::M;
            second = L::T;
            break;
        case 3:
            first = L::Q;
            break;
        case 4:
            first = L::P;
            break;
        case 5:
            first = L::H;
            break;
        default:
            break;
    }
    DrawList ops = drawElement(ElementFamily::VfoLetter, 0, static_cast<int>(first));
    append(ops, drawElement(ElementFamily::VfoLetter, 0,
                            kVfoLetterSecondPlace + static_cast<int>(second)));
    return ops;
}

// --- Meter ---

bool meterSelectionKnown(std::int32_t selection) {
    return selection >= 1 && selection <= 3;
}

MeterScaleState meterScale(std::int32_t selection, std::int32_t radioId) {
    switch (selection) {
        case 1:
            return MeterScaleState::Alc;
        case 2:
            return radioId == 246 ? MeterScaleState::PowerLow : MeterScaleState::Power;
        case 3:
            return MeterScaleState::Swr;
        default:
            return MeterScaleState::SMeter;
    }
}

DrawList drawMeterScale(const PanelSnapshot& s) {
    return drawElement(ElementFamily::MeterScale, 0,
                       static_cast<int>(meterScale(s.meterSelection, s.radioId)));
}

int peakSegment(int peak) {
    int found = -1;
    for (int k = 0; k < kMeterSegmentCount; ++k) {
        if (kMeterThresholds[static_cast<std::size_t>(k)] <= peak) found = k;
    }
    return found;
}

DrawList drawMeterBar(int reading, int peak, bool live) {
    if (!live) {
        reading = 0;
        peak = 0;
    }
    const int peakAt = peak > 0 ? peakSegment(peak) : -1;
    DrawList ops;
    for (int k = 0; k < kMeterSegmentCount; ++k) {
        const bool on = reading >= kMeterThresholds[static_cast<std::size_t>(k)] || k == peakAt;
        append(ops, drawElement(ElementFamily::MeterSegment, k, on ? 1 : 0));
    }
    return ops;
}

// --- Two-state labels and boxes ---

DrawList drawTxLabel(const PanelSnapshot& s) {
    return labelOps(PanelLabel::Tx, s.transmitting);
}

DrawList drawBusyLabel(const PanelSnapshot& s) {
    return flagLabel(PanelLabel::Busy, s.busy);
}

DrawList drawTunerLabel(const PanelSnapshot& s, bool blinkPhase) {
    switch (s.tuner) {
        case 0:
            return labelOps(PanelLabel::Tuner, false);
        case 1:
            return labelOps(PanelLabel::Tuner, true);
        case 2:
            return labelOps(PanelLabel::Tuner, blinkPhase);
        default:
            return {};
    }
}

DrawList drawModeLabels(const PanelSnapshot& s) {
    bool lsb = false, usb = false, cw = false, am = false, fm = false, data = false;
    switch (s.mode) {
        case 1:
            lsb = true;
            break;
        case 2:
            usb = true;
            break;
        case 3:
            cw = true;
            usb = true;
            break;
        case 7:
            cw = true;
            lsb = true;
            break;
        case 4:
        case 11:
            fm = true;
            break;
        case 5:
            am = true;
            break;
        case 6:
        case 8:
        case 9:
        case 12:
            data = true;
            if (s.dataTypeSetting == 2) {
                usb = true;
            } else {
                lsb = true;
            }
            break;
        default:
            return {};  // 10 and unknown modes leave the labels as they are
    }
    DrawList ops;
    drawLabelInto(ops, PanelLabel::Lsb, lsb);
    drawLabelInto(ops, PanelLabel::Usb, usb);
    drawLabelInto(ops, PanelLabel::Cw, cw);
    drawLabelInto(ops, PanelLabel::Am, am);
    drawLabelInto(ops, PanelLabel::Fm, fm);
    drawLabelInto(ops, PanelLabel::Data, data);
    return ops;
}

DrawList drawEncDecLabels(const PanelSnapshot& s) {
    // Tone (CT) and DCS (DQ) settings both light the labels; either answer redraws both, so
    // the result does not depend on which of them came last.
    const bool toneKnown = s.toneState >= 0 && s.toneState <= 2;
    const bool dcsKnown = s.dcsState >= 0 && s.dcsState <= 3;
    if (!toneKnown || !dcsKnown) return {};
    const bool enc = s.toneState == 1 || s.toneState == 2 || s.dcsState == 1 || s.dcsState == 2;
    const bool dec = s.toneState == 1 || s.dcsState == 1 || s.dcsState == 3;
    DrawList ops;
    drawLabelInto(ops, PanelLabel::Enc, enc);
    drawLabelInto(ops, PanelLabel::Dec, dec);
    return ops;
}

DrawList drawRepeaterShiftLabels(const PanelSnapshot& s) {
    if (s.repeaterShift < 0 || s.repeaterShift > 2) return {};
    DrawList ops;
    drawLabelInto(ops, PanelLabel::Minus, s.repeaterShift == 2);
    drawLabelInto(ops, PanelLabel::Plus, s.repeaterShift == 1);
    return ops;
}

DrawList drawVoxLabel(const PanelSnapshot& s) {
    return flagLabel(PanelLabel::Vox, s.vox);
}

DrawList drawPbackLabel(const PanelSnapshot& s, bool blinkPhase) {
    if (s.playbackState == 6) return labelOps(PanelLabel::Pback, blinkPhase);
    return labelOps(PanelLabel::Pback, s.recording == 1 || s.playing == 1);
}

DrawList drawKeyerLabel(const PanelSnapshot& s) {
    return flagLabel(PanelLabel::Keyer, s.keyer);
}

DrawList drawBkInLabel(const PanelSnapshot& s) {
    return flagLabel(PanelLabel::BkIn, s.breakIn);
}

DrawList drawFastLabel(const PanelSnapshot& s) {
    return flagLabel(PanelLabel::Fast, s.fastStep);
}

DrawList drawLockLabel(const PanelSnapshot& s, bool menuListReady) {
    if (s.lock == 0) return labelOps(PanelLabel::Lock, menuListReady);
    if (s.lock >= 1 && s.lock <= 3) return labelOps(PanelLabel::Lock, true);
    return {};
}

DrawList drawAntSymbol(const PanelSnapshot& s, bool blinkPhase) {
    return labelOps(PanelLabel::Ant, s.warning == 1 ? blinkPhase : true);
}

DrawList drawMenuBox(const PanelSnapshot& s) {
    return labelOps(PanelLabel::Menu, s.menuState != 0);
}

DrawList drawClarLabel(const PanelSnapshot& s) {
    return labelOps(PanelLabel::Clar, s.clarifierOn);
}

DrawList drawSplitLabel(const PanelSnapshot& s) {
    return flagLabel(PanelLabel::Split, s.transmitVfo);
}

DrawList drawShiftCaption(const PanelSnapshot& s) {
    const bool lit = !isDspOffMode(s.mode);
    DrawList ops = labelOps(PanelLabel::ShiftCaption, lit);
    drawLabelInto(ops, PanelLabel::ShiftBaseLine, lit);
    return ops;
}

DrawList drawDspSelMarkers(const PanelSnapshot& s) {
    if (s.dspSelFunction < 0 || s.dspSelFunction > 4) return {};
    DrawList ops;
    drawLabelInto(ops, PanelLabel::MarkerContour, s.dspSelFunction == 1);
    drawLabelInto(ops, PanelLabel::MarkerNotch, s.dspSelFunction == 2);
    drawLabelInto(ops, PanelLabel::MarkerDnr, s.dspSelFunction == 3);
    drawLabelInto(ops, PanelLabel::MarkerWidth, s.dspSelFunction == 4);
    return ops;
}

DrawList drawAttBox(const PanelSnapshot& s) {
    std::optional<bool> on;
    if (s.attenuator == 0) on = false;
    if (s.attenuator >= 1 && s.attenuator <= 3) on = true;
    return onOffBox(OnOffColumn::Att, on);
}

DrawList drawIpoBox(const PanelSnapshot& s) {
    // The reported flag is 1 when IPO is off.
    const auto off = flag(s.ipo);
    return onOffBox(OnOffColumn::Ipo, off ? std::optional<bool>(!*off) : std::nullopt);
}

DrawList drawNbBox(const PanelSnapshot& s) {
    return onOffBox(OnOffColumn::Nb, s.noiseBlanker != 0);
}

DrawList drawAgcBox(const PanelSnapshot& s) {
    bool autoLit = false, fastLit = false, slowLit = false;
    switch (s.agc) {
        case 0:
            break;
        case 1:
            fastLit = true;
            break;
        case 2:
        case 3:
            slowLit = true;
            break;
        case 6:
            autoLit = true;
            slowLit = true;
            break;
        default:
            autoLit = true;
            fastLit = true;
            break;
    }
    using A = AgcBoxState;
    DrawList ops =
        drawElement(ElementFamily::AgcBox, 0, static_cast<int>(autoLit ? A::AutoLit : A::AutoDark));
    append(ops, drawElement(ElementFamily::AgcBox, 0,
                            static_cast<int>(fastLit ? A::FastLit : A::FastDark)));
    append(ops, drawElement(ElementFamily::AgcBox, 0,
                            static_cast<int>(slowLit ? A::SlowLit : A::SlowDark)));
    return ops;
}

// --- DSP bars ---

DrawList drawContourBar(const PanelSnapshot& s) {
    std::string_view rowA = kAllOff;
    std::string_view rowB = kAllOff;
    const std::array<ContourPattern, 5>* table = nullptr;
    switch (s.contourLevel) {
        case -2:
            table = &kContourMinus2;
            break;
        case -1:
            table = &kContourMinus1;
            break;
        case 0:
            break;
        case 1:
            table = &kContourPlus1;
            break;
        case 2:
            table = &kContourPlus2;
            break;
        default:
            return {};
    }
    if (table != nullptr) {
        const auto& row = rowFor(*table, s.contourFrequency);
        rowA = row.rowA;
        rowB = row.rowB;
    }
    DrawList ops;
    drawBarRow(ops, BarRow::ContourA, rowA);
    drawBarRow(ops, BarRow::ContourB, rowB);
    return ops;
}

DrawList drawNotchBar(const PanelSnapshot& s) {
    const bool on = s.notchOn == 1 && !isDspOffMode(s.mode);
    const std::string_view row = on ? rowFor(kNotchRows, s.notchFrequency).segments : kAllOff;
    DrawList ops;
    drawBarRow(ops, BarRow::NotchA, row);
    drawBarRow(ops, BarRow::NotchB, row);
    return ops;
}

DrawList drawDnrBar(const PanelSnapshot& s) {
    DrawList ops;
    drawBarRow(ops, BarRow::Dnr, s.dnrOn == 1 ? rowFor(kDnrRows, s.dnrLevel).segments : kAllOff);
    return ops;
}

DrawList drawWidthBar(const PanelSnapshot& s) {
    DrawList ops;
    drawBarRow(ops, BarRow::Width, rowFor(kWidthRows, s.width).segments);
    return ops;
}

DrawList drawShiftBar(const PanelSnapshot& s) {
    DrawList ops;
    drawBarRow(ops, BarRow::Shift,
               isDspOffMode(s.mode) ? kAllOff : rowFor(kShiftRows, s.ifShift).segments);
    return ops;
}

// --- Keys ---

DrawList drawKeyCap(std::uint32_t message, std::uintptr_t wparam) {
    const auto index = keyCapIndex(message);
    if (!index || wparam > 1) return {};
    return drawElement(ElementFamily::KeyCap, *index, static_cast<int>(wparam));
}

DrawList drawFourStateKey(FourStateKey key, bool pressed, bool lit) {
    return drawElement(ElementFamily::FourStateKey, static_cast<int>(key),
                       (pressed ? 1 : 0) + (lit ? 2 : 0));
}

// --- Dials and knobs ---

DrawList drawMainDial(int angle) {
    DrawList ops = drawElement(ElementFamily::Dial, static_cast<int>(DialPart::MainDial), 0);
    append(ops, drawAtAngle(DialPart::MainDialDimple, kDimpleRadius, angle));
    return ops;
}

DrawList drawDspSelKnob(int angle, bool tuningFlag) {
    DrawList ops = drawElement(ElementFamily::Dial, static_cast<int>(DialPart::DspSelKnob),
                               tuningFlag ? 1 : 0);
    if (angle >= 0 && angle < kNoPointer) {
        append(ops, drawAtAngle(DialPart::DspSelPointer, kDspSelPointerRadius, angle));
    }
    return ops;
}

int gainKnobAngle(std::int32_t value) {
    const int v = std::clamp<std::int32_t>(value, 0, kGainMax);
    int angle = v * 119 / 100 + 207;
    if (angle > 360) angle -= 360;
    return angle;
}

int shiftKnobAngle(std::int32_t value) {
    const int v = std::clamp<std::int32_t>(value, -kShiftLimit, kShiftLimit);
    int angle = (v * 12 + 15120) / 100 + 207;
    if (angle > 360) angle -= 360;
    return angle;
}

DrawList drawSqlRfKnob(const PanelSnapshot& s) {
    const std::int32_t value = s.sqlRfSetting != 0 ? s.rfGain : s.squelch;
    return drawValueKnob(kSqlRfKnob, gainKnobAngle(value));
}

DrawList drawAfGainKnob(const PanelSnapshot& s) {
    return drawValueKnob(kAfGainKnob, gainKnobAngle(s.afGain));
}

DrawList drawShiftKnob(const PanelSnapshot& s) {
    return drawValueKnob(kShiftKnob, shiftKnobAngle(s.ifShift));
}

DrawList drawCaptionHighlight(int lit, int index) {
    const auto rect = captionRect(index);
    if (!rect || (lit != 0 && lit != 1)) return {};
    return {CopyBitmapRect{lit == 1 ? kPanelPictureCaptionsLit : kPanelPicture, rect->x, rect->y,
                           rect->width, rect->height}};
}

}  // namespace panelink
