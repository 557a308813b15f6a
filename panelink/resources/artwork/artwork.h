#pragma once

#include <QColor>
#include <QImage>
#include <QString>

#include <map>
#include <optional>
#include <vector>

namespace panelink::artwork {

// Surfaces that elements are placed on: the front panel and the three DSP windows.
enum class Surface { Panel, Contour, Notch, Dnr };

// One bitmap drawn at a fixed place of a surface, in the state it shows on the plain picture
// (keys released, labels dark, digits blank).
struct Placement {
    int number = 0;
    Surface surface = Surface::Panel;
    int x = 0;
    int y = 0;
};

// Where every element sits on the plain pictures; the pictures are composed from it.
std::vector<Placement> plainPlacements();

// A bitmap drawn over another at a point, as the program draws it: pure green is left out.
void blitKeyed(QImage& target, const QImage& source, int x, int y);

// Renders the whole artwork at `scale` image pixels per panel pixel (1, or 2 for screens that
// show the panel twice as large); positions and sizes stay in panel pixels. Bitmaps are made on
// first use and kept, because the pictures are composed from the elements and the elements take
// their edge colours from the pictures' backgrounds.
class Artwork {
  public:
    explicit Artwork(int scale = 1);

    int scale() const { return scale_; }

    // The finished bitmap (24-bit, catalog size times the scale), or a null image for an
    // unknown number.
    QImage bitmap(int number);

    // The panel with a sample display state composited, as the program would show it.
    QImage preview();

    // A surface's background without any element drawn on it.
    QImage background(Surface surface, bool highlighted);

  private:
    QImage render(int number);
    QColor matteFor(int number);

    int scale_;
    std::map<int, QImage> cache_;
    std::map<std::pair<int, bool>, QImage> backgrounds_;
};

// Checks a finished bitmap: each pixel is pure green or far from green. Returns the first
// offending pixel's description, or nothing when the bitmap is clean.
std::optional<QString> findGreenFringe(const QImage& image);

}  // namespace panelink::artwork
