#pragma once

// The protocol's commands against Panelink's radio: gets read the radio state that the
// auto-information and the polls keep fresh; sets post the requests the panel's own keys
// and dials post and say how to recognise the result in the radio state.
//
// Everything here may run on the server's thread: RadioState fields are read whole, the
// menu table takes its own short lock, and requests are posted, never waited for.

#include <cstdint>
#include <functional>

#include "panelink/core/requests.h"
#include "panelink/net/server/command_handler.h"

namespace panelink {
class RadioState;
class MenuItemTable;
}  // namespace panelink

namespace panelink::net {

// What the bridge reaches of the running program.
struct RadioPorts {
    // The serial link is open and the radio answers (auto-information on).
    std::function<bool()> linkUp;
    // A request to the command sender, as the panel posts it; false when it was not taken.
    std::function<bool(Request, std::uintptr_t wparam, std::intptr_t lparam)> post;
};

class RadioBridge final : public CommandHandler {
  public:
    RadioBridge(const RadioState& radio, MenuItemTable& menu, RadioPorts ports);

    Outcome handle(const RigCommand& command, SessionState& session) override;

  private:
    Outcome get(const RigCommand& command, const SessionState& session) const;
    Outcome set(const RigCommand& command, SessionState& session);
    Outcome setFrequency(std::int64_t hz, bool transmitVfo);
    Outcome setMode(const RigCommand& command, const SessionState& session);
    Outcome setVfo(Vfo vfo);
    Outcome setPtt(bool transmit);
    Outcome setSplit(bool on, Vfo txVfo);
    Outcome setPower(std::int64_t status) const;
    Outcome posted(Request request, std::intptr_t lparam, std::function<bool()> shown);

    const RadioState& radio_;
    MenuItemTable& menu_;
    RadioPorts ports_;
};

// The S-meter reading (0..255) as the protocol's STRENGTH: dB relative to S9.
int strengthDb(int meterReading);

}  // namespace panelink::net
