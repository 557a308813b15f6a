#include "panelink/resources/artwork/draw.h"

#include <QFontMetricsF>
#include <QPainterPath>

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace panelink::artwork {

QImage canvas(int width, int height) {
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

QImage canvas(int width, int height, int scale) {
    QImage image = canvas(width * scale, height * scale);
    image.setDevicePixelRatio(scale);
    return image;
}

void beginPainting(QPainter& painter, QImage& image) {
    painter.begin(&image);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
}

QColor mix(const QColor& a, const QColor& b, double t) {
    const auto lerp = [t](int x, int y) {
        return static_cast<int>(std::lround(x + (y - x) * std::clamp(t, 0.0, 1.0)));
    };
    return QColor(lerp(a.red(), b.red()), lerp(a.green(), b.green()), lerp(a.blue(), b.blue()));
}

QImage keyOut(const QImage& drawing, const QColor& matte) {
    const QImage src = drawing.convertToFormat(QImage::Format_ARGB32);
    QImage out(src.size(), QImage::Format_RGB888);
    out.setDevicePixelRatio(drawing.devicePixelRatio());
    // Below half coverage a pixel belongs to what lies under the bitmap.
    constexpr int kThreshold = 128;
    for (int y = 0; y < src.height(); ++y) {
        const auto* in = reinterpret_cast<const QRgb*>(src.constScanLine(y));
        for (int x = 0; x < src.width(); ++x) {
            const QRgb p = in[x];
            const int a = qAlpha(p);
            QColor c;
            if (a < kThreshold) {
                c = colour::kKey;
            } else if (!matte.isValid() || a == 255) {
                c = QColor(qRed(p), qGreen(p), qBlue(p));
            } else {
                c = mix(matte, QColor(qRed(p), qGreen(p), qBlue(p)), a / 255.0);
            }
            out.setPixelColor(x, y, c);
        }
    }
    return out;
}

QImage flatten(const QImage& drawing) {
    return drawing.convertToFormat(QImage::Format_RGB888);
}

QFont sansFont(double pixelSize, bool bold) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(static_cast<int>(std::lround(pixelSize)));
    font.setBold(bold);
    font.setHintingPreference(QFont::PreferFullHinting);
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}

void drawFittedText(QPainter& painter, const QRectF& rect, const QString& text, const QFont& font,
                    const QColor& colour, Qt::Alignment align) {
    // Too wide: first close up the letters a little, then squeeze what still does not fit.
    QFont fitted = font;
    double width = QFontMetricsF(fitted).horizontalAdvance(text);
    for (double spacing : {-0.5, -1.0}) {
        if (width <= rect.width() || text.size() < 2) break;
        fitted.setLetterSpacing(QFont::AbsoluteSpacing, spacing);
        width = QFontMetricsF(fitted).horizontalAdvance(text) - spacing;
    }
    const QFontMetricsF metrics(fitted);
    const bool capsOnly = text.toUpper() == text;
    // Height of what shows: capitals and figures reach the cap height; lower-case adds the
    // descenders, so use the full ascent and descent then.
    const double inkHeight = capsOnly ? metrics.capHeight() : metrics.ascent() + metrics.descent();
    const double scale = width > rect.width() ? rect.width() / width : 1.0;
    double x = rect.left();
    if (align & Qt::AlignHCenter) {
        x = rect.center().x() - width * scale / 2;
    } else if (align & Qt::AlignRight) {
        x = rect.right() - width * scale;
    }
    double baseline = rect.center().y() + inkHeight / 2;
    if (!capsOnly) baseline -= metrics.descent();
    if (align & Qt::AlignTop) baseline = rect.top() + (capsOnly ? inkHeight : metrics.ascent());
    if (align & Qt::AlignBottom) baseline = rect.bottom() - (capsOnly ? 0 : metrics.descent());
    baseline = std::round(baseline);

    painter.save();
    painter.setFont(fitted);
    painter.setPen(colour);
    if (scale < 1.0) {
        painter.translate(x, baseline);
        painter.scale(scale, 1.0);
        painter.drawText(QPointF(0, 0), text);
    } else {
        painter.drawText(QPointF(std::round(x), baseline), text);
    }
    painter.restore();
}

namespace {

QPolygonF horizontalSegment(double x1, double x2, double yc, double t, double gap) {
    const double h = t / 2;
    return QPolygonF({QPointF(x1 + gap, yc), QPointF(x1 + gap + h, yc - h),
                      QPointF(x2 - gap - h, yc - h), QPointF(x2 - gap, yc),
                      QPointF(x2 - gap - h, yc + h), QPointF(x1 + gap + h, yc + h)});
}

QPolygonF verticalSegment(double xc, double y1, double y2, double t, double gap) {
    const double h = t / 2;
    return QPolygonF({QPointF(xc, y1 + gap), QPointF(xc + h, y1 + gap + h),
                      QPointF(xc + h, y2 - gap - h), QPointF(xc, y2 - gap),
                      QPointF(xc - h, y2 - gap - h), QPointF(xc - h, y1 + gap + h)});
}

// A diagonal stroke filling the corner between two points, thickness across x.
QPolygonF diagonalSegment(QPointF from, QPointF to, double t) {
    const double dx = to.x() > from.x() ? t : -t;
    return QPolygonF({from, QPointF(from.x() + dx, from.y()), to, QPointF(to.x() - dx, to.y())});
}

}  // namespace

std::vector<QPolygonF> segmentShapes(const SegmentStyle& s) {
    const double t = s.thickness;
    const double g = s.gap;
    const double l = s.box.left() + t / 2;
    const double r = s.box.right() - t / 2;
    const double top = s.box.top() + t / 2;
    const double bottom = s.box.bottom() - t / 2;
    const double mid = (top + bottom) / 2;
    const double cx = (l + r) / 2;

    std::vector<QPolygonF> shapes(kSegmentCount);
    shapes[kSegA] = horizontalSegment(l, r, top, t, g);
    shapes[kSegD] = horizontalSegment(l, r, bottom, t, g);
    shapes[kSegB] = verticalSegment(r, top, mid, t, g);
    shapes[kSegC] = verticalSegment(r, mid, bottom, t, g);
    shapes[kSegE] = verticalSegment(l, mid, bottom, t, g);
    shapes[kSegF] = verticalSegment(l, top, mid, t, g);
    if (s.starburst) {
        shapes[kSegG1] = horizontalSegment(l, cx, mid, t, g);
        shapes[kSegG2] = horizontalSegment(cx, r, mid, t, g);
        shapes[kSegI] = verticalSegment(cx, top, mid, t, g);
        shapes[kSegL] = verticalSegment(cx, mid, bottom, t, g);
        const double in = t / 2 + g * 1.5;
        const double d = t * 0.8;
        shapes[kSegH] = diagonalSegment(QPointF(l + in, top + in), QPointF(cx - in, mid - in), d);
        shapes[kSegJ] = diagonalSegment(QPointF(r - in, top + in), QPointF(cx + in, mid - in), d);
        shapes[kSegK] =
            diagonalSegment(QPointF(l + in, bottom - in), QPointF(cx - in, mid + in), d);
        shapes[kSegM] =
            diagonalSegment(QPointF(r - in, bottom - in), QPointF(cx + in, mid + in), d);
    } else {
        shapes[kSegG1] = horizontalSegment(l, r, mid, t, g);
    }
    // Lean the glyph: shear about the vertical middle so it stays inside its cell.
    const double yMid = s.box.center().y();
    for (auto& shape : shapes) {
        for (auto& p : shape)
            p.setX(p.x() + (yMid - p.y()) * s.slant);
    }
    return shapes;
}

unsigned segmentMask(char glyph) {
    const auto bits = [](std::initializer_list<Segment> list) {
        unsigned m = 0;
        for (Segment s : list)
            m |= 1u << s;
        return m;
    };
    // G stands for the whole middle bar: G1 on seven-segment cells, G1 + G2 on starbursts.
    constexpr unsigned kMiddle = (1u << kSegG1) | (1u << kSegG2);
    switch (glyph) {
        case '0':
            return bits({kSegA, kSegB, kSegC, kSegD, kSegE, kSegF});
        case '1':
            return bits({kSegB, kSegC});
        case '2':
            return bits({kSegA, kSegB, kSegD, kSegE}) | kMiddle;
        case '3':
            return bits({kSegA, kSegB, kSegC, kSegD}) | kMiddle;
        case '4':
            return bits({kSegB, kSegC, kSegF}) | kMiddle;
        case '5':
            return bits({kSegA, kSegC, kSegD, kSegF}) | kMiddle;
        case '6':
            return bits({kSegA, kSegC, kSegD, kSegE, kSegF}) | kMiddle;
        case '7':
            return bits({kSegA, kSegB, kSegC});
        case '8':
            return bits({kSegA, kSegB, kSegC, kSegD, kSegE, kSegF}) | kMiddle;
        case '9':
            return bits({kSegA, kSegB, kSegC, kSegD, kSegF}) | kMiddle;
        case 'A':
            return bits({kSegA, kSegB, kSegC, kSegE, kSegF}) | kMiddle;
        case 'B':
            return bits({kSegA, kSegB, kSegC, kSegD, kSegG2, kSegI, kSegL});
        case 'H':
            return bits({kSegB, kSegC, kSegE, kSegF}) | kMiddle;
        case 'M':
            return bits({kSegB, kSegC, kSegE, kSegF, kSegH, kSegJ});
        case 'P':
            return bits({kSegA, kSegB, kSegE, kSegF}) | kMiddle;
        case 'Q':
            return bits({kSegA, kSegB, kSegC, kSegD, kSegE, kSegF, kSegM});
        case 'T':
            return bits({kSegA, kSegI, kSegL});
        case '+':
            return bits({kSegI, kSegL}) | kMiddle;
        case '-':
            return kMiddle;
        default:
            return 0;
    }
}

void drawSegments(QPainter& painter, const SegmentStyle& style, unsigned litMask, const QColor& lit,
                  const QColor& ghost) {
    const auto shapes = segmentShapes(style);
    painter.save();
    painter.setPen(Qt::NoPen);
    // Ghosts only for the segments of an "8": ghost diagonals would clutter a small cell.
    const unsigned ghostMask = segmentMask('8');
    for (int i = 0; i < kSegmentCount; ++i) {
        const bool on = litMask & (1u << i);
        if (shapes[i].isEmpty() || (!on && !(ghostMask & (1u << i)))) continue;
        painter.setBrush(on ? lit : ghost);
        painter.drawPolygon(shapes[i]);
    }
    painter.restore();
}

void drawKnurl(QPainter& painter, const QPointF& centre, double inner, double outer,
               double stepDegrees, const QColor& base, const QColor& ridge) {
    painter.save();
    painter.setPen(Qt::NoPen);
    painter.setBrush(base);
    painter.drawEllipse(centre, outer, outer);
    const double half = stepDegrees * 0.28 * std::numbers::pi / 180;
    for (double deg = 0; deg < 360; deg += stepDegrees) {
        const double a = deg * std::numbers::pi / 180;
        QPolygonF ridgeShape;
        for (double side : {-half, half}) {
            ridgeShape << QPointF(centre.x() + inner * std::sin(a + side),
                                  centre.y() - inner * std::cos(a + side));
        }
        for (double side : {half, -half}) {
            ridgeShape << QPointF(centre.x() + outer * std::sin(a + side),
                                  centre.y() - outer * std::cos(a + side));
        }
        // Ridges facing the light (upper left) are brighter.
        const double facing = (std::cos(a + std::numbers::pi / 4) + 1) / 2;
        painter.setBrush(mix(base, ridge, 0.45 + 0.55 * facing));
        painter.drawPolygon(ridgeShape);
    }
    painter.restore();
}

}  // namespace panelink::artwork
