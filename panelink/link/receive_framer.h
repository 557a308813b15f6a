#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>

namespace panelink {

// What the framing needs to know about the menu item behind an "EX" answer.
struct MenuAnswerShape {
    int digits = 0;     // characters of the value in the answer
    bool text = false;  // a text item: the answer runs to its ";"
};

// The shape of menu item `menuNumber`, or nullopt when the number lies outside
// 1..item count.
using MenuShapeLookup = std::function<std::optional<MenuAnswerShape>(int menuNumber)>;

// Cuts the byte stream read from the port into answers. The receive buffer holds the bytes
// not yet framed at its front; every byte behind them is 0xFF. Each call of step() does at
// most one piece of work (deliver one answer, drop one stretch of garbage, or wait);
// frameAll() steps until nothing is left to do, as the receive thread does after each read.
//
// An answer handed to the callback is the answer's text without its ";": at most
// kMaxAnswerLength bytes and never containing ";".
class ReceiveFramer {
  public:
    static constexpr std::size_t kBufferSize = 16384;
    static constexpr unsigned char kNotReceived = 0xFF;
    // Longest answer handed on (without ";"); one more byte would not fit a queue slot.
    static constexpr std::size_t kMaxAnswerLength = 511;

    using AnswerHandler = std::function<void(std::string_view answer)>;

    explicit ReceiveFramer(MenuShapeLookup menuShape);

    // Empties the buffer and leaves the frame, as at thread start and whenever the port is
    // closed or reopened: the held bytes belong to a connection that is gone.
    void reset();

    // Room for the next read: the free bytes minus one.
    std::size_t freeSpace() const;
    // Takes as many of `bytes` as freeSpace() allows behind the held bytes and returns how
    // many it took.
    std::size_t append(std::string_view bytes);

    // One piece of framing work on the held bytes. `lineErrors` are the line error bits read
    // with the latest bytes; a framing or break error first resynchronises the buffer.
    void step(std::uint32_t lineErrors, const AnswerHandler& deliver);
    // Steps until a step changes nothing: every complete answer held is delivered and what
    // stays is at most the start of one. The line errors go to the first step only.
    void frameAll(std::uint32_t lineErrors, const AnswerHandler& deliver);

    std::size_t count() const { return count_; }
    bool inFrame() const { return inFrame_; }
    std::size_t expectedLength() const { return expectedLength_; }
    // Letters of the header last recognised ("" before the first).
    std::string_view letters() const;
    // The held bytes.
    std::string_view held() const { return {buffer_.data(), count_}; }
    // The whole buffer, held bytes and the 0xFF marks behind them.
    std::string_view buffer() const { return {buffer_.data(), buffer_.size()}; }

  private:
    enum class Header { Found, Waiting, Failed };

    Header searchHeader();
    Header searchTerminatedHeader(std::size_t stretch);
    Header searchMenuHeader();
    Header searchUnknownHeader();
    void finishFrame(const AnswerHandler& deliver);
    void dropGarbage();
    void resynchronise();
    // Removes the first n held bytes (all when n is larger) and marks the freed tail.
    void removeFront(std::size_t n);
    std::optional<std::size_t> findTerminator(std::size_t from, std::size_t end) const;
    unsigned char at(std::size_t position) const {
        return static_cast<unsigned char>(buffer_[position]);
    }

    MenuShapeLookup menuShape_;
    std::array<char, kBufferSize> buffer_{};
    std::size_t count_ = 0;
    std::array<char, 4> letters_{};
    std::size_t expectedLength_ = 0;
    bool inFrame_ = false;
};

}  // namespace panelink
