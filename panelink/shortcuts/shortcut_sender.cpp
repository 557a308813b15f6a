#include "panelink/shortcuts/shortcut_sender.h"

#include "panelink/core/timer_ids.h"

namespace panelink {

ShortcutSender::ShortcutSender(RadioLink& link, platform::TimerHost& timers)
    : link_(link), timers_(timers) {}

void ShortcutSender::start(std::string_view text) {
    if (busy() || text.empty()) return;
    text_ = text;
    position_ = 0;
    step();
}

bool ShortcutSender::onTimer(int timerId) {
    if (timerId != kTimerShortcut) return false;
    timers_.killTimer(kTimerShortcut);
    step();
    return true;
}

void ShortcutSender::step() {
    if (!busy()) return;
    const std::size_t end = text_.find(';', position_);
    // Nothing left, or a tail without ";": it is dropped.
    if (end == std::string::npos) {
        finish();
        return;
    }
    const std::string_view command = std::string_view(text_).substr(position_, end + 1 - position_);
    position_ = end + 1;
    link_.queueCommand(command);
    timers_.setTimer(kTimerShortcut, platform::Milliseconds(kMillisecondsPerCharacter *
                                                            static_cast<int>(command.size())));
}

void ShortcutSender::finish() {
    text_.clear();
    position_ = 0;
}

}  // namespace panelink
