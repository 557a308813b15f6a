#include "panelink/link/sio_send_thread.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <string_view>
#include <utility>

#include "panelink/cat/command_state.h"
#include "panelink/cat/radio_state.h"
#include "panelink/core/link_flags.h"
#include "panelink/core/message_queue.h"
#include "panelink/core/messages.h"
#include "panelink/link/com_port.h"

namespace panelink {

namespace {

using namespace std::chrono_literals;

// The open has just written "AI1;" or "AI0;": give the radio time before the command.
constexpr platform::Milliseconds kPauseAfterOpen = 100ms;

// Line errors that make the command be dropped.
constexpr std::uint32_t kDropErrors =
    platform::kLineErrorReceiveOverflow | platform::kLineErrorOverrun | platform::kLineErrorParity |
    platform::kLineErrorFraming | platform::kLineErrorBreak | platform::kLineErrorTransmitFull |
    platform::kLineErrorIo | platform::kLineErrorMode;

}  // namespace

SioSendThread::SioSendThread(CoreServices& core) : core_(core) {}

void SioSendThread::handle(const platform::Message& message) {
    if (message.id != id(ThreadMessage::WriteCommand)) return;
    const bool replayOnly = message.wparam == kReplayDeferredWrites;
    if (!core_.radio.linkEnabled()) {
        // The command stays queued; it is written once the link is enabled. More wakes than
        // the queue can hold unread would only pop empty entries.
        if (!replayOnly) deferred_ = std::min(deferred_ + 1, MessageQueue::kSlotCount);
        return;
    }
    int writes = std::exchange(deferred_, 0) + (replayOnly ? 0 : 1);
    while (writes-- > 0)
        writeOne();
}

void SioSendThread::writeOne() {
    std::array<char, MessageQueue::kSlotSize> buffer{};
    const int length = core_.sendQueue.pop(buffer.data());
    if (length <= 0) return;
    const std::string_view command(buffer.data(), static_cast<std::size_t>(length));

    if (!core_.flags.shuttingDown.load() &&
        core_.port.open(core_.settings.port(), core_.settings.baud(),
                        core_.command.get(CommandField::AI) != 0)) {
        core_.clock.sleep(kPauseAfterOpen);
    }
    if (!core_.port.isOpen()) return;

    const std::optional<platform::SerialStatus> status = core_.port.status();
    if (!status) return;  // closed meanwhile
    if (status->outputQueue >= kStuckOutputQueue || status->lineBad) {
        core_.port.close();
        return;
    }
    // Waits for DSR, XON or an end-of-file character have no counterpart on this line.
    if ((status->errors & kDropErrors) != 0) return;

    if (command.starts_with("AI1;")) {
        core_.flags.aiCommanded.store(true);
    } else if (command.starts_with("AI0;")) {
        core_.flags.aiCommanded.store(false);
    }
    core_.port.write(command);
    core_.flags.answerPending.store(true);
}

}  // namespace panelink
