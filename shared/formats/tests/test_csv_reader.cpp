#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <random>

#include "shared/formats/csv_reader.h"
#include "shared/platform/testing/scratch_dir.h"

namespace commo {
namespace {

using Rows = std::vector<std::vector<std::string>>;
using namespace std::string_literals;

Rows rowsOf(std::string_view bytes) {
    return parseCsv(bytes).rows;
}

TEST(CsvReader, QuotedStretchesHoldSeparatorsAndDoubledQuotes) {
    EXPECT_EQ(rowsOf("a,\"b,c\",\"d\"\"e\",f\n"), (Rows{{"a", "b,c", "d\"e", "f"}}));
    // A quoted line break stays inside the cell and the row goes on.
    EXPECT_EQ(rowsOf("\"x\ny\",z\nnext\n"), (Rows{{"x\ny", "z"}, {"next"}}));
    // Quotes are not stored, wherever they stand in a cell.
    EXPECT_EQ(rowsOf("ab\"cd\"ef,\"\",\"\"\"\"\n"), (Rows{{"abcdef", "", "\""}}));
}

TEST(CsvReader, UnterminatedQuoteTakesTheRestAsOneStoredCell) {
    EXPECT_EQ(rowsOf("a,\"b,c\nd"), (Rows{{"a", "b,c\nd"}}));
}

TEST(CsvReader, ShiftJisPairsAreSkippedButNeverSwallowSeparators) {
    EXPECT_EQ(rowsOf("A\x82\xA0"
                     "B,\x93\xFA\xE0\x40\n"),
              (Rows{{"AB", ""}}));
    // A lead byte without a trail byte is an ordinary byte: the "," / "\n" / '"' after it
    // still do their work.
    EXPECT_EQ(rowsOf("\x82,x\n\x9F\n\xE0\"q,r\"\n"), (Rows{{"\x82", "x"}, {"\x9F"}, {"\xE0q,r"}}));
    EXPECT_EQ(rowsOf("end\xFC"), (Rows{{"end\xFC"}}));
    // Inside quotes the skipping still applies.
    EXPECT_EQ(rowsOf("\"a\x88\x9F"
                     "b\"\n"),
              (Rows{{"ab"}}));
}

TEST(CsvReader, LastRowWithoutLineEndIsStored) {
    EXPECT_EQ(rowsOf("a,b\nc,d"), (Rows{{"a", "b"}, {"c", "d"}}));
    EXPECT_EQ(rowsOf("3,9600,7"), (Rows{{"3", "9600", "7"}}));
    EXPECT_EQ(rowsOf("a\n,"), (Rows{{"a"}, {"", ""}}));
}

TEST(CsvReader, EmptyInputAndEmptyLines) {
    const CsvTable empty = parseCsv("");
    EXPECT_TRUE(empty.rows.empty());
    EXPECT_EQ(empty.shape, CsvShape{});
    EXPECT_EQ(rowsOf("\n\n"), (Rows{{""}, {""}}));
}

TEST(CsvReader, RaggedRowsKeepTheirOwnCellsAndShapeCountsTheLargest) {
    const CsvTable table = parseCsv("a\nb,c,d\nlongest cell,e\n");
    EXPECT_EQ(table.rows, (Rows{{"a"}, {"b", "c", "d"}, {"longest cell", "e"}}));
    EXPECT_EQ(table.shape, (CsvShape{3, 3, 12}));
    // The longest cell counts stored bytes, not quotes or skipped pairs.
    EXPECT_EQ(measureCsv("\"ab\"\"\",\x82\xA0x\n"), (CsvShape{1, 2, 3}));
}

TEST(CsvReader, CarriageReturnBeforeLineFeedReadsAsLineEnd) {
    EXPECT_EQ(rowsOf("1,2\r\n3\r\n"), (Rows{{"1", "2"}, {"3"}}));
    EXPECT_EQ(rowsOf("\"a\r\nb\"\r\n"), (Rows{{"a\nb"}}));
    // A carriage return elsewhere is data.
    EXPECT_EQ(rowsOf("a\rb,c\r"), (Rows{{"a\rb", "c\r"}}));
}

TEST(CsvReader, BinaryJunkIsStoredWithoutOverrun) {
    EXPECT_EQ(rowsOf("a\0b,\xFF\xFE\n"s), (Rows{{"a\0b"s, "\xFF\xFE"}}));

    const std::string longCell(1 << 20, 'x');
    const CsvTable table = parseCsv("s," + longCell);
    ASSERT_EQ(table.rows.size(), 1u);
    EXPECT_EQ(table.rows[0][1].size(), longCell.size());
    EXPECT_EQ(table.shape.longestCell, longCell.size());

    // One very wide row among many narrow ones must not cost rows x widest x longest.
    std::string mixed(200000, '\n');
    mixed += std::string(200000, ',');
    mixed += longCell;
    const CsvTable wide = parseCsv(mixed);
    EXPECT_EQ(wide.shape, (CsvShape{200001, 200001, longCell.size()}));
    EXPECT_EQ(wide.rows.back().size(), 200001u);
}

// Both passes and the row splitter walk the same bytes; on any input they must agree.
TEST(CsvReader, PassesAgreeOnRandomBytes) {
    std::mt19937 random(12345);
    const std::string alphabet = "ab,\n\"\r\x82\xA0\xFF\0"s;
    for (int round = 0; round < 2000; ++round) {
        std::string bytes(random() % 64, '\0');
        for (char& c : bytes) {
            c = (round % 2 == 0) ? alphabet[random() % alphabet.size()]
                                 : static_cast<char>(random() & 0xFF);
        }
        const CsvTable table = parseCsv(bytes);
        ASSERT_EQ(table.rows.size(), table.shape.rows) << round;
        ASSERT_EQ(splitCsvRows(bytes).size(), table.shape.rows) << round;
        std::size_t maxCells = 0;
        std::size_t longest = 0;
        for (const auto& row : table.rows) {
            ASSERT_FALSE(row.empty());
            maxCells = std::max(maxCells, row.size());
            for (const auto& cell : row)
                longest = std::max(longest, cell.size());
        }
        ASSERT_EQ(table.shape.maxCells, maxCells) << round;
        ASSERT_EQ(table.shape.longestCell, longest) << round;
    }
}

TEST(CsvReader, SplitRowsKeepsRawTextOfEachRow) {
    EXPECT_THAT(splitCsvRows("a,\"b\nc\"\r\n\nlast"),
                testing::ElementsAre("a,\"b\nc\"", "", "last"));
}

TEST(CsvReader, ReadsFilesAndFailsOnlyWhenTheyCannotBeRead) {
    platform::ScratchDir dir;
    EXPECT_FALSE(readCsvFile(dir.path() / "missing.csv"));
    EXPECT_FALSE(readCsvFile(dir.path()));  // a directory opens but does not read

    platform::writeFile(dir.path() / "t.csv", "COM3,/dev/x\nCOM4");
    const auto table = readCsvFile(dir.path() / "t.csv");
    ASSERT_TRUE(table);
    EXPECT_EQ(table->rows, (Rows{{"COM3", "/dev/x"}, {"COM4"}}));

    platform::writeFile(dir.path() / "empty.csv", "");
    const auto empty = readCsvFile(dir.path() / "empty.csv");
    ASSERT_TRUE(empty);
    EXPECT_TRUE(empty->rows.empty());
}

TEST(CellToInt, ReadsLikeAtoi) {
    EXPECT_EQ(cellToInt("42"), 42);
    EXPECT_EQ(cellToInt(" \t\r\n-12abc"), -12);
    EXPECT_EQ(cellToInt("+7"), 7);
    EXPECT_EQ(cellToInt(""), 0);
    EXPECT_EQ(cellToInt("abc"), 0);
    EXPECT_EQ(cellToInt("- 5"), 0);
    EXPECT_EQ(cellToInt("12 34"), 12);
    EXPECT_EQ(cellToInt("9\0"
                        "9"s),
              9);
}

TEST(CellToInt, SaturatesOutsideThe32BitRange) {
    EXPECT_EQ(cellToInt("2147483647"), INT_MAX);
    EXPECT_EQ(cellToInt("-2147483648"), INT_MIN);
    EXPECT_EQ(cellToInt("2147483648"), INT_MAX);
    EXPECT_EQ(cellToInt("-99999999999999999999999"), INT_MIN);
}

}  // namespace
}  // namespace commo
