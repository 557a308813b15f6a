#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "shared/platform/clock.h"

namespace platform {

// A pseudo-terminal pair standing in for a serial cable: this object keeps the master side,
// and the slave path is what a program opens as its "serial port". The master is
// non-blocking and starts in raw mode, so nothing is echoed or translated before the program
// on the slave side applies its own line settings. Closing the master is an unplug: an open
// slave then reports a hang-up.
class PseudoTerminal {
  public:
    // A new pair, or nullopt with the errno in *error.
    static std::optional<PseudoTerminal> create(int* error = nullptr);

    PseudoTerminal(PseudoTerminal&& other) noexcept;
    PseudoTerminal& operator=(PseudoTerminal&& other) noexcept;
    PseudoTerminal(const PseudoTerminal&) = delete;
    PseudoTerminal& operator=(const PseudoTerminal&) = delete;
    ~PseudoTerminal();

    // -1 once the master has been closed.
    int masterFd() const { return master_; }
    const std::string& slavePath() const { return slavePath_; }
    bool isMasterOpen() const { return master_ >= 0; }

    // Simulates pulling the cable out.
    void closeMaster();

    // Bytes the kernel accepted at once (0 when closed or full).
    std::size_t writeMaster(std::string_view bytes);
    // Everything waiting at the master now, without waiting.
    std::string readMaster();
    // Waits (in real time) until `count` bytes have arrived or `timeout` has passed; returns
    // what arrived, which may be shorter. For tests and the simulator, never for the core.
    std::string readMaster(std::size_t count, Milliseconds timeout);

  private:
    PseudoTerminal(int master, std::string slavePath);

    int master_ = -1;
    std::string slavePath_;
};

}  // namespace platform
