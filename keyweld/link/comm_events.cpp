#include "keyweld/link/comm_events.h"

#include "keyweld/link/locked_port.h"

namespace keyweld {

std::optional<platform::SerialStatus> reportLineErrors(LockedPort& port, CommEvents* events) {
    std::optional<platform::SerialStatus> status = port.status();
    if (!status || events == nullptr) return status;
    const std::uint32_t kept =
        status->errors & (kCommErrorOverrun | kCommErrorParity | kCommErrorFraming);
    if (kept != 0) events->lineError(kept);
    return status;
}

}  // namespace keyweld
