#include "shared/platform/wake_event.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <vector>

namespace platform {

WakeEvent::WakeEvent() : fd_(::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC)) {}

WakeEvent::~WakeEvent() {
    if (fd_ >= 0) ::close(fd_);
}

void WakeEvent::signal() {
    if (fd_ < 0) return;
    const std::uint64_t one = 1;
    // A full counter (never reached in practice) is still a pending signal.
    [[maybe_unused]] const ssize_t written = ::write(fd_, &one, sizeof one);
}

bool WakeEvent::clear() {
    if (fd_ < 0) return false;
    std::uint64_t count = 0;
    return ::read(fd_, &count, sizeof count) == static_cast<ssize_t>(sizeof count) && count > 0;
}

int pollReadable(std::span<WaitDescriptor> descriptors, int timeoutMs, int extraFd) {
    std::vector<pollfd> entries;
    entries.reserve(descriptors.size() + 1);
    for (const WaitDescriptor& descriptor : descriptors)
        entries.push_back(pollfd{descriptor.fd, POLLIN, 0});
    if (extraFd >= 0) entries.push_back(pollfd{extraFd, POLLIN, 0});

    int result = 0;
    do {
        result = ::poll(entries.data(), entries.size(), timeoutMs);
    } while (result < 0 && errno == EINTR);

    int ready = 0;
    for (std::size_t i = 0; i < descriptors.size(); ++i) {
        // poll() skips negative descriptors and reports POLLNVAL for one that was closed.
        const bool isReady =
            result > 0 && (entries[i].revents & (POLLIN | POLLHUP | POLLERR | POLLNVAL)) != 0;
        descriptors[i].ready = isReady;
        if (isReady) ++ready;
    }
    return ready;
}

}  // namespace platform
