#include "panelink/app/ui/core_radio_link.h"

#include "panelink/app/core_context.h"
#include "panelink/core/link_flags.h"
#include "panelink/link/com_port.h"

namespace panelink {

// The panel posts and queues without looking at the result: once the threads have ended at
// shut-down there is nobody left to tell.
void CoreRadioLink::postRequest(Request request, std::uintptr_t wparam, std::intptr_t lparam) {
    core_.postRequest(request, wparam, lparam);
}

void CoreRadioLink::queueCommand(std::string_view text) {
    core_.queueRawCommand(text);
}

bool CoreRadioLink::portUsable() {
    return core_.port().portUsable();
}

bool CoreRadioLink::menuSettingsRead() {
    return core_.flags().menuSettingsRead.load();
}

}  // namespace panelink
