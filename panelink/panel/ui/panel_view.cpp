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

// The picture rectangle `rect` of the buffer, in the buffer image's own pixels.
QRect inImage(const QRect& rect, int scale) {
    return QRect(rect.topLeft() * scale, rect.size() * scale);
}

}  // namespace

PanelView::PanelView(const PanelCanvas& canvas, QWidget* parent)
    : QWidget(parent), canvas_(canvas) {
    setFixedSize(canvas.size());
    // Every pixel comes from the buffer: no background fill before a paint.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
}

void PanelView::setZoom(double zoom) {
    if (zoom <= 0 || zoom == zoom_) return;
    zoom_ = zoom;
    setFixedSize(toView(QRect(QPoint(0, 0), canvas_.size())).size());
    update();
}

// A point that falls between picture pixels belongs to the pixel it lies in.
PanelPoint PanelView::panelPointAt(const QPointF& position) const {
    return {static_cast<int>(std::floor(position.x() / zoom_)),
            static_cast<int>(std::floor(position.y() / zoom_))};
}

QPoint PanelView::viewPointOf(PanelPoint at) const {
    return QPointF(at.x * zoom_, at.y * zoom_).toPoint();
}

QRect PanelView::toView(const QRect& pictureRect) const {
    if (zoom_ == 1.0) return pictureRect;
    return QRectF(pictureRect.x() * zoom_, pictureRect.y() * zoom_, pictureRect.width() * zoom_,
                  pictureRect.height() * zoom_)
        .toAlignedRect();
}

// Every picture pixel that shows in a rectangle of the view.
QRect PanelView::toPicture(const QRect& viewRect) const {
    if (zoom_ == 1.0) return viewRect;
    const QRectF r(viewRect);
    return QRectF(r.x() / zoom_, r.y() / zoom_, r.width() / zoom_, r.height() / zoom_)
               .toAlignedRect() &
           QRect(QPoint(0, 0), canvas_.size());
}

void PanelView::refresh(const QRect& drawn) {
    if (drawn.isEmpty()) return;
    const QRect inView = toView(drawn);
    ownPending_ += inView;
    update(inView);
}

void PanelView::paintEvent(QPaintEvent* event) {
    const QRegion& region = event->region();
    // Qt may merge pending updates into their bounding rectangle.
    const bool ownDrawingOnly = (region - QRegion(ownPending_.boundingRect())).isEmpty();
    ownPending_ = QRegion();
    QPainter painter(this);
    const QImage& image = canvas_.image();
    const int scale = canvas_.scale();
    // Resampled only where the buffer's pixels do not meet the screen's one to one.
    painter.setRenderHint(QPainter::SmoothPixmapTransform,
                          zoom_ * devicePixelRatioF() != static_cast<double>(scale));
    QRegion pictureRegion;
    for (const QRect& rect : region) {
        const QRect picture = toPicture(rect);
        painter.drawImage(toView(picture), image, inImage(picture, scale));
        pictureRegion += picture;
    }
    painter.end();
    emit painted(pictureRegion);
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
        emit doubleClicked(*button, panelPointAt(event->position()));
    } else {
        emit pressed(*button, panelPointAt(event->position()));
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
    emit released(*button, panelPointAt(event->position()));
}

void PanelView::wheelEvent(QWheelEvent* event) {
    const int delta = event->angleDelta().y();
    if (delta == 0) {
        QWidget::wheelEvent(event);  // sideways only: not the panel's
        return;
    }
    event->accept();
    emit wheelTurned(panelPointAt(event->position()), delta);
}

}  // namespace panelink
