#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "panelink/menu/menu_defaults.h"
#include "panelink/panel/panel_ports.h"

namespace panelink {

// One entry of the CTCSS tone list: the frequency text of the tone table and its tone number.
struct ToneListItem {
    std::string_view frequency;  // "67.0"
    int tone = 0;
};

// The list shows its items in columns of ten, filled column by column.
inline constexpr int kToneListRows = 10;
inline constexpr int kToneListColumns = 5;

// The list's order: every fifth tone in a run of ten (0, 5, ..., 45, then 1, 6, ..., 46 and so
// on), so that in columns of ten each row reads five neighbouring tones from left to right.
constexpr std::array<ToneListItem, kToneFrequencies.size()> makeToneListItems() {
    std::array<ToneListItem, kToneFrequencies.size()> items{};
    for (std::size_t i = 0; i < items.size(); ++i) {
        const std::size_t tone = (i % kToneListRows) * kToneListColumns + i / kToneListRows;
        items[i] = {kToneFrequencies[tone], static_cast<int>(tone)};
    }
    return items;
}
inline constexpr std::array<ToneListItem, kToneFrequencies.size()> kToneListItems =
    makeToneListItems();

// An item's text as the list draws it: two blanks, then the frequency without its unit.
std::string toneListText(const ToneListItem& item);

// The CTCSS Tone Frequency list without widgets: which item is the current tone, and what OK
// sends. The list always sets the main side's tone.
class ToneChoice {
  public:
    ToneChoice(int currentTone, RadioLink& link);

    // The item of the current tone (drawn in red); none when the tone has no item.
    std::optional<int> currentItem() const { return currentItem_; }
    // OK: the selected item's tone, with a read-back. Nothing without a selection or for an
    // index outside the list.
    void confirm(std::optional<int> selectedItem);

  private:
    RadioLink& link_;
    std::optional<int> currentItem_;
};

}  // namespace panelink
