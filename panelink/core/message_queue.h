#pragma once

#include <array>
#include <cstdint>
#include <mutex>
#include <vector>

namespace panelink {

// A ring of 2048 slots of 512 bytes that carries command texts to the send thread and
// answers to the analysis thread. Each successful push is announced to the consumer by one
// thread message, and the consumer pops once per message. Pushes never block and never fail
// for lack of room: a writer that laps the reader overwrites the oldest unread slots, and the
// reader carries on from its own index, so after a lap it meets the overwritten (newer)
// slots first, then the older ones behind them, then the slots it had already read in the
// lapped stretch, which give empty entries, until it is back in step with the writer.
//
// Push and pop are guarded by one lock per queue, so pushes from several threads never
// interleave. Nothing ever waits while holding it.
class MessageQueue {
  public:
    static constexpr int kSlotCount = 2048;
    static constexpr int kSlotSize = 512;
    static constexpr int kMaxLength = kSlotSize - 1;
    // Pop result for a missing destination.
    static constexpr int kNoDestination = -2;

    MessageQueue();
    MessageQueue(const MessageQueue&) = delete;
    MessageQueue& operator=(const MessageQueue&) = delete;

    // Empties the queue: both indexes -1, same-lap flag 1, every slot and length cleared.
    // Always succeeds.
    bool init();

    // Stores `length` bytes as the newest entry and returns `length`. A length above
    // kMaxLength or below 0, or bytes missing for a non-empty entry, stores nothing and
    // returns 0.
    int push(int length, const char* bytes);

    // Copies the entry at the read index into `destination` (at least kSlotSize bytes; the
    // bytes behind the entry are zero, so it is NUL-terminated), clears the slot, advances
    // the read index and returns the entry's length. When every push has already been
    // matched by a pop it returns 0 at once, with `destination` zeroed and the indexes left
    // alone. A null destination returns kNoDestination.
    int pop(char* destination);

    // For inspection: the slot written last, the slot to read next (both -1 before the first
    // push), whether reader and writer are on the same lap, and the pops still to be made
    // before the reader is back in step with the writer.
    std::int16_t writeIndex() const;
    std::int16_t readIndex() const;
    bool sameLap() const;
    int pending() const;

  private:
    mutable std::mutex mutex_;
    std::int16_t writeIndex_ = -1;
    std::int16_t readIndex_ = -1;
    std::uint8_t sameLap_ = 1;
    // Pushes not yet matched by a pop; the read index is always the write index + 1 - pending
    // (modulo the ring). Emptiness is decided by this count: the same-lap flag alone cannot
    // tell an empty ring from a full one once the reader has wrapped before the writer.
    int pending_ = 0;
    std::vector<std::int16_t> lengths_;
    std::vector<std::array<char, kSlotSize>> slots_;
};

}  // namespace panelink
