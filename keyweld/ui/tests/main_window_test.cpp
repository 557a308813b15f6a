#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>

#include <deque>
#include <vector>

#include "keyweld/editor/testing/fake_editor_link.h"
#include "keyweld/ui/grid_model.h"
#include "keyweld/ui/grid_view.h"
#include "keyweld/ui/main_window.h"
#include "shared/formats/testing/working_dir.h"

namespace keyweld {
namespace {

class ScriptedBoxes final : public WindowBoxes {
  public:
    bool ask(Question question) override {
        asked.push_back(question);
        return answer;
    }
    void showError(const QString& text) override { errors.push_back(text); }
    void showVersion(const QString& text) override { versions.push_back(text); }

    bool answer = false;
    std::vector<Question> asked;
    std::vector<QString> errors;
    std::vector<QString> versions;
};

class MainWindowTest : public ::testing::Test {
  protected:
    MainWindowTest() {
        link_.storedViewMode = 2;
        window_.show();
        window_.activateWindow();
        QApplication::processEvents();
    }

    void chooseView(const QString& item) {
        for (QAction* action : window_.findChildren<QAction*>()) {
            if (action->text() == item) action->trigger();
        }
    }

    ShortcutGridView* leftGrid() { return window_.gridView(window_.editor().shownGrid(), 1); }

    // Starts editing the left grid's cell at `row` by typing `text` into it.
    QLineEdit* typeInto(int row, const QString& text) {
        ShortcutGridView* view = leftGrid();
        view->setFocus();
        view->setCurrentIndex(view->model()->index(row - 1, 0));
        QTest::keyClicks(view, text.left(1));
        auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        if (editor != nullptr) QTest::keyClicks(editor, text.mid(1));
        return editor;
    }

