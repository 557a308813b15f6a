#include "panelink/shortcuts/shortcut_table.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "shared/formats/shortcut_files.h"

namespace panelink {

namespace {

// A line as a key sends it: without NUL bytes, at most kTextLimit characters.
std::string keyText(std::string_view line) {
    std::string text;
    text.reserve(std::min(line.size(), ShortcutTable::kTextLimit));
    for (char c : line) {
        if (text.size() == ShortcutTable::kTextLimit) break;
        if (c != '\0') text += c;
    }
    return text;
}

}  // namespace

ShortcutTable::LoadResult ShortcutTable::load(const std::filesystem::path& workingDirectory) {
    for (std::string& text : texts_)
        text.clear();
    const std::optional<std::vector<std::string>> lines = commo::readShortcutLines(
        commo::shortcutFilePath(workingDirectory, commo::kShortcutDefinitionFileName));
    if (!lines) return LoadResult::FileUnreadable;
    const std::size_t count = std::min(lines->size(), texts_.size());
    for (std::size_t slot = 0; slot < count; ++slot)
        texts_[slot] = keyText((*lines)[slot]);
    return LoadResult::Loaded;
}

std::string_view ShortcutTable::text(int slot) const {
    if (slot < 0 || slot >= static_cast<int>(texts_.size())) return {};
    return texts_[static_cast<std::size_t>(slot)];
}

}  // namespace panelink
