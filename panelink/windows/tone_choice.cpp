#include "panelink/windows/tone_choice.h"

#include "panelink/core/requests.h"

namespace panelink {

std::string toneListText(const ToneListItem& item) {
    return "  " + std::string(item.frequency);
}

ToneChoice::ToneChoice(int currentTone, RadioLink& link) : link_(link) {
    for (std::size_t i = 0; i < kToneListItems.size(); ++i) {
        if (kToneListItems[i].tone == currentTone) currentItem_ = static_cast<int>(i);
    }
}

void ToneChoice::confirm(std::optional<int> selectedItem) {
    if (!selectedItem || *selectedItem < 0 ||
        static_cast<std::size_t>(*selectedItem) >= kToneListItems.size())
        return;
    const int tone = kToneListItems[static_cast<std::size_t>(*selectedItem)].tone;
    link_.postRequest(Request::SetToneNumber, kReadBackBit, tone);
}

}  // namespace panelink
