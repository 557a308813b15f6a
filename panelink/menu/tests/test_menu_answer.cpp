// "EX" answers applied to the built menu table, by item kind.
#include <gtest/gtest.h>

#include <string>

#include "panelink/menu/menu_answer.h"
#include "panelink/menu/menu_build.h"
#include "panelink/menu/menu_item_table.h"
#include "panelink/menu/tests/menu_test_util.h"

namespace panelink {
namespace {

constexpr int kBeaconText = 5;
constexpr int kDeltaDisplay = 25;
constexpr int kMyBand = 65;
constexpr int kMyMode = 66;

class MenuAnswerTest : public ::testing::Test {
  protected:
    MenuAnswerTest() { buildMenuItemTable(table); }

    bool apply(const std::string& answer) { return applyMenuAnswer(table, kMenuItemCount, answer); }

    MenuItem item(int index) const {
        MenuItem out;
        EXPECT_TRUE(table.copyOut(index, out));
        return out;
    }

    MenuItemTable table;
};

TEST_F(MenuAnswerTest, MenuNumberAccumulatesDigitsAndSkipsOthers) {
    EXPECT_EQ(menuAnswerIndex("EX0A7"), 7);
    EXPECT_EQ(menuAnswerIndex("EX6"), 6);
    EXPECT_EQ(menuAnswerIndex("EX"), 0);
    EXPECT_EQ(expectedMenuAnswerWidth(table, "EX065"), 11);
    EXPECT_EQ(expectedMenuAnswerWidth(table, "EX068"), 0);
    EXPECT_EQ(menuItemKindForAnswer(table, "EX066"), kKindBitsModes);
}

TEST_F(MenuAnswerTest, BitSetsReadOneCharacterPerBit) {
    EXPECT_TRUE(apply("EX06510000000000"));
    EXPECT_EQ(item(kMyBand).value, 1024.0);
    EXPECT_TRUE(apply("EX06511111111111"));
    EXPECT_EQ(item(kMyBand).value, 2047.0);
    EXPECT_FALSE(apply("EX06511111111111"));  // equal: no change reported
    EXPECT_TRUE(apply("EX066100000"));
    EXPECT_EQ(item(kMyMode).value, 32.0);
    // A short answer: the missing characters are zero bytes, not set bits.
    EXPECT_TRUE(apply("EX065111"));
    EXPECT_EQ(item(kMyBand).value, 1024.0 + 512.0 + 256.0);
}

TEST_F(MenuAnswerTest, TextItemTakesADigitAndItsText) {
    EXPECT_TRUE(apply("EX0052CQ DE TEST"));
    EXPECT_EQ(item(kBeaconText).value, 2.0);
    EXPECT_EQ(menutest::text(item(kBeaconText).textValue), "CQ DE TEST");
    // Same value, new text: the text is stored, no change is reported.
    EXPECT_FALSE(apply("EX0052QRV"));
    EXPECT_EQ(menutest::text(item(kBeaconText).textValue), "QRV");
    EXPECT_TRUE(apply("EX0053" + std::string(60, 'A')));
    EXPECT_EQ(menutest::text(item(kBeaconText).textValue), std::string(40, 'A'));
    EXPECT_FALSE(apply("EX005XABC"));  // no digit in front: the value stays
    EXPECT_EQ(item(kBeaconText).value, 3.0);
}

TEST_F(MenuAnswerTest, DecimalValuesMayCarryASign) {
    EXPECT_TRUE(apply("EX025-050"));
    EXPECT_EQ(item(kDeltaDisplay).value, -50.0);
    EXPECT_TRUE(apply("EX025+120"));
    EXPECT_EQ(item(kDeltaDisplay).value, 120.0);
    EXPECT_TRUE(apply("EX0250300"));
    EXPECT_EQ(item(kDeltaDisplay).value, 300.0);
}

TEST_F(MenuAnswerTest, MalformedOrMisaddressedAnswersChangeNothing) {
    const std::string answers[] = {
        "EX025-0X0", "EX025--50", "EX025-",
        "EX0631",  // not a whole number
        "EX0000",    "EX068",
        "EX",  // no such item
        "EX0270",
        "EX0670",  // blank record; DIM goes through "DA"
    };
    std::vector<MenuItem> before;
    for (int i = 1; i <= kMenuItemCount; ++i)
        before.push_back(item(i));
    for (const std::string& answer : answers)
        EXPECT_FALSE(apply(answer)) << answer;
    EXPECT_FALSE(applyMenuAnswer(table, 64, "EX06510000000000"));  // above the given count
    for (int i = 1; i <= kMenuItemCount; ++i)
        menutest::expectSameItem(before[static_cast<std::size_t>(i - 1)], item(i));

    table.withItem(13, [](MenuItem& m) { m.digits = kMaxMenuAnswerWidth; });
    EXPECT_FALSE(apply("EX013" + std::string(600, '9')));  // too large for any value
    table.withItem(13, [](MenuItem& m) { m.digits = kMaxMenuAnswerWidth + 1; });
    EXPECT_FALSE(apply("EX013" + std::string(600, '1')));
    EXPECT_EQ(item(13).value, 24.0);

    MenuItemTable unbuilt;
    EXPECT_FALSE(applyMenuAnswer(unbuilt, kMenuItemCount, "EX0010"));
}

}  // namespace
}  // namespace panelink
