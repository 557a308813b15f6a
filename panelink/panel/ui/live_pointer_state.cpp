#include "panelink/panel/ui/live_pointer_state.h"

#include <QCursor>
#include <QGuiApplication>

#include "panelink/panel/ui/panel_view.h"

namespace panelink {

bool LivePointerState::isButtonDown(MouseButton button) const {
    const Qt::MouseButton held = button == MouseButton::Left ? Qt::LeftButton : Qt::RightButton;
    return QGuiApplication::mouseButtons().testFlag(held);
}

PanelPoint LivePointerState::cursor() const {
    return view_.panelPointAt(view_.mapFromGlobal(QPointF(QCursor::pos())));
}

}  // namespace panelink
