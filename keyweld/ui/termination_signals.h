#pragma once

#include <QObject>

class QSocketNotifier;

namespace keyweld {

// SIGTERM, SIGINT and SIGHUP as events of the user interface thread, read from a signalfd: no
// handler runs at an arbitrary moment and nothing global is needed. block() must run first thing in
// main, before any thread starts, so that every thread inherits the blocked mask.
class TerminationSignals final : public QObject {
    Q_OBJECT

  public:
    static bool block();
    // Without a watcher the signals end the program as usual again.
    static void unblock();

    explicit TerminationSignals(QObject* parent = nullptr);
    ~TerminationSignals() override;

    bool isValid() const { return fd_ >= 0; }

  signals:
    void received(int signal);

  private:
    void readSignals();

    int fd_ = -1;
    QSocketNotifier* notifier_ = nullptr;
};

}  // namespace keyweld
