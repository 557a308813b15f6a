// Key caps, the main dial and the knobs.
#include "panelink/resources/artwork/draw.h"
#include "panelink/resources/artwork/painters.h"

#include <QConicalGradient>
#include <QLinearGradient>
#include <QRadialGradient>

#include <cmath>
#include <numbers>

namespace panelink::artwork {
namespace {

constexpr double kCapRadius = 4.5;

// The cap: a dark rim, then the face. A released cap shows a darker lip along its bottom
// edge; a pressed one sits lower, its face darker and shaded from the top. The rim is the
// same in both states, so both cover the same pixels.
QRectF drawCapBody(QPainter& p, int width, int height, bool pressed) {
    const QRectF outer(0.5, 0.5, width - 1, height - 1);
    p.setPen(Qt::NoPen);
    p.setBrush(colour::kCapEdge);
    p.drawRoundedRect(outer, kCapRadius, kCapRadius);

    const QRectF body = outer.adjusted(1, 1, -1, -1);
    if (!pressed) {
        p.setBrush(QColor(30, 32, 36));
        p.drawRoundedRect(body, kCapRadius - 1, kCapRadius - 1);
        const QRectF face = body.adjusted(0, 0, 0, -2);
        QLinearGradient g(face.topLeft(), face.bottomLeft());
        g.setColorAt(0, colour::kCapTop);
        g.setColorAt(1, colour::kCapBottom);
        p.setBrush(g);
        p.drawRoundedRect(face, kCapRadius - 1, kCapRadius - 1);
        p.setPen(QPen(QColor(255, 255, 255, 70), 1));
        p.drawLine(QPointF(face.left() + 3, face.top() + 0.5),
                   QPointF(face.right() - 3, face.top() + 0.5));
        return face;
    }
    QLinearGradient g(body.topLeft(), body.bottomLeft());
    g.setColorAt(0, colour::kCapDownTop);
    g.setColorAt(1, colour::kCapDownBottom);
    p.setBrush(g);
    p.drawRoundedRect(body, kCapRadius - 1, kCapRadius - 1);
    QLinearGradient shade(body.topLeft(), QPointF(body.left(), body.top() + 5));
    shade.setColorAt(0, QColor(0, 0, 0, 110));
    shade.setColorAt(1, QColor(0, 0, 0, 0));
    p.setBrush(shade);
    p.drawRoundedRect(body, kCapRadius - 1, kCapRadius - 1);
    return body.adjusted(0, 1, 0, 0);
}

QColor captionColour(bool pressed) {
    return pressed ? colour::kCapTextDown : colour::kCapText;
}

void drawTriangle(QPainter& p, const QPointF& centre, bool down, const QColor& c) {
    const double w = 4.5;
    const double h = 2.6;
    QPolygonF tri;
    if (down) {
        tri << QPointF(centre.x() - w, centre.y() - h) << QPointF(centre.x() + w, centre.y() - h)
            << QPointF(centre.x(), centre.y() + h);
    } else {
        tri << QPointF(centre.x() - w, centre.y() + h) << QPointF(centre.x() + w, centre.y() + h)
            << QPointF(centre.x(), centre.y() - h);
    }
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    p.drawPolygon(tri);
    p.restore();
}

// An indicator lamp set into the top of a cap.
void drawLamp(QPainter& p, const QRectF& rect, bool lit) {
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(12, 12, 14));
    p.drawRoundedRect(rect.adjusted(-0.8, -0.8, 0.8, 0.8), 1.5, 1.5);
    if (lit) {
        QLinearGradient g(rect.topLeft(), rect.bottomLeft());
        g.setColorAt(0, QColor(255, 214, 140));
        g.setColorAt(1, colour::kLedOn);
        p.setBrush(g);
    } else {
        p.setBrush(colour::kLedOff);
    }
    p.drawRoundedRect(rect, 1, 1);
    p.restore();
}

}  // namespace

QImage paintKey(int width, int height, const QString& upper, const QString& lower, KeyLayout layout,
                bool pressed, const QColor& matte, int scale) {
    QImage image = canvas(width, height, scale);
    QPainter p;
    beginPainting(p, image);
    const QRectF face = drawCapBody(p, width, height, pressed);
    const QColor text = captionColour(pressed);
    const QRectF area = face.adjusted(2, 1, -2, -1);
    const double mid = face.center().y();
    switch (layout) {
        case KeyLayout::Halves: {
            const QFont font = sansFont(7.5, true);
            drawFittedText(p, QRectF(area.left(), area.top(), area.width(), mid - area.top()),
                           upper, font, text);
            drawFittedText(p, QRectF(area.left(), mid, area.width(), area.bottom() - mid), lower,
                           font, text);
            p.setPen(QPen(QColor(20, 21, 24, 200), 1));
            p.drawLine(QPointF(face.left() + 4, mid), QPointF(face.right() - 4, mid));
            p.setPen(QPen(QColor(255, 255, 255, 40), 1));
            p.drawLine(QPointF(face.left() + 4, mid + 1), QPointF(face.right() - 4, mid + 1));
            break;
        }
        case KeyLayout::Stacked: {
            const QFont font = sansFont(8, true);
            drawFittedText(p,
                           QRectF(area.left(), area.top() + 2, area.width(), mid - area.top() - 2),
                           upper, font, text);
            drawFittedText(p, QRectF(area.left(), mid, area.width(), area.bottom() - mid - 2),
                           lower, font, text);
            break;
        }
        case KeyLayout::ArrowDown:
        case KeyLayout::ArrowUp: {
            const double split = face.top() + face.height() * 0.56;
            drawFittedText(p, QRectF(area.left(), area.top(), area.width(), split - area.top()),
                           upper, sansFont(8, true), text);
            drawTriangle(p, QPointF(face.center().x(), (split + area.bottom()) / 2 + 0.5),
                         layout == KeyLayout::ArrowDown, text);
            break;
        }
        case KeyLayout::Single: {
            const double size = upper.size() <= 1 ? 12 : upper.size() <= 4 ? 9 : 8;
            drawFittedText(p, area, upper, sansFont(size, true), text);
            break;
        }
    }
    p.end();
    return keyOut(image, matte);
}

