#pragma once

#include <QDialog>
#include <QStyledItemDelegate>

#include <optional>

#include "panelink/panel/panel_ports.h"
#include "panelink/windows/tone_choice.h"

class QListWidget;
class QPushButton;

namespace panelink {

// Draws the tone list's items: the highlight when selected, else the list's background, a
// focus frame on the item with the focus, the text inset by one pixel, red for the current
// tone and black for the others.
class ToneItemDelegate final : public QStyledItemDelegate {
    Q_OBJECT

  public:
    ToneItemDelegate(std::optional<int> currentItem, QObject* parent);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

  private:
    std::optional<int> currentItem_;
};

// "CTCSS Tone Frequency (Hz)": the fifty tones in five columns of ten, the current one in
// red. Modal over the Repeater window; OK sends the selected tone for the main side, CANCEL
// sends nothing.
class ToneListDialog final : public QDialog {
    Q_OBJECT

  public:
    static constexpr int kDialogId = 899;
    static constexpr int kListId = 1001;
    static constexpr int kColumnWidth = 44;
    static constexpr int kItemHeight = 18;

    ToneListDialog(int currentTone, RadioLink& link, QWidget* parent);

    QListWidget* list() const { return list_; }
    QPushButton* okButton() const { return ok_; }
    QPushButton* cancelButton() const { return cancel_; }
    const ToneChoice& choice() const { return choice_; }

  public slots:
    void accept() override;

  private:
    ToneChoice choice_;
    QListWidget* list_ = nullptr;
    QPushButton* ok_ = nullptr;
    QPushButton* cancel_ = nullptr;
};

}  // namespace panelink
