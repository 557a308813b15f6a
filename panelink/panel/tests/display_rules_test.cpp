#include "panelink/panel/display_rules.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "panelink/panel/tests/panel_test_util.h"

namespace panelink {
namespace {

using paneltest::Screen;
using paneltest::segments;

// Large digit bitmaps by digit, and the small ones, as the artwork numbers them.
constexpr std::array<int, 10> kLarge{1346, 1347, 1348, 1345, 1350, 1351, 1352, 1353, 1354, 1349};
constexpr std::array<int, 10> kLargeLit{1434, 1435, 1436, 1437, 1438, 1433, 1440, 1441, 1442, 1443};
constexpr std::array<int, 10> kSmall{1444, 1439, 1446, 1447, 1448, 1449, 1450, 1445, 1452, 1453};
constexpr int kLargeBlank = 1358;
constexpr int kSmallBlank = 1457;
constexpr std::array<int, 7> kLargeX{221, 259, 307, 345, 383, 431, 469};

PanelSnapshot onVfoA(int hz) {
    PanelSnapshot s;
    s.vfoA = hz;
    return s;
}

// The eight characters of the frequency display as bitmaps, left to right.
std::vector<int> frequencyBitmaps(const Screen& screen) {
    std::vector<int> out;
    out.reserve(8);
    for (int x : kLargeX)
        out.push_back(screen.bitmapAt(x, 96).value_or(0));
    out.push_back(screen.bitmapAt(507, 118).value_or(0));
    return out;
}

TEST(FrequencyRule, BlankTenMegahertzDigitAndLitPoint) {
    const Screen screen(drawFrequency(onVfoA(7074000), 0));
    EXPECT_EQ(frequencyBitmaps(screen),
              (std::vector<int>{kLargeBlank, kLarge[7], kLarge[0], kLarge[7], kLarge[4], kLarge[0],
                                kLarge[0], kSmall[0]}));
    EXPECT_EQ(screen.bitmapAt(297, 136), 1357);  // MHz point lit
    EXPECT_EQ(screen.bitmapAt(421, 136), 1357);  // kHz point lit
}

TEST(FrequencyRule, BelowOneMegahertzTwoBlanksAndTheMegahertzPointDark) {
    const Screen screen(drawFrequency(onVfoA(475000), 0));
    const auto digits = frequencyBitmaps(screen);
    EXPECT_EQ(digits[0], kLargeBlank);
    EXPECT_EQ(digits[1], kLargeBlank);
    EXPECT_EQ(digits[2], kLarge[4]);
    EXPECT_EQ(screen.bitmapAt(297, 136), 1356);
    EXPECT_EQ(screen.bitmapAt(421, 136), 1357);
}

TEST(FrequencyRule, SelectedDigitIsHighlightedAndLeadingBlanksShowAsZero) {
    const Screen screen(drawFrequency(onVfoA(14250000), 3));
    EXPECT_EQ(frequencyBitmaps(screen),
              (std::vector<int>{kLarge[1], kLarge[4], kLarge[2], kLarge[5], kLarge[0], kLargeLit[0],
                                kLarge[0], kSmall[0]}));

    // A selection makes the blanks zeros and keeps the MHz point lit.
    const Screen low(drawFrequency(onVfoA(475000), 8));
    const auto digits = frequencyBitmaps(low);
    EXPECT_EQ(digits[0], kLargeLit[0]);
    EXPECT_EQ(digits[1], kLarge[0]);
    EXPECT_EQ(low.bitmapAt(297, 136), 1357);

    // The 1 Hz digit under the cursor uses the small highlighted set; an index beyond 8 is none.
    EXPECT_EQ(frequencyBitmaps(Screen(drawFrequency(onVfoA(7074005), 1)))[7], 1470);
    EXPECT_EQ(frequencyBitmaps(Screen(drawFrequency(onVfoA(7074000), 9)))[0], kLargeBlank);
}

TEST(FrequencyRule, OperatingVfoAndClarifierWhileReceivingOnly) {
    PanelSnapshot s = onVfoA(14250000);
    s.vfoB = 21300000;
    s.clarifierOffset = -1230;
    EXPECT_EQ(displayedFrequency(s), 14250000);
    s.clarifierOn = true;
    EXPECT_EQ(displayedFrequency(s), 14248770);
    s.transmitting = true;
    EXPECT_EQ(displayedFrequency(s), 14250000);
    s.transmitting = false;
    s.vfoBOperating = true;
    EXPECT_EQ(displayedFrequency(s), 21298770);
    // Never more than eight digits, never negative, whatever the inputs.
    s.vfoB = 2000000000;
    EXPECT_EQ(displayedFrequency(s), 99999999);
    s.vfoB = 0;
    EXPECT_EQ(displayedFrequency(s), 0);
}

TEST(ClarifierRule, OffsetDigitsPointAndSign) {
    PanelSnapshot s;
    s.clarifierOffset = -1230;
    Screen screen(drawClarifierOffset(s));
    EXPECT_EQ(screen.bitmapAt(588, 118), 1459);  // minus
    EXPECT_EQ(screen.bitmapAt(610, 118), kSmall[1]);
    EXPECT_EQ(screen.bitmapAt(632, 118), 1456);  // point
    EXPECT_EQ(screen.bitmapAt(654, 118), kSmall[2]);
    EXPECT_EQ(screen.bitmapAt(676, 118), kSmall[3]);

    s.clarifierOffset = 50;  // "00050": 0.05
    screen = Screen(drawClarifierOffset(s));
    EXPECT_EQ(screen.bitmapAt(588, 118), 1461);
    EXPECT_EQ(screen.bitmapAt(676, 118), kSmall[5]);

    s.clarifierOffset = 0;
    EXPECT_EQ(Screen(drawClarifierOffset(s)).bitmapAt(588, 118), kSmallBlank);
}

TEST(VfoLetterRule, ChannelModesAndTheTransmitVfo) {
    struct Case {
        int channelMode;
        bool vfoB;
        bool tx;
        int txVfo;
        int first;
        int second;
    };
    const Case cases[] = {
        {0, false, false, 1, 1454, kSmallBlank},  // A while receiving on A
        {0, true, false, 0, 1455, kSmallBlank},   // B while receiving on B
        {0, true, true, 0, 1454, kSmallBlank},    // transmitting from A while B operates
        {0, true, true, 1, 1455, kSmallBlank},
        {0, false, true, 1, 1455, kSmallBlank},  // split: transmitting on B
        {1, false, false, 0, 1458, kSmallBlank},
        {2, false, false, 0, 1458, 1464},  // MT
        {3, false, false, 0, 1462, kSmallBlank},
        {4, false, false, 0, 1460, kSmallBlank},
        {5, false, false, 0, 1451, kSmallBlank},
        {6, false, false, 0, kSmallBlank, kSmallBlank},
    };
    for (const auto& c : cases) {
        PanelSnapshot s;
        s.channelMode = c.channelMode;
        s.vfoBOperating = c.vfoB;
        s.transmitting = c.tx;
        s.transmitVfo = c.txVfo;
        const Screen screen(drawVfoLetters(s));
        EXPECT_EQ(screen.bitmapAt(544, 118), c.first) << "mode " << c.channelMode;
        EXPECT_EQ(screen.bitmapAt(566, 118), c.second) << "mode " << c.channelMode;
    }
}

TEST(MeterRule, ThresholdsAsListedAndThePeakSegment) {
    EXPECT_EQ(Screen(drawMeterBar(100, 0, true)).litMeterSegments(),
              segments({0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}));
    // 164 and 238 light their segments although round(255 * (k + 1) / 31) is one higher.
    EXPECT_TRUE(Screen(drawMeterBar(164, 0, true)).litMeterSegments().contains(19));
    EXPECT_FALSE(Screen(drawMeterBar(163, 0, true)).litMeterSegments().contains(19));
    EXPECT_TRUE(Screen(drawMeterBar(238, 0, true)).litMeterSegments().contains(28));
    EXPECT_EQ(Screen(drawMeterBar(255, 0, true)).litMeterSegments().size(), 31u);
    EXPECT_TRUE(Screen(drawMeterBar(7, 0, true)).litMeterSegments().empty());

    EXPECT_EQ(peakSegment(200), 23);
    EXPECT_EQ(peakSegment(7), -1);
    EXPECT_EQ(Screen(drawMeterBar(50, 200, true)).litMeterSegments(),
              segments({0, 1, 2, 3, 4, 5, 23}));
    EXPECT_EQ(Screen(drawMeterBar(50, 5, true)).litMeterSegments(), segments({0, 1, 2, 3, 4, 5}));
    // No connection or power: nothing lit, peak included.
    EXPECT_TRUE(Screen(drawMeterBar(200, 200, false)).litMeterSegments().empty());
}

TEST(MeterRule, ScaleBySelectionAndModel) {
    PanelSnapshot s;
    const std::array<std::array<int, 3>, 6> cases{{{1, 244, 1397},
                                                   {2, 244, 1406},
                                                   {2, 246, 1405},
                                                   {3, 245, 1407},
                                                   {0, 244, 1404},
                                                   {5, 244, 1404}}};
    for (const auto& [selection, id, bitmap] : cases) {
        s.meterSelection = selection;
        s.radioId = id;
        EXPECT_EQ(Screen(drawMeterScale(s)).bitmapAt(42, 47), bitmap) << selection;
    }
    EXPECT_FALSE(meterSelectionKnown(0));
    EXPECT_TRUE(meterSelectionKnown(3));
}

struct ModeLabels {
    bool lsb, usb, cw, am, fm, data;
};

ModeLabels modeLabelsShown(const Screen& screen) {
    return {screen.bitmapAt(277, 47) == 1396, screen.bitmapAt(277, 62) == 1429,
            screen.bitmapAt(277, 77) == 1376, screen.bitmapAt(314, 47) == 1366,
            screen.bitmapAt(314, 62) == 1390, screen.bitmapAt(314, 77) == 1378};
}

TEST(LabelRules, ModeLabels) {
    PanelSnapshot s;
    auto shown = [&](int mode, int dataType = 1) {
        s.mode = mode;
        s.dataTypeSetting = dataType;
        const Screen screen(drawModeLabels(s));
        const auto m = modeLabelsShown(screen);
        return std::array<bool, 6>{m.lsb, m.usb, m.cw, m.am, m.fm, m.data};
    };
    using L = std::array<bool, 6>;  // LSB, USB, CW, AM, FM, DATA
    EXPECT_EQ(shown(3), (L{false, true, true, false, false, false}));
    EXPECT_EQ(shown(7), (L{true, false, true, false, false, false}));
    EXPECT_EQ(shown(11), (L{false, false, false, false, true, false}));
    EXPECT_EQ(shown(5), (L{false, false, false, true, false, false}));
    EXPECT_EQ(shown(12), (L{true, false, false, false, false, true}));
    EXPECT_EQ(shown(8, 2), (L{false, true, false, false, false, true}));
    // Every label is drawn, lit or dark, for a listed mode.
    s.mode = 1;
    EXPECT_EQ(drawModeLabels(s).size(), 6u);
}

// A value that no rule lists leaves the element as it was: no operations at all.
TEST(LabelRules, UnlistedValuesDrawNothing) {
    PanelSnapshot s;
    auto with = [&](auto member, int value) {
        PanelSnapshot copy = s;
        copy.*member = value;
        return copy;
    };
    EXPECT_TRUE(drawModeLabels(with(&PanelSnapshot::mode, 10)).empty());
    EXPECT_TRUE(drawModeLabels(with(&PanelSnapshot::mode, 0)).empty());
    EXPECT_TRUE(drawLockLabel(with(&PanelSnapshot::lock, 4), true).empty());
    EXPECT_TRUE(drawAttBox(with(&PanelSnapshot::attenuator, 4)).empty());
    EXPECT_TRUE(drawIpoBox(with(&PanelSnapshot::ipo, 2)).empty());
    EXPECT_TRUE(drawRepeaterShiftLabels(with(&PanelSnapshot::repeaterShift, 3)).empty());
    EXPECT_TRUE(drawDspSelMarkers(with(&PanelSnapshot::dspSelFunction, 5)).empty());
    EXPECT_TRUE(drawTunerLabel(with(&PanelSnapshot::tuner, 3), true).empty());
    EXPECT_TRUE(drawBusyLabel(with(&PanelSnapshot::busy, 2)).empty());
    EXPECT_TRUE(drawEncDecLabels(with(&PanelSnapshot::toneState, 3)).empty());
    EXPECT_TRUE(drawContourBar(with(&PanelSnapshot::contourLevel, 3)).empty());
    EXPECT_TRUE(drawKeyCap(0x8000 + 0x581, 2).empty());
    EXPECT_TRUE(drawKeyCap(0x8000 + 0x585, 1).empty());
    EXPECT_TRUE(drawCaptionHighlight(2, 0).empty());
    EXPECT_TRUE(drawCaptionHighlight(1, 4).empty());
}

TEST(LabelRules, StateDependentLabels) {
    PanelSnapshot s;
    // LOCK: reported lock, or the menu list ready.
    EXPECT_EQ(Screen(drawLockLabel(s, false)).bitmapAt(468, 77), 1393);
    EXPECT_EQ(Screen(drawLockLabel(s, true)).bitmapAt(468, 77), 1394);
    s.lock = 1;
    EXPECT_EQ(Screen(drawLockLabel(s, false)).bitmapAt(468, 77), 1394);

    // Blinking labels follow the blink phase only in their blinking state.
    s.tuner = 2;
    EXPECT_EQ(Screen(drawTunerLabel(s, true)).bitmapAt(234, 77), 1425);
    EXPECT_EQ(Screen(drawTunerLabel(s, false)).bitmapAt(234, 77), 1424);
    s.tuner = 1;
    EXPECT_EQ(Screen(drawTunerLabel(s, false)).bitmapAt(234, 77), 1425);

    EXPECT_EQ(Screen(drawAntSymbol(s, false)).bitmapAt(475, 61), 1480);
    s.warning = 1;
    EXPECT_EQ(Screen(drawAntSymbol(s, false)).bitmapAt(475, 61), 1481);
    EXPECT_EQ(Screen(drawAntSymbol(s, true)).bitmapAt(475, 61), 1480);

    EXPECT_EQ(Screen(drawPbackLabel(s, true)).bitmapAt(427, 62), 1414);
    s.playing = 1;
    EXPECT_EQ(Screen(drawPbackLabel(s, false)).bitmapAt(427, 62), 1409);
    s.playbackState = 6;
    EXPECT_EQ(Screen(drawPbackLabel(s, false)).bitmapAt(427, 62), 1414);
    EXPECT_EQ(Screen(drawPbackLabel(s, true)).bitmapAt(427, 62), 1409);

    // ENC/DEC from either the tone or the DCS setting.
    auto encDec = [&](int tone, int dcs) {
        s.toneState = tone;
        s.dcsState = dcs;
        const Screen screen(drawEncDecLabels(s));
        return std::array<bool, 2>{screen.bitmapAt(352, 47) == 1384,
                                   screen.bitmapAt(391, 47) == 1382};
    };
    EXPECT_EQ(encDec(0, 0), (std::array<bool, 2>{false, false}));
    EXPECT_EQ(encDec(1, 0), (std::array<bool, 2>{true, true}));
    EXPECT_EQ(encDec(2, 0), (std::array<bool, 2>{true, false}));
    EXPECT_EQ(encDec(0, 2), (std::array<bool, 2>{true, false}));
    EXPECT_EQ(encDec(0, 3), (std::array<bool, 2>{false, true}));

    // SHIFT caption and base line go dark in FM and AM.
    s.mode = 4;
    Screen shift(drawShiftCaption(s));
    EXPECT_EQ(shift.bitmapAt(45, 141), 1418);
    EXPECT_EQ(shift.bitmapAt(93, 141), 1420);
    s.mode = 2;
    shift = Screen(drawShiftCaption(s));
    EXPECT_EQ(shift.bitmapAt(45, 141), 1419);
    EXPECT_EQ(shift.bitmapAt(93, 141), 1415);
}

TEST(BoxRules, OnOffColumnsAndAgc) {
    PanelSnapshot s;
    s.attenuator = 3;
    Screen att(drawAttBox(s));
    EXPECT_EQ(att.bitmapAt(509, 61), 1410);  // OFF dark
    EXPECT_EQ(att.bitmapAt(509, 79), 1413);  // ON lit
    s.ipo = 1;                               // IPO off
    Screen ipo(drawIpoBox(s));
    EXPECT_EQ(ipo.bitmapAt(549, 61), 1411);
    EXPECT_EQ(ipo.bitmapAt(549, 79), 1412);
    s.noiseBlanker = 2;
    EXPECT_EQ(Screen(drawNbBox(s)).bitmapAt(625, 79), 1413);

    auto agc = [&](int value) {
        s.agc = value;
        const Screen screen(drawAgcBox(s));
        return std::array<bool, 3>{screen.bitmapAt(665, 60) == 1360,
                                   screen.bitmapAt(665, 70) == 1362,
                                   screen.bitmapAt(665, 80) == 1364};
    };
    using Lit = std::array<bool, 3>;  // AUTO, FAST, SLOW
    EXPECT_EQ(agc(0), (Lit{false, false, false}));
    EXPECT_EQ(agc(1), (Lit{false, true, false}));
    EXPECT_EQ(agc(3), (Lit{false, false, true}));
    EXPECT_EQ(agc(6), (Lit{true, false, true}));
    EXPECT_EQ(agc(4), (Lit{true, true, false}));
}

TEST(BarRules, ContourRowsByLevelAndFrequency) {
    PanelSnapshot s;
    s.contourLevel = 2;
    s.contourFrequency = 10;
    Screen screen(drawContourBar(s));
    EXPECT_EQ(screen.litBarSegments(paneltest::kContourRowA), segments({2, 3, 4}));
    EXPECT_EQ(screen.litBarSegments(paneltest::kContourRowB), segments({3}));

    s.contourLevel = -2;
    s.contourFrequency = 26;  // fourth threshold passed: last row, centre 9
    screen = Screen(drawContourBar(s));
    EXPECT_EQ(screen.litBarSegments(paneltest::kContourRowA),
              segments({0, 1, 2, 3, 4, 5, 6, 7, 8, 10}));
    EXPECT_EQ(screen.litBarSegments(paneltest::kContourRowB), segments({0, 1, 2, 3, 4, 5, 6, 7}));

    s.contourLevel = 1;
    s.contourFrequency = 1;
    screen = Screen(drawContourBar(s));
    EXPECT_EQ(screen.litBarSegments(paneltest::kContourRowA), segments({1}));
    EXPECT_TRUE(screen.litBarSegments(paneltest::kContourRowB).empty());

    s.contourLevel = 0;
    screen = Screen(drawContourBar(s));
    EXPECT_TRUE(screen.litBarSegments(paneltest::kContourRowA).empty());
    EXPECT_EQ(screen.barSegmentsDrawn(paneltest::kContourRowB), 11);
}

TEST(BarRules, NotchDnrWidthAndShift) {
    PanelSnapshot s;
    s.mode = 2;
    s.notchOn = 1;
    s.notchFrequency = 200;  // row 5 (threshold 210)
    Screen screen(drawNotchBar(s));
    EXPECT_EQ(screen.litBarSegments(paneltest::kNotchRowA), segments({4, 6}));
    EXPECT_EQ(screen.litBarSegments(paneltest::kNotchRowB), segments({4, 6}));
    s.notchFrequency = 400;
    EXPECT_EQ(Screen(drawNotchBar(s)).litBarSegments(paneltest::kNotchRowA), segments({9}));
    s.mode = 11;  // no notch in FM
    EXPECT_TRUE(Screen(drawNotchBar(s)).litBarSegments(paneltest::kNotchRowA).empty());

    s.dnrLevel = 3;
    EXPECT_TRUE(Screen(drawDnrBar(s)).litBarSegments(paneltest::kDnrRow).empty());
    s.dnrOn = 1;
    EXPECT_EQ(Screen(drawDnrBar(s)).litBarSegments(paneltest::kDnrRow), segments({0, 1, 2}));

    s.width = 2;
    EXPECT_EQ(Screen(drawWidthBar(s)).litBarSegments(paneltest::kWidthRow),
              segments({3, 4, 5, 6, 7}));
    s.width = 0;
    EXPECT_EQ(Screen(drawWidthBar(s)).litBarSegments(paneltest::kWidthRow), segments({5}));

    s.mode = 2;
    s.ifShift = 0;
    EXPECT_EQ(Screen(drawShiftBar(s)).litBarSegments(paneltest::kShiftRow), segments({5}));
    s.ifShift = -1270;
    EXPECT_EQ(Screen(drawShiftBar(s)).litBarSegments(paneltest::kShiftRow), segments({0}));
    s.ifShift = 1001;
    EXPECT_EQ(Screen(drawShiftBar(s)).litBarSegments(paneltest::kShiftRow), segments({10}));
    s.mode = 5;
    EXPECT_TRUE(Screen(drawShiftBar(s)).litBarSegments(paneltest::kShiftRow).empty());
}

TEST(KeyRules, KeyCapsAndFourStateKeys) {
    EXPECT_EQ(Screen(drawKeyCap(0x8000 + 0x581, 1)).bitmapAt(588, 272), 1319);
    EXPECT_EQ(Screen(drawKeyCap(0x8000 + 0x5A6, 0)).bitmapAt(588, 181), 1296);
    EXPECT_EQ(Screen(drawKeyCap(0x8000 + 0x59A, 1)).bitmapAt(221, 270), 1337);
    EXPECT_EQ(Screen(drawFourStateKey(FourStateKey::Com, true, true)).bitmapAt(36, 183), 1297);
    EXPECT_EQ(Screen(drawFourStateKey(FourStateKey::Com, false, true)).bitmapAt(36, 183), 1302);
    EXPECT_EQ(Screen(drawFourStateKey(FourStateKey::Power, true, false)).bitmapAt(91, 179), 1323);
}

TEST(DialRules, DimpleAndPointerPositions) {
    // The degree constant takes pi as 3.141592, so sin 90 falls just short of 1 and 25 sin 90
    // truncates to 24.
    auto dimple = [](int angle) { return Screen(drawMainDial(angle)); };
    EXPECT_EQ(dimple(0).bitmapAt(499, 195), 1476);
    EXPECT_EQ(dimple(90).bitmapAt(523, 220), 1476);
    EXPECT_EQ(dimple(180).bitmapAt(499, 244), 1476);
    EXPECT_EQ(dimple(270).bitmapAt(475, 220), 1476);
    EXPECT_EQ(dimple(45).bitmapAt(516, 203), 1476);
    EXPECT_EQ(dimple(0).bitmapAt(446, 168), 1477);

    EXPECT_EQ(Screen(drawDspSelKnob(45, false)).bitmapAt(173, 263), 1475);
    EXPECT_EQ(Screen(drawDspSelKnob(0, true)).bitmapAt(144, 248), 1479);
    const DrawList none = drawDspSelKnob(kNoPointer, false);
    ASSERT_EQ(none.size(), 1u);
    EXPECT_EQ(Screen(none).bitmapAt(144, 248), 1478);
}

TEST(DialRules, ValueKnobAnglesAndRedPointer) {
    EXPECT_EQ(gainKnobAngle(0), 207);
    EXPECT_EQ(gainKnobAngle(255), 150);
    EXPECT_EQ(gainKnobAngle(129), 360);
    EXPECT_EQ(gainKnobAngle(300), 150);
    EXPECT_EQ(shiftKnobAngle(-1260), 207);
    EXPECT_EQ(shiftKnobAngle(0), 358);
    EXPECT_EQ(shiftKnobAngle(1260), 149);
    EXPECT_EQ(shiftKnobAngle(-1270), 207);

    PanelSnapshot s;
    s.afGain = 0;  // 207 degrees: down and a little left of the centre (792, 275)
    const DrawList ops = drawAfGainKnob(s);
    ASSERT_EQ(ops.size(), 2u);
    EXPECT_EQ(ops[0], DrawOp(BlitBitmap{1478, 764, 248, 56, 56}));
    EXPECT_EQ(ops[1], DrawOp(DrawLine{784, 291, 782, 296, 0xFF0000, 2}));

    // SQL/RF GAIN shows the RF gain unless the menu puts squelch on the knob.
    s.rfGain = 255;
    s.squelch = 0;
    s.sqlRfSetting = 1;
    const auto rf = std::get<DrawLine>(drawSqlRfKnob(s)[1]);
    s.sqlRfSetting = 0;
    const auto sql = std::get<DrawLine>(drawSqlRfKnob(s)[1]);
    EXPECT_GT(rf.x1, 688);   // 150 degrees: right of the centre
    EXPECT_LT(sql.x1, 688);  // 207 degrees: left of it
}

TEST(DialRules, CaptionHighlightCopiesFromThePanelPictures) {
    EXPECT_EQ(drawCaptionHighlight(1, 1), (DrawList{CopyBitmapRect{1485, 772, 229, 41, 7}}));
    EXPECT_EQ(drawCaptionHighlight(0, 3), (DrawList{CopyBitmapRect{1484, 653, 229, 71, 7}}));
    EXPECT_EQ(drawCaptionHighlight(1, 0), (DrawList{CopyBitmapRect{1485, 37, 229, 61, 7}}));
}

}  // namespace
}  // namespace panelink
