#include "panelink/panel/ui/box_presenter.h"

#include <QMessageBox>

#include <utility>

namespace panelink {

QtBoxPresenter::~QtBoxPresenter() {
    for (const auto& box : boxes_) {
        if (box) {
            box->disconnect();
            delete box.data();
        }
    }
}

void QtBoxPresenter::show(const Box& box, Closed closed) {
    auto* messageBox =
        new QMessageBox(QMessageBox::NoIcon, box.title, box.text, QMessageBox::Ok, box.parent);
    messageBox->setAttribute(Qt::WA_DeleteOnClose);
    messageBox->setWindowModality(Qt::ApplicationModal);
    QObject::connect(messageBox, &QMessageBox::finished, messageBox,
                     [this, messageBox, closed = std::move(closed)](int) {
                         boxes_.removeAll(QPointer<QMessageBox>(messageBox));
                         if (closed) closed();
                     });
    boxes_.append(messageBox);
    messageBox->show();
}

void QtBoxPresenter::closeAll() {
    // Closing a box may open another (a notice waiting behind it); close until none is left.
    while (!boxes_.isEmpty()) {
        QPointer<QMessageBox> box = boxes_.takeFirst();
        if (box) box->done(QMessageBox::Ok);
    }
}

int QtBoxPresenter::openCount() const {
    int count = 0;
    for (const auto& box : boxes_) {
        if (box) ++count;
    }
    return count;
}

}  // namespace panelink
