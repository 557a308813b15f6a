#include "panelink/link/sio_recv_thread.h"

#include "panelink/cat/radio_state.h"
#include "panelink/core/link_flags.h"
#include "panelink/core/message_queue.h"
#include "panelink/core/messages.h"
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
    : core_(core), framer_(std::move(menuShape)), generation_(core.port.generation()) {}

void SioRecvThread::handle(const platform::Message& message) {
    if (is(message, ThreadMessage::PollPort)) receive();
}

void SioRecvThread::wait() {
    const bool enabled = core_.radio.linkEnabled();
    const ComPort::WaitHandle port = core_.port.waitHandle();
    // While the link is idle the port is left unread, and a readable descriptor would end
    // every wait at once; so it is watched only when a pass will read it.
    const bool watchPort = enabled && port.fd >= 0 && !portStalled_;
    std::array<platform::WaitDescriptor, 3> waitOn{{
        {wake_.fd()},
        {core_.port.changes().fd()},
        {watchPort ? port.fd : -1},
    }};
    core_.clock.waitReadable(waitOn, waitTimeout());
    if (waitOn[0].ready) wake_.clear();
    if (waitOn[1].ready) core_.port.changes().clear();

    receive();
    // A descriptor that keeps reporting input it does not give would make this a busy loop;
    // it waits for the next line check instead. One closed (and perhaps reopened) by another
    // thread while it was polled reports itself at once too, but the port to read is then a
    // new one, which the next wait must watch.
    const bool samePort = !waitOn[1].ready && core_.port.generation() == port.generation;
    portStalled_ = waitOn[2].ready && samePort && lastRead_ == 0 && core_.port.isOpen();
}

void SioRecvThread::wake() {
    wake_.signal();
}

platform::Milliseconds SioRecvThread::waitTimeout() const {
    return rts_ == false ? kRtsDroppedWait : kLineCheckPeriod;
}

void SioRecvThread::receive() {
    lastRead_ = 0;
    if (!core_.radio.linkEnabled()) return;
    follow(core_.port.generation());

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
        core_.port.close();
        follow(core_.port.generation());
    }

    if (core_.port.isOpen() && framer_.freeSpace() > 0) {
        std::uint64_t generation = generation_;
        const platform::IoResult read =
            core_.port.read(readBuffer_.data(), framer_.freeSpace(), &generation);
        // A failed read shows as a bad line at the next pass.
        if (read.bytes > 0) {
            follow(generation);
            framer_.append(std::string_view(readBuffer_.data(), read.bytes));
        }
        lastRead_ = read.bytes;
    }

    framer_.frameAll(errors, [this](std::string_view answer) { deliver(answer); });
}

void SioRecvThread::follow(std::uint64_t generation) {
    if (generation == generation_) return;
    generation_ = generation;
    framer_.reset();
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
