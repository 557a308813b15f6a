// The mouse on the panel view in panel pixels, the live pointer and the pop-up menus as
// QMenus, each on its own on the offscreen platform.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QTimer>
#include <QWheelEvent>

#include <memory>
#include <string>
#include <vector>

#include "panelink/panel/ui/bitmap_store.h"
#include "panelink/panel/ui/live_pointer_state.h"
#include "panelink/panel/ui/panel_canvas.h"
#include "panelink/panel/ui/panel_view.h"
#include "panelink/panel/ui/qmenu_popup_presenter.h"

namespace panelink {
namespace {

std::string describe(const char* what, PanelPoint at) {
    return std::string(what) + " " + std::to_string(at.x) + "," + std::to_string(at.y);
}

// A panel view in a main window with a menu bar, so that view and window pixels differ.
class PanelViewTest : public ::testing::Test {
  protected:
    void SetUp() override {
        window_.menuBar()->addMenu(QStringLiteral("File"));
        view_ = new PanelView(canvas_);
        window_.setCentralWidget(view_);
        window_.move(40, 30);
        window_.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window_));
        ASSERT_GT(view_->mapTo(&window_, QPoint(0, 0)).y(), 0);

        QObject::connect(view_, &PanelView::pressed, [this](MouseButton button, PanelPoint at) {
            heard_.push_back(
                describe(button == MouseButton::Left ? "left press" : "right press", at));
        });
        QObject::connect(
            view_, &PanelView::doubleClicked, [this](MouseButton button, PanelPoint at) {
                heard_.push_back(
                    describe(button == MouseButton::Left ? "left double" : "right double", at));
            });
        QObject::connect(view_, &PanelView::released, [this](MouseButton button, PanelPoint at) {
            heard_.push_back(
                describe(button == MouseButton::Left ? "left release" : "right release", at));
        });
        QObject::connect(view_, &PanelView::wheelTurned, [this](PanelPoint at, int delta) {
            heard_.push_back(describe("wheel", at) + " " + std::to_string(delta));
        });
    }

    void turnWheel(QPointF at, QPoint angle) {
        QWheelEvent event(at, view_->mapToGlobal(at), QPoint(), angle, Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(view_, &event);
    }

    BitmapStore bitmaps_;
    PanelCanvas canvas_{bitmaps_};
    QMainWindow window_;
    PanelView* view_ = nullptr;
    std::vector<std::string> heard_;
};

TEST_F(PanelViewTest, LeftAndRightButtonsArriveInPanelPixelsAndADoubleClickIsToldApart) {
    QTest::mousePress(view_, Qt::LeftButton, {}, QPoint(612, 286));
    QTest::mouseRelease(view_, Qt::LeftButton, {}, QPoint(700, 300));
    QTest::mousePress(view_, Qt::RightButton, {}, QPoint(612, 195));
    QTest::mouseRelease(view_, Qt::RightButton, {}, QPoint(612, 195));
    QTest::mousePress(view_, Qt::MiddleButton, {}, QPoint(10, 10));  // not the panel's
    QTest::mouseRelease(view_, Qt::MiddleButton, {}, QPoint(10, 10));
    EXPECT_EQ(heard_, (std::vector<std::string>{"left press 612,286", "left release 700,300",
                                                "right press 612,195", "right release 612,195"}));

    // A double click comes as press, release, double click, release.
    heard_.clear();
    QTest::mousePress(view_, Qt::LeftButton, {}, QPoint(450, 120));
    QTest::mouseRelease(view_, Qt::LeftButton, {}, QPoint(450, 120));
    QTest::mouseDClick(view_, Qt::LeftButton, {}, QPoint(450, 120));
    QTest::mouseRelease(view_, Qt::LeftButton, {}, QPoint(450, 120));
    EXPECT_EQ(heard_, (std::vector<std::string>{"left press 450,120", "left release 450,120",
                                                "left double 450,120", "left release 450,120"}));
}

TEST_F(PanelViewTest, EachVerticalWheelEventIsOneTurnWithItsSignAndSidewaysOnesAreDropped) {
    turnWheel(QPointF(400, 120), QPoint(0, 120));
    turnWheel(QPointF(400.75, 120.5), QPoint(0, -240));  // between pixels: the one it is in
    turnWheel(QPointF(400, 120), QPoint(120, 0));
    turnWheel(QPointF(10, 10), QPoint(0, 15));  // a fine-grained wheel: one turn all the same
    EXPECT_EQ(heard_, (std::vector<std::string>{"wheel 400,120 120", "wheel 400,120 -240",
                                                "wheel 10,10 15"}));
}

TEST_F(PanelViewTest, TheLivePointerIsReadInViewPixelsWhereverTheButtonWasLetGo) {
    const LivePointerState pointer(*view_);
    QTest::mouseMove(view_, QPoint(612, 286));
    EXPECT_EQ(pointer.cursor(), (PanelPoint{612, 286}));
    QTest::mousePress(view_, Qt::LeftButton, {}, QPoint(612, 286));
    EXPECT_TRUE(pointer.isButtonDown(MouseButton::Left));
    EXPECT_FALSE(pointer.isButtonDown(MouseButton::Right));

    // Let go on the menu bar, which the view never hears of.
    QTest::mouseRelease(window_.menuBar(), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_FALSE(pointer.isButtonDown(MouseButton::Left));
    // The cursor above the picture.
    QTest::mouseMove(window_.menuBar(), QPoint(5, 5));
    EXPECT_LT(pointer.cursor().y, 0);
}

// --- Pop-up menus ----------------------------------------------------------------------------

class PopupPresenterTest : public ::testing::Test {
  protected:
    void SetUp() override {
        window_.menuBar()->addMenu(QStringLiteral("File"));
        window_.setCentralWidget(new QWidget);
        window_.resize(400, 300);
        window_.move(40, 30);
        window_.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window_));
        // Otherwise the test could not tell the frame from the client area.
        ASSERT_NE(window_.frameGeometry().topLeft(), window_.geometry().topLeft());
    }

