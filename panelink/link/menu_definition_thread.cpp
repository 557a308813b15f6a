#include "panelink/link/menu_definition_thread.h"

#include "panelink/cat/menu_setup.h"
#include "panelink/core/messages.h"
#include "panelink/link/sio_send_thread.h"

namespace panelink {

MenuDefinitionThread::MenuDefinitionThread(CoreServices& core) : core_(core) {}

void MenuDefinitionThread::handle(const platform::Message& message) {
    if (is(message, ThreadMessage::BuildMenuTable)) build();
}

void MenuDefinitionThread::build() {
    buildMenuItemTable(core_.menu, core_.radio);
    // The end step runs here: the end message itself stops the thread's loop unhandled.
    endMenuItemBuild(core_.radio);
    // Commands queued before the link was enabled (the start-up "PS;") go out now rather than
    // one wake late, and the receiver starts watching the port now rather than at its next
    // line check.
    postTo(core_.threads.sioSend, ThreadMessage::WriteCommand, kReplayDeferredWrites);
    postTo(core_.threads.sioRecv, ThreadMessage::PollPort);
    postTo(core_.threads.menuDef, ThreadMessage::EndThread);
}

}  // namespace panelink
