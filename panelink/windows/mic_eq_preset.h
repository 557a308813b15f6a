#pragma once

#include <optional>

#include "panelink/panel/panel_ports.h"
#include "panelink/windows/window_close.h"
#include "shared/platform/message.h"

namespace panelink {

class MenuItemTable;

// The MIC EQ window without widgets: the ten presets of the transceiver's MIC EQ menu item.
// Choosing another preset marks the item changed with the new value and asks for the menu
// write, which sends every changed item.
class MicEqPreset {
  public:
    static constexpr int kPresetCount = 10;

    MicEqPreset(MenuItemTable& menu, RadioLink& link, platform::MessageSink& mainWindow);

    // The preset of the item's value at opening; none for a value outside 0..9. Without such
    // an item the value counts as 1.
    std::optional<int> checkedPreset() const { return checkedPreset_; }
    // A preset button. The same preset again sends nothing.
    void choose(int preset);
    // Escape and the close box.
    bool close() { return close_.report(); }
    bool closed() const { return close_.reported(); }

  private:
    MenuItemTable& menu_;
    RadioLink& link_;
    WindowClose close_;
    std::optional<int> checkedPreset_;
};

}  // namespace panelink
