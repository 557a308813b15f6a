// Arbitrary bytes as a CSV file: the reader must never crash, and both of its passes and the
// row splitter must agree on the shape of what they read.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "shared/formats/csv_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const auto measured = commo::measureCsv(bytes);
    const auto table = commo::parseCsv(bytes);
    if (!(table.shape == measured) || table.rows.size() != measured.rows) std::abort();
    for (const auto& row : table.rows) {
        if (row.size() > measured.maxCells) std::abort();
        for (const auto& cell : row) {
            if (cell.size() > measured.longestCell) std::abort();
        }
    }
    if (commo::splitCsvRows(bytes).size() != measured.rows) std::abort();
    return 0;
}
