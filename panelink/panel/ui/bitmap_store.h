#pragma once

#include <QImage>

#include <unordered_map>

namespace panelink {

// The program's bitmaps, each loaded once from the embedded resources and kept until the end.
// Every bitmap exists at scale 1 (one image pixel per panel pixel) and at scale 2 (drawn at
// twice the size for screens that show the panel larger); a scale-2 image has a device pixel
// ratio of 2, so its size in panel pixels is the same. User interface thread only.
class BitmapStore {
  public:
    // For blits: premultiplied ARGB with every pure green (RGB 0, 255, 0) pixel transparent.
    // A null image when the program has no such bitmap.
    const QImage& keyed(int number, int scale = 1);
    // For opaque copies: the bitmap as it is. A null image when there is no such bitmap.
    const QImage& plain(int number, int scale = 1);

    // ":/bitmaps/<number>.png" (scale 1) or ":/bitmaps/<number>@2x.png" (scale 2) as 32-bit
    // RGB; a null image when it cannot be loaded.
    static QImage load(int number, int scale = 1);
    // The image with pure green made transparent, as premultiplied ARGB.
    static QImage keyOutGreen(const QImage& image);

  private:
    static int cacheKey(int number, int scale) { return number * 2 + (scale > 1 ? 1 : 0); }

    std::unordered_map<int, QImage> keyed_;
    std::unordered_map<int, QImage> plain_;
};

}  // namespace panelink
