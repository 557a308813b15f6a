#pragma once

#include <QStyledItemDelegate>

namespace keyweld {

// Draws the cells as the editor shows them and edits them in a line editor that applies the
// cell rules while typing: tags to 16 characters, commands upper-cased, no line breaks. Each
// change reaches the model at once, so a shortcut key pressed while editing sends what is
// typed.
class ShortcutCellDelegate final : public QStyledItemDelegate {
    Q_OBJECT

  public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override;
};

}  // namespace keyweld
