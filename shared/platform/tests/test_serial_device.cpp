#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include <gtest/gtest.h>

#include "shared/platform/pseudo_terminal.h"
#include "shared/platform/serial_device.h"

namespace platform {
namespace {

using namespace std::chrono_literals;

PseudoTerminal makePty() {
    int error = 0;
    std::optional<PseudoTerminal> pty = PseudoTerminal::create(&error);
    if (!pty) {
        std::fprintf(stderr, "no pseudo-terminal: errno %d\n", error);
        std::abort();  // nothing here can run without one
    }
    return std::move(*pty);
}

// Reads from the device until `count` bytes came or a few seconds passed.
std::string readDevice(SerialDevice& device, std::size_t count) {
    std::string got;
    const auto deadline = std::chrono::steady_clock::now() + 5s;
    std::array<char, 64> chunk{};
    while (got.size() < count && std::chrono::steady_clock::now() < deadline) {
        const IoResult result = device.read(chunk.data(), chunk.size());
        EXPECT_TRUE(result.ok());
        got.append(chunk.data(), result.bytes);
        if (result.bytes == 0) ::usleep(1000);
    }
    return got;
}

TEST(SerialDevice, AppliesTheLinkLineSettings) {
    const int bauds[] = {4800, 9600, 19200, 38400};
    const speed_t speeds[] = {B4800, B9600, B19200, B38400};
    for (int i = 0; i < 4; ++i) {
        PseudoTerminal pty = makePty();
        SerialDevice device;
        ASSERT_EQ(device.open(pty.slavePath(), bauds[i]), 0) << bauds[i];

        const int probe = ::open(pty.slavePath().c_str(), O_RDONLY | O_NOCTTY | O_NONBLOCK);
        ASSERT_GE(probe, 0);
        termios settings{};
        ASSERT_EQ(::tcgetattr(probe, &settings), 0);
        ::close(probe);

        EXPECT_EQ(::cfgetospeed(&settings), speeds[i]);
        EXPECT_EQ(::cfgetispeed(&settings), speeds[i]);
        EXPECT_EQ(settings.c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
        EXPECT_NE(settings.c_cflag & CSTOPB, 0u);
        EXPECT_EQ(settings.c_cflag & PARENB, 0u);
        EXPECT_NE(settings.c_cflag & CRTSCTS, 0u);
        EXPECT_NE(settings.c_cflag & CREAD, 0u);
        EXPECT_NE(settings.c_cflag & CLOCAL, 0u);
        // Raw: no line editing, echo, signals or translation either way.
        EXPECT_EQ(settings.c_lflag & (ICANON | ECHO | ISIG | IEXTEN), 0u);
        EXPECT_EQ(settings.c_iflag & (ICRNL | INLCR | IGNCR | ISTRIP | IXON | IXOFF), 0u);
        EXPECT_EQ(settings.c_oflag & OPOST, 0u);
        EXPECT_EQ(settings.c_cc[VMIN], 0);
        EXPECT_EQ(settings.c_cc[VTIME], 0);
    }
}

TEST(SerialDevice, OpenFailuresCarryTheReason) {
    PseudoTerminal pty = makePty();
    SerialDevice device;
    // Speeds outside the table are refused before the device is touched.
    for (int baud : {0, 1200, 2400, 57600, 115200, -9600}) {
        EXPECT_EQ(device.open(pty.slavePath(), baud), EINVAL) << baud;
        EXPECT_FALSE(device.isOpen());
    }
    EXPECT_EQ(device.open("/dev/no-such-serial-port", 9600), ENOENT);
    EXPECT_FALSE(device.isOpen());

    // A plain file is not a serial port.
    char name[] = "/tmp/serial-test-XXXXXX";
    const int file = ::mkstemp(name);
    ASSERT_GE(file, 0);
    ::close(file);
    EXPECT_EQ(device.open(name, 9600), ENOTTY);
    EXPECT_FALSE(device.isOpen());
    ::unlink(name);
}

TEST(SerialDevice, SecondOpenOfTheSameDeviceIsRefusedUntilTheFirstCloses) {
    PseudoTerminal pty = makePty();
    SerialDevice first;
    ASSERT_EQ(first.open(pty.slavePath(), 4800), 0);
    SerialDevice second;
    EXPECT_EQ(second.open(pty.slavePath(), 4800), EBUSY);
    EXPECT_FALSE(second.isOpen());
    // The refused open must not have disturbed the holder.
    ASSERT_EQ(pty.writeMaster("ID;"), 3u);
    EXPECT_EQ(readDevice(first, 3), "ID;");

    first.close();
    EXPECT_EQ(second.open(pty.slavePath(), 4800), 0);
    EXPECT_TRUE(second.isOpen());
}

// errno of opening `path` from a child process without privileges (0 when it opened), as a
// terminal program that knows nothing of file locks would.
int openAsUnprivileged(const std::string& path) {
    const pid_t child = ::fork();
    if (child == 0) {
        if (::setgid(65534) != 0 || ::setuid(65534) != 0) ::_exit(250);
        const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
        ::_exit(fd >= 0 ? 0 : errno);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 255;
}

TEST(SerialDevice, ExclusiveModeKeepsOutOtherProgramsAndEndsAtClose) {
    if (::geteuid() != 0) GTEST_SKIP() << "needs to start an unprivileged child";
    PseudoTerminal pty = makePty();
    ASSERT_EQ(::chmod(pty.slavePath().c_str(), 0666), 0);
    ASSERT_EQ(openAsUnprivileged(pty.slavePath()), 0);

    SerialDevice device;
    ASSERT_EQ(device.open(pty.slavePath(), 9600), 0);
    EXPECT_EQ(openAsUnprivileged(pty.slavePath()), EBUSY);
    // The terminal outlives the descriptor; it must not stay locked after close.
    device.close();
    EXPECT_EQ(openAsUnprivileged(pty.slavePath()), 0);
}

TEST(SerialDevice, MovesKeepOneOwner) {
    PseudoTerminal pty = makePty();
    SerialDevice device;
    ASSERT_EQ(device.open(pty.slavePath(), 9600), 0);
    SerialDevice moved(std::move(device));
    EXPECT_FALSE(device.isOpen());  // NOLINT(bugprone-use-after-move)
    ASSERT_TRUE(moved.isOpen());
    SerialDevice assigned;
    assigned = std::move(moved);
    EXPECT_TRUE(assigned.write("PS;").ok());
    EXPECT_EQ(pty.readMaster(3, 5s), "PS;");
    { SerialDevice scoped(std::move(assigned)); }
    // The destructor closed it: a new open succeeds.
    SerialDevice again;
    EXPECT_EQ(again.open(pty.slavePath(), 9600), 0);
}

TEST(SerialDevice, BytesPassUnchangedBothWays) {
    PseudoTerminal pty = makePty();
    SerialDevice device;
    ASSERT_EQ(device.open(pty.slavePath(), 38400), 0);

    // Every byte value except the terminator-free CAT text must pass untouched: control
    // characters, CR/LF, 0xFF, the flow-control characters.
    std::string all;
    for (int b = 1; b < 256; ++b)
        all.push_back(static_cast<char>(b));
    const IoResult sent = device.write(all);
    ASSERT_TRUE(sent.ok());
    EXPECT_EQ(sent.bytes, all.size());
    EXPECT_EQ(pty.readMaster(all.size(), 5s), all);

    ASSERT_EQ(pty.writeMaster(all), all.size());
    EXPECT_EQ(readDevice(device, all.size()), all);

    // Nothing waiting: a read returns at once with nothing.
    std::array<char, 16> buffer{};
    const IoResult empty = device.read(buffer.data(), buffer.size());
    EXPECT_TRUE(empty.ok());
    EXPECT_EQ(empty.bytes, 0u);
}

TEST(SerialDevice, ReadNeverPassesItsLimitAndStatusCountsWhatWaits) {
    PseudoTerminal pty = makePty();
    SerialDevice device;
    ASSERT_EQ(device.open(pty.slavePath(), 4800), 0);
    ASSERT_EQ(pty.writeMaster("FA00014250000;"), 14u);

    std::optional<SerialStatus> status;
    const auto deadline = std::chrono::steady_clock::now() + 5s;
    do {
        status = device.status();
        ASSERT_TRUE(status.has_value());
    } while (status->inputQueue < 14 && std::chrono::steady_clock::now() < deadline);
    EXPECT_EQ(status->inputQueue, 14u);
    EXPECT_EQ(status->errors, 0u);
    EXPECT_FALSE(status->lineBad);

    std::array<char, 8> buffer;
    buffer.fill('#');
    const IoResult first = device.read(buffer.data(), 4);
    EXPECT_EQ(first.bytes, 4u);
    EXPECT_EQ(std::string(buffer.data(), 4), "FA00");
    EXPECT_EQ(buffer[4], '#');
    EXPECT_EQ(device.status()->inputQueue, 10u);
    EXPECT_EQ(readDevice(device, 10), "014250000;");
}

TEST(SerialDevice, RtsCallsAreToleratedWithoutModemLines) {
    PseudoTerminal pty = makePty();
    SerialDevice device;
    ASSERT_EQ(device.open(pty.slavePath(), 9600), 0);
    EXPECT_TRUE(device.raiseRts());
    EXPECT_TRUE(device.dropRts());
    EXPECT_TRUE(device.raiseRts());
    EXPECT_FALSE(device.status()->lineBad);
}

TEST(SerialDevice, UnpluggedDeviceIsReportedGone) {
    PseudoTerminal pty = makePty();
    SerialDevice device;
    ASSERT_EQ(device.open(pty.slavePath(), 9600), 0);
    EXPECT_FALSE(device.status()->lineBad);
    EXPECT_FALSE(device.hasGone());

    pty.closeMaster();
    EXPECT_TRUE(device.hasGone());
    const std::optional<SerialStatus> status = device.status();
    ASSERT_TRUE(status.has_value());
    EXPECT_TRUE(status->lineBad);
    // It stays gone, and transfers fail instead of pretending success.
    EXPECT_FALSE(device.write("FA;").ok());
    EXPECT_TRUE(device.status()->lineBad);
    EXPECT_FALSE(device.raiseRts());

    device.close();
    EXPECT_FALSE(device.isOpen());
}

TEST(SerialDevice, FullOutputQueueIsReportedOnceAsTransmitFull) {
    PseudoTerminal pty = makePty();
    SerialDevice device;
    ASSERT_EQ(device.open(pty.slavePath(), 9600), 0);
    // Nobody reads the master: keep writing until the kernel takes no more.
    const std::string block(4096, 'X');
    std::size_t total = 0;
    bool shortWrite = false;
    for (int i = 0; i < 4096 && !shortWrite; ++i) {
        const IoResult result = device.write(block);
        ASSERT_TRUE(result.ok());
        total += result.bytes;
        shortWrite = result.bytes < block.size();
    }
    ASSERT_TRUE(shortWrite);
    EXPECT_GT(total, 0u);
    const std::optional<SerialStatus> status = device.status();
    ASSERT_TRUE(status.has_value());
    EXPECT_EQ(status->errors, kLineErrorTransmitFull);
    EXPECT_FALSE(status->lineBad);
    EXPECT_EQ(device.status()->errors, 0u);  // reported once, like a cleared error state
}

}  // namespace
}  // namespace platform

namespace platform {
namespace {

termios settingsSeenBy(const std::string& path) {
    termios settings{};
    const int probe = ::open(path.c_str(), O_RDONLY | O_NOCTTY | O_NONBLOCK);
    EXPECT_GE(probe, 0);
    EXPECT_EQ(::tcgetattr(probe, &settings), 0);
    ::close(probe);
    return settings;
}

TEST(SerialDeviceLineSettings, WhatLinuxCannotDoIsRefusedWithItsSetting) {
    struct Case {
        LineSettings settings;
        LineFault fault;
    };
    LineSettings dsr;
    dsr.flow = FlowControl::DtrDsr;
    LineSettings oneAndHalfWithEight;
    oneAndHalfWithEight.stopBits = StopBits::OneAndHalf;
    LineSettings twoWithFive;
    twoWithFive.dataBits = 5;
    LineSettings nineBits;
    nineBits.dataBits = 9;
    LineSettings sameXonXoff;
    sameXonXoff.flow = FlowControl::XonXoff;
    sameXonXoff.xoffChar = sameXonXoff.xonChar;
    LineSettings noRate;
    noRate.baud = 0;
    const Case cases[] = {
        {dsr, LineFault::FlowControl},      {oneAndHalfWithEight, LineFault::StopBits},
        {twoWithFive, LineFault::StopBits}, {nineBits, LineFault::DataBits},
        {sameXonXoff, LineFault::XonXoff},  {noRate, LineFault::Baud},
    };
    PseudoTerminal pty = makePty();
    for (const Case& c : cases) {
        SerialDevice device;
        const LineResult result = device.open(pty.slavePath(), c.settings);
        EXPECT_EQ(result.error, EINVAL);
        EXPECT_EQ(result.fault, c.fault);
        EXPECT_FALSE(describeLineFault(result.fault, c.settings).empty());
        EXPECT_FALSE(device.isOpen());
    }
    // 1.5 stop bits with 5 data bits is what a UART can do.
    LineSettings fiveAndHalf;
    fiveAndHalf.dataBits = 5;
    fiveAndHalf.stopBits = StopBits::OneAndHalf;
    EXPECT_EQ(SerialDevice::checkLineSettings(fiveAndHalf), LineFault::None);
}

TEST(SerialDeviceLineSettings, RatesWithoutAConstantGoThroughTermios2) {
    PseudoTerminal pty = makePty();
    for (int baud : {14400, 56000, 128000, 256000, 57600, 600}) {
        LineSettings settings;
        settings.baud = baud;
        settings.stopBits = StopBits::One;
        settings.flow = FlowControl::None;
        SerialDevice device;
        const LineResult result = device.open(pty.slavePath(), settings);
        // A pseudo-terminal keeps any rate; a UART that cannot make one reports a Baud fault.
        ASSERT_TRUE(result.ok()) << baud << " errno " << result.error;
        const termios seen = settingsSeenBy(pty.slavePath());
        EXPECT_EQ(seen.c_cflag & CSTOPB, 0u) << baud;
        EXPECT_EQ(seen.c_cflag & CRTSCTS, 0u) << baud;
        ASSERT_EQ(pty.writeMaster("FA;"), 3u);
        EXPECT_EQ(readDevice(device, 3), "FA;") << baud;
    }
}

TEST(SerialDeviceLineSettings, XonXoffAndOneStopBitReachTheDriverAndCanBeChangedWhileOpen) {
    PseudoTerminal pty = makePty();
    LineSettings settings;
    settings.baud = 9600;
    settings.stopBits = StopBits::One;
    settings.flow = FlowControl::XonXoff;
    settings.xonChar = 0x11;
    settings.xoffChar = 0x13;
    SerialDevice device;
    ASSERT_TRUE(device.open(pty.slavePath(), settings).ok());
    termios seen = settingsSeenBy(pty.slavePath());
    EXPECT_NE(seen.c_iflag & IXON, 0u);
    EXPECT_NE(seen.c_iflag & IXOFF, 0u);
    EXPECT_EQ(seen.c_cc[VSTART], 0x11);
    EXPECT_EQ(seen.c_cc[VSTOP], 0x13);
    EXPECT_EQ(seen.c_cflag & (CSTOPB | CRTSCTS), 0u);

    settings.flow = FlowControl::RtsCts;
    settings.stopBits = StopBits::Two;
    settings.baud = 38400;
    ASSERT_TRUE(device.apply(settings).ok());
    seen = settingsSeenBy(pty.slavePath());
    EXPECT_EQ(seen.c_iflag & (IXON | IXOFF), 0u);
    EXPECT_NE(seen.c_cflag & CRTSCTS, 0u);
    EXPECT_NE(seen.c_cflag & CSTOPB, 0u);
    EXPECT_EQ(::cfgetospeed(&seen), B38400);

    // A refused change leaves the device as it was.
    LineSettings refused = settings;
    refused.flow = FlowControl::DtrDsr;
    EXPECT_EQ(device.apply(refused).fault, LineFault::FlowControl);
    EXPECT_NE(settingsSeenBy(pty.slavePath()).c_cflag & CRTSCTS, 0u);
}

}  // namespace
}  // namespace platform
