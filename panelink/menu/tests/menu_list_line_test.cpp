// Lines of the menu list, mostly from the default records.

#include "panelink/menu/menu_list_line.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <limits>
#include <string>
#include <vector>

#include "panelink/menu/menu_defaults.h"

namespace panelink {
namespace {

std::string spaces(int n) {
    return std::string(static_cast<std::size_t>(n), ' ');
}

MenuItem withValue(int index, double value) {
    MenuItem item = defaultMenuItem(index);
    item.value = value;
    return item;
}

struct LineCase {
    std::string name;
    int index;
    double value;
    MenuListCursors cursors;
    std::string expected;
};

class DefaultItemLine : public ::testing::TestWithParam<LineCase> {};

TEST_P(DefaultItemLine, ShowsNumberNameRangeSettingAndUnit) {
    const LineCase& c = GetParam();
    EXPECT_EQ(menuListLine(withValue(c.index, c.value), c.cursors), c.expected);
}

// clang-format off
const std::vector<LineCase> kDefaultLines{
    {"OptionItemShowsTheOptionItsValueNames", 1, 1, {},
     "001 EXT MNU  OFF/EXTENSION" + spaces(74) + " EXTENSION"},
    {"OptionItemCountsItsOptionsFromItsMinimum", 10, 1, {},
     "010 CATRATE  4800/9600/19200/38400 (bps)" + spaces(60) + " 4800bps"},
    {"CustomKeyShowsItsKey", 46, 11, {},
     "042 PNL-C.S  C.S Custom Key" + spaces(73) + " VCC"},
    {"RangeThatFillsItsColumnGetsNoPadding", 23, 2, {},
     "023 CWTRAIN  NUMERIC CHARACTERS ONLY/ALPHABET CHARACTERS ONLY/NUMERIC AND ALPHABET "
     "CHARACTERS(MIXED) NUMERIC AND ALPHABET CHARACTERS(MIXED)"},
    {"NumberWithoutMultiplierShowsItsValue", 13, 24, {},
     "013 CONT     1-24" + spaces(83) + " 24"},
    {"NumberShowsItsValueTimesItsMultiplier", 63, 5, {},
     "059 VOX DLY  100-3000 (mSec)" + spaces(72) + " 500mSec"},
    {"SignedNumberKeepsItsSign", 25, -5, {},
     "025 D DISP   -3000 - +3000 (Hz)" + spaces(69) + " -50Hz"},
    {"DelayBelowItsMinimumShowsFullWithoutUnit", 16, 2, {},
     "016 CW DLY   FULL/30-3000 (mSec)" + spaces(68) + " FULL"},
    {"DelayShowsItsValueTimesItsMultiplierWithUnit", 16, 25, {},
     "016 CW DLY   FULL/30-3000 (mSec)" + spaces(68) + " 250mSec"},
    {"PowerOffTimeShowsHours", 3, 12, {},
     "003 APO      OFF/1-12 (h)" + spaces(75) + " 12h"},
    {"RepeaterShiftShowsHundredths", 50, 10, {},
     "046 RPT SFT  0-9.99 (MHz)" + spaces(75) + " 0.10MHz"},
    {"KeyerWeightShowsTenths", 24, 30, {},
     "024 CWWEIGT  2.5-4.5" + spaces(80) + " 3.0"},
    {"PitchCodeShowsItsPitch", 20, 8, {},
     "020 CWPITCH  400/500/600/700/800 (Hz)" + spaces(63) + " 700Hz"},
    {"PitchCodeAboveEightShowsTheHighestPitch", 20, 12, {},
     "020 CWPITCH  400/500/600/700/800 (Hz)" + spaces(63) + " 800Hz"},
    {"BandSetShowsTheBandUnderTheCursor", 65, 2047, {},
     "061 MY BAND  1.8-50" + spaces(81) + " 50 ON"},
    {"BandSetShowsAClearBitAsOff", 65, 1024, {.bandBit = 1},
     "061 MY BAND  1.8-50" + spaces(81) + " 3.5 OFF"},
    {"ModeSetShowsTheModeUnderTheCursor", 66, 32, {.modeBit = 0},
     "062 MY MODE  LSB/USB/CW/AM/FM/DATA" + spaces(66) + " LSB ON"},
    {"ModeSetStartsAtTheLastMode", 66, 32, {},
     "062 MY MODE  LSB/USB/CW/AM/FM/DATA" + spaces(66) + " DATA OFF"},
    {"GainShowsItsCountAsAPercentage", 64, 128, {},
     "060 VOXGAIN  1-100" + spaces(82) + " 50"},
    {"GainAtItsMinimumShowsItsOption", 30, 0, {},
     "028 DIG VOX  OFF/1-100" + spaces(78) + " OFF"},
    {"GainAtFullScaleShowsHundred", 30, 255, {},
     "028 DIG VOX  OFF/1-100" + spaces(78) + " 100"},
    {"FixedVolumeShowsItsLevel", 7, 10, {},
     "007 BEEPVOL  FIX 0-100/VR LNK -50 - +50" + spaces(61) + " FIX 10"},
    {"LinkedVolumeShowsItsOffset", 7, 141, {},
     "007 BEEPVOL  FIX 0-100/VR LNK -50 - +50" + spaces(61) + " LNK -10"},
    {"ToneShowsItsFrequency", 60, 8, {},
     "056 TONE F   67.0-254.1 (Hz)" + spaces(72) + " 88.5Hz"},
    {"DialFunctionShowsItsOption", 56, 2, {},
     "052 SELDIAL  CW SIDETONE/CW SPEED/100K GRP/1M GRP/MIC GAIN/RF POWER SET" + spaces(29) +
     " 100K GRP"},
    {"EqualiserShowsItsNumber", 37, 3, {},
     "035 MIC EQ   0-9" + spaces(84) + " 3"},
    {"DimmerShowsItsNumber", 67, 4, {},
     "063 DIM      0-8" + spaces(84) + " 4"},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(MenuListLine, DefaultItemLine, ::testing::ValuesIn(kDefaultLines),
                         [](const auto& param) { return param.param.name; });

// Kinds no default item has, on a made-up record with two options and the range 0..20.
MenuItem madeUp(int kind, double value, int decimals = 0) {
    MenuItem item{};
    item.number = 99;
    std::snprintf(item.name.data(), item.name.size(), "TEST");
    std::snprintf(item.rangeText.data(), item.rangeText.size(), "R");
    std::snprintf(item.options[0].data(), item.options[0].size(), "AUTO");
    std::snprintf(item.options[1].data(), item.options[1].size(), "MAN");
    item.optionCount = 2;
    item.kind = kind;
    item.value = value;
    item.decimals = decimals;
    item.maximum = 20;
    item.step = 1;
    return item;
}

TEST(MenuListLine, KindsWithoutDefaultItemsShowTheirSettings) {
    const std::string prefix = "099 TEST     R" + spaces(86);
    const struct {
        MenuItem item;
        std::string setting;
    } cases[] = {
        {madeUp(2, 25, 1), " 2.5"},  {madeUp(2, 1234, 3), " 1.234"}, {madeUp(2, 7, 0), " 7.000000"},
        {madeUp(6, 5, 2), " 0.05"},  {madeUp(8, 12), " -12"},        {madeUp(10, 1500), " 1.500"},
        {madeUp(11, -3), " -3"},     {madeUp(25, 7), " 7"},          {madeUp(12, 1), " MAN"},
        {madeUp(15, 0), " AUTO"},    {madeUp(13, 1000), " AUTO"},    {madeUp(13, 12), " MAN(12)"},
        {madeUp(17, 1000), " AUTO"}, {madeUp(17, 999), " 999"},      {madeUp(18, 40), " A(40%)"},
        {madeUp(18, 1000), " AUTO"}, {madeUp(4, -7), " -7"},  // multiplier 0 counts as 1
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.item.kind);
        EXPECT_EQ(menuListLine(c.item, {}), prefix + c.setting);
    }
}

TEST(MenuListLine, OptionsTheItemDoesNotHaveShowQuestionMarks) {
    const std::string unknown = " ????????????";
    EXPECT_EQ(menuListLine(madeUp(12, 2), {}).substr(100), unknown);   // past the count
    EXPECT_EQ(menuListLine(madeUp(12, -1), {}).substr(100), unknown);  // below zero
    EXPECT_EQ(menuListLine(madeUp(40, 9), {}).substr(100), unknown);
    MenuItem oneOption = madeUp(13, 5);
    oneOption.optionCount = 1;
    EXPECT_EQ(menuListLine(oneOption, {}).substr(100), unknown);
    oneOption.kind = 52;
    oneOption.value = 150;  // linked: the second option
    EXPECT_EQ(menuListLine(oneOption, {}).substr(100), unknown);
    // An index below the minimum; the unit still follows.
    EXPECT_EQ(menuListLine(withValue(10, 0), {}).substr(100), unknown + "bps");

    MenuItem full = madeUp(12, 59);
    full.optionCount = 60;
    std::snprintf(full.options[59].data(), full.options[59].size(), "LAST");
    EXPECT_EQ(menuListLine(full, {}).substr(100), " LAST");
    full.value = 60;  // one past the option array
    EXPECT_EQ(menuListLine(full, {}).substr(100), unknown);
    full.optionCount = 1000;
    EXPECT_EQ(menuListLine(full, {}).substr(100), unknown);
}

TEST(MenuListLine, ChangedItemsShowTheirNewValueAndText) {
    MenuItem item = withValue(1, 1);
    item.changed = 1;
    item.newValue = 0;
    EXPECT_EQ(menuListLine(item, {}).substr(100), " OFF");

    MenuItem beacon = withValue(5, 1);
    std::snprintf(beacon.textValue.data(), beacon.textValue.size(), "CQ");
    EXPECT_EQ(menuListLine(beacon, {}), "005 BCN TXT  Beacon Text" + spaces(76) + " 1 CQ");
    beacon.changed = 1;
    beacon.newValue = 2;
    std::snprintf(beacon.newText.data(), beacon.newText.size(), "DE TEST");
    EXPECT_EQ(menuListLine(beacon, {}).substr(100), " 2 DE TEST");
}

TEST(MenuListLine, IntegerPartsAreTakenFromTheValuePrintedWithSixDecimals) {
    EXPECT_EQ(menuListLine(withValue(13, 23.9999999), {}).substr(100), " 24");
    EXPECT_EQ(menuListLine(withValue(13, 23.99), {}).substr(100), " 23");
    EXPECT_EQ(menuListLine(withValue(25, -4.99), {}).substr(100), " -49Hz");
}

TEST(MenuListLine, BandAndModeCursorsWrapAndNeverReachGeneralCoverage) {
    const MenuItem bands = withValue(65, 2047);
    MenuListCursors cursors;
    EXPECT_TRUE(moveListCursor(cursors, bands, ListArrow::Right));
    EXPECT_EQ(cursors.bandBit, 0);
    EXPECT_EQ(menuListLine(bands, cursors).substr(100), " 1.8 ON");
    EXPECT_TRUE(moveListCursor(cursors, bands, ListArrow::Left));
    EXPECT_EQ(cursors.bandBit, 9);
    for (int step = 0; step < 25; ++step) {
        moveListCursor(cursors, bands, step < 12 ? ListArrow::Right : ListArrow::Left);
        EXPECT_NE(menuListLine(bands, cursors).substr(100), " GEN ON");
    }

    const MenuItem modes = withValue(66, 63);
    EXPECT_TRUE(moveListCursor(cursors, modes, ListArrow::Right));
    EXPECT_EQ(cursors.modeBit, 0);
    EXPECT_TRUE(moveListCursor(cursors, modes, ListArrow::Left));
    EXPECT_EQ(cursors.modeBit, 5);
    EXPECT_FALSE(moveListCursor(cursors, withValue(1, 1), ListArrow::Right));
    // A cursor outside its range shows no option rather than a bit past the set.
    EXPECT_EQ(menuListLine(bands, {.bandBit = 10}).substr(100), " ????????????");
}

TEST(MenuListLine, LongTextsScrollThirtyFiveCharactersAtATime) {
    MenuItem beacon = withValue(5, 1);
    const std::string text = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789abcd";  // 40 characters
    std::snprintf(beacon.textValue.data(), beacon.textValue.size(), "%s", text.c_str());
    MenuListCursors cursors;
    EXPECT_EQ(menuListLine(beacon, cursors).substr(100), " 1 ABCDEFGHIJKLMNOPQRSTUVWXYZ012345678");
    cursors.textOffset = 5;
    EXPECT_EQ(menuListLine(beacon, cursors).substr(100), " 1 FGHIJKLMNOPQRSTUVWXYZ0123456789abcd");
    cursors.textOffset = 39;
    EXPECT_EQ(menuListLine(beacon, cursors).substr(100), " 1 d");
    EXPECT_TRUE(moveListCursor(cursors, beacon, ListArrow::Right));
    EXPECT_EQ(cursors.textOffset, 0);
    EXPECT_TRUE(moveListCursor(cursors, beacon, ListArrow::Left));
    EXPECT_EQ(cursors.textOffset, 39);

    // A stale offset beyond a text that has since become shorter starts at the beginning.
    cursors.textOffset = 45;
    EXPECT_EQ(menuListLine(beacon, cursors).substr(100), " 1 ABCDEFGHIJKLMNOPQRSTUVWXYZ012345678");
    // Texts of 35 characters or fewer show whole and do not scroll.
    beacon.textValue[35] = '\0';
    EXPECT_EQ(menuListLine(beacon, cursors).substr(103), text.substr(0, 35));
    EXPECT_FALSE(moveListCursor(cursors, beacon, ListArrow::Right));
}

TEST(MenuListLine, DefaultsGiveSixtyThreeLinesWithTheSettingInOneColumn) {
    int lines = 0;
    for (int index = 1; index <= kMenuItemCount; ++index) {
        const MenuItem item = defaultMenuItem(index);
        if (item.kind == kKindBlank) continue;
        ++lines;
        const std::string line = menuListLine(item, {});
        SCOPED_TRACE(line);
        EXPECT_EQ(std::stoi(line.substr(0, 3)), item.number);
        EXPECT_EQ(line[3], ' ');
        ASSERT_GT(line.size(), 101u);
        EXPECT_EQ(line[100], ' ');
        EXPECT_NE(line[101], ' ');
        EXPECT_EQ(line.find("????"), std::string::npos);
    }
    EXPECT_EQ(lines, 63);
}

TEST(MenuListLine, UnrepresentableValuesAndUnterminatedFieldsStayInBounds) {
    const double inf = std::numeric_limits<double>::infinity();
    for (double value : {std::nan(""), inf, -inf, 1e300, -1e300}) {
        for (int index = 1; index <= kMenuItemCount; ++index) {
            MenuItem item = withValue(index, value);
            if (item.kind == kKindBlank) continue;
            const std::string line = menuListLine(item, {});
            EXPECT_GT(line.size(), 101u) << index << " " << value;
        }
    }
    EXPECT_EQ(menuListLine(withValue(13, std::nan("")), {}).substr(100), " 0");
    EXPECT_EQ(menuListLine(withValue(13, 1e300), {}).substr(100), " 2147483647");

    MenuItem filled = madeUp(12, 0);
    filled.name.fill('N');
    filled.rangeText.fill('R');
    filled.options[0].fill('O');
    EXPECT_EQ(menuListLine(filled, {}),
              "099 NNNNNNN  " + std::string(87, 'R') + " " + std::string(40, 'O'));
}

}  // namespace
}  // namespace panelink
