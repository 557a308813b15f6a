#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "panelink/core/messages.h"

namespace panelink {

// One display element: a bitmap drawn transparently at a fixed rectangle of the 843 x 320 panel.
struct DisplayElement {
    int bitmap = 0;
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;

    friend bool operator==(const DisplayElement&, const DisplayElement&) = default;
};

// Element groups come in families; a group is one place on the panel with one element per
// visual state, and drawing the group in state i draws its element i.
enum class ElementFamily : int {
    FrequencyDigit,  // 8 groups, character 0 (10 MHz) .. 7 (1 Hz); 22 states, see below
    FrequencyPoint,  // 1 group: 0 MHz point lit, 1 kHz point lit, 2 MHz point dark
    ClarifierDigit,  // 3 groups, characters 1..3 of the offset; states 0..9 = the digit
    ClarifierPoint,  // 1 group, 1 element
    ClarifierSign,   // 1 group: 0 blank, 1 "+", 2 "-"
    VfoLetter,       // 1 group: 0..7 = VfoLetterState at the first place, 8..15 at the second
    MeterScale,      // 1 group: 0 PO, 1 PO low-power, 2 ALC, 3 SWR, 4 S
    MeterSegment,    // 31 groups, segment 0..30; 0 off, 1 on
    Label,           // one group per PanelLabel; 0 dark, 1 lit
    OnOffBox,        // one group per OnOffColumn: 0 OFF dark, 1 ON dark, 2 OFF lit, 3 ON lit
    AgcBox,          // 1 group: AUTO, FAST, SLOW dark (0..2), then lit (3..5)
    BarSegment,      // one group per bar row and segment: row * 11 + segment; 0 off, 1 on
    KeyCap,          // one group per key of keyCaps(); 0 released, 1 pressed
    FourStateKey,    // 0 COM, 1 ON/OFF; state = pressed + 2 * lit
    Dial,            // one group per DialPart
};

// Frequency digit states: the digit, blank, and both again under the tuning cursor.
inline constexpr int kDigitBlank = 10;
inline constexpr int kDigitHighlight = 11;
inline constexpr int kDigitStateCount = 22;

enum class VfoLetterState : int { A, B, M, T, Q, P, H, Blank };
inline constexpr int kVfoLetterSecondPlace = 8;

enum class MeterScaleState : int { Power, PowerLow, Alc, Swr, SMeter };
inline constexpr int kMeterSegmentCount = 31;

// The two-state labels and boxes, in panel order.
enum class PanelLabel : int {
    Tx,
    Busy,
    Tuner,
    Lsb,
    Usb,
    Cw,
    Am,
    Fm,
    Data,
    Enc,
    Dec,
    Minus,
    Plus,
    Vox,
    Pback,
    Keyer,
    BkIn,
    Fast,
    Lock,
    Ant,
    Menu,
    Clar,
    Split,
    ShiftCaption,
    ShiftBaseLine,
    MarkerContour,
    MarkerNotch,
    MarkerDnr,
    MarkerWidth,
};
inline constexpr int kPanelLabelCount = 29;

enum class OnOffColumn : int { Att, Ipo, Nb };
enum class OnOffBoxState : int { OffDark, OnDark, OffLit, OnLit };

enum class AgcBoxState : int { AutoDark, FastDark, SlowDark, AutoLit, FastLit, SlowLit };

// Rows of the DSP bars, top to bottom as drawn; each row has 11 segments.
enum class BarRow : int { ContourA, ContourB, NotchA, NotchB, Dnr, Width, Shift };
inline constexpr int kBarRowCount = 7;
inline constexpr int kBarSegmentCount = 11;

enum class FourStateKey : int { Com, Power };

// The round controls. DspSelKnob has two states: 0 plain, 1 frequency-tuning mode. The dimple
// and pointer elements hold the corner that the offset for the drawn angle is added to.
enum class DialPart : int {
    MainDial,
    MainDialDimple,
    DspSelKnob,
    DspSelPointer,
    SqlRfKnob,
    AfGainKnob,
    ShiftKnob,
};

// A key with a released and a pressed image, drawn on its indicator message.
struct KeyCapInfo {
    WindowMessage message{};
    const char* name = "";
};

struct ElementGroupInfo {
    ElementFamily family = ElementFamily::FrequencyDigit;
    int index = 0;      // group within its family
    int firstSlot = 0;  // position of state 0 in displayElements()
    int stateCount = 0;
};

// Every element slot of the panel, group after group.
std::span<const DisplayElement> displayElements();
std::span<const ElementGroupInfo> elementGroups();

// Number of groups of a family.
int familyGroupCount(ElementFamily family);

// The element of a group in a state; nullptr when the family, group or state does not exist.
const DisplayElement* findElement(ElementFamily family, int index, int state);

// The keys drawn by indicator messages, in the order of their KeyCap groups.
std::span<const KeyCapInfo> keyCaps();
// KeyCap group of an indicator message; empty for a message that draws no key cap.
std::optional<int> keyCapIndex(WindowMessage message);
// The same for a received message number.
std::optional<int> keyCapIndex(std::uint32_t messageId);

// Knob captions that a selected knob lights: 0 SHIFT, 1 AF GAIN, 2 RF GAIN, 3 SQL (2 and 3
// share one place). Copied from the lit or the plain panel picture.
struct CaptionRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};
inline constexpr int kCaptionCount = 4;
inline constexpr int kPanelPicture = 1484;
inline constexpr int kPanelPictureCaptionsLit = 1485;
std::optional<CaptionRect> captionRect(int index);

}  // namespace panelink
