#include "shared/platform/serial_device.h"

#include <fcntl.h>
#include <linux/serial.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

namespace platform {

namespace {

struct SpeedEntry {
    int baud;
    speed_t speed;
};

constexpr SpeedEntry kSpeeds[] = {
    {4800, B4800},
    {9600, B9600},
    {19200, B19200},
    {38400, B38400},
};

// Bits matching the counters in SerialDevice::Counters order.
constexpr std::uint32_t kCounterBits[] = {
    kLineErrorReceiveOverflow, kLineErrorOverrun, kLineErrorParity,
    kLineErrorFraming,         kLineErrorBreak,
};

std::optional<speed_t> speedFor(int baud) {
    for (const SpeedEntry& entry : kSpeeds) {
        if (entry.baud == baud) return entry.speed;
    }
    return std::nullopt;
}

// Errors that mean the device is no longer there (unplugged adapter, hung-up line, the far
// end of a pseudo-terminal closed).
bool meansGone(int error) {
    return error == EIO || error == ENXIO || error == ENODEV;
}

// Errors of the modem-line calls from drivers that have no modem lines.
bool meansNoModemLines(int error) {
    return error == EINVAL || error == ENOTTY;
}

bool readCounters(int fd, std::array<int, 5>& out) {
    serial_icounter_struct counts{};
    if (::ioctl(fd, TIOCGICOUNT, &counts) != 0) return false;
    out = {counts.buf_overrun, counts.overrun, counts.parity, counts.frame, counts.brk};
    return true;
}

int applyLineSettings(int fd, speed_t speed) {
    termios settings{};
    if (::tcgetattr(fd, &settings) != 0) return errno;
    ::cfmakeraw(&settings);
    settings.c_iflag &= ~static_cast<tcflag_t>(IXON | IXOFF | IXANY);
    settings.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | PARODD | CMSPAR);
    settings.c_cflag |= CS8 | CSTOPB | CREAD | CLOCAL | CRTSCTS;
    // With O_NONBLOCK and no minimum a read returns at once with what is there.
    settings.c_cc[VMIN] = 0;
    settings.c_cc[VTIME] = 0;
    if (::cfsetispeed(&settings, speed) != 0 || ::cfsetospeed(&settings, speed) != 0) {
        return errno;
    }
    if (::tcsetattr(fd, TCSANOW, &settings) != 0) return errno;
    // tcsetattr succeeds when any part was taken; a driver that kept another speed would
    // garble every byte, so that counts as a failure.
    termios applied{};
    if (::tcgetattr(fd, &applied) != 0) return errno;
    if (::cfgetospeed(&applied) != speed || (applied.c_cflag & CSIZE) != CS8) return EINVAL;
    return 0;
}

}  // namespace

bool SerialDevice::isSupportedBaud(int baud) {
    return speedFor(baud).has_value();
}

SerialDevice::SerialDevice(SerialDevice&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)),
      gone_(std::exchange(other.gone_, false)),
      countersAvailable_(std::exchange(other.countersAvailable_, false)),
      counters_(other.counters_),
      pendingErrors_(std::exchange(other.pendingErrors_, 0)) {}

SerialDevice& SerialDevice::operator=(SerialDevice&& other) noexcept {
    if (this != &other) {
        close();
        fd_ = std::exchange(other.fd_, -1);
        gone_ = std::exchange(other.gone_, false);
        countersAvailable_ = std::exchange(other.countersAvailable_, false);
        counters_ = other.counters_;
        pendingErrors_ = std::exchange(other.pendingErrors_, 0);
    }
    return *this;
}

SerialDevice::~SerialDevice() {
    close();
}

int SerialDevice::open(const std::string& path, int baud) {
    close();
    const std::optional<speed_t> speed = speedFor(baud);
    if (!speed) return EINVAL;

    const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return errno;
    auto fail = [fd](int error) {
        ::close(fd);
        return error;
    };
    // flock also keeps out a second opener with privileges that ignore TIOCEXCL. It is taken
    // first so that a refused open never touches the holder's exclusive mode.
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        return fail(errno == EWOULDBLOCK ? EBUSY : errno);
    }
    if (::ioctl(fd, TIOCEXCL) != 0) return fail(errno);
    if (const int error = applyLineSettings(fd, *speed); error != 0) {
        ::ioctl(fd, TIOCNXCL);
        return fail(error);
    }
    // Bytes that arrived while nobody had the port open are stale.
    ::tcflush(fd, TCIFLUSH);

    fd_ = fd;
    gone_ = false;
    pendingErrors_ = 0;
    counters_ = {};
    countersAvailable_ = readCounters(fd_, counters_);
    return 0;
}

