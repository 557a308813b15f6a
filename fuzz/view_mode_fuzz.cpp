// Arbitrary bytes as Keyweld's KSESetting.ini, then a view mode written into it. Reading must
// never crash and gives 1, 2 or 3; after a write the mode written reads back, and a second
// write of the same mode changes nothing, so the other programs' lines are kept as they are.
//
// Input: byte 0 picks the mode to write (1..3); the rest is the file.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz/loader_support.h"
#include "keyweld/link/view_mode_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) return 0;
    const auto& dir = fuzz::scratch();
    const int mode = keyweld::kViewTag + data[0] % 3;
    dir.writeCommoFile(keyweld::kViewModeFileName, fuzz::textOf(data + 1, size - 1));

    const int read = keyweld::readViewMode(dir.path());
    fuzz::require(read >= keyweld::kViewTag && read <= keyweld::kViewBoth, "a mode of 1..3");

    fuzz::require(keyweld::writeViewMode(dir.path(), mode), "the mode is written");
    fuzz::require(keyweld::readViewMode(dir.path()) == mode, "the mode written reads back");
    const std::string written = dir.readCommoFile(keyweld::kViewModeFileName).value_or("");
    fuzz::require(keyweld::writeViewMode(dir.path(), mode), "the mode is written again");
    fuzz::require(dir.readCommoFile(keyweld::kViewModeFileName).value_or("") == written,
                  "writing the same mode again changes nothing");
    return 0;
}
