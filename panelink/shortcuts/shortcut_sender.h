#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "panelink/panel/panel_ports.h"
#include "shared/platform/timer_host.h"

namespace panelink {

// Sends one key's text command by command: each command (its characters up to and including
// ";") goes onto the send queue through the link, which wakes the writer; the next follows
// 2 ms per character of the one before, on timer 39 of the main window's timer host. Text
// after the last ";" is never sent. While a text is being sent it is busy, and stays busy
// until the step after its last command has run. User interface thread only.
class ShortcutSender {
  public:
    static constexpr int kMillisecondsPerCharacter = 2;

    ShortcutSender(RadioLink& link, platform::TimerHost& timers);
    ShortcutSender(const ShortcutSender&) = delete;
    ShortcutSender& operator=(const ShortcutSender&) = delete;

    // Starts sending `text` with its first command, at once. Ignored while busy.
    void start(std::string_view text);
    // A tick of one of the main window's timers; false for a timer that is not its own.
    bool onTimer(int timerId);
    bool busy() const { return !text_.empty(); }

  private:
    // Sends the next command and times the one after it, or ends the text.
    void step();
    void finish();

    RadioLink& link_;
    platform::TimerHost& timers_;
    std::string text_;          // the text being sent; empty when idle
    std::size_t position_ = 0;  // where the next command begins
};

}  // namespace panelink
