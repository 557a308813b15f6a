#pragma once

#include <array>
#include <optional>
#include <string_view>

namespace commo {

// The modifier that goes with a shortcut key. Panelink tests Shift before Ctrl, so
// Ctrl+Shift+F2 counts as Shift+F2.
enum class KeyModifier { None, Shift, Ctrl, Alt };

// The key itself, without modifiers.
enum class BaseKey {
    F1,
    F2,
    F3,
    F4,
    F5,
    F6,
    F7,
    F8,
    F9,
    F10,
    F11,
    F12,
    PageUp,
    PageDown,
    Home,
    End
};

// Both files have one line per assignable key; key slot n is line n + 1.
inline constexpr int kShortcutSlotCount = 46;
// The editor shows two panels of this many key rows (row 0 is the header row).
inline constexpr int kShortcutPanelRows = 26;
inline constexpr int kShortcutPanelCount = 2;
// Reserved keys are shown but never assigned and have no line in the files.
inline constexpr int kReservedSlot = -1;

// One key of the editor's two panels.
struct ShortcutKeyRow {
    int panel;  // 1 = left, 2 = right
    int row;    // 1..26
    KeyModifier modifier;
    BaseKey key;
    int slot;  // 0..45, or kReservedSlot
    std::string_view caption;
    std::string_view reservedTag;  // the fixed tag a reserved key shows
};

// The 52 keys in panel order: left rows 1-26, then right rows 1-26.
inline constexpr std::array<ShortcutKeyRow, 2 * kShortcutPanelRows> kShortcutKeys{{
    {1, 1, KeyModifier::None, BaseKey::F1, kReservedSlot, "F1", "Help"},
    {1, 2, KeyModifier::None, BaseKey::F2, 0, "F2", ""},
    {1, 3, KeyModifier::None, BaseKey::F3, 1, "F3", ""},
    {1, 4, KeyModifier::None, BaseKey::F4, 2, "F4", ""},
    {1, 5, KeyModifier::None, BaseKey::F5, 3, "F5", ""},
    {1, 6, KeyModifier::None, BaseKey::F6, 4, "F6", ""},
    {1, 7, KeyModifier::None, BaseKey::F7, 5, "F7", ""},
    {1, 8, KeyModifier::None, BaseKey::F8, 6, "F8", ""},
    {1, 9, KeyModifier::None, BaseKey::F9, 7, "F9", ""},
    {1, 10, KeyModifier::None, BaseKey::F10, kReservedSlot, "F10", "Activates menu bar options"},
    {1, 11, KeyModifier::None, BaseKey::F11, 8, "F11", ""},
    {1, 12, KeyModifier::None, BaseKey::F12, 9, "F12", ""},
    {1, 13, KeyModifier::Shift, BaseKey::F1, 10, "Shift + F1", ""},
    {1, 14, KeyModifier::Shift, BaseKey::F2, 11, "Shift + F2", ""},
    {1, 15, KeyModifier::Shift, BaseKey::F3, 12, "Shift + F3", ""},
    {1, 16, KeyModifier::Shift, BaseKey::F4, 13, "Shift + F4", ""},
    {1, 17, KeyModifier::Shift, BaseKey::F5, 14, "Shift + F5", ""},
    {1, 18, KeyModifier::Shift, BaseKey::F6, 15, "Shift + F6", ""},
    {1, 19, KeyModifier::Shift, BaseKey::F7, 16, "Shift + F7", ""},
    {1, 20, KeyModifier::Shift, BaseKey::F8, 17, "Shift + F8", ""},
    {1, 21, KeyModifier::Shift, BaseKey::F9, 18, "Shift + F9", ""},
    {1, 22, KeyModifier::Shift, BaseKey::F10, kReservedSlot, "Shift + F10",
     "Opens a shortcut menu for the selected item"},
    {1, 23, KeyModifier::Shift, BaseKey::F11, 19, "Shift + F11", ""},
    {1, 24, KeyModifier::Shift, BaseKey::F12, 20, "Shift + F12", ""},
    {1, 25, KeyModifier::None, BaseKey::PageUp, 42, "Page Up", ""},
    {1, 26, KeyModifier::None, BaseKey::PageDown, 43, "Page Down", ""},
    {2, 1, KeyModifier::Ctrl, BaseKey::F1, 21, "Ctrl + F1", ""},
    {2, 2, KeyModifier::Ctrl, BaseKey::F2, 22, "Ctrl + F2", ""},
    {2, 3, KeyModifier::Ctrl, BaseKey::F3, 23, "Ctrl + F3", ""},
    {2, 4, KeyModifier::Ctrl, BaseKey::F4, 24, "Ctrl + F4", ""},
    {2, 5, KeyModifier::Ctrl, BaseKey::F5, 25, "Ctrl + F5", ""},
    {2, 6, KeyModifier::Ctrl, BaseKey::F6, 26, "Ctrl + F6", ""},
    {2, 7, KeyModifier::Ctrl, BaseKey::F7, 27, "Ctrl + F7", ""},
    {2, 8, KeyModifier::Ctrl, BaseKey::F8, 28, "Ctrl + F8", ""},
    {2, 9, KeyModifier::Ctrl, BaseKey::F9, 29, "Ctrl + F9", ""},
    {2, 10, KeyModifier::Ctrl, BaseKey::F10, kReservedSlot, "Ctrl + F10", "Ctrl + F10"},
    {2, 11, KeyModifier::Ctrl, BaseKey::F11, 30, "Ctrl + F11", ""},
    {2, 12, KeyModifier::Ctrl, BaseKey::F12, 31, "Ctrl + F12", ""},
    {2, 13, KeyModifier::Alt, BaseKey::F1, 32, "Alt + F1", ""},
    {2, 14, KeyModifier::Alt, BaseKey::F2, 33, "Alt + F2", ""},
    {2, 15, KeyModifier::Alt, BaseKey::F3, 34, "Alt + F3", ""},
    {2, 16, KeyModifier::Alt, BaseKey::F4, kReservedSlot, "Alt + F4",
     "Quit program|Closes the current window"},
    {2, 17, KeyModifier::Alt, BaseKey::F5, 35, "Alt + F5", ""},
    {2, 18, KeyModifier::Alt, BaseKey::F6, kReservedSlot, "Alt + F6",
     "Switch between multiple windows in the same program"},
    {2, 19, KeyModifier::Alt, BaseKey::F7, 36, "Alt + F7", ""},
    {2, 20, KeyModifier::Alt, BaseKey::F8, 37, "Alt + F8", ""},
    {2, 21, KeyModifier::Alt, BaseKey::F9, 38, "Alt + F9", ""},
    {2, 22, KeyModifier::Alt, BaseKey::F10, 39, "Alt + F10", ""},
    {2, 23, KeyModifier::Alt, BaseKey::F11, 40, "Alt + F11", ""},
    {2, 24, KeyModifier::Alt, BaseKey::F12, 41, "Alt + F12", ""},
    {2, 25, KeyModifier::None, BaseKey::Home, 44, "Home", ""},
    {2, 26, KeyModifier::None, BaseKey::End, 45, "End", ""},
}};

// The command text a reserved key shows.
inline constexpr std::string_view kReservedCommandText = "not available";

// The key at (panel, row); nullptr outside 1..2 and 1..26.
const ShortcutKeyRow* shortcutKeyAt(int panel, int row);

// The key slot of a modifier and key, or nothing when that combination is reserved or not a
// shortcut at all (Shift+Page Up, Ctrl+Home ...).
std::optional<int> shortcutSlot(KeyModifier modifier, BaseKey key);

// The key that owns a slot; nullptr outside 0..45.
const ShortcutKeyRow* shortcutKeyOfSlot(int slot);

}  // namespace commo
