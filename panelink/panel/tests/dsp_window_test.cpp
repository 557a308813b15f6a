// The CONTOUR, NOTCH and DNR windows' mouse mechanics in virtual time: the key, knob drags and
// the wheel, value fields held and clicked, read-backs, state updates and closing.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "panelink/panel/display_rules.h"
#include "panelink/panel/dsp_window.h"
#include "panelink/panel/tests/panel_controller_rig.h"
#include "panelink/panel/tests/panel_test_util.h"

namespace panelink::paneltest {
namespace {

using F = RadioField;

constexpr PanelPoint kKeyPoint{55, 50};
constexpr PanelPoint kFirstKnob{166, 67};
constexpr PanelPoint kSecondKnob{276, 67};
constexpr PanelPoint kFrequencyField{160, 17};
constexpr PanelPoint kDnrField{166, 17};
constexpr PanelPoint kEmpty{300, 105};

// A point whose cursor angle around `centre` is exactly `angle`, inside the knob.
PanelPoint onKnob(PanelPoint centre, int angle) {
    for (int radius = 18; radius > 5; --radius) {
        const PanelPoint p = pointAt(centre, radius, angle);
        if (cursorAngle(centre, p) == angle) return p;
    }
    ADD_FAILURE() << "no point at " << angle << " degrees";
    return centre;
}

// The corner the pointer bitmap is drawn at for an angle.
PanelPoint pointerCorner(PanelPoint centre, int angle) {
    const PanelPoint tip = pointAt(centre, 10, angle);
    return {tip.x - 6, tip.y - 6};
}

class RecordingSink final : public platform::MessageSink {
  public:
    bool post(const platform::Message& message) override {
        posted.push_back(message);
        return true;
    }
    std::vector<platform::Message> posted;
};

class DspWindowTest : public ::testing::Test {
  protected:
    void open(DspWindowKind kind) {
        radio.store(F::AI, 1);  // connected
        window.emplace(kind, radio, DspWindow::Ports{link, pointer, time, mainWindow});
        time.setTickHandler([this](int id) { show(window->onTimer(id)); });
        show(window->open());
    }

    void show(const DrawList& ops) {
        screen.run(ops);
        append(drawn, ops);
    }
    void press(PanelPoint p) {
        pointer.at = p;
        pointer.left = true;
        show(window->leftPress(p));
    }
    void moveTo(PanelPoint p) { pointer.at = p; }
    void release() {
        pointer.left = false;
        show(window->leftRelease());
    }
    void click(PanelPoint p) {
        press(p);
        release();
    }
    void wheel(PanelPoint p, int delta) {
        pointer.at = p;
        show(window->wheel(p, delta));
    }
    void advance(int ms) { time.advance(platform::Milliseconds(ms)); }
    std::vector<PostedRequest> takeRequests() { return std::exchange(link.requests, {}); }

    // The corner of the pointer a knob shows now: one drawn since the knob's last drawing.
    std::optional<PanelPoint> pointerOn(PanelPoint centre) const {
        std::optional<PanelPoint> shown;
        for (const DrawOp& op : drawn) {
            const auto* blit = std::get_if<BlitBitmap>(&op);
            if (blit == nullptr) continue;
            const PanelPoint middle{blit->x + (blit->width / 2), blit->y + (blit->height / 2)};
            const bool onThisKnob =
                std::abs(middle.x - centre.x) <= 28 && std::abs(middle.y - centre.y) <= 28;
            if (!onThisKnob) continue;
            if (blit->bitmap == kDspKnobBitmap) shown.reset();
            if (blit->bitmap == kDspPointerBitmap) shown = PanelPoint{blit->x, blit->y};
        }
        return shown;
    }

