// The panel controls through the main window: the mouse on the view reaches the controller
// in panel pixels, its timers, answers and closing messages are routed to it, and what it
// sends comes out at the link, on the picture, in pop-up menus and auxiliary windows.
#include <gtest/gtest.h>

#include <QAction>
#include <QDialog>
#include <QMenuBar>
#include <QPointer>
#include <QTest>

#include <initializer_list>
#include <string>
#include <vector>

#include "panelink/core/messages.h"
#include "panelink/core/requests.h"
#include "panelink/panel/panel_controller.h"
#include "panelink/panel/ui/bitmap_store.h"
#include "panelink/panel/ui/connecting_notice.h"
#include "panelink/panel/ui/panel_canvas.h"
#include "panelink/panel/ui/panel_view.h"
#include "panelink/panel/ui/tests/dialog_fixture.h"
#include "panelink/testing/qt_test_support.h"

namespace panelink {
namespace {

using platform::Message;
using platform::Milliseconds;
using Posted = uitest::RecordingLink::Posted;
using uitest::waitUntil;

constexpr QPoint kLockKey(612, 286);
constexpr QRect kLockKeyRect(588, 272, 49, 29);
constexpr QPoint kBandUpKey(612, 195);
constexpr QPoint kComKey(50, 195);
constexpr QPoint kHundredHertzDigit(450, 120);  // digit index 3

class PanelControlsTest : public uitest::DialogFixture {
  protected:
    // The picture as the display draws it after `messages`, from the plain panel.
    QImage drawnBy(std::initializer_list<Message> messages) {
        BitmapStore bitmaps;
        PanelCanvas canvas(bitmaps);
        FrontPanelDisplay display(radio_, menu_, time_);
        for (const Message& m : messages)
            canvas.run(display.handleMessage(m).ops);
        return canvas.image();
    }

    // The LOCK key as drawn pressed, or pressed and then released.
    bool showsLockKey(bool pressed) {
        const QImage expected =
            pressed
                ? drawnBy({message(WindowMessage::LockKey, 1)})
                : drawnBy({message(WindowMessage::LockKey, 1), message(WindowMessage::LockKey, 0)});
        return buffer().copy(kLockKeyRect) == expected.copy(kLockKeyRect);
    }

    // A left click held on `at` until the test lets go.
    void leftPress(QPoint at) {
        pointer_.at = {at.x(), at.y()};
        pointer_.left = true;
        QTest::mousePress(window_->view(), Qt::LeftButton, {}, at);
    }
    void leftRelease(QPoint at) {
        pointer_.left = false;
        QTest::mouseRelease(window_->view(), Qt::LeftButton, {}, at);
    }

