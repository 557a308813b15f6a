// What the setting dialogs offer for the default records and what their OK stores.

#include "panelink/menu/menu_setting_dialog.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "panelink/menu/menu_defaults.h"
#include "panelink/menu/menu_list_line.h"
#include "panelink/menu/tests/menu_test_util.h"

namespace panelink {
namespace {

using menutest::text;

MenuItem withValue(int index, double value) {
    MenuItem item = defaultMenuItem(index);
    item.value = value;
    return item;
}

std::vector<std::string> texts(const ChoiceDialog& dialog) {
    std::vector<std::string> result;
    for (const ChoiceEntry& entry : dialog.entries)
        result.push_back(entry.text);
    return result;
}

std::vector<double> storedValues(const ChoiceDialog& dialog) {
    std::vector<double> result;
    for (const ChoiceEntry& entry : dialog.entries)
        result.push_back(entry.value);
    return result;
}

// Index of the entry showing `shown`; fails the test when there is none.
std::size_t entryShowing(const ChoiceDialog& dialog, const std::string& shown) {
    for (std::size_t i = 0; i < dialog.entries.size(); ++i) {
        if (dialog.entries[i].text == shown) return i;
    }
    ADD_FAILURE() << "no entry " << shown;
    return 0;
}

// The value the choice dialog's OK stores for the entry showing `shown`.
double storedFor(const MenuItem& item, const std::string& shown) {
    const ChoiceDialog dialog = choiceDialog(item);
    return dialog.entries[entryShowing(dialog, shown)].value;
}

std::string preselectedText(const MenuItem& item) {
    const ChoiceDialog dialog = choiceDialog(item);
    return dialog.preselected ? dialog.entries[*dialog.preselected].text : "(none)";
}

TEST(MenuSettingDialog, EachValueKindOpensItsDialog) {
    std::map<MenuDialogKind, int> opened;
    for (int index = 0; index <= kMenuItemCount; ++index)
        ++opened[menuDialogKind(defaultMenuItem(index).kind)];
    EXPECT_EQ(opened[MenuDialogKind::None], 5);  // the four blank records and slot 0
    EXPECT_EQ(opened[MenuDialogKind::Choice], 59);
    EXPECT_EQ(opened[MenuDialogKind::BandCheckBoxes], 1);
    EXPECT_EQ(opened[MenuDialogKind::ModeCheckBoxes], 1);
    EXPECT_EQ(opened[MenuDialogKind::Tone], 1);
    EXPECT_EQ(opened[MenuDialogKind::Text], 1);
}

TEST(MenuSettingDialog, HeadingsNameTheItem) {
    EXPECT_EQ(choiceDialog(defaultMenuItem(16)).heading, "016  CW DLY  (mSec)");
    EXPECT_EQ(choiceDialog(defaultMenuItem(13)).heading, "013  CONT");
    EXPECT_EQ(toneDialog(defaultMenuItem(60)).heading, "056  TONE F  (Hz)");
    EXPECT_EQ(checkBoxDialog(defaultMenuItem(65)).heading, "061  MY BAND");
    EXPECT_EQ(textDialog(defaultMenuItem(5)).heading, "005  BCN TXT 1");
}

TEST(MenuSettingDialog, OffOrNumberOffersTheOptionThenTheRange) {
    const MenuItem apo = withValue(3, 0);
    EXPECT_EQ(choiceDialog(apo).entries.size(), 13u);
    EXPECT_EQ(preselectedText(apo), "OFF");
    EXPECT_EQ(storedFor(apo, "OFF"), 0);
    EXPECT_EQ(storedFor(apo, "12"), 12);

    const MenuItem delay = withValue(16, 25);
    const std::vector<std::string> entries = texts(choiceDialog(delay));
    ASSERT_EQ(entries.size(), 299u);
    EXPECT_EQ(entries[1], "30");
    EXPECT_EQ(entries.back(), "3000");
    EXPECT_EQ(preselectedText(delay), "250");
    EXPECT_EQ(preselectedText(withValue(16, 2)), "FULL");
    EXPECT_EQ(storedFor(delay, "30"), 3);
    // The first option is 0, a value the radio takes, not minimum / multiplier - 1.
    EXPECT_EQ(storedFor(delay, "FULL"), 0);
}

TEST(MenuSettingDialog, NumbersStoreTheChosenNumberOverTheMultiplier) {
    const MenuItem voxDelay = withValue(63, 5);
    EXPECT_EQ(preselectedText(voxDelay), "500");
    EXPECT_EQ(storedFor(voxDelay, "3000"), 30);
    const MenuItem display = withValue(25, -5);
    EXPECT_EQ(choiceDialog(display).entries.size(), 601u);
    EXPECT_EQ(preselectedText(display), "-50");
    EXPECT_EQ(storedFor(display, "-3000"), -300);
    EXPECT_EQ(storedFor(withValue(67, 4), "8"), 8);  // dimmer
}

TEST(MenuSettingDialog, OptionsStoreTheirIndexFromTheMinimum) {
    const MenuItem rate = withValue(10, 1);
    EXPECT_EQ(texts(choiceDialog(rate)),
              (std::vector<std::string>{"4800", "9600", "19200", "38400"}));
    EXPECT_EQ(preselectedText(rate), "4800");
    EXPECT_EQ(storedFor(rate, "38400"), 4);
    EXPECT_EQ(preselectedText(withValue(10, 0)), "(none)");
    EXPECT_EQ(choiceDialog(defaultMenuItem(42)).entries.size(), 52u);
    EXPECT_EQ(storedFor(defaultMenuItem(58), "RF-GAIN"), 1);  // kind 42, from 0
}

TEST(MenuSettingDialog, PitchesStoreTheirCode) {
    EXPECT_EQ(preselectedText(withValue(20, 8)), "700");
    EXPECT_EQ(preselectedText(withValue(20, 0)), "400");
    EXPECT_EQ(preselectedText(withValue(20, 3)), "500");
    EXPECT_EQ(preselectedText(withValue(20, 11)), "800");
    EXPECT_EQ(preselectedText(withValue(20, -3)), "400");
    EXPECT_EQ(storedFor(defaultMenuItem(20), "800"), 10);
    EXPECT_EQ(storedFor(defaultMenuItem(20), "400"), 2);
}

TEST(MenuSettingDialog, DecimalRangesReachTheirLastStepAndStoreWholeCounts) {
    const ChoiceDialog shift = choiceDialog(withValue(50, 10));
    ASSERT_EQ(shift.entries.size(), 1000u);
    EXPECT_EQ(shift.entries.front().text, "0.00");
    EXPECT_EQ(shift.entries.back().text, "9.99");
    EXPECT_EQ(shift.entries[*shift.preselected].text, "0.10");
    for (std::size_t k = 0; k < shift.entries.size(); ++k)
        ASSERT_EQ(shift.entries[k].value, static_cast<double>(k)) << shift.entries[k].text;

    const ChoiceDialog weight = choiceDialog(withValue(24, 30));
    ASSERT_EQ(weight.entries.size(), 21u);
    EXPECT_EQ(weight.entries.back().text, "4.5");
    EXPECT_EQ(weight.entries[*weight.preselected].text, "3.0");
    for (std::size_t k = 0; k < weight.entries.size(); ++k)
        ASSERT_EQ(weight.entries[k].value, 25.0 + static_cast<double>(k));
}

TEST(MenuSettingDialog, PercentagesStoreCountsThatShowTheSamePercentage) {
    const MenuItem gain = withValue(64, 128);
    const ChoiceDialog dialog = choiceDialog(gain);
    ASSERT_EQ(dialog.entries.size(), 100u);
    EXPECT_EQ(dialog.entries.back().text, "100");
    EXPECT_EQ(preselectedText(gain), "50");
    EXPECT_EQ(storedFor(gain, "50"), 128);
    for (const ChoiceEntry& entry : dialog.entries) {
        MenuItem stored = gain;
        stored.value = entry.value;
        EXPECT_EQ(menuListLine(stored, {}).substr(100), " " + entry.text);
    }

    const MenuItem digital = withValue(30, 0);
    EXPECT_EQ(choiceDialog(digital).entries.size(), 101u);
    EXPECT_EQ(preselectedText(digital), "OFF");
    EXPECT_EQ(storedFor(digital, "OFF"), 0);
    EXPECT_EQ(storedFor(digital, "100"), 255);
}

TEST(MenuSettingDialog, FixedOrLinkedLevelsStoreTheirCode) {
    const MenuItem volume = withValue(7, 141);
    const ChoiceDialog dialog = choiceDialog(volume);
    ASSERT_EQ(dialog.entries.size(), 202u);
    EXPECT_EQ(dialog.entries[100].text, "FIX 100");
    EXPECT_EQ(dialog.entries[101].text, "LNK -50");
    EXPECT_EQ(dialog.entries[201].text, "LNK 50");
    EXPECT_EQ(preselectedText(volume), "LNK -10");
    EXPECT_EQ(storedFor(volume, "LNK -10"), 141);
    EXPECT_EQ(storedFor(volume, "FIX 0"), 0);
}

// Kinds no default item has, on a made-up record with the range 5..7 and two options.
MenuItem madeUp(int kind, double value) {
    MenuItem item{};
    item.number = 99;
    item.kind = kind;
    item.value = value;
    item.minimum = 5;
    item.maximum = 7;
    item.step = 1;
    item.optionCount = 2;
    std::snprintf(item.options[0].data(), item.options[0].size(), "AUTO");
    std::snprintf(item.options[1].data(), item.options[1].size(), "MAN");
    return item;
}

TEST(MenuSettingDialog, KindsWithoutDefaultItemsStoreTheNumberTheyShow) {
    const struct {
        int kind;
        std::vector<std::string> entries;
        std::vector<double> stored;
    } cases[] = {
        {8, {"-7", "-6", "-5"}, {7, 6, 5}},
        {11, {"5", "6", "7"}, {5, 6, 7}},
        {13, {"AUTO", "MAN(5)", "MAN(6)", "MAN(7)"}, {1000, 5, 6, 7}},
        {17, {"AUTO", "5", "6", "7"}, {1000, 5, 6, 7}},
        {18, {"AUTO", "A(5%)", "A(6%)", "A(7%)"}, {1000, 5, 6, 7}},
        {52, {"AUTO 5", "AUTO 6", "AUTO 7"}, {5, 6, 7}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.kind);
        const ChoiceDialog dialog = choiceDialog(madeUp(c.kind, 6));
        EXPECT_EQ(texts(dialog), c.entries);
        EXPECT_EQ(storedValues(dialog), c.stored);
        EXPECT_EQ(dialog.entries[*dialog.preselected].text, c.entries[c.entries.size() - 2]);
    }
}

// Adding 0.1 three times gives 0.30000000000000004, past a range that ends at 0.3.
TEST(MenuSettingDialog, ScaledRangesKeepTheirLastEntry) {
    const struct {
        int kind;
        double maximum;
        std::vector<std::string> entries;
        std::vector<double> stored;
    } cases[] = {
        {9, 3, {"0.0", "0.1", "0.2", "0.3"}, {0, 1, 2, 3}},
        {10, 300, {"0.000", "0.100", "0.200", "0.300"}, {0, 100, 200, 300}},
    };
    for (const auto& c : cases) {
        MenuItem item = madeUp(c.kind, 0);
        item.minimum = 0;
        item.maximum = c.maximum;
        item.step = 0.1;
        const ChoiceDialog dialog = choiceDialog(item);
        EXPECT_EQ(texts(dialog), c.entries);
        EXPECT_EQ(storedValues(dialog), c.stored);
    }
}

TEST(MenuSettingDialog, MultiplierZeroCountsAsOneWhenStoring) {
    for (int kind : {0, 4, 16}) {
        MenuItem item = madeUp(kind, 6);
        item.multiplier = 0;
        const ChoiceDialog dialog = choiceDialog(item);
        EXPECT_EQ(dialog.entries[*dialog.preselected].text, "6") << kind;
        for (const ChoiceEntry& entry : dialog.entries)
            EXPECT_TRUE(std::isfinite(entry.value)) << kind << " " << entry.text;
    }
}

TEST(MenuSettingDialog, BrokenRangesOfferNoEndlessList) {
    MenuItem item = madeUp(11, 6);
    for (double step : {0.0, -1.0, std::nan("")}) {
        item.step = step;
        EXPECT_TRUE(choiceDialog(item).entries.empty()) << step;
    }
    item.step = 1;
    item.maximum = 1e12;
    EXPECT_EQ(choiceDialog(item).entries.size(), kMaxChoiceEntries);
    item.maximum = 4;  // below the minimum
    EXPECT_TRUE(choiceDialog(item).entries.empty());
}

TEST(MenuSettingDialog, ChoosingSetsTheMarkOnlyForAValueOtherThanTheOneRead) {
    MenuItem item = withValue(1, 1);
    const ChoiceDialog dialog = choiceDialog(item);
    EXPECT_TRUE(applyChoice(item, dialog, 0));
    EXPECT_EQ(item.changed, 1);
    EXPECT_EQ(item.newValue, 0);
    EXPECT_EQ(preselectedText(item), "OFF");  // the pending value, as the list shows it
    EXPECT_TRUE(applyChoice(item, dialog, 1));
    EXPECT_EQ(item.changed, 0);
    EXPECT_EQ(item.newValue, 1);

    const MenuItem before = item;
    EXPECT_FALSE(applyChoice(item, dialog, std::nullopt));
    EXPECT_FALSE(applyChoice(item, dialog, 2));
    menutest::expectSameItem(item, before);
}

TEST(MenuSettingDialog, CheckBoxesShowOneBoxPerOptionAndStoreTheirSum) {
    MenuItem bands = withValue(65, 1024 + 1);
    CheckBoxDialog dialog = checkBoxDialog(bands);
    ASSERT_EQ(dialog.boxes.size(), 11u);
    EXPECT_EQ(dialog.boxes[0].label, "1.8");
    EXPECT_EQ(dialog.boxes[0].bit, 1024);
    EXPECT_EQ(dialog.boxes[10].label, "GEN");
    EXPECT_EQ(dialog.boxes[10].bit, 1);
    for (std::size_t k = 0; k < dialog.boxes.size(); ++k)
        EXPECT_EQ(dialog.boxes[k].checked, k == 0 || k == 10) << k;

    bands.newValue = 5;
    applyCheckBoxes(bands, dialog);  // unchanged: the mark goes, the new value stays
    EXPECT_EQ(bands.changed, 0);
    EXPECT_EQ(bands.newValue, 5);
    dialog.boxes[0].checked = false;
    dialog.boxes[1].checked = true;
    applyCheckBoxes(bands, dialog);
    EXPECT_EQ(bands.changed, 1);
    EXPECT_EQ(bands.newValue, 512 + 1);
    EXPECT_TRUE(checkBoxDialog(bands).boxes[1].checked);  // reopened, it shows the pending set

    const CheckBoxDialog modes = checkBoxDialog(withValue(66, 32 + 2));
    ASSERT_EQ(modes.boxes.size(), 6u);
    EXPECT_EQ(modes.boxes[5].label, "DATA");
    EXPECT_EQ(modes.boxes[5].bit, 1);
    EXPECT_TRUE(modes.boxes[0].checked);
    EXPECT_TRUE(modes.boxes[4].checked);
    EXPECT_FALSE(modes.boxes[5].checked);
    EXPECT_TRUE(checkBoxDialog(defaultMenuItem(1)).boxes.empty());
}

TEST(MenuSettingDialog, ToneGridRowsReadInAscendingOrder) {
    MenuItem tone = withValue(60, 8);
    const ToneDialog dialog = toneDialog(tone);
    ASSERT_EQ(dialog.entries.size(), 50u);
    const std::vector<std::string> firstColumn{"  67.0",  "  79.7",  "  94.8",  "  110.9",
                                               "  131.8", "  156.7", "  171.3", "  186.2",
                                               "  203.5", "  229.1"};
    for (std::size_t row = 0; row < firstColumn.size(); ++row)
        EXPECT_EQ(dialog.entries[row].text, firstColumn[row]);
    const std::vector<int> secondRow{5, 6, 7, 8, 9};
    for (std::size_t column = 0; column < secondRow.size(); ++column)
        EXPECT_EQ(dialog.entries[column * 10 + 1].tone, secondRow[column]);
    EXPECT_EQ(dialog.entries.back().text, "  254.1");
    ASSERT_EQ(dialog.preselected, 31u);
    EXPECT_EQ(dialog.entries[31].text, "  88.5");

    EXPECT_TRUE(applyTone(tone, dialog, 10));
    EXPECT_EQ(tone.newValue, 1);
    EXPECT_EQ(tone.changed, 1);
    EXPECT_TRUE(applyTone(tone, dialog, 31));
    EXPECT_EQ(tone.changed, 0);
    EXPECT_FALSE(applyTone(tone, dialog, 50));
    EXPECT_FALSE(applyTone(tone, dialog, std::nullopt));
}

TEST(MenuSettingDialog, TextEditsBecomeTheNewTextOnlyWhenTheyDiffer) {
    MenuItem beacon = withValue(5, 2);
    std::snprintf(beacon.textValue.data(), beacon.textValue.size(), "CQ");
    EXPECT_EQ(textDialog(beacon).text, "CQ");

    const MenuItem before = beacon;
    EXPECT_FALSE(applyText(beacon, ""));
    menutest::expectSameItem(beacon, before);

    EXPECT_TRUE(applyText(beacon, std::string(45, 'A')));
    EXPECT_EQ(beacon.changed, 1);
    EXPECT_EQ(beacon.newValue, 2);
    EXPECT_EQ(text(beacon.newText), std::string(40, 'A'));
    EXPECT_EQ(textDialog(beacon).text, std::string(40, 'A'));

    EXPECT_TRUE(applyText(beacon, "CQ"));
    EXPECT_EQ(beacon.changed, 0);
    EXPECT_EQ(beacon.newValue, 0);
    EXPECT_EQ(textDialog(beacon).text, "CQ");
}

}  // namespace
}  // namespace panelink
