#include "panelink/panel/ui/qmenu_popup_presenter.h"

#include <QAction>
#include <QMenu>
#include <QPointer>
#include <QWidget>

#include "panelink/panel/ui/panel_view.h"

namespace panelink {

int QMenuPopupPresenter::choose(PanelPoint position, std::span<const PopupEntry> entries) {
    // On the heap and guarded: the window that owns the menu may go while it waits.
    QPointer<QMenu> menu = new QMenu(&window_);
    for (const PopupEntry& entry : entries) {
        // The texts line up in columns by their trailing blanks: kept as they are.
        QAction* action = menu->addAction(
            QString::fromUtf8(entry.text.data(), static_cast<qsizetype>(entry.text.size())));
        action->setCheckable(true);
        action->setChecked(entry.checked);
        action->setData(entry.id);
    }
    if (beforeShow_) beforeShow_(*menu);
    const QPoint offset =
        view_ != nullptr ? view_->viewPointOf(position) : QPoint(position.x, position.y);
    const QPoint at = window_.frameGeometry().topLeft() + offset;
    const QAction* chosen = menu->exec(at);
    const int id = chosen != nullptr ? chosen->data().toInt() : 0;
    delete menu.data();
    return id;
}

}  // namespace panelink