    // Once the menu is up: notes what it shows, then lets `user` act on it.
    void whenShown(std::function<void(QMenu& menu)> user) {
        presenter_.setBeforeShow([this, user = std::move(user)](QMenu& menu) {
            QTimer::singleShot(0, &menu, [this, &menu, user] {
                shownAt_ = menu.pos();
                for (const QAction* action : menu.actions()) {
                    texts_.push_back(action->text());
                    checkable_.push_back(action->isCheckable());
                    checked_.push_back(action->isChecked());
                }
                user(menu);
            });
        });
    }

    QMainWindow window_;
    QMenuPopupPresenter presenter_{window_};
    QPoint shownAt_;
    QStringList texts_;
    std::vector<bool> checkable_;
    std::vector<bool> checked_;
};

TEST_F(PopupPresenterTest, ShowsTheEntriesAsWrittenFromTheOuterFrameAndReturnsTheChosenId) {
    const std::vector<PopupEntry> entries{
        {1, "TUNER OFF", false}, {2, "TUNER ON ", true}, {3, "TUNING   ", false}};
    whenShown([](QMenu& menu) {
        menu.setActiveAction(menu.actions().at(2));
        QTest::keyClick(&menu, Qt::Key_Return);
    });
    EXPECT_EQ(presenter_.choose({28, 40}, entries), 3);
    EXPECT_EQ(shownAt_, window_.frameGeometry().topLeft() + QPoint(28, 40));
    EXPECT_EQ(texts_, (QStringList{"TUNER OFF", "TUNER ON ", "TUNING   "}));
    EXPECT_EQ(checkable_, (std::vector<bool>{true, true, true}));
    EXPECT_EQ(checked_, (std::vector<bool>{false, true, false}));
}

TEST_F(PopupPresenterTest, AMenuDismissedByEscapeOrClosedChoosesNothing) {
    const std::vector<PopupEntry> entries{{1, "POWER", true}, {2, "ALC  ", false}};
    whenShown([](QMenu& menu) { QTest::keyClick(&menu, Qt::Key_Escape); });
    EXPECT_EQ(presenter_.choose({10, 10}, entries), 0);
    whenShown([](QMenu& menu) { menu.close(); });
    EXPECT_EQ(presenter_.choose({10, 10}, entries), 0);
    // No menu is left behind on the window.
    EXPECT_TRUE(window_.findChildren<QMenu*>(QString(), Qt::FindDirectChildrenOnly).isEmpty());
}

}  // namespace
}  // namespace panelink
