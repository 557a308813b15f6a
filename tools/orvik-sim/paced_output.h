#pragma once

#include <chrono>
#include <deque>
#include <optional>
#include <string>
#include <string_view>

namespace orviksim {

using Clock = std::chrono::steady_clock;
using TimePoint = Clock::time_point;
using Duration = Clock::duration;
using Milliseconds = std::chrono::milliseconds;

// Bits on the line per byte: start bit, 8 data bits, 2 stop bits.
inline constexpr int kBitsPerByte = 11;

// Time one byte takes on the line at `baud`.
Duration byteTime(int baud);

// The transmit side of the line: bytes leave one after another at the line speed, each
// becoming visible to the other end when its last stop bit has gone out. Time is passed in,
// so the pacing can be checked without waiting.
class PacedOutput {
  public:
    // Bytes beyond this many waiting are refused (the radio's buffer is full).
    static constexpr std::size_t kMaxWaiting = 64 * 1024;

    // Queues `bytes` behind what is waiting; the first of them starts no earlier than
    // `pauseBefore` after the line has gone quiet. False (nothing queued) when full.
    bool enqueue(std::string_view bytes, TimePoint now, Duration perByte,
                 Duration pauseBefore = Duration::zero());
    // The bytes whose transmission has finished by `now`, in order.
    std::string take(TimePoint now);
    // When the next byte finishes, or nothing when none is waiting.
    std::optional<TimePoint> nextDue() const;
    bool empty() const { return bytes_.empty(); }
    std::size_t waiting() const { return bytes_.size(); }
    // Drops everything waiting (the line went away); the line is free at once.
    void clear();

  private:
    struct Byte {
        char value;
        TimePoint due;
    };
    std::deque<Byte> bytes_;
    TimePoint lineFree_{};
};

}  // namespace orviksim
