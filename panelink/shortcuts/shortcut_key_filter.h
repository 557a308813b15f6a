#pragma once

#include <filesystem>
#include <functional>
#include <optional>

#include "panelink/panel/panel_ports.h"
#include "panelink/shortcuts/shortcut_sender.h"
#include "panelink/shortcuts/shortcut_table.h"
#include "shared/formats/shortcut_keys.h"
#include "shared/platform/timer_host.h"

namespace panelink {

// A key press as the windows see it, whatever the toolkit.
struct ShortcutKeyEvent {
    std::optional<commo::BaseKey> key;  // nothing: a key that is never a shortcut
    bool shift = false;
    bool ctrl = false;
    bool alt = false;
};

// What a key press means to the shortcut keys.
struct ShortcutKeyMeaning {
    enum class Kind { NotAShortcut, VersionKey, Slot };
    Kind kind = Kind::NotAShortcut;
    int slot = -1;  // for Kind::Slot

    static ShortcutKeyMeaning of(const ShortcutKeyEvent& event);
};

// The function-key shortcuts of every window that takes them. A key of the table is always
// consumed; its text is read afresh from VantorKSDEF.txt (so a save in the editor counts at
// the next press) and sent unless a text is still being sent, the keys are blocked (MENU LIST
// is open), the file cannot be read or the key has no text. F1 alone opens the version box
// when the main window is in its ordinary state and is consumed everywhere.
// User interface thread only.
class ShortcutKeyFilter {
  public:
    struct Ports {
        RadioLink& link;
        // The main window's timer host: timer 39 paces the commands of one key.
        platform::TimerHost& timers;
        // CommoFiles lives below it.
        std::filesystem::path workingDirectory;
        std::function<bool()> keysBlocked;
        std::function<void()> showVersionBox;
    };

    explicit ShortcutKeyFilter(Ports ports);

    // True when the key is consumed: the window must not process it any further.
    // `ordinaryState`: the main window with no auxiliary window open.
    bool filter(const ShortcutKeyEvent& event, bool ordinaryState);
    // A tick of one of the main window's timers; false for a timer that is not its own.
    bool onTimer(int timerId) { return sender_.onTimer(timerId); }
    bool sending() const { return sender_.busy(); }

  private:
    void sendSlot(int slot);

    Ports ports_;
    ShortcutTable table_;
    ShortcutSender sender_;
};

}  // namespace panelink
