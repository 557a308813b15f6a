// Checks the embedded artwork against the bitmap numbers, sizes and places the panel code
// relies on, and against the rules of keyed drawing (pure green is transparent).
#include "panelink/resources/bitmap_catalog.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QRect>
#include <QString>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

using panelink::bitmapCatalog;
using panelink::BitmapInfo;
using panelink::findBitmap;

// --- Reference data, typed from the element, dial and window tables ---------------------

struct SizeGroup {
    int width;
    int height;
    std::vector<int> numbers;
};

const std::vector<SizeGroup>& referenceSizes() {
    static const std::vector<SizeGroup> groups = {
        // Frequency digits: plain 0-9, blank, highlighted 0-9.
        {38, 52, {1346, 1347, 1348, 1345, 1350, 1351, 1352, 1353, 1354, 1349, 1358,
                  1434, 1435, 1436, 1437, 1438, 1433, 1440, 1441, 1442, 1443}},
        {22, 30, {1444, 1439, 1446, 1447, 1448, 1449, 1450, 1445, 1452, 1453, 1457,
                  1465, 1466, 1467, 1468, 1463, 1470, 1471, 1472, 1473, 1469}},
        // Clarifier point and sign, VFO/memory letters.
        {22, 30, {1456, 1461, 1459, 1454, 1455, 1458, 1464, 1462, 1460, 1451}},
        {10, 10, {1357, 1356}},
        // Meter.
        {182, 38, {1406, 1405, 1397, 1407, 1404}},
        {3, 9, {1430, 1431}},
        // Two-state labels.
        {33, 11, {1426, 1421, 1371, 1372, 1424, 1425}},
        {27, 11, {1395, 1396, 1428, 1429, 1375, 1376, 1365, 1366, 1389, 1390, 1377,
                  1378, 1383, 1384, 1381, 1382, 1432, 1427, 1387, 1388, 1393, 1394}},
        {11, 11, {1408, 1403, 1416, 1417}},
        {34, 11, {1414, 1409}},
        {31, 11, {1385, 1392}},
        {30, 11, {1369, 1370}},
        {26, 15, {1481, 1480}},
        {37, 11, {1401, 1402}},
        {28, 7, {1367, 1374}},
        {29, 7, {1422, 1423}},
        {43, 7, {1418, 1419}},
        {119, 2, {1420, 1415}},
        {4, 9, {1391, 1398}},
        {4, 7, {1399, 1400}},
        // ATT/IPO/NB boxes, AGC boxes, DSP bar segments.
        {21, 9, {1410, 1412, 1411, 1413}},
        {27, 9, {1359, 1355, 1363, 1360, 1362, 1364}},
        {9, 2, {1361, 1368}},
        // Key caps.
        {36, 30, {1344, 1341, 1342, 1343, 1326, 1327, 1312, 1313, 1338, 1339, 1332, 1333}},
        {32,
         32,
         {1340, 1335, 1524, 1525, 1520, 1521, 1522, 1523, 1308, 1303, 1336, 1337, 1320, 1321, 1328,
          1323, 1330, 1331}},
        {40, 28, {1314, 1309, 1322, 1317, 1324, 1325, 1298, 1299}},
        {48, 28, {1310, 1311, 1318, 1319, 1294, 1295, 1296, 1293}},
        {32, 28, {1290, 1291, 1316, 1315}},
        {42, 32, {1526, 1527}},
        {28, 24, {1300, 1301, 1302, 1297}},
        // Dials and knobs.
        {143, 143, {1477}},
        {39, 39, {1476}},
        {56, 56, {1478, 1479}},
        {12, 12, {1475}},
        // Pictures.
        {843, 320, {1484, 1485, 1474}},
        // DSP windows: backgrounds, their lit-field copies, the ON/OFF key.
        {328, 117, {1487, 1513}},
        {235, 117, {1493, 1512, 1490, 1514}},
        {42, 32, {1304, 1305, 1528, 1529}},
        // MIC EQ pictures and the program icon (its size is ours).
        {107, 345, {1506, 1507}},
        {64, 64, {1252}},
    };
    return groups;
}

// Where the plain picture shows each element in its plain state (keys released, labels
// dark, digits blank, dial at 0 degrees, knobs without pointer).
struct Place {
    int number;
    int x;
    int y;
};

