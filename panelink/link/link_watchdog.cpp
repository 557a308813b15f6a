#include "panelink/link/link_watchdog.h"

#include "panelink/core/link_flags.h"
#include "panelink/core/messages.h"
#include "panelink/link/com_port.h"

namespace panelink {

LinkWatchdog::LinkWatchdog(CoreServices& core) : core_(core) {}

bool LinkWatchdog::check() {
    // Runs on the timer thread; every use of the device goes through the port's lock.
    const std::optional<platform::SerialStatus> status = core_.port.status();
    bool lost = false;
    if (core_.flags.answerPending.exchange(false)) {
        // A closed port has nothing waiting either.
        lost = !status || status->inputQueue == 0;
    } else {
        lost = (status && status->lineBad) || core_.port.lastOpenFailed();
    }
    if (lost) postTo(core_.threads.anlRecv, ThreadMessage::LinkLost);
    return lost;
}

}  // namespace panelink
