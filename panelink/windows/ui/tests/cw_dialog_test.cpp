// The CW dialog on the offscreen platform, fed through a real event hub: the opening read, the
// keys a user types and the buttons pressed, the hint for a text that cannot be sent, and
// the ways the window is closed.
#include "panelink/windows/ui/cw_dialog.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>

#include <memory>
#include <string>
#include <vector>

#include "panelink/testing/qt_test_support.h"
#include "panelink/windows/tests/cw_window_rig.h"

namespace panelink {
namespace {

using namespace std::chrono_literals;
using cwtest::RecordingLink;

class CwDialogTest : public ::testing::Test {
  protected:
    CwDialogTest() {
        time_.setTickHandler([this](int id) {
            if (dialog_) dialog_->onTimer(id);
        });
    }

    void open() {
        dialog_ = std::make_unique<CwDialog>(CwDialogServices{hub_, radio_, link_, &time_});
        dialog_->show();
    }

    // The radio's answer to a read of `memory`, published as the receive thread does, and
    // handled by the dialog.
    void answer(int memory, std::string_view text) {
        cwtest::storeKeyerAnswer(radio_, memory, text);
        const std::size_t before = main_.count(id(DisplayUpdate::KM));
        hub_.post(message(DisplayUpdate::KM));
        ASSERT_EQ(main_.count(id(DisplayUpdate::KM)), before + 1);
        // The dialog's copy is queued behind the main window's; one round of events runs it.
        QCoreApplication::processEvents();
    }

    void openWith(std::string_view first, std::string_view second, std::string_view third) {
        open();
        answer(1, first);
        answer(2, second);
        answer(3, third);
        link_.clear();
    }

    std::size_t closings() const { return main_.count(id(WindowMessage::CwClosed)); }

