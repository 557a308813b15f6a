#include "shared/platform/serial_device.h"

#include "shared/platform/serial_speed.h"

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

// The link's rates: open(path, baud) takes only these.
constexpr int kLinkBauds[] = {4800, 9600, 19200, 38400};

// Rates with a B constant; any other rate goes through termios2.
constexpr SpeedEntry kSpeeds[] = {
    {50, B50},         {75, B75},         {110, B110},         {134, B134},
    {150, B150},       {200, B200},       {300, B300},         {600, B600},
    {1200, B1200},     {1800, B1800},     {2400, B2400},       {4800, B4800},
    {9600, B9600},     {19200, B19200},   {38400, B38400},     {57600, B57600},
    {115200, B115200}, {230400, B230400}, {460800, B460800},   {500000, B500000},
    {576000, B576000}, {921600, B921600}, {1000000, B1000000}, {1152000, B1152000},
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

tcflag_t characterSize(int dataBits) {
    switch (dataBits) {
        case 5:
            return CS5;
        case 6:
            return CS6;
        case 7:
            return CS7;
        default:
            return CS8;
    }
}

void setParity(termios& settings, Parity parity) {
    settings.c_cflag &= ~static_cast<tcflag_t>(PARENB | PARODD | CMSPAR);
    switch (parity) {
        case Parity::None:
            return;
        case Parity::Odd:
            settings.c_cflag |= PARENB | PARODD;
            break;
        case Parity::Even:
            settings.c_cflag |= PARENB;
            break;
        // With CMSPAR the parity bit is fixed: PARODD makes it 1 (mark), without it 0.
        case Parity::Mark:
            settings.c_cflag |= PARENB | CMSPAR | PARODD;
            break;
        case Parity::Space:
            settings.c_cflag |= PARENB | CMSPAR;
            break;
    }
    settings.c_iflag |= INPCK;
}

void setFlowControl(termios& settings, const LineSettings& line) {
    settings.c_iflag &= ~static_cast<tcflag_t>(IXON | IXOFF | IXANY);
    settings.c_cflag &= ~static_cast<tcflag_t>(CRTSCTS);
    if (line.flow == FlowControl::RtsCts) settings.c_cflag |= CRTSCTS;
    if (line.flow == FlowControl::XonXoff) {
        settings.c_iflag |= IXON | IXOFF;
        settings.c_cc[VSTART] = static_cast<cc_t>(line.xonChar);
        settings.c_cc[VSTOP] = static_cast<cc_t>(line.xoffChar);
    }
}

termios rawSettings(const termios& current, const LineSettings& line) {
    termios settings = current;
    ::cfmakeraw(&settings);
    settings.c_cflag &= ~static_cast<tcflag_t>(CSIZE | CSTOPB);
    settings.c_cflag |= characterSize(line.dataBits) | CREAD | CLOCAL;
    if (line.stopBits != StopBits::One) settings.c_cflag |= CSTOPB;
    setParity(settings, line.parity);
    setFlowControl(settings, line);
    // With O_NONBLOCK and no minimum a read returns at once with what is there.
    settings.c_cc[VMIN] = 0;
    settings.c_cc[VTIME] = 0;
    return settings;
}

// tcsetattr succeeds when any part was taken; a driver that kept another rate or size would
// garble every byte, so that counts as a failure.
LineResult verifyApplied(int fd, const LineSettings& line, std::optional<speed_t> speed) {
    termios applied{};
    if (::tcgetattr(fd, &applied) != 0) return {errno, LineFault::None};
    const bool rateKept =
        speed ? ::cfgetospeed(&applied) == *speed : serial_speed::readBaud(fd) == line.baud;
    if (!rateKept) return {EINVAL, LineFault::Baud};
    if ((applied.c_cflag & CSIZE) != characterSize(line.dataBits)) {
        return {EINVAL, LineFault::DataBits};
    }
    return {};
}

LineResult applyLineSettings(int fd, const LineSettings& line) {
    if (const LineFault fault = SerialDevice::checkLineSettings(line); fault != LineFault::None) {
        return {EINVAL, fault};
    }
    termios current{};
    if (::tcgetattr(fd, &current) != 0) return {errno, LineFault::None};
    termios settings = rawSettings(current, line);
    const std::optional<speed_t> speed = speedFor(line.baud);
    // A rate without a constant starts from a standard one and is then set through termios2.
    const speed_t base = speed.value_or(B38400);
    if (::cfsetispeed(&settings, base) != 0 || ::cfsetospeed(&settings, base) != 0) {
        return {errno, LineFault::Baud};
    }
    if (::tcsetattr(fd, TCSANOW, &settings) != 0) return {errno, LineFault::None};
    if (!speed) {
        if (const int error = serial_speed::setCustomBaud(fd, line.baud); error != 0) {
            ::tcsetattr(fd, TCSANOW, &current);
            return {error, LineFault::Baud};
        }
    }
    const LineResult verified = verifyApplied(fd, line, speed);
    if (!verified.ok()) ::tcsetattr(fd, TCSANOW, &current);
    return verified;
}

void raiseModemLines(int fd, const LineSettings& line) {
    // DTR is on for every kind; RTS is on unless the driver (RtsCts) or the owner (HalfHigh,
    // which raises it only around writes) drives it. A pseudo-terminal refuses: no matter.
    int dtr = TIOCM_DTR;
    ::ioctl(fd, TIOCMBIS, &dtr);
    int rts = TIOCM_RTS;
    if (line.flow == FlowControl::HalfHigh) {
        ::ioctl(fd, TIOCMBIC, &rts);
    } else if (line.flow != FlowControl::RtsCts) {
        ::ioctl(fd, TIOCMBIS, &rts);
    }
}

}  // namespace

