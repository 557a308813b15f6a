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
    : bitmaps_(bitmaps), background_(background), area_(0, 0, width, height) {
    image_ = backgroundAt(1);
}

QImage PanelCanvas::backgroundAt(int scale) {
    const QImage& picture = bitmaps_.plain(background_, scale);
    QImage image;
    if (picture.isNull()) {
        image = QImage(area_.size() * scale, QImage::Format_RGB32);
        image.fill(Qt::black);
    } else {
        image = picture.copy(QRect(area_.topLeft() * scale, area_.size() * scale))
                    .convertToFormat(QImage::Format_RGB32);
    }
    image.setDevicePixelRatio(scale);
    return image;
}

// One flag per panel pixel: something other than the background picture shows there.
std::vector<bool> PanelCanvas::drawnOverBackground() {
    const QImage background = backgroundAt(scale_);
    std::vector<bool> drawn(static_cast<std::size_t>(area_.width() * area_.height()), false);
    for (int y = 0; y < image_.height(); ++y) {
        const auto* now = reinterpret_cast<const QRgb*>(image_.constScanLine(y));
        const auto* plain = reinterpret_cast<const QRgb*>(background.constScanLine(y));
        for (int x = 0; x < image_.width(); ++x) {
            if (now[x] != plain[x])
                drawn[static_cast<std::size_t>((y / scale_) * area_.width() + x / scale_)] = true;
        }
    }
    return drawn;
}

void PanelCanvas::setScale(int scale) {
    scale = scale > 1 ? 2 : 1;
    if (scale == scale_) return;
    painter_.reset();
    const std::vector<bool> drawn = drawnOverBackground();
    const QImage resampled =
        image_.scaled(area_.size() * scale, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
            .convertToFormat(QImage::Format_RGB32);
    scale_ = scale;
    image_ = backgroundAt(scale);
    for (int y = 0; y < image_.height(); ++y) {
        auto* out = reinterpret_cast<QRgb*>(image_.scanLine(y));
        const auto* in = reinterpret_cast<const QRgb*>(resampled.constScanLine(y));
        for (int x = 0; x < image_.width(); ++x) {
            if (drawn[static_cast<std::size_t>((y / scale) * area_.width() + x / scale)])
                out[x] = in[x];
        }
    }
    // Nothing in the buffer is the bitmaps' own drawing any more.
    shown_.clear();
}

QRect PanelCanvas::inImage(const QRect& panelRect) const {
    return QRect(panelRect.topLeft() * scale_, panelRect.size() * scale_);
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
    const QImage& bitmap = bitmaps_.keyed(op.bitmap, scale_);
    // The part of the bitmap that lands on the panel, taken from its origin.
    const QRect source =
        QRect(target.x() - op.x, target.y() - op.y, target.width(), target.height()) &
        QRect(QPoint(0, 0), bitmap.deviceIndependentSize().toSize());
    forgetUnder(target);
    shown_.push_back(shown);
    if (source.isEmpty()) return {};
    QPainter& p = painter();
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    const QRect drawn = source.translated(op.x, op.y);
    p.drawImage(drawn, bitmap, inImage(source));
    return drawn;
}

QRect PanelCanvas::drawCopy(const CopyBitmapRect& op) {
    const QRect target = QRect(op.x, op.y, op.width, op.height) & area_;
    if (target.isEmpty()) return {};
    const Shown shown{1, op.bitmap, target};
    if (alreadyShown(shown)) return {};
    const QImage& bitmap = bitmaps_.plain(op.bitmap, scale_);
    const QRect source = target & QRect(QPoint(0, 0), bitmap.deviceIndependentSize().toSize());
    forgetUnder(target);
    shown_.push_back(shown);
    if (source.isEmpty()) return {};
    QPainter& p = painter();
    p.setCompositionMode(QPainter::CompositionMode_Source);
    p.drawImage(source, bitmap, inImage(source));
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
