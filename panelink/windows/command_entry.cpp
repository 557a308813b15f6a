#include "panelink/windows/command_entry.h"

namespace panelink {

bool CommandEntry::sendable(std::string_view text) {
    return !text.empty() && text.size() <= kMaxLength && text.find('\0') == std::string_view::npos;
}

void CommandEntry::confirm(std::string_view text) {
    if (closed()) return;
    if (sendable(text)) link_.queueCommand(text);
    close_.report();
}

}  // namespace panelink
