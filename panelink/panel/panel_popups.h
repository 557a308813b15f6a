#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "panelink/panel/panel_codes.h"
#include "panelink/panel/panel_ports.h"
#include "panelink/panel/panel_tables.h"

namespace panelink {

class RadioState;
class MenuItemTable;

// The reported states that decide which pop-up items carry a check mark.
struct PopupStates {
    std::int32_t mode = 1;                      // MD main side
    std::int32_t cwBfoSetting = 1;              // menu "CW BFO", 1 when missing
    std::int32_t operatingFrequency = 7000000;  // VFO-B when B operates, else VFO-A
    std::int32_t band = 3;                      // BS
    std::int32_t split = 0;                     // FT
    std::int32_t step = 0;                      // ST
    std::int32_t agc = 4;                       // GT main side
    std::int32_t pms = 0;                       // SS
    std::int32_t attenuator = 0;                // RA
    std::int32_t ipo = 1;                       // PA (1 = IPO off)
    std::int32_t tuner = 0;                     // AC
    std::int32_t meter = 2;                     // MS
    std::int32_t monitor = 0;                   // ML selector 0
    std::int32_t spot = 0;                      // CS
    std::int32_t txWatch = 0;                   // TS
    std::int32_t aux = 0;                       // AX
    std::int32_t dspSelFunction = 0;            // SF
    std::int32_t width = 0;                     // SH
};

PopupStates readPopupStates(const RadioState& radio, const MenuItemTable& menu);

// A pop-up ready to show: which menu, where, its items with their check marks, and whether
// the chosen item's requests carry the read-back bit.
struct PopupView {
    PopupMenu menu;
    PanelPoint position;
    std::vector<PopupEntry> entries;
    bool readBack = false;
};

// The pop-up a control opens; none for a control without one.
std::optional<PopupView> popupForControl(PanelCode code, const PopupStates& states);
// The WIDTH pop-up opened from the DSP pop-up.
PopupView widthPopupFromDsp(const PopupStates& states);

// Whether the item `id` of `menu` is shown checked.
bool popupItemChecked(PopupMenu menu, int id, const PopupStates& states);

}  // namespace panelink
