// VFO SET, Command Send, MEMORY WRITE, VCC and MIC EQ on the offscreen platform.
#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "panelink/cat/radio_state.h"
#include "panelink/panel/ui/bitmap_store.h"
#include "panelink/windows/ui/command_send_dialog.h"
#include "panelink/windows/ui/memory_write_dialog.h"
#include "panelink/windows/ui/mic_eq_dialog.h"
#include "panelink/windows/ui/tests/window_fixture.h"
#include "panelink/windows/ui/vcc_dialog.h"
#include "panelink/windows/ui/vfo_set_dialog.h"

namespace panelink::windowtest {
namespace {

using platform::Message;

class EntryDialogTest : public WindowFixture {
  protected:
    std::vector<Message> closings(WindowMessage closed) const {
        std::vector<Message> found;
        for (const Message& m : mainWindow_.posted()) {
            if (m.id == id(closed)) found.push_back(m);
        }
        return found;
    }
};

// --- VFO SET ---------------------------------------------------------------------------------

TEST_F(EntryDialogTest, VfoSetTakesEightDigitsAndOkHandsThemOverOnce) {
    VfoSetDialog dialog(events_, nullptr);
    dialog.show();
    EXPECT_EQ(dialog.prompt()->text(), "Please enter the operating frequency.");
    QTest::keyClicks(dialog.edit(), "7a1.00-0000999");
    EXPECT_EQ(dialog.edit()->text(), "71000000");
    QTest::mouseClick(dialog.okButton(), Qt::LeftButton);
    EXPECT_FALSE(dialog.isVisible());
    dialog.show();
    dialog.close();
    EXPECT_EQ(closings(WindowMessage::VfoSetClosed),
              std::vector<Message>{message(WindowMessage::VfoSetClosed, 71000000)});
}

TEST_F(EntryDialogTest, VfoSetEscapeClosesWithoutAFrequency) {
    VfoSetDialog dialog(events_, nullptr);
    dialog.show();
    QTest::keyClicks(dialog.edit(), "7100000");
    QTest::keyClick(&dialog, Qt::Key_Escape);
    EXPECT_EQ(closings(WindowMessage::VfoSetClosed),
              std::vector<Message>{message(WindowMessage::VfoSetClosed, 0)});
}

// --- Command Send ----------------------------------------------------------------------------

TEST_F(EntryDialogTest, CommandSendSendsWhatWasTypedExactlyAndCloses) {
    CommandSendDialog dialog(wire_, events_, nullptr);
    dialog.show();
    EXPECT_EQ(dialog.prompt()->text(), "Please enter the TX command.");
    EXPECT_EQ(dialog.edit()->maxLength(), 500);
    QTest::keyClicks(dialog.edit(), "md03;fa007030000");
    QTest::keyClick(dialog.edit(), Qt::Key_Return);
    EXPECT_EQ(wire_.takeCommands(), Texts{"md03;fa007030000"});
    EXPECT_EQ(closings(WindowMessage::CommandSendClosed).size(), 1u);
}

TEST_F(EntryDialogTest, CommandSendCancelSendsNothing) {
    CommandSendDialog dialog(wire_, events_, nullptr);
    dialog.show();
    QTest::keyClicks(dialog.edit(), "FA;");
    QTest::mouseClick(dialog.cancelButton(), Qt::LeftButton);
    dialog.close();
    EXPECT_TRUE(wire_.takeCommands().empty());
    EXPECT_EQ(closings(WindowMessage::CommandSendClosed).size(), 1u);
}

// --- MEMORY WRITE ----------------------------------------------------------------------------

class MemoryWriteDialogTest : public EntryDialogTest {
  protected:
    void enter(const char* channel) {
        dialog_.edit()->clear();
        QTest::keyClicks(dialog_.edit(), channel);
        QTest::mouseClick(dialog_.okButton(), Qt::LeftButton);
    }
    void answerFor(int channel) {
        ASSERT_TRUE(wire_.radio().store(RadioField::MR, channel));
        publish(DisplayUpdate::MR);
        runEvents();
    }
    bool locked() const {
        return dialog_.edit()->isReadOnly() && !dialog_.okButton()->isEnabled() &&
               !dialog_.cancelButton()->isEnabled();
    }
    std::size_t closes() const { return closings(WindowMessage::MemoryWriteClosed).size(); }

