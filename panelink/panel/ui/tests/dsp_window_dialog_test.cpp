// A DSP window on the offscreen platform: its picture, the mouse on it, its own timers, the
// state updates it hears from the event hub and its closing message.
#include "panelink/panel/ui/dsp_window_dialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QPointer>
#include <QTest>
#include <QWheelEvent>

#include <memory>
#include <vector>

#include "panelink/cat/radio_state.h"
#include "panelink/core/messages.h"
#include "panelink/panel/ui/bitmap_store.h"
#include "panelink/panel/ui/panel_view.h"
#include "panelink/panel/ui/tests/panel_test_ports.h"
#include "panelink/testing/qt_test_support.h"
#include "shared/platform/virtual_time.h"

namespace panelink {
namespace {

using platform::Milliseconds;
using uitest::waitUntil;

constexpr QRect kKeyRect(34, 33, 42, 32);
constexpr QRect kFirstKnobRect(138, 39, 56, 56);

// The closing messages that reached the event hub.
class ClosingLog final : public platform::MessageSink {
  public:
    bool post(const platform::Message& message) override {
        messages.push_back(message);
        return true;
    }
    std::vector<platform::Message> messages;
};

class DspWindowDialogTest : public ::testing::Test {
  protected:
    void SetUp() override {
        closings_ =
            events_.subscribe(log_,
                              {id(WindowMessage::ContourClosed), id(WindowMessage::NotchClosed),
                               id(WindowMessage::DnrClosed)},
                              EventHub::Rank::Listener);
    }

    std::unique_ptr<DspWindowDialog> open(DspWindowKind kind) {
        DspWindowPorts ports{
            .radio = radio_,
            .events = events_,
            .link = link_,
            .makeTimers = [this](platform::TimerHost::TickHandler handler)
                -> std::unique_ptr<platform::TimerHost> {
                auto owned = std::make_unique<platform::VirtualTime>(std::move(handler));
                time_ = owned.get();
                return owned;
            },
            .pointer = &pointer_,
        };
        auto window = std::make_unique<DspWindowDialog>(kind, std::move(ports));
        window->show();
        return window;
    }

    void turnWheel(DspWindowDialog& window, QPoint at, int delta) {
        QWheelEvent event(QPointF(at), window.view()->mapToGlobal(QPointF(at)), QPoint(),
                          QPoint(0, delta), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(window.view(), &event);
    }

    EventHub events_;
    RadioState radio_;
    uitest::RecordingLink link_;
    uitest::FakePointer pointer_;
    platform::VirtualTime* time_ = nullptr;  // owned by the open window
    ClosingLog log_;
    EventHub::Subscription closings_;
};

TEST_F(DspWindowDialogTest, TheWindowShowsItsPictureAtItsSizeWithItsCaption) {
    const auto window = open(DspWindowKind::Contour);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("CONTOUR"));
    EXPECT_EQ(window->view()->size(), QSize(328, 117));
    EXPECT_EQ(window->canvas().image().copy(0, 0, 130, 30),
              BitmapStore::load(1487).copy(0, 0, 130, 30));
}

// The offscreen screen has a device pixel ratio of 1: at 200 % the buffer doubles.
TEST_F(DspWindowDialogTest, At200PercentThePictureIsDrawnFromTheDoubleSizeBitmapsNotEnlarged) {
    const auto window = open(DspWindowKind::Notch);
    const QSize fullSize = window->view()->size();
    const QImage unlit = window->canvas().image();
    radio_.store(RadioField::BP_0, 1);
    events_.post(message(DisplayUpdate::BP));
    ASSERT_TRUE(waitUntil([&] { return window->canvas().image() != unlit; }));

    window->setZoom(ZoomSetting::Percent200);
    EXPECT_EQ(window->view()->size(), fullSize * 2);
    ASSERT_EQ(window->canvas().scale(), 2);
    const QImage background =
        BitmapStore::load(dspWindowProfile(DspWindowKind::Notch).background, 2);
    const QRect key(kKeyRect.topLeft() * 2, kKeyRect.size() * 2);
    EXPECT_EQ(uitest::keyedMismatches(BitmapStore::load(1528, 2), key, background,
                                      window->canvas().image()),
              0);
    const QImage shown = window->view()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_TRUE(
        uitest::changedRect(shown.copy(0, 0, 260, 60), background.copy(0, 0, 260, 60)).isEmpty());

    window->setZoom(ZoomSetting::Percent100);
    EXPECT_EQ(window->view()->size(), fullSize);
}

TEST_F(DspWindowDialogTest, AnUpdateFromTheHubLightsTheKey) {
    const auto window = open(DspWindowKind::Notch);
    const QImage before = window->canvas().image();
    radio_.store(RadioField::BP_0, 1);
    events_.post(message(DisplayUpdate::BP));
    ASSERT_TRUE(waitUntil([&] { return window->canvas().image() != before; }));
    EXPECT_EQ(uitest::keyedMismatches(BitmapStore::load(1528), kKeyRect, before,
                                      window->canvas().image()),
              0);
}

TEST_F(DspWindowDialogTest, AClickOnTheFieldLightsItAndTheWheelStepsTheKnob) {
    const auto window = open(DspWindowKind::Dnr);
    radio_.store(RadioField::NR_0, 1);
    radio_.store(RadioField::RL, 4);
    QTest::mouseClick(window->view(), Qt::LeftButton, {}, QPoint(166, 17));
    EXPECT_EQ(window->canvas().image().copy(156, 14, 20, 7),
              BitmapStore::load(1514).copy(156, 14, 20, 7));

    const QImage selected = window->canvas().image();
    turnWheel(*window, QPoint(166, 67), 120);
    EXPECT_EQ(
        link_.posts,
        (std::vector<uitest::RecordingLink::Posted>{{Request::SetDnrLevel, kReadBackBit, 5}}));
    EXPECT_EQ(window->canvas().image().copy(156, 14, 20, 7),
              BitmapStore::load(1490).copy(156, 14, 20, 7))
        << "the wheel deselects the field";
    EXPECT_NE(window->canvas().image().copy(kFirstKnobRect), selected.copy(kFirstKnobRect));
}

TEST_F(DspWindowDialogTest, TheWheelsPointerGoesWhenTheWindowsOwnTimerTicks) {
    const auto window = open(DspWindowKind::Notch);
    const QImage atRest = window->canvas().image();
    turnWheel(*window, QPoint(166, 67), 120);
    EXPECT_NE(window->canvas().image().copy(kFirstKnobRect), atRest.copy(kFirstKnobRect));
    ASSERT_NE(time_, nullptr);
    time_->advance(Milliseconds(200));
    EXPECT_EQ(window->canvas().image().copy(kFirstKnobRect), atRest.copy(kFirstKnobRect));
}

TEST_F(DspWindowDialogTest, EscapeAndTheCloseBoxReportTheClosingOnceAndLeaveTheWindowToItsOwner) {
    const auto window = open(DspWindowKind::Contour);
    QTest::keyClick(window.get(), Qt::Key_Escape);
    EXPECT_FALSE(window->isVisible());
    window->show();
    window->close();
    EXPECT_EQ(log_.messages, (std::vector{message(WindowMessage::ContourClosed)}));
    QPointer<QWidget> alive = window.get();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(alive) << "a window never deletes itself";
}

}  // namespace
}  // namespace panelink
