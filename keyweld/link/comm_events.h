#pragma once

#include <cstdint>

#include "shared/platform/serial_device.h"

namespace keyweld {

class LockedPort;

// Line error bits that the component reports.
inline constexpr std::uint32_t kCommErrorOverrun = platform::kLineErrorOverrun;
inline constexpr std::uint32_t kCommErrorParity = platform::kLineErrorParity;
inline constexpr std::uint32_t kCommErrorFraming = platform::kLineErrorFraming;
// The device has gone (unplugged adapter, hung-up line): close and open again.
inline constexpr std::uint32_t kCommErrorDeviceGone = platform::kLineErrorIo;

// What the component's threads tell its owner. Called on the send or receive thread: an
// implementation only queues the news for the user interface thread and returns at once,
// never waiting for that thread (which may itself be waiting in Close or Send).
class CommEvents {
  public:
    virtual ~CommEvents() = default;
    // New characters wait in the input queue (not repeated until more arrive).
    virtual void charactersArrived() = 0;
    virtual void breakDetected() = 0;
    virtual void lineError(std::uint32_t bits) = 0;
};

// Takes the device's pending line errors and reports overrun, parity and framing errors.
// Returns the status it read, for callers that want more of it.
std::optional<platform::SerialStatus> reportLineErrors(LockedPort& port, CommEvents* events);

}  // namespace keyweld
