#include "panelink/panel/ui/panel_view.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QWheelEvent>

#include <cmath>
#include <optional>

#include "panelink/panel/ui/panel_canvas.h"

namespace panelink {

namespace {

std::optional<MouseButton> panelButton(Qt::MouseButton button) {
    if (button == Qt::LeftButton) return MouseButton::Left;
    if (button == Qt::RightButton) return MouseButton::Right;
    return std::nullopt;
}

// The panel pixel under a position that may fall between pixels on a scaled screen.
PanelPoint panelPoint(const QPointF& position) {
    return {static_cast<int>(std::floor(position.x())), static_cast<int>(std::floor(position.y()))};
}

}  // namespace

PanelView::PanelView(const PanelCanvas& canvas, QWidget* parent)
    : QWidget(parent), canvas_(canvas) {
    setFixedSize(canvas.image().size());
    // Every pixel comes from the buffer: no background fill before a paint.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
}

void PanelView::refresh(const QRect& drawn) {
    if (drawn.isEmpty()) return;
    ownPending_ += drawn;
    update(drawn);
}

void PanelView::paintEvent(QPaintEvent* event) {
    const QRegion& region = event->region();
    // Qt may merge pending updates into their bounding rectangle.
    const bool ownDrawingOnly = (region - QRegion(ownPending_.boundingRect())).isEmpty();
    ownPending_ = QRegion();
    QPainter painter(this);
    const QImage& image = canvas_.image();
    for (const QRect& rect : region)
        painter.drawImage(rect.topLeft(), image, rect);
    painter.end();
    emit painted(region);
    if (!ownDrawingOnly) emit exposed();
}

void PanelView::press(QMouseEvent* event, bool secondOfDouble) {
    const std::optional<MouseButton> button = panelButton(event->button());
    if (!button) {
        QWidget::mousePressEvent(event);
        return;
    }
    event->accept();
    if (secondOfDouble) {
        emit doubleClicked(*button, panelPoint(event->position()));
    } else {
        emit pressed(*button, panelPoint(event->position()));
    }
}

void PanelView::mousePressEvent(QMouseEvent* event) {
    press(event, false);
}

void PanelView::mouseDoubleClickEvent(QMouseEvent* event) {
    press(event, true);
}

void PanelView::mouseReleaseEvent(QMouseEvent* event) {
    const std::optional<MouseButton> button = panelButton(event->button());
    if (!button) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    event->accept();
    emit released(*button, panelPoint(event->position()));
}

void PanelView::wheelEvent(QWheelEvent* event) {
    const int delta = event->angleDelta().y();
    if (delta == 0) {
        QWidget::wheelEvent(event);  // sideways only: not the panel's
        return;
    }
    event->accept();
    emit wheelTurned(panelPoint(event->position()), delta);
}

}  // namespace panelink
