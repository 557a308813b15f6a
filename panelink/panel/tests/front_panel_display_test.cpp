#include "panelink/panel/front_panel_display.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <utility>
#include <variant>
#include <vector>

#include "panelink/cat/menu_setup.h"
#include "panelink/cat/radio_state.h"
#include "panelink/menu/menu_item.h"
#include "panelink/menu/menu_item_table.h"
#include "panelink/panel/display_elements.h"
#include "panelink/panel/tests/panel_test_util.h"
#include "shared/platform/virtual_time.h"

namespace panelink {
namespace {

using paneltest::Screen;
using paneltest::segments;
using platform::Milliseconds;

constexpr std::uint32_t msg(std::uint32_t offset) {
    return platform::WM_APP + offset;
}

bool has(const std::vector<SideAction>& actions, SideAction action) {
    return std::find(actions.begin(), actions.end(), action) != actions.end();
}

// The display on a reset radio state, an empty menu table (every setting missing) and virtual
// time whose ticks go to the display; what the ticks draw is collected on `screen`.
class DisplayTest : public ::testing::Test {
  protected:
    DisplayTest() {
        time.setTickHandler([this](int id) {
            const DisplayResponse update = display.onTimer(id);
            ticks.push_back(id);
            screen.run(update.ops);
            tickOps.insert(tickOps.end(), update.ops.begin(), update.ops.end());
        });
    }

    DisplayResponse send(std::uint32_t offset, std::uintptr_t wparam = 0,
                         std::intptr_t lparam = 0) {
        DisplayResponse update = display.handleMessage({msg(offset), wparam, lparam});
        screen.run(update.ops);
        return update;
    }

    void connect() {
        radio.store(RadioField::AI, 1);
        radio.store(RadioField::PS, 1);
        radio.store(RadioField::MS, 2);
    }

    DisplayResponse meterReading(int value) {
        radio.store(RadioField::RM_other, value);
        return send(0x321);
    }

