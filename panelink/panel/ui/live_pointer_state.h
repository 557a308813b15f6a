#pragma once

#include "panelink/panel/panel_ports.h"

namespace panelink {

class PanelView;

// The pointer as the system has it now: the buttons held and the cursor in the panel view's
// pixels. Read live, so a release that went to another window still releases a held key.
class LivePointerState final : public PointerState {
  public:
    explicit LivePointerState(const PanelView& view) : view_(view) {}

    bool isButtonDown(MouseButton button) const override;
    PanelPoint cursor() const override;

  private:
    const PanelView& view_;
};

}  // namespace panelink
