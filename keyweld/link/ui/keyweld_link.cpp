#include "keyweld/link/ui/keyweld_link.h"

#include <QMessageBox>

#include "keyweld/link/link_session.h"
#include "keyweld/link/ui/comm_notifier.h"
#include "keyweld/link/ui/configuration_dialog.h"
#include "keyweld/link/ui/qt_timer_host.h"
#include "keyweld/link/ui/tx_rx_log_window.h"

namespace keyweld {

KeyweldLink::KeyweldLink(std::filesystem::path workingDir, QObject* parent)
    : QObject(parent),
      timers_(std::make_unique<QtTimerHost>([this](int id) { session_->log().onTimer(id); })),
      notifier_(std::make_unique<CommNotifier>()),
      session_(
          std::make_unique<LinkSession>(std::move(workingDir), clock_, *timers_, notifier_.get())),
      logWindow_(std::make_unique<TxRxLogWindow>()) {
    session_->log().setView(logWindow_.get());
    connect(logWindow_.get(), &TxRxLogWindow::closedByUser, this,
            [this] { session_->log().windowClosed(); });
    connect(notifier_.get(), &CommNotifier::charactersWaiting, this, &KeyweldLink::takeReceived);
    connect(notifier_.get(), &CommNotifier::lineBreak, this, &KeyweldLink::lineBreak);
    connect(notifier_.get(), &CommNotifier::lineErrorOccurred, this,
            &KeyweldLink::lineErrorOccurred);
}

KeyweldLink::~KeyweldLink() {
    session_->log().setView(nullptr);
    session_->comm().close();
}

CommError KeyweldLink::openFromSettings() {
    return session_->openFromSettings();
}

bool KeyweldLink::isOpen() const {
    return session_->isOpen();
}

QString KeyweldLink::portStateText() const {
    return isOpen() ? QStringLiteral("Open") : QStringLiteral("Close");
}

SendOutcome KeyweldLink::sendText(const QString& text) {
    if (text.isEmpty()) return SendOutcome::Sent;
    return session_->sendText(text.toStdString());
}

void KeyweldLink::toggleLog() {
    session_->log().toggle();
}

TxRxLogWindow& KeyweldLink::logWindow() {
    return *logWindow_;
}

LinkSession& KeyweldLink::session() {
    return *session_;
}

int KeyweldLink::execConfiguration(QWidget* parent) {
    ConfigurationDialog dialog(*session_, parent);
    if (const CommError& error = dialog.restoreError(); !error.ok()) {
        QMessageBox::critical(parent, QString(), QString::fromUtf8(error.text()));
    }
    return dialog.exec();
}

void KeyweldLink::takeReceived() {
    const std::string bytes = session_->takeReceived();
    if (!bytes.empty())
        emit received(QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));
}

}  // namespace keyweld