void SerialDevice::close() {
    if (fd_ < 0) return;
    // Unsent output is dropped: otherwise the close waits for it to drain, which on a line
    // held by flow control (a switched-off radio) takes up to the driver's closing wait.
    ::tcflush(fd_, TCOFLUSH);
    // The exclusive mode belongs to the terminal, not to this descriptor; a pseudo-terminal
    // outlives our descriptor and would otherwise stay locked against the next open.
    ::ioctl(fd_, TIOCNXCL);
    // A poll() on another thread keeps the open file alive until it returns, and with it the
    // lock, which would refuse an open made right after this close.
    ::flock(fd_, LOCK_UN);
    ::close(std::exchange(fd_, -1));
    gone_ = false;
    countersAvailable_ = false;
    pendingErrors_ = 0;
}

void SerialDevice::noteFailure(int error) {
    if (meansGone(error)) {
        gone_ = true;
    } else {
        pendingErrors_ |= kLineErrorIo;
    }
}

void SerialDevice::gatherCounterErrors() {
    if (!countersAvailable_) return;
    Counters now{};
    if (!readCounters(fd_, now)) {
        if (meansGone(errno)) gone_ = true;
        return;
    }
    for (std::size_t i = 0; i < now.size(); ++i) {
        if (now[i] != counters_[i]) pendingErrors_ |= kCounterBits[i];
    }
    counters_ = now;
}

void SerialDevice::checkHangUp() {
    // A hang-up shows in poll: on an unplugged adapter, a hung-up line, and on a
    // pseudo-terminal whose master side was closed.
    pollfd entry{fd_, POLLIN, 0};
    if (::poll(&entry, 1, 0) > 0 && (entry.revents & (POLLHUP | POLLERR | POLLNVAL)) != 0) {
        gone_ = true;
    }
}

bool SerialDevice::hasGone() {
    if (fd_ < 0) return false;
    checkHangUp();
    int waiting = 0;
    if (!gone_ && ::ioctl(fd_, FIONREAD, &waiting) != 0 && meansGone(errno)) gone_ = true;
    return gone_;
}

std::optional<SerialStatus> SerialDevice::status() {
    if (fd_ < 0) return std::nullopt;
    SerialStatus result;

    checkHangUp();
    int waiting = 0;
    if (::ioctl(fd_, FIONREAD, &waiting) == 0) {
        result.inputQueue = waiting > 0 ? static_cast<std::size_t>(waiting) : 0;
    } else {
        noteFailure(errno);
    }
    int queued = 0;
    if (::ioctl(fd_, TIOCOUTQ, &queued) == 0) {
        result.outputQueue = queued > 0 ? static_cast<std::size_t>(queued) : 0;
    } else {
        noteFailure(errno);
    }
    gatherCounterErrors();

    result.errors = std::exchange(pendingErrors_, 0);
    result.lineBad = gone_;
    return result;
}

IoResult SerialDevice::read(void* buffer, std::size_t max) {
    if (fd_ < 0) return {0, EBADF};
    if (max == 0 || buffer == nullptr) return {};
    ssize_t got = 0;
    do {
        got = ::read(fd_, buffer, max);
    } while (got < 0 && errno == EINTR);
    if (got >= 0) return {static_cast<std::size_t>(got), 0};
    const int error = errno;
    if (error == EAGAIN || error == EWOULDBLOCK) return {};
    noteFailure(error);
    return {0, error};
}

IoResult SerialDevice::write(const void* data, std::size_t size) {
    if (fd_ < 0) return {0, EBADF};
    if (size == 0 || data == nullptr) return {};
    ssize_t written = 0;
    do {
        written = ::write(fd_, data, size);
    } while (written < 0 && errno == EINTR);
    if (written >= 0) {
        const auto taken = static_cast<std::size_t>(written);
        if (taken < size) pendingErrors_ |= kLineErrorTransmitFull;
        return {taken, 0};
    }
    const int error = errno;
    if (error == EAGAIN || error == EWOULDBLOCK) {
        pendingErrors_ |= kLineErrorTransmitFull;
        return {};
    }
    noteFailure(error);
    return {0, error};
}

bool SerialDevice::setRts(bool raised) {
    if (fd_ < 0) return false;
    int bits = TIOCM_RTS;
    if (::ioctl(fd_, raised ? TIOCMBIS : TIOCMBIC, &bits) == 0) return true;
    const int error = errno;
    if (meansNoModemLines(error)) return true;
    if (meansGone(error)) gone_ = true;
    return false;
}

}  // namespace platform
