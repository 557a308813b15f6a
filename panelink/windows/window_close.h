#pragma once

#include <cstdint>

#include "panelink/core/messages.h"
#include "shared/platform/message.h"

namespace panelink {

// Tells the main window once that an auxiliary window has ended: its closing message, posted
// through the event hub. The main window destroys the window when the message arrives, after
// the window's own handler has returned. A second report (the close box after CANCEL, Escape
// while the first report is on its way) does nothing.
class WindowClose {
  public:
    WindowClose(platform::MessageSink& mainWindow, WindowMessage closedMessage)
        : mainWindow_(mainWindow), closedMessage_(closedMessage) {}

    // False when the close has been reported already.
    bool report(std::uintptr_t wparam = 0) {
        if (reported_) return false;
        reported_ = true;
        mainWindow_.post(message(closedMessage_, wparam));
        return true;
    }
    bool reported() const { return reported_; }

  private:
    platform::MessageSink& mainWindow_;
    WindowMessage closedMessage_;
    bool reported_ = false;
};

}  // namespace panelink