std::vector<Place> referencePanelPlaces() {
    std::vector<Place> places = {
        {1358, 221, 96},
        {1358, 259, 96},
        {1358, 307, 96},
        {1358, 345, 96},
        {1358, 383, 96},
        {1358, 431, 96},
        {1358, 469, 96},
        {1457, 507, 118},
        {1356, 297, 136},
        {1356, 421, 136},
        {1457, 588, 118},
        {1457, 610, 118},
        {1457, 654, 118},
        {1457, 676, 118},
        {1457, 544, 118},
        {1457, 566, 118},
        {1404, 42, 47},
        {1426, 234, 47},
        {1371, 234, 62},
        {1424, 234, 77},
        {1395, 277, 47},
        {1428, 277, 62},
        {1375, 277, 77},
        {1365, 314, 47},
        {1389, 314, 62},
        {1377, 314, 77},
        {1383, 352, 47},
        {1381, 391, 47},
        {1408, 352, 62},
        {1416, 368, 62},
        {1432, 391, 62},
        {1414, 427, 62},
        {1385, 350, 77},
        {1369, 390, 77},
        {1387, 430, 77},
        {1393, 468, 77},
        {1481, 475, 61},
        {1401, 548, 97},
        {1367, 596, 99},
        {1422, 638, 99},
        {1418, 45, 141},
        {1420, 93, 141},
        {1391, 45, 92},
        {1391, 45, 106},
        {1399, 45, 119},
        {1399, 45, 130},
        {1410, 509, 61},
        {1412, 509, 79},
        {1410, 549, 61},
        {1412, 549, 79},
        {1410, 625, 61},
        {1412, 625, 79},
        {1359, 665, 60},
        {1355, 665, 70},
        {1363, 665, 80},
        // Keys.
        {1344, 779, 77},
        {1340, 662, 179},
        {1314, 277, 272},
        {1524, 221, 179},
        {1520, 341, 179},
        {1522, 281, 179},
        {1310, 399, 272},
        {1318, 588, 272},
        {1290, 604, 229},
        {1308, 722, 179},
        {1316, 399, 229},
        {1336, 221, 270},
        {1320, 782, 179},
        {1342, 730, 32},
        {1326, 779, 32},
        {1312, 730, 77},
        {1338, 730, 122},
        {1332, 779, 122},
        {1526, 151, 179},
        {1322, 277, 229},
        {1324, 337, 229},
        {1298, 337, 272},
        {1294, 399, 181},
        {1296, 588, 181},
        {1300, 36, 183},
        {1328, 91, 179},
        // Knobs; the main dial's dimple is checked with the dial below.
        {1478, 144, 248},
        {1478, 660, 248},
        {1478, 764, 248},
        {1478, 40, 248},
    };
    for (int k = 0; k < 31; ++k)
        places.push_back({1430, 59 + 5 * k, 61});
    for (int y : {99, 95, 113, 109, 124, 135, 146}) {
        for (int s = 0; s < 11; ++s)
            places.push_back({1361, 93 + 11 * s, y});
    }
    return places;
}

// --- Pixel helpers --------------------------------------------------------------------------

QImage load(int number) {
    const QImage image(QStringLiteral(":/bitmaps/%1.png").arg(number));
    return image.convertToFormat(QImage::Format_RGB32);
}

bool isKey(QRgb p) {
    return qRed(p) == 0 && qGreen(p) == 255 && qBlue(p) == 0;
}

// A colour a viewer could take for the transparent green: green well above red and blue.
bool isGreenish(QRgb p) {
    return qGreen(p) > qRed(p) + 40 && qGreen(p) > qBlue(p) + 40;
}

double luminance(QRgb p) {
    return 0.299 * qRed(p) + 0.587 * qGreen(p) + 0.114 * qBlue(p);
}

// Mean brightness of the drawn (non-green) pixels inside a rectangle.
double meanLuminance(const QImage& image, QRect rect = {}) {
    if (rect.isNull()) rect = image.rect();
    double sum = 0;
    int count = 0;
    for (int y = rect.top(); y <= rect.bottom(); ++y) {
        for (int x = rect.left(); x <= rect.right(); ++x) {
            const QRgb p = image.pixel(x, y);
            if (isKey(p)) continue;
            sum += luminance(p);
            ++count;
        }
    }
    return count ? sum / count : 0;
}

