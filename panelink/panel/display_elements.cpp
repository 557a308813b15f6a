#include "panelink/panel/display_elements.h"

#include <array>

namespace panelink {
namespace {

using W = WindowMessage;

struct Rect {
    int x;
    int y;
    int width;
    int height;
};

// Frequency digit bitmaps by state: digits 0..9, blank, highlighted 0..9, highlighted blank.
constexpr std::array<int, kDigitStateCount> kLargeDigitBitmaps{
    1346, 1347, 1348, 1345, 1350, 1351, 1352, 1353, 1354, 1349, 1358,
    1434, 1435, 1436, 1437, 1438, 1433, 1440, 1441, 1442, 1443, 1358};
constexpr std::array<int, kDigitStateCount> kSmallDigitBitmaps{
    1444, 1439, 1446, 1447, 1448, 1449, 1450, 1445, 1452, 1453, 1457,
    1465, 1466, 1467, 1468, 1463, 1470, 1471, 1472, 1473, 1469, 1457};

// Characters 0..6 of the frequency are large digits, character 7 (1 Hz) a small one.
constexpr std::array<Rect, 8> kFrequencyDigitRects{{
    {221, 96, 38, 52},
    {259, 96, 38, 52},
    {307, 96, 38, 52},
    {345, 96, 38, 52},
    {383, 96, 38, 52},
    {431, 96, 38, 52},
    {469, 96, 38, 52},
    {507, 118, 22, 30},
}};

constexpr std::array<int, 3> kClarifierDigitX{610, 654, 676};
constexpr int kSmallY = 118;
constexpr int kSmallWidth = 22;
constexpr int kSmallHeight = 30;

// A, B, M, T, Q, P, H, blank.
constexpr std::array<int, 8> kLetterBitmaps{1454, 1455, 1458, 1464, 1462, 1460, 1451, 1457};

constexpr std::array<int, 5> kMeterScaleBitmaps{1406, 1405, 1397, 1407, 1404};

struct LabelPlace {
    Rect rect;
    int dark;
    int lit;
};

// In PanelLabel order.
constexpr std::array<LabelPlace, kPanelLabelCount> kLabels{{
    {{234, 47, 33, 11}, 1426, 1421},  // TX
    {{234, 62, 33, 11}, 1371, 1372},  // BUSY
    {{234, 77, 33, 11}, 1424, 1425},  // TUNER
    {{277, 47, 27, 11}, 1395, 1396},  // LSB
    {{277, 62, 27, 11}, 1428, 1429},  // USB
    {{277, 77, 27, 11}, 1375, 1376},  // CW
    {{314, 47, 27, 11}, 1365, 1366},  // AM
    {{314, 62, 27, 11}, 1389, 1390},  // FM
    {{314, 77, 27, 11}, 1377, 1378},  // DATA
    {{352, 47, 27, 11}, 1383, 1384},  // ENC
    {{391, 47, 27, 11}, 1381, 1382},  // DEC
    {{352, 62, 11, 11}, 1408, 1403},  // repeater minus
    {{368, 62, 11, 11}, 1416, 1417},  // repeater plus
    {{391, 62, 27, 11}, 1432, 1427},  // VOX
    {{427, 62, 34, 11}, 1414, 1409},  // PBACK
    {{350, 77, 31, 11}, 1385, 1392},  // KEYER
    {{390, 77, 30, 11}, 1369, 1370},  // BK-IN
    {{430, 77, 27, 11}, 1387, 1388},  // FAST
    {{468, 77, 27, 11}, 1393, 1394},  // LOCK
    {{475, 61, 26, 15}, 1481, 1480},  // antenna symbol
    {{548, 97, 37, 11}, 1401, 1402},  // MENU
    {{596, 99, 28, 7}, 1367, 1374},   // CLAR
    {{638, 99, 29, 7}, 1422, 1423},   // SPLIT
    {{45, 141, 43, 7}, 1418, 1419},   // SHIFT caption
    {{93, 141, 119, 2}, 1420, 1415},  // SHIFT base line
    {{45, 92, 4, 9}, 1391, 1398},     // CONTOUR marker
    {{45, 106, 4, 9}, 1391, 1398},    // NOTCH marker
    {{45, 119, 4, 7}, 1399, 1400},    // DNR marker
    {{45, 130, 4, 7}, 1399, 1400},    // WIDTH marker
}};

// ATT, IPO, NB columns; the OFF box sits above the ON box.
constexpr std::array<int, 3> kOnOffX{509, 549, 625};
constexpr int kOffBoxY = 61;
constexpr int kOnBoxY = 79;

constexpr std::array<int, kBarRowCount> kBarRowY{99, 95, 113, 109, 124, 135, 146};

struct KeyCapPlace {
    WindowMessage message;
    const char* name;
    Rect rect;
    int released;
    int pressed;
};

constexpr std::array<KeyCapPlace, 24> kKeyCapPlaces{{
    {W::VoxStoKey, "VOX/STO", {779, 77, 36, 30}, 1344, 1341},
    {W::TuneKey, "TUNE", {662, 179, 32, 32}, 1340, 1335},
    {W::KeyerKey, "KEYER", {277, 272, 40, 28}, 1314, 1309},
    {W::IpoAttKey, "IPO/ATT", {221, 179, 32, 32}, 1524, 1525},
    {W::AgcKey, "AGC", {341, 179, 32, 32}, 1520, 1521},
    {W::NbKey, "NB", {281, 179, 32, 32}, 1522, 1523},
    {W::FastKey, "FAST", {399, 272, 48, 28}, 1310, 1311},
    {W::LockKey, "LOCK", {588, 272, 48, 28}, 1318, 1319},
    {W::VfoSwapKey, "A/B", {604, 229, 32, 28}, 1290, 1291},
    {W::FunctionKey, "F", {722, 179, 32, 32}, 1308, 1303},
    {W::VfoCopyKey, "A=B", {399, 229, 32, 28}, 1316, 1315},
    {W::SelKey, "SEL", {221, 270, 32, 32}, 1336, 1337},
    {W::MeterKey, "METER", {782, 179, 32, 32}, 1320, 1321},
    {W::VoiceKey, "VOICE/C.S", {730, 32, 36, 30}, 1342, 1343},
    {W::MemoryWriteKey, "MW/V/M", {779, 32, 36, 30}, 1326, 1327},
    {W::HomeKey, "HOME/RCL", {730, 77, 36, 30}, 1312, 1313},
    {W::StepKey, "STEP/SPLIT", {730, 122, 36, 30}, 1338, 1339},
    {W::PmsKey, "PMS/SCAN", {779, 122, 36, 30}, 1332, 1333},
    {W::DspKey, "DSP", {151, 179, 42, 32}, 1526, 1527},
    {W::ModeDownKey, "MODE down", {277, 229, 40, 28}, 1322, 1317},
    {W::ModeUpKey, "MODE up", {337, 229, 40, 28}, 1324, 1325},
    {W::ClarKey, "CLAR", {337, 272, 40, 28}, 1298, 1299},
    {W::BandDownKey, "BAND down", {399, 181, 48, 28}, 1294, 1295},
    {W::BandUpKey, "BAND up", {588, 181, 48, 28}, 1296, 1293},
}};

constexpr std::array<KeyCapInfo, kKeyCapPlaces.size()> makeKeyCapInfos() {
    std::array<KeyCapInfo, kKeyCapPlaces.size()> infos{};
    for (std::size_t i = 0; i < kKeyCapPlaces.size(); ++i) {
        infos[i] = {kKeyCapPlaces[i].message, kKeyCapPlaces[i].name};
    }
    return infos;
}
constexpr auto kKeyCapInfos = makeKeyCapInfos();

// Released, pressed, released lit, pressed lit.
constexpr Rect kComRect{36, 183, 28, 24};
constexpr std::array<int, 4> kComBitmaps{1300, 1301, 1302, 1297};
constexpr Rect kPowerRect{91, 179, 32, 32};
constexpr std::array<int, 4> kPowerBitmaps{1328, 1323, 1330, 1331};

constexpr std::array<CaptionRect, kCaptionCount> kCaptionRects{{
    {37, 229, 61, 7},
    {772, 229, 41, 7},
    {653, 229, 71, 7},
    {653, 229, 71, 7},
}};

constexpr std::size_t kSlotCapacity = 640;
constexpr std::size_t kGroupCapacity = 256;

struct Table {
    std::array<DisplayElement, kSlotCapacity> elements{};
    std::array<ElementGroupInfo, kGroupCapacity> groups{};
    std::size_t slotCount = 0;
    std::size_t groupCount = 0;
    bool overflow = false;

