// Arbitrary bytes as a shortcut file. Reading must never crash and gives at most one line per
// key slot; the texts read, written and read again come back without line breaks and NULs,
// one per slot, and a second write leaves the file byte for byte as the first.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "fuzz/loader_support.h"
#include "shared/formats/shortcut_files.h"
#include "shared/platform/testing/scratch_dir.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto& dir = fuzz::scratch();
    const std::filesystem::path file =
        commo::shortcutFilePath(dir.path(), commo::kShortcutDefinitionFileName);
    platform::writeFile(file, fuzz::textOf(data, size));

    const std::optional<std::vector<std::string>> lines = commo::readShortcutLines(file);
    fuzz::require(lines.has_value(), "a readable file reads");
    fuzz::require(lines->size() <= commo::kShortcutSlotCount, "at most one line per key slot");

    commo::ShortcutTexts texts;
    for (std::size_t slot = 0; slot < lines->size(); ++slot)
        texts[slot] = (*lines)[slot];
    fuzz::require(commo::writeShortcutLines(file, texts), "the texts are written");
    const std::string written = platform::readFile(file);

    const std::optional<std::vector<std::string>> again = commo::readShortcutLines(file);
    fuzz::require(again && again->size() == commo::kShortcutSlotCount,
                  "a written file has a line for every key slot");
    commo::ShortcutTexts reread;
    for (std::size_t slot = 0; slot < again->size(); ++slot) {
        fuzz::require((*again)[slot] == commo::withoutLineBreaks(texts[slot]),
                      "each text comes back without its line breaks");
        reread[slot] = (*again)[slot];
    }
    fuzz::require(commo::writeShortcutLines(file, reread), "the texts are written again");
    fuzz::require(platform::readFile(file) == written, "a second write changes nothing");
    return 0;
}
