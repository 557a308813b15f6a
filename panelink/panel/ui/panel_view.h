#pragma once

#include <QRegion>
#include <QWidget>

#include "panelink/panel/panel_ports.h"

namespace panelink {

class PanelCanvas;

// The client area of the main window (or of a picture window): shows the back buffer at
// `zoom` logical pixels per picture pixel (1 unless set) and hands the mouse on in picture
// pixels. Zooming happens here and nowhere else: positions are divided by the zoom before
// anything behind the view sees them, and the buffer is drawn scaled, so hit tests, dial angles
// and drawing positions are the same at every zoom.
class PanelView final : public QWidget {
    Q_OBJECT

  public:
    explicit PanelView(const PanelCanvas& canvas, QWidget* parent = nullptr);

    // Schedules a repaint of a part of the buffer that the window has just drawn.
    void refresh(const QRect& drawn);

    // Logical pixels per picture pixel; the view takes the size of the picture times the zoom.
    void setZoom(double zoom);
    double zoom() const { return zoom_; }

    // The picture pixel under a position in the view's logical pixels.
    PanelPoint panelPointAt(const QPointF& position) const;
    // Where a picture point lies in the view's logical pixels.
    QPoint viewPointOf(PanelPoint at) const;

  signals:
    // The view was painted for another reason than the window's own drawing: it was shown,
    // uncovered or restored.
    void exposed();
    // A paint has put this part of the buffer on the screen.
    void painted(const QRegion& region);
    // Left or right button, in panel pixels.
    void pressed(panelink::MouseButton button, panelink::PanelPoint at);
    // The second press of a double click, instead of pressed().
    void doubleClicked(panelink::MouseButton button, panelink::PanelPoint at);
    void released(panelink::MouseButton button, panelink::PanelPoint at);
    // One wheel event that turns vertically; delta > 0 turns up.
    void wheelTurned(panelink::PanelPoint at, int delta);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

  private:
    void press(QMouseEvent* event, bool secondOfDouble);
    QRect toView(const QRect& pictureRect) const;
    QRect toPicture(const QRect& viewRect) const;

    const PanelCanvas& canvas_;
    double zoom_ = 1.0;
    QRegion ownPending_;  // asked for by refresh() and not painted yet
};

}  // namespace panelink
