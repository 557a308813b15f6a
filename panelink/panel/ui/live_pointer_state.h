#pragma once

#include "panelink/panel/panel_ports.h"

class QWidget;

namespace panelink {

// The pointer as the system has it now: the buttons held and the cursor in the panel view's
// pixels. Read live, so a release that went to another window still releases a held key.
class LivePointerState final : public PointerState {
  public:
    explicit LivePointerState(const QWidget& view) : view_(view) {}

    bool isButtonDown(MouseButton button) const override;
    PanelPoint cursor() const override;

  private:
    const QWidget& view_;
};

}  // namespace panelink
