#include "panelink/menu/menu_setting_dialog.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "panelink/menu/menu_defaults.h"
#include "panelink/menu/menu_value_rules.h"

namespace panelink {
namespace {

struct KindDialog {
    std::int32_t kind;
    MenuDialogKind dialog;
};

// Every other kind opens the choice dialog.
constexpr std::array<KindDialog, 5> kKindDialogs{{
    {kKindBlank, MenuDialogKind::None},
    {kKindBitsBands, MenuDialogKind::BandCheckBoxes},
    {kKindBitsModes, MenuDialogKind::ModeCheckBoxes},
    {kKindToneFrequency, MenuDialogKind::Tone},
    {kKindText, MenuDialogKind::Text},
}};

// Line p of the tone grid; the list box fills its columns top to bottom.
constexpr std::array<int, kToneFrequencies.size()> toneOrder() {
    std::array<int, kToneFrequencies.size()> order{};
    for (std::size_t p = 0; p < order.size(); ++p)
        order[p] = static_cast<int>((p % kToneRows) * kToneColumns + p / kToneRows);
    return order;
}
constexpr std::array<int, kToneFrequencies.size()> kToneOrder = toneOrder();
static_assert(kToneRows * kToneColumns == kToneFrequencies.size());

constexpr const char* kToneIndent = "  ";
// The text read is compared over its field's first bytes: 40 characters and the terminator.
constexpr auto kTextCompareBytes = static_cast<std::size_t>(kMenuTextMax) + 1;

void storeNewValue(MenuItem& item, double value) {
    item.newValue = value;
    item.changed = value != item.value ? 1 : 0;
}

std::string_view storedText(const MenuItem& item) {
    const std::size_t limit = std::min(kTextCompareBytes, item.textValue.size());
    const auto* end = std::find(item.textValue.begin(), item.textValue.begin() + limit, '\0');
    return std::string_view(item.textValue.data(),
                            static_cast<std::size_t>(end - item.textValue.begin()));
}

std::string_view pendingOrStoredText(const MenuItem& item) {
    return item.changed != 0 ? fieldText(item.newText) : fieldText(item.textValue);
}

}  // namespace

MenuDialogKind menuDialogKind(std::int32_t kind) {
    for (const KindDialog& k : kKindDialogs) {
        if (k.kind == kind) return k.dialog;
    }
    return MenuDialogKind::Choice;
}

std::string menuSettingHeading(const MenuItem& item, MenuDialogKind dialog) {
    const std::string name(fieldText(item.name));
    const bool showsUnit = dialog == MenuDialogKind::Choice || dialog == MenuDialogKind::Tone;
    if (dialog == MenuDialogKind::Text) {
        return formatText("%03d  %s %d", item.number, name.c_str(), wholeOf(item.value));
    }
    if (showsUnit && item.hasUnit != 0) {
        const std::string unit(fieldText(item.unit));
        return formatText("%03d  %s  (%s)", item.number, name.c_str(), unit.c_str());
    }
    return formatText("%03d  %s", item.number, name.c_str());
}

bool applyChoice(MenuItem& item, const ChoiceDialog& dialog, std::optional<std::size_t> chosen) {
    if (!chosen || *chosen >= dialog.entries.size()) return false;
    storeNewValue(item, dialog.entries[*chosen].value);
    return true;
}

CheckBoxDialog checkBoxDialog(const MenuItem& item) {
    CheckBoxDialog dialog;
    dialog.heading = menuSettingHeading(item, menuDialogKind(item.kind));
    const BitSetKind* set = bitSetKind(item.kind);
    if (set == nullptr) return dialog;
    const int boxes = std::min(optionCountOf(item), set->maxBoxes);
    const int bits = wholeOf(shownValue(item));
    for (int k = 0; k < boxes; ++k) {
        dialog.boxes.push_back(
            {std::string(optionOrUnknown(item, k)), bitOf(*set, k), bitIsSet(bits, *set, k)});
    }
    return dialog;
}

void applyCheckBoxes(MenuItem& item, const CheckBoxDialog& dialog) {
    item.changed = 0;
    std::int64_t sum = 0;
    for (const CheckBox& box : dialog.boxes) {
        if (box.checked) sum += box.bit;
    }
    const auto value = static_cast<double>(sum);
    if (value != item.value) storeNewValue(item, value);
}

ToneDialog toneDialog(const MenuItem& item) {
    ToneDialog dialog;
    dialog.heading = menuSettingHeading(item, MenuDialogKind::Tone);
    const int shown = wholeOf(shownValue(item));
    for (int tone : kToneOrder) {
        if (tone == shown) dialog.preselected = dialog.entries.size();
        const std::string_view frequency = kToneFrequencies[static_cast<std::size_t>(tone)];
        dialog.entries.push_back({kToneIndent + std::string(frequency), tone});
    }
    return dialog;
}

bool applyTone(MenuItem& item, const ToneDialog& dialog, std::optional<std::size_t> chosen) {
    if (!chosen || *chosen >= dialog.entries.size()) return false;
    storeNewValue(item, dialog.entries[*chosen].tone);
    return true;
}

TextDialog textDialog(const MenuItem& item) {
    const std::string_view text = pendingOrStoredText(item);
    return {menuSettingHeading(item, MenuDialogKind::Text),
            std::string(text.substr(0, static_cast<std::size_t>(kMenuTextMax)))};
}

bool applyText(MenuItem& item, std::string_view edited) {
    if (edited.empty()) return false;
    const std::string_view text = edited.substr(0, static_cast<std::size_t>(kMenuTextMax));
    if (text == storedText(item)) {
        item.changed = 0;
        item.newValue = 0.0;
        return true;
    }
    item.newValue = item.value;
    item.newText.fill('\0');
    std::copy_n(text.begin(), std::min(text.size(), item.newText.size() - 1), item.newText.begin());
    item.changed = 1;
    return true;
}

}  // namespace panelink
