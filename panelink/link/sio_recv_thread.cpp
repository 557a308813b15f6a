#include "panelink/link/sio_recv_thread.h"

#include "panelink/cat/radio_state.h"
#include "panelink/core/link_flags.h"
#include "panelink/core/message_queue.h"
#include "panelink/core/messages.h"
#include "panelink/core/requests.h"
#include "panelink/core/timer_ids.h"
#include "panelink/link/com_port.h"
#include "panelink/menu/menu_item_table.h"

#include <utility>

namespace panelink {

RtsAction rtsActionFor(std::size_t held, std::uint32_t lineErrors) {
    const bool overflow = (lineErrors & platform::kLineErrorReceiveOverflow) != 0;
    if (overflow || held >= kRtsDropAt) return RtsAction::Drop;
    if (held <= kRtsRaiseAt) return RtsAction::Raise;
    return RtsAction::Keep;
}

MenuShapeLookup menuShapeOf(const RadioState& radio, const MenuItemTable& menu) {
    return [&radio, &menu](int number) -> std::optional<MenuAnswerShape> {
        if (number < 1 || number > radio.menuItemCount()) return std::nullopt;
        return MenuAnswerShape{menu.digitsAt(number), menu.kindAt(number) == kKindText};
    };
}

SioRecvThread::SioRecvThread(CoreServices& core)
    : SioRecvThread(core, menuShapeOf(core.radio, core.menu)) {}

SioRecvThread::SioRecvThread(CoreServices& core, MenuShapeLookup menuShape)
    : core_(core), framer_(std::move(menuShape)) {}

void SioRecvThread::handle(const platform::Message& message) {
    if (is(message, ThreadMessage::PollPort)) pollPort();
}

void SioRecvThread::pollPort() {
    if (!core_.radio.linkEnabled()) return;

    // Reading the status also takes the line errors gathered since the last one.
    const std::optional<platform::SerialStatus> status = core_.port.status();
    const std::uint32_t errors = status ? status->errors : 0;

    switch (rtsActionFor(framer_.count(), errors)) {
        case RtsAction::Raise:
            core_.port.raiseRts();
            rts_ = true;
            break;
        case RtsAction::Drop:
            core_.port.dropRts();
            rts_ = false;
            break;
        case RtsAction::Keep:
            break;
    }

    if (status && status->lineBad) {
        framer_.leaveFrame();
        core_.port.close();
    }

    if (core_.port.isOpen() && framer_.freeSpace() > 0) {
        const platform::IoResult read = core_.port.read(readBuffer_.data(), framer_.freeSpace());
        // A failed read shows as a bad line at the next poll.
        framer_.append(std::string_view(readBuffer_.data(), read.bytes));
    }

    framer_.step(errors, [this](std::string_view answer) { deliver(answer); });
}

void SioRecvThread::deliver(std::string_view answer) {
    core_.flags.answerPending.store(false);
    const int length = static_cast<int>(answer.size());
    // Each stored answer is announced exactly once; a refused one is not announced at all.
    if (core_.receiveQueue.push(length, answer.data()) == length && length > 0) {
        postTo(core_.threads.anlRecv, ThreadMessage::AnalyseAnswer);
    }
}

}  // namespace panelink
