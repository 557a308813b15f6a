#pragma once

#include <QImage>

#include <unordered_map>

namespace panelink {

// The program's bitmaps, each loaded once from the embedded resources and kept until the end.
// User interface thread only.
class BitmapStore {
  public:
    // For blits: premultiplied ARGB with every pure green (RGB 0, 255, 0) pixel transparent.
    // A null image when the program has no such bitmap.
    const QImage& keyed(int number);
    // For opaque copies: the bitmap as it is. A null image when there is no such bitmap.
    const QImage& plain(int number);

    // ":/bitmaps/<number>.png" as 32-bit RGB; a null image when it cannot be loaded.
    static QImage load(int number);
    // The image with pure green made transparent, as premultiplied ARGB.
    static QImage keyOutGreen(const QImage& image);

  private:
    std::unordered_map<int, QImage> keyed_;
    std::unordered_map<int, QImage> plain_;
};

}  // namespace panelink
