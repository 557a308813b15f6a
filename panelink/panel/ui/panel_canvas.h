#pragma once

#include <QImage>
#include <QPainter>
#include <QRect>

#include <optional>
#include <vector>

#include "panelink/panel/draw_op.h"

namespace panelink {

class BitmapStore;

// The window's back buffer: the 843 x 320 panel picture that the draw operations are run into
// and that the window paints (or, for a window of its own, another picture of its own size).
// User interface thread only.
//
// Blits and copies are idempotent, so one that repeats the last drawing at exactly the same
// place, with nothing drawn over that place since, is skipped: the frequency and blink timers
// redraw the same elements many times a second, and only a change costs a repaint.
//
// Everything is placed in panel pixels. At scale 2 the buffer holds two image pixels per panel
// pixel (device pixel ratio 2) and is drawn from the bitmaps drawn at that scale, so a window
// shown twice as large stays sharp.
class PanelCanvas {
  public:
    static constexpr int kWidth = 843;
    static constexpr int kHeight = 320;

    // Starts as the plain panel picture (a black panel when it cannot be loaded).
    explicit PanelCanvas(BitmapStore& bitmaps);
    // Starts as the picture `background`, width x height pixels (black when it cannot be
    // loaded).
    PanelCanvas(BitmapStore& bitmaps, int background, int width, int height);

    // Runs the operations in order and returns the bounding rectangle of everything that was
    // drawn (empty when every operation was skipped).
    QRect run(const DrawList& ops);

    const QImage& image() const { return image_; }
    // The picture's size in panel pixels, whatever the scale.
    QSize size() const { return area_.size(); }
    int scale() const { return scale_; }

    // Redraws the buffer at another scale (1 or 2): what still shows the background picture
    // shows it at the new scale; everything drawn over it is resampled until the window draws
    // it again.
    void setScale(int scale);

  private:
    struct Shown {
        int kind;  // index of the operation in DrawOp
        int bitmap;
        QRect rect;
    };

    QRect drawBlit(const BlitBitmap& op);
    QRect drawCopy(const CopyBitmapRect& op);
    QRect drawLine(const DrawLine& op);
    bool alreadyShown(const Shown& shown) const;
    QRect inImage(const QRect& panelRect) const;
    QImage backgroundAt(int scale);
    std::vector<bool> drawnOverBackground();
    void forgetUnder(const QRect& rect);
    QPainter& painter();  // begun on the first operation that draws

    BitmapStore& bitmaps_;
    int background_;
    QRect area_;
    int scale_ = 1;
    QImage image_;
    std::vector<Shown> shown_;
    std::optional<QPainter> painter_;
};

}  // namespace panelink
