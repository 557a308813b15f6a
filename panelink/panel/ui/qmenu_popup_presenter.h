#pragma once

#include <functional>
#include <span>
#include <utility>

#include "panelink/panel/panel_ports.h"

class QMenu;
class QWidget;

namespace panelink {

// The panel's pop-up menus as QMenus: one checkable item per entry, shown at a position
// relative to the main window's outer frame, waiting for the user's choice.
class QMenuPopupPresenter final : public PopupPresenter {
  public:
    // Runs with the filled menu just before it is shown, so a test can act on it once it is up.
    using BeforeShow = std::function<void(QMenu& menu)>;

    explicit QMenuPopupPresenter(QWidget& window) : window_(window) {}

    int choose(PanelPoint position, std::span<const PopupEntry> entries) override;

    void setBeforeShow(BeforeShow hook) { beforeShow_ = std::move(hook); }

  private:
    QWidget& window_;
    BeforeShow beforeShow_;
};

}  // namespace panelink
