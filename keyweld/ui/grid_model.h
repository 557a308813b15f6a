#pragma once

#include <QAbstractTableModel>

#include "keyweld/editor/shortcut_editor.h"

namespace keyweld {

// One grid of a panel: the 26 key rows of one pair and panel, read from and written to the
// editor. Model row r is key row r + 1; the header row is the view's header.
class ShortcutGridModel final : public QAbstractTableModel {
    Q_OBJECT

  public:
    ShortcutGridModel(ShortcutEditor& editor, GridKind grid, int panel, QObject* parent = nullptr);

    GridKind grid() const { return grid_; }
    int panel() const { return panel_; }
    static int keyRow(const QModelIndex& index) { return index.row() + 1; }
    QModelIndex indexOf(int keyRow, int column) const { return index(keyRow - 1, column); }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // The editor changed texts behind the model's back.
    void refresh();

  private:
    ShortcutEditor& editor_;
    GridKind grid_;
    int panel_;
};

}  // namespace keyweld
