#pragma once

// The rigctld protocol's answer codes, sent as "RPRT n". The numbers are the protocol's own,
// checked against the text the generic client prints for each one.
namespace panelink::net {

enum class RigError : int {
    Ok = 0,
    InvalidParameter = -1,  // malformed line, bad or missing argument
    InvalidConfiguration = -2,
    OutOfMemory = -3,
    NotImplemented = -4,  // a command this server does not know
    Timeout = -5,         // the radio did not show the value in time
    IoError = -6,         // no serial link to the radio
    InternalError = -7,
    ProtocolError = -8,
    Rejected = -9,  // the radio refused the request
    Truncated = -10,
    NotAvailable = -11,  // the radio has no such feature
    VfoNotAccessible = -12,
    BusError = -13,
    BusCollision = -14,
    NullHandle = -15,
    InvalidVfo = -16,
    OutOfDomain = -17,  // a well-formed value outside the radio's range
    Deprecated = -18,
    SecurityError = -19,
    PoweredOff = -20,
};

constexpr int code(RigError error) {
    return static_cast<int>(error);
}

}  // namespace panelink::net
