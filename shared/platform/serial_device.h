#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace platform {

// Line error bits as the link threads test them, one bit per kind. They are gathered from
// the driver's error counters (where it keeps them) and from failed or short transfers, and
// reported once by the next status().
inline constexpr std::uint32_t kLineErrorReceiveOverflow = 0x0001;
inline constexpr std::uint32_t kLineErrorOverrun = 0x0002;
inline constexpr std::uint32_t kLineErrorParity = 0x0004;
inline constexpr std::uint32_t kLineErrorFraming = 0x0008;
inline constexpr std::uint32_t kLineErrorBreak = 0x0010;
inline constexpr std::uint32_t kLineErrorTransmitFull = 0x0100;
inline constexpr std::uint32_t kLineErrorIo = 0x0400;
inline constexpr std::uint32_t kLineErrorMode = 0x8000;

// What status() reports about an open device.
struct SerialStatus {
    std::uint32_t errors = 0;     // kLineError* bits since the previous status()
    std::size_t inputQueue = 0;   // bytes received and waiting to be read
    std::size_t outputQueue = 0;  // bytes handed over and not yet sent
    bool lineBad = false;         // the device has gone (unplugged, hung up): close it
};

// Outcome of one read or write: bytes moved, and the errno of a failure (0 when none; a
// device that simply has nothing to give or no room right now is not a failure).
struct IoResult {
    std::size_t bytes = 0;
    int error = 0;

    bool ok() const { return error == 0; }
};

enum class Parity { None, Odd, Even, Mark, Space };
enum class StopBits { One, OneAndHalf, Two };
// DtrDsr is DSR output flow control with DTR handshake; HalfHigh and HalfLow leave RTS to the
// owner, which raises (HalfHigh) or drops (HalfLow) it around its writes.
enum class FlowControl { None, DtrDsr, XonXoff, RtsCts, HalfHigh, HalfLow };

// Raw line settings. The defaults are the link's fixed ones: 8 data bits, no parity, 2 stop
// bits, CTS output flow control.
struct LineSettings {
    int baud = 4800;
    int dataBits = 8;  // 5..8
    Parity parity = Parity::None;
    StopBits stopBits = StopBits::Two;
    FlowControl flow = FlowControl::RtsCts;
    unsigned char xonChar = 17;
    unsigned char xoffChar = 19;

    friend bool operator==(const LineSettings&, const LineSettings&) = default;
};

// Which setting a device or Linux itself cannot take.
enum class LineFault { None, Baud, DataBits, Parity, StopBits, FlowControl, XonXoff };

// Why a fault is refused, in a few words for messages and logs.
std::string_view describeLineFault(LineFault fault, const LineSettings& settings);

// Outcome of opening or applying with LineSettings: the errno of a failure, and which
// setting caused it when one did (EINVAL then).
struct LineResult {
    int error = 0;
    LineFault fault = LineFault::None;

    bool ok() const { return error == 0; }
};

// One serial device opened exclusively and non-blocking, raw, receiver on, modem control
// lines ignored. open(path, baud) applies the link's fixed line settings (8 data bits, no
// parity, 2 stop bits, CTS output flow control); the LineSettings overloads take any settings
// Linux can realise. Reads and writes never wait. Not safe for concurrent use: the owner
// serialises access.
class SerialDevice {
  public:
    // 4800, 9600, 19200 and 38400 baud: the link's rates.
    static bool isSupportedBaud(int baud);
    // What Linux cannot do at all, before any device is asked: a rate of 0 or below, data
    // bits outside 5..8, DSR output flow control, 1.5 stop bits with 6..8 data bits, 2 stop
    // bits with 5 data bits (the UART gives 1.5), XON/XOFF with one character for both.
    static LineFault checkLineSettings(const LineSettings& settings);

    SerialDevice() = default;
    SerialDevice(SerialDevice&& other) noexcept;
    SerialDevice& operator=(SerialDevice&& other) noexcept;
    SerialDevice(const SerialDevice&) = delete;
    SerialDevice& operator=(const SerialDevice&) = delete;
    ~SerialDevice();

    // Opens `path` (closing whatever was open) and applies the line settings. Returns 0, or
    // the errno of the failure: EINVAL for an unsupported speed, EBUSY when another program
    // holds the device, ENOTTY for something that is not a terminal, EACCES, ENOENT ...
    [[nodiscard]] int open(const std::string& path, int baud);
    // Opens with any line settings. Rates without a B constant go through termios2 (BOTHER);
    // a driver that does not keep the rate or the data bits is a Baud or DataBits fault.
    [[nodiscard]] LineResult open(const std::string& path, const LineSettings& settings);
    // Changes the settings of the open device; on failure the device keeps what it had.
    [[nodiscard]] LineResult apply(const LineSettings& settings);
    bool isOpen() const { return fd_ >= 0; }
    // The open descriptor, -1 when closed: for waiting on it with poll(), nothing else.
    int descriptor() const { return fd_; }
    void close();

    // Queue lengths, the line errors since the last call, and whether the device has gone.
    // nullopt when nothing is open.
    std::optional<SerialStatus> status();
    // Whether the device has gone, without taking the pending line errors that status()
    // reports. False when nothing is open.
    bool hasGone();

    // Takes what is waiting, at most `max` bytes; 0 bytes when nothing is.
    IoResult read(void* buffer, std::size_t max);
    // Hands the bytes to the kernel without waiting; `bytes` may be fewer than `size` when
    // the output queue is full (the rest is not sent).
    IoResult write(const void* data, std::size_t size);
    IoResult write(std::string_view text) { return write(text.data(), text.size()); }

    // Drive the RTS line. A driver without modem lines (a pseudo-terminal) is not an error;
    // false only when the device has gone or refused for another reason.
    bool raiseRts() { return setRts(true); }
    bool dropRts() { return setRts(false); }
    // Drive the DTR line, tolerated the same way.
    bool setDtr(bool raised) { return setModemLine(kDtrLine, raised); }

    // Drop what waits to be sent, or what was received and not yet read.
    void discardOutput();
    void discardInput();
    // Bytes received and waiting, without taking the pending line errors; 0 when closed.
    std::size_t inputWaiting();
    // Bytes handed over and not yet sent, the same way.
    std::size_t outputWaiting();

  private:
    // Driver error counters in the order: receive overflow, overrun, parity, framing, break.
    using Counters = std::array<int, 5>;

    static constexpr int kDtrLine = 0x002;  // TIOCM_DTR
    static constexpr int kRtsLine = 0x004;  // TIOCM_RTS

    bool setRts(bool raised) { return setModemLine(kRtsLine, raised); }
    bool setModemLine(int line, bool raised);
    // Opens and applies the settings; the link's open leaves the modem lines to the driver.
    LineResult openDevice(const std::string& path, const LineSettings& settings);
    void checkHangUp();
    // Records a failed call: a vanished device sets gone_, anything else is an I/O error.
    void noteFailure(int error);
    void gatherCounterErrors();

    int fd_ = -1;
    bool gone_ = false;
    bool countersAvailable_ = false;
    Counters counters_{};
    std::uint32_t pendingErrors_ = 0;
};

}  // namespace platform
