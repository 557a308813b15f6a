#pragma once

#include "panelink/core/core_services.h"
#include "shared/platform/message.h"

namespace panelink {

// File_MenuListDefFile: on id(ThreadMessage::BuildMenuTable) builds the menu item table, enables
// the link, has Sio_Send_Thread write the commands queued meanwhile, and ends its own thread.
class MenuDefinitionThread {
  public:
    explicit MenuDefinitionThread(CoreServices& core);
    MenuDefinitionThread(const MenuDefinitionThread&) = delete;
    MenuDefinitionThread& operator=(const MenuDefinitionThread&) = delete;

    void handle(const platform::Message& message);
    void build();

  private:
    CoreServices& core_;
};

}  // namespace panelink
