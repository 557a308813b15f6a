#include "panelink/resources/artwork/artwork.h"

#include "panelink/resources/artwork/draw.h"
#include "panelink/resources/artwork/painters.h"
#include "panelink/resources/bitmap_catalog.h"

#include <QPainter>

#include <array>
#include <cmath>
#include <cstdio>

namespace panelink::artwork {
namespace {

enum class Kind {
    Icon,
    Key,
    ComKey,
    PowerKey,
    WindowKey,
    LargeDigit,
    SmallGlyph,
    Point,
    ClarifierPoint,
    Label,
    AlertLabel,
    BoxLabel,
    SignLabel,
    Marker,
    Segment,
    MeterScale,
    Antenna,
    MainDial,
    Dimple,
    Knob,
    Pointer,
    Panel,
    Splash,
    DspWindow,
    MicEq,
};

// How each bitmap is drawn. text/lower: captions or the glyph. a: pressed flag of keys,
// highlight of digits, lit flag, state bits of four-state keys (1 pressed, 2 lit), meter scale
// state, window. b: caption layout of keys, lit fields of windows.
struct Recipe {
    int number;
    Kind kind;
    const char* text = "";
    const char* lower = "";
    int a = 0;
    int b = 0;
};

constexpr int kUp = 0;
constexpr int kDown = 1;
constexpr int kPlain = 0;
constexpr int kLit = 1;
constexpr int kHalves = static_cast<int>(KeyLayout::Halves);
constexpr int kStacked = static_cast<int>(KeyLayout::Stacked);
constexpr int kArrowDown = static_cast<int>(KeyLayout::ArrowDown);
constexpr int kArrowUp = static_cast<int>(KeyLayout::ArrowUp);

constexpr std::array kRecipes = {
    Recipe{1252, Kind::Icon},
    Recipe{1290, Kind::Key, "A/B", "", kUp},
    Recipe{1291, Kind::Key, "A/B", "", kDown},
    Recipe{1293, Kind::Key, "BAND", "", kDown, kArrowUp},
    Recipe{1294, Kind::Key, "BAND", "", kUp, kArrowDown},
    Recipe{1295, Kind::Key, "BAND", "", kDown, kArrowDown},
    Recipe{1296, Kind::Key, "BAND", "", kUp, kArrowUp},
    Recipe{1297, Kind::ComKey, "", "", 3},
    Recipe{1298, Kind::Key, "CLAR", "", kUp},
    Recipe{1299, Kind::Key, "CLAR", "", kDown},
    Recipe{1300, Kind::ComKey, "", "", 0},
    Recipe{1301, Kind::ComKey, "", "", 1},
    Recipe{1302, Kind::ComKey, "", "", 2},
    Recipe{1303, Kind::Key, "F", "", kDown},
    Recipe{1304, Kind::WindowKey, "", "", 0},
    Recipe{1305, Kind::WindowKey, "", "", 1},
    Recipe{1308, Kind::Key, "F", "", kUp},
    Recipe{1309, Kind::Key, "KEYER", "", kDown},
    Recipe{1310, Kind::Key, "FAST", "", kUp},
    Recipe{1311, Kind::Key, "FAST", "", kDown},
    Recipe{1312, Kind::Key, "HOME", "RCL", kUp, kHalves},
    Recipe{1313, Kind::Key, "HOME", "RCL", kDown, kHalves},
    Recipe{1314, Kind::Key, "KEYER", "", kUp},
    Recipe{1315, Kind::Key, "A=B", "", kDown},
    Recipe{1316, Kind::Key, "A=B", "", kUp},
    Recipe{1317, Kind::Key, "MODE", "", kDown, kArrowDown},
    Recipe{1318, Kind::Key, "LOCK", "", kUp},
    Recipe{1319, Kind::Key, "LOCK", "", kDown},
    Recipe{1320, Kind::Key, "METER", "", kUp},
    Recipe{1321, Kind::Key, "METER", "", kDown},
    Recipe{1322, Kind::Key, "MODE", "", kUp, kArrowDown},
    Recipe{1323, Kind::PowerKey, "", "", 1},
    Recipe{1324, Kind::Key, "MODE", "", kUp, kArrowUp},
    Recipe{1325, Kind::Key, "MODE", "", kDown, kArrowUp},
    Recipe{1326, Kind::Key, "MW", "V/M", kUp, kHalves},
    Recipe{1327, Kind::Key, "MW", "V/M", kDown, kHalves},
    Recipe{1328, Kind::PowerKey, "", "", 0},
    Recipe{1330, Kind::PowerKey, "", "", 2},
    Recipe{1331, Kind::PowerKey, "", "", 3},
    Recipe{1332, Kind::Key, "PMS", "SCAN", kUp, kHalves},
    Recipe{1333, Kind::Key, "PMS", "SCAN", kDown, kHalves},
    Recipe{1335, Kind::Key, "TUNE", "", kDown},
    Recipe{1336, Kind::Key, "SEL", "", kUp},
    Recipe{1337, Kind::Key, "SEL", "", kDown},
    Recipe{1338, Kind::Key, "STEP", "SPLIT", kUp, kHalves},
    Recipe{1339, Kind::Key, "STEP", "SPLIT", kDown, kHalves},
    Recipe{1340, Kind::Key, "TUNE", "", kUp},
    Recipe{1341, Kind::Key, "VOX", "STO", kDown, kHalves},
    Recipe{1342, Kind::Key, "VOICE", "C.S", kUp, kHalves},
    Recipe{1343, Kind::Key, "VOICE", "C.S", kDown, kHalves},
    Recipe{1344, Kind::Key, "VOX", "STO", kUp, kHalves},
    Recipe{1345, Kind::LargeDigit, "3"},
    Recipe{1346, Kind::LargeDigit, "0"},
    Recipe{1347, Kind::LargeDigit, "1"},
    Recipe{1348, Kind::LargeDigit, "2"},
    Recipe{1349, Kind::LargeDigit, "9"},
    Recipe{1350, Kind::LargeDigit, "4"},
    Recipe{1351, Kind::LargeDigit, "5"},
    Recipe{1352, Kind::LargeDigit, "6"},
    Recipe{1353, Kind::LargeDigit, "7"},
    Recipe{1354, Kind::LargeDigit, "8"},
    Recipe{1355, Kind::BoxLabel, "FAST", "", kPlain},
    Recipe{1356, Kind::Point, "", "", kPlain},
    Recipe{1357, Kind::Point, "", "", kLit},
    Recipe{1358, Kind::LargeDigit, " "},
    Recipe{1359, Kind::BoxLabel, "AUTO", "", kPlain},
    Recipe{1360, Kind::BoxLabel, "AUTO", "", kLit},
    Recipe{1361, Kind::Segment, "", "", kPlain},
    Recipe{1362, Kind::BoxLabel, "FAST", "", kLit},
    Recipe{1363, Kind::BoxLabel, "SLOW", "", kPlain},
    Recipe{1364, Kind::BoxLabel, "SLOW", "", kLit},
    Recipe{1365, Kind::Label, "AM", "", kPlain},
    Recipe{1366, Kind::Label, "AM", "", kLit},
    Recipe{1367, Kind::Label, "CLAR", "", kPlain},
    Recipe{1368, Kind::Segment, "", "", kLit},
    Recipe{1369, Kind::Label, "BK-IN", "", kPlain},
    Recipe{1370, Kind::Label, "BK-IN", "", kLit},
    Recipe{1371, Kind::Label, "BUSY", "", kPlain},
    Recipe{1372, Kind::Label, "BUSY", "", kLit},
    Recipe{1374, Kind::Label, "CLAR", "", kLit},
    Recipe{1375, Kind::Label, "CW", "", kPlain},
    Recipe{1376, Kind::Label, "CW", "", kLit},
    Recipe{1377, Kind::Label, "DATA", "", kPlain},
    Recipe{1378, Kind::Label, "DATA", "", kLit},
    Recipe{1381, Kind::Label, "DEC", "", kPlain},
    Recipe{1382, Kind::Label, "DEC", "", kLit},
    Recipe{1383, Kind::Label, "ENC", "", kPlain},
    Recipe{1384, Kind::Label, "ENC", "", kLit},
    Recipe{1385, Kind::Label, "KEYER", "", kPlain},
    Recipe{1387, Kind::Label, "FAST", "", kPlain},
    Recipe{1388, Kind::Label, "FAST", "", kLit},
    Recipe{1389, Kind::Label, "FM", "", kPlain},
    Recipe{1390, Kind::Label, "FM", "", kLit},
    Recipe{1391, Kind::Marker, "", "", kPlain},
    Recipe{1392, Kind::Label, "KEYER", "", kLit},
    Recipe{1393, Kind::Label, "LOCK", "", kPlain},
    Recipe{1394, Kind::Label, "LOCK", "", kLit},
    Recipe{1395, Kind::Label, "LSB", "", kPlain},
    Recipe{1396, Kind::Label, "LSB", "", kLit},
    Recipe{1397, Kind::MeterScale, "", "", 2},
    Recipe{1398, Kind::Marker, "", "", kLit},
    Recipe{1399, Kind::Marker, "", "", kPlain},
    Recipe{1400, Kind::Marker, "", "", kLit},
    Recipe{1401, Kind::BoxLabel, "MENU", "", kPlain},
    Recipe{1402, Kind::BoxLabel, "MENU", "", kLit},
    Recipe{1403, Kind::SignLabel, "-", "", kLit},
    Recipe{1404, Kind::MeterScale, "", "", 4},
    Recipe{1405, Kind::MeterScale, "", "", 1},
    Recipe{1406, Kind::MeterScale, "", "", 0},
    Recipe{1407, Kind::MeterScale, "", "", 3},
    Recipe{1408, Kind::SignLabel, "-", "", kPlain},
    Recipe{1409, Kind::Label, "PBACK", "", kLit},
    Recipe{1410, Kind::BoxLabel, "OFF", "", kPlain},
    Recipe{1411, Kind::BoxLabel, "OFF", "", kLit},
    Recipe{1412, Kind::BoxLabel, "ON", "", kPlain},
    Recipe{1413, Kind::BoxLabel, "ON", "", kLit},
    Recipe{1414, Kind::Label, "PBACK", "", kPlain},
    Recipe{1415, Kind::Segment, "", "", kLit},
    Recipe{1416, Kind::SignLabel, "+", "", kPlain},
    Recipe{1417, Kind::SignLabel, "+", "", kLit},
    Recipe{1418, Kind::Label, "SHIFT", "", kPlain},
    Recipe{1419, Kind::Label, "SHIFT", "", kLit},
    Recipe{1420, Kind::Segment, "", "", kPlain},
    Recipe{1421, Kind::AlertLabel, "TX", "", kLit},
    Recipe{1422, Kind::Label, "SPLIT", "", kPlain},
    Recipe{1423, Kind::Label, "SPLIT", "", kLit},
    Recipe{1424, Kind::Label, "TUNER", "", kPlain},
    Recipe{1425, Kind::Label, "TUNER", "", kLit},
    Recipe{1426, Kind::AlertLabel, "TX", "", kPlain},
    Recipe{1427, Kind::Label, "VOX", "", kLit},
    Recipe{1428, Kind::Label, "USB", "", kPlain},
    Recipe{1429, Kind::Label, "USB", "", kLit},
    Recipe{1430, Kind::Segment, "", "", kPlain},
    Recipe{1431, Kind::Segment, "", "", kLit},
    Recipe{1432, Kind::Label, "VOX", "", kPlain},
    Recipe{1433, Kind::LargeDigit, "5", "", kLit},
    Recipe{1434, Kind::LargeDigit, "0", "", kLit},
    Recipe{1435, Kind::LargeDigit, "1", "", kLit},
    Recipe{1436, Kind::LargeDigit, "2", "", kLit},
    Recipe{1437, Kind::LargeDigit, "3", "", kLit},
    Recipe{1438, Kind::LargeDigit, "4", "", kLit},
    Recipe{1439, Kind::SmallGlyph, "1"},
    Recipe{1440, Kind::LargeDigit, "6", "", kLit},
    Recipe{1441, Kind::LargeDigit, "7", "", kLit},
    Recipe{1442, Kind::LargeDigit, "8", "", kLit},
    Recipe{1443, Kind::LargeDigit, "9", "", kLit},
    Recipe{1444, Kind::SmallGlyph, "0"},
    Recipe{1445, Kind::SmallGlyph, "7"},
    Recipe{1446, Kind::SmallGlyph, "2"},
    Recipe{1447, Kind::SmallGlyph, "3"},
    Recipe{1448, Kind::SmallGlyph, "4"},
    Recipe{1449, Kind::SmallGlyph, "5"},
    Recipe{1450, Kind::SmallGlyph, "6"},
    Recipe{1451, Kind::SmallGlyph, "H"},
    Recipe{1452, Kind::SmallGlyph, "8"},
    Recipe{1453, Kind::SmallGlyph, "9"},
    Recipe{1454, Kind::SmallGlyph, "A"},
    Recipe{1455, Kind::SmallGlyph, "B"},
    Recipe{1456, Kind::ClarifierPoint},
    Recipe{1457, Kind::SmallGlyph, " "},
    Recipe{1458, Kind::SmallGlyph, "M"},
    Recipe{1459, Kind::SmallGlyph, "-"},
    Recipe{1460, Kind::SmallGlyph, "P"},
    Recipe{1461, Kind::SmallGlyph, "+"},
    Recipe{1462, Kind::SmallGlyph, "Q"},
    Recipe{1463, Kind::SmallGlyph, "4", "", kLit},
    Recipe{1464, Kind::SmallGlyph, "T"},
    Recipe{1465, Kind::SmallGlyph, "0", "", kLit},
    Recipe{1466, Kind::SmallGlyph, "1", "", kLit},
    Recipe{1467, Kind::SmallGlyph, "2", "", kLit},
    Recipe{1468, Kind::SmallGlyph, "3", "", kLit},
    Recipe{1469, Kind::SmallGlyph, "9", "", kLit},
    Recipe{1470, Kind::SmallGlyph, "5", "", kLit},
    Recipe{1471, Kind::SmallGlyph, "6", "", kLit},
    Recipe{1472, Kind::SmallGlyph, "7", "", kLit},
    Recipe{1473, Kind::SmallGlyph, "8", "", kLit},
    Recipe{1474, Kind::Splash},
    Recipe{1475, Kind::Pointer},
    Recipe{1476, Kind::Dimple},
    Recipe{1477, Kind::MainDial},
    Recipe{1478, Kind::Knob, "", "", kPlain},
    Recipe{1479, Kind::Knob, "", "", kLit},
    Recipe{1480, Kind::Antenna, "", "", kLit},
    Recipe{1481, Kind::Antenna, "", "", kPlain},
    Recipe{1484, Kind::Panel, "", "", kPlain},
    Recipe{1485, Kind::Panel, "", "", kLit},
    Recipe{1487, Kind::DspWindow, "", "", static_cast<int>(Surface::Contour), kPlain},
    Recipe{1490, Kind::DspWindow, "", "", static_cast<int>(Surface::Dnr), kPlain},
    Recipe{1493, Kind::DspWindow, "", "", static_cast<int>(Surface::Notch), kPlain},
    Recipe{1506, Kind::MicEq, "", "", 5},
    Recipe{1507, Kind::MicEq, "", "", 0},
    Recipe{1512, Kind::DspWindow, "", "", static_cast<int>(Surface::Notch), kLit},
    Recipe{1513, Kind::DspWindow, "", "", static_cast<int>(Surface::Contour), kLit},
    Recipe{1514, Kind::DspWindow, "", "", static_cast<int>(Surface::Dnr), kLit},
    Recipe{1520, Kind::Key, "AGC", "", kUp},
    Recipe{1521, Kind::Key, "AGC", "", kDown},
    Recipe{1522, Kind::Key, "NB", "", kUp},
    Recipe{1523, Kind::Key, "NB", "", kDown},
    Recipe{1524, Kind::Key, "IPO", "ATT", kUp, kStacked},
    Recipe{1525, Kind::Key, "IPO", "ATT", kDown, kStacked},
    Recipe{1526, Kind::Key, "DSP", "", kUp},
    Recipe{1527, Kind::Key, "DSP", "", kDown},
    Recipe{1528, Kind::WindowKey, "", "", 2},
    Recipe{1529, Kind::WindowKey, "", "", 3},
};

const Recipe* findRecipe(int number) {
    for (const Recipe& r : kRecipes) {
        if (r.number == number) return &r;
    }
    return nullptr;
}

// Elements of the plain pictures, in their plain state.
struct FixedPlacement {
    int number;
    int x;
    int y;
};

constexpr std::array kPanelElements = {
    // Frequency digits, points, clarifier offset and VFO letters.
    FixedPlacement{1358, 221, 96},
    FixedPlacement{1358, 259, 96},
    FixedPlacement{1358, 307, 96},
    FixedPlacement{1358, 345, 96},
    FixedPlacement{1358, 383, 96},
    FixedPlacement{1358, 431, 96},
    FixedPlacement{1358, 469, 96},
    FixedPlacement{1457, 507, 118},
    FixedPlacement{1356, 297, 136},
    FixedPlacement{1356, 421, 136},
    FixedPlacement{1457, 588, 118},
    FixedPlacement{1457, 610, 118},
    FixedPlacement{1456, 632, 118},
    FixedPlacement{1457, 654, 118},
    FixedPlacement{1457, 676, 118},
    FixedPlacement{1457, 544, 118},
    FixedPlacement{1457, 566, 118},
    // Meter scale (the bar is added below).
    FixedPlacement{1404, 42, 47},
    // Two-state labels, dark.
    FixedPlacement{1426, 234, 47},
    FixedPlacement{1371, 234, 62},
    FixedPlacement{1424, 234, 77},
    FixedPlacement{1395, 277, 47},
    FixedPlacement{1428, 277, 62},
    FixedPlacement{1375, 277, 77},
    FixedPlacement{1365, 314, 47},
    FixedPlacement{1389, 314, 62},
    FixedPlacement{1377, 314, 77},
    FixedPlacement{1383, 352, 47},
    FixedPlacement{1381, 391, 47},
    FixedPlacement{1408, 352, 62},
    FixedPlacement{1416, 368, 62},
    FixedPlacement{1432, 391, 62},
    FixedPlacement{1414, 427, 62},
    FixedPlacement{1385, 350, 77},
    FixedPlacement{1369, 390, 77},
    FixedPlacement{1387, 430, 77},
    FixedPlacement{1393, 468, 77},
    FixedPlacement{1481, 475, 61},
    FixedPlacement{1401, 548, 97},
    FixedPlacement{1367, 596, 99},
    FixedPlacement{1422, 638, 99},
    FixedPlacement{1418, 45, 141},
    FixedPlacement{1420, 93, 141},
    FixedPlacement{1391, 45, 92},
    FixedPlacement{1391, 45, 106},
    FixedPlacement{1399, 45, 119},
    FixedPlacement{1399, 45, 130},
    // ATT, IPO and NB boxes, AGC boxes.
    FixedPlacement{1410, 509, 61},
    FixedPlacement{1412, 509, 79},
    FixedPlacement{1410, 549, 61},
    FixedPlacement{1412, 549, 79},
    FixedPlacement{1410, 625, 61},
    FixedPlacement{1412, 625, 79},
    FixedPlacement{1359, 665, 60},
    FixedPlacement{1355, 665, 70},
    FixedPlacement{1363, 665, 80},
    // Keys, released.
    FixedPlacement{1344, 779, 77},
    FixedPlacement{1340, 662, 179},
    FixedPlacement{1314, 277, 272},
    FixedPlacement{1524, 221, 179},
    FixedPlacement{1520, 341, 179},
    FixedPlacement{1522, 281, 179},
    FixedPlacement{1310, 399, 272},
    FixedPlacement{1318, 588, 272},
    FixedPlacement{1290, 604, 229},
    FixedPlacement{1308, 722, 179},
    FixedPlacement{1316, 399, 229},
    FixedPlacement{1336, 221, 270},
    FixedPlacement{1320, 782, 179},
    FixedPlacement{1342, 730, 32},
    FixedPlacement{1326, 779, 32},
    FixedPlacement{1312, 730, 77},
    FixedPlacement{1338, 730, 122},
    FixedPlacement{1332, 779, 122},
    FixedPlacement{1526, 151, 179},
    FixedPlacement{1322, 277, 229},
    FixedPlacement{1324, 337, 229},
    FixedPlacement{1298, 337, 272},
    FixedPlacement{1294, 399, 181},
    FixedPlacement{1296, 588, 181},
    FixedPlacement{1300, 36, 183},
    FixedPlacement{1328, 91, 179},
    // Main dial at angle 0, DSP/SEL knob without pointer, value knobs.
    FixedPlacement{1477, 446, 168},
    FixedPlacement{1476, 499, 195},
    FixedPlacement{1478, 144, 248},
    FixedPlacement{1478, 660, 248},
    FixedPlacement{1478, 764, 248},
    FixedPlacement{1478, 40, 248},
};

// Rows of the DSP bars.
constexpr std::array kDspBarRows = {99, 95, 113, 109, 124, 135, 146};

constexpr std::array kWindowElements = {
    std::pair{Surface::Contour, FixedPlacement{1304, 34, 33}},
    std::pair{Surface::Contour, FixedPlacement{1478, 138, 39}},
    std::pair{Surface::Contour, FixedPlacement{1478, 248, 39}},
    std::pair{Surface::Notch, FixedPlacement{1304, 34, 33}},
    std::pair{Surface::Notch, FixedPlacement{1478, 138, 39}},
    std::pair{Surface::Dnr, FixedPlacement{1304, 34, 33}},
    std::pair{Surface::Dnr, FixedPlacement{1478, 138, 39}},
};

QSize surfaceSize(Surface surface) {
    switch (surface) {
        case Surface::Panel:
            return {843, 320};
        case Surface::Contour:
            return {328, 117};
        case Surface::Notch:
        case Surface::Dnr:
            return {235, 117};
    }
    return {};
}

DspWindow dspWindowOf(Surface surface) {
    return surface == Surface::Contour ? DspWindow::Contour
           : surface == Surface::Notch ? DspWindow::Notch
                                       : DspWindow::Dnr;
}

// Average colour of a rectangle of an image.
QColor averageColour(const QImage& image, const QRect& rect) {
    const QRect r = rect.intersected(image.rect());
    if (r.isEmpty()) return colour::kPanelBottom;
    long long red = 0;
    long long green = 0;
    long long blue = 0;
    for (int y = r.top(); y <= r.bottom(); ++y) {
        for (int x = r.left(); x <= r.right(); ++x) {
            const QRgb p = image.pixel(x, y);
            red += qRed(p);
            green += qGreen(p);
            blue += qBlue(p);
        }
    }
    const long long n = static_cast<long long>(r.width()) * r.height();
    return QColor(static_cast<int>(red / n), static_cast<int>(green / n),
                  static_cast<int>(blue / n));
}

bool isKeyColour(QRgb p) {
    return qRed(p) == 0 && qGreen(p) == 255 && qBlue(p) == 0;
}

}  // namespace

std::vector<Placement> plainPlacements() {
    std::vector<Placement> out;
    out.reserve(std::size(kPanelElements) + 31 + 11 * std::size(kDspBarRows));
    for (const FixedPlacement& p : kPanelElements) {
        out.push_back({p.number, Surface::Panel, p.x, p.y});
    }
    for (int k = 0; k < 31; ++k)
        out.push_back({1430, Surface::Panel, 59 + 5 * k, 61});
    for (int y : kDspBarRows) {
        for (int s = 0; s < 11; ++s)
            out.push_back({1361, Surface::Panel, 93 + 11 * s, y});
    }
    for (const auto& [surface, p] : kWindowElements) {
        out.push_back({p.number, surface, p.x, p.y});
    }
    return out;
}

void blitKeyed(QImage& target, const QImage& source, int x, int y) {
    for (int sy = 0; sy < source.height(); ++sy) {
        for (int sx = 0; sx < source.width(); ++sx) {
            const QRgb p = source.pixel(sx, sy);
            if (isKeyColour(p)) continue;
            const int tx = x + sx;
            const int ty = y + sy;
            if (tx < 0 || ty < 0 || tx >= target.width() || ty >= target.height()) continue;
            target.setPixel(tx, ty, p);
        }
    }
}

Artwork::Artwork(int scale) : scale_(scale) {}

QImage Artwork::background(Surface surface, bool highlighted) {
    const auto key = std::pair{static_cast<int>(surface), highlighted};
    if (auto it = backgrounds_.find(key); it != backgrounds_.end()) return it->second;
    const QSize size = surfaceSize(surface);
    QImage image = canvas(size.width(), size.height(), scale_);
    QPainter p;
    beginPainting(p, image);
    if (surface == Surface::Panel) {
        paintPanelBackground(p, highlighted);
    } else {
        paintDspBackground(p, dspWindowOf(surface), size.width(), size.height(), highlighted);
    }
    p.end();
    QImage flat = flatten(image);
    backgrounds_[key] = flat;
    return flat;
}

QColor Artwork::matteFor(int number) {
    const BitmapInfo* info = findBitmap(number);
    for (const Placement& p : plainPlacements()) {
        if (p.number != number) continue;
        const QRect under(p.x, p.y, info ? info->width : 1, info ? info->height : 1);
        return averageColour(background(p.surface, false),
                             QRect(under.topLeft() * scale_, under.size() * scale_));
    }
    return colour::kPanelBottom;
}

QImage Artwork::bitmap(int number) {
    if (auto it = cache_.find(number); it != cache_.end()) return it->second;
    QImage image = render(number);
    cache_[number] = image;
    return image;
}

QImage Artwork::render(int number) {
    const BitmapInfo* info = findBitmap(number);
    const Recipe* recipe = findRecipe(number);
    if (!info || !recipe) return {};
    const int w = info->width;
    const int h = info->height;
    const QString text = QString::fromUtf8(recipe->text);
    const char glyph = recipe->text[0];
    switch (recipe->kind) {
        case Kind::Icon:
            // The icon has no panel place: at a larger scale it is simply drawn larger.
            return paintIcon(w * scale_, h * scale_);
        case Kind::Key:
            return paintKey(w, h, text, QString::fromUtf8(recipe->lower),
                            static_cast<KeyLayout>(recipe->b), recipe->a == kDown, matteFor(number),
                            scale_);
        case Kind::ComKey:
            return paintComKey(w, h, recipe->a & 1, recipe->a & 2, matteFor(number), scale_);
        case Kind::PowerKey:
            return paintPowerKey(w, h, recipe->a & 1, recipe->a & 2, matteFor(number), scale_);
        case Kind::WindowKey:
            return paintWindowKey(w, h, recipe->a & 1, recipe->a & 2, matteFor(1304), scale_);
        case Kind::LargeDigit:
            return paintLargeDigit(w, h, glyph, recipe->a == kLit, scale_);
        case Kind::SmallGlyph:
            return paintSmallGlyph(w, h, glyph, recipe->a == kLit, scale_);
        case Kind::Point:
            return paintPoint(w, h, recipe->a == kLit, scale_);
        case Kind::ClarifierPoint:
            return paintClarifierPoint(w, h, scale_);
        case Kind::Label:
            return paintLabel(w, h, text, recipe->a == kLit, LabelStyle::Text, scale_);
        case Kind::AlertLabel:
            return paintLabel(w, h, text, recipe->a == kLit, LabelStyle::Alert, scale_);
        case Kind::BoxLabel:
            return paintLabel(w, h, text, recipe->a == kLit, LabelStyle::Box, scale_);
        case Kind::SignLabel:
            return paintSignLabel(w, h, glyph, recipe->a == kLit, scale_);
        case Kind::Marker:
            return paintMarker(w, h, recipe->a == kLit, scale_);
        case Kind::Segment:
            return paintBarSegment(w, h, recipe->a == kLit, scale_);
        case Kind::MeterScale:
            return paintMeterScale(w, h, recipe->a, scale_);
        case Kind::Antenna:
            return paintAntenna(w, h, recipe->a == kLit, scale_);
        case Kind::MainDial:
            return paintMainDial(w, h, matteFor(number), scale_);
        case Kind::Dimple:
            return paintDimple(w, h, scale_);
        case Kind::Knob:
            return paintKnob(w, h, recipe->a == kLit, matteFor(1478), scale_);
        case Kind::Pointer:
            return paintPointer(w, h, scale_);
        case Kind::Splash:
            return paintSplash(w, h, scale_);
        case Kind::MicEq:
            return paintMicEq(w, h, recipe->a, scale_);
        case Kind::Panel:
        case Kind::DspWindow: {
            const Surface surface =
                recipe->kind == Kind::Panel ? Surface::Panel : static_cast<Surface>(recipe->a);
            const bool lit = recipe->kind == Kind::Panel ? recipe->a == kLit : recipe->b == kLit;
            QImage picture = background(surface, lit);
            for (const Placement& p : plainPlacements()) {
                if (p.surface == surface) {
                    blitKeyed(picture, bitmap(p.number), p.x * scale_, p.y * scale_);
                }
            }
            return picture;
        }
    }
    return {};
}

QImage Artwork::preview() {
    QImage panel = bitmap(1484);
    const auto put = [&](int number, int x, int y) {
        blitKeyed(panel, bitmap(number), x * scale_, y * scale_);
    };

    // 14.250.000 Hz with the 100 Hz digit under the tuning cursor.
    constexpr std::array kLarge = {1346, 1347, 1348, 1345, 1350, 1351, 1352, 1353, 1354, 1349};
    constexpr std::array kLargeCursor = {1434, 1435, 1436, 1437, 1438,
                                         1433, 1440, 1441, 1442, 1443};
    constexpr std::array kSmall = {1444, 1439, 1446, 1447, 1448, 1449, 1450, 1445, 1452, 1453};
    constexpr std::array kLargeX = {221, 259, 307, 345, 383, 431, 469};
    const char* frequency = "14250000";
    for (std::size_t i = 0; i < kLargeX.size(); ++i) {
        const int d = frequency[i] - '0';
        put(i == 5 ? kLargeCursor[d] : kLarge[d], kLargeX[i], 96);
    }
    put(kSmall[frequency[7] - '0'], 507, 118);
    put(1357, 297, 136);
    put(1357, 421, 136);
    // VFO A, clarifier +0.12 kHz.
    put(1454, 544, 118);
    put(1461, 588, 118);
    put(kSmall[0], 610, 118);
    put(1456, 632, 118);
    put(kSmall[1], 654, 118);
    put(kSmall[2], 676, 118);
    put(1374, 596, 99);
    // Receiving on USB, squelch open, tuner on, antenna symbol lit.
    put(1429, 277, 62);
    put(1372, 234, 62);
    put(1425, 234, 77);
    put(1480, 475, 61);
    // S meter reading 120.
    put(1404, 42, 47);
    for (int k = 0; k < 31; ++k) {
        const int threshold = static_cast<int>(std::lround(255.0 * (k + 1) / 31));
        put(120 >= threshold ? 1431 : 1430, 59 + 5 * k, 61);
    }
    // ATT off, IPO off, NB on; AGC FAST.
    put(1411, 509, 61);
    put(1411, 549, 61);
    put(1410, 625, 61);
    put(1413, 625, 79);
    put(1362, 665, 70);
    // DNR level 4 selected on the DSP/SEL knob, WIDTH 2, SHIFT centred.
    put(1400, 45, 119);
    for (int s = 0; s < 11; ++s) {
        put(s < 4 ? 1368 : 1361, 93 + 11 * s, 124);
        put(s >= 3 && s <= 7 ? 1368 : 1361, 93 + 11 * s, 135);
        put(s == 5 ? 1368 : 1361, 93 + 11 * s, 146);
    }
    put(1419, 45, 141);
    put(1415, 93, 141);
    // Connected and switched on.
    put(1302, 36, 183);
    put(1330, 91, 179);
    // Main dial turned to 40 degrees, DSP/SEL knob with its pointer at 300 degrees.
    const auto trunc = [](double v) { return static_cast<int>(v); };
    const auto rad = [](int degrees) { return degrees * 0.01745328888888889; };
    put(1477, 446, 168);
    put(1476, 499 + trunc(25 * std::sin(rad(40))), 220 - trunc(25 * std::cos(rad(40))));
    put(1478, 144, 248);
    put(1475, 166 + trunc(10 * std::sin(rad(300))), 270 - trunc(10 * std::cos(rad(300))));
    // Value knobs with their red index: SQL 40, AF GAIN 128 (selected), SHIFT 0.
    QPainter p(&panel);
    p.setPen(QPen(QColor(255, 0, 0), 2));
    for (auto [cx, angle] : std::array<std::pair<int, int>, 3>{{{688, 40 * 119 / 100 + 207},
                                                                {792, 128 * 119 / 100 + 207},
                                                                {68, 15120 / 100 + 207}}}) {
        const int a = angle > 360 ? angle - 360 : angle;
        p.drawLine(QPoint(cx + trunc(19 * std::sin(rad(a))), 275 - trunc(19 * std::cos(rad(a)))),
                   QPoint(cx + trunc(24 * std::sin(rad(a))), 275 - trunc(24 * std::cos(rad(a)))));
    }
    const QRect afCaption(772, 229, 41, 7);
    p.drawImage(afCaption, bitmap(1485),
                QRect(afCaption.topLeft() * scale_, afCaption.size() * scale_));
    p.end();
    return panel;
}

std::optional<QString> findGreenFringe(const QImage& image) {
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            if (isKeyColour(p)) continue;
            // Anything whose green stands well above red and blue would read as transparent
            // on some displays and leave a fringe.
            if (qGreen(p) - std::max(qRed(p), qBlue(p)) > 40) {
                return QStringLiteral("pixel (%1, %2) = (%3, %4, %5)")
                    .arg(x)
                    .arg(y)
                    .arg(qRed(p))
                    .arg(qGreen(p))
                    .arg(qBlue(p));
            }
        }
    }
    return std::nullopt;
}

}  // namespace panelink::artwork
