#pragma once

#include <cstdint>

#include "panelink/panel/display_elements.h"
#include "panelink/panel/draw_op.h"
#include "panelink/panel/panel_point.h"
#include "panelink/panel/panel_snapshot.h"

namespace panelink {

// One function per display rule: each returns the draw operations for its elements from a
// snapshot of the state it reads. A value that a rule does not list gives no operations, so the
// element keeps what was drawn last.

// The element of a group in a state as a draw operation; nothing for a slot that does not exist.
DrawList drawElement(ElementFamily family, int index, int state);

// --- Frequency, clarifier, VFO/memory letters ---

// The frequency shown: the operating VFO, plus the clarifier offset while receiving with the
// clarifier on, limited to what eight digits hold.
std::int64_t displayedFrequency(const PanelSnapshot& s);
// selectedDigit: 1 (1 Hz) .. 8 (10 MHz) is under the tuning cursor; anything else means none.
DrawList drawFrequency(const PanelSnapshot& s, int selectedDigit);
DrawList drawClarifierOffset(const PanelSnapshot& s);
DrawList drawVfoLetters(const PanelSnapshot& s);

// --- Meter ---

// Meter selections with a scale of their own: 1 ALC, 2 PO, 3 SWR.
bool meterSelectionKnown(std::int32_t selection);
MeterScaleState meterScale(std::int32_t selection, std::int32_t radioId);
DrawList drawMeterScale(const PanelSnapshot& s);
// The highest segment whose threshold the peak reaches; -1 when it reaches none.
int peakSegment(int peak);
// The bar for a reading, with the held peak's segment lit too (peak 0 = none). A bar that is
// not live (no connection, or the transceiver off) shows 0 and no peak.
DrawList drawMeterBar(int reading, int peak, bool live);

// --- Two-state labels and boxes ---

DrawList drawTxLabel(const PanelSnapshot& s);
DrawList drawBusyLabel(const PanelSnapshot& s);
DrawList drawTunerLabel(const PanelSnapshot& s, bool blinkPhase);
DrawList drawModeLabels(const PanelSnapshot& s);
DrawList drawEncDecLabels(const PanelSnapshot& s);
DrawList drawRepeaterShiftLabels(const PanelSnapshot& s);
DrawList drawVoxLabel(const PanelSnapshot& s);
DrawList drawPbackLabel(const PanelSnapshot& s, bool blinkPhase);
DrawList drawKeyerLabel(const PanelSnapshot& s);
DrawList drawBkInLabel(const PanelSnapshot& s);
DrawList drawFastLabel(const PanelSnapshot& s);
DrawList drawLockLabel(const PanelSnapshot& s, bool menuListReady);
DrawList drawAntSymbol(const PanelSnapshot& s, bool blinkPhase);
DrawList drawMenuBox(const PanelSnapshot& s);
DrawList drawClarLabel(const PanelSnapshot& s);
DrawList drawSplitLabel(const PanelSnapshot& s);
// The SHIFT caption and its base line.
DrawList drawShiftCaption(const PanelSnapshot& s);
DrawList drawDspSelMarkers(const PanelSnapshot& s);
DrawList drawAttBox(const PanelSnapshot& s);
DrawList drawIpoBox(const PanelSnapshot& s);
DrawList drawNbBox(const PanelSnapshot& s);
DrawList drawAgcBox(const PanelSnapshot& s);

// --- DSP bars ---

DrawList drawContourBar(const PanelSnapshot& s);
DrawList drawNotchBar(const PanelSnapshot& s);
DrawList drawDnrBar(const PanelSnapshot& s);
DrawList drawWidthBar(const PanelSnapshot& s);
DrawList drawShiftBar(const PanelSnapshot& s);

// --- Keys ---

// A key cap on its indicator message: wparam 0 released, 1 pressed; other values and messages
// that are no key's indicator draw nothing.
DrawList drawKeyCap(std::uint32_t message, std::uintptr_t wparam);
DrawList drawFourStateKey(FourStateKey key, bool pressed, bool lit);

// --- Dials and knobs ---

inline constexpr int kNoPointer = 360;
inline constexpr std::uint32_t kPointerRed = 0xFF0000;

DrawList drawMainDial(int angle);
// angle 0..359 draws the pointer; kNoPointer (or any angle outside 0..359) draws none.
DrawList drawDspSelKnob(int angle, bool tuningFlag);
// Pointer angles of the value knobs, from the value limited to the knob's range.
int gainKnobAngle(std::int32_t value);
int shiftKnobAngle(std::int32_t value);
DrawList drawSqlRfKnob(const PanelSnapshot& s);
DrawList drawAfGainKnob(const PanelSnapshot& s);
DrawList drawShiftKnob(const PanelSnapshot& s);
// lit 1 lights caption `index`, 0 restores it; anything else, or a bad index, draws nothing.
DrawList drawCaptionHighlight(int lit, int index);

}  // namespace panelink
