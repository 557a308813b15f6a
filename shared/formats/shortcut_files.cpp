#include "shared/formats/shortcut_files.h"

#include <algorithm>

#include "shared/formats/commo_files.h"
#include "shared/platform/atomic_file.h"

namespace commo {

std::filesystem::path shortcutFilePath(const std::filesystem::path& workingDir,
                                       std::string_view fileName) {
    return workingDir / kCommoFilesDir / fileName;
}

std::optional<std::vector<std::string>> readShortcutLines(const std::filesystem::path& file) {
    const std::optional<std::string> bytes = platform::readWholeFile(file);
    if (!bytes) return std::nullopt;

    std::vector<std::string> lines;
    std::string_view rest = *bytes;
    while (!rest.empty() && lines.size() < static_cast<std::size_t>(kShortcutSlotCount)) {
        const std::size_t end = rest.find('\n');
        std::string_view line = rest.substr(0, end);
        rest = end == std::string_view::npos ? std::string_view{} : rest.substr(end + 1);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        lines.emplace_back(line);
    }
    return lines;
}

std::string withoutLineBreaks(std::string_view text) {
    std::string kept;
    kept.reserve(text.size());
    std::copy_if(text.begin(), text.end(), std::back_inserter(kept),
                 [](char c) { return c != '\r' && c != '\n' && c != '\0'; });
    return kept;
}

bool writeShortcutLines(const std::filesystem::path& file, const ShortcutTexts& texts) {
    std::string bytes;
    for (const std::string& text : texts) {
        bytes += withoutLineBreaks(text);
        bytes += "\r\n";
    }
    return platform::ensureDirectory(file.parent_path()) &&
           platform::replaceFileAtomically(file, bytes);
}

}  // namespace commo
