#include "panelink/core/command_queue.h"

#include "panelink/core/message_queue.h"
#include "panelink/core/messages.h"

namespace panelink {

bool queueCommand(CoreServices& core, std::string_view text) {
    // An empty entry would be popped in place of the next real command, which would then lag
    // one wake behind its request.
    if (text.empty() || text.size() > static_cast<std::size_t>(MessageQueue::kMaxLength) ||
        text.find('\0') != std::string_view::npos) {
        return false;
    }
    const int length = static_cast<int>(text.size());
    if (core.sendQueue.push(length, text.data()) != length) return false;
    postTo(core.threads.sioSend, ThreadMessage::WriteCommand);
    return true;
}

}  // namespace panelink
