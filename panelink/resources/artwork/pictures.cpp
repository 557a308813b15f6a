// Whole pictures: the panel and DSP window backgrounds, the splash, the MIC EQ pictures and
// the icon.
#include "panelink/resources/artwork/draw.h"
#include "panelink/resources/artwork/painters.h"

#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

#ifndef PANELINK_VERSION
#define PANELINK_VERSION ""
#endif

namespace panelink::artwork {
namespace {

double radians(double degrees) {
    return degrees * std::numbers::pi / 180;
}

QPointF onCircle(const QPointF& c, double r, double degrees) {
    return QPointF(c.x() + r * std::sin(radians(degrees)), c.y() - r * std::cos(radians(degrees)));
}

void drawScrew(QPainter& p, const QPointF& c) {
    QLinearGradient g(c + QPointF(-3, -3), c + QPointF(3, 3));
    g.setColorAt(0, QColor(120, 124, 132));
    g.setColorAt(1, QColor(40, 42, 46));
    p.setPen(QPen(QColor(18, 19, 21), 0.8));
    p.setBrush(g);
    p.drawEllipse(c, 3.4, 3.4);
    p.setPen(QPen(QColor(22, 23, 26), 1));
    p.drawLine(c + QPointF(-2.2, 1.2), c + QPointF(2.2, -1.2));
}

// A recessed frame: dark on the top and left, lit on the bottom edge.
void drawRecess(QPainter& p, const QRectF& r, double radius, const QColor& fill) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 34));
    p.drawRoundedRect(r.adjusted(0, 0, 0, 1), radius, radius);
    p.setBrush(QColor(8, 9, 10));
    p.drawRoundedRect(r, radius, radius);
    p.setBrush(fill);
    p.drawRoundedRect(r.adjusted(1, 1.5, -1, -1), radius - 1, radius - 1);
}

void drawTicks(QPainter& p, const QPointF& c, double r1, double r2,
               std::initializer_list<double> angles, const QColor& colour) {
    p.setPen(QPen(colour, 1.4, Qt::SolidLine, Qt::RoundCap));
    for (double a : angles)
        p.drawLine(onCircle(c, r1, a), onCircle(c, r2, a));
}

// Evenly spaced ticks over a sweep, clockwise from the first angle.
void drawSweepTicks(QPainter& p, const QPointF& c, double r1, double r2, double from, double sweep,
                    int count, const QColor& colour) {
    p.setPen(QPen(colour, 1.2, Qt::SolidLine, Qt::RoundCap));
    for (int i = 0; i < count; ++i) {
        const double a = from + sweep * i / (count - 1);
        const bool major = i == 0 || i == count - 1 || i == (count - 1) / 2;
        p.drawLine(onCircle(c, major ? r1 - 1.5 : r1, a), onCircle(c, r2, a));
    }
}

void drawPanelGradient(QPainter& p, int width, int height) {
    QLinearGradient g(0, 0, 0, height);
    g.setColorAt(0, colour::kPanelTop);
    g.setColorAt(1, colour::kPanelBottom);
    p.fillRect(QRectF(0, 0, width, height), g);
    p.fillRect(QRectF(0, 0, width, 1), QColor(104, 108, 116));
    p.fillRect(QRectF(0, 0, 1, height), QColor(78, 82, 88));
    p.fillRect(QRectF(0, height - 1, width, 1), QColor(14, 15, 17));
    p.fillRect(QRectF(width - 1, 0, 1, height), QColor(20, 21, 24));
}

// A caption printed on the panel, or lit behind the panel when selected.
// Kept inside its rectangle: the program copies exactly that rectangle to light it.
void drawCaption(QPainter& p, const QRectF& rect, const QString& text, bool lit) {
    p.save();
    p.setClipRect(rect);
    // Baseline one row above the bottom, so that tails (the Q of SQL) stay inside.
    drawFittedText(p, rect.adjusted(0, 0, 0, -1), text, sansFont(8, true),
                   lit ? colour::kCaptionLit : QColor(172, 176, 184),
                   Qt::AlignHCenter | Qt::AlignBottom);
    p.restore();
}

}  // namespace