std::vector<bool> coverage(const QImage& image) {
    std::vector<bool> mask;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            mask.push_back(!isKey(image.pixel(x, y)));
    }
    return mask;
}

bool regionsEqual(const QImage& a, const QImage& b, const QRect& rect) {
    for (int y = rect.top(); y <= rect.bottom(); ++y) {
        for (int x = rect.left(); x <= rect.right(); ++x) {
            if (a.pixel(x, y) != b.pixel(x, y)) return false;
        }
    }
    return true;
}

std::string name(int number) {
    return std::to_string(number);
}

// --- Catalog ---------------------------------------------------------------------------------

TEST(BitmapCatalog, HoldsExactlyTheReferenceBitmapsWithTheirSizes) {
    std::map<int, std::pair<int, int>> expected;
    for (const SizeGroup& g : referenceSizes()) {
        for (int n : g.numbers) {
            ASSERT_TRUE(expected.emplace(n, std::pair{g.width, g.height}).second)
                << n << " listed twice";
        }
    }
    std::set<int> seen;
    for (const BitmapInfo& info : bitmapCatalog()) {
        ASSERT_TRUE(seen.insert(info.number).second) << info.number << " twice in the catalog";
        const auto it = expected.find(info.number);
        ASSERT_NE(it, expected.end()) << info.number << " is not a bitmap of the program";
        EXPECT_EQ(info.width, it->second.first) << info.number;
        EXPECT_EQ(info.height, it->second.second) << info.number;
        EXPECT_NE(std::string(info.description), "") << info.number;
    }
    EXPECT_EQ(seen.size(), expected.size());
}

TEST(BitmapCatalog, FindsEveryNumberAndNothingElse) {
    for (const SizeGroup& g : referenceSizes()) {
        for (int n : g.numbers) {
            const BitmapInfo* info = findBitmap(n);
            ASSERT_NE(info, nullptr) << n;
            EXPECT_EQ(info->number, n);
        }
    }
    // Gaps in the numbering, both ends, and the window template numbers.
    for (int n : {0, -1, 1251, 1253, 1289, 1292, 1306, 1373, 1482, 1499, 1500, 1503, 1530}) {
        EXPECT_EQ(findBitmap(n), nullptr) << n;
    }
}

// --- Every embedded bitmap ------------------------------------------------------------------

TEST(EmbeddedBitmaps, EachIsEmbeddedAtItsSizeAndShowsSomething) {
    for (const BitmapInfo& info : bitmapCatalog()) {
        SCOPED_TRACE(name(info.number));
        const QImage image = load(info.number);
        ASSERT_FALSE(image.isNull());
        EXPECT_EQ(image.width(), info.width);
        EXPECT_EQ(image.height(), info.height);
        bool drawn = false;
        for (int y = 0; y < image.height() && !drawn; ++y) {
            for (int x = 0; x < image.width() && !drawn; ++x)
                drawn = !isKey(image.pixel(x, y));
        }
        EXPECT_TRUE(drawn) << "all transparent";
    }
}

TEST(EmbeddedBitmaps, HaveNoGreenFringe) {
    for (const BitmapInfo& info : bitmapCatalog()) {
        const QImage image = load(info.number);
        int bad = 0;
        QString first;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                const QRgb p = image.pixel(x, y);
                if (isKey(p) || !isGreenish(p)) continue;
                if (bad++ == 0) {
                    first = QStringLiteral("(%1, %2) = %3,%4,%5")
                                .arg(x)
                                .arg(y)
                                .arg(qRed(p))
                                .arg(qGreen(p))
                                .arg(qBlue(p));
                }
            }
        }
        EXPECT_EQ(bad, 0) << info.number << ": near-green pixels, first at " << first.toStdString();
    }
}

QImage loadDoubleSize(int number) {
    const QImage image(QStringLiteral(":/bitmaps/%1@2x.png").arg(number));
    return image.convertToFormat(QImage::Format_RGB32);
}

