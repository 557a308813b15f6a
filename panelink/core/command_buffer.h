#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace panelink {

// The buffer a command is built in: 512 bytes cleared to zero, the letters at 0 and 1, the
// parameters from 2 on, ";" at length - 1, and exactly `length` bytes taken. What is written
// at or beyond length - 1 is lost; a parameter byte left unwritten stays zero, which the send
// queue refuses, so a half-built command never reaches the wire.
class CommandBuffer {
  public:
    static constexpr int kSize = 512;

    // `length` counts every byte including ";". A length outside 3..kSize - 1 makes an
    // unusable buffer whose text() is empty.
    explicit CommandBuffer(int length);

    int length() const { return length_; }

    // Writes `text` from `position` on; bytes outside the buffer are dropped.
    void put(int position, std::string_view text);
    void put(int position, char byte);
    // A decimal field of `width` characters at `position` (see writeDecimalField).
    void putDecimal(int position, int width, std::int64_t value);

    // The command: the first length bytes with ";" at length - 1; empty when unusable.
    std::string text() const;

  private:
    std::array<char, kSize> bytes_{};
    int length_ = 0;
};

}  // namespace panelink
