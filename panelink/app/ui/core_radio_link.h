#pragma once

#include "panelink/panel/panel_ports.h"

namespace panelink {

class CoreContext;

// The panel's link in the program: requests to Anl_Send_Thread, queries straight onto the
// send queue and the port's state, all through the core context.
class CoreRadioLink final : public RadioLink {
  public:
    explicit CoreRadioLink(CoreContext& core) : core_(core) {}

    void postRequest(Request request, std::uintptr_t wparam, std::intptr_t lparam) override;
    void queueCommand(std::string_view text) override;
    bool portUsable() override;
    bool menuSettingsRead() override;

  private:
    CoreContext& core_;
};

}  // namespace panelink
