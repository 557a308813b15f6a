#pragma once

#include <mutex>
#include <optional>
#include <string>

namespace panelink {

// Why the radio's port could not be used: the device path and the errno of its open (EIO
// when it opened but its line was bad at once), or that the device went away while the port
// was open (an unplugged adapter), which is looked for and reopened when it is back.
struct PortFailure {
    std::string devicePath;
    int error = 0;
    bool wentAway = false;

    friend bool operator==(const PortFailure&, const PortFailure&) = default;
};

// The open failed because no device is there (no adapter plugged in), rather than because
// of one that is there.
bool meansDeviceAbsent(const PortFailure& failure);

// One plain line for the user that names the device, says what is wrong and, for the usual
// reasons, what to do about it ("/dev/ttyUSB0 does not exist."); empty for error 0. The port
// dialogs and the link failure box show the same line.
std::string portFailureLine(const PortFailure& failure);

// The last port failure, noted by the thread whose open failed before it reports the failure
// to the main window, which reads it when it shows the box. Thread-safe.
class PortFailureNote {
  public:
    void set(PortFailure failure);
    std::optional<PortFailure> get() const;

  private:
    mutable std::mutex mutex_;
    std::optional<PortFailure> failure_;
};

}  // namespace panelink
