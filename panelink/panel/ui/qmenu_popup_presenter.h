#pragma once

#include <functional>
#include <span>
#include <utility>

#include "panelink/panel/panel_ports.h"

class QMenu;
class QWidget;

namespace panelink {

class PanelView;

// The panel's pop-up menus as QMenus: one checkable item per entry, shown at a position
// relative to the main window's outer frame, waiting for the user's choice. The position is
// in panel pixels; with a view given, it is zoomed as the view shows the panel.
class QMenuPopupPresenter final : public PopupPresenter {
  public:
    // Runs with the filled menu just before it is shown, so a test can act on it once it is up.
    using BeforeShow = std::function<void(QMenu& menu)>;

    explicit QMenuPopupPresenter(QWidget& window, const PanelView* view = nullptr)
        : window_(window), view_(view) {}

    int choose(PanelPoint position, std::span<const PopupEntry> entries) override;

    void setBeforeShow(BeforeShow hook) { beforeShow_ = std::move(hook); }

  private:
    QWidget& window_;
    const PanelView* view_;
    BeforeShow beforeShow_;
};

}  // namespace panelink
