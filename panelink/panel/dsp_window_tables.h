#pragma once

// The constants of the CONTOUR, NOTCH and DNR windows: one picture-window mechanism, one row
// of this table per window. Coordinates are pixels of the window's own picture.

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "panelink/cat/radio_state.h"
#include "panelink/core/messages.h"
#include "panelink/core/requests.h"
#include "panelink/panel/aux_window_registry.h"
#include "panelink/panel/panel_tables.h"
#include "shared/platform/clock.h"

namespace panelink {

enum class DspWindowKind : int { Contour, Notch, Dnr };
inline constexpr int kDspWindowKindCount = 3;

// The windows' own numbered timers: each window has its timer ids apart from the main
// window's.
enum DspTimerId : int {
    kDspTimerFieldRepeat = 2,    // a held button steps a selected value field
    kDspTimerWatch = 32,         // the held key (is the cursor still on it?), the dragged knob
    kDspTimerWheelPointer = 33,  // the pointer a wheel step showed goes again
    kDspTimerKnobSend = 34,      // the dragged knob's steps go out
    kDspTimerReadBack = 41,      // the value is read back after it was set
};

namespace dsp_timing {
using platform::Milliseconds;
inline constexpr Milliseconds kKeyWatchPeriod{100};
inline constexpr Milliseconds kDragPeriod{30};
inline constexpr Milliseconds kKnobSendPeriod{100};
inline constexpr Milliseconds kWheelPointerTime{200};
inline constexpr Milliseconds kRepeatDelay{1000};
inline constexpr Milliseconds kRepeatPeriod{100};
inline constexpr Milliseconds kReadBackDelay{200};
}  // namespace dsp_timing

// Bitmaps and geometry shared by the three windows.
inline constexpr int kDspKeyReleased = 1304;
inline constexpr int kDspKeyReleasedLit = 1528;
inline constexpr int kDspKeyPressed = 1305;
inline constexpr int kDspKeyPressedLit = 1529;
inline constexpr int kDspKeyWidth = 42;
inline constexpr int kDspKeyHeight = 32;
inline constexpr int kDspKnobBitmap = 1478;
inline constexpr int kDspKnobSize = 56;  // drawn with its centre on the knob's centre
inline constexpr int kDspPointerBitmap = 1475;
inline constexpr int kDspPointerSize = 12;
inline constexpr int kDspPointerRadius = 10;
inline constexpr int kDspKnobRadius = 20;  // of the round area a press or the wheel hits

// What a knob and its value field adjust.
enum class DspValue : int { ContourFrequency, ContourLevel, NotchFrequency, DnrLevel };

// How a value moves: by plain steps within its limits, or along the CONTOUR frequency
// ladder 1, 8, 14, 20, 26.
enum class DspStepRule : int { Linear, ContourLadder };

// When the ON/OFF key is drawn lit.
enum class DspKeyLit : int { ContourLevelNotZero, NotchOnOutsideFmAm, DnrOn };

// What the ON/OFF key's request carries in lparam.
enum class DspKeyValue : int {
    None,
    ContourSwitch,  // 0 while the contour is on, else the level it was switched off from
};

// An (x, y, width, height) rectangle of a window's picture.
struct DspRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

// One knob with its value field.
struct DspControl {
    DspValue value;
    RadioField field;       // the current value
    PanelPoint knobCentre;  // the knob bitmap sits 28 pixels left of and above it
    PanelRect valueField;   // inclusive: a press here selects the field
    DspRect highlight;      // copied from the highlight picture when selected
    std::int32_t minimum;
    std::int32_t maximum;
    DspStepRule steps;
    // The pointer of a selected field: angleScale·value + angleOffset, plus 360 when negative.
    int angleScale;
    int angleOffset;
    Request request;  // posted with the read-back bit and the new value
    std::string_view readBackQuery;
    // The value is sent only while this flag is set (a DNR level means nothing with DNR off).
    std::optional<RadioField> sentOnlyWhile;
};

struct DspWindowProfile {
    DspWindowKind kind;
    AuxWindow window;
    std::string_view caption;
    int dialogId;
    int background;
    int highlight;  // the background with the value fields lit
    int width;
    int height;

    PanelRect key;  // inclusive; the key images are drawn at its top-left corner
    Request keyRequest;
    bool keyReadBack;
    DspKeyValue keyValue;
    DspKeyLit keyLit;

    int degreesPerStep;  // of knob turning per step
    // A wheel step turns the knob by degreesPerStep; past 12 o'clock it lands on these fixed
    // angles, not on the angle the turn would give.
    int wheelWrapBelowZero;
    int wheelWrapAtFullTurn;

    std::array<DspControl, 2> controlSlots;
    std::size_t controlCount;

    // The state update that redraws the key, and the one that redraws a selected value field
    // and ends a pending read-back (the same message for CONTOUR and NOTCH).
    DisplayUpdate keyUpdate;
    DisplayUpdate valueUpdate;
    WindowMessage closed;

    std::span<const DspControl> controls() const { return {controlSlots.data(), controlCount}; }
};

const DspWindowProfile& dspWindowProfile(DspWindowKind kind);
std::span<const DspWindowProfile> dspWindowProfiles();

// The CONTOUR frequency ladder: a field step up from a rung first jumps to the value beside
// it, so the step lands on the next rung.
struct ContourRung {
    std::int32_t rung;
    std::int32_t jumpTo;
};
inline constexpr std::array kContourLadder{
    ContourRung{1, 7},   ContourRung{8, 13},  ContourRung{14, 19},
    ContourRung{20, 25}, ContourRung{26, 32},
};
inline constexpr std::int32_t kContourKnobStep = 6;        // frequency units per knob step
inline constexpr std::int32_t kContourKnobFirstRung = 2;   // from 1, s steps up give 6s + 2
inline constexpr std::int32_t kContourKnobBottomEdge = 3;  // knob results below it become 1

// The value a knob turned by `steps` whole steps asks for, from the current value.
std::int32_t knobTarget(const DspControl& control, std::int32_t current, int steps);
// The value one field step asks for (up = the right button).
std::int32_t fieldTarget(const DspControl& control, std::int32_t current, bool up);
// The pointer angle that shows a value on the knob of a selected field.
int pointerAngle(const DspControl& control, std::int32_t value);

}  // namespace panelink
