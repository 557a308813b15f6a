#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "panelink/menu/menu_defaults.h"
#include "panelink/menu/tests/menu_test_util.h"

namespace panelink {
namespace {

using menutest::text;

// A record as the transceiver's menu defines it; only the first options are listed.
struct Expected {
    int index, number;
    std::string name, range;
    int kind, digits;
    double minimum, maximum, step;
    int decimals, multiplier, optionCount;
    std::vector<std::string> firstOptions;
    std::string unit;
    double value;
};

TEST(MenuDefaults, RecordsMatchTheTransceiverMenu) {
    // clang-format off
    const Expected expected[] = {
        {3, 3, "APO", "OFF/1-12 (h)", 16, 2, 1, 12, 1, 0, 0, 1, {"OFF"}, "h", 0},
        {5, 5, "BCN TXT", "Beacon Text", 46, 41, 0, 3, 0, 0, 0, 0, {}, "", 1},
        {10, 10, "CATRATE", "4800/9600/19200/38400 (bps)", 1, 1, 1, 0, 0, 0, 0, 4,
         {"4800", "9600", "19200", "38400"}, "bps", 1},
        {16, 16, "CW DLY", "FULL/30-3000 (mSec)", 16, 3, 30, 3000, 10, 0, 10, 1, {"FULL"},
         "mSec", 25},
        {25, 25, "D DISP", "-3000 - +3000 (Hz)", 4, 4, -3000, 3000, 10, 0, 10, 0, {}, "Hz", 0},
        {42, 38, "P M-DWN", "Microphone Custom Key", 1, 2, 0, 0, 0, 0, 0, 52,
         {"MONI", "N/A", "P/B"}, "", 19},
        {50, 46, "RPT SFT", "0-9.99 (MHz)", 2, 3, 0, 999, 0.01, 2, 0, 0, {}, "MHz", 10},
        {60, 56, "TONE F", "67.0-254.1 (Hz)", 50, 2, 0, 0, 0, 0, 0, 50, {"67.0", "69.3"}, "Hz", 8},
        {65, 61, "MY BAND", "1.8-50", 14, 11, 0, 0, 0, 0, 0, 11,
         {"1.8", "3.5", "7", "10", "14", "18", "21", "24", "28", "50", "GEN"}, "", 2047},
        {67, 63, "DIM", "0-8", 47, 0, 0, 8, 1, 0, 0, 0, {}, "", 4},
    };
    // clang-format on
    for (const Expected& e : expected) {
        SCOPED_TRACE("index " + std::to_string(e.index));
        const MenuItem item = defaultMenuItem(e.index);
        EXPECT_EQ(item.number, e.number);
        EXPECT_EQ(text(item.name), e.name);
        EXPECT_EQ(text(item.rangeText), e.range);
        EXPECT_EQ(item.kind, e.kind);
        EXPECT_EQ(item.digits, e.digits);
        EXPECT_EQ(item.minimum, e.minimum);
        EXPECT_EQ(item.maximum, e.maximum);
        EXPECT_EQ(item.step, e.step);
        EXPECT_EQ(item.decimals, e.decimals);
        EXPECT_EQ(item.multiplier, e.multiplier);
        EXPECT_EQ(item.optionCount, e.optionCount);
        for (std::size_t i = 0; i < e.firstOptions.size(); ++i) {
            EXPECT_EQ(text(item.options[i]), e.firstOptions[i]) << "option " << i;
        }
        EXPECT_EQ(text(item.unit), e.unit);
        EXPECT_EQ(item.hasUnit, e.unit.empty() ? 0 : 1);
        EXPECT_EQ(item.value, e.value);
    }
}

TEST(MenuDefaults, SharedOptionListsAreComplete) {
    const MenuItem keys = defaultMenuItem(42);
    EXPECT_EQ(text(keys.options[19]), "DOWN");
    EXPECT_EQ(text(keys.options[33]), "A=B");
    EXPECT_EQ(text(keys.options[51]), "USER");
    const std::pair<int, double> customKeys[] = {{43, 20}, {44, 21}, {46, 11}};
    for (const auto& [index, value] : customKeys) {
        const MenuItem item = defaultMenuItem(index);
        EXPECT_EQ(item.optionCount, 52) << index;
        EXPECT_EQ(item.options, keys.options) << index;
        EXPECT_EQ(item.value, value) << index;
    }
    const MenuItem tone = defaultMenuItem(60);
    EXPECT_EQ(text(tone.options[12]), "100.0");
    EXPECT_EQ(text(tone.options[49]), "254.1");
}

TEST(MenuDefaults, GapsAndIndexesOutsideTheMenuGiveBlankRecords) {
    ASSERT_EQ(blankMenuItem().kind, kKindBlank);
    for (int index : {0, 27, 28, 40, 41, -1, kMenuSlotCount}) {
        SCOPED_TRACE(index);
        const MenuItem item = defaultMenuItem(index);
        menutest::expectSameItem(item, blankMenuItem());
        EXPECT_EQ(text(item.name), "");
        EXPECT_EQ(item.optionCount, 0);
    }
}

TEST(MenuDefaults, NumbersRunInOrderOverNonBlankIndexes) {
    int expectedNumber = 1;
    for (int index = 1; index <= kMenuItemCount; ++index) {
        const MenuItem item = defaultMenuItem(index);
        if (item.kind == kKindBlank) continue;
        EXPECT_EQ(item.number, expectedNumber++) << "index " << index;
    }
    EXPECT_EQ(expectedNumber - 1, 63);
}

TEST(MenuDefaults, EveryRecordIsCleanAndConsistent) {
    // Nothing pending, and exactly optionCount option texts, each of them non-empty.
    for (int index = 1; index <= kMenuItemCount; ++index) {
        const MenuItem item = defaultMenuItem(index);
        SCOPED_TRACE(index);
        EXPECT_EQ(item.hasUnit, text(item.unit).empty() ? 0 : 1);
        EXPECT_EQ(text(item.textValue), "");
        EXPECT_EQ(text(item.newText), "");
        EXPECT_EQ(item.changed, 0);
        EXPECT_EQ(item.newValue, 0.0);
        ASSERT_GE(item.optionCount, 0);
        for (int i = 0; i < 60; ++i) {
            EXPECT_EQ(text(item.options[static_cast<std::size_t>(i)]).empty(),
                      i >= item.optionCount)
                << "option " << i;
        }
    }
}

TEST(MenuDefaults, KindsOtherWindowsLookUpBelongToOneItemEach) {
    // Look-ups by kind take the first match, so each of these must name exactly its item.
    const std::pair<int, int> owners[] = {
        {14, 65}, {15, 45}, {41, 66}, {42, 58}, {43, 26}, {44, 15},
        {45, 37}, {46, 5},  {47, 67}, {48, 56}, {49, 11}, {50, 60},
    };
    for (const auto& [kind, owner] : owners) {
        std::vector<int> found;
        for (int index = 1; index <= kMenuItemCount; ++index) {
            if (defaultMenuItem(index).kind == kind) found.push_back(index);
        }
        EXPECT_EQ(found, std::vector<int>{owner}) << "kind " << kind;
    }
}

}  // namespace
}  // namespace panelink
