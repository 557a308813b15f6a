#pragma once

// Cuts a client's byte stream into command lines. A line longer than kMaxLineLength is not
// kept: it is reported once as overlong and the rest of it is dropped up to its '\n', so a
// client cannot make the server hold more than one line's worth of bytes.

#include <functional>
#include <string>
#include <string_view>

#include "panelink/net/rig_command.h"

namespace panelink::net {

class LineReader {
  public:
    enum class Event { Line, Overlong };
    // `text` is the line without its '\n' (empty for Overlong).
    using Handler = std::function<void(Event, std::string_view text)>;

    // Hands every complete line in `bytes` to `handler`, in order; keeps a partial one.
    void feed(std::string_view bytes, const Handler& handler);

    // Bytes of an unfinished line held for the next feed().
    std::size_t pending() const { return line_.size(); }

  private:
    std::string line_;
    bool dropping_ = false;  // inside an overlong line, until its '\n'
};

}  // namespace panelink::net
