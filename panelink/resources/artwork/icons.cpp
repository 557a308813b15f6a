#include "panelink/resources/artwork/icons.h"

#include <QDir>
#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>
#include <QSaveFile>

#include <algorithm>

#include "panelink/resources/artwork/draw.h"

namespace panelink::artwork {

namespace {

void paintBody(QPainter& painter, const QRectF& body, double radius) {
    QLinearGradient shade(body.topLeft(), body.bottomLeft());
    shade.setColorAt(0, colour::kPanelTop);
    shade.setColorAt(1, colour::kPanelBottom);
    painter.setPen(QPen(colour::kCapEdge, std::max(1.0, body.width() / 64)));
    painter.setBrush(shade);
    painter.drawRoundedRect(body, radius, radius);
}

// The lit display strip with two digits, as on the panel.
void paintDisplay(QPainter& painter, const QRectF& strip) {
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour::kLcd);
    painter.drawRoundedRect(strip, strip.height() / 8, strip.height() / 8);
    const double digitWidth = strip.height() * 0.5;
    const double margin = strip.height() * 0.15;
    for (int i = 0; i < 3; ++i) {
        SegmentStyle style;
        style.box = QRectF(strip.right() - margin - (3 - i) * (digitWidth + margin / 2),
                           strip.top() + margin, digitWidth, strip.height() - 2 * margin);
        style.thickness = std::max(1.0, strip.height() / 8);
        style.gap = style.thickness / 5;
        drawSegments(painter, style, segmentMask("145"[i]), colour::kLcdLit, colour::kLcdGhost);
    }
}

void paintDial(QPainter& painter, const QPointF& centre, double radius) {
    double face = radius;
    // A knurled rim only where the ridges are more than a pixel apart.
    if (radius >= 12) {
        drawKnurl(painter, centre, radius * 0.84, radius, 12, colour::kCapBottom, colour::kCapTop);
        face = radius * 0.84;
    }
    QRadialGradient shade(centre - QPointF(face / 3, face / 3), face * 1.4);
    shade.setColorAt(0, colour::kCapTop);
    shade.setColorAt(1, colour::kCapBottom);
    painter.setPen(QPen(colour::kCapEdge, std::max(1.0, radius / 16)));
    painter.setBrush(shade);
    painter.drawEllipse(centre, face, face);
    // The finger dimple.
    const QPointF dimple = centre + QPointF(face * 0.42, -face * 0.42);
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour::kCapDownTop);
    painter.drawEllipse(dimple, face * 0.18, face * 0.18);
}

}  // namespace

QImage paintAppIcon(int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const double s = size;
    const QRectF body(s * 0.03, s * 0.12, s * 0.94, s * 0.76);
    paintBody(painter, body, s * 0.1);
    paintDisplay(painter, QRectF(s * 0.1, s * 0.2, s * 0.8, s * 0.24));
    paintDial(painter, QPointF(s * 0.5, s * 0.64), s * 0.19);
    painter.end();
    return image;
}

QString writeAppIcons(const QString& dir) {
    for (const int size : kIconSizes) {
        const QString folder = QStringLiteral("%1/%2x%2/apps").arg(dir).arg(size);
        const QString path = folder + QStringLiteral("/panelink.png");
        if (!QDir().mkpath(folder)) return folder;
        QSaveFile file(path);
        if (!file.open(QIODevice::WriteOnly) || !paintAppIcon(size).save(&file, "PNG") ||
            !file.commit())
            return path;
    }
    return {};
}

}  // namespace panelink::artwork
