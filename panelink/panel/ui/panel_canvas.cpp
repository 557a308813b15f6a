#include "panelink/panel/ui/panel_canvas.h"

#include <QColor>
#include <QPainter>
#include <QPen>

#include <algorithm>
#include <variant>

#include "panelink/panel/display_elements.h"
#include "panelink/panel/ui/bitmap_store.h"

namespace panelink {

PanelCanvas::PanelCanvas(BitmapStore& bitmaps)
    : PanelCanvas(bitmaps, kPanelPicture, kWidth, kHeight) {}

PanelCanvas::PanelCanvas(BitmapStore& bitmaps, int background, int width, int height)
    : bitmaps_(bitmaps), area_(0, 0, width, height) {
    const QImage& picture = bitmaps_.plain(background);
    if (picture.isNull()) {
        image_ = QImage(width, height, QImage::Format_RGB32);
        image_.fill(Qt::black);
    } else {
        image_ = picture.copy(area_).convertToFormat(QImage::Format_RGB32);
    }
}

bool PanelCanvas::alreadyShown(const Shown& shown) const {
    return std::any_of(shown_.begin(), shown_.end(), [&](const Shown& s) {
        return s.kind == shown.kind && s.bitmap == shown.bitmap && s.rect == shown.rect;
    });
}

void PanelCanvas::forgetUnder(const QRect& rect) {
    std::erase_if(shown_, [&](const Shown& s) { return s.rect.intersects(rect); });
}

QRect PanelCanvas::drawBlit(const BlitBitmap& op) {
    const QRect target = QRect(op.x, op.y, op.width, op.height) & area_;
    if (target.isEmpty()) return {};
    const Shown shown{0, op.bitmap, target};
    if (alreadyShown(shown)) return {};
    const QImage& bitmap = bitmaps_.keyed(op.bitmap);
    // The part of the bitmap that lands on the panel, taken from its origin.
    const QRect source =
        QRect(target.x() - op.x, target.y() - op.y, target.width(), target.height()) &
        bitmap.rect();
    forgetUnder(target);
    shown_.push_back(shown);
    if (source.isEmpty()) return {};
    QPainter& p = painter();
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    p.drawImage(QPoint(op.x + source.x(), op.y + source.y()), bitmap, source);
    return source.translated(op.x, op.y);
}

QRect PanelCanvas::drawCopy(const CopyBitmapRect& op) {
    const QRect target = QRect(op.x, op.y, op.width, op.height) & area_;
    if (target.isEmpty()) return {};
    const Shown shown{1, op.bitmap, target};
    if (alreadyShown(shown)) return {};
    const QRect source = target & bitmaps_.plain(op.bitmap).rect();
    forgetUnder(target);
    shown_.push_back(shown);
    if (source.isEmpty()) return {};
    QPainter& p = painter();
    p.setCompositionMode(QPainter::CompositionMode_Source);
    p.drawImage(source.topLeft(), bitmaps_.plain(op.bitmap), source);
    return source;
}

QRect PanelCanvas::drawLine(const DrawLine& op) {
    const int reach = std::max(op.penWidth, 1);
    const QRect bounds = (QRect(QPoint(std::min(op.x1, op.x2), std::min(op.y1, op.y2)),
                                QPoint(std::max(op.x1, op.x2), std::max(op.y1, op.y2)))
                              .adjusted(-reach, -reach, reach, reach)) &
                         area_;
    if (bounds.isEmpty()) return {};
    forgetUnder(bounds);
    QPainter& p = painter();
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    p.setPen(
        QPen(QColor::fromRgb(static_cast<QRgb>(op.rgb)), op.penWidth, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(op.x1, op.y1, op.x2, op.y2);
    return bounds;
}

QPainter& PanelCanvas::painter() {
    if (!painter_) painter_.emplace(&image_);
    return *painter_;
}

QRect PanelCanvas::run(const DrawList& ops) {
    QRect dirty;
    for (const DrawOp& op : ops) {
        const QRect drawn = std::visit(
            [this](const auto& o) -> QRect {
                using T = std::decay_t<decltype(o)>;
                if constexpr (std::is_same_v<T, BlitBitmap>)
                    return drawBlit(o);
                else if constexpr (std::is_same_v<T, CopyBitmapRect>)
                    return drawCopy(o);
                else
                    return drawLine(o);
            },
            op);
        dirty |= drawn;
    }
    painter_.reset();  // ends the painting so the image can be read
    return dirty;
}

}  // namespace panelink
