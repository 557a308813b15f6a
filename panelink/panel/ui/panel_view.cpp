#include "panelink/panel/ui/panel_view.h"

#include <QPaintEvent>
#include <QPainter>

#include "panelink/panel/ui/panel_canvas.h"

namespace panelink {

PanelView::PanelView(const PanelCanvas& canvas, QWidget* parent)
    : QWidget(parent), canvas_(canvas) {
    setFixedSize(PanelCanvas::kWidth, PanelCanvas::kHeight);
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

}  // namespace panelink
