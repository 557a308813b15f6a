#pragma once

#include "panelink/core/core_services.h"

namespace panelink {

// The link watchdog's tick (timer 17, every 3000 ms once an answer has been analysed): the
// link counts as lost when a written command got no answer and nothing waits to be read, or
// when the line is bad or the last open failed. A lost link is reported to Anl_Recv_Thread
// (id(ThreadMessage::LinkLost)). The timer keeps running.
class LinkWatchdog {
  public:
    explicit LinkWatchdog(CoreServices& core);
    LinkWatchdog(const LinkWatchdog&) = delete;
    LinkWatchdog& operator=(const LinkWatchdog&) = delete;

    // True when the link was declared lost.
    bool check();

  private:
    CoreServices& core_;
};

}  // namespace panelink
