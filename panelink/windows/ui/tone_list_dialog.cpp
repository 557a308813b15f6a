#include "panelink/windows/ui/tone_list_dialog.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QListWidget>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>
#include <QVBoxLayout>

#include "panelink/windows/ui/entry_widgets.h"

namespace panelink {

ToneItemDelegate::ToneItemDelegate(std::optional<int> currentItem, QObject* parent)
    : QStyledItemDelegate(parent), currentItem_(currentItem) {}

void ToneItemDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                             const QModelIndex& index) const {
    const bool selected = option.state.testFlag(QStyle::State_Selected);
    painter->fillRect(option.rect,
                      option.palette.brush(selected ? QPalette::Highlight : QPalette::Base));
    if (option.state.testFlag(QStyle::State_HasFocus)) {
        QStyleOptionFocusRect focus;
        focus.QStyleOption::operator=(option);
        focus.backgroundColor =
            option.palette.color(selected ? QPalette::Highlight : QPalette::Base);
        const QWidget* widget = option.widget;
        QStyle* style = widget != nullptr ? widget->style() : QApplication::style();
        style->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, painter, widget);
    }
    const bool current = currentItem_ && index.row() == *currentItem_;
    painter->setPen(current ? QColor(Qt::red) : QColor(Qt::black));
    painter->setFont(option.font);
    painter->drawText(option.rect.adjusted(1, 1, -1, -1), Qt::AlignLeft | Qt::AlignVCenter,
                      index.data(Qt::DisplayRole).toString());
}

QSize ToneItemDelegate::sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const {
    return {ToneListDialog::kColumnWidth, ToneListDialog::kItemHeight};
}

ToneListDialog::ToneListDialog(int currentTone, RadioLink& link, QWidget* parent)
    : QDialog(parent), choice_(currentTone, link) {
    setWindowTitle(tr("CTCSS Tone Frequency (Hz)"));
    setModal(true);

    list_ = new QListWidget(this);
    list_->setObjectName(QStringLiteral("list%1").arg(kListId));
    list_->setItemDelegate(new ToneItemDelegate(choice_.currentItem(), list_));
    // Filled column by column, ten items to a column, all in view.
    list_->setFlow(QListView::TopToBottom);
    list_->setWrapping(true);
    list_->setUniformItemSizes(true);
    list_->setGridSize({kColumnWidth, kItemHeight});
    list_->setSpacing(0);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // One pixel more than ten items: the view starts a new column when an item would reach
    // the last pixel row.
    const int frame = 2 * list_->frameWidth();
    list_->setFixedSize(kToneListColumns * kColumnWidth + frame,
                        kToneListRows * kItemHeight + 1 + frame);
    for (const ToneListItem& item : kToneListItems)
        list_->addItem(QString::fromStdString(toneListText(item)));

    QDialogButtonBox* buttons = okCancelButtons(*this, ok_, cancel_);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list_);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void ToneListDialog::accept() {
    const QList<QListWidgetItem*> selected = list_->selectedItems();
    choice_.confirm(selected.isEmpty() ? std::nullopt
                                       : std::optional<int>(list_->row(selected.first())));
    QDialog::accept();
}

}  // namespace panelink