bool SerialDevice::isSupportedBaud(int baud) {
    for (const int linkBaud : kLinkBauds) {
        if (linkBaud == baud) return true;
    }
    return false;
}

LineFault SerialDevice::checkLineSettings(const LineSettings& settings) {
    if (settings.baud <= 0) return LineFault::Baud;
    if (settings.dataBits < 5 || settings.dataBits > 8) return LineFault::DataBits;
    if (settings.stopBits == StopBits::OneAndHalf && settings.dataBits != 5) {
        return LineFault::StopBits;
    }
    if (settings.stopBits == StopBits::Two && settings.dataBits == 5) return LineFault::StopBits;
    if (settings.flow == FlowControl::DtrDsr) return LineFault::FlowControl;
    if (settings.flow == FlowControl::XonXoff && settings.xonChar == settings.xoffChar) {
        return LineFault::XonXoff;
    }
    return LineFault::None;
}

std::string_view describeLineFault(LineFault fault, const LineSettings& settings) {
    switch (fault) {
        case LineFault::None:
            return {};
        case LineFault::Baud:
            return "the device does not take this bit rate";
        case LineFault::DataBits:
            return settings.dataBits < 5 || settings.dataBits > 8
                       ? "data bits must be 5 to 8"
                       : "the device does not take this number of data bits";
        case LineFault::Parity:
            return "the device does not take this parity";
        case LineFault::StopBits:
            return settings.stopBits == StopBits::OneAndHalf
                       ? "1.5 stop bits exist only with 5 data bits"
                       : "with 5 data bits Linux gives 1.5 stop bits, not 2";
        case LineFault::FlowControl:
            return "Linux has no DSR output flow control";
        case LineFault::XonXoff:
            return "XON and XOFF must be different characters";
    }
    return {};
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
    if (!isSupportedBaud(baud)) return EINVAL;
    LineSettings link;
    link.baud = baud;
    return openDevice(path, link).error;
}

LineResult SerialDevice::open(const std::string& path, const LineSettings& settings) {
    const LineResult opened = openDevice(path, settings);
    if (opened.ok()) raiseModemLines(fd_, settings);
    return opened;
}

LineResult SerialDevice::openDevice(const std::string& path, const LineSettings& settings) {
    close();
    if (const LineFault fault = checkLineSettings(settings); fault != LineFault::None) {
        return {EINVAL, fault};
    }
    const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return {errno, LineFault::None};
    auto fail = [fd](LineResult result) {
        ::close(fd);
        return result;
    };
    // flock also keeps out a second opener with privileges that ignore TIOCEXCL. It is taken
    // first so that a refused open never touches the holder's exclusive mode.
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        return fail({errno == EWOULDBLOCK ? EBUSY : errno, LineFault::None});
    }
    if (::ioctl(fd, TIOCEXCL) != 0) return fail({errno, LineFault::None});
    if (const LineResult applied = applyLineSettings(fd, settings); !applied.ok()) {
        ::ioctl(fd, TIOCNXCL);
        return fail(applied);
    }
    // Bytes that arrived while nobody had the port open are stale.
    ::tcflush(fd, TCIFLUSH);

    fd_ = fd;
    gone_ = false;
    pendingErrors_ = 0;
    counters_ = {};
    countersAvailable_ = readCounters(fd_, counters_);
    return {};
}

std::size_t SerialDevice::outputWaiting() {
    int queued = 0;
    if (fd_ < 0 || ::ioctl(fd_, TIOCOUTQ, &queued) != 0) return 0;
    return queued > 0 ? static_cast<std::size_t>(queued) : 0;
}

LineResult SerialDevice::apply(const LineSettings& settings) {
    if (fd_ < 0) return {EBADF, LineFault::None};
    const LineResult applied = applyLineSettings(fd_, settings);
    if (applied.ok()) raiseModemLines(fd_, settings);
    return applied;
}

void SerialDevice::discardOutput() {
    if (fd_ >= 0) ::tcflush(fd_, TCOFLUSH);
}

void SerialDevice::discardInput() {
    if (fd_ >= 0) ::tcflush(fd_, TCIFLUSH);
}

std::size_t SerialDevice::inputWaiting() {
    int waiting = 0;
    if (fd_ < 0 || ::ioctl(fd_, FIONREAD, &waiting) != 0) return 0;
    return waiting > 0 ? static_cast<std::size_t>(waiting) : 0;
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

bool SerialDevice::setModemLine(int line, bool raised) {
    if (fd_ < 0) return false;
    int bits = line;
    if (::ioctl(fd_, raised ? TIOCMBIS : TIOCMBIC, &bits) == 0) return true;
    const int error = errno;
    if (meansNoModemLines(error)) return true;
    if (meansGone(error)) gone_ = true;
    return false;
}

}  // namespace platform
