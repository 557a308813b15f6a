#include "keyweld/ui/grid_model.h"

namespace keyweld {

ShortcutGridModel::ShortcutGridModel(ShortcutEditor& editor, GridKind grid, int panel,
                                     QObject* parent)
    : QAbstractTableModel(parent), editor_(editor), grid_(grid), panel_(panel) {}

int ShortcutGridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : commo::kShortcutPanelRows;
}

int ShortcutGridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : keyweld::columnCount(grid_);
}

QVariant ShortcutGridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    if (role == Qt::DisplayRole || role == Qt::EditRole) {
        return QString::fromStdString(editor_.text(grid_, panel_, keyRow(index), index.column()));
    }
    return {};
}

bool ShortcutGridModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || role != Qt::EditRole) return false;
    if (!editor_.setTyped(grid_, panel_, keyRow(index), index.column(),
                          value.toString().toStdString())) {
        return false;
    }
    emit dataChanged(index, index, {Qt::DisplayRole, Qt::EditRole});
    return true;
}

Qt::ItemFlags ShortcutGridModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    // Reserved rows can be selected but never edited.
    if (editor_.editable(panel_, keyRow(index))) flags |= Qt::ItemIsEditable;
    return flags;
}

QVariant ShortcutGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    return cellKind(grid_, section) == CellKind::Tag ? QStringLiteral("Tag")
                                                     : QStringLiteral("CAT Command");
}

void ShortcutGridModel::refresh() {
    emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
}

}  // namespace keyweld
