#include "panelink/link/anl_recv_thread.h"

#include <array>
#include <cstring>
#include <utility>

#include "panelink/core/link_flags.h"
#include "panelink/core/message_queue.h"
#include "panelink/core/messages.h"
#include "panelink/core/requests.h"
#include "panelink/core/timer_ids.h"

namespace panelink {

AnlRecvThread::AnlRecvThread(CoreServices& core, Analyser analyser)
    : core_(core), analyser_(std::move(analyser)) {}

void AnlRecvThread::handle(const platform::Message& message) {
    if (is(message, ThreadMessage::AnalyseAnswer)) {
        analyseNext();
    } else if (is(message, ThreadMessage::LinkLost)) {
        linkLost();
    }
}

void AnlRecvThread::analyseNext() {
    std::array<char, MessageQueue::kSlotSize> buffer{};
    const int length = core_.receiveQueue.pop(buffer.data());
    // A wake without an entry is no answer: the watchdog is left as it is.
    if (length <= 0) return;

    core_.timers.killTimer(kTimerLinkWatchdog);
    // The decoders read the answer as text up to its first NUL.
    const std::size_t size = strnlen(buffer.data(), static_cast<std::size_t>(length));
    if (analyser_) analyser_(std::string_view(buffer.data(), size));
    core_.timers.setTimer(kTimerLinkWatchdog, kLinkWatchdogPeriod);
}

void AnlRecvThread::linkLost() {
    postTo(core_.threads.anlSend, Request::StopReadouts);
    core_.flags.aiCommanded.store(false);
    // Treated as the radio reporting auto-information off, which also zeroes the meters.
    if (analyser_) analyser_("AI0");
    core_.window.post(message(DisplayUpdate::AI));
}

}  // namespace panelink
