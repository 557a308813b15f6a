#include "panelink/panel/ui/live_pointer_state.h"

#include <QCursor>
#include <QGuiApplication>
#include <QWidget>

namespace panelink {

bool LivePointerState::isButtonDown(MouseButton button) const {
    const Qt::MouseButton held = button == MouseButton::Left ? Qt::LeftButton : Qt::RightButton;
    return QGuiApplication::mouseButtons().testFlag(held);
}

PanelPoint LivePointerState::cursor() const {
    // The view shows one panel pixel per logical pixel.
    const QPoint at = view_.mapFromGlobal(QCursor::pos());
    return {at.x(), at.y()};
}

}  // namespace panelink
