// The Playback window on the offscreen platform.
#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "panelink/cat/radio_state.h"
#include "panelink/windows/ui/playback_dialog.h"
#include "panelink/windows/ui/tests/window_fixture.h"

namespace panelink::windowtest {
namespace {

class PlaybackDialogTest : public WindowFixture {
  protected:
    static QColor background(const QLabel* label) {
        return label->palette().color(QPalette::Window);
    }

    PlaybackDialog dialog_{wire_.radio(), wire_, events_, nullptr};
};

TEST_F(PlaybackDialogTest, RecordingReportLightsRecRedWhilePlayStaysWhite) {
    EXPECT_EQ(background(dialog_.recordIndicator()), QColor(Qt::white));
    EXPECT_EQ(background(dialog_.playIndicator()), QColor(Qt::white));
    ASSERT_TRUE(wire_.radio().store(RadioField::RI_3, 1));
    publish(DisplayUpdate::RI);
    runEvents();
    EXPECT_EQ(background(dialog_.recordIndicator()), QColor(Qt::red));
    EXPECT_EQ(background(dialog_.playIndicator()), QColor(Qt::white));
    EXPECT_EQ(dialog_.recordIndicator()->text(), "REC");

    ASSERT_TRUE(wire_.radio().store(RadioField::RI_3, 0));
    ASSERT_TRUE(wire_.radio().store(RadioField::RI_4, 1));
    publish(DisplayUpdate::RI);
    runEvents();
    EXPECT_EQ(background(dialog_.recordIndicator()), QColor(Qt::white));
    EXPECT_EQ(background(dialog_.playIndicator()), QColor(Qt::green));
}

TEST_F(PlaybackDialogTest, StopInTheTransmitRowSendsTheSameCommandAsInThePlayRow) {
    dialog_.show();
    QTest::mouseClick(dialog_.button(1044), Qt::LeftButton);
    QTest::mouseClick(dialog_.button(1039), Qt::LeftButton);
    QTest::mouseClick(dialog_.button(1042), Qt::LeftButton);
    EXPECT_EQ(wire_.takeCommands(), (Texts{"PB0;", "PB0;", "PB7;"}));
    EXPECT_EQ(dialog_.button(1028), nullptr) << "the hidden channels 3 to 5 are left out";
}

TEST_F(PlaybackDialogTest, TheCloseBoxThenEscapeReportClosingOnce) {
    dialog_.show();
    dialog_.close();
    EXPECT_FALSE(dialog_.isVisible());
    dialog_.show();
    QTest::keyClick(&dialog_, Qt::Key_Escape);
    EXPECT_EQ(closes(WindowMessage::PlaybackClosed), 1u);
}

}  // namespace
}  // namespace panelink::windowtest
