#include "keyweld/link/ui/tx_rx_log_window.h"

#include <QCloseEvent>
#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace keyweld {

TxRxLogWindow::TxRxLogWindow(QWidget* parent)
    : QWidget(parent, Qt::Window), text_(new QPlainTextEdit(this)) {
    setWindowTitle(QStringLiteral("Tx/Rx Log"));
    // A log left open never keeps the program running once the main window has closed.
    setAttribute(Qt::WA_QuitOnClose, false);
    resize(kWidth, kHeight);
    text_->setObjectName(QStringLiteral("memoTxRxLog"));
    text_->setReadOnly(true);
    text_->setLineWrapMode(QPlainTextEdit::NoWrap);
    text_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // The model keeps the last lines; the view keeps no more (a line may hold a line break).
    text_->setMaximumBlockCount(static_cast<int>(TxRxLog::kMaxLines));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(text_);
}

void TxRxLogWindow::linesAppended(const std::deque<std::string>& lines, std::size_t count) {
    for (std::size_t i = lines.size() - count; i < lines.size(); ++i)
        text_->appendPlainText(QString::fromStdString(lines[i]));
}

void TxRxLogWindow::cleared() {
    text_->clear();
}

void TxRxLogWindow::shownChanged(bool shown) {
    setVisible(shown);
}

void TxRxLogWindow::closeEvent(QCloseEvent* event) {
    event->accept();
    emit closedByUser();
}

}  // namespace keyweld
