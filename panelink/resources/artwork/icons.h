#pragma once

#include <QImage>
#include <QString>

#include <array>

namespace panelink::artwork {

// The sizes of the program's icon the desktop gets, in pixels (hicolor theme folders).
inline constexpr std::array kIconSizes{16, 24, 32, 48, 64, 128, 256};

// The program's icon, square, with a transparent surround: a panel with its lit display and
// the big dial. Drawn for each size rather than scaled, so small icons keep sharp edges.
QImage paintAppIcon(int size);

// Writes DIR/<n>x<n>/apps/panelink.png for every size. An empty string on success, else
// what could not be written.
QString writeAppIcons(const QString& dir);

}  // namespace panelink::artwork
