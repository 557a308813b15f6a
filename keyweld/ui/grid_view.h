#pragma once

#include <QTableView>

namespace keyweld {

// A grid of the editor: 27 rows of 23 pixels with the header, no scroll bars, cells edited in
// place. Tells whether a cell is being edited and can end that editing.
class ShortcutGridView final : public QTableView {
    Q_OBJECT

  public:
    // Row pitch including the grid line, so that rows line up with the key buttons.
    static constexpr int kRowPitch = 23;

    explicit ShortcutGridView(QWidget* parent = nullptr);

    bool editing() const { return state() == QAbstractItemView::EditingState; }
    // Closes the cell editor; what it held has already reached the model.
    void endEditing();
};

}  // namespace keyweld
