#pragma once

#include <string_view>

#include "panelink/core/core_services.h"

namespace panelink {

// The analysis of Anl_Recv_Thread: decodes one framed answer at a time into RadioState,
// CommandState and the menu item table, and tells the main window what changed. Runs on one
// thread; holds no state of its own between answers.
class AnswerParser {
  public:
    explicit AnswerParser(CoreServices& services);

    // One answer as popped from the receive queue: letters and parameters, no ";". An empty
    // answer (or one starting with a zero byte) does nothing, unknown letters and "DS" are
    // ignored, "EX" goes to the menu apply step. After a successful decode the answer's
    // display-update message is posted to the main window; after a failed one nothing is.
    void analyse(std::string_view answer);

  private:
    void analyseMenuAnswer(std::string_view answer);

    CoreServices& services_;
};

}  // namespace panelink
