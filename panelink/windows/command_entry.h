#pragma once

#include <cstddef>
#include <string_view>

#include "panelink/panel/panel_ports.h"
#include "panelink/windows/window_close.h"
#include "shared/platform/message.h"

namespace panelink {

// The Command Send window without widgets: what the user typed goes out on the line exactly as
// typed, as one command, with no ";" added and nothing changed, since whoever types raw
// commands means them. A NUL byte never goes out: a text holding one is not sent at all.
class CommandEntry {
  public:
    static constexpr std::size_t kMaxLength = 500;

    CommandEntry(RadioLink& link, platform::MessageSink& mainWindow)
        : link_(link), close_(mainWindow, WindowMessage::CommandSendClosed) {}

    // OK: the text is queued when it can be sent; the window closes either way.
    void confirm(std::string_view text);
    // CANCEL, Escape and the close box.
    void cancel() { close_.report(); }
    bool closed() const { return close_.reported(); }

    // 1 to kMaxLength bytes without a NUL.
    static bool sendable(std::string_view text);

  private:
    RadioLink& link_;
    WindowClose close_;
};

}  // namespace panelink
