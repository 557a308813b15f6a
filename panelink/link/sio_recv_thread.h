#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

#include "panelink/core/core_services.h"
#include "panelink/link/receive_framer.h"
#include "shared/platform/message.h"

namespace panelink {

// What a poll does with the RTS line, by the bytes held and the line errors read.
enum class RtsAction { Keep, Raise, Drop };

// Raised while at most kRtsRaiseAt bytes are held and the driver did not overflow; dropped on
// an overflow or from kRtsDropAt bytes held; left alone in between.
inline constexpr std::size_t kRtsRaiseAt = 1024;
inline constexpr std::size_t kRtsDropAt = 2048;
RtsAction rtsActionFor(std::size_t held, std::uint32_t lineErrors);

// The "EX" shape of the live menu: numbers 1..the radio's item count, digits and kind from
// the menu item table. Both records must outlive the lookup.
MenuShapeLookup menuShapeOf(const RadioState& radio, const MenuItemTable& menu);

// Sio_Recv_Thread: every 5 ms (id(ThreadMessage::PollPort)) reads what the port holds, drives RTS
// by the bytes waiting to be framed, frames answers and hands each one to Anl_Recv_Thread through
// the receive queue.
class SioRecvThread {
  public:
    // The menu shape defaults to the live menu of `core`.
    explicit SioRecvThread(CoreServices& core);
    SioRecvThread(CoreServices& core, MenuShapeLookup menuShape);
    SioRecvThread(const SioRecvThread&) = delete;
    SioRecvThread& operator=(const SioRecvThread&) = delete;

    void handle(const platform::Message& message);
    void pollPort();

    const ReceiveFramer& framer() const { return framer_; }
    // The RTS level the last poll asked for (true raised), nullopt before any.
    std::optional<bool> rtsLevel() const { return rts_; }

  private:
    void deliver(std::string_view answer);

    CoreServices& core_;
    ReceiveFramer framer_;
    std::optional<bool> rts_;
    std::array<char, ReceiveFramer::kBufferSize> readBuffer_{};
};

}  // namespace panelink
