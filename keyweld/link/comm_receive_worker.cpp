#include "keyweld/link/comm_receive_worker.h"

#include <poll.h>

#include "keyweld/link/comm_events.h"
#include "keyweld/link/locked_port.h"

namespace keyweld {

namespace {

// Between looks at the line errors while nothing arrives.
constexpr int kIdlePollMs = 100;
// Between looks at the input count while announced input waits unread.
constexpr int kUnreadPollMs = 10;

}  // namespace

CommReceiveWorker::CommReceiveWorker(LockedPort& port, CommEvents* events)
    : port_(port), events_(events) {}

CommReceiveWorker::~CommReceiveWorker() {
    stop();
}

void CommReceiveWorker::start() {
    stop();
    wake_.clear();
    taken_.store(0);
    stopping_.store(false);
    thread_ = std::thread([this] { run(); });
    running_.store(true);
}

void CommReceiveWorker::stop() {
    stopping_.store(true);
    wake_.signal();
    if (thread_.joinable()) thread_.join();
    running_.store(false);
}

void CommReceiveWorker::run() {
    const int fd = port_.descriptor();
    std::uint64_t announced = 0;
    bool gone = false;
    while (!stopping_.load()) {
        const bool unread = announced > taken_.load();
        const bool watchLine = !gone && !unread;
        pollfd entries[2] = {{wake_.fd(), POLLIN, 0}, {watchLine ? fd : -1, POLLIN, 0}};
        if (::poll(entries, 2, unread ? kUnreadPollMs : kIdlePollMs) > 0 &&
            (entries[0].revents & POLLIN) != 0) {
            wake_.clear();
        }
        if (stopping_.load()) break;

        const std::optional<platform::SerialStatus> status = reportLineErrors(port_, events_);
        if (!status || events_ == nullptr) continue;
        if ((status->errors & platform::kLineErrorBreak) != 0) events_->breakDetected();
        if (status->lineBad && !gone) {
            gone = true;
            events_->lineError(kCommErrorDeviceGone);
        }
        // A purge of the input lowers the count: start over from what is there.
        const std::uint64_t arrived = taken_.load() + status->inputQueue;
        if (arrived > announced) events_->charactersArrived();
        announced = arrived;
    }
}

}  // namespace keyweld
