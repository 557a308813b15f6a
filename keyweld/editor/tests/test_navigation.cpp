#include <gtest/gtest.h>

#include "keyweld/editor/navigation.h"

namespace keyweld {
namespace {

using Kind = FocusTarget::Kind;

FocusTarget cellAt(int panel, int row, int column) {
    return {Kind::Cell, panel, row, column};
}

FocusTarget buttonAt(int panel, int row) {
    return {Kind::Button, panel, row, 0};
}

TEST(GridArrows, UpAndDownStepOverReservedRows) {
    // F9 -> F11 over F10, and back.
    EXPECT_EQ(arrowInGrid(Arrow::Down, GridKind::Command, 1, 9, 0), cellAt(1, 11, 0));
    EXPECT_EQ(arrowInGrid(Arrow::Up, GridKind::Command, 1, 11, 0), cellAt(1, 9, 0));
    // Alt+F3 -> Alt+F5 -> Alt+F7 over Alt+F4 and Alt+F6.
    EXPECT_EQ(arrowInGrid(Arrow::Down, GridKind::Both, 2, 15, 1), cellAt(2, 17, 1));
    EXPECT_EQ(arrowInGrid(Arrow::Down, GridKind::Both, 2, 17, 1), cellAt(2, 19, 1));
    EXPECT_EQ(arrowInGrid(Arrow::Up, GridKind::Both, 2, 19, 0), cellAt(2, 17, 0));
    // Shift+F9 -> Shift+F11 over Shift+F10.
    EXPECT_EQ(arrowInGrid(Arrow::Down, GridKind::Tag, 1, 21, 0), cellAt(1, 23, 0));
    EXPECT_EQ(arrowInGrid(Arrow::Down, GridKind::Tag, 1, 3, 0), cellAt(1, 4, 0));
}

TEST(GridArrows, UpFromF2AndTheEndsOfAPanelStay) {
    EXPECT_EQ(arrowInGrid(Arrow::Up, GridKind::Tag, 1, 2, 0), cellAt(1, 2, 0));
    EXPECT_EQ(arrowInGrid(Arrow::Up, GridKind::Tag, 2, 1, 0), cellAt(2, 1, 0));
    EXPECT_EQ(arrowInGrid(Arrow::Down, GridKind::Tag, 1, 26, 0), cellAt(1, 26, 0));
}

TEST(GridArrows, LeftAndRightMoveBetweenColumnsButtonsAndPanels) {
    EXPECT_EQ(arrowInGrid(Arrow::Left, GridKind::Both, 1, 5, 1), cellAt(1, 5, 0));
    EXPECT_EQ(arrowInGrid(Arrow::Right, GridKind::Both, 2, 5, 0), cellAt(2, 5, 1));
    EXPECT_EQ(arrowInGrid(Arrow::Left, GridKind::Both, 1, 5, 0), buttonAt(1, 5));
    EXPECT_EQ(arrowInGrid(Arrow::Left, GridKind::Command, 2, 7, 0), buttonAt(2, 7));
    EXPECT_EQ(arrowInGrid(Arrow::Right, GridKind::Tag, 1, 7, 0), buttonAt(2, 7));
    EXPECT_EQ(arrowInGrid(Arrow::Right, GridKind::Both, 1, 7, 1), buttonAt(2, 7));
    EXPECT_EQ(arrowInGrid(Arrow::Right, GridKind::Both, 2, 7, 1), FocusTarget{});
}

TEST(ButtonArrows, UpAndDownVisitEveryButtonOfThePanelAndStopAtTheEnds) {
    EXPECT_EQ(arrowOnButton(Arrow::Down, GridKind::Tag, 1, 9), buttonAt(1, 10));
    EXPECT_EQ(arrowOnButton(Arrow::Up, GridKind::Tag, 1, 1), buttonAt(1, 1));
    EXPECT_EQ(arrowOnButton(Arrow::Down, GridKind::Tag, 2, 26), buttonAt(2, 26));
}

TEST(ButtonArrows, RightEntersTheGridAndLeftFromTheRightPanelEntersTheLeftGrid) {
    EXPECT_EQ(arrowOnButton(Arrow::Right, GridKind::Both, 2, 4), cellAt(2, 4, 0));
    EXPECT_EQ(arrowOnButton(Arrow::Left, GridKind::Both, 2, 4), cellAt(1, 4, 1));
    EXPECT_EQ(arrowOnButton(Arrow::Left, GridKind::Command, 2, 4), cellAt(1, 4, 0));
    EXPECT_EQ(arrowOnButton(Arrow::Left, GridKind::Command, 1, 4), FocusTarget{});
}

}  // namespace
}  // namespace keyweld