    constexpr void group(ElementFamily family, int index) {
        if (groupCount == kGroupCapacity) {
            overflow = true;
            return;
        }
        groups[groupCount++] = {family, index, static_cast<int>(slotCount), 0};
    }
    constexpr void add(int bitmap, Rect rect) {
        if (slotCount == kSlotCapacity || groupCount == 0) {
            overflow = true;
            return;
        }
        elements[slotCount++] = {bitmap, rect.x, rect.y, rect.width, rect.height};
        ++groups[groupCount - 1].stateCount;
    }
};

constexpr Table buildTable() {
    Table t;
    for (int c = 0; c < 8; ++c) {
        t.group(ElementFamily::FrequencyDigit, c);
        const auto& bitmaps = c < 7 ? kLargeDigitBitmaps : kSmallDigitBitmaps;
        for (int bitmap : bitmaps)
            t.add(bitmap, kFrequencyDigitRects[static_cast<std::size_t>(c)]);
    }

    t.group(ElementFamily::FrequencyPoint, 0);
    t.add(1357, {297, 136, 10, 10});
    t.add(1357, {421, 136, 10, 10});
    t.add(1356, {297, 136, 10, 10});

    for (int c = 0; c < 3; ++c) {
        t.group(ElementFamily::ClarifierDigit, c);
        for (int digit = 0; digit < 10; ++digit) {
            t.add(kSmallDigitBitmaps[static_cast<std::size_t>(digit)],
                  {kClarifierDigitX[static_cast<std::size_t>(c)], kSmallY, kSmallWidth,
                   kSmallHeight});
        }
    }
    t.group(ElementFamily::ClarifierPoint, 0);
    t.add(1456, {632, kSmallY, kSmallWidth, kSmallHeight});
    t.group(ElementFamily::ClarifierSign, 0);
    for (int bitmap : {1457, 1461, 1459})
        t.add(bitmap, {588, kSmallY, kSmallWidth, kSmallHeight});

    t.group(ElementFamily::VfoLetter, 0);
    for (int x : {544, 566}) {
        for (int bitmap : kLetterBitmaps)
            t.add(bitmap, {x, kSmallY, kSmallWidth, kSmallHeight});
    }

    t.group(ElementFamily::MeterScale, 0);
    for (int bitmap : kMeterScaleBitmaps)
        t.add(bitmap, {42, 47, 182, 38});
    for (int k = 0; k < kMeterSegmentCount; ++k) {
        t.group(ElementFamily::MeterSegment, k);
        t.add(1430, {59 + 5 * k, 61, 3, 9});
        t.add(1431, {59 + 5 * k, 61, 3, 9});
    }

    for (int i = 0; i < kPanelLabelCount; ++i) {
        const auto& label = kLabels[static_cast<std::size_t>(i)];
        t.group(ElementFamily::Label, i);
        t.add(label.dark, label.rect);
        t.add(label.lit, label.rect);
    }

    for (int i = 0; i < 3; ++i) {
        const int x = kOnOffX[static_cast<std::size_t>(i)];
        t.group(ElementFamily::OnOffBox, i);
        t.add(1410, {x, kOffBoxY, 21, 9});
        t.add(1412, {x, kOnBoxY, 21, 9});
        t.add(1411, {x, kOffBoxY, 21, 9});
        t.add(1413, {x, kOnBoxY, 21, 9});
    }

    t.group(ElementFamily::AgcBox, 0);
    t.add(1359, {665, 60, 27, 9});
    t.add(1355, {665, 70, 27, 9});
    t.add(1363, {665, 80, 27, 9});
    t.add(1360, {665, 60, 27, 9});
    t.add(1362, {665, 70, 27, 9});
    t.add(1364, {665, 80, 27, 9});

    for (int row = 0; row < kBarRowCount; ++row) {
        for (int s = 0; s < kBarSegmentCount; ++s) {
            const Rect rect{93 + 11 * s, kBarRowY[static_cast<std::size_t>(row)], 9, 2};
            t.group(ElementFamily::BarSegment, row * kBarSegmentCount + s);
            t.add(1361, rect);
            t.add(1368, rect);
        }
    }

    for (std::size_t i = 0; i < kKeyCapPlaces.size(); ++i) {
        const auto& key = kKeyCapPlaces[i];
        t.group(ElementFamily::KeyCap, static_cast<int>(i));
        t.add(key.released, key.rect);
        t.add(key.pressed, key.rect);
    }

    t.group(ElementFamily::FourStateKey, static_cast<int>(FourStateKey::Com));
    for (int bitmap : kComBitmaps)
        t.add(bitmap, kComRect);
    t.group(ElementFamily::FourStateKey, static_cast<int>(FourStateKey::Power));
    for (int bitmap : kPowerBitmaps)
        t.add(bitmap, kPowerRect);

    t.group(ElementFamily::Dial, static_cast<int>(DialPart::MainDial));
    t.add(1477, {446, 168, 143, 143});
    t.group(ElementFamily::Dial, static_cast<int>(DialPart::MainDialDimple));
    t.add(1476, {499, 220, 39, 39});
    t.group(ElementFamily::Dial, static_cast<int>(DialPart::DspSelKnob));
    t.add(1478, {144, 248, 56, 56});
    t.add(1479, {144, 248, 56, 56});
    t.group(ElementFamily::Dial, static_cast<int>(DialPart::DspSelPointer));
    t.add(1475, {166, 270, 12, 12});
    t.group(ElementFamily::Dial, static_cast<int>(DialPart::SqlRfKnob));
    t.add(1478, {660, 248, 56, 56});
    t.group(ElementFamily::Dial, static_cast<int>(DialPart::AfGainKnob));
    t.add(1478, {764, 248, 56, 56});
    t.group(ElementFamily::Dial, static_cast<int>(DialPart::ShiftKnob));
    t.add(1478, {40, 248, 56, 56});
    return t;
}

constexpr Table kTable = buildTable();
static_assert(!kTable.overflow, "element table capacity too small");

// Groups of one family are consecutive and numbered from 0, so a group is found by offset.
constexpr int familyStart(ElementFamily family) {
    for (std::size_t g = 0; g < kTable.groupCount; ++g) {
        if (kTable.groups[g].family == family) return static_cast<int>(g);
    }
    return -1;
}

constexpr bool familiesConsecutive() {
    for (std::size_t g = 0; g < kTable.groupCount; ++g) {
        const auto& info = kTable.groups[g];
        const int start = familyStart(info.family);
        if (start < 0 ||
            static_cast<std::size_t>(start) + static_cast<std::size_t>(info.index) != g)
            return false;
    }
    return true;
}
static_assert(familiesConsecutive(), "element groups of a family must be consecutive");

}  // namespace

std::span<const DisplayElement> displayElements() {
    return {kTable.elements.data(), kTable.slotCount};
}

std::span<const ElementGroupInfo> elementGroups() {
    return {kTable.groups.data(), kTable.groupCount};
}

int familyGroupCount(ElementFamily family) {
    int count = 0;
    for (const auto& info : elementGroups()) {
        if (info.family == family) ++count;
    }
    return count;
}

const DisplayElement* findElement(ElementFamily family, int index, int state) {
    const int start = familyStart(family);
    if (start < 0 || index < 0 || state < 0) return nullptr;
    const auto g = static_cast<std::size_t>(start) + static_cast<std::size_t>(index);
    if (g >= kTable.groupCount) return nullptr;
    const auto& info = kTable.groups[g];
    if (info.family != family || state >= info.stateCount) return nullptr;
    return &kTable.elements[static_cast<std::size_t>(info.firstSlot) +
                            static_cast<std::size_t>(state)];
}

std::span<const KeyCapInfo> keyCaps() {
    return kKeyCapInfos;
}

std::optional<int> keyCapIndex(WindowMessage message) {
    for (std::size_t i = 0; i < kKeyCapPlaces.size(); ++i) {
        if (kKeyCapPlaces[i].message == message) return static_cast<int>(i);
    }
    return std::nullopt;
}

std::optional<int> keyCapIndex(std::uint32_t messageId) {
    return keyCapIndex(static_cast<WindowMessage>(messageId));
}

std::optional<CaptionRect> captionRect(int index) {
    if (index < 0 || index >= kCaptionCount) return std::nullopt;
    return kCaptionRects[static_cast<std::size_t>(index)];
}

}  // namespace panelink
