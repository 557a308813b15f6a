#include "panelink/panel/ui/bitmap_store.h"

#include <QString>

namespace panelink {

namespace {

constexpr QRgb kPureGreen = 0xFF00FF00;

}  // namespace

QImage BitmapStore::load(int number, int scale) {
    const bool doubled = scale > 1;
    QImage image(QStringLiteral(":/bitmaps/%1%2.png")
                     .arg(number)
                     .arg(doubled ? QStringLiteral("@2x") : QString()));
    if (image.isNull()) return {};
    image = image.convertToFormat(QImage::Format_RGB32);
    image.setDevicePixelRatio(doubled ? 2 : 1);
    return image;
}

QImage BitmapStore::keyOutGreen(const QImage& image) {
    if (image.isNull()) return {};
    QImage keyed = image.convertToFormat(QImage::Format_ARGB32);
    keyed.setDevicePixelRatio(image.devicePixelRatio());
    for (int y = 0; y < keyed.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(keyed.scanLine(y));
        for (int x = 0; x < keyed.width(); ++x) {
            if ((line[x] | 0xFF000000) == kPureGreen) line[x] = 0;
        }
    }
    return keyed.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

const QImage& BitmapStore::plain(int number, int scale) {
    const int key = cacheKey(number, scale);
    auto it = plain_.find(key);
    if (it == plain_.end()) it = plain_.emplace(key, load(number, scale)).first;
    return it->second;
}

const QImage& BitmapStore::keyed(int number, int scale) {
    const int key = cacheKey(number, scale);
    auto it = keyed_.find(key);
    if (it == keyed_.end()) it = keyed_.emplace(key, keyOutGreen(load(number, scale))).first;
    return it->second;
}

}  // namespace panelink
