#pragma once

// What the network server asks of the program for one parsed command. The server owns the
// sockets and the waiting; the handler knows the radio.

#include <functional>
#include <string>
#include <vector>

#include "panelink/net/rig_command.h"
#include "panelink/net/rig_errors.h"

namespace panelink::net {

// Per connection: what a client has set for itself.
struct SessionState {
    bool lockMode = false;  // \set_lock_mode 1: set_mode changes nothing
};

struct Outcome {
    RigError error = RigError::Ok;
    std::vector<std::string> values;  // a get's values, in the table's order
    // A set that was handed to the radio: true once the radio state shows the new value.
    // The server asks again until it holds or the set's time is up; it must be cheap and
    // safe to call from the server's thread.
    std::function<bool()> shown;
    bool close = false;  // q: answer, then end the connection
};

class CommandHandler {
  public:
    virtual ~CommandHandler() = default;
    // Called on the server's thread; must not block.
    virtual Outcome handle(const RigCommand& command, SessionState& session) = 0;
};

}  // namespace panelink::net