// Mean difference per channel between the bitmap and the double-size one taken down to its
// size, over the pixels that are opaque in both; -1 when none are.
double meanDifferenceFromDoubleSize(const QImage& single, const QImage& doubled) {
    long long sum = 0;
    long long count = 0;
    for (int y = 0; y < single.height(); ++y) {
        for (int x = 0; x < single.width(); ++x) {
            if (isKey(single.pixel(x, y))) continue;
            int r = 0, g = 0, b = 0;
            bool keyed = false;
            for (int dy = 0; dy < 2; ++dy) {
                for (int dx = 0; dx < 2; ++dx) {
                    const QRgb p = doubled.pixel(2 * x + dx, 2 * y + dy);
                    keyed = keyed || isKey(p);
                    r += qRed(p);
                    g += qGreen(p);
                    b += qBlue(p);
                }
            }
            if (keyed) continue;
            const QRgb p = single.pixel(x, y);
            sum += std::abs(r / 4 - qRed(p)) + std::abs(g / 4 - qGreen(p)) +
                   std::abs(b / 4 - qBlue(p));
            count += 3;
        }
    }
    return count == 0 ? -1 : static_cast<double>(sum) / static_cast<double>(count);
}

// Drawn again at twice the size, not enlarged: the same picture at the same place, each
// bitmap covering twice the width and height, with no green fringe either.
TEST(EmbeddedBitmaps, EachIsEmbeddedAlsoAtTwiceItsSizeShowingTheSamePicture) {
    for (const BitmapInfo& info : bitmapCatalog()) {
        SCOPED_TRACE(name(info.number));
        const QImage doubled = loadDoubleSize(info.number);
        ASSERT_FALSE(doubled.isNull());
        ASSERT_EQ(doubled.size(), QSize(2 * info.width, 2 * info.height));
        const double difference = meanDifferenceFromDoubleSize(load(info.number), doubled);
        EXPECT_GE(difference, 0) << "no opaque pixel in common";
        EXPECT_LT(difference, 24);
        int greenish = 0;
        for (int y = 0; y < doubled.height(); ++y) {
            for (int x = 0; x < doubled.width(); ++x) {
                const QRgb p = doubled.pixel(x, y);
                if (!isKey(p) && isGreenish(p)) ++greenish;
            }
        }
        EXPECT_EQ(greenish, 0);
    }
}

TEST(EmbeddedBitmaps, PicturesAndDisplayElementsAreOpaque) {
    // Backgrounds are copied whole; display elements must hide whatever state was drawn
    // before them, so none of them may let the picture show through.
    for (const BitmapInfo& info : bitmapCatalog()) {
        const bool keyed = (info.number >= 1290 && info.number <= 1344) ||
                           (info.number >= 1475 && info.number <= 1479) ||
                           (info.number >= 1520 && info.number <= 1529) || info.number == 1506 ||
                           info.number == 1507 || info.number == 1252;
        if (keyed) continue;
        const QImage image = load(info.number);
        const auto mask = coverage(image);
        EXPECT_EQ(std::count(mask.begin(), mask.end(), false), 0)
            << info.number << " has transparent pixels";
    }
}

// --- States of one place --------------------------------------------------------------------

// Bitmaps drawn at the same place, one per state. Each must cover exactly the pixels of the
// others, or switching states leaves traces of the previous one on the screen.
const std::vector<std::vector<int>>& stateGroups() {
    static const std::vector<std::vector<int>> groups = {
        {1344, 1341},
        {1340, 1335},
        {1314, 1309},
        {1524, 1525},
        {1520, 1521},
        {1522, 1523},
        {1310, 1311},
        {1318, 1319},
        {1290, 1291},
        {1308, 1303},
        {1316, 1315},
        {1336, 1337},
        {1320, 1321},
        {1342, 1343},
        {1326, 1327},
        {1312, 1313},
        {1338, 1339},
        {1332, 1333},
        {1526, 1527},
        {1322, 1317},
        {1324, 1325},
        {1298, 1299},
        {1294, 1295},
        {1296, 1293},
        {1300, 1301, 1302, 1297},
        {1328, 1323, 1330, 1331},
        {1304, 1305, 1528, 1529},
        {1478, 1479},
    };
    return groups;
}

