#pragma once

#include <array>
#include <optional>
#include <string>

#include "keyweld/link/comm_error.h"
#include "keyweld/link/link_choice.h"

namespace keyweld {

class LinkSession;

// What the probe found for one of COM1..COM20.
struct PortProbe {
    int portNo = 0;
    std::string devicePath;
    bool usable = false;
    CommError reason;  // why it is not usable
};

// The Configuration dialog's rules, without the window. Creating it probes COM1..COM20 by
// opening each in turn, then restores the kept port: the link is open on it again when it
// was open after the last probe (a failure there is restoreError(), which the window shows),
// closed otherwise. OK and Cancel leave the link open if it can be.
class ConfigurationChoice {
  public:
    explicit ConfigurationChoice(LinkSession& session);

    const std::array<PortProbe, kPortChoices>& ports() const { return ports_; }
    const CommError& restoreError() const { return restoreError_; }
    // The kept port and the kept rate's entry in the baud table, as the window first shows
    // them; nothing after a restore error or for a rate outside the table.
    std::optional<int> initialPortIndex() const;
    std::optional<int> initialBaudIndex() const;

    // OK: the checked port and the chosen rate (each unchanged when not given) are applied;
    // when that fails the kept port and rate go back. Then the link is opened if it is not.
    void accept(std::optional<int> portIndex, std::optional<int> baudIndex);
    // Cancel: the kept settings are applied again and the link opened if it is not.
    void cancel();

  private:
    void probe();
    void restore();

    LinkSession& session_;
    std::array<PortProbe, kPortChoices> ports_{};
    CommError restoreError_;
};

}  // namespace keyweld
