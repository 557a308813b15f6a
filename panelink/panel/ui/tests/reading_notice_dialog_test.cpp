// "Reading the menu setting data now." on the offscreen platform, in real time.
#include <gtest/gtest.h>

#include <QKeyEvent>
#include <QLabel>
#include <QSignalSpy>
#include <QTest>
#include <QWidget>

#include "panelink/core/event_hub.h"
#include "panelink/core/link_flags.h"
#include "panelink/core/messages.h"
#include "panelink/panel/ui/reading_notice_dialog.h"

namespace panelink {
namespace {

class ReadingNoticeDialogTest : public ::testing::Test {
  protected:
    void SetUp() override {
        parent_.show();
        notice_ = new ReadingNoticeDialog(flags_, events_, &parent_);
    }

    LinkFlags flags_;
    EventHub events_;
    QWidget parent_;
    ReadingNoticeDialog* notice_ = nullptr;
};

TEST_F(ReadingNoticeDialogTest, WithoutARunningReadOutItClosesByItself) {
    QSignalSpy finished(notice_, &QDialog::finished);
    notice_->start();
    EXPECT_EQ(notice_->textLabel()->text().toStdString(), "Reading the menu setting data now.");
    EXPECT_TRUE(finished.wait(2000));
}

TEST_F(ReadingNoticeDialogTest, ItWaitsForTheReadOutsEndAndIgnoresEnterAndEscape) {
    flags_.readoutBusy = true;
    QSignalSpy finished(notice_, &QDialog::finished);
    notice_->start();
    EXPECT_TRUE(flags_.readingDialogShown);
    QTest::keyClick(notice_, Qt::Key_Escape);
    QTest::keyClick(notice_, Qt::Key_Return);
    QTest::qWait(300);
    EXPECT_EQ(finished.count(), 0);
    EXPECT_TRUE(notice_->isVisible());

    events_.post(message(WindowMessage::MenuReadoutDone));
    EXPECT_TRUE(finished.wait(2000));
    EXPECT_FALSE(flags_.readingDialogShown);
}

}  // namespace
}  // namespace panelink
