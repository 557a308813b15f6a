// The Repeater window and its tone list on the offscreen platform.
#include <gtest/gtest.h>

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include "panelink/cat/radio_state.h"
#include "panelink/windows/ui/repeater_dialog.h"
#include "panelink/windows/ui/tests/window_fixture.h"

namespace panelink::windowtest {
namespace {

using Box = RepeaterSettings::Box;

class RepeaterDialogTest : public WindowFixture {
  protected:
    RepeaterDialog& open() {
        dialog_ = std::make_unique<RepeaterDialog>(wire_.radio(), wire_, events_, nullptr);
        dialog_->show();
        wire_.takeCommands();
        return *dialog_;
    }
    ToneListDialog& openToneList() {
        QTest::mouseClick(dialog_->button(RepeaterDialog::kFreqButtonId), Qt::LeftButton);
        EXPECT_NE(dialog_->toneList(), nullptr);
        return *dialog_->toneList();
    }
    // The pixels of an item of the tone list as drawn.
    static QImage itemPicture(QListWidget& list, int row) {
        const QRect rect = list.visualItemRect(list.item(row));
        return list.viewport()->grab(rect).toImage();
    }
    static bool hasRed(const QImage& image) {
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                const QColor c = image.pixelColor(x, y);
                if (c.red() > 180 && c.green() < 80 && c.blue() < 80) return true;
            }
        }
        return false;
    }

    std::unique_ptr<RepeaterDialog> dialog_;
};

TEST_F(RepeaterDialogTest, BoxesShowTheStateAtOpeningAndFollowTheAnswers) {
    ASSERT_TRUE(wire_.radio().store(RadioField::CT_0, 2));
    ASSERT_TRUE(wire_.radio().store(RadioField::CN_0, 12));
    RepeaterDialog& dialog = open();
    EXPECT_EQ(dialog.vfoLabel()->text(), "<VFO-A>");
    EXPECT_EQ(dialog.box(Box::Mode)->text(), "Tone Encoder");
    EXPECT_EQ(dialog.box(Box::Tone)->text(), "100.0 Hz");
    EXPECT_EQ(dialog.box(Box::Shift)->text(), "Simplex");

    ASSERT_TRUE(wire_.radio().store(RadioField::OS_0, 1));
    ASSERT_TRUE(wire_.radio().store(RadioField::CN_0, 0));
    publish(DisplayUpdate::OS);
    runEvents();
    EXPECT_EQ(dialog.box(Box::Shift)->text(), "Plus Shift");
    EXPECT_EQ(dialog.box(Box::Tone)->text(), "100.0 Hz") << "no CN answer yet";
    publish(DisplayUpdate::CN);
    runEvents();
    EXPECT_EQ(dialog.box(Box::Tone)->text(), "67.0 Hz");
}

TEST_F(RepeaterDialogTest, ButtonsSendTheirCommands) {
    ASSERT_TRUE(wire_.radio().store(RadioField::MD_0, 4));
    RepeaterDialog& dialog = open();
    for (int id : {1026, 1027, 1028, 1030, 1031, 1032})
        QTest::mouseClick(dialog.button(id), Qt::LeftButton);
    EXPECT_EQ(wire_.takeCommands(), (Texts{"CT00;", "CT02;", "CT01;", "OS00;", "OS02;", "OS01;"}));
}

TEST_F(RepeaterDialogTest, ToneListStandsInFiveColumnsOfTenWithTheCurrentToneInRed) {
    ASSERT_TRUE(wire_.radio().store(RadioField::CN_0, 12));
    open();
    ToneListDialog& list = openToneList();
    EXPECT_EQ(list.windowTitle(), "CTCSS Tone Frequency (Hz)");
    QListWidget& items = *list.list();
    ASSERT_EQ(items.count(), 50);
    EXPECT_EQ(items.visualItemRect(items.item(0)).topLeft(), QPoint(0, 0));
    EXPECT_EQ(items.visualItemRect(items.item(1)).topLeft(), QPoint(0, 18));
    EXPECT_EQ(items.visualItemRect(items.item(10)).topLeft(), QPoint(44, 0));
    EXPECT_EQ(items.visualItemRect(items.item(49)).bottomRight(), QPoint(219, 179));
    EXPECT_EQ(items.item(22)->text(), "  100.0");

    EXPECT_TRUE(hasRed(itemPicture(items, 22)));
    EXPECT_FALSE(hasRed(itemPicture(items, 0)));
    EXPECT_FALSE(hasRed(itemPicture(items, 23)));
}

TEST_F(RepeaterDialogTest, ToneListOkSendsTheSelectedToneAndNothingWithoutASelection) {
    open();
    QTest::mouseClick(openToneList().okButton(), Qt::LeftButton);
    EXPECT_TRUE(wire_.takeCommands().empty());
    ASSERT_TRUE(waitUntil([&] { return dialog_->toneList() == nullptr; }));

    ToneListDialog& list = openToneList();
    QListWidget& items = *list.list();
    QTest::mouseClick(items.viewport(), Qt::LeftButton, {},
                      items.visualItemRect(items.item(10)).center());  // 69.3 Hz
    QTest::mouseClick(list.okButton(), Qt::LeftButton);
    EXPECT_EQ(wire_.takeCommands(), Texts{"CN001;"});
    // The box changes with the answer, not with the choice.
    EXPECT_EQ(dialog_->box(Box::Tone)->text(), "88.5 Hz");
}

TEST_F(RepeaterDialogTest, ToneListCancelSendsNothing) {
    open();
    ToneListDialog& list = openToneList();
    list.list()->setCurrentRow(3);
    QTest::mouseClick(list.cancelButton(), Qt::LeftButton);
    EXPECT_TRUE(wire_.takeCommands().empty());
}

TEST_F(RepeaterDialogTest, EscapeThenTheCloseBoxReportClosingOnce) {
    RepeaterDialog& dialog = open();
    QTest::keyClick(&dialog, Qt::Key_Escape);
    EXPECT_FALSE(dialog.isVisible());
    dialog.show();
    dialog.close();
    EXPECT_EQ(closes(WindowMessage::RepeaterClosed), 1u);
}

TEST_F(RepeaterDialogTest, EnterWithNoButtonFocusedLeavesTheWindowOpen) {
    RepeaterDialog& dialog = open();
    dialog.setFocus();
    QTest::keyClick(&dialog, Qt::Key_Return);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(closes(WindowMessage::RepeaterClosed), 0u);
}

}  // namespace
}  // namespace panelink::windowtest
