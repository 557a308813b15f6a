#pragma once

// The editor's link as the main window uses it.
//
//   KeyweldLink link(QDir::currentPath().toStdString());
//   CommError opened = link.openFromSettings();      // at start-up, before the window shows
//   statusBar panel 0: link.portStateText()           // "Open" or "Close"
//   link.sendText(commandText);                       // key press: sends and logs, always
//   link.toggleLog();                                 // double-click on the status bar
//   link.execConfiguration(this); then portStateText() // File/Configure
//
// The view mode file is plain logic: keyweld/link/view_mode_file.h (readViewMode,
// writeViewMode, kViewModeWriteErrorText for the failure box).

#include <filesystem>
#include <memory>

#include <QByteArray>
#include <QObject>
#include <QString>

#include "keyweld/link/comm_error.h"
#include "keyweld/link/comm_k.h"
#include "shared/platform/steady_clock.h"

class QWidget;

namespace keyweld {

class CommNotifier;
class LinkSession;
class QtTimerHost;
class TxRxLogWindow;

class KeyweldLink final : public QObject {
    Q_OBJECT

  public:
    // `workingDir` holds CommoFiles.
    explicit KeyweldLink(std::filesystem::path workingDir, QObject* parent = nullptr);
    // Closes the port (joining the component's threads) and the log window.
    ~KeyweldLink() override;

    // Reads the first line of CommSetting.csv (COM1 and 4800 without one), applies 8 data
    // bits, no parity, 2 stop bits, RTS/CTS and opens. Ok, or the reason (text() for a box,
    // detail for more).
    CommError openFromSettings();
    bool isOpen() const;
    // "Open" or "Close", for status panel 0.
    QString portStateText() const;

    // Sends the whole text in one piece (UTF-8 bytes, NUL characters left out) and logs
    // "[TX Data]" and the text, plus "(not sent: port closed)" when the port is closed. An
    // empty text is neither sent nor logged.
    SendOutcome sendText(const QString& text);

    // Shown: stop the receive burst and hide. Hidden: clear and show.
    void toggleLog();
    TxRxLogWindow& logWindow();

    // File/Configure: the modal Configuration dialog (shows an error box first when the kept
    // port could not be restored after the probe). Returns the dialog's result; isOpen() then
    // tells the port state.
    int execConfiguration(QWidget* parent);

    LinkSession& session();

  signals:
    // Bytes received (already in the log), on the user interface thread.
    void received(const QByteArray& bytes);
    void lineBreak();
    void lineErrorOccurred(quint32 bits);

  private:
    void takeReceived();

    platform::SteadyClock clock_;
    std::unique_ptr<QtTimerHost> timers_;
    std::unique_ptr<CommNotifier> notifier_;
    std::unique_ptr<LinkSession> session_;
    std::unique_ptr<TxRxLogWindow> logWindow_;
};

}  // namespace keyweld
