#pragma once

#include <cstdint>

#include "panelink/core/core_services.h"
#include "shared/platform/message.h"

namespace panelink {

// wparam of a id(ThreadMessage::WriteCommand) that only replays the wakes ignored while the link
// was not yet enabled (posted once when the link becomes enabled); it announces no command itself.
inline constexpr std::uintptr_t kReplayDeferredWrites = 1;

// Bytes waiting in the output queue from which the line counts as stuck and is closed.
inline constexpr std::size_t kStuckOutputQueue = 5120;

// Sio_Send_Thread: writes one queued command per id(ThreadMessage::WriteCommand), opening the port
// first when it is closed.
class SioSendThread {
  public:
    explicit SioSendThread(CoreServices& core);
    SioSendThread(const SioSendThread&) = delete;
    SioSendThread& operator=(const SioSendThread&) = delete;

    void handle(const platform::Message& message);

    // Wakes that came while the link was not yet enabled; their commands are still queued.
    int deferredWrites() const { return deferred_; }

  private:
    void writeOne();

    CoreServices& core_;
    int deferred_ = 0;
};

}  // namespace panelink