void paintPanelBackground(QPainter& p, bool captionsLit) {
    constexpr int kWidth = 843;
    constexpr int kHeight = 320;
    drawPanelGradient(p, kWidth, kHeight);
    for (QPointF c : {QPointF(9, 9), QPointF(834, 9), QPointF(9, 311), QPointF(834, 311)}) {
        drawScrew(p, c);
    }

    // Name plate.
    p.setPen(Qt::NoPen);
    p.setBrush(colour::kLedOn);
    p.drawRoundedRect(QRectF(32, 12, 4, 14), 1.5, 1.5);
    drawFittedText(p, QRectF(41, 8, 120, 22), QStringLiteral("Panelink"), sansFont(17, true),
                   QColor(236, 238, 242), Qt::AlignLeft | Qt::AlignVCenter);
    drawFittedText(p, QRectF(420, 12, 285, 14), QStringLiteral("HF / 50 MHz  ALL MODE TRANSCEIVER"),
                   sansFont(8.5, true), QColor(150, 155, 163), Qt::AlignRight | Qt::AlignVCenter);

    // Display window.
    drawRecess(p, QRectF(26, 34, 685, 127), 6, QColor(10, 11, 13));
    const QRectF lcd(kDisplayLeft, kDisplayTop, kDisplayRight - kDisplayLeft,
                     kDisplayBottom - kDisplayTop);
    p.setBrush(colour::kLcd);
    p.drawRect(lcd);
    QLinearGradient shadow(lcd.topLeft(), lcd.topLeft() + QPointF(0, 5));
    shadow.setColorAt(0, QColor(0, 0, 0, 140));
    shadow.setColorAt(1, QColor(0, 0, 0, 0));
    p.fillRect(QRectF(lcd.left(), lcd.top(), lcd.width(), 5), shadow);

    // Legends printed on the display glass.
    const QFont legend = sansFont(7.5, true);
    drawFittedText(p, QRectF(505, 49, 29, 9), QStringLiteral("ATT"), legend, colour::kLcdLegend);
    drawFittedText(p, QRectF(545, 49, 29, 9), QStringLiteral("IPO"), legend, colour::kLcdLegend);
    drawFittedText(p, QRectF(621, 49, 29, 9), QStringLiteral("NB"), legend, colour::kLcdLegend);
    drawFittedText(p, QRectF(665, 47, 27, 11), QStringLiteral("AGC"), legend, colour::kLcdLegend);
    const QFont dspLegend = sansFont(7, true);
    const auto left = Qt::AlignLeft | Qt::AlignVCenter;
    drawFittedText(p, QRectF(52, 91, 37, 11), QStringLiteral("CONTOUR"), dspLegend,
                   colour::kLcdLegend, left);
    drawFittedText(p, QRectF(52, 105, 37, 11), QStringLiteral("NOTCH"), dspLegend,
                   colour::kLcdLegend, left);
    drawFittedText(p, QRectF(52, 119, 37, 8), QStringLiteral("DNR"), dspLegend, colour::kLcdLegend,
                   left);
    drawFittedText(p, QRectF(52, 130, 37, 8), QStringLiteral("WIDTH"), dspLegend,
                   colour::kLcdLegend, left);
    // Thin rules framing the groups of the display.
    const QColor rule = mix(colour::kLcd, colour::kLcdLegend, 0.28);
    p.fillRect(QRectF(228, 47, 1, 41), rule);
    p.fillRect(QRectF(503, 47, 1, 41), rule);
    p.fillRect(QRectF(40, 89, 180, 1), rule);
    p.fillRect(QRectF(540, 112, 1, 36), rule);

    // Plate behind the two-function keys.
    drawRecess(p, QRectF(721, 24, 103, 137), 6, QColor(40, 42, 47));

    // Knob captions; the lit picture shows them as when a knob is selected.
    drawCaption(p, QRectF(37, 229, 61, 7), QStringLiteral("SHIFT"), captionsLit);
    drawCaption(p, QRectF(772, 229, 41, 7), QStringLiteral("AF GAIN"), captionsLit);
    drawCaption(p, QRectF(653, 229, 71, 7), QStringLiteral("SQL/RF GAIN"), captionsLit);
    drawCaption(p, QRectF(144, 229, 56, 7), QStringLiteral("DSP/SEL"), false);

    // Scales round the knobs: gain and shift knobs sweep from 207 degrees to 150.
    const QColor tick(150, 155, 163);
    for (QPointF c : {QPointF(68, 276), QPointF(688, 276), QPointF(792, 276)}) {
        drawSweepTicks(p, c, 31, 34, 207, 303, 11, tick);
    }
    p.setPen(Qt::NoPen);
    p.setBrush(tick);
    for (int i = 0; i < 24; ++i)
        p.drawEllipse(onCircle(QPointF(172, 276), 32, i * 15), 0.9, 0.9);

    // Well round the main dial.
    const QPointF dial(517.5, 239.5);
    QLinearGradient well(dial + QPointF(-74, -74), dial + QPointF(74, 74));
    well.setColorAt(0, QColor(14, 15, 17));
    well.setColorAt(1, QColor(96, 100, 108));
    p.setBrush(well);
    p.drawEllipse(dial, 74, 74);
    p.setBrush(QColor(18, 19, 21));
    p.drawEllipse(dial, 72.5, 72.5);
}

