#pragma once

// The geometry of the panel's controls and what each control sends: the hit zones and their
// button tables, the control table, the round areas of the dials and knobs, the knob
// parameters and the pop-up menus. Constant data, looked up by the panel controller.

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "panelink/core/messages.h"
#include "panelink/core/requests.h"
#include "panelink/panel/panel_codes.h"
#include "panelink/panel/panel_point.h"

namespace panelink {

// An inclusive rectangle of panel pixels.
struct PanelRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    constexpr bool contains(PanelPoint p) const {
        return p.x >= left && p.x <= right && p.y >= top && p.y <= bottom;
    }
};

// ---- Hit zones and their buttons ----------------------------------------------------------

enum class HitZone : int {
    Display = 1,          // frequency digits and clickable labels
    TwoFunctionKeys = 2,  // the six keys right of the display
    KeyRow = 3,           // COM .. AGC
    KnobRow = 4,          // SHIFT and DSP/SEL knobs, SEL, MODE, KEYER, CLAR
    DialArea = 5,         // main dial, BAND, A=B, A/B, FAST, LOCK
    RightKnobs = 6,       // TUNE, F, METER, SQL/RF GAIN and AF GAIN knobs
};

struct ZoneRecord {
    HitZone zone;
    PanelRect rect;
};

struct ButtonRecord {
    PanelRect rect;
    PanelCode code;
};

// The six zones in look-up order.
std::span<const ZoneRecord> hitZones();
// The first zone whose rectangle holds the point; none outside the picture.
std::optional<HitZone> zoneAt(PanelPoint p);
// A zone's button table, in look-up order (without an end record).
std::span<const ButtonRecord> zoneButtons(HitZone zone);
// The first button of the zone's table whose rectangle holds the point.
std::optional<PanelCode> hitButton(HitZone zone, PanelPoint p);
// The zone whose table holds the code; none for codes without a rectangle.
std::optional<HitZone> zoneOfButton(PanelCode code);

// ---- The control table ---------------------------------------------------------------------

struct ControlRecord {
    PanelCode code;
    std::optional<Request> request;          // none: the control sends nothing by itself
    bool readBack = false;                   // the request carries the read-back bit
    std::int32_t value = 0;                  // lparam of the request
    std::optional<WindowMessage> indicator;  // draws the key pressed (1) or released (0)
};

// All records in table order.
std::span<const ControlRecord> controlTable();
// The first record of the code; nullptr for a code the table does not hold.
const ControlRecord* findControl(PanelCode code);

// Request indexes number the requests in three runs of message numbers:
// 1..107 → WM_APP+0x500+index, 108..151 → WM_APP+0x62C+(index−108),
// 152..173 → WM_APP+0x659+(index−152). Other indexes are no request.
std::optional<Request> requestOfIndex(int index);
// The inverse; none for a request outside those three ranges (and for WM_APP+0x658).
std::optional<int> indexOfRequest(Request request);

// ---- Dials and knobs -----------------------------------------------------------------------

enum class RoundControl : int { MainDial, DspSelKnob, ShiftKnob, SqlRfGainKnob, AfGainKnob };

struct RoundArea {
    RoundControl control;
    PanelPoint centre;
    int radius;
};

const RoundArea& roundArea(RoundControl control);
// Whether the point is one of the area's sampled points: for a whole radius n from the
// area's radius down to 0 and a whole angle i of 0..359, (cx + trunc(n·sin i),
// cy − trunc(n·cos i)). Not a disc test: the sampled points leave gaps near the rim.
bool inRoundArea(const RoundArea& area, PanelPoint p);
// The same test for a round area of any centre and radius (the DSP windows' knobs).
bool inRoundArea(PanelPoint centre, int radius, PanelPoint p);

// Degrees (whole, clockwise from 12 o'clock) to radians and back, with π taken as 3.141592.
inline constexpr double kRadiansPerDegree = 0.01745328888888889;
inline constexpr double kDegreesPerRadianOverPi = 0.3183099524062959;  // times 180 gives °/rad
// The point at `angle` and `radius` around `centre`, each coordinate truncated toward zero.
PanelPoint pointAt(PanelPoint centre, int radius, int angle);
// The cursor's angle around a centre: 0 straight above, 90 right, 180 below, 270 left.
int cursorAngle(PanelPoint centre, PanelPoint cursor);

enum class Knob : int { Sql, AfGain, RfGain, Shift };

struct KnobParameters {
    Knob knob;
    PanelCode code;
    std::int32_t minimum;
    std::int32_t maximum;
    std::int32_t clickStep;
    std::int32_t repeatStep;  // per 100 ms
    std::int32_t wheelStep;
    Request request;   // posted with the read-back bit and the new value
    int captionIndex;  // the caption highlighted while the knob is selected
};

const KnobParameters& knobParameters(Knob knob);
std::optional<Knob> knobOfCode(PanelCode code);

// ---- Pop-up menus --------------------------------------------------------------------------

enum class PopupMenu : int {
    Mode,
    Band,
    Split,
    StepFm,     // mode 4
    StepAm,     // mode 5
    StepOther,  // every other mode
    Agc,
    Pms,
    AttIpo,
    Tuner,
    Meter,
    ClarSelect,  // C.S
    Dsp,
    Width,
};

// What an item does besides (or instead of) sending its requests.
enum class PopupOpens : int { Nothing, Contour, Notch, Dnr, MicEq, Vcc, WidthMenu };

struct PopupRecord {
    int id;  // menu command id, 1..n
    int x;   // the first two records carry the menu's two positions
    int y;
    std::string_view text;  // exactly as shown, trailing blanks included
    std::optional<Request> request;
    std::int32_t value = 0;
    std::optional<Request> secondRequest;  // ATT/IPO items send two requests, in this order
    std::int32_t secondValue = 0;
    PopupOpens opens = PopupOpens::Nothing;
};

// A menu's records in order (without an end record).
std::span<const PopupRecord> popupRecords(PopupMenu menu);
// The record of a chosen id; nullptr for an id the menu does not have (0 = dismissed).
const PopupRecord* findPopupRecord(PopupMenu menu, int id);

}  // namespace panelink
