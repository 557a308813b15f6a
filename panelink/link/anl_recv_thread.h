#pragma once

#include <functional>
#include <string_view>

#include "panelink/core/core_services.h"
#include "shared/platform/clock.h"
#include "shared/platform/message.h"

namespace panelink {

// The link watchdog fires this long after the last analysed answer, and again every period
// until the next one.
inline constexpr platform::Milliseconds kLinkWatchdogPeriod{3000};

// Anl_Recv_Thread: takes one answer off the receive queue per id(ThreadMessage::AnalyseAnswer) and
// has it analysed, restarting the link watchdog around it; handles a lost link
// (id(ThreadMessage::LinkLost)).
class AnlRecvThread {
  public:
    // Decodes one answer (letters and parameters, no ";"); the context passes the answer
    // parser's analyse().
    using Analyser = std::function<void(std::string_view answer)>;

    AnlRecvThread(CoreServices& core, Analyser analyser);
    AnlRecvThread(const AnlRecvThread&) = delete;
    AnlRecvThread& operator=(const AnlRecvThread&) = delete;

    void handle(const platform::Message& message);
    void analyseNext();
    void linkLost();

  private:
    CoreServices& core_;
    Analyser analyser_;
};

}  // namespace panelink
