#include "shared/formats/csv_reader.h"

#include <algorithm>
#include <limits>

#include "shared/platform/atomic_file.h"

namespace commo {

namespace {

bool isShiftJisLead(unsigned char c) {
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

// Structural characters (",", "\n", '"') are all below 0x40, so a lead byte never swallows
// one of them.
bool isShiftJisTrail(unsigned char c) {
    return (c >= 0x40 && c <= 0x7E) || (c >= 0x80 && c <= 0xFC);
}

// Walks the bytes once and tells the sink what it finds: a stored byte, the end of a cell, the
// end of a row (with the row's raw byte range). Both passes use it, so they always agree.
template <typename Sink>
void scanCsv(std::string_view bytes, Sink& sink) {
    const std::size_t size = bytes.size();
    bool quoted = false;
    bool rowOpen = false;  // bytes consumed since the last row ended
    std::size_t rowStart = 0;
    std::size_t i = 0;
    while (i < size) {
        const auto c = static_cast<unsigned char>(bytes[i]);
        const bool hasNext = i + 1 < size;
        const auto next = hasNext ? static_cast<unsigned char>(bytes[i + 1]) : 0;
        rowOpen = true;
        if (c == '\r' && hasNext && next == '\n') {
            ++i;  // the "\n" is handled on the next round
        } else if (isShiftJisLead(c) && hasNext && isShiftJisTrail(next)) {
            i += 2;
        } else if (c == '"') {
            if (quoted && hasNext && next == '"') {
                sink.byte('"');
                i += 2;
            } else {
                quoted = !quoted;
                ++i;
            }
        } else if (c == ',' && !quoted) {
            sink.endCell();
            ++i;
        } else if (c == '\n' && !quoted) {
            sink.endCell();
            // A "\r" before the "\n" is not part of the row's text.
            const std::size_t rowEnd = (i > rowStart && bytes[i - 1] == '\r') ? i - 1 : i;
            sink.endRow(bytes.substr(rowStart, rowEnd - rowStart));
            ++i;
            rowStart = i;
            rowOpen = false;
        } else {
            sink.byte(static_cast<char>(c));
            ++i;
        }
    }
    if (rowOpen) {
        sink.endCell();
        sink.endRow(bytes.substr(rowStart));
    }
}

class MeasureSink {
  public:
    void byte(char) { ++cellLength_; }
    void endCell() {
        shape_.longestCell = std::max(shape_.longestCell, cellLength_);
        cellLength_ = 0;
        ++cellsInRow_;
    }
    void endRow(std::string_view) {
        shape_.maxCells = std::max(shape_.maxCells, cellsInRow_);
        cellsInRow_ = 0;
        ++shape_.rows;
    }
    const CsvShape& shape() const { return shape_; }

  private:
    CsvShape shape_;
    std::size_t cellLength_ = 0;
    std::size_t cellsInRow_ = 0;
};

class StoreSink {
  public:
    explicit StoreSink(CsvTable& table) : table_(table) {
        // Rows are reserved from the first pass. Cells are not padded to the widest row or
        // the longest cell: a junk file with one huge row or cell would otherwise need
        // rows x cells x length bytes.
        table_.rows.reserve(table_.shape.rows);
    }
    void byte(char c) { cell_.push_back(c); }
    void endCell() {
        row_.push_back(std::move(cell_));
        cell_.clear();
    }
    void endRow(std::string_view) {
        table_.rows.push_back(std::move(row_));
        row_.clear();
    }

  private:
    CsvTable& table_;
    std::vector<std::string> row_;
    std::string cell_;
};

class RowSplitSink {
  public:
    void byte(char) {}
    void endCell() {}
    void endRow(std::string_view raw) { rows.push_back(raw); }

    std::vector<std::string_view> rows;
};

}  // namespace

CsvShape measureCsv(std::string_view bytes) {
    MeasureSink sink;
    scanCsv(bytes, sink);
    return sink.shape();
}

CsvTable parseCsv(std::string_view bytes) {
    CsvTable table;
    table.shape = measureCsv(bytes);
    StoreSink sink(table);
    scanCsv(bytes, sink);
    return table;
}

std::optional<CsvTable> readCsvFile(const std::filesystem::path& path) {
    const std::optional<std::string> bytes = platform::readWholeFile(path);
    if (!bytes) return std::nullopt;
    return parseCsv(*bytes);
}

std::vector<std::string_view> splitCsvRows(std::string_view bytes) {
    RowSplitSink sink;
    scanCsv(bytes, sink);
    return std::move(sink.rows);
}

std::int32_t cellToInt(std::string_view cell) {
    std::size_t i = 0;
    const auto isSpace = [](char c) {
        return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
    };
    while (i < cell.size() && isSpace(cell[i]))
        ++i;
    bool negative = false;
    if (i < cell.size() && (cell[i] == '+' || cell[i] == '-')) {
        negative = cell[i] == '-';
        ++i;
    }
    // Accumulate towards the sign so that the most negative value fits.
    constexpr std::int64_t kMax = std::numeric_limits<std::int32_t>::max();
    constexpr std::int64_t kMin = std::numeric_limits<std::int32_t>::min();
    std::int64_t value = 0;
    for (; i < cell.size() && cell[i] >= '0' && cell[i] <= '9'; ++i) {
        const int digit = cell[i] - '0';
        value = negative ? std::max(kMin, value * 10 - digit) : std::min(kMax, value * 10 + digit);
    }
    return static_cast<std::int32_t>(value);
}

std::string_view trimmedBlanks(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return text;
}

}  // namespace commo
