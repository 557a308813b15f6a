#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "keyweld/link/comm_error.h"
#include "keyweld/link/comm_k.h"
#include "keyweld/link/link_choice.h"
#include "keyweld/link/tx_rx_log.h"
#include "shared/platform/clock.h"
#include "shared/platform/timer_host.h"

namespace keyweld {

// The editor's link: the serial component with the port and rate the editor keeps, and the
// Tx/Rx log of its traffic. User interface thread only; the component's thread news arrives
// through `events`, which the owner moves to this thread and hands to the matching methods.
class LinkSession {
  public:
    // The tick handler of `timers` must call log().onTimer().
    LinkSession(std::filesystem::path workingDir, platform::Clock& clock,
                platform::TimerHost& timers, CommEvents* events);

    // Start-up: the choice from CommSetting.csv (COM1 and 4800 without one), applied with
    // 8 data bits, no parity, 2 stop bits, RTS/CTS, then opened.
    CommError openFromSettings();
    bool isOpen() const { return comm_.isOpen(); }

    const LinkChoice& choice() const { return choice_; }
    void setChoice(const LinkChoice& choice) { choice_ = choice; }
    // Applies the kept choice to the component (a new port reopens an open link).
    CommError applyChoice();
    // Opens the link unless it is open; the reason when that failed.
    CommError ensureOpen();

    // Sends the whole text in one piece and logs "[TX Data]" and the text, with a marker when
    // it did not go out. Logged whether or not the port is open.
    SendOutcome sendText(std::string_view text);
    // The receive news: reads what waits into the log's burst. Returns the bytes read.
    std::string takeReceived();

    // COMn's device, from ComPorts.csv.
    std::string devicePathFor(int portNo) const;
    const std::filesystem::path& workingDir() const { return workingDir_; }

    CommK& comm() { return comm_; }
    TxRxLog& log() { return log_; }

  private:
    const std::filesystem::path workingDir_;
    LinkChoice choice_;
    CommK comm_;
    TxRxLog log_;
};

}  // namespace keyweld
