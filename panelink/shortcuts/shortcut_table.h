#pragma once

#include <array>
#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

#include "shared/formats/shortcut_keys.h"

namespace panelink {

// The command texts of the 46 key slots as read from VantorKSDEF.txt at one key press.
class ShortcutTable {
  public:
    // A key sends at most this many characters of its line.
    static constexpr std::size_t kTextLimit = 255;

    enum class LoadResult { Loaded, FileUnreadable };

    // Empties every slot, then fills them from CommoFiles/VantorKSDEF.txt below
    // `workingDirectory`, one line per slot: a short file leaves the later slots empty, a long
    // line keeps its first 255 characters and never spills into the next slot. NUL bytes are
    // dropped, so none can reach the radio. The table stays empty when the file cannot be read.
    LoadResult load(const std::filesystem::path& workingDirectory);

    // The text of `slot` (0..45); empty for a slot without text or out of range.
    std::string_view text(int slot) const;

  private:
    std::array<std::string, commo::kShortcutSlotCount> texts_;
};

}  // namespace panelink
