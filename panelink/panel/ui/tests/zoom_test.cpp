// The main window zoomed on the offscreen platform (device pixel ratio 1): the mouse reaches
// the same controls at every zoom, the panel is painted from the double-size bitmaps, and the
// View/Zoom menu shows and tells the choice.
#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QSignalSpy>
#include <QTest>

#include <cmath>
#include <vector>

#include "panelink/core/requests.h"
#include "panelink/panel/ui/bitmap_store.h"
#include "panelink/panel/ui/panel_view.h"
#include "panelink/panel/ui/tests/dialog_fixture.h"
#include "panelink/testing/qt_test_support.h"

namespace panelink {
namespace {

using platform::Milliseconds;
using Posted = uitest::RecordingLink::Posted;
using uitest::changedRect;

constexpr int kFullRedrawTimer = 13;

class ZoomTest : public uitest::DialogFixture {
  protected:
    void showAt(ZoomSetting setting) {
        window_->setZoom(setting);
        window_->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window_.get()));
    }

    // A click on the view pixel that lies in the middle of panel pixel `at`.
    void click(PanelPoint at) {
        const double zoom = window_->view()->zoom();
        const QPoint inView(static_cast<int>(std::floor((at.x + 0.5) * zoom)),
                            static_cast<int>(std::floor((at.y + 0.5) * zoom)));
        pointer_.at = at;
        pointer_.left = true;
        QTest::mousePress(window_->view(), Qt::LeftButton, {}, inView);
        pointer_.left = false;
        QTest::mouseRelease(window_->view(), Qt::LeftButton, {}, inView);
    }

    QAction* zoomAction(const char* label) const {
        for (QAction* menu : window_->menuBar()->actions()) {
            if (menu->text() != QStringLiteral("View")) continue;
            for (QAction* item : menu->menu()->actions()) {
                if (item->menu() == nullptr) continue;
                for (QAction* choice : item->menu()->actions()) {
                    if (choice->text() == QString::fromUtf8(label)) return choice;
                }
            }
        }
        return nullptr;
    }

    // The view as it is on the screen, one image pixel per view pixel.
    QImage screen() const {
        return window_->view()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    }
};

// The LOCK key's corners and the pixels just outside them: one pixel off would show.
const std::vector<PanelPoint> kClicks{{588, 272}, {636, 300}, {587, 286}, {612, 271},
                                      {637, 286}, {612, 301}, {612, 286}};

TEST_F(ZoomTest, TheSameClicksAskForTheSameThingsAtEveryZoom) {
    showAt(ZoomSetting::Percent100);
    for (PanelPoint at : kClicks)
        click(at);
    const std::vector<Posted> atFullSize = link_.posts;
    ASSERT_EQ(atFullSize.size(), 3u) << "the corners and the middle press the key";

    for (ZoomSetting setting : {ZoomSetting::Percent150, ZoomSetting::Percent200}) {
        link_.posts.clear();
        window_->setZoom(setting);
        for (PanelPoint at : kClicks)
            click(at);
        EXPECT_EQ(link_.posts, atFullSize) << zoomChoice(setting).percent << " %";
    }
}

TEST_F(ZoomTest, TheWindowTakesTheZoomedSizeAndKeepsIt) {
    showAt(ZoomSetting::Percent200);
    EXPECT_EQ(window_->view()->size(), QSize(1686, 640));
    window_->setZoom(ZoomSetting::Percent150);
    EXPECT_EQ(window_->view()->size(), QSize(1265, 480));
    EXPECT_EQ(window_->minimumSize(), window_->maximumSize());
    window_->setZoom(ZoomSetting::FollowScreen);
    EXPECT_EQ(window_->view()->size(), QSize(843, 320));
}

TEST_F(ZoomTest, DigitsAt200PercentArePaintedFromTheDoubleSizeBitmapsNotEnlarged) {
    showAt(ZoomSetting::Percent200);
    ASSERT_EQ(window_->canvas().scale(), 2);
    ASSERT_TRUE(radio_.store(RadioField::FA, 14250000));
    window_->handleMessage({WM_APP + 0x333, 0, 0});  // "FA": the 1 MHz digit at 259 is a "4"
    const QImage shown = screen().copy(QRect(2 * 259, 2 * 96, 2 * 38, 2 * 52));

    const QImage crisp = BitmapStore::load(1350, 2);
    const QImage single = BitmapStore::load(1350, 1);
    ASSERT_EQ(crisp.size(), shown.size());
    EXPECT_TRUE(changedRect(crisp, shown).isEmpty());
    for (Qt::TransformationMode mode : {Qt::FastTransformation, Qt::SmoothTransformation}) {
        const QImage enlarged = single.scaled(shown.size(), Qt::IgnoreAspectRatio, mode)
                                    .convertToFormat(QImage::Format_RGB32);
        EXPECT_FALSE(changedRect(enlarged, shown).isEmpty());
    }
}

TEST_F(ZoomTest, AZoomChosenInTheMenuIsShownToldAndUndoneByTheFullRedraw) {
    showAt(ZoomSetting::FollowScreen);
    time_.advance(Milliseconds(30));  // the full redraw of the exposure
    const QImage fullSize = buffer();
    QSignalSpy chosen(window_.get(), &FrontPanelDialog::zoomChosen);

    QAction* twice = zoomAction("200 %");
    ASSERT_NE(twice, nullptr);
    EXPECT_TRUE(zoomAction("Follow the screen")->isChecked());
    twice->trigger();
    ASSERT_EQ(chosen.count(), 1);
    EXPECT_EQ(chosen.at(0).at(0).value<ZoomSetting>(), ZoomSetting::Percent200);
    EXPECT_TRUE(twice->isChecked());
    EXPECT_EQ(window_->view()->size(), QSize(1686, 640));
    EXPECT_EQ(buffer().size(), QSize(1686, 640));
    EXPECT_TRUE(time_.isTimerRunning(kFullRedrawTimer));
    time_.advance(Milliseconds(30));

    // Back at full size, the redraw leaves nothing of the resampled picture.
    zoomAction("100 %")->trigger();
    EXPECT_EQ(chosen.count(), 2);
    time_.advance(Milliseconds(30));
    EXPECT_TRUE(changedRect(fullSize, buffer()).isEmpty());
}

}  // namespace
}  // namespace panelink
