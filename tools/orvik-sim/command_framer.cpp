#include "tools/orvik-sim/command_framer.h"

#include "tools/orvik-sim/param_pattern.h"

namespace orviksim {

std::vector<std::string> CommandFramer::push(std::string_view bytes) {
    std::vector<std::string> commands;
    for (char c : bytes) {
        if (overflowed_) {
            overflowed_ = c != ';';
            continue;
        }
        if (pending_.empty()) {
            if (isUpperLetter(c)) pending_.push_back(c);
            continue;
        }
        pending_.push_back(c);
        if (c == ';') {
            commands.push_back(std::move(pending_));
            pending_.clear();
        } else if (pending_.size() >= kMaxCommandLength) {
            pending_.clear();
            overflowed_ = true;
        }
    }
    return commands;
}

}  // namespace orviksim