    MemoryWriteDialog dialog_{wire_.radio(), wire_, events_, nullptr};
};

TEST_F(MemoryWriteDialogTest, AChannelOutsideTheRangeIsRefusedWithTheMessage) {
    dialog_.show();
    enter("505");
    QMessageBox* box = dialog_.messageBox();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->text(), "The input range is incorrect.");
    box->accept();
    EXPECT_TRUE(dialog_.isVisible());
    EXPECT_FALSE(locked());
    EXPECT_TRUE(wire_.takeCommands().empty());
    EXPECT_EQ(dialog_.edit()->maxLength(), 3);
}

TEST_F(MemoryWriteDialogTest, AUsedChannelIsOverwrittenOnlyWhenTheUserAgrees) {
    dialog_.show();
    enter("504");
    EXPECT_EQ(wire_.takeCommands(), Texts{"MR504;"});
    EXPECT_TRUE(locked());

    answerFor(17);  // another channel: still waiting
    EXPECT_EQ(dialog_.messageBox(), nullptr);
    EXPECT_TRUE(locked());

    answerFor(504);
    QMessageBox* question = dialog_.messageBox();
    ASSERT_NE(question, nullptr);
    EXPECT_EQ(question->text(), "This channel already exists.\nOverwrite this channel?");
    QTest::mouseClick(question->button(QMessageBox::Cancel), Qt::LeftButton);
    EXPECT_FALSE(locked());
    EXPECT_TRUE(wire_.takeCommands().empty());

    enter("504");
    answerFor(504);
    ASSERT_NE(dialog_.messageBox(), nullptr);
    QTest::mouseClick(dialog_.messageBox()->button(QMessageBox::Ok), Qt::LeftButton);
    const Texts sent = wire_.takeCommands();
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(sent[1].substr(0, 5), "MW504");
    EXPECT_EQ(closes(), 1u);
    EXPECT_FALSE(dialog_.isVisible());
}

TEST_F(MemoryWriteDialogTest, AFreeChannelIsWrittenAfterTheWait) {
    dialog_.show();
    enter("3");
    ASSERT_TRUE(waitUntil([&] { return closes() == 1; }));
    const Texts sent = wire_.takeCommands();
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(sent[0], "MR003;");
    EXPECT_EQ(sent[1].substr(0, 5), "MW003");
    EXPECT_FALSE(dialog_.isVisible());
}

TEST_F(MemoryWriteDialogTest, EscapeWhileWaitingWritesNothing) {
    dialog_.show();
    enter("3");
    QTest::keyClick(&dialog_, Qt::Key_Escape);
    QTest::qWait(700);
    EXPECT_EQ(wire_.takeCommands(), Texts{"MR003;"});
    EXPECT_EQ(closes(), 1u);
}

// --- VCC -------------------------------------------------------------------------------------

TEST_F(EntryDialogTest, VccShowsTheVoltageOfEachAnswer) {
    VccDialog dialog(wire_.radio(), events_, nullptr);
    dialog.show();
    EXPECT_EQ(dialog.voltage()->text(), "");
    ASSERT_TRUE(wire_.radio().store(RadioField::VC, 5));
    publish(DisplayUpdate::VC);
    runEvents();
    EXPECT_EQ(dialog.voltage()->text(), "Vcc =   0.5 V");
    QTest::mouseClick(dialog.okButton(), Qt::LeftButton);
    dialog.show();
    QTest::keyClick(&dialog, Qt::Key_Escape);
    EXPECT_EQ(closings(WindowMessage::VccClosed).size(), 1u);
}

// --- MIC EQ ----------------------------------------------------------------------------------

TEST_F(EntryDialogTest, MicEqChecksTheCurrentPresetAndWritesAnotherOne) {
    ASSERT_TRUE(wire_.menu().setValueOfKind(kKindMicEq, 7));
    MicEqDialog dialog(wire_.menu(), wire_, events_, nullptr);
    dialog.show();
    EXPECT_TRUE(dialog.presetButton(7)->isChecked());
    EXPECT_EQ(dialog.presetButton(7)->objectName(), "preset1180");
    QTest::mouseClick(dialog.presetButton(3), Qt::LeftButton);
    EXPECT_TRUE(dialog.presetButton(3)->isChecked());
    EXPECT_EQ(wire_.takeCommands(), Texts{"EX0373;"});
    QTest::keyClick(&dialog, Qt::Key_Escape);
    EXPECT_EQ(closings(WindowMessage::MicEqClosed).size(), 1u);
}

TEST_F(EntryDialogTest, MicEqDrawsBothPicturesAtTheirPlaces) {
    MicEqDialog dialog(wire_.menu(), wire_, events_, nullptr);
    dialog.show();
    const QImage shown = dialog.grab().toImage();
    for (const auto& [number, x] : {std::pair{1507, 36}, std::pair{1506, 173}}) {
        const QImage picture = BitmapStore::load(number);
        ASSERT_FALSE(picture.isNull()) << number;
        // A pixel of the picture that is not the transparent green.
        const QPoint inside(picture.width() / 2, 20);
        ASSERT_NE(picture.pixel(inside) & 0xFFFFFF, 0x00FF00u);
        EXPECT_EQ(shown.pixel(inside + QPoint(x, MicEqDialog::kPictureY)) & 0xFFFFFF,
                  picture.pixel(inside) & 0xFFFFFF)
            << number;
    }
}

}  // namespace
}  // namespace panelink::windowtest