    EventHub hub_;
    platform::RecordingWindow main_;
    EventHub::Subscription mainSubscription_ = hub_.subscribeMainWindow(main_);
    RadioState radio_;
    RecordingLink link_;
    platform::VirtualTime time_;
    std::unique_ptr<CwDialog> dialog_;
};

TEST_F(CwDialogTest, ShowsTheTemplatesCaptionsAndLimitsTheBoxesToFortyCharacters) {
    open();
    EXPECT_EQ(dialog_->windowTitle(), "CW");
    const std::vector<std::pair<int, QString>> captions{
        {kCwPlayText1, "Ch-1"}, {kCwPlayText2, "Ch-2"}, {kCwPlayText3, "Ch-3"},
        {kCwStop, "STOP"},      {kCwSpotOn, "ON"},      {kCwSpotOff, "OFF"},
        {kCwWrite1, "Ch-1 WR"}, {kCwWrite2, "Ch-2 WR"}, {kCwWrite3, "Ch-3 WR"},
    };
    for (const auto& [control, caption] : captions) {
        ASSERT_NE(dialog_->button(control), nullptr) << control;
        EXPECT_EQ(dialog_->button(control)->text(), caption);
        EXPECT_FALSE(dialog_->button(control)->autoDefault()) << "Enter presses nothing";
    }
    for (int memory = 1; memory <= 3; ++memory)
        EXPECT_EQ(dialog_->textBox(memory)->maxLength(), 40);
    EXPECT_EQ(dialog_->button(kCwTextBox1), nullptr);
}

TEST_F(CwDialogTest, TheOpeningReadLocksTheWindowUntilTheThirdMemoryHasArrived) {
    open();
    ASSERT_EQ(link_.posts.size(), 1u);
    EXPECT_EQ(link_.posts[0].request, Request::StartKeyerRead);
    EXPECT_FALSE(dialog_->takesShortcuts());
    EXPECT_TRUE(dialog_->textBox(1)->isReadOnly());
    EXPECT_FALSE(dialog_->button(kCwPlayText1)->isEnabled());
    EXPECT_FALSE(dialog_->button(kCwSpotOff)->isEnabled());
    EXPECT_FALSE(dialog_->writeButton(1)->isEnabled());

    answer(1, "CQ CQ DE TEST");
    answer(2, "TU 73");
    EXPECT_EQ(dialog_->textBox(2)->text(), "TU 73");
    EXPECT_TRUE(dialog_->textBox(2)->isReadOnly());
    answer(3, "");

    EXPECT_TRUE(dialog_->takesShortcuts());
    EXPECT_EQ(dialog_->textBox(1)->text(), "CQ CQ DE TEST");
    EXPECT_FALSE(dialog_->textBox(1)->isReadOnly());
    EXPECT_TRUE(dialog_->button(kCwPlayText1)->isEnabled());
    EXPECT_TRUE(dialog_->button(kCwSpotOff)->isEnabled());
    EXPECT_FALSE(dialog_->writeButton(1)->isEnabled()) << "the text is as stored";
    EXPECT_EQ(dialog_->focusWidget(), dialog_->button(kCwPlayText1));
}

TEST_F(CwDialogTest, WithoutAnswersTheWindowBecomesUsableAfterFiveSeconds) {
    open();
    time_.advance(5000ms);
    EXPECT_TRUE(dialog_->textBox(3)->isEnabled());
    EXPECT_FALSE(dialog_->textBox(3)->isReadOnly());
    EXPECT_TRUE(dialog_->button(kCwStop)->isEnabled());
}

TEST_F(CwDialogTest, ATypedTextIsWrittenWithItsReadBackAndTheAnswerIsShown) {
    openWith("", "OLD", "");
    dialog_->textBox(2)->selectAll();
    QTest::keyClicks(dialog_->textBox(2), "HELLO");
    ASSERT_TRUE(dialog_->writeButton(2)->isEnabled());
    QTest::mouseClick(dialog_->writeButton(2), Qt::LeftButton);
    EXPECT_EQ(link_.queued, (std::vector<std::string>{"KM2HELLO;", "KM2;"}));
    EXPECT_FALSE(dialog_->takesShortcuts()) << "waiting for the read-back";

    answer(2, "HELLO");
    EXPECT_TRUE(dialog_->takesShortcuts());
    EXPECT_EQ(dialog_->textBox(2)->text(), "HELLO");
    EXPECT_FALSE(dialog_->writeButton(2)->isEnabled());
}

TEST_F(CwDialogTest, ASemicolonOrANonAsciiLetterDisablesTheWriteButtonWithAHint) {
    openWith("", "", "");
    QLineEdit* box = dialog_->textBox(1);
    QTest::keyClicks(box, "CQ;PS0");
    EXPECT_FALSE(dialog_->writeButton(1)->isEnabled());
    EXPECT_TRUE(dialog_->hintLabel(1)->text().contains(';'));
    EXPECT_EQ(dialog_->writeButton(1)->toolTip(), dialog_->hintLabel(1)->text());
    QTest::keyClick(dialog_->writeButton(1), Qt::Key_Space);
    QTest::keyClick(box, Qt::Key_Return);

    box->clear();
    QTest::keyClicks(box, QStringLiteral("CAF\u00c9"));
    EXPECT_FALSE(dialog_->writeButton(1)->isEnabled());
    EXPECT_TRUE(dialog_->hintLabel(1)->text().contains("ASCII"));
    EXPECT_TRUE(link_.queued.empty());

    QTest::keyClick(box, Qt::Key_Backspace);
    EXPECT_TRUE(dialog_->writeButton(1)->isEnabled());
    EXPECT_TRUE(dialog_->hintLabel(1)->text().isEmpty());
    EXPECT_TRUE(dialog_->writeButton(1)->toolTip().isEmpty());
    QTest::keyClick(box, Qt::Key_Return);
    EXPECT_TRUE(link_.queued.empty()) << "Enter writes nothing";
}

TEST_F(CwDialogTest, AltAndTheMemoryDigitPutTheFocusIntoThatBox) {
    openWith("", "", "");
    dialog_->activateWindow();
    ASSERT_TRUE(uitest::waitUntil([&] { return dialog_->isActiveWindow(); }, 5000));
    QTest::keyClick(dialog_.get(), Qt::Key_3, Qt::AltModifier);
    EXPECT_EQ(dialog_->focusWidget(), dialog_->textBox(3));
}

TEST_F(CwDialogTest, EscapeAndTheCloseBoxReportTheClosingOnceAndLeaveTheDestroyingToTheOwner) {
    openWith("", "", "");
    QPointer<CwDialog> dialog = dialog_.get();
    QTest::keyClick(dialog_.get(), Qt::Key_Escape);
    EXPECT_FALSE(dialog_->isVisible());
    dialog_->show();
    dialog_->close();
    ASSERT_TRUE(uitest::waitUntil([&] { return !dialog_->isVisible(); }, 1000));
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(dialog.isNull()) << "the main window destroys it when the message arrives";
    EXPECT_EQ(closings(), 1u);

    // A "KM" update still queued for it changes nothing.
    answer(1, "AFTER CLOSING");
    EXPECT_EQ(dialog_->textBox(1)->text(), "");
}

}  // namespace
}  // namespace panelink
