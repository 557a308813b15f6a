#include "panelink/core/port_failure.h"

#include <cerrno>
#include <system_error>
#include <utility>

namespace panelink {

std::string portFailureLine(const PortFailure& failure) {
    const std::string& path = failure.devicePath;
    if (failure.wentAway) {
        return path + " was disconnected; the port is opened again as soon as it is back.";
    }
    switch (failure.error) {
        case 0:
            return {};
        case EACCES:
        case EPERM:
            return "No permission to open " + path + ": is your user in the dialout group?";
        case EBUSY:
            return path + " is in use by another program.";
        case ENOENT:
            return path + " does not exist.";
        case ENXIO:
        case ENODEV:
            return "No device answers at " + path + ": is the adapter plugged in?";
        case ENOTTY:
            return path + " is not a serial port.";
        case EIO:
            return path + " opened, but its line reports a fault.";
        default:
            return "Could not open " + path + ": " +
                   std::generic_category().message(failure.error) + ".";
    }
}

bool meansDeviceAbsent(const PortFailure& failure) {
    return failure.error == ENOENT || failure.error == ENXIO || failure.error == ENODEV;
}

void PortFailureNote::set(PortFailure failure) {
    const std::lock_guard lock(mutex_);
    failure_ = std::move(failure);
}

std::optional<PortFailure> PortFailureNote::get() const {
    const std::lock_guard lock(mutex_);
    return failure_;
}

}  // namespace panelink
