#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <thread>

#include "shared/platform/wake_event.h"

namespace keyweld {

class CommEvents;
class LockedPort;

// The component's receive thread: waits for characters, breaks and line errors and tells the
// owner through CommEvents. It announces new characters once; while they wait unread it only
// watches the input count, so unread input never makes it spin.
class CommReceiveWorker {
  public:
    CommReceiveWorker(LockedPort& port, CommEvents* events);
    CommReceiveWorker(const CommReceiveWorker&) = delete;
    CommReceiveWorker& operator=(const CommReceiveWorker&) = delete;
    ~CommReceiveWorker();

    // Throws std::system_error when the system refuses a thread.
    void start();
    // Ends the thread and joins it: its waits end at the stop signal.
    void stop();
    bool isRunning() const { return running_.load(); }

    // The owner has read `bytes` of the announced input.
    void noteTaken(std::size_t bytes) { taken_.fetch_add(bytes); }

  private:
    void run();

    LockedPort& port_;
    CommEvents* const events_;
    platform::WakeEvent wake_;
    std::atomic<std::uint64_t> taken_{0};
    std::atomic<bool> running_{false};
    std::atomic<bool> stopping_{false};
    std::thread thread_;
};

}  // namespace keyweld