QImage paintComKey(int width, int height, bool pressed, bool lit, const QColor& matte, int scale) {
    QImage image = canvas(width, height, scale);
    QPainter p;
    beginPainting(p, image);
    const QRectF face = drawCapBody(p, width, height, pressed);
    drawLamp(p, QRectF(face.center().x() - 5, face.top() + 3, 10, 2.5), lit);
    drawFittedText(p, QRectF(face.left() + 2, face.top() + 7, face.width() - 4, face.height() - 8),
                   QStringLiteral("COM"), sansFont(8, true), captionColour(pressed));
    p.end();
    return keyOut(image, matte);
}

QImage paintPowerKey(int width, int height, bool pressed, bool lit, const QColor& matte,
                     int scale) {
    QImage image = canvas(width, height, scale);
    QPainter p;
    beginPainting(p, image);
    const QRectF face = drawCapBody(p, width, height, pressed);
    const QPointF c = face.center() + QPointF(0, 0.5);
    // Unlit, the symbol is a grey lamp; lit, it glows.
    const QColor glyph = lit ? QColor(255, 200, 118) : QColor(150, 154, 161);
    if (lit) {
        QRadialGradient glow(c, 11);
        glow.setColorAt(0, QColor(255, 168, 40, 120));
        glow.setColorAt(1, QColor(255, 168, 40, 0));
        p.setPen(Qt::NoPen);
        p.setBrush(glow);
        p.drawEllipse(c, 11, 11);
    }
    p.setPen(QPen(glyph, 2, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    const double r = 6.5;
    // Qt counts arc angles in sixteenths of a degree, anticlockwise from three o'clock.
    p.drawArc(QRectF(c.x() - r, c.y() - r, 2 * r, 2 * r), 125 * 16, 290 * 16);
    p.drawLine(QPointF(c.x(), c.y() - r - 1.5), QPointF(c.x(), c.y() - 1));
    p.end();
    return keyOut(image, matte);
}

QImage paintWindowKey(int width, int height, bool pressed, bool lit, const QColor& matte,
                      int scale) {
    QImage image = canvas(width, height, scale);
    QPainter p;
    beginPainting(p, image);
    const QRectF face = drawCapBody(p, width, height, pressed);
    drawLamp(p, QRectF(face.center().x() - 7, face.top() + 4, 14, 3), lit);
    drawFittedText(p, QRectF(face.left() + 3, face.top() + 9, face.width() - 6, face.height() - 11),
                   QStringLiteral("ON/OFF"), sansFont(8.5, true), captionColour(pressed));
    p.end();
    return keyOut(image, matte);
}

namespace {

// Brushed metal: a conical sweep of light and dark sectors with the light from the upper left.
void drawBrushedFace(QPainter& p, const QPointF& c, double radius, int lightness) {
    QConicalGradient metal(c, 45);
    const QColor hi(lightness + 44, lightness + 47, lightness + 54);
    const QColor lo(lightness - 6, lightness - 4, lightness + 2);
    const QColor mid(lightness + 16, lightness + 18, lightness + 24);
    metal.setColorAt(0.0, hi);
    metal.setColorAt(0.12, mid);
    metal.setColorAt(0.25, lo);
    metal.setColorAt(0.38, mid);
    metal.setColorAt(0.5, hi);
    metal.setColorAt(0.62, mid);
    metal.setColorAt(0.75, lo);
    metal.setColorAt(0.88, mid);
    metal.setColorAt(1.0, hi);
    p.setPen(Qt::NoPen);
    p.setBrush(metal);
    p.drawEllipse(c, radius, radius);
    // Fine turning marks.
    for (double r = 3; r < radius - 1; r += 2.2) {
        const int alpha = static_cast<int>(r * 7) % 3 == 0 ? 22 : 10;
        p.setPen(QPen(QColor(0, 0, 0, alpha), 0.6));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(c, r, r);
    }
    QRadialGradient sheen(c + QPointF(-radius * 0.35, -radius * 0.45), radius * 1.3);
    sheen.setColorAt(0, QColor(255, 255, 255, 38));
    sheen.setColorAt(1, QColor(255, 255, 255, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(sheen);
    p.drawEllipse(c, radius, radius);
}

constexpr int kDialFaceLightness = 78;
constexpr int kKnobCapLightness = 84;

}  // namespace

QColor mainDialFaceColour() {
    return QColor(kDialFaceLightness + 18, kDialFaceLightness + 20, kDialFaceLightness + 26);
}

QColor knobCapColour() {
    return QColor(kKnobCapLightness + 18, kKnobCapLightness + 20, kKnobCapLightness + 26);
}

QImage paintMainDial(int width, int height, const QColor& matte, int scale) {
    QImage image = canvas(width, height, scale);
    QPainter p;
    beginPainting(p, image);
    const QPointF c(width / 2.0, height / 2.0);
    const double outer = width / 2.0 - 0.5;
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(12, 12, 14));
    p.drawEllipse(c, outer, outer);
    // Rubber grip ring.
    drawKnurl(p, c, outer - 14, outer - 1.2, 3.0, QColor(24, 25, 28), QColor(74, 77, 84));
    // Polished step between grip and face.
    QConicalGradient step(c, 135);
    step.setColorAt(0.0, QColor(214, 217, 224));
    step.setColorAt(0.25, QColor(110, 113, 120));
    step.setColorAt(0.5, QColor(40, 42, 46));
    step.setColorAt(0.75, QColor(110, 113, 120));
    step.setColorAt(1.0, QColor(214, 217, 224));
    p.setBrush(step);
    p.drawEllipse(c, outer - 14, outer - 14);
    p.setBrush(QColor(20, 21, 24));
    p.drawEllipse(c, outer - 16.5, outer - 16.5);
    drawBrushedFace(p, c, outer - 17.5, kDialFaceLightness);
    p.end();
    return keyOut(image, matte);
}

QImage paintDimple(int width, int height, int scale) {
    QImage image = canvas(width, height, scale);
    QPainter p;
    beginPainting(p, image);
    const QPointF c(width / 2.0, height / 2.0);
    const double r = width / 2.0 - 0.5;
    // A hollow: its far (lower right) wall catches the light, the near one is in shadow.
    QLinearGradient wall(c + QPointF(-r, -r), c + QPointF(r, r));
    wall.setColorAt(0, QColor(22, 23, 26));
    wall.setColorAt(1, QColor(198, 201, 208));
    p.setPen(Qt::NoPen);
    p.setBrush(wall);
    p.drawEllipse(c, r, r);
    QLinearGradient floor(c + QPointF(-r, -r), c + QPointF(r, r));
    floor.setColorAt(0, QColor(64, 66, 72));
    floor.setColorAt(1, QColor(118, 121, 128));
    p.setBrush(floor);
    p.drawEllipse(c + QPointF(0.6, 0.6), r - 2.6, r - 2.6);
    QRadialGradient depth(c + QPointF(-2, -2), r - 2);
    depth.setColorAt(0, QColor(0, 0, 0, 0));
    depth.setColorAt(0.8, QColor(0, 0, 0, 30));
    depth.setColorAt(1, QColor(0, 0, 0, 70));
    p.setBrush(depth);
    p.drawEllipse(c + QPointF(0.6, 0.6), r - 2.6, r - 2.6);
    p.end();
    return keyOut(image, mainDialFaceColour());
}

QImage paintKnob(int width, int height, bool tuning, const QColor& matte, int scale) {
    QImage image = canvas(width, height, scale);
    QPainter p;
    beginPainting(p, image);
    const QPointF c(width / 2.0, height / 2.0);
    const double outer = width / 2.0 - 0.5;
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(12, 12, 14));
    p.drawEllipse(c, outer, outer);
    drawKnurl(p, c, 18.5, outer - 1.2, 7.5, QColor(30, 31, 35), QColor(82, 85, 92));
    p.setBrush(QColor(16, 17, 19));
    p.drawEllipse(c, 18.8, 18.8);
    drawBrushedFace(p, c, 17.6, kKnobCapLightness);
    if (tuning) {
        // Frequency tuning: a lit ring round the cap.
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(QColor(255, 168, 40, 110), 3.2));
        p.drawEllipse(c, 18.8, 18.8);
        p.setPen(QPen(QColor(255, 196, 110), 1.3));
        p.drawEllipse(c, 18.8, 18.8);
    }
    p.end();
    return keyOut(image, matte);
}

QImage paintPointer(int width, int height, int scale) {
    QImage image = canvas(width, height, scale);
    QPainter p;
    beginPainting(p, image);
    const QPointF c(width / 2.0, height / 2.0);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(26, 27, 30));
    p.drawEllipse(c, 5.0, 5.0);
    QRadialGradient lamp(c + QPointF(-1, -1), 4);
    lamp.setColorAt(0, QColor(255, 226, 170));
    lamp.setColorAt(1, QColor(236, 140, 28));
    p.setBrush(lamp);
    p.drawEllipse(c, 3.6, 3.6);
    p.end();
    return keyOut(image, knobCapColour());
}

}  // namespace panelink::artwork
