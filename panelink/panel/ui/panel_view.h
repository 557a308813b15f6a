#pragma once

#include <QRegion>
#include <QWidget>

namespace panelink {

class PanelCanvas;

// The client area of the main window: shows the back buffer at one logical pixel per panel
// pixel, whatever the screen's device pixel ratio.
class PanelView final : public QWidget {
    Q_OBJECT

  public:
    explicit PanelView(const PanelCanvas& canvas, QWidget* parent = nullptr);

    // Schedules a repaint of a part of the buffer that the window has just drawn.
    void refresh(const QRect& drawn);

  signals:
    // The view was painted for another reason than the window's own drawing: it was shown,
    // uncovered or restored.
    void exposed();
    // A paint has put this part of the buffer on the screen.
    void painted(const QRegion& region);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    const PanelCanvas& canvas_;
    QRegion ownPending_;  // asked for by refresh() and not painted yet
};

}  // namespace panelink
