#pragma once

#include <atomic>

namespace panelink {

// Flags of the link that several threads read and one owner writes.
struct LinkFlags {
    // A link failure message box is on screen; port opens are skipped meanwhile.
    std::atomic<bool> messageBox{false};
    // A command was written and its answer has not been delivered yet.
    std::atomic<bool> answerPending{false};
    // This program last wrote "AI1;" (true) or "AI0;" (false).
    std::atomic<bool> aiCommanded{false};
};

}  // namespace panelink
