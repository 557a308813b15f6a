#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "panelink/core/messages.h"
#include "panelink/windows/window_close.h"
#include "shared/platform/message.h"

namespace panelink {

class RadioState;

// "Vcc = " and the supply voltage from tenths of a volt, right-aligned in five characters with
// one decimal, then " V": 138 gives "Vcc =  13.8 V".
std::string vccText(std::int32_t tenths);

// The VCC window without widgets. The main window polls the voltage while it is open; the
// label stays empty until the first "VC" answer.
class VccReading {
  public:
    static constexpr std::array kRedrawingUpdates{id(DisplayUpdate::VC)};

    VccReading(const RadioState& radio, platform::MessageSink& mainWindow)
        : radio_(radio), close_(mainWindow, WindowMessage::VccClosed) {}

    const std::string& text() const { return text_; }
    void onVoltageReported();
    // OK, Escape and the close box.
    bool close() { return close_.report(); }
    bool closed() const { return close_.reported(); }

  private:
    const RadioState& radio_;
    WindowClose close_;
    std::string text_;
};

}  // namespace panelink