TEST(StateBitmaps, StatesOfOnePlaceCoverTheSamePixels) {
    for (const auto& group : stateGroups()) {
        const auto first = coverage(load(group.front()));
        for (int n : group)
            EXPECT_EQ(coverage(load(n)), first) << n << " vs " << group.front();
    }
}

// Mean brightness of each image over the pixels where the two differ: what changes when
// one state replaces the other.
std::pair<double, double> changedLuminance(const QImage& a, const QImage& b) {
    double sumA = 0;
    double sumB = 0;
    int count = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            if (a.pixel(x, y) == b.pixel(x, y)) continue;
            sumA += luminance(a.pixel(x, y));
            sumB += luminance(b.pixel(x, y));
            ++count;
        }
    }
    return count ? std::pair{sumA / count, sumB / count} : std::pair{0.0, 0.0};
}

TEST(StateBitmaps, PressedKeyCapsAreDarkerThanReleased) {
    // Pairs (released, pressed) from the key cap table; a swap would show keys pressed at rest.
    const std::vector<std::pair<int, int>> pairs = {
        {1344, 1341}, {1340, 1335}, {1314, 1309}, {1524, 1525}, {1520, 1521}, {1522, 1523},
        {1310, 1311}, {1318, 1319}, {1290, 1291}, {1308, 1303}, {1316, 1315}, {1336, 1337},
        {1320, 1321}, {1342, 1343}, {1326, 1327}, {1312, 1313}, {1338, 1339}, {1332, 1333},
        {1526, 1527}, {1322, 1317}, {1324, 1325}, {1298, 1299}, {1294, 1295}, {1296, 1293},
        {1300, 1301}, {1302, 1297}, {1328, 1323}, {1330, 1331}, {1304, 1305}, {1528, 1529},
    };
    for (auto [released, pressed] : pairs) {
        const auto [up, down] = changedLuminance(load(released), load(pressed));
        EXPECT_GT(up, down + 5) << pressed << " should look pressed next to " << released;
    }
}

TEST(StateBitmaps, LitFormsAreClearlyBrighterThanDarkForms) {
    // Pairs (dark, lit) from the element tables.
    const std::vector<std::pair<int, int>> pairs = {
        {1426, 1421},
        {1371, 1372},
        {1424, 1425},
        {1395, 1396},
        {1428, 1429},
        {1375, 1376},
        {1365, 1366},
        {1389, 1390},
        {1377, 1378},
        {1383, 1384},
        {1381, 1382},
        {1408, 1403},
        {1416, 1417},
        {1432, 1427},
        {1414, 1409},
        {1385, 1392},
        {1369, 1370},
        {1387, 1388},
        {1393, 1394},
        {1481, 1480},
        {1401, 1402},
        {1367, 1374},
        {1422, 1423},
        {1418, 1419},
        {1420, 1415},
        {1391, 1398},
        {1399, 1400},
        {1410, 1411},
        {1412, 1413},
        {1359, 1360},
        {1355, 1362},
        {1363, 1364},
        {1361, 1368},
        {1430, 1431},
        {1356, 1357},
        // COM and ON/OFF: unlit and lit, released and pressed.
        {1300, 1302},
        {1301, 1297},
        {1328, 1330},
        {1323, 1331},
        {1304, 1528},
        {1305, 1529},
    };
    for (auto [dark, lit] : pairs) {
        const auto [darkLum, litLum] = changedLuminance(load(dark), load(lit));
        EXPECT_GT(litLum, darkLum + 12) << lit << " should be lit next to " << dark;
    }
}

TEST(StateBitmaps, DarkLabelsStillShowTheirText) {
    // Faint but there: a dark label is more than a bare stretch of display.
    for (int dark :
         {1426, 1371, 1424, 1395, 1428, 1375, 1365, 1389, 1377, 1383, 1381, 1432, 1414, 1385, 1369,
          1387, 1393, 1401, 1367, 1422, 1418, 1410, 1412, 1359, 1355, 1363, 1408, 1416, 1481}) {
        const QImage image = load(dark);
        std::set<QRgb> colours;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x)
                colours.insert(image.pixel(x, y));
        }
        EXPECT_GE(colours.size(), 2u) << dark << " is a single colour";
    }
}

// --- Digits and letters ---------------------------------------------------------------------

