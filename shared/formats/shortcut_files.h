#pragma once

#include <array>
#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "shared/formats/shortcut_keys.h"

namespace commo {

// The command texts of the keys, one line per key slot.
inline constexpr std::string_view kShortcutDefinitionFileName = "VantorKSDEF.txt";
// The editor's short labels of the keys, same layout.
inline constexpr std::string_view kShortcutTagFileName = "VantorKSTAG.txt";
// The editor keeps tags to this many characters.
inline constexpr std::size_t kShortcutTagLimit = 16;

// One text per key slot, in file order.
using ShortcutTexts = std::array<std::string, kShortcutSlotCount>;

// <workingDir>/CommoFiles/<fileName>. Unlike the programs' other files there is no length
// limit of our own: the system's limit applies when the file is opened.
std::filesystem::path shortcutFilePath(const std::filesystem::path& workingDir,
                                       std::string_view fileName);

// The first 46 lines of a shortcut file, whatever their length, each without its line end
// (LF or CR LF). A short file gives fewer lines. Nothing when the file cannot be read.
std::optional<std::vector<std::string>> readShortcutLines(const std::filesystem::path& file);

// The text without CR, LF and NUL: a line break inside one key's text would move every later
// key of the file to the wrong slot.
std::string withoutLineBreaks(std::string_view text);

// Replaces the file with the 46 texts, each ended by CR LF (line breaks inside a text are
// dropped), creating CommoFiles when missing. The new file appears whole or not at all: on
// failure the old one is left as it was and the result is false.
bool writeShortcutLines(const std::filesystem::path& file, const ShortcutTexts& texts);

}  // namespace commo
