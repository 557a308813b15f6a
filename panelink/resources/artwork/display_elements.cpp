// Elements of the display window: digits, letters, labels, boxes, bars and meter scales.
#include "panelink/resources/artwork/draw.h"
#include "panelink/resources/artwork/painters.h"

#include <QPainterPath>

#include <array>

namespace panelink::artwork {
namespace {

// A display element starts as the flat display background.
QImage displayCanvas(int width, int height, int scale) {
    QImage image = canvas(width, height, scale);
    image.fill(colour::kLcd);
    return image;
}

// Digit under the tuning cursor: the colours swap, lit segments dark on a lit block.
struct DigitColours {
    QColor background;
    QColor lit;
    QColor ghost;
};

DigitColours digitColours(bool highlighted) {
    if (highlighted) {
        return {colour::kLcdLit, colour::kLcd, mix(colour::kLcdLit, colour::kLcd, 0.18)};
    }
    return {colour::kLcd, colour::kLcdLit, colour::kLcdGhost};
}

QImage paintGlyphCell(int width, int height, const SegmentStyle& style, char glyph,
                      bool highlighted, int scale) {
    QImage image = displayCanvas(width, height, scale);
    QPainter p;
    beginPainting(p, image);
    const DigitColours c = digitColours(highlighted);
    if (highlighted) {
        p.setPen(Qt::NoPen);
        p.setBrush(c.background);
        p.drawRoundedRect(QRectF(1, 1, width - 2, height - 2), 3, 3);
    }
    drawSegments(p, style, segmentMask(glyph), c.lit, c.ghost);
    p.end();
    return flatten(image);
}

}  // namespace

QImage paintLargeDigit(int width, int height, char glyph, bool highlighted, int scale) {
    SegmentStyle style;
    style.box = QRectF(7, 4, width - 13, height - 8);
    style.thickness = 5.2;
    style.gap = 0.9;
    style.slant = 0.09;
    return paintGlyphCell(width, height, style, glyph, highlighted, scale);
}

QImage paintSmallGlyph(int width, int height, char glyph, bool highlighted, int scale) {
    SegmentStyle style;
    style.box = QRectF(4, 3, width - 8, height - 6);
    style.thickness = 2.9;
    style.gap = 0.55;
    style.slant = 0.09;
    style.starburst = true;
    return paintGlyphCell(width, height, style, glyph, highlighted, scale);
}

QImage paintPoint(int width, int height, bool lit, int scale) {
    QImage image = displayCanvas(width, height, scale);
    QPainter p;
    beginPainting(p, image);
    p.setPen(Qt::NoPen);
    p.setBrush(lit ? colour::kLcdLit : colour::kLcdGhost);
    // Sits on the digits' baseline, leaning like them.
    p.drawRoundedRect(QRectF(2.5, height - 7.5, 5, 5), 1.2, 1.2);
    p.end();
    return flatten(image);
}

QImage paintClarifierPoint(int width, int height, int scale) {
    QImage image = displayCanvas(width, height, scale);
    QPainter p;
    beginPainting(p, image);
    p.setPen(Qt::NoPen);
    p.setBrush(colour::kLcdLit);
    p.drawRoundedRect(QRectF(width / 2.0 - 2.5, height - 7, 3.5, 3.5), 0.8, 0.8);
    p.end();
    return flatten(image);
}

QImage paintLabel(int width, int height, const QString& text, bool lit, LabelStyle style,
                  int scale) {
    QImage image = displayCanvas(width, height, scale);
    QPainter p;
    beginPainting(p, image);
    const double fontSize = height >= 11 ? 9.0 : height >= 9 ? 7.5 : 8.0;
    const QFont font = sansFont(fontSize, true);
    const QRectF inner(1, 0, width - 2, height);
    const QColor litColour = style == LabelStyle::Alert ? colour::kLcdRed : colour::kLcdLit;
    if (style == LabelStyle::Text) {
        drawFittedText(p, inner, text, font, lit ? litColour : colour::kLcdGhost);
    } else if (lit) {
        p.setPen(Qt::NoPen);
        p.setBrush(litColour);
        p.drawRoundedRect(QRectF(0.5, 0.5, width - 1, height - 1), 1.5, 1.5);
        drawFittedText(p, inner.adjusted(1, 0, -1, 0), text, font, colour::kLcd);
    } else {
        // Boxes shorter than a label line have no room for an outline round their text.
        if (height >= 11) {
            p.setPen(QPen(colour::kLcdGhost, 1));
            p.setBrush(Qt::NoBrush);
            p.drawRoundedRect(QRectF(0.5, 0.5, width - 1, height - 1), 1.5, 1.5);
        }
        drawFittedText(p, inner.adjusted(1, 0, -1, 0), text, font, colour::kLcdGhost);
    }
    p.end();
    return flatten(image);
}

QImage paintSignLabel(int width, int height, char sign, bool lit, int scale) {
    QImage image = displayCanvas(width, height, scale);
    QPainter p;
    beginPainting(p, image);
    p.setPen(Qt::NoPen);
    p.setBrush(lit ? colour::kLcdLit : colour::kLcdGhost);
    const double cx = width / 2.0;
    const double cy = height / 2.0;
    p.drawRect(QRectF(cx - 4, cy - 1, 8, 2));
    if (sign == '+') p.drawRect(QRectF(cx - 1, cy - 4, 2, 8));
    p.end();
    return flatten(image);
}

QImage paintMarker(int width, int height, bool lit, int scale) {
    QImage image = displayCanvas(width, height, scale);
    QPainter p;
    beginPainting(p, image);
    p.setPen(Qt::NoPen);
    p.setBrush(lit ? colour::kLcdLit : colour::kLcdGhost);
    p.drawPolygon(
        QPolygonF({QPointF(0, 0.5), QPointF(width, height / 2.0), QPointF(0, height - 0.5)}));
    p.end();
    return flatten(image);
}

QImage paintBarSegment(int width, int height, bool lit, int scale) {
    QImage image = displayCanvas(width, height, scale);
    // A long rule (the SHIFT base line) is lit more softly than the short bar segments.
    const QColor on = width > 20 ? mix(colour::kLcd, colour::kLcdLit, 0.6) : colour::kLcdLit;
    image.fill(lit ? on : colour::kLcdGhost);
    return flatten(image);
}

namespace {

// Scale positions are given as meter segments; segment k covers x 17 + 5k .. 19 + 5k.
constexpr double kBarLeft = 17;
constexpr double kBarTop = 14;
double segmentCentre(int k) {
    return kBarLeft + 5 * k + 1.5;
}

struct ScaleMark {
    int segment;
    const char* text;
    bool red;
};

void drawScaleRow(QPainter& p, const std::initializer_list<ScaleMark>& marks, double textTop,
                  double textHeight, double fontSize, bool lit, bool ticks) {
    const QFont font = sansFont(fontSize, true);
    for (const ScaleMark& m : marks) {
        const QColor c = !lit ? colour::kLcdGhost : m.red ? colour::kLcdRed : colour::kLcdLit;
        const double x = segmentCentre(m.segment);
        const QString text = QString::fromUtf8(m.text);
        drawFittedText(p, QRectF(x - 12, textTop, 24, textHeight), text, font, c);
        if (ticks) {
            p.fillRect(QRectF(x - 0.5, kBarTop - 3, 1.5, 2.5), c);
        }
    }
}

}  // namespace

QImage paintMeterScale(int width, int height, int state, int scale) {
    // States: 0 power, 1 power of the low-power model, 2 ALC, 3 SWR, 4 S meter (receive).
    QImage image = displayCanvas(width, height, scale);
    QPainter p;
    beginPainting(p, image);
    const QColor ghost = colour::kLcdGhost;
    const QColor lit = colour::kLcdLit;

    // Legends down the left edge; the active one is lit.
    const QFont legendFont = sansFont(7.5, true);
    drawFittedText(p, QRectF(0, 3, 12, 7), QStringLiteral("S"), legendFont,
                   state == 4 ? lit : ghost, Qt::AlignLeft | Qt::AlignVCenter);
    drawFittedText(p, QRectF(0, 15, 12, 8), QStringLiteral("PO"), legendFont,
                   state == 0 || state == 1 ? lit : ghost, Qt::AlignLeft | Qt::AlignVCenter);
    drawFittedText(p, QRectF(0, 23, 15, 8), QStringLiteral("ALC"), legendFont,
                   state == 2 ? lit : ghost, Qt::AlignLeft | Qt::AlignVCenter);
    drawFittedText(p, QRectF(0, 31, 16, 7), QStringLiteral("SWR"), legendFont,
                   state == 3 ? lit : ghost, Qt::AlignLeft | Qt::AlignVCenter);

    // Top row: the S scale while receiving, the power scale in the power states.
    if (state == 0) {
        drawScaleRow(p,
                     {{0, "0", false},
                      {6, "10", false},
                      {13, "25", false},
                      {21, "50", false},
                      {29, "100", false}},
                     2, 7, 7.5, true, true);
    } else if (state == 1) {
        drawScaleRow(p,
                     {{0, "0", false},
                      {6, "1", false},
                      {13, "2.5", false},
                      {21, "5", false},
                      {29, "10", false}},
                     2, 7, 7.5, true, true);
    } else {
        drawScaleRow(p,
                     {{1, "1", false},
                      {4, "3", false},
                      {7, "5", false},
                      {10, "7", false},
                      {14, "9", false},
                      {19, "+20", true},
                      {24, "+40", true},
                      {29, "+60", true}},
                     2, 7, 7.5, state == 4, true);
    }
    const QColor topLine = state == 2 || state == 3 ? ghost : lit;
    p.fillRect(QRectF(kBarLeft, kBarTop - 1.5, 5 * 31 - 2, 1), mix(colour::kLcd, topLine, 0.55));

    // Bar background: every segment off, as drawn later by the bar itself.
    for (int k = 0; k < 31; ++k)
        p.fillRect(QRectF(kBarLeft + 5 * k, kBarTop, 3, 9), ghost);

    // ALC zone: a bracket over the lower half of the bar.
    const QColor alc = state == 2 ? lit : ghost;
    p.fillRect(QRectF(kBarLeft, 26, segmentCentre(14) - kBarLeft, 1.2), alc);
    p.fillRect(QRectF(kBarLeft, 24, 1.2, 3.2), alc);
    p.fillRect(QRectF(segmentCentre(14) - 0.6, 24, 1.2, 3.2), alc);

    // SWR row.
    drawScaleRow(p,
                 {{1, "1", false},
                  {8, "1.5", false},
                  {14, "2", false},
                  {21, "3", true},
                  {29, "\u221E", true}},
                 31, 7, 7.5, state == 3, false);
    p.end();
    return flatten(image);
}

QImage paintAntenna(int width, int height, bool lit, int scale) {
    QImage image = displayCanvas(width, height, scale);
    QPainter p;
    beginPainting(p, image);
    const QColor c = lit ? colour::kLcdLit : colour::kLcdGhost;
    p.setPen(QPen(c, 1.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    const double mast = 5.5;
    p.drawLine(QPointF(mast, 3), QPointF(mast, height - 1.5));
    p.drawPolyline(QPolygonF({QPointF(1.5, 1.5), QPointF(mast, 6), QPointF(9.5, 1.5)}));
    p.drawLine(QPointF(1.5, 1.5), QPointF(9.5, 1.5));
    drawFittedText(p, QRectF(11, 0, width - 11, height), QStringLiteral("ANT"), sansFont(8, true),
                   c);
    p.end();
    return flatten(image);
}

}  // namespace panelink::artwork
