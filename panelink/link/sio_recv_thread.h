#pragma once

#include <array>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

#include "panelink/core/core_services.h"
#include "panelink/link/receive_framer.h"
#include "shared/platform/message.h"
#include "shared/platform/message_thread.h"
#include "shared/platform/wake_event.h"

namespace panelink {

// What a receive pass does with the RTS line, by the bytes held and the line errors read.
enum class RtsAction { Keep, Raise, Drop };

// Raised while at most kRtsRaiseAt bytes are held and the driver did not overflow; dropped on
// an overflow or from kRtsDropAt bytes held; left alone in between.
inline constexpr std::size_t kRtsRaiseAt = 1024;
inline constexpr std::size_t kRtsDropAt = 2048;
RtsAction rtsActionFor(std::size_t held, std::uint32_t lineErrors);

// The longest wait while nothing arrives: the line checks and RTS run at least this often.
// A hang-up ends the wait at once; this only bounds what poll() does not report.
inline constexpr platform::Milliseconds kLineCheckPeriod{100};
// The longest wait while RTS is dropped, so the radio is held back no longer than that.
inline constexpr platform::Milliseconds kRtsDroppedWait{5};

// The "EX" shape of the live menu: numbers 1..the radio's item count, digits and kind from
// the menu item table. Both records must outlive the lookup.
MenuShapeLookup menuShapeOf(const RadioState& radio, const MenuItemTable& menu);

// Sio_Recv_Thread: waits on the port's descriptor and at each wake makes one receive pass:
// reads what the port holds, drives RTS by the bytes waiting to be framed, checks the line,
// and hands every complete answer to Anl_Recv_Thread through the receive queue. Bytes held
// when the port is closed or reopened (by any thread) are dropped, so a cut answer never
// joins the first one of the next connection.
//
// As the thread's IdleWait it runs whenever no message is queued; wake() (every post) ends
// the wait, so the end message is taken at once.
class SioRecvThread final : public platform::IdleWait {
  public:
    // The menu shape defaults to the live menu of `core`.
    explicit SioRecvThread(CoreServices& core);
    SioRecvThread(CoreServices& core, MenuShapeLookup menuShape);
    SioRecvThread(const SioRecvThread&) = delete;
    SioRecvThread& operator=(const SioRecvThread&) = delete;

    // id(ThreadMessage::PollPort): a receive pass now.
    void handle(const platform::Message& message);
    // One receive pass; nothing while the link is not enabled.
    void receive();

    // Waits until the port has something to read or hangs up, the port is opened or closed,
    // a message is posted, or waitTimeout() has passed on the core's clock; then one pass.
    void wait() override;
    void wake() override;
    platform::Milliseconds waitTimeout() const;

    const ReceiveFramer& framer() const { return framer_; }
    // The RTS level the last pass asked for (true raised), nullopt before any.
    std::optional<bool> rtsLevel() const { return rts_; }

  private:
    // Drops the held bytes when they came from another generation of the port.
    void follow(std::uint64_t generation);
    void deliver(std::string_view answer);

    CoreServices& core_;
    ReceiveFramer framer_;
    std::uint64_t generation_;
    std::optional<bool> rts_;
    std::size_t lastRead_ = 0;
    // The descriptor was reported readable and yet gave nothing: left out of the next wait.
    bool portStalled_ = false;
    platform::WakeEvent wake_;
    std::array<char, ReceiveFramer::kBufferSize> readBuffer_{};
};

}  // namespace panelink
