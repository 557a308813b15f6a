#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "panelink/core/messages.h"
#include "panelink/panel/panel_ports.h"
#include "panelink/windows/window_close.h"
#include "shared/platform/message.h"

namespace panelink {

class RadioState;

// What a value box shows for a value outside its table.
inline constexpr std::string_view kUnknownValueText = "?????";

// The texts of the three repeater settings, by the value the transceiver reports.
std::string ctcssModeText(std::int32_t mode);  // "CT": 0 "OFF", 1 "Tone Squelch", 2 "Tone Encoder"
std::string toneText(std::int32_t tone);       // "CN": 0 "67.0 Hz" ... 49 "254.1 Hz"
std::string shiftText(std::int32_t shift);     // "OS": 0 "Simplex", 1 "Plus Shift", 2 "Minus Shift"

// The Repeater window without widgets: its VFO label, the texts of its three value boxes, and
// what its buttons send. Every command goes to the main side, whichever VFO operates; the
// CTCSS mode buttons act only in the FM modes.
class RepeaterSettings {
  public:
    // The ids of the buttons that send.
    enum class Button : int {
        Off = 1026,
        Encoder = 1027,
        Squelch = 1028,
        Simplex = 1030,
        Minus = 1031,
        Plus = 1032,
    };
    enum class Box { Mode, Tone, Shift };

    // The answers whose display updates redraw a box.
    static constexpr std::array kRedrawingUpdates{id(DisplayUpdate::CN), id(DisplayUpdate::CT),
                                                  id(DisplayUpdate::OS)};

    // Reads the VFO selection for the label and asks for the main side's information.
    RepeaterSettings(const RadioState& radio, RadioLink& link, platform::MessageSink& mainWindow);

    // "<VFO-A>" or "<VFO-B>", as the VFO selection was at opening.
    std::string_view vfoLabel() const { return vfoLabel_; }
    std::string boxText(Box box) const;
    // The box a display update redraws; none for any other message.
    static std::optional<Box> boxRedrawnBy(std::uint32_t messageId);

    void press(Button button);
    // The close box or Escape: RepeaterClosed, once.
    bool close() { return close_.report(); }
    bool closed() const { return close_.reported(); }

  private:
    bool inFmMode() const;

    const RadioState& radio_;
    RadioLink& link_;
    WindowClose close_;
    std::string_view vfoLabel_;
};

}  // namespace panelink
