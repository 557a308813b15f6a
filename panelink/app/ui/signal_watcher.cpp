#include "panelink/app/ui/signal_watcher.h"

#include <QSocketNotifier>

#include <csignal>

#include <pthread.h>
#include <sys/signalfd.h>
#include <unistd.h>

namespace panelink {

namespace {

sigset_t terminationSignals() {
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGTERM);
    sigaddset(&set, SIGINT);
    // A closed terminal: the session is over, but the settings are still worth keeping.
    sigaddset(&set, SIGHUP);
    return set;
}

}  // namespace

bool SignalWatcher::blockTerminationSignals() {
    const sigset_t set = terminationSignals();
    return pthread_sigmask(SIG_BLOCK, &set, nullptr) == 0;
}

SignalWatcher::SignalWatcher(QObject* parent) : QObject(parent) {
    const sigset_t set = terminationSignals();
    fd_ = signalfd(-1, &set, SFD_NONBLOCK | SFD_CLOEXEC);
    if (fd_ < 0) return;
    notifier_ = new QSocketNotifier(fd_, QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, [this] { readSignals(); });
}

SignalWatcher::~SignalWatcher() {
    delete notifier_;
    if (fd_ >= 0) ::close(fd_);
}

void SignalWatcher::readSignals() {
    signalfd_siginfo info{};
    while (::read(fd_, &info, sizeof info) == static_cast<ssize_t>(sizeof info))
        emit terminationRequested(static_cast<int>(info.ssi_signo));
}

}  // namespace panelink
