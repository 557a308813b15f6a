#pragma once

#include <cstdint>
#include <string_view>

#include "panelink/windows/window_close.h"
#include "shared/platform/message.h"

namespace panelink {

// The VFO SET window without widgets. Its closing message carries the typed frequency in Hz
// (0 for none); the main window sets it on the operating VFO, and the radio state refuses a
// frequency outside its range.
class VfoSetEntry {
  public:
    static constexpr int kMaxDigits = 8;

    explicit VfoSetEntry(platform::MessageSink& mainWindow)
        : close_(mainWindow, WindowMessage::VfoSetClosed) {}

    // OK, also Enter on the panel while the window is open. An empty box closes as CANCEL.
    void confirm(std::string_view digits) { close_.report(frequencyOf(digits)); }
    // CANCEL, Escape and the close box.
    void cancel() { close_.report(0); }
    bool closed() const { return close_.reported(); }

    // The frequency a text gives: 1 to kMaxDigits decimal digits; 0 for anything else.
    static std::uintptr_t frequencyOf(std::string_view digits);

  private:
    WindowClose close_;
};

}  // namespace panelink