// Probe points of a display cell, at the middle of each segment of an upright, leaning cell:
// a top, b upper right, c lower right, d bottom, e lower left, f upper left, g middle (left
// half), i centre stroke (upper half, starburst cells only).
enum Probe { kA, kB, kC, kD, kE, kF, kG, kI, kProbes };

struct CellGeometry {
    double left, centre, middleLeft, right;    // x of the segments' centre lines
    double top, upper, middle, lower, bottom;  // y of the same
    double lean;                               // x shift per pixel above the middle
};

// Large cells: 38 x 52; small cells: 22 x 30.
constexpr CellGeometry kLargeCell{9.6, 19.5, 19.5, 29.4, 6.6, 16.3, 26, 35.7, 45.4, 0.09};
constexpr CellGeometry kSmallCell{5.45, 11, 8.2, 16.55, 4.45, 9.7, 15, 20.3, 25.55, 0.09};

unsigned readCell(const QImage& image, const CellGeometry& g, bool inverted) {
    const std::array<std::pair<double, double>, kProbes> points = {{
        {g.centre, g.top},
        {g.right, g.upper},
        {g.right, g.lower},
        {g.centre, g.bottom},
        {g.left, g.lower},
        {g.left, g.upper},
        {g.middleLeft, g.middle},
        {g.centre, g.upper},
    }};
    unsigned mask = 0;
    for (int i = 0; i < kProbes; ++i) {
        const double x = points[i].first + (g.middle - points[i].second) * g.lean;
        const QRgb p = image.pixel(static_cast<int>(x), static_cast<int>(points[i].second));
        // Lit segments glow on the dark display; under the cursor they are dark on a lit block.
        const bool lit = inverted ? luminance(p) < 80 : luminance(p) > 120;
        if (lit) mask |= 1u << i;
    }
    return mask;
}

unsigned expectedProbes(char glyph, bool starburst) {
    const std::map<char, std::string> segments = {
        {'0', "abcdef"}, {'1', "bc"},     {'2', "abdeg"}, {'3', "abcdg"},   {'4', "bcfg"},
        {'5', "acdfg"},  {'6', "acdefg"}, {'7', "abc"},   {'8', "abcdefg"}, {'9', "abcdfg"},
        {' ', ""},       {'A', "abcefg"}, {'B', "abcdi"}, {'H', "bcefg"},   {'M', "bcef"},
        {'P', "abefg"},  {'Q', "abcdef"}, {'T', "ai"},    {'+', "gi"},      {'-', "g"},
    };
    unsigned mask = 0;
    for (char s : segments.at(glyph)) {
        const int bit = s == 'i' ? kI : s - 'a';
        if (bit == kI && !starburst) continue;
        mask |= 1u << bit;
    }
    return mask;
}

TEST(DisplayDigits, EachNumberShowsItsDigit) {
    // Digit states 0..9 and 11..20 of the large and small digit groups.
    const std::array<int, 10> large = {1346, 1347, 1348, 1345, 1350, 1351, 1352, 1353, 1354, 1349};
    const std::array<int, 10> largeCursor = {1434, 1435, 1436, 1437, 1438,
                                             1433, 1440, 1441, 1442, 1443};
    const std::array<int, 10> small = {1444, 1439, 1446, 1447, 1448, 1449, 1450, 1445, 1452, 1453};
    const std::array<int, 10> smallCursor = {1465, 1466, 1467, 1468, 1463,
                                             1470, 1471, 1472, 1473, 1469};
    for (int d = 0; d < 10; ++d) {
        const char glyph = static_cast<char>('0' + d);
        EXPECT_EQ(readCell(load(large[d]), kLargeCell, false), expectedProbes(glyph, false))
            << large[d] << " should show " << d;
        EXPECT_EQ(readCell(load(largeCursor[d]), kLargeCell, true), expectedProbes(glyph, false))
            << largeCursor[d] << " should show " << d << " under the cursor";
        EXPECT_EQ(readCell(load(small[d]), kSmallCell, false), expectedProbes(glyph, true))
            << small[d] << " should show " << d;
        EXPECT_EQ(readCell(load(smallCursor[d]), kSmallCell, true), expectedProbes(glyph, true))
            << smallCursor[d] << " should show " << d << " under the cursor";
    }
    EXPECT_EQ(readCell(load(1358), kLargeCell, false), 0u) << "large blank";
    EXPECT_EQ(readCell(load(1457), kSmallCell, false), 0u) << "small blank";
}

