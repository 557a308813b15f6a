#include "panelink/menu/menu_defaults.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace panelink {
namespace {

// Short option lists are written inline; the long ones shared by several items are below.
inline constexpr std::size_t kMaxInlineOptions = 11;

using OptionList = std::span<const std::string_view>;

// Keys a custom-key item can be set to.
constexpr std::array<std::string_view, 52> kCustomKeyOptions{
    "MONI",    "N/A",     "P/B",   "PLAY1",  "PLAY2",   "PLAY3",   "QSPL",  "SPOT",    "SQLOFF",
    "SWR",     "TXW",     "VCC",   "VOICE2", "VM1MONI", "VM1REC",  "VM1TX", "VM2MONI", "VM2REC",
    "VM2TX",   "DOWN",    "FAST",  "UP",     "DSP",     "ATT/IPO", "NB",    "AGC",     "MODE DN",
    "MODE UP", "DSP/SEL", "KEYER", "CLAR",   "BAND DN", "BAND UP", "A=B",   "A/B",     "LOCK",
    "TUNE",    "VOICE",   "MW",    "V/M",    "HOME",    "RCL",     "VOX",   "STO",     "STEP",
    "SPLIT",   "PMS",     "SCAN",  "MENU",   "DIMMER",  "MTR",     "USER",
};

// Compact description of one default record. Fields left out are zero; the unit flag and
// the option count follow from the texts.
struct MenuDefault {
    std::int32_t number = 0;
    std::string_view name{};
    std::string_view range{};
    std::int32_t kind = 0;
    std::int32_t digits = 0;
    double minimum = 0.0;
    double maximum = 0.0;
    double step = 0.0;
    std::int32_t decimals = 0;
    std::int32_t multiplier = 0;
    std::array<std::string_view, kMaxInlineOptions> options{};
    OptionList sharedOptions{};
    std::string_view unit{};
    double value = 0.0;

