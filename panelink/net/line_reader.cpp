#include "panelink/net/line_reader.h"

namespace panelink::net {

void LineReader::feed(std::string_view bytes, const Handler& handler) {
    while (!bytes.empty()) {
        const std::size_t end = bytes.find('\n');
        const std::string_view piece = bytes.substr(0, end);
        if (!dropping_) {
            if (line_.size() + piece.size() > kMaxLineLength) {
                // Told at once, so the client hears of it even if the '\n' never comes.
                line_.clear();
                dropping_ = true;
                handler(Event::Overlong, {});
            } else {
                line_.append(piece);
            }
        }
        if (end == std::string_view::npos) return;
        if (!dropping_) handler(Event::Line, line_);
        line_.clear();
        dropping_ = false;
        bytes.remove_prefix(end + 1);
    }
}

}  // namespace panelink::net
