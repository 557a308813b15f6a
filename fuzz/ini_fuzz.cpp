// Arbitrary bytes as an INI file, then one value set in it. Reading never crashes; after the
// write the value reads back (cut at a line break, without the blanks around it), and every
// other key of every section reads as it did, so a setting of one program never disturbs
// another's.
//
// Input: byte 0 picks the section and byte 1 the key from small lists; bytes 2..9 are the
// value; the rest is the file.
#include <array>
#include <cctype>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz/loader_support.h"
#include "shared/formats/csv_reader.h"
#include "shared/formats/ini_file.h"

namespace {

constexpr std::array<std::string_view, 4> kSections{"Network", "View", "VIEW", "x"};
constexpr std::array<std::string_view, 4> kKeys{"Port", "Zoom", "MODE", "a"};
constexpr std::size_t kValueBytes = 8;

bool sameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}

std::string expectedValue(std::string_view value) {
    value = value.substr(0, value.find_first_of("\r\n"));
    return std::string(commo::trimmedBlanks(value));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2 + kValueBytes) return 0;
    const std::string_view section = kSections[data[0] % kSections.size()];
    const std::string_view key = kKeys[data[1] % kKeys.size()];
    const std::string_view value = fuzz::textOf(data + 2, kValueBytes);
    const std::string_view text = fuzz::textOf(data + 2 + kValueBytes, size - 2 - kValueBytes);

    const std::string written = commo::withIniValue(text, section, key, value);
    fuzz::require(commo::iniValue(written, section, key) == expectedValue(value),
                  "the value written reads back");
    for (const std::string_view otherSection : kSections) {
        for (const std::string_view otherKey : kKeys) {
            if (sameName(otherSection, section) && sameName(otherKey, key)) continue;
            fuzz::require(commo::iniValue(text, otherSection, otherKey) ==
                              commo::iniValue(written, otherSection, otherKey),
                          "every other value reads as before");
        }
    }
    return 0;
}
