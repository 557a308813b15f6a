#include "panelink/panel/ui/bitmap_store.h"

#include <QString>

namespace panelink {

namespace {

constexpr QRgb kPureGreen = 0xFF00FF00;

}  // namespace

QImage BitmapStore::load(int number) {
    QImage image(QStringLiteral(":/bitmaps/%1.png").arg(number));
    if (image.isNull()) return {};
    return image.convertToFormat(QImage::Format_RGB32);
}

QImage BitmapStore::keyOutGreen(const QImage& image) {
    if (image.isNull()) return {};
    QImage keyed = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < keyed.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(keyed.scanLine(y));
        for (int x = 0; x < keyed.width(); ++x) {
            if ((line[x] | 0xFF000000) == kPureGreen) line[x] = 0;
        }
    }
    return keyed.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

const QImage& BitmapStore::plain(int number) {
    auto it = plain_.find(number);
    if (it == plain_.end()) it = plain_.emplace(number, load(number)).first;
    return it->second;
}

const QImage& BitmapStore::keyed(int number) {
    auto it = keyed_.find(number);
    if (it == keyed_.end()) it = keyed_.emplace(number, keyOutGreen(load(number))).first;
    return it->second;
}

}  // namespace panelink
