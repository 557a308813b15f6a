#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "panelink/menu/menu_command.h"
#include "panelink/menu/menu_item.h"

// The "MENU LIST SETTING" dialogs without their windows: what each shows for an item, and what
// its OK stores in the menu list's copy of the item. A store sets the changed mark when the new
// value differs from the value read and clears it when they are equal.
namespace panelink {

inline constexpr std::string_view kMenuSettingTitle = "MENU LIST SETTING";

enum class MenuDialogKind {
    None,            // blank records open nothing
    Choice,          // a drop-down list of values or options
    BandCheckBoxes,  // kind 14: one box per band, up to 13
    ModeCheckBoxes,  // kind 41: one box per mode, up to 6
    Tone,            // kind 50: the tone frequencies in a grid
    Text,            // kind 46: a text of up to 40 characters
};

MenuDialogKind menuDialogKind(std::int32_t kind);

// "%03d  %s  (%s)" (number, name, unit) when the item has a unit, else "%03d  %s" for the
// choice and tone dialogs; "%03d  %s" for the check boxes; "%03d  %s %d" with the digit of
// the value read for the text dialog.
std::string menuSettingHeading(const MenuItem& item, MenuDialogKind dialog);

// Choice dialog. Each entry carries the value its OK stores. The entry matching the value the
// list shows (the new value while the mark is set) is preselected; nothing when none matches.
// Ranges run minimum, minimum + step, ... up to maximum, each entry counted from the minimum,
// at most kMaxChoiceEntries; a step that is not above zero gives no range entries.
inline constexpr std::size_t kMaxChoiceEntries = 10000;
struct ChoiceEntry {
    std::string text;
    double value = 0.0;
};
struct ChoiceDialog {
    std::string heading;
    std::vector<ChoiceEntry> entries;
    std::optional<std::size_t> preselected;
};
ChoiceDialog choiceDialog(const MenuItem& item);
// Stores the value of entry `chosen`; false, item untouched, when nothing or no entry is chosen.
bool applyChoice(MenuItem& item, const ChoiceDialog& dialog, std::optional<std::size_t> chosen);

// Check-box dialog of the band (kind 14) and mode (kind 41) sets: one box per option the item
// has, up to the kind's limit, box k standing for bit 1024 >> k (bands) or 32 >> k (modes) and
// checked as the list shows it. No boxes for other kinds.
struct CheckBox {
    std::string label;
    int bit = 0;
    bool checked = false;
};
struct CheckBoxDialog {
    std::string heading;
    std::vector<CheckBox> boxes;
};
CheckBoxDialog checkBoxDialog(const MenuItem& item);
// The sum of the checked boxes' bits becomes the new value when it differs from the value read;
// otherwise the mark is cleared and the new value left alone.
void applyCheckBoxes(MenuItem& item, const CheckBoxDialog& dialog);

// Tone dialog: the 50 tone frequencies in a grid of kToneRows rows filled column by column,
// so that its rows read in ascending order: line p shows tone (p % rows) x columns + p / rows.
inline constexpr std::size_t kToneRows = 10;
inline constexpr std::size_t kToneColumns = 5;
struct ToneEntry {
    std::string text;  // the frequency after two spaces
    int tone = 0;      // 0..49, the value stored
};
struct ToneDialog {
    std::string heading;
    std::vector<ToneEntry> entries;
    std::optional<std::size_t> preselected;
};
ToneDialog toneDialog(const MenuItem& item);
bool applyTone(MenuItem& item, const ToneDialog& dialog, std::optional<std::size_t> chosen);

// Text dialog: the edit starts with the pending text while the mark is set, else the text read,
// at most kMenuTextMax characters.
struct TextDialog {
    std::string heading;
    std::string text;
};
TextDialog textDialog(const MenuItem& item);
// An empty edit changes nothing (false). Otherwise the edited text, cut to kMenuTextMax
// characters, is compared with the text read: equal clears the mark and the new value; a
// different text becomes the new text, with the value read as the new value, and sets the mark.
bool applyText(MenuItem& item, std::string_view edited);

}  // namespace panelink
