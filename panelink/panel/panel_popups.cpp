#include "panelink/panel/panel_popups.h"

#include "panelink/cat/radio_state.h"
#include "panelink/menu/menu_item.h"
#include "panelink/menu/menu_item_table.h"
#include "panelink/panel/panel_snapshot.h"

namespace panelink {

namespace {

using F = RadioField;

// The frequency above which the "CW BFO" setting 2 counts as 0, else as 1.
constexpr std::int32_t kCwBfoSplitFrequency = 9999999;

struct Opening {
    PanelCode code;
    PopupMenu menu;
    bool secondPosition;  // the menu's second record holds this opener's position
};

// The pop-ups and the controls that open them. STEP chooses its table by the mode.
constexpr Opening kOpenings[] = {
    {PanelCode::ModeMenuDown, PopupMenu::Mode, false},
    {PanelCode::ModeMenuUp, PopupMenu::Mode, true},
    {PanelCode::BandMenuDown, PopupMenu::Band, false},
    {PanelCode::BandMenuUp, PopupMenu::Band, true},
    {PanelCode::Split, PopupMenu::Split, false},
    {PanelCode::SplitLabel, PopupMenu::Split, true},
    {PanelCode::Step, PopupMenu::StepOther, false},
    {PanelCode::Agc, PopupMenu::Agc, false},
    {PanelCode::Pms, PopupMenu::Pms, false},
    {PanelCode::IpoAtt, PopupMenu::AttIpo, false},
    {PanelCode::Tune, PopupMenu::Tuner, false},
    {PanelCode::TunerLabel, PopupMenu::Tuner, true},
    {PanelCode::Meter, PopupMenu::Meter, false},
    {PanelCode::ClarSelect, PopupMenu::ClarSelect, false},
    {PanelCode::Dsp, PopupMenu::Dsp, false},
    {PanelCode::WidthLabel, PopupMenu::Width, true},
};

PopupMenu stepMenu(std::int32_t mode) {
    if (mode == 4) return PopupMenu::StepFm;
    if (mode == 5) return PopupMenu::StepAm;
    return PopupMenu::StepOther;
}

PanelPoint position(PopupMenu menu, bool second) {
    const auto records = popupRecords(menu);
    const std::size_t at = second && records.size() > 1 ? 1 : 0;
    return records.empty() ? PanelPoint{} : PanelPoint{records[at].x, records[at].y};
}

PopupView view(PopupMenu menu, bool second, bool readBack, const PopupStates& states) {
    PopupView out{menu, position(menu, second), {}, readBack};
    for (const PopupRecord& record : popupRecords(menu))
        out.entries.push_back({record.id, record.text, popupItemChecked(menu, record.id, states)});
    return out;
}

// The mode item checked for CW (3) and CW-R (7): which of the two depends on the BFO side.
int cwItem(const PopupStates& s) {
    constexpr int kCw = 3;
    constexpr int kCwReverse = 4;
    int bfo = s.cwBfoSetting;
    if (bfo == 2) bfo = s.operatingFrequency > kCwBfoSplitFrequency ? 0 : 1;
    if (bfo == 0) return s.mode == 3 ? kCw : kCwReverse;
    if (bfo == 1) return s.mode == 3 ? kCwReverse : kCw;
    return 0;
}

int modeItem(const PopupStates& s) {
    switch (s.mode) {
        case 1:
            return 1;  // LSB
        case 2:
            return 2;  // USB
        case 3:
        case 7:
            return cwItem(s);
        case 4:
        case 11:
            return 6;  // FM
        case 5:
            return 5;  // AM
        case 10:
            return 0;
        default:
            return 7;  // DATA
    }
}

int agcItem(std::int32_t agc) {
    switch (agc) {
        case 0:
            return 1;  // OFF
        case 1:
            return 3;  // FAST
        case 3:
            return 4;  // SLOW
        case 4:
        case 6:
            return 2;  // AUTO
        default:
            return 0;
    }
}

// Menus whose items are checked by one state equal to a value per item.
int itemOfValue(std::int32_t state, std::initializer_list<std::int32_t> values) {
    int id = 1;
    for (std::int32_t value : values) {
        if (state == value) return id;
        ++id;
    }
    return 0;
}

int attIpoItem(const PopupStates& s) {
    if ((s.attenuator != 0 && s.attenuator != 3) || (s.ipo != 0 && s.ipo != 1)) return 0;
    return 1 + (s.attenuator == 3 ? 2 : 0) + (s.ipo == 0 ? 1 : 0);
}

// C.S shows ON/OFF pairs: items 1/2 monitor, 3/4 spot, 5/6 TXW, 8/9 AUX; 7 is VCC.
bool clarSelectChecked(int id, const PopupStates& s) {
    auto pair = [id](int onId, std::int32_t state) {
        return (id == onId && state == 1) || (id == onId + 1 && state == 0);
    };
    return pair(1, s.monitor) || pair(3, s.spot) || pair(5, s.txWatch) || pair(8, s.aux);
}

}  // namespace

PopupStates readPopupStates(const RadioState& radio, const MenuItemTable& menu) {
    PopupStates s;
    s.mode = radio.get(F::MD_0);
    s.cwBfoSetting = wholeSetting(menu.valueOfKind(kKindCwBfo));
    s.operatingFrequency = radio.get(F::VS) != 0 ? radio.get(F::FB) : radio.get(F::FA);
    s.band = radio.get(F::BS);
    s.split = radio.get(F::FT);
    s.step = radio.get(F::ST);
    s.agc = radio.get(F::GT_0);
    s.pms = radio.get(F::SS);
    s.attenuator = radio.get(F::RA);
    s.ipo = radio.get(F::PA);
    s.tuner = radio.get(F::AC);
    s.meter = radio.get(F::MS);
    s.monitor = radio.get(F::ML_0);
    s.spot = radio.get(F::CS);
    s.txWatch = radio.get(F::TS);
    s.aux = radio.get(F::AX);
    s.dspSelFunction = radio.get(F::SF);
    s.width = radio.get(F::SH);
    return s;
}

bool popupItemChecked(PopupMenu menu, int id, const PopupStates& s) {
    switch (menu) {
        case PopupMenu::Mode:
            return id == modeItem(s);
        // Band numbers above 2 count one lower: the band list has no item for band 2.
        case PopupMenu::Band:
            return id == (s.band > 2 ? s.band - 1 : s.band) + 1;
        case PopupMenu::Split:
            return id == itemOfValue(s.split, {0, 1});
        case PopupMenu::StepFm:
        case PopupMenu::StepAm:
        case PopupMenu::StepOther:
            return id == s.step + 1;
        case PopupMenu::Agc:
            return id == agcItem(s.agc);
        case PopupMenu::Pms:
            return id == itemOfValue(s.pms, {0, 10000, 1000, 11000});
        case PopupMenu::AttIpo:
            return id == attIpoItem(s);
        case PopupMenu::Tuner:
            return id == itemOfValue(s.tuner, {0, 1, 2});
        case PopupMenu::Meter:
            return id == itemOfValue(s.meter, {2, 1, 3});
        case PopupMenu::ClarSelect:
            return clarSelectChecked(id, s);
        case PopupMenu::Dsp: {
            constexpr int kSelectItem = 6;
            return id == kSelectItem && s.dspSelFunction == 0;
        }
        case PopupMenu::Width:
            return id == itemOfValue(s.width, {0, 16, 31});
    }
    return false;
}

std::optional<PopupView> popupForControl(PanelCode code, const PopupStates& states) {
    for (const Opening& opening : kOpenings) {
        if (opening.code != code) continue;
        const PopupMenu menu =
            opening.menu == PopupMenu::StepOther ? stepMenu(states.mode) : opening.menu;
        const ControlRecord* row = findControl(code);
        return view(menu, opening.secondPosition, row != nullptr && row->readBack, states);
    }
    return std::nullopt;
}

PopupView widthPopupFromDsp(const PopupStates& states) {
    // Chosen through the DSP pop-up, the width is read back although DSP itself is not.
    return view(PopupMenu::Width, false, true, states);
}

}  // namespace panelink