    RadioState radio;
    platform::VirtualTime time;
    FakePointer pointer;
    RecordingLink link;
    RecordingSink mainWindow;
    std::optional<DspWindow> window;
    Screen screen;
    DrawList drawn;
};

// ---- Knobs -----------------------------------------------------------------------------------

TEST_F(DspWindowTest, ContourFrequencyOneTurnedSixtyDegreesSendsEightAndReadsItBack) {
    open(DspWindowKind::Contour);
    radio.store(F::CO_1, 1);
    press(onKnob(kFirstKnob, 0));
    moveTo(onKnob(kFirstKnob, 60));
    advance(100);
    EXPECT_EQ(takeRequests(), (std::vector{readBack(Request::SetContourFrequency, 8)}));
    EXPECT_EQ(pointerOn(kFirstKnob), pointerCorner(kFirstKnob, 60));
    release();
    EXPECT_EQ(pointerOn(kFirstKnob), std::nullopt) << "no pointer after the drag";
    advance(200);
    EXPECT_EQ(link.queued, (std::vector<std::string>{"CO01;"}));
}

TEST_F(DspWindowTest, ContourLevelAtPlusTwoTurnedOneStepFurtherSendsNothing) {
    open(DspWindowKind::Contour);
    radio.store(F::CO_0, 2);
    press(onKnob(kSecondKnob, 90));
    moveTo(onKnob(kSecondKnob, 150));
    advance(100);
    release();
    wheel(kSecondKnob, 120);
    EXPECT_TRUE(link.requests.empty());
}

TEST_F(DspWindowTest, StepsTurnedSinceTheLastSendGoOutWhenTheDragEnds) {
    open(DspWindowKind::Contour);
    radio.store(F::CO_0, 0);
    press(onKnob(kSecondKnob, 0));
    moveTo(onKnob(kSecondKnob, 61));
    advance(30);
    release();
    EXPECT_EQ(takeRequests(), (std::vector{readBack(Request::SetContourLevel, 1)}));
    advance(500);
    EXPECT_TRUE(link.requests.empty()) << "nothing is left over for a later turn";
}

TEST_F(DspWindowTest, NotchAtItsTopWheeledUpSendsNothing) {
    open(DspWindowKind::Notch);
    radio.store(F::BP_1, 327);
    wheel(kFirstKnob, 120);
    EXPECT_TRUE(link.requests.empty());
    EXPECT_EQ(pointerOn(kFirstKnob), pointerCorner(kFirstKnob, 1));
    advance(200);
    EXPECT_EQ(pointerOn(kFirstKnob), std::nullopt) << "the pointer goes after 200 ms";
}

TEST_F(DspWindowTest, DnrOffSendsNothingButTheKnobStillTurns) {
    open(DspWindowKind::Dnr);
    radio.store(F::NR_0, 0);
    radio.store(F::RL, 5);
    wheel(kFirstKnob, 120);
    EXPECT_EQ(pointerOn(kFirstKnob), pointerCorner(kFirstKnob, 18));
    press(onKnob(kFirstKnob, 18));
    moveTo(onKnob(kFirstKnob, 90));
    advance(100);
    EXPECT_EQ(pointerOn(kFirstKnob), pointerCorner(kFirstKnob, 90));
    release();
    EXPECT_TRUE(link.requests.empty());

    radio.store(F::NR_0, 1);
    wheel(kFirstKnob, 120);
    EXPECT_EQ(takeRequests(), (std::vector{readBack(Request::SetDnrLevel, 6)}));
}

TEST_F(DspWindowTest, TheWheelWrapsToTheWindowsFixedAnglesPastTwelveOClock) {
    open(DspWindowKind::Contour);
    radio.store(F::CO_1, 14);
    wheel(kFirstKnob, -120);  // 0 - 60 lands on 299, not 300
    EXPECT_EQ(pointerOn(kFirstKnob), pointerCorner(kFirstKnob, 299));
    EXPECT_EQ(takeRequests(), (std::vector{readBack(Request::SetContourFrequency, 8)}));

    open(DspWindowKind::Notch);
    radio.store(F::BP_1, 200);
    wheel(kFirstKnob, -120);  // 0 - 1 lands on 358: two degrees, two steps
    EXPECT_EQ(takeRequests(), (std::vector{readBack(Request::SetNotchFrequency, 198)}));
}

// ---- Value fields ----------------------------------------------------------------------------

TEST_F(DspWindowTest, SelectingAFieldLightsItAndShowsItsValueOnTheKnob) {
    open(DspWindowKind::Contour);
    radio.store(F::CO_1, 26);
    drawn.clear();
    click(kFrequencyField);
    EXPECT_EQ(window->selectedField(), 0u);
    EXPECT_NE(std::find(drawn.begin(), drawn.end(), DrawOp{CopyBitmapRect{1513, 135, 14, 63, 7}}),
              drawn.end());
    EXPECT_EQ(pointerOn(kFirstKnob), pointerCorner(kFirstKnob, 120));
    EXPECT_TRUE(link.requests.empty()) << "the selecting click steps nothing";

    drawn.clear();
    click(kKeyPoint);
    EXPECT_FALSE(window->selectedField());
    EXPECT_NE(std::find(drawn.begin(), drawn.end(), DrawOp{CopyBitmapRect{1487, 135, 14, 63, 7}}),
              drawn.end());
    EXPECT_EQ(pointerOn(kFirstKnob), std::nullopt);
}

TEST_F(DspWindowTest, ContourFrequencyTwentySixFieldClickedAgainSendsTwentyFive) {
    open(DspWindowKind::Contour);
    radio.store(F::CO_1, 26);
    click(kFrequencyField);
    click(kFrequencyField);
    EXPECT_EQ(takeRequests(), (std::vector{readBack(Request::SetContourFrequency, 25)}));
    pointer.right = true;
    show(window->rightPress());
    pointer.right = false;
    show(window->rightRelease());
    EXPECT_TRUE(link.requests.empty()) << "26 is the top";
}

TEST_F(DspWindowTest, AFieldHeldWithTheRightButtonStepsAboutFiveTimesAfterTheFirstSecond) {
    open(DspWindowKind::Notch);
    radio.store(F::BP_1, 200);
    click(kFrequencyField);
    pointer.right = true;
    show(window->rightPress());
    advance(999);
    EXPECT_TRUE(link.requests.empty());
    advance(501);
    const std::vector<PostedRequest> held = takeRequests();
    EXPECT_GE(held.size(), 5u);
    EXPECT_LE(held.size(), 6u);
    for (const PostedRequest& r : held)
        EXPECT_EQ(r, readBack(Request::SetNotchFrequency, 201));
    pointer.right = false;
    show(window->rightRelease());
    EXPECT_TRUE(link.requests.empty()) << "the release after a repeat adds no step";
}

TEST_F(DspWindowTest, DnrFieldStepsAreNotSentWhileDnrIsOff) {
    open(DspWindowKind::Dnr);
    radio.store(F::NR_0, 0);
    radio.store(F::RL, 5);
    click(kDnrField);
    click(kDnrField);
    EXPECT_TRUE(link.requests.empty());
}

// ---- The key ---------------------------------------------------------------------------------

TEST_F(DspWindowTest, TheContourKeySwitchesOffWithZeroAndOnWithTheRememberedLevel) {
    open(DspWindowKind::Contour);
    radio.store(F::CO_0, 1);
    press(kKeyPoint);
    EXPECT_EQ(screen.bitmapAt(34, 33), kDspKeyPressedLit);
    release();
    EXPECT_EQ(screen.bitmapAt(34, 33), kDspKeyReleasedLit);
    radio.store(F::CO_0, 0);
    radio.store(F::CO_0_last, -1);
    click(kKeyPoint);
    EXPECT_EQ(takeRequests(), (std::vector{readBack(Request::SetContourLevel, 0),
                                           readBack(Request::SetContourLevel, -1)}));
}

TEST_F(DspWindowTest, AHeldKeyIsReleasedOnceTheCursorLeavesIt) {
    open(DspWindowKind::Dnr);
    press(kKeyPoint);
    EXPECT_EQ(takeRequests(), (std::vector{plain(Request::ToggleDnr)}));
    advance(100);
    EXPECT_TRUE(window->keyHeld());
    moveTo(kEmpty);
    advance(100);
    EXPECT_FALSE(window->keyHeld());
    EXPECT_EQ(screen.bitmapAt(34, 33), kDspKeyReleased);
}

TEST_F(DspWindowTest, TheNotchKeyIsNeverLitInFmAndAm) {
    radio.store(F::BP_0, 1);
    for (const std::int32_t mode : {4, 5, 11}) {
        radio.store(F::MD_0, mode);
        open(DspWindowKind::Notch);
        EXPECT_EQ(screen.bitmapAt(34, 33), kDspKeyReleased) << "mode " << mode;
    }
    radio.store(F::MD_0, 2);
    show(window->onDisplayUpdate(id(DisplayUpdate::BP)));
    EXPECT_EQ(screen.bitmapAt(34, 33), kDspKeyReleasedLit);
}

// ---- Read-backs and state updates -----------------------------------------------------------

TEST_F(DspWindowTest, TheLevelAnswerEndsTheReadBackAndTheOnOffAnswerDoesNot) {
    open(DspWindowKind::Dnr);
    radio.store(F::NR_0, 1);
    radio.store(F::RL, 3);
    wheel(kFirstKnob, 120);
    show(window->onDisplayUpdate(id(DisplayUpdate::NR)));
    advance(200);
    EXPECT_EQ(link.queued, (std::vector<std::string>{"RL0;"}));

    wheel(kFirstKnob, 120);
    show(window->onDisplayUpdate(id(DisplayUpdate::RL)));
    advance(200);
    EXPECT_EQ(link.queued.size(), 1u);
}

TEST_F(DspWindowTest, NoReadBackWhileTheLinkReportsNoConnection) {
    open(DspWindowKind::Notch);
    radio.store(F::AI, 0);
    radio.store(F::BP_1, 200);
    wheel(kFirstKnob, 120);
    advance(1000);
    EXPECT_EQ(link.requests.size(), 1u);
    EXPECT_TRUE(link.queued.empty());
}

TEST_F(DspWindowTest, AStateUpdateRedrawsTheSelectedFieldsPointerFromTheNewValue) {
    open(DspWindowKind::Contour);
    radio.store(F::CO_0, -2);
    click(PanelPoint{276, 17});
    EXPECT_EQ(pointerOn(kSecondKnob), pointerCorner(kSecondKnob, 200));
    radio.store(F::CO_0, 1);
    show(window->onDisplayUpdate(id(DisplayUpdate::CO)));
    EXPECT_EQ(pointerOn(kSecondKnob), pointerCorner(kSecondKnob, 80));
}

// ---- Closing ---------------------------------------------------------------------------------

TEST_F(DspWindowTest, ClosingReportsOnceAndStopsTheWindowsTimers) {
    open(DspWindowKind::Contour);
    click(kFrequencyField);
    wheel(kSecondKnob, 120);
    EXPECT_TRUE(window->close());
    EXPECT_FALSE(window->close());
    EXPECT_EQ(mainWindow.posted, (std::vector{message(WindowMessage::ContourClosed)}));
    for (int timer : {kDspTimerFieldRepeat, kDspTimerWatch, kDspTimerWheelPointer,
                      kDspTimerKnobSend, kDspTimerReadBack})
        EXPECT_FALSE(time.isTimerRunning(timer)) << timer;
}

}  // namespace
}  // namespace panelink::paneltest
