#include "panelink/link/menu_definition_thread.h"

#include "panelink/cat/menu_setup.h"
#include "panelink/core/link_ids.h"
#include "panelink/link/sio_send_thread.h"

namespace panelink {

MenuDefinitionThread::MenuDefinitionThread(CoreServices& core) : core_(core) {}

void MenuDefinitionThread::handle(const platform::Message& message) {
    if (message.id == kMsgBuildMenuTable) build();
}

void MenuDefinitionThread::build() {
    buildMenuItemTable(core_.menu, core_.radio);
    // The end step runs here: the end message itself stops the thread's loop unhandled.
    endMenuItemBuild(core_.radio);
    // Commands queued before the link was enabled (the start-up "PS;") go out now rather than
    // one wake late, and the receiver starts watching the port now rather than at its next
    // line check.
    postTo(core_.threads.sioSend, kMsgWriteCommand, kReplayDeferredWrites);
    postTo(core_.threads.sioRecv, kMsgPollPort);
    postTo(core_.threads.menuDef, kMsgEndThread);
}

}  // namespace panelink
