#include "panelink/panel/panel_snapshot.h"

#include <cmath>
#include <limits>

#include "panelink/cat/radio_state.h"
#include "panelink/menu/menu_item.h"
#include "panelink/menu/menu_item_table.h"

namespace panelink {

std::int32_t wholeSetting(double value) {
    const double whole = std::trunc(value);
    // Written so that a NaN fails the range test.
    if (!(whole >= static_cast<double>(std::numeric_limits<std::int32_t>::min()) &&
          whole <= static_cast<double>(std::numeric_limits<std::int32_t>::max()))) {
        return 0;
    }
    return static_cast<std::int32_t>(whole);
}

PanelSnapshot readPanelSnapshot(const RadioState& radio, const MenuItemTable& menu) {
    using F = RadioField;
    PanelSnapshot s;
    s.vfoA = radio.get(F::FA);
    s.vfoB = radio.get(F::FB);
    s.vfoBOperating = radio.get(F::VS) != 0;
    s.transmitting = radio.get(F::TX) != 0;
    s.clarifierOn = radio.get(F::RT) == 1;
    s.clarifierOffset = radio.get(RadioReal::IF_offset);
    s.transmitVfo = radio.get(F::FT);
    s.channelMode = radio.get(F::IF_memoryState);

    s.meterSelection = radio.get(F::MS);
    s.radioId = radio.get(F::ID);
    s.meterReading = radio.get(F::RM_other);
    s.connected = radio.get(F::AI) == 1;
    s.poweredOn = radio.get(F::PS) == 1;

    s.busy = radio.get(F::BY_0);
    s.tuner = radio.get(F::AC);
    s.mode = radio.get(F::MD_0);
    s.toneState = radio.get(F::CT_0);
    s.dcsState = radio.get(F::DQ);
    s.repeaterShift = radio.get(F::OS_0);
    s.vox = radio.get(F::VX);
    s.playbackState = radio.get(F::PB);
    s.recording = radio.get(F::RI_3);
    s.playing = radio.get(F::RI_4);
    s.warning = radio.get(F::RI_0);
    s.keyer = radio.get(F::KR);
    s.breakIn = radio.get(F::BI);
    s.fastStep = radio.get(F::FS);
    s.lock = radio.get(F::LK);
    s.menuState = radio.get(F::RS);
    s.dspSelFunction = radio.get(F::SF);
    s.attenuator = radio.get(F::RA);
    s.ipo = radio.get(F::PA);
    s.noiseBlanker = radio.get(F::NB);
    s.agc = radio.get(F::GT_0);

    s.contourLevel = radio.get(F::CO_0);
    s.contourFrequency = radio.get(F::CO_1);
    s.notchOn = radio.get(F::BP_0);
    s.notchFrequency = radio.get(F::BP_1);
    s.dnrOn = radio.get(F::NR_0);
    s.dnrLevel = radio.get(F::RL);
    s.width = radio.get(F::BG);
    s.ifShift = radio.get(F::IS);
    s.squelch = radio.get(F::SQ_0);
    s.rfGain = radio.get(F::RG_0);
    s.afGain = radio.get(F::AG_0);

    s.peakHoldSetting = wholeSetting(menu.valueOfKind(kKindPeakHold));
    s.sqlRfSetting = wholeSetting(menu.valueOfKind(kKindSqlRfGain));
    s.dataTypeSetting = wholeSetting(menu.valueOfKind(kKindDataType));
    s.selDialSetting = wholeSetting(menu.valueOfKind(kKindSelDial));
    return s;
}

}  // namespace panelink
