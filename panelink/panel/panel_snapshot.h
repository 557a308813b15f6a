#pragma once

#include <cstdint>

namespace panelink {

class RadioState;
class MenuItemTable;

// What the display rules read, in the panel's own terms, taken in one go from RadioState and
// MenuItemTable. readPanelSnapshot() is the one place that decides which reported field stands
// for which display state; the rules and their tests work on this struct alone. Defaults are
// those of a reset RadioState with every menu setting missing.
struct PanelSnapshot {
    // Frequency and clarifier.
    std::int32_t vfoA = 7000000;   // FA
    std::int32_t vfoB = 7000000;   // FB
    bool vfoBOperating = false;    // VS != 0
    bool transmitting = false;     // TX != 0
    bool clarifierOn = false;      // RT == 1
    double clarifierOffset = 0.0;  // IF offset, Hz
    std::int32_t transmitVfo = 0;  // FT (0 VFO-A, 1 VFO-B: split)
    std::int32_t channelMode = 0;  // IF memory state: 0 VFO, 1 M, 2 MT, 3 Q, 4 P, 5 H

    // Meter.
    std::int32_t meterSelection = 2;  // MS
    std::int32_t radioId = 244;       // ID
    std::int32_t meterReading = 0;    // RM with the selected (non-zero) meter selector
    bool connected = false;           // AI == 1: the link reports a connection
    bool poweredOn = false;           // PS == 1: the transceiver is reported on

    // Labels and boxes; a value the rules do not list leaves its element alone.
    std::int32_t busy = 0;            // BY main side: squelch open
    std::int32_t tuner = 0;           // AC: 0 off, 1 on, 2 tuning
    std::int32_t mode = 1;            // MD main side
    std::int32_t toneState = 0;       // CT main side
    std::int32_t dcsState = 0;        // DQ
    std::int32_t repeaterShift = 0;   // OS main side
    std::int32_t vox = 0;             // VX
    std::int32_t playbackState = 0;   // PB: 6 = received audio playing back
    std::int32_t recording = 0;       // RI selector 3
    std::int32_t playing = 0;         // RI selector 4
    std::int32_t warning = 0;         // RI selector 0
    std::int32_t keyer = 0;           // KR
    std::int32_t breakIn = 0;         // BI
    std::int32_t fastStep = 0;        // FS
    std::int32_t lock = 0;            // LK
    std::int32_t menuState = 0;       // RS
    std::int32_t dspSelFunction = 0;  // SF
    std::int32_t attenuator = 0;      // RA
    std::int32_t ipo = 1;             // PA (1 = IPO off)
    std::int32_t noiseBlanker = 0;    // NB
    std::int32_t agc = 4;             // GT main side

    // DSP bars and knobs.
    std::int32_t contourLevel = 0;       // CO selector 0
    std::int32_t contourFrequency = 14;  // CO selector 1
    std::int32_t notchOn = 0;            // BP selector 0
    std::int32_t notchFrequency = 200;   // BP selector 1
    std::int32_t dnrOn = 0;              // NR main side
    std::int32_t dnrLevel = 1;           // RL
    std::int32_t width = 2;              // BG
    std::int32_t ifShift = -1270;        // IS
    std::int32_t squelch = 0;            // SQ main side
    std::int32_t rfGain = 0;             // RG main side
    std::int32_t afGain = 0;             // AG main side

    // Menu settings, 1 when the item is missing.
    std::int32_t peakHoldSetting = 1;  // "PEAKHLD"
    std::int32_t sqlRfSetting = 1;     // "SQL/RFG": 0 squelch knob, else RF gain knob
    std::int32_t dataTypeSetting = 1;  // "D TYPE": 2 shows DATA with USB
    std::int32_t selDialSetting = 1;   // "SELDIAL": 2 and 3 allow frequency tuning by DSP/SEL
};

PanelSnapshot readPanelSnapshot(const RadioState& radio, const MenuItemTable& menu);

// A menu setting's value as a whole number (truncated); 0 for a value that is not a finite
// number within the int32 range.
std::int32_t wholeSetting(double value);

}  // namespace panelink
