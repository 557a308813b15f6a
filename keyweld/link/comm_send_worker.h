#pragma once

#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <mutex>
#include <thread>
#include <vector>

#include "shared/platform/clock.h"
#include "shared/platform/serial_device.h"
#include "shared/platform/wake_event.h"

namespace keyweld {

class CommEvents;
class LockedPort;

// The component's send thread: writes the blocks handed to it, in order, and keeps the
// counts of what is still in flight. Every wait of the thread is bounded and ends early when
// it is told to stop or purge, so stop() returns promptly.
class CommSendWorker {
  public:
    // Blocks handed over and not yet written, at most.
    static constexpr std::size_t kMaxBlocksInFlight = 31;

    // What the thread needs to know of the line.
    struct Line {
        platform::FlowControl flow = platform::FlowControl::None;
        platform::Milliseconds characterTime{3};
    };

    enum class Room { Free, Stopped, TimedOut };

    CommSendWorker(LockedPort& port, platform::Clock& clock, CommEvents* events);
    CommSendWorker(const CommSendWorker&) = delete;
    CommSendWorker& operator=(const CommSendWorker&) = delete;
    ~CommSendWorker();

    // Zeroes the counts and starts the thread; throws std::system_error when the system
    // refuses a thread.
    void start(Line line);
    void setLine(Line line);
    bool isRunning() const { return running_.load(); }

    // Waits (the caller's thread, without running anything else) until fewer than
    // kMaxBlocksInFlight blocks are in flight, the thread stops, or `timeout` passes.
    Room waitForRoom(platform::Milliseconds timeout);
    // Queues one block; false when the thread does not run.
    bool hand(std::vector<std::uint8_t> block);
    // Drops every block not yet written and what waits in the driver. Waits at most `bound`
    // for a block being written to be given up.
    void purge(platform::Milliseconds bound);
    // Ends the thread and joins it. Blocks not yet written are dropped.
    void stop();

    std::size_t pendingBytes() const;
    std::size_t pendingBlocks() const;

  private:
    using Block = std::vector<std::uint8_t>;

    void run();
    void writeBatch(std::deque<Block>& batch);
    // Writes the whole block, waiting for room in the driver as long as it takes, unless the
    // block is abandoned. True when something was written.
    bool writeBlock(const Block& block);
    void waitWritable(int fd);
    void drainForHalfDuplex();
    void finishBlock(std::size_t size);
    bool abandoning() const { return purging_.load() || stopping_.load(); }
    Line line() const;

    LockedPort& port_;
    platform::Clock& clock_;
    CommEvents* const events_;
    platform::WakeEvent wake_;

    mutable std::mutex mutex_;  // the counter lock; also guards queue_ and line_
    std::condition_variable work_;
    std::condition_variable room_;
    std::deque<Block> queue_;
    std::size_t pendingBytes_ = 0;
    std::size_t pendingBlocks_ = 0;
    Line line_;

    std::atomic<bool> running_{false};
    std::atomic<bool> stopping_{false};
    std::atomic<bool> purging_{false};
    std::thread thread_;
};

}  // namespace keyweld
