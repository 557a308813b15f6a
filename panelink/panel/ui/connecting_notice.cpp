#include "panelink/panel/ui/connecting_notice.h"

#include <QCloseEvent>
#include <QLabel>
#include <QVBoxLayout>

#include "panelink/panel/ui/panel_strings.h"

namespace panelink {

namespace {

QString text(std::string_view view) {
    return QString::fromUtf8(view.data(), static_cast<qsizetype>(view.size()));
}

}  // namespace

ConnectingNotice::ConnectingNotice(QWidget* parent) : QDialog(parent) {
    setWindowTitle(text(kProductName));
    // A title but no close box: the notice goes when the panel is done with it.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setModal(false);
    text_ = new QLabel(text(panelString(kStringId)), this);
    text_->setObjectName(QStringLiteral("text%1").arg(kTextId));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text_);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void ConnectingNotice::closeEvent(QCloseEvent* event) {
    event->ignore();
}

}  // namespace panelink
