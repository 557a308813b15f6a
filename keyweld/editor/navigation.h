#pragma once

#include "keyweld/editor/cell_text.h"

namespace keyweld {

enum class Arrow { Up, Down, Left, Right };

// Where an arrow key moves the focus.
struct FocusTarget {
    enum class Kind {
        Stay,    // the key is used up, nothing moves
        Cell,    // the shown grid of `panel`, at `row` and `column`
        Button,  // the key button of `panel` and `row`; it becomes the current key
    };
    Kind kind = Kind::Stay;
    int panel = 0;
    int row = 0;
    int column = 0;

    friend bool operator==(const FocusTarget&, const FocusTarget&) = default;
};

// An arrow key in a grid while no cell is being edited. Up and Down step over reserved rows
// and stop at the first and last key row.
FocusTarget arrowInGrid(Arrow arrow, GridKind grid, int panel, int row, int column);

// An arrow key on a key button.
FocusTarget arrowOnButton(Arrow arrow, GridKind shownGrid, int panel, int row);

bool isReservedRow(int panel, int row);

}  // namespace keyweld
