#include "shared/formats/shortcut_keys.h"

namespace commo {

const ShortcutKeyRow* shortcutKeyAt(int panel, int row) {
    if (panel < 1 || panel > kShortcutPanelCount || row < 1 || row > kShortcutPanelRows) {
        return nullptr;
    }
    return &kShortcutKeys[static_cast<std::size_t>((panel - 1) * kShortcutPanelRows + row - 1)];
}

std::optional<int> shortcutSlot(KeyModifier modifier, BaseKey key) {
    for (const ShortcutKeyRow& row : kShortcutKeys) {
        if (row.modifier == modifier && row.key == key && row.slot != kReservedSlot) {
            return row.slot;
        }
    }
    return std::nullopt;
}

const ShortcutKeyRow* shortcutKeyOfSlot(int slot) {
    for (const ShortcutKeyRow& row : kShortcutKeys) {
        if (row.slot == slot && slot != kReservedSlot) return &row;
    }
    return nullptr;
}

}  // namespace commo