void paintDspBackground(QPainter& p, DspWindow window, int width, int height, bool fieldsLit) {
    drawPanelGradient(p, width, height);
    const QString title = window == DspWindow::Contour ? QStringLiteral("CONTOUR")
                          : window == DspWindow::Notch ? QStringLiteral("NOTCH")
                                                       : QStringLiteral("DNR");
    drawFittedText(p, QRectF(12, 8, 110, 16), title, sansFont(11, true), QColor(236, 238, 242),
                   Qt::AlignLeft | Qt::AlignVCenter);

    // Value fields: a caption, lit when its value is being adjusted. Both forms stay inside
    // the rectangle that the window copies.
    const auto field = [&](const QRectF& rect, const QString& text) {
        p.save();
        p.setClipRect(rect);
        if (fieldsLit) {
            p.setPen(Qt::NoPen);
            p.setBrush(colour::kCaptionLit);
            p.drawRoundedRect(rect, 1.5, 1.5);
            drawFittedText(p, rect.adjusted(1, 0, -1, -1), text, sansFont(8, true),
                           QColor(30, 24, 16), Qt::AlignHCenter | Qt::AlignBottom);
        } else {
            drawFittedText(p, rect.adjusted(1, 0, -1, -1), text, sansFont(8, true),
                           QColor(150, 155, 163), Qt::AlignHCenter | Qt::AlignBottom);
        }
        p.restore();
    };
    const QColor tick(150, 155, 163);
    const QPointF knob1(166, 67);
    switch (window) {
        case DspWindow::Contour:
            field(QRectF(135, 14, 63, 7), QStringLiteral("FREQ"));
            field(QRectF(264, 14, 24, 7), QStringLiteral("LEVEL"));
            // Frequency steps 1, 8, 14, 20, 26 and levels -2..+2.
            drawTicks(p, knob1, 31, 34, {230, 300, 0, 60, 120}, tick);
            drawTicks(p, QPointF(276, 67), 31, 34, {200, 280, 0, 80, 160}, tick);
            break;
        case DspWindow::Notch:
            field(QRectF(135, 14, 63, 7), QStringLiteral("FREQ"));
            drawSweepTicks(p, knob1, 31, 34, 233, 254, 11, tick);
            break;
        case DspWindow::Dnr:
            field(QRectF(156, 14, 20, 7), QStringLiteral("LVL"));
            drawSweepTicks(p, knob1, 31, 34, 210, 300, 11, tick);
            break;
    }
}