TEST(DisplayDigits, CursorDigitsSitOnALitBlock) {
    // Inside the upper loop of the digit, between segments, lies the cell's background: dark
    // on a plain digit, lit under the cursor.
    const auto background = [](int number, const CellGeometry& g) {
        const QImage image = load(number);
        return luminance(image.pixel(static_cast<int>(g.centre + (g.middle - g.upper) * g.lean),
                                     static_cast<int>(g.upper)));
    };
    for (int n : {1346, 1347, 1348, 1345, 1350, 1351, 1352, 1353, 1354, 1349}) {
        EXPECT_LT(background(n, kLargeCell), 60) << n;
    }
    for (int n : {1434, 1435, 1436, 1437, 1438, 1433, 1440, 1441, 1442, 1443}) {
        EXPECT_GT(background(n, kLargeCell), 120) << n;
    }
    for (int n : {1444, 1439, 1446, 1447, 1448, 1449, 1450, 1445, 1452, 1453}) {
        EXPECT_LT(background(n, kSmallCell), 60) << n;
    }
    for (int n : {1465, 1466, 1467, 1468, 1463, 1470, 1471, 1472, 1473, 1469}) {
        EXPECT_GT(background(n, kSmallCell), 120) << n;
    }
}

TEST(DisplayDigits, LettersAndSignsShowTheirShape) {
    const std::vector<std::pair<int, char>> cells = {
        {1454, 'A'}, {1455, 'B'}, {1458, 'M'}, {1464, 'T'}, {1462, 'Q'},
        {1460, 'P'}, {1451, 'H'}, {1461, '+'}, {1459, '-'},
    };
    for (auto [number, glyph] : cells) {
        EXPECT_EQ(readCell(load(number), kSmallCell, false), expectedProbes(glyph, true))
            << number << " should show " << glyph;
    }
}

// --- Pictures -------------------------------------------------------------------------------

TEST(PanelPicture, ShowsEveryElementInItsPlainStateAtItsPlace) {
    // Drawing an element's plain state on the picture must change nothing.
    const QImage panel = load(1484);
    for (const Place& place : referencePanelPlaces()) {
        const QImage element = load(place.number);
        int differing = 0;
        for (int y = 0; y < element.height(); ++y) {
            for (int x = 0; x < element.width(); ++x) {
                const QRgb p = element.pixel(x, y);
                if (!isKey(p) && panel.pixel(place.x + x, place.y + y) != p) ++differing;
            }
        }
        EXPECT_EQ(differing, 0) << place.number << " at " << place.x << ", " << place.y;
    }
}

TEST(PanelPicture, MainDialAndDimpleSitAtAngleZero) {
    // Dial 1477 at (446, 168); dimple 1476 at angle 0: (499 + 0, 220 - 25).
    const QImage panel = load(1484);
    const QImage dial = load(1477);
    const QImage dimple = load(1476);
    const QRect dimpleRect(499, 195, 39, 39);
    for (int y = 0; y < dial.height(); ++y) {
        for (int x = 0; x < dial.width(); ++x) {
            const QPoint at(446 + x, 168 + y);
            if (dimpleRect.contains(at)) continue;
            const QRgb p = dial.pixel(x, y);
            if (!isKey(p)) {
                ASSERT_EQ(panel.pixel(at), p) << "dial at " << x << ", " << y;
            }
        }
    }
    for (int y = 0; y < dimple.height(); ++y) {
        for (int x = 0; x < dimple.width(); ++x) {
            const QRgb p = dimple.pixel(x, y);
            if (!isKey(p)) {
                ASSERT_EQ(panel.pixel(499 + x, 195 + y), p) << "dimple " << x << ", " << y;
            }
        }
    }
}

