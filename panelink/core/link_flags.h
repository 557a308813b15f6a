#pragma once

#include <atomic>

#include "panelink/core/port_failure.h"

namespace panelink {

// Flags of the link that several threads read and one owner writes.
struct LinkFlags {
    // A link failure message box is on screen; port opens are skipped meanwhile.
    std::atomic<bool> messageBox{false};
    // A command was written and its answer has not been delivered yet.
    std::atomic<bool> answerPending{false};
    // This program last wrote "AI1;" (true) or "AI0;" (false).
    std::atomic<bool> aiCommanded{false};
    // A connection or menu read-out is running (the main window's busy flag).
    std::atomic<bool> readoutBusy{false};
    // The "Reading the menu setting data now." dialog is up and waits for the read-out's end.
    std::atomic<bool> readingDialogShown{false};
    // A menu read-out has run to its end since the link was last lost or the read-outs were
    // stopped: the F key needs no new read-out.
    std::atomic<bool> menuSettingsRead{false};
    // Shut-down has begun: nothing reopens the port any more.
    std::atomic<bool> shuttingDown{false};
    // Why the port last failed to open; the link failure box names it.
    PortFailureNote portFailure;
};

}  // namespace panelink
