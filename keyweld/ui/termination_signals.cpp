#include "keyweld/ui/termination_signals.h"

#include <QSocketNotifier>

#include <csignal>

#include <pthread.h>
#include <sys/signalfd.h>
#include <unistd.h>

namespace keyweld {
namespace {

sigset_t terminationSet() {
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGTERM);
    sigaddset(&set, SIGINT);
    // A closed terminal: the session is over, but the settings are still worth keeping.
    sigaddset(&set, SIGHUP);
    return set;
}

}  // namespace

bool TerminationSignals::block() {
    const sigset_t set = terminationSet();
    return pthread_sigmask(SIG_BLOCK, &set, nullptr) == 0;
}

void TerminationSignals::unblock() {
    const sigset_t set = terminationSet();
    pthread_sigmask(SIG_UNBLOCK, &set, nullptr);
}

TerminationSignals::TerminationSignals(QObject* parent) : QObject(parent) {
    const sigset_t set = terminationSet();
    fd_ = signalfd(-1, &set, SFD_NONBLOCK | SFD_CLOEXEC);
    if (fd_ < 0) return;
    notifier_ = new QSocketNotifier(fd_, QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, [this] { readSignals(); });
}

TerminationSignals::~TerminationSignals() {
    delete notifier_;
    if (fd_ >= 0) ::close(fd_);
}

void TerminationSignals::readSignals() {
    signalfd_siginfo info{};
    while (::read(fd_, &info, sizeof info) == static_cast<ssize_t>(sizeof info))
        emit received(static_cast<int>(info.ssi_signo));
}

}  // namespace keyweld
