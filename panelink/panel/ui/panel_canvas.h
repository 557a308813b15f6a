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
    void forgetUnder(const QRect& rect);
    QPainter& painter();  // begun on the first operation that draws

    BitmapStore& bitmaps_;
    QRect area_;
    QImage image_;
    std::vector<Shown> shown_;
    std::optional<QPainter> painter_;
};

}  // namespace panelink