    commo::ScratchWorkingDir dir_{"keyweld-ui"};
    FakeEditorLink link_;
    ScriptedBoxes boxes_;
    MainWindow window_{dir_.path(), link_, ProgramInfo{"Keyweld", "1.2.3", "(c)"}, &boxes_};
};

TEST_F(MainWindowTest, OpensWithItsCaptionSizeAndPortState) {
    EXPECT_EQ(window_.windowTitle(), "Keyboard shortcut editor for Vantor");
    EXPECT_GE(window_.width(), MainWindow::kMinimumWidth);
    EXPECT_EQ(window_.centralWidget()->height() + window_.statusBar()->height(),
              MainWindow::kClientHeight);
    EXPECT_EQ(window_.keyButton(2, 16)->text(), "Alt + F4");
    EXPECT_EQ(window_.keyButton(1, 26)->geometry(), QRect(2, 26 + 23 * 25, 75, 22));
    EXPECT_EQ(window_.portStateText(), "Open");
    EXPECT_TRUE(window_.gridView(GridKind::Command, 1)->isVisible());
    EXPECT_FALSE(window_.gridView(GridKind::Both, 1)->isVisible());
}

TEST_F(MainWindowTest, TypingIntoACommandCellUpperCasesIt) {
    QLineEdit* editor = typeInto(3, QStringLiteral("fa7000000;md3;"));
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->text(), "FA7000000;MD3;");
    EXPECT_EQ(window_.editor().text(GridKind::Command, 1, 3, 0), "FA7000000;MD3;");
}

TEST_F(MainWindowTest, EscapeWhileEditingGivesTheCellItsTextBack) {
    window_.editor().setTyped(GridKind::Command, 1, 3, 0, "old;");
    QLineEdit* editor = typeInto(3, QStringLiteral("new;"));
    ASSERT_NE(editor, nullptr);
    QTest::keyClick(editor, Qt::Key_Escape);
    EXPECT_EQ(window_.editor().text(GridKind::Command, 1, 3, 0), "OLD;");
}

TEST_F(MainWindowTest, ClickingAKeyButtonSendsItsTextAndMakesItCurrent) {
    window_.editor().setTyped(GridKind::Command, 1, 5, 0, "ps1;");
    QTest::mouseClick(window_.keyButton(1, 5), Qt::LeftButton);
    EXPECT_EQ(link_.sent, std::vector<std::string>{"PS1;"});
    EXPECT_EQ(window_.editor().currentKey(), (KeyPosition{1, 5}));
}

TEST_F(MainWindowTest, HomeWhileEditingSendsTheHomeKeysCommand) {
    window_.editor().setTyped(GridKind::Command, 2, 25, 0, "fa14000000;");
    QLineEdit* editor = typeInto(3, QStringLiteral("abc"));
    ASSERT_NE(editor, nullptr);

    EXPECT_TRUE(leftGrid()->editing());
    QTest::keyClick(editor, Qt::Key_Home);

    EXPECT_EQ(link_.sent, std::vector<std::string>{"FA14000000;"});
    // The caret stayed where it was: the key never reached the editor.
    EXPECT_EQ(editor->cursorPosition(), 3);
    EXPECT_EQ(window_.editor().currentKey(), (KeyPosition{1, 1}));
}

TEST_F(MainWindowTest, ArrowKeysStepOverReservedRowsAndReachTheKeyButtons) {
    ShortcutGridView* view = leftGrid();
    view->setFocus();
    view->setCurrentIndex(view->model()->index(8, 0));  // F9
    QTest::keyClick(view, Qt::Key_Down);
    EXPECT_EQ(view->currentIndex().row() + 1, 11);
    QTest::keyClick(view, Qt::Key_Left);
    EXPECT_EQ(QApplication::focusWidget(), window_.keyButton(1, 11));
    EXPECT_EQ(window_.editor().currentKey(), (KeyPosition{1, 11}));
}

TEST_F(MainWindowTest, PasteKeepsSixteenCharactersOfATagAndReservedRowsTakeNoText) {
    chooseView(QStringLiteral("&Tag"));
    QGuiApplication::clipboard()->setText(QStringLiteral("twenty characters!!!"));
    QLineEdit* editor = typeInto(4, QStringLiteral("x"));
    ASSERT_NE(editor, nullptr);

    QTest::keyClick(editor, Qt::Key_V, Qt::ControlModifier);

    EXPECT_EQ(window_.editor().text(GridKind::Tag, 1, 4, 0), "twenty character");
    EXPECT_FALSE(window_.gridView(GridKind::Tag, 1)->editing());

    ShortcutGridView* right = window_.gridView(GridKind::Tag, 2);
    right->setFocus();
    right->setCurrentIndex(right->model()->index(15, 0));  // Alt+F4
    QTest::keyClick(right, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(window_.editor().text(GridKind::Tag, 2, 16, 0),
              "Quit program|Closes the current window");
    const QRect altF4 = right->visualRect(right->model()->index(15, 0));
    QTest::mouseClick(right->viewport(), Qt::LeftButton, {}, altF4.center());
    QTest::mouseDClick(right->viewport(), Qt::LeftButton, {}, altF4.center());
    EXPECT_FALSE(right->editing());
}

TEST_F(MainWindowTest, AFailedSaveShowsAnErrorNamingTheFile) {
    platform::writeFile(dir_.path() / "CommoFiles", "");
    window_.editor().setTyped(GridKind::Command, 1, 2, 0, "fa;");
    QTest::keyClick(leftGrid(), Qt::Key_S, Qt::ControlModifier);
    ASSERT_EQ(boxes_.errors.size(), 1u);
    EXPECT_EQ(boxes_.errors[0], "File write error  File Name = CommoFiles\\VantorKSTAG.txt");
}

TEST_F(MainWindowTest, DoubleClickingTheStatusBarTogglesTheLog) {
    QTest::mouseDClick(window_.statusBar(), Qt::LeftButton);
    EXPECT_EQ(link_.logToggles, 1);
}

// SIGTERM while a dialog is up: nobody will answer it, so it goes as cancelled, and the
// window closes without asking about the edit, which is dropped.
TEST_F(MainWindowTest, AnUnattendedCloseCancelsTheOpenDialogAndAsksNothing) {
    window_.editor().setTyped(GridKind::Command, 1, 3, 0, "md3;");
    QDialog dialog(&window_);
    dialog.setResult(QDialog::Accepted);
    dialog.show();

    window_.closeUnattended();
    QTest::qWait(50);

    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_FALSE(window_.isVisible());
    EXPECT_TRUE(boxes_.asked.empty());
    EXPECT_EQ(link_.writtenViewModes, std::vector<int>{2});
    EXPECT_FALSE(dir_.readCommoFile(commo::kShortcutDefinitionFileName));
}

}  // namespace
}  // namespace keyweld