    constexpr OptionList optionList() const {
        if (!sharedOptions.empty()) return sharedOptions;
        std::size_t used = 0;
        while (used < options.size() && !options[used].empty())
            ++used;
        return OptionList(options.data(), used);
    }
};

constexpr MenuDefault kBlank{.kind = kKindBlank};

constexpr std::string_view kCustomKeyRange = "Microphone Custom Key";
constexpr std::string_view kFixOrLinkedRange = "FIX 0-100/VR LNK -50 - +50";

// Index = menu number in the "EX" command; index 0 is never used.
// clang-format off
constexpr std::array<MenuDefault, kMenuSlotCount> kMenuDefaults{{
    kBlank,
    {.number = 1, .name = "EXT MNU", .range = "OFF/EXTENSION", .kind = kKindOption, .digits = 1,
     .options = {"OFF", "EXTENSION"}, .value = 1},
    {.number = 2, .name = "A&FDIAL", .range = "DISABLE/ENABLE", .kind = kKindOption, .digits = 1,
     .options = {"DISABLE", "ENABLE"}, .value = 0},
    {.number = 3, .name = "APO", .range = "OFF/1-12 (h)", .kind = kKindOffOrNumber, .digits = 2,
     .minimum = 1, .maximum = 12, .step = 1, .options = {"OFF"}, .unit = "h", .value = 0},
    {.number = 4, .name = "BCN TIM", .range = "OFF/1-255 (sec)", .kind = kKindOffOrNumber,
     .digits = 3, .minimum = 1, .maximum = 255, .step = 1, .options = {"OFF"}, .unit = "sec",
     .value = 0},
    {.number = 5, .name = "BCN TXT", .range = "Beacon Text", .kind = kKindText, .digits = 41,
     .minimum = 0, .maximum = 3, .step = 0, .value = 1},
    {.number = 6, .name = "BEEPTON", .range = "440/880/1760 (Hz)", .kind = kKindOption, .digits = 1,
     .options = {"440", "880", "1760"}, .unit = "Hz", .value = 1},
    {.number = 7, .name = "BEEPVOL", .range = kFixOrLinkedRange, .kind = kKindFixOrLinked,
     .digits = 3, .minimum = 0, .maximum = 201, .step = 1, .options = {"FIX", "LNK"}, .value = 10},
    {.number = 8, .name = "CAT RTS", .range = "DISABLE/ENABLE", .kind = kKindOption, .digits = 1,
     .options = {"DISABLE", "ENABLE"}, .value = 1},
    {.number = 9, .name = "CAT TOT", .range = "10/100/1000/3000 (mSec)", .kind = kKindOption,
     .digits = 1, .options = {"10", "100", "1000", "3000"}, .unit = "mSec", .value = 0},
    {.number = 10, .name = "CATRATE", .range = "4800/9600/19200/38400 (bps)", .kind = kKindOption,
     .digits = 1, .minimum = 1, .maximum = 0, .step = 0,
     .options = {"4800", "9600", "19200", "38400"}, .unit = "bps", .value = 1},
    {.number = 11, .name = "CLAR", .range = "DIAL/SEL", .kind = kKindClar, .digits = 1,
     .options = {"DIAL", "SEL"}, .value = 0},
    {.number = 12, .name = "CLK SFT", .range = "OFF/ON", .kind = kKindOption, .digits = 1,
     .options = {"OFF", "ON"}, .value = 0},
    {.number = 13, .name = "CONT", .range = "1-24", .kind = kKindNumber, .digits = 2, .minimum = 1,
     .maximum = 24, .step = 1, .value = 24},
    {.number = 14, .name = "CW AUTO", .range = "OFF/ON", .kind = kKindOption, .digits = 1,
     .options = {"OFF", "ON"}, .value = 0},
    {.number = 15, .name = "CW BFO", .range = "USB/LSB/AUTO", .kind = kKindCwBfo, .digits = 1,
     .options = {"USB", "LSB", "AUTO"}, .value = 0},
    {.number = 16, .name = "CW DLY", .range = "FULL/30-3000 (mSec)", .kind = kKindOffOrNumber,
     .digits = 3, .minimum = 30, .maximum = 3000, .step = 10, .multiplier = 10, .options = {"FULL"},
     .unit = "mSec", .value = 25},
    {.number = 17, .name = "CW KEY", .range = "NOR/REV", .kind = kKindOption, .digits = 1,
     .options = {"NOR", "REV"}, .value = 0},
    {.number = 18, .name = "CW QSK", .range = "15/20/25/30 (mSec)", .kind = kKindOption,
     .digits = 1, .options = {"15", "20", "25", "30"}, .unit = "mSec", .value = 0},
    {.number = 19, .name = "CWPADDL", .range = "ELEKEY/MICKEY U/D", .kind = kKindOption,
     .digits = 1, .options = {"ELEKEY", "MICKEY U/D"}, .value = 0},
    {.number = 20, .name = "CWPITCH", .range = "400/500/600/700/800 (Hz)", .kind = kKindCwPitch,
     .digits = 2, .options = {"400", "500", "600", "700", "800"}, .unit = "Hz", .value = 8},
    {.number = 21, .name = "CWSPEED", .range = "4-60 (wpm)", .kind = kKindNumber, .digits = 2,
     .minimum = 4, .maximum = 60, .step = 1, .unit = "wpm", .value = 12},
    {.number = 22, .name = "CWSTONE", .range = kFixOrLinkedRange, .kind = kKindFixOrLinked,
     .digits = 3, .minimum = 0, .maximum = 201, .step = 1, .options = {"FIX", "LNK"}, .value = 10},
    {.number = 23, .name = "CWTRAIN",
     .range = "NUMERIC CHARACTERS ONLY/ALPHABET CHARACTERS ONLY/"
              "NUMERIC AND ALPHABET CHARACTERS(MIXED)",
     .kind = kKindOption, .digits = 1,
     .options = {"NUMERIC CHARACTERS ONLY", "ALPHABET CHARACTERS ONLY",
                 "NUMERIC AND ALPHABET CHARACTERS(MIXED)"},
     .value = 0},
    {.number = 24, .name = "CWWEIGT", .range = "2.5-4.5", .kind = kKindTenths, .digits = 2,
     .minimum = 25, .maximum = 45, .step = 0.1, .value = 30},
    {.number = 25, .name = "D DISP", .range = "-3000 - +3000 (Hz)", .kind = kKindSigned,
     .digits = 4, .minimum = -3000, .maximum = 3000, .step = 10, .multiplier = 10, .unit = "Hz",
     .value = 0},
    {.number = 26, .name = "D TYPE", .range = "RTTY/USER-L/USER-U", .kind = kKindDataType,
     .digits = 1, .options = {"RTTY", "USER-L", "USER-U"}, .value = 0},
    kBlank,
    kBlank,
    {.number = 27, .name = "DIALSTP", .range = "SSB CW DATA 1/10/20 (Hz) AM FM 100/200 (Hz)",
     .kind = kKindOption, .digits = 1, .options = {"1", "10", "20", "100", "200"}, .unit = "Hz",
     .value = 1},
    {.number = 28, .name = "DIG VOX", .range = "OFF/1-100", .kind = kKindPercent, .digits = 3,
     .minimum = 0, .maximum = 100, .step = 1, .options = {"OFF"}, .value = 0},
    {.number = 29, .name = "EMERGEN", .range = "OFF/ON", .kind = kKindOption, .digits = 1,
     .options = {"OFF", "ON"}, .value = 0},
    {.number = 30, .name = "KEYHOLD", .range = "0.5/1.0/1.5/2.0 (sec)", .kind = kKindOption,
     .digits = 1, .options = {"0.5", "1.0", "1.5", "2.0"}, .unit = "sec", .value = 1},
    {.number = 31, .name = "LOCKMOD", .range = "FREQ/PANEL/ALL", .kind = kKindOption, .digits = 1,
     .options = {"FREQ", "PANEL", "ALL"}, .value = 0},
    {.number = 32, .name = "M-TUNE", .range = "OFF/ON", .kind = kKindOption, .digits = 1,
     .options = {"OFF", "ON"}, .value = 1},
    {.number = 33, .name = "MEM GRP", .range = "OFF/ON", .kind = kKindOption, .digits = 1,
     .options = {"OFF", "ON"}, .value = 0},
    {.number = 34, .name = "MEM TAG", .range = "FREQ/TAG", .kind = kKindOption, .digits = 1,
     .options = {"FREQ", "TAG"}, .value = 0},
    {.number = 35, .name = "MIC EQ", .range = "0-9", .kind = kKindMicEq, .digits = 1, .minimum = 0,
     .maximum = 9, .step = 1, .value = 0},
    {.number = 36, .name = "MICGAIN", .range = "LOW/NOR/HIGH", .kind = kKindOption, .digits = 1,
     .options = {"LOW", "NOR", "HIGH"}, .value = 1},
    {.number = 37, .name = "MICSCAN", .range = "OFF/ON", .kind = kKindOption, .digits = 1,
     .options = {"OFF", "ON"}, .value = 1},
    kBlank,
    kBlank,
    {.number = 38, .name = "P M-DWN", .range = kCustomKeyRange, .kind = kKindOption, .digits = 2,
     .sharedOptions = kCustomKeyOptions, .value = 19},
    {.number = 39, .name = "P M-FST", .range = kCustomKeyRange, .kind = kKindOption, .digits = 2,
     .sharedOptions = kCustomKeyOptions, .value = 20},
    {.number = 40, .name = "P M-UP", .range = kCustomKeyRange, .kind = kKindOption, .digits = 2,
     .sharedOptions = kCustomKeyOptions, .value = 21},
    {.number = 41, .name = "PEAKHLD", .range = "OFF/ON", .kind = kKindPeakHold, .digits = 1,
     .options = {"OFF", "ON"}, .value = 1},
    {.number = 42, .name = "PNL-C.S", .range = "C.S Custom Key", .kind = kKindOption, .digits = 2,
     .sharedOptions = kCustomKeyOptions, .value = 11},
    {.number = 43, .name = "QSPL F", .range = "-20 - +20 (kHz)", .kind = kKindSigned, .digits = 3,
     .minimum = -20, .maximum = 20, .step = 1, .unit = "kHz", .value = 5},
    {.number = 44, .name = "RFPOWER", .range = "5-100(W)", .kind = kKindNumber, .digits = 3,
     .minimum = 5, .maximum = 100, .step = 1, .unit = "W", .value = 100},
    {.number = 45, .name = "RPT", .range = "SIMPLEX/+SHIFT/-SHIFT", .kind = kKindOption,
     .digits = 1, .options = {"SIMPLEX", "+SHIFT", "-SHIFT"}, .value = 0},
    {.number = 46, .name = "RPT SFT", .range = "0-9.99 (MHz)", .kind = kKindDecimal, .digits = 3,
     .minimum = 0, .maximum = 999, .step = 0.01, .decimals = 2, .unit = "MHz", .value = 10},
    {.number = 47, .name = "RTY SFT", .range = "170/200/425/850 (Hz)", .kind = kKindOption,
     .digits = 1, .minimum = 1, .maximum = 0, .step = 0, .options = {"170", "200", "425", "850"},
     .unit = "Hz", .value = 1},
    {.number = 48, .name = "RTY TON", .range = "1275/2125 (Hz)", .kind = kKindOption, .digits = 1,
     .minimum = 1, .maximum = 0, .step = 0, .options = {"1275", "2125"}, .unit = "Hz", .value = 2},
    {.number = 49, .name = "RTYRPOL", .range = "NOR/REV", .kind = kKindOption, .digits = 1,
     .options = {"NOR", "REV"}, .value = 0},
    {.number = 50, .name = "RTYTPOL", .range = "NOR/REV", .kind = kKindOption, .digits = 1,
     .options = {"NOR", "REV"}, .value = 0},
    {.number = 51, .name = "SCN RES", .range = "BUSY/1-10 (sec)", .kind = kKindOffOrNumber,
     .digits = 2, .minimum = 1, .maximum = 10, .step = 1, .options = {"BUSY"}, .unit = "sec",
     .value = 5},
    {.number = 52, .name = "SELDIAL",
     .range = "CW SIDETONE/CW SPEED/100K GRP/1M GRP/MIC GAIN/RF POWER SET", .kind = kKindSelDial,
     .digits = 1,
     .options = {"CW SIDETONE", "CW SPEED", "100K GRP", "1M GRP", "MIC GAIN", "RF POWER SET"},
     .value = 2},
    {.number = 53, .name = "SQL TYP", .range = "OFF/CTCSS ENC/CTCSS ENC/DEC", .kind = kKindOption,
     .digits = 1, .options = {"OFF", "CTCSS ENC", "CTCSS ENC/DEC"}, .value = 0},
    {.number = 54, .name = "SQL/RFG", .range = "SQL/RF-GAIN", .kind = kKindSqlRfGain, .digits = 1,
     .options = {"SQL", "RF-GAIN"}, .value = 1},
    {.number = 55, .name = "STBY BP", .range = "OFF/ON", .kind = kKindOption, .digits = 1,
     .options = {"OFF", "ON"}, .value = 0},
    {.number = 56, .name = "TONE F", .range = "67.0-254.1 (Hz)", .kind = kKindToneFrequency,
     .digits = 2, .sharedOptions = kToneFrequencies, .unit = "Hz", .value = 8},
    {.number = 57, .name = "TOT", .range = "OFF/1-20 (Min)", .kind = kKindOffOrNumber, .digits = 2,
     .minimum = 1, .maximum = 20, .step = 1, .options = {"OFF"}, .unit = "Min", .value = 0},
    {.number = 58, .name = "TUNER", .range = "ATAS/EXT ATU/INT ATU/INTRATU/F TRANS",
     .kind = kKindOption, .digits = 1,
     .options = {"ATAS", "EXT ATU", "INT ATU", "INTRATU", "F TRANS"}, .value = 2},
    {.number = 59, .name = "VOX DLY", .range = "100-3000 (mSec)", .kind = kKindNumber, .digits = 2,
     .minimum = 100, .maximum = 3000, .step = 100, .multiplier = 100, .unit = "mSec", .value = 5},
    {.number = 60, .name = "VOXGAIN", .range = "1-100", .kind = kKindPercent, .digits = 3,
     .minimum = 1, .maximum = 100, .step = 1, .value = 50},
    {.number = 61, .name = "MY BAND", .range = "1.8-50", .kind = kKindBitsBands, .digits = 11,
     .options = {"1.8", "3.5", "7", "10", "14", "18", "21", "24", "28", "50", "GEN"},
     .value = 2047},
    {.number = 62, .name = "MY MODE", .range = "LSB/USB/CW/AM/FM/DATA", .kind = kKindBitsModes,
     .digits = 6, .options = {"LSB", "USB", "CW", "AM", "FM", "DATA"}, .value = 63},
    {.number = 63, .name = "DIM", .range = "0-8", .kind = kKindDimmer, .digits = 0, .minimum = 0,
     .maximum = 8, .step = 1, .value = 4},
}};
// clang-format on

// Every text must fit its field with room for the terminating zero, so that no text is
// cut when a record is filled.
template <std::size_t N>
constexpr bool fits(std::string_view text, const std::array<char, N>&) {
    return text.size() < N;
}

constexpr bool defaultsFitTheirFields() {
    constexpr MenuItem probe{};
    for (const MenuDefault& d : kMenuDefaults) {
        if (!fits(d.name, probe.name) || !fits(d.range, probe.rangeText) ||
            !fits(d.unit, probe.unit)) {
            return false;
        }
        const OptionList options = d.optionList();
        if (options.size() > probe.options.size()) return false;
        for (std::string_view option : options) {
            if (!fits(option, probe.options[0])) return false;
        }
    }
    return true;
}
static_assert(defaultsFitTheirFields(), "a default text does not fit its MenuItem field");

template <std::size_t N>
void copyText(std::array<char, N>& field, std::string_view text) {
    const std::size_t length = std::min(text.size(), N - 1);
    std::copy_n(text.begin(), length, field.begin());
}

}  // namespace

MenuItem blankMenuItem() {
    MenuItem item{};
    item.kind = kKindBlank;
    return item;
}

MenuItem defaultMenuItem(int index) {
    if (index < 0 || index >= kMenuSlotCount) return blankMenuItem();
    const MenuDefault& d = kMenuDefaults[static_cast<std::size_t>(index)];

    MenuItem item{};
    item.number = d.number;
    copyText(item.name, d.name);
    copyText(item.rangeText, d.range);
    item.value = d.value;
    item.digits = d.digits;
    item.hasUnit = d.unit.empty() ? 0 : 1;
    copyText(item.unit, d.unit);
    item.kind = d.kind;
    item.maximum = d.maximum;
    item.minimum = d.minimum;
    item.step = d.step;
    item.decimals = d.decimals;
    item.multiplier = d.multiplier;
    const OptionList options = d.optionList();
    item.optionCount = static_cast<std::int32_t>(options.size());
    for (std::size_t i = 0; i < options.size(); ++i)
        copyText(item.options[i], options[i]);
    return item;
}

}  // namespace panelink
