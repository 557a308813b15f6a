#include "keyweld/editor/navigation.h"

#include <algorithm>

#include "shared/formats/shortcut_keys.h"

namespace keyweld {
namespace {

constexpr int kLeftPanel = 1;
constexpr int kRightPanel = 2;

FocusTarget stay() {
    return {};
}

FocusTarget cell(int panel, int row, int column) {
    return {FocusTarget::Kind::Cell, panel, row, column};
}

FocusTarget button(int panel, int row) {
    return {FocusTarget::Kind::Button, panel, row, 0};
}

// One row up or down, two when that row is reserved; no move past the first or last key row.
int verticalStep(int panel, int row, int direction) {
    int next = row + direction;
    if (isReservedRow(panel, next)) next += direction;
    return next >= 1 && next <= commo::kShortcutPanelRows ? next : row;
}

}  // namespace

bool isReservedRow(int panel, int row) {
    const commo::ShortcutKeyRow* key = commo::shortcutKeyAt(panel, row);
    return key != nullptr && key->slot == commo::kReservedSlot;
}

FocusTarget arrowInGrid(Arrow arrow, GridKind grid, int panel, int row, int column) {
    const bool bothGrid = grid == GridKind::Both;
    switch (arrow) {
        case Arrow::Up:
            return cell(panel, verticalStep(panel, row, -1), column);
        case Arrow::Down:
            return cell(panel, verticalStep(panel, row, +1), column);
        case Arrow::Left:
            if (bothGrid && column == kBothCommandColumn) return cell(panel, row, kBothTagColumn);
            return button(panel, row);
        case Arrow::Right:
            if (bothGrid && column == kBothTagColumn) return cell(panel, row, kBothCommandColumn);
            return panel == kLeftPanel ? button(kRightPanel, row) : stay();
    }
    return stay();
}

FocusTarget arrowOnButton(Arrow arrow, GridKind shownGrid, int panel, int row) {
    switch (arrow) {
        case Arrow::Up:
            return button(panel, std::max(row - 1, 1));
        case Arrow::Down:
            return button(panel, std::min(row + 1, commo::kShortcutPanelRows));
        case Arrow::Right:
            return cell(panel, row, 0);
        case Arrow::Left:
            if (panel == kLeftPanel) return stay();
            return cell(kLeftPanel, row, columnCount(shownGrid) - 1);
    }
    return stay();
}

}  // namespace keyweld
