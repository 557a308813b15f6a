#pragma once

#include <string>
#include <string_view>

namespace keyweld {

// Why an operation of the serial component failed. Each code has one fixed message text.
enum class CommErrorCode {
    None,
    AlreadyOpen,
    PortOpen,
    SetupComm,
    BitRate,
    CharSize,
    ParityBit,
    StopBits,
    FlowControl,
    Timeouts,
    XonChar,
    XoffChar,
    SendThread,
    ReceiveThread,
};

// The message text of a code, as the user sees it; empty for None.
std::string_view commErrorText(CommErrorCode code);

// The result of opening or changing the serial component: ok, or the reason. `detail` says
// more for a log or a tooltip (the system's reason, or what Linux cannot do); the message
// itself is text().
struct CommError {
    CommErrorCode code = CommErrorCode::None;
    std::string detail;

    static CommError none() { return {}; }
    bool ok() const { return code == CommErrorCode::None; }
    std::string_view text() const { return commErrorText(code); }
};

}  // namespace keyweld
