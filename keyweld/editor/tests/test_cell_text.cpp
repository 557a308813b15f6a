#include <gtest/gtest.h>

#include <string>

#include "keyweld/editor/cell_text.h"
#include "keyweld/editor/clock_text.h"

namespace keyweld {
namespace {

TEST(CellText, CommandCellsUpperCaseAsciiLettersAndKeepDigitsAndSemicolons) {
    EXPECT_EQ(cellTextFor(CellKind::Command, "fa14250000;md2;"), "FA14250000;MD2;");
    // Only a-z: other bytes, also those of UTF-8 letters, stay as they are.
    EXPECT_EQ(cellTextFor(CellKind::Command, "\xC3\xA4x{}"), "\xC3\xA4X{}");
}

TEST(CellText, TagCellsKeepTheirCaseAndTheirFirstSixteenCharacters) {
    EXPECT_EQ(cellTextFor(CellKind::Tag, "abcdefghijklmnopqrst"), "abcdefghijklmnop");
    EXPECT_EQ(cellTextFor(CellKind::Tag, "short tag"), "short tag");
    // Sixteen characters, not bytes: a two-byte letter is never cut in half.
    const std::string umlauts = std::string(20, 'x').replace(0, 1, "\xC3\xBC");
    EXPECT_EQ(cellTextFor(CellKind::Tag, umlauts), std::string("\xC3\xBC") + std::string(15, 'x'));
}

TEST(CellText, NoCellEverHoldsALineBreakOrNul) {
    const std::string typed("ab\r\ncd\0e", 8);
    EXPECT_EQ(cellTextFor(CellKind::Tag, typed), "abcde");
    EXPECT_EQ(cellTextFor(CellKind::Command, typed), "ABCDE");
}

TEST(CellText, BothGridHasATagColumnAndACommandColumn) {
    EXPECT_EQ(cellKind(GridKind::Both, 0), CellKind::Tag);
    EXPECT_EQ(cellKind(GridKind::Both, 1), CellKind::Command);
    EXPECT_EQ(cellKind(GridKind::Command, 0), CellKind::Command);
    EXPECT_EQ(cellKind(GridKind::Tag, 0), CellKind::Tag);
}

TEST(ClockText, ShowsDateAndTimeWithTwoTrailingBlanks) {
    EXPECT_EQ(clockText({2026, 3, 7, 9, 5, 1}), "2026/03/07 09:05:01  ");
}

}  // namespace
}  // namespace keyweld