    RadioState radio;
    MenuItemTable menu;
    platform::VirtualTime time;
    FrontPanelDisplay display{radio, menu, time};
    Screen screen;
    std::vector<int> ticks;
    DrawList tickOps;
};

TEST_F(DisplayTest, PeakHeldForOneSecondThenDroppedByTheTimer) {
    connect();
    meterReading(200);
    meterReading(50);
    EXPECT_EQ(display.heldPeak(), 200);
    EXPECT_EQ(screen.litMeterSegments(), segments({0, 1, 2, 3, 4, 5, 23}));
    EXPECT_TRUE(time.isTimerRunning(FrontPanelDisplay::kTimerPeakHold));

    time.advance(Milliseconds(999));
    EXPECT_TRUE(screen.litMeterSegments().contains(23));
    time.advance(Milliseconds(1));
    EXPECT_EQ(display.heldPeak(), 0);
    EXPECT_EQ(screen.litMeterSegments(), segments({0, 1, 2, 3, 4, 5}));
    EXPECT_FALSE(time.isTimerRunning(FrontPanelDisplay::kTimerPeakHold));
}

TEST_F(DisplayTest, PeakHoldRulesForFurtherReadings) {
    connect();
    meterReading(200);
    meterReading(50);
    meterReading(40);  // still below the peak: kept, no new hold
    EXPECT_EQ(display.heldPeak(), 200);
    meterReading(210);  // reaches the peak: dropped
    EXPECT_EQ(display.heldPeak(), 0);
    EXPECT_FALSE(time.isTimerRunning(FrontPanelDisplay::kTimerPeakHold));
    meterReading(100);  // falls again: the new reading before it is held
    EXPECT_EQ(display.heldPeak(), 210);

    time.advance(Milliseconds(1000));
    meterReading(100);  // the same reading again is no fall
    EXPECT_EQ(display.heldPeak(), 0);
}

// Every place of the panel that a redraw covers gets drawn: each group's element places,
// except the key caps (part of the panel picture), the dimple and pointer (which move) and the
// labels named in `skipped`.
void expectEveryPlaceDrawn(const Screen& screen, std::initializer_list<PanelLabel> skipped = {}) {
    for (const auto& group : elementGroups()) {
        if (group.family == ElementFamily::KeyCap) continue;
        if (group.family == ElementFamily::Label &&
            std::find(skipped.begin(), skipped.end(), static_cast<PanelLabel>(group.index)) !=
                skipped.end()) {
            continue;
        }
        if (group.family == ElementFamily::Dial &&
            (group.index == static_cast<int>(DialPart::MainDialDimple) ||
             group.index == static_cast<int>(DialPart::DspSelPointer))) {
            continue;
        }
        const auto first = static_cast<std::size_t>(group.firstSlot);
        for (std::size_t state = 0; state < static_cast<std::size_t>(group.stateCount); ++state) {
            const DisplayElement& e = displayElements()[first + state];
            EXPECT_TRUE(screen.bitmapAt(e.x, e.y))
                << "family " << static_cast<int>(group.family) << " group " << group.index
                << " place " << e.x << ", " << e.y;
        }
    }
}

TEST_F(DisplayTest, BothRedrawSequencesCoverThePanel) {
    // The first redraw leaves the labels that start dark on the panel picture to it.
    display.start();
    time.advance(Milliseconds(10));
    expectEveryPlaceDrawn(screen, {PanelLabel::Tx, PanelLabel::Enc, PanelLabel::Dec,
                                   PanelLabel::Minus, PanelLabel::Plus, PanelLabel::Menu});

    screen = Screen(display.fullRedraw().ops);
    expectEveryPlaceDrawn(screen);
}

TEST_F(DisplayTest, NoPeakHoldWhileTransmittingOrWithTheMenuSettingOff) {
    connect();
    radio.store(RadioField::TX, 1);
    meterReading(200);
    meterReading(50);
    EXPECT_EQ(display.heldPeak(), 0);
    EXPECT_EQ(display.meterValue(), 50);

    radio.store(RadioField::TX, 0);
    send(0x338);
    buildMenuItemTable(menu, radio);
    ASSERT_TRUE(menu.setValueOfKind(kKindPeakHold, 0));
    meterReading(200);
    meterReading(50);
    EXPECT_EQ(display.heldPeak(), 0);
    EXPECT_FALSE(time.isTimerRunning(FrontPanelDisplay::kTimerPeakHold));
}

TEST_F(DisplayTest, TransmitLinkAndPowerChangesDropThePeak) {
    connect();
    auto hold = [&] {
        meterReading(200);
        meterReading(50);
        ASSERT_EQ(display.heldPeak(), 200);
    };
    hold();
    radio.store(RadioField::TX, 1);
    send(0x338);
    EXPECT_EQ(display.heldPeak(), 0);
    EXPECT_FALSE(time.isTimerRunning(FrontPanelDisplay::kTimerPeakHold));
    EXPECT_EQ(screen.litMeterSegments(), segments({0, 1, 2, 3, 4, 5}));

    radio.store(RadioField::TX, 0);
    send(0x338);
    // The reading from before the change is not held after it.
    meterReading(30);
    EXPECT_EQ(display.heldPeak(), 0);

    hold();
    radio.store(RadioField::AI, 0);
    send(0x33A);
    EXPECT_EQ(display.heldPeak(), 0);
    EXPECT_TRUE(screen.litMeterSegments().empty());  // no connection: the bar shows 0
    EXPECT_EQ(screen.bitmapAt(36, 183), 1300);       // COM released, dark

    radio.store(RadioField::AI, 1);
    send(0x33A);
    EXPECT_EQ(screen.bitmapAt(36, 183), 1302);
    hold();
    radio.store(RadioField::PS, 0);
    send(0x347);
    EXPECT_EQ(display.heldPeak(), 0);
    EXPECT_TRUE(screen.litMeterSegments().empty());
    EXPECT_EQ(screen.bitmapAt(91, 179), 1328);
}

// Each answer's message redraws the place that shows what the answer changed.
TEST_F(DisplayTest, AnswersRedrawTheirElementsFromTheReportedState) {
    using F = RadioField;
    struct Row {
        std::vector<std::pair<RadioField, int>> stores;
        std::uint32_t message;
        int x;
        int y;
        int bitmap;
    };
    const Row rows[] = {
        {{{F::FB, 21300000}, {F::VS, 1}}, 0x30E, 544, 118, 1455},  // letter B
        {{}, 0x30E, 259, 96, 1347},                                // "1" of 21.3 MHz
        {{{F::RT, 1}}, 0x302, 596, 99, 1374},
        {{{F::SF, 3}}, 0x304, 45, 119, 1400},
        {{{F::MD_0, 2}, {F::BP_1, 200}, {F::BP_0, 1}}, 0x305, 137, 113, 1368},
        {{{F::CO_1, 14}, {F::CO_0, 2}}, 0x307, 148, 95, 1368},
        {{{F::NR_0, 1}, {F::RL, 5}}, 0x308, 137, 124, 1368},
        {{{F::RL, 2}}, 0x331, 137, 124, 1361},
        {{{F::LK, 1}}, 0x30C, 468, 77, 1394},
        {{{F::FS, 1}}, 0x30D, 430, 77, 1388},
        {{{F::NB, 1}}, 0x310, 625, 79, 1413},
        {{{F::GT_0, 1}}, 0x312, 665, 70, 1362},
        {{{F::RA, 3}}, 0x313, 509, 79, 1413},
        {{{F::PA, 0}}, 0x314, 549, 79, 1413},
        {{{F::KR, 1}}, 0x315, 350, 77, 1392},
        {{{F::AC, 1}}, 0x318, 234, 77, 1425},
        {{{F::VX, 1}}, 0x31B, 391, 62, 1427},
        {{{F::BI, 1}}, 0x31C, 390, 77, 1370},
        {{{F::IF_memoryState, 3}}, 0x32D, 544, 118, 1462},
        {{{F::IS, 0}}, 0x32F, 148, 146, 1368},
        {{{F::BY_0, 1}}, 0x332, 234, 62, 1372},
        {{{F::VS, 0}, {F::FA, 14250000}}, 0x333, 259, 96, 1350},  // "4"
        {{{F::TX, 1}}, 0x338, 234, 47, 1421},
        {{{F::AI, 1}}, 0x33A, 36, 183, 1302},
        {{{F::CT_0, 2}}, 0x33C, 352, 47, 1384},
        {{{F::OS_0, 1}}, 0x340, 368, 62, 1417},
        {{{F::RS, 1}}, 0x343, 548, 97, 1402},
        {{{F::MS, 2}, {F::ID, 246}}, 0x344, 42, 47, 1405},
        {{{F::MS, 3}}, 0x346, 42, 47, 1407},
        {{{F::MD_0, 5}}, 0x345, 314, 47, 1366},
        {{{F::PS, 1}}, 0x347, 91, 179, 1330},
        {{{F::RI_4, 1}}, 0x348, 427, 62, 1409},
        {{{F::FT, 1}}, 0x348, 638, 99, 1423},
        {{{F::RI_0, 1}}, 0x348, 475, 61, 1481},  // warning: blinks, phase off
        {{{F::BG, 5}}, 0x34D, 93, 135, 1368},
        {{{F::CT_0, 0}, {F::DQ, 3}}, 0x354, 391, 47, 1382},
    };
    for (const auto& row : rows) {
        for (const auto& [field, value] : row.stores) {
            ASSERT_TRUE(radio.store(field, value)) << radioFieldName(field);
        }
        send(row.message);
        EXPECT_EQ(screen.bitmapAt(row.x, row.y), row.bitmap)
            << "message 0x" << std::hex << row.message;
    }

    ASSERT_TRUE(radio.store(RadioReal::IF_offset, -1230.0));
    send(0x32D);
    EXPECT_EQ(screen.bitmapAt(588, 118), 1459);

    // The gain knobs take the main side's values: AF GAIN 255 points to 150 degrees.
    ASSERT_TRUE(radio.store(RadioField::AG_0, 255));
    const DisplayResponse af = send(0x32B);
    ASSERT_EQ(af.ops.size(), 2u);
    EXPECT_GT(std::get<DrawLine>(af.ops[1]).x1, 792);
}

TEST_F(DisplayTest, UnknownMeterSelectionDrawsTheSScaleAndNoBar) {
    connect();
    meterReading(100);
    radio.store(RadioField::MS, 0);
    const DisplayResponse update = meterReading(180);
    EXPECT_EQ(update.ops.size(), 1u);
    EXPECT_EQ(screen.bitmapAt(42, 47), 1404);
    EXPECT_EQ(display.meterValue(), 100);
}

TEST_F(DisplayTest, FullRedrawRepaintsWithoutChangingState) {
    connect();
    meterReading(200);
    meterReading(50);
    send(0x585, 123);
    send(0x58F, 1, 2);
    radio.store(RadioField::TX, 1);  // a full redraw must not take this as a transmit answer

    display.requestFullRedraw();
    time.advance(Milliseconds(29));
    EXPECT_TRUE(ticks.empty());
    time.advance(Milliseconds(1));
    ASSERT_EQ(ticks, std::vector<int>{FrontPanelDisplay::kTimerFullRedraw});
    EXPECT_FALSE(time.isTimerRunning(FrontPanelDisplay::kTimerFullRedraw));

    EXPECT_EQ(display.heldPeak(), 200);
    EXPECT_TRUE(screen.litMeterSegments().contains(23));
    EXPECT_EQ(tickOps.back(), DrawOp(BlitBitmap{1401, 548, 97, 37, 11}));  // MENU box last
    EXPECT_NE(
        std::find(tickOps.begin(), tickOps.end(), DrawOp(CopyBitmapRect{1485, 653, 229, 71, 7})),
        tickOps.end());
    EXPECT_EQ(screen.bitmapAt(446, 168), 1477);
    EXPECT_EQ(screen.bitmapAt(234, 47), 1421);  // TX label drawn from the state

    // Only the refills for freshly opened windows come out, no read-back stop.
    const DisplayResponse update = display.fullRedraw();
    EXPECT_TRUE(update.actions.empty());
    auto refilled = [&](DisplayUpdate u) {
        return std::find(update.refills.begin(), update.refills.end(), message(u)) !=
               update.refills.end();
    };
    EXPECT_TRUE(refilled(DisplayUpdate::BP));
    EXPECT_TRUE(refilled(DisplayUpdate::VC));
    EXPECT_FALSE(refilled(DisplayUpdate::FA));
}

TEST_F(DisplayTest, StartRunsTheFirstRedrawOnceAndTheBlinkAndFrequencyTimers) {
    radio.store(RadioField::AC, 2);  // tuning: the TUNER label blinks
    display.start();
    time.advance(Milliseconds(10));
    ASSERT_FALSE(ticks.empty());
    EXPECT_EQ(ticks.front(), FrontPanelDisplay::kTimerFirstRedraw);
    EXPECT_FALSE(time.isTimerRunning(FrontPanelDisplay::kTimerFirstRedraw));
    EXPECT_EQ(screen.bitmapAt(36, 183), 1300);   // COM in its first state
    EXPECT_EQ(screen.bitmapAt(91, 179), 1328);   // ON/OFF in its first state
    EXPECT_EQ(screen.bitmapAt(499, 195), 1476);  // main dial at 0
    EXPECT_EQ(screen.bitmapAt(144, 248), 1478);  // DSP/SEL knob without pointer
    EXPECT_EQ(screen.bitmapAt(277, 47), 1396);   // mode 1 after the reset: LSB
    EXPECT_EQ(screen.bitmapAt(234, 77), 1424);   // blink phase off

    time.advance(Milliseconds(290));
    EXPECT_TRUE(display.blinkPhase());
    EXPECT_EQ(screen.bitmapAt(234, 77), 1425);
    time.advance(Milliseconds(300));
    EXPECT_EQ(screen.bitmapAt(234, 77), 1424);

    // The frequency follows the state through timers 6 and 7.
    radio.store(RadioField::FA, 14250000);
    time.advance(Milliseconds(30));
    EXPECT_EQ(screen.bitmapAt(221, 96), 1347);  // "1"
    EXPECT_EQ(std::count(ticks.begin(), ticks.end(), FrontPanelDisplay::kTimerFrequencyA),
              std::count(ticks.begin(), ticks.end(), FrontPanelDisplay::kTimerFrequencyB));
}

TEST_F(DisplayTest, DigitSelectionAndDialAngles) {
    radio.store(RadioField::FA, 14250000);
    send(0x586, 3);
    EXPECT_EQ(display.selectedDigit(), 3);
    EXPECT_EQ(screen.bitmapAt(431, 96), 1434);
    const DisplayResponse bad = send(0x586, 9);
    EXPECT_TRUE(bad.handled);
    EXPECT_TRUE(bad.ops.empty());
    EXPECT_EQ(display.selectedDigit(), 3);
    send(0x586, 0);
    EXPECT_EQ(screen.bitmapAt(431, 96), 1346);

    send(0x585, 90);
    EXPECT_EQ(display.mainDialAngle(), 90);
    EXPECT_EQ(screen.bitmapAt(523, 220), 1476);
    const DisplayResponse noPointer = send(0x588, 360);
    EXPECT_EQ(noPointer.ops.size(), 1u);
    EXPECT_EQ(send(0x588, 45).ops.size(), 2u);
}

TEST_F(DisplayTest, SelKeyTogglesTuningOnlyWhenTheMenuAllowsIt) {
    send(0x59A, 1);  // "SELDIAL" missing counts as 1: no tuning
    EXPECT_FALSE(display.tuningFlag());
    EXPECT_EQ(screen.bitmapAt(221, 270), 1337);

    buildMenuItemTable(menu, radio);
    ASSERT_TRUE(menu.setValueOfKind(kKindSelDial, 3));
    send(0x59A, 1);
    EXPECT_TRUE(display.tuningFlag());
    EXPECT_EQ(screen.bitmapAt(144, 248), 1479);
    send(0x59A, 0);
    EXPECT_TRUE(display.tuningFlag());
    EXPECT_EQ(screen.bitmapAt(221, 270), 1336);

    // A menu change re-checks the setting.
    ASSERT_TRUE(menu.setValueOfKind(kKindSelDial, 0));
    const DisplayResponse changed = send(0x30B);
    EXPECT_FALSE(display.tuningFlag());
    EXPECT_EQ(screen.bitmapAt(144, 248), 1478);
    EXPECT_TRUE(has(changed.actions, SideAction::MenuChangeNoticeIfMenuListOpen));
}

TEST_F(DisplayTest, MenuListReadyLightsLockAndMenuBoxNotices) {
    send(0x5A7);
    EXPECT_TRUE(display.menuListReady());
    EXPECT_EQ(screen.bitmapAt(468, 77), 1394);
    const DisplayResponse closed = send(0x590);
    EXPECT_FALSE(display.menuListReady());
    EXPECT_EQ(screen.bitmapAt(468, 77), 1393);
    EXPECT_TRUE(has(closed.actions, SideAction::MenuListClosed));

    radio.store(RadioField::RS, 1);
    DisplayResponse rs = send(0x343);
    EXPECT_EQ(screen.bitmapAt(548, 97), 1402);
    EXPECT_TRUE(rs.actions.empty());
    radio.store(RadioField::RS, 0);
    rs = send(0x343);
    EXPECT_EQ(screen.bitmapAt(548, 97), 1401);
    EXPECT_TRUE(has(rs.actions, SideAction::MenuChangeNotice));
}

TEST_F(DisplayTest, MessagesOfOthersAndIgnoredAnswers) {
    EXPECT_FALSE(send(0x589).handled);  // VFO SET closed: the controller's
    EXPECT_FALSE(send(0x5AA).handled);
    for (std::uint32_t ignored : {0x303u, 0x337u, 0x591u, 0x599u}) {
        const DisplayResponse update = send(ignored, 360);
        EXPECT_TRUE(update.handled) << std::hex << ignored;
        EXPECT_TRUE(update.ops.empty()) << std::hex << ignored;
        EXPECT_TRUE(update.actions.empty()) << std::hex << ignored;
    }
    // The NOTCH window hears "BP" from the event hub; live, the main window passes nothing on.
    EXPECT_TRUE(send(0x305).actions.empty());
    EXPECT_TRUE(send(0x305).refills.empty());
    EXPECT_EQ(send(0x333).actions, std::vector<SideAction>{SideAction::StopReadBack});
    EXPECT_EQ(send(0x58E).actions, std::vector<SideAction>{SideAction::Exit});
    EXPECT_FALSE(display.onTimer(41).handled);
}

TEST_F(DisplayTest, CaptionRequestIsKeptOnlyWhenItDraws) {
    send(0x58F, 1, 0);
    ASSERT_TRUE(display.captionRequest());
    EXPECT_EQ(*display.captionRequest(), (FrontPanelDisplay::CaptionRequest{1, 0}));
    EXPECT_TRUE(send(0x58F, 1, 7).ops.empty());
    if constexpr (sizeof(std::intptr_t) > 4) {  // an index that would wrap to 1 as an int
        EXPECT_TRUE(send(0x58F, 1, (std::intptr_t{1} << 32) + 1).ops.empty());
    }
    EXPECT_TRUE(send(0x58F, 2, 1).ops.empty());
    EXPECT_EQ(*display.captionRequest(), (FrontPanelDisplay::CaptionRequest{1, 0}));
}

}  // namespace
}  // namespace panelink
