#pragma once

#include <QObject>

class QSocketNotifier;

namespace panelink {

// SIGTERM, SIGINT and SIGHUP as events of the user interface thread. The signals are blocked and
// read from a signalfd, so no handler runs at an arbitrary moment and nothing global is
// needed. blockTerminationSignals() must run before any thread is started (first thing in
// main), so that every thread inherits the blocked mask.
class SignalWatcher final : public QObject {
    Q_OBJECT

  public:
    static bool blockTerminationSignals();

    explicit SignalWatcher(QObject* parent = nullptr);
    ~SignalWatcher() override;

    bool isValid() const { return fd_ >= 0; }

  signals:
    void terminationRequested(int signal);

  private:
    void readSignals();

    int fd_ = -1;
    QSocketNotifier* notifier_ = nullptr;
};

}  // namespace panelink
