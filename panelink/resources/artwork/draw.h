#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPolygonF>
#include <QRectF>
#include <QString>

#include <vector>

namespace panelink::artwork {

// Palette. No colour here leans towards green, so antialiased edges never come close to the
// transparent colour.
namespace colour {
inline const QColor kKey{0, 255, 0};  // transparent
inline const QColor kPanelTop{62, 65, 71};
inline const QColor kPanelBottom{34, 36, 40};
inline const QColor kPanelPrint{206, 210, 216};
inline const QColor kLcd{13, 18, 25};
inline const QColor kLcdGhost{37, 45, 56};
inline const QColor kLcdLit{255, 176, 64};
inline const QColor kLcdLegend{214, 150, 66};
inline const QColor kLcdRed{255, 74, 58};
inline const QColor kCapTop{92, 96, 104};
inline const QColor kCapBottom{54, 57, 63};
inline const QColor kCapDownTop{44, 46, 51};
inline const QColor kCapDownBottom{56, 59, 65};
inline const QColor kCapEdge{14, 15, 18};
inline const QColor kCapText{238, 240, 244};
inline const QColor kCapTextDown{196, 199, 205};
inline const QColor kLedOff{70, 48, 44};
inline const QColor kLedOn{255, 168, 40};
inline const QColor kCaptionLit{255, 186, 84};
}  // namespace colour

inline constexpr int kDisplayLeft = 32;
inline constexpr int kDisplayTop = 40;
inline constexpr int kDisplayRight = 705;
inline constexpr int kDisplayBottom = 156;

// A new drawing surface, cleared to transparent, with antialiasing on.
QImage canvas(int width, int height);
// The same at `scale` image pixels per panel pixel: the painter draws in panel pixels, so one
// drawing serves every scale.
QImage canvas(int width, int height, int scale);
void beginPainting(QPainter& painter, QImage& image);

// Turns a drawing with soft edges into a keyed bitmap: pixels covered less than half become
// pure green, the rest are blended over the matte colour (the colour the bitmap will sit on)
// and made opaque. An invalid matte keeps the drawn colours, giving hard edges.
QImage keyOut(const QImage& drawing, const QColor& matte);

// Opaque 24-bit copy of an opaque drawing.
QImage flatten(const QImage& drawing);

QColor mix(const QColor& a, const QColor& b, double t);

// Fonts: DejaVu Sans at a pixel size. Both faces ship with the base font package.
QFont sansFont(double pixelSize, bool bold);

// Draws text centred in a rectangle; text wider than the rectangle is closed up, then
// squeezed horizontally.
// Capital-only text is centred on its cap height so small captions sit in the middle.
void drawFittedText(QPainter& painter, const QRectF& rect, const QString& text, const QFont& font,
                    const QColor& colour, Qt::Alignment align = Qt::AlignCenter);

// Segment shapes of a display digit. The box is the digit's upright outline; slant moves the
// top to the right by slant times the height.
enum Segment {
    kSegA,   // top
    kSegB,   // upper right
    kSegC,   // lower right
    kSegD,   // bottom
    kSegE,   // lower left
    kSegF,   // upper left
    kSegG1,  // middle, left half
    kSegG2,  // middle, right half
    kSegH,   // diagonal, upper left
    kSegI,   // centre, upper
    kSegJ,   // diagonal, upper right
    kSegK,   // diagonal, lower left
    kSegL,   // centre, lower
    kSegM,   // diagonal, lower right
    kSegmentCount
};

struct SegmentStyle {
    QRectF box;
    double thickness = 4;
    double gap = 0.8;
    double slant = 0.1;
    bool starburst = false;  // fourteen segments instead of seven
};

std::vector<QPolygonF> segmentShapes(const SegmentStyle& style);

// Segment mask of a glyph: '0'..'9', ' ' and, on starburst cells, 'A','B','H','M','P','Q','T',
// '+', '-'. Unknown glyphs light nothing.
unsigned segmentMask(char glyph);

// Draws the lit segments, and the unlit segments of an "8" as faint ghosts.
void drawSegments(QPainter& painter, const SegmentStyle& style, unsigned litMask, const QColor& lit,
                  const QColor& ghost);

// A knurled ring: ridges every step degrees between two radii.
void drawKnurl(QPainter& painter, const QPointF& centre, double inner, double outer,
               double stepDegrees, const QColor& base, const QColor& ridge);

}  // namespace panelink::artwork