// A picture and its variant with some captions lit: the same outside the captions,
// brighter inside each of them.
void expectLitOnlyIn(int plainNumber, int litNumber, const std::vector<QRect>& rects) {
    const QImage plain = load(plainNumber);
    const QImage lit = load(litNumber);
    ASSERT_EQ(plain.size(), lit.size());
    for (int y = 0; y < plain.height(); ++y) {
        for (int x = 0; x < plain.width(); ++x) {
            bool inside = false;
            for (const QRect& r : rects)
                inside = inside || r.contains(x, y);
            if (!inside) {
                ASSERT_EQ(plain.pixel(x, y), lit.pixel(x, y))
                    << litNumber << " differs outside its captions at " << x << ", " << y;
            }
        }
    }
    for (const QRect& r : rects) {
        EXPECT_FALSE(regionsEqual(plain, lit, r)) << litNumber << " caption at " << r.x();
        EXPECT_GT(meanLuminance(lit, r), meanLuminance(plain, r)) << litNumber << " at " << r.x();
    }
}

TEST(PanelPicture, LitVariantDiffersOnlyInTheKnobCaptions) {
    // Captions 0 (SHIFT), 1 (AF GAIN), 2 and 3 (SQL/RF GAIN, one rectangle).
    expectLitOnlyIn(1484, 1485,
                    {QRect(37, 229, 61, 7), QRect(772, 229, 41, 7), QRect(653, 229, 71, 7)});
}

TEST(DspWindowPictures, HighlightsDifferOnlyInTheValueFields) {
    expectLitOnlyIn(1487, 1513, {QRect(135, 14, 63, 7), QRect(264, 14, 24, 7)});
    expectLitOnlyIn(1493, 1512, {QRect(135, 14, 63, 7)});
    expectLitOnlyIn(1490, 1514, {QRect(156, 14, 20, 7)});
}

TEST(DspWindowPictures, ShowTheKeyAndKnobsInPlace) {
    const std::vector<std::pair<int, std::vector<Place>>> windows = {
        {1487, {{1304, 34, 33}, {1478, 138, 39}, {1478, 248, 39}}},
        {1493, {{1304, 34, 33}, {1478, 138, 39}}},
        {1490, {{1304, 34, 33}, {1478, 138, 39}}},
    };
    for (const auto& [background, places] : windows) {
        const QImage picture = load(background);
        for (const Place& place : places) {
            const QImage element = load(place.number);
            for (int y = 0; y < element.height(); ++y) {
                for (int x = 0; x < element.width(); ++x) {
                    const QRgb p = element.pixel(x, y);
                    if (!isKey(p)) {
                        ASSERT_EQ(picture.pixel(place.x + x, place.y + y), p)
                            << background << ": " << place.number << " at " << x << ", " << y;
                    }
                }
            }
        }
    }
}

TEST(RoundControls, AreRoundOverThePanel) {
    // Corners transparent, middle drawn: the panel shows round the dial, knobs and dimple.
    for (int n : {1477, 1476, 1478, 1479, 1475}) {
        const QImage image = load(n);
        const int w = image.width() - 1;
        const int h = image.height() - 1;
        for (QPoint corner : {QPoint(0, 0), QPoint(w, 0), QPoint(0, h), QPoint(w, h)}) {
            EXPECT_TRUE(isKey(image.pixel(corner))) << n << " corner " << corner.x();
        }
        EXPECT_FALSE(isKey(image.pixel(w / 2, h / 2))) << n;
        // A point just inside the rim on the diagonal is drawn, one just outside is not.
        const double r = image.width() / 2.0;
        const auto at = [&](double dist) {
            const int p = static_cast<int>(r - dist / std::sqrt(2.0));
            return image.pixel(p, p);
        };
        EXPECT_FALSE(isKey(at(r - 2))) << n;
        EXPECT_TRUE(isKey(at(r + 2))) << n;
    }
}

TEST(MicEqPictures, HaveContentOnATransparentGround) {
    for (int n : {1506, 1507}) {
        const auto mask = coverage(load(n));
        const auto drawn = std::count(mask.begin(), mask.end(), true);
        EXPECT_GT(drawn, static_cast<long>(mask.size()) / 2) << n;
        EXPECT_LT(drawn, static_cast<long>(mask.size())) << n << " has no transparent ground";
    }
    EXPECT_FALSE(regionsEqual(load(1506), load(1507), QRect(0, 0, 107, 345)))
        << "the two columns show different presets";
}

}  // namespace