    void turnWheelUp(QPoint at) {
        QWheelEvent event(QPointF(at), window_->view()->mapToGlobal(QPointF(at)), QPoint(),
                          QPoint(0, 120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(window_->view(), &event);
    }
};

TEST_F(PanelControlsTest, AClickOnTheLockKeyAsksForTheLockAndShowsTheKeyPressedUntilLetGo) {
    const QImage plain = buffer();
    leftPress(kLockKey);
    EXPECT_EQ(link_.posts, (std::vector<Posted>{{Request::ToggleLock, 0, 0}}));
    EXPECT_NE(buffer().copy(kLockKeyRect), plain.copy(kLockKeyRect));
    EXPECT_TRUE(showsLockKey(true));

    leftRelease(kLockKey);
    EXPECT_TRUE(showsLockKey(false));
    EXPECT_EQ(link_.posts.size(), 1u);
}

TEST_F(PanelControlsTest, ADoubleClickOnAKeyPressesItTwice) {
    leftPress(kLockKey);
    leftRelease(kLockKey);
    pointer_.left = true;
    QTest::mouseDClick(window_->view(), Qt::LeftButton, {}, kLockKey);
    leftRelease(kLockKey);
    EXPECT_EQ(link_.posts,
              (std::vector<Posted>{{Request::ToggleLock, 0, 0}, {Request::ToggleLock, 0, 0}}));
}

// The hold check reads the pointer itself: a button let go where the window never heard of
// it still releases the key.
TEST_F(PanelControlsTest, AKeyLetGoOutsideTheWindowIsReleasedAtTheNextHoldCheck) {
    leftPress(kLockKey);
    time_.advance(Milliseconds(100));
    EXPECT_TRUE(showsLockKey(true));

    pointer_.left = false;
    pointer_.at = {-200, 500};
    QTest::mouseRelease(window_->menuBar(), Qt::LeftButton, {}, QPoint(5, 5));
    time_.advance(Milliseconds(100));
    EXPECT_TRUE(showsLockKey(false));
}

TEST_F(PanelControlsTest, ARightClickOnBandUpAsksForTheBandAndTheAnswerOpensTheBandMenu) {
    popups_.answer = [](const uitest::ScriptedPopups::Shown& menu) {
        for (std::size_t i = 0; i < menu.texts.size(); ++i) {
            if (menu.texts[i] == "14  ") return menu.ids[i];
        }
        return 0;
    };
    pointer_.at = {kBandUpKey.x(), kBandUpKey.y()};
    pointer_.right = true;
    QTest::mousePress(window_->view(), Qt::RightButton, {}, kBandUpKey);
    pointer_.right = false;
    QTest::mouseRelease(window_->view(), Qt::RightButton, {}, kBandUpKey);
    EXPECT_EQ(link_.posts, (std::vector<Posted>{{Request::ReadBand, 0, 0}}));
    EXPECT_TRUE(popups_.shown.empty());

    window_->handleMessage(message(DisplayUpdate::BS));
    ASSERT_EQ(popups_.shown.size(), 1u);
    EXPECT_EQ(popups_.shown[0].position, (PanelPoint{588, 259}));
    EXPECT_EQ(popups_.shown[0].texts.size(), 11u);
    EXPECT_EQ(link_.posts.back(), (Posted{Request::SelectBand14, 0, 0}));
}

TEST_F(PanelControlsTest, TheWheelTunesTheSelectedDigitAndItsAnswerStopsTheReadBack) {
    ASSERT_TRUE(radio_.store(RadioField::FA, 14250000));
    ASSERT_TRUE(radio_.store(RadioField::AI, 1));  // connected
    leftPress(kHundredHertzDigit);
    leftRelease(kHundredHertzDigit);
    EXPECT_EQ(window_->display().selectedDigit(), 3);

    turnWheelUp(kHundredHertzDigit);
    ASSERT_FALSE(link_.posts.empty());
    EXPECT_EQ(link_.posts.back(), (Posted{Request::SetVfoAFrequency, kReadBackBit, 14250100}));
    time_.advance(Milliseconds(200));
    EXPECT_EQ(link_.queued, std::vector<std::string>{"FA;"});

    // The answer comes before the query is due: no query.
    turnWheelUp(kHundredHertzDigit);
    window_->handleMessage(message(DisplayUpdate::FA));
    time_.advance(Milliseconds(200));
    EXPECT_EQ(link_.queued.size(), 1u);
}

TEST_F(PanelControlsTest, EnterDeselectsTheSelectedDigit) {
    window_->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window_.get()));
    leftPress(kHundredHertzDigit);
    leftRelease(kHundredHertzDigit);
    ASSERT_EQ(window_->display().selectedDigit(), 3);
    QTest::keyClick(window_->view(), Qt::Key_Return);
    EXPECT_EQ(window_->display().selectedDigit(), 0);
    EXPECT_EQ(cancels_, 0);
}

TEST_F(PanelControlsTest, MenuCommandsOpenTheirWindowsShowTheVersionAndExit) {
    window_->setAuxFactory([](AuxWindow which, FrontPanelDialog& owner) -> QWidget* {
        return which == AuxWindow::ComSelect ? new QDialog(&owner) : nullptr;
    });
    window_->menuAction(kMenuComSelect)->trigger();
    ASSERT_TRUE(windows().isOpen(AuxWindow::ComSelect));
    QPointer<QWidget> dialog = window_->auxWindow(AuxWindow::ComSelect);
    EXPECT_FALSE(window_->menuAction(kMenuBaudRate)->isEnabled());

    window_->post(message(WindowMessage::ComSelectClosed));
    ASSERT_TRUE(waitUntil([&] { return dialog.isNull(); }));
    EXPECT_FALSE(windows().anyOpen());
    EXPECT_TRUE(window_->menuAction(kMenuBaudRate)->isEnabled());

    window_->menuAction(kMenuVersion)->trigger();
    ASSERT_EQ(boxes_.count(), 1u);
    EXPECT_TRUE(boxes_.at(0).box.text.contains(QStringLiteral("Version")));

    window_->menuAction(kMenuExit)->trigger();
    EXPECT_EQ(cancels_, 1);
}

TEST_F(PanelControlsTest, ClosingWithTheMenuListOpenUnlocksThePanelAndEndsTheRunOnceLater) {
    window_->setAuxFactory([](AuxWindow, FrontPanelDialog& owner) { return new QDialog(&owner); });
    ASSERT_TRUE(windows().open(AuxWindow::MenuList));
    window_->close();
    window_->menuAction(kMenuExit)->trigger();
    EXPECT_EQ(link_.posts, (std::vector<Posted>{{Request::SetPanelLock, kReadBackBit, 3}}));
    time_.advance(Milliseconds(499));
    EXPECT_EQ(cancels_, 0);
    time_.advance(Milliseconds(1));
    EXPECT_EQ(cancels_, 1);
    window_->close();
    time_.advance(Milliseconds(1000));
    EXPECT_EQ(cancels_, 1);
}

TEST_F(PanelControlsTest, TheComKeyShowsTheConnectingNoticeUntilTheLinkAnswers) {
    window_->setAuxFactory([](AuxWindow which, FrontPanelDialog& owner) -> QWidget* {
        return which == AuxWindow::ConnectingNotice ? new ConnectingNotice(&owner) : nullptr;
    });
    ASSERT_TRUE(radio_.store(RadioField::PS, 1));  // on, not connected
    leftPress(kComKey);
    leftRelease(kComKey);
    ASSERT_FALSE(link_.posts.empty());
    EXPECT_EQ(link_.posts.front(), (Posted{Request::SwitchAutoInfo, 0, 0}));
    time_.advance(Milliseconds(1500));
    ASSERT_TRUE(windows().isOpen(AuxWindow::ConnectingNotice));
    QPointer<QWidget> notice = window_->auxWindow(AuxWindow::ConnectingNotice);
    EXPECT_TRUE(notice->isVisible());
    EXPECT_FALSE(window_->menuAction(kMenuCw)->isEnabled());

    ASSERT_TRUE(radio_.store(RadioField::AI, 1));
    window_->handleMessage(message(WindowMessage::Connected));
    EXPECT_FALSE(windows().isOpen(AuxWindow::ConnectingNotice));
    ASSERT_TRUE(waitUntil([&] { return notice.isNull(); }));
    EXPECT_TRUE(window_->menuAction(kMenuCw)->isEnabled());
}

TEST_F(PanelControlsTest, TheVfoSetClosingMessageCarriesTheFrequencyToSet) {
    window_->setAuxFactory([](AuxWindow, FrontPanelDialog& owner) { return new QDialog(&owner); });
    ASSERT_TRUE(windows().open(AuxWindow::VfoSet));
    window_->handleMessage(message(WindowMessage::VfoSetClosed, 7100000));
    EXPECT_FALSE(windows().isOpen(AuxWindow::VfoSet));
    EXPECT_EQ(link_.posts,
              (std::vector<Posted>{{Request::SetVfoAFrequency, kReadBackBit, 7100000}}));
}

}  // namespace
}  // namespace panelink
