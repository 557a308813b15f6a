#include "panelink/windows/mic_eq_preset.h"

#include "panelink/core/requests.h"
#include "panelink/menu/menu_item.h"
#include "panelink/menu/menu_item_table.h"

namespace panelink {

namespace {

std::optional<int> presetOf(double value) {
    for (int preset = 0; preset < MicEqPreset::kPresetCount; ++preset) {
        if (value == preset) return preset;
    }
    return std::nullopt;
}

}  // namespace

MicEqPreset::MicEqPreset(MenuItemTable& menu, RadioLink& link, platform::MessageSink& mainWindow)
    : menu_(menu),
      link_(link),
      close_(mainWindow, WindowMessage::MicEqClosed),
      checkedPreset_(presetOf(menu.valueOfKind(kKindMicEq))) {}

void MicEqPreset::choose(int preset) {
    if (closed() || !presetOf(preset)) return;
    bool changed = false;
    // Compared and stored under the table's lock, so an "EX" answer cannot slip in between.
    menu_.withItemOfKind(kKindMicEq, [&](MenuItem& item) {
        if (item.value == preset) return;
        item.value = preset;
        item.newValue = preset;
        item.changed = 1;
        changed = true;
    });
    if (changed) link_.postRequest(Request::WriteMenu, 0, 0);
}

}  // namespace panelink