QImage paintSplash(int width, int height, int scale) {
    QImage image = canvas(width, height, scale);
    QPainter p;
    beginPainting(p, image);
    QRadialGradient bg(QPointF(width * 0.32, height * 0.38), width * 0.75);
    bg.setColorAt(0, QColor(44, 49, 60));
    bg.setColorAt(1, QColor(12, 13, 17));
    p.fillRect(image.rect(), bg);

    // A dial scale sweeping in from the right.
    const QPointF dial(width + 60.0, height * 0.55);
    for (int i = 0; i <= 60; ++i) {
        const double a = 228 + i * 1.4;
        const bool major = i % 5 == 0;
        const int alpha = 40 + i * 3;
        p.setPen(QPen(QColor(255, 176, 64, std::min(alpha, 210)), major ? 2.2 : 1.2));
        p.drawLine(onCircle(dial, major ? 238 : 246, a), onCircle(dial, 256, a));
    }
    p.setPen(QPen(QColor(255, 176, 64, 70), 1));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(dial, 262, 262);
    p.drawEllipse(dial, 226, 226);

    // A band scope trace along the bottom: a noise floor with a few stations.
    QPainterPath trace;
    const double floor = height - 34.0;
    for (int x = 0; x <= width; x += 3) {
        double y = floor - 6 - 3 * std::sin(x * 0.31) - 2 * std::sin(x * 0.113 + 1.3) -
                   1.5 * std::sin(x * 0.71 + 0.4);
        for (auto [centre, peak, spread] : std::array<std::array<double, 3>, 5>{
                 {{150, 34, 9}, {312, 22, 6}, {430, 58, 8}, {600, 28, 11}, {705, 16, 5}}}) {
            const double d = (x - centre) / spread;
            y -= peak * std::exp(-d * d);
        }
        if (x == 0) {
            trace.moveTo(x, y);
        } else {
            trace.lineTo(x, y);
        }
    }
    QPainterPath fill = trace;
    fill.lineTo(width, height);
    fill.lineTo(0, height);
    fill.closeSubpath();
    QLinearGradient fillGrad(0, floor - 60, 0, height);
    fillGrad.setColorAt(0, QColor(255, 176, 64, 90));
    fillGrad.setColorAt(1, QColor(255, 176, 64, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(fillGrad);
    p.drawPath(fill);
    p.setPen(QPen(QColor(255, 190, 96), 1.4));
    p.setBrush(Qt::NoBrush);
    p.drawPath(trace);

    p.setPen(Qt::NoPen);
    p.setBrush(colour::kLedOn);
    p.drawRoundedRect(QRectF(64, 74, 8, 64), 3, 3);
    drawFittedText(p, QRectF(84, 62, 460, 88), QStringLiteral("Panelink"), sansFont(70, true),
                   QColor(242, 244, 248), Qt::AlignLeft | Qt::AlignVCenter);
    drawFittedText(p, QRectF(86, 150, 560, 24),
                   QStringLiteral("Your transceiver's front panel, on your desktop"),
                   sansFont(18, false), QColor(196, 201, 210), Qt::AlignLeft | Qt::AlignVCenter);
    const QString version = QStringLiteral("Version " PANELINK_VERSION);
    drawFittedText(p, QRectF(86, 182, 300, 16), version, sansFont(11, false), QColor(140, 146, 156),
                   Qt::AlignLeft | Qt::AlignVCenter);
    p.end();
    return flatten(image);
}

namespace {

// Gains in dB at 100, 200, 500, 1000, 2000 and 3000 Hz of the ten microphone presets.
constexpr std::array<std::array<double, 6>, 10> kMicEqCurves = {{
    {0, 0, 0, 0, 0, 0},
    {-9, -6, -2, 0, 2, 3},
    {-12, -9, -4, 0, 4, 6},
    {-6, -4, -1, 1, 4, 8},
    {-3, -1, 0, 2, 6, 9},
    {4, 3, 1, 0, -1, -2},
    {7, 5, 2, 0, 0, -3},
    {-8, -4, 0, 3, 3, 0},
    {-4, -2, 2, 5, 3, -2},
    {-12, -9, -4, 2, 6, 10},
}};

}  // namespace

QImage paintMicEq(int width, int height, int firstPreset, int scale) {
    QImage image = canvas(width, height, scale);
    QPainter p;
    beginPainting(p, image);
    const int slot = height / 5;
    for (int i = 0; i < 5; ++i) {
        const int preset = firstPreset + i;
        const QRectF card(1, slot * i + 4, width - 2, slot - 8);
        p.setPen(QPen(QColor(70, 76, 88), 1));
        p.setBrush(colour::kLcd);
        p.drawRoundedRect(card.adjusted(0.5, 0.5, -0.5, -0.5), 4, 4);
        drawFittedText(p, QRectF(card.left() + 5, card.top() + 3, 12, 12), QString::number(preset),
                       sansFont(10, true), colour::kLcdLit, Qt::AlignLeft | Qt::AlignVCenter);

        const QRectF graph(card.left() + 20, card.top() + 6, card.width() - 26, card.height() - 12);
        p.setPen(QPen(colour::kLcdGhost, 1));
        for (int g = 0; g <= 4; ++g) {
            const double y = graph.top() + graph.height() * g / 4;
            p.drawLine(QPointF(graph.left(), y), QPointF(graph.right(), y));
        }
        p.setPen(QPen(mix(colour::kLcd, colour::kLcdLegend, 0.45), 1));
        p.drawLine(QPointF(graph.left(), graph.center().y()),
                   QPointF(graph.right(), graph.center().y()));

        // Frequencies on a log axis, 100 Hz to 3 kHz; the curve runs through the points.
        constexpr std::array<double, 6> kFreqs = {100, 200, 500, 1000, 2000, 3000};
        QPolygonF points;
        for (std::size_t k = 0; k < kFreqs.size(); ++k) {
            const double fx = std::log(kFreqs[k] / 100) / std::log(30.0);
            const double gy = std::clamp(kMicEqCurves[preset][k], -12.0, 12.0) / 12.0;
            points << QPointF(graph.left() + fx * graph.width(),
                              graph.center().y() - gy * graph.height() / 2);
        }
        // Catmull-Rom through the points, as Bezier segments.
        QPainterPath curve(points[0]);
        for (qsizetype k = 1; k < points.size(); ++k) {
            const QPointF p0 = points[std::max<qsizetype>(k - 2, 0)];
            const QPointF p1 = points[k - 1];
            const QPointF p2 = points[k];
            const QPointF p3 = points[std::min<qsizetype>(k + 1, points.size() - 1)];
            curve.cubicTo(p1 + (p2 - p0) / 6, p2 - (p3 - p1) / 6, p2);
        }
        p.setPen(QPen(colour::kLcdLit, 1.6));
        p.setBrush(Qt::NoBrush);
        p.drawPath(curve);
    }
    p.end();
    // The window behind these pictures is the desktop's colour, unknown here: hard edges.
    return keyOut(image, QColor());
}

QImage paintIcon(int width, int height) {
    QImage image = canvas(width, height);
    QPainter p;
    beginPainting(p, image);
    const QRectF tile(1, 1, width - 2, height - 2);
    QLinearGradient g(tile.topLeft(), tile.bottomLeft());
    g.setColorAt(0, QColor(70, 74, 82));
    g.setColorAt(1, QColor(28, 30, 34));
    p.setPen(QPen(QColor(12, 13, 15), 1.5));
    p.setBrush(g);
    p.drawRoundedRect(tile, width * 0.2, width * 0.2);

    // Display strip with a lit reading.
    const double s = width / 64.0;
    p.setPen(Qt::NoPen);
    p.setBrush(colour::kLcd);
    p.drawRoundedRect(QRectF(9 * s, 8 * s, 46 * s, 13 * s), 2 * s, 2 * s);
    p.setBrush(colour::kLcdLit);
    for (int i = 0; i < 5; ++i) {
        const double h = (4 + (i * 7) % 6) * s;
        p.drawRect(QRectF((13 + i * 8) * s, (18 * s) - h, 5 * s, h));
    }

    // The dial with its lit ring and finger dimple.
    const QPointF c(32 * s, 42 * s);
    p.setPen(QPen(colour::kLedOn, 2.2 * s));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(c, 17 * s, 17 * s);
    drawKnurl(p, c, 11 * s, 15 * s, 12, QColor(26, 27, 30), QColor(90, 94, 102));
    QRadialGradient face(c + QPointF(-4 * s, -4 * s), 14 * s);
    face.setColorAt(0, QColor(170, 174, 182));
    face.setColorAt(1, QColor(80, 83, 90));
    p.setPen(Qt::NoPen);
    p.setBrush(face);
    p.drawEllipse(c, 11 * s, 11 * s);
    p.setBrush(QColor(48, 50, 55));
    p.drawEllipse(c + QPointF(4 * s, -4 * s), 3.4 * s, 3.4 * s);
    p.end();
    // An icon lands on any background: hard edges rather than a halo of one colour.
    return keyOut(image, QColor());
}

}  // namespace panelink::artwork
