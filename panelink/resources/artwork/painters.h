#pragma once

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QString>

namespace panelink::artwork {

// Display elements. They sit on the flat display background and are opaque, so that each
// state fully covers the one drawn before it.
QImage paintLargeDigit(int width, int height, char glyph, bool highlighted, int scale);
QImage paintSmallGlyph(int width, int height, char glyph, bool highlighted, int scale);
QImage paintPoint(int width, int height, bool lit, int scale);
QImage paintClarifierPoint(int width, int height, int scale);
enum class LabelStyle { Text, Alert, Box };
QImage paintLabel(int width, int height, const QString& text, bool lit, LabelStyle style,
                  int scale);
QImage paintSignLabel(int width, int height, char sign, bool lit, int scale);
QImage paintMarker(int width, int height, bool lit, int scale);
QImage paintBarSegment(int width, int height, bool lit, int scale);
QImage paintMeterScale(int width, int height, int state, int scale);
QImage paintAntenna(int width, int height, bool lit, int scale);

// Key caps and round controls. They sit on the panel and are keyed: pure green outside their
// outline, edge pixels blended with the matte colour under them. Every state of one key has
// the same outline, so a state always covers the previous one.
// Single: one caption. Halves: upper and lower half are two keys, split by a line. Stacked:
// one key with a two-line caption. Arrows: a caption over a triangle.
enum class KeyLayout { Single, Halves, Stacked, ArrowDown, ArrowUp };
QImage paintKey(int width, int height, const QString& upper, const QString& lower, KeyLayout layout,
                bool pressed, const QColor& matte, int scale);
QImage paintComKey(int width, int height, bool pressed, bool lit, const QColor& matte, int scale);
QImage paintPowerKey(int width, int height, bool pressed, bool lit, const QColor& matte, int scale);
QImage paintWindowKey(int width, int height, bool pressed, bool lit, const QColor& matte,
                      int scale);
QImage paintMainDial(int width, int height, const QColor& matte, int scale);
QImage paintDimple(int width, int height, int scale);
QImage paintKnob(int width, int height, bool tuning, const QColor& matte, int scale);
QImage paintPointer(int width, int height, int scale);

// The face colours the dimple and the pointer are blended with.
QColor mainDialFaceColour();
QColor knobCapColour();

// Whole pictures.
void paintPanelBackground(QPainter& painter, bool captionsLit);
enum class DspWindow { Contour, Notch, Dnr };
void paintDspBackground(QPainter& painter, DspWindow window, int width, int height, bool fieldsLit);
QImage paintSplash(int width, int height, int scale);
QImage paintMicEq(int width, int height, int firstPreset, int scale);
QImage paintIcon(int width, int height);

}  // namespace panelink::artwork
