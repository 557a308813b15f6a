#include "keyweld/ui/cell_delegate.h"

#include <QApplication>
#include <QLineEdit>
#include <QPainter>
#include <algorithm>

#include "keyweld/editor/cell_text.h"
#include "keyweld/ui/grid_model.h"

namespace keyweld {
namespace {

const QColor kReservedTextColour(192, 192, 192);
constexpr int kTextInset = 2;

const ShortcutGridModel* gridModel(const QModelIndex& index) {
    return qobject_cast<const ShortcutGridModel*>(index.model());
}

CellKind kindOf(const QModelIndex& index) {
    const ShortcutGridModel* model = gridModel(index);
    return model ? cellKind(model->grid(), index.column()) : CellKind::Command;
}

bool editable(const QModelIndex& index) {
    return (index.flags() & Qt::ItemIsEditable) != 0;
}

}  // namespace

void ShortcutCellDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                 const QModelIndex& index) const {
    painter->save();
    painter->fillRect(option.rect, option.palette.color(QPalette::Window));
    painter->setPen(editable(index) ? QColor(Qt::black) : kReservedTextColour);
    const QRect textRect = option.rect.adjusted(kTextInset, 0, -kTextInset, 0);
    // Single line, no access-key prefixes: an "&" in a text is shown as it is.
    painter->drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                      index.data(Qt::DisplayRole).toString());
    if (option.state & QStyle::State_HasFocus) {
        QPen focusPen(option.palette.color(QPalette::WindowText), 1, Qt::DotLine);
        painter->setPen(focusPen);
        painter->drawRect(option.rect.adjusted(0, 0, -1, -1));
    }
    painter->restore();
}

QWidget* ShortcutCellDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                            const QModelIndex& index) const {
    auto* editor = new QLineEdit(parent);
    editor->setFrame(false);
    const CellKind kind = kindOf(index);
    if (kind == CellKind::Tag) editor->setMaxLength(static_cast<int>(commo::kShortcutTagLimit));
    connect(editor, &QLineEdit::textEdited, this, [this, editor, kind](const QString& typed) {
        const QString kept = QString::fromStdString(cellTextFor(kind, typed.toStdString()));
        if (kept != typed) {
            const int cursor = editor->cursorPosition();
            editor->setText(kept);
            editor->setCursorPosition(std::min(cursor, static_cast<int>(kept.size())));
        }
        emit const_cast<ShortcutCellDelegate*>(this)->commitData(editor);
    });
    // Escape gives the cell back the text it had when editing began.
    const QPersistentModelIndex cell(index);
    const QVariant before = index.data(Qt::EditRole);
    connect(this, &QAbstractItemDelegate::closeEditor, editor,
            [editor, cell, before](QWidget* closed, QAbstractItemDelegate::EndEditHint hint) {
                if (closed != editor || hint != QAbstractItemDelegate::RevertModelCache) return;
                if (cell.isValid()) {
                    const_cast<QAbstractItemModel*>(cell.model())->setData(cell, before);
                }
            });
    return editor;
}

void ShortcutCellDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
    auto* line = qobject_cast<QLineEdit*>(editor);
    const QString text = index.data(Qt::EditRole).toString();
    // The model echoes every committed keystroke; leave the caret where it is.
    if (line != nullptr && line->text() != text) line->setText(text);
}

void ShortcutCellDelegate::setModelData(QWidget* editor, QAbstractItemModel* model,
                                        const QModelIndex& index) const {
    if (auto* line = qobject_cast<QLineEdit*>(editor)) model->setData(index, line->text());
}

}  // namespace keyweld
