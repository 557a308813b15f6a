#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace commo {

// Size of a table as the first pass finds it.
struct CsvShape {
    std::size_t rows = 0;
    std::size_t maxCells = 0;     // most cells in one row
    std::size_t longestCell = 0;  // bytes stored in the longest cell

    friend bool operator==(const CsvShape&, const CsvShape&) = default;
};

// Rows of cells as read. Rows keep their own number of cells (ragged rows are not padded).
struct CsvTable {
    CsvShape shape;
    std::vector<std::vector<std::string>> rows;
};

// The reading rules, shared by every CSV file of the programs:
// - "," ends a cell and "\n" ends a row; "\r\n" reads as "\n" (text mode).
// - A double quote starts or ends a quoted stretch, inside which "," and "\n" are ordinary
//   and "" gives one quote character. The quote characters themselves are not stored.
// - A Shift-JIS double-byte character (lead byte 0x81-0x9F or 0xE0-0xFC, then a trail byte
//   0x40-0x7E or 0x80-0xFC) is skipped. A lead byte without a trail byte is kept as it is.
// - A last row without a final "\n" is a row like any other; an empty input has no rows.
// Any byte sequence is accepted.
CsvShape measureCsv(std::string_view bytes);
CsvTable parseCsv(std::string_view bytes);

// Reads and parses a file; nothing when it cannot be opened or read.
std::optional<CsvTable> readCsvFile(const std::filesystem::path& path);

// The raw text of each row, without its ending "\n", split by the same rules as parseCsv,
// so a quoted line break stays inside its row. Lets writers keep rows they do not change
// byte for byte.
std::vector<std::string_view> splitCsvRows(std::string_view bytes);

// A cell as a decimal integer the way C's atoi reads it: leading white space skipped, an
// optional sign, digits up to the first non-digit; no digits gives 0. Values beyond the
// 32-bit range saturate.
std::int32_t cellToInt(std::string_view cell);

// The text without the spaces, tabs and carriage returns around it, as the programs' files
// may carry them around names and values.
std::string_view trimmedBlanks(std::string_view text);

}  // namespace commo
