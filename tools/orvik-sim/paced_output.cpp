#include "tools/orvik-sim/paced_output.h"

#include <algorithm>

namespace orviksim {

Duration byteTime(int baud) {
    if (baud <= 0) baud = 4800;
    return std::chrono::duration_cast<Duration>(
        std::chrono::nanoseconds(static_cast<std::int64_t>(kBitsPerByte) * 1'000'000'000 / baud));
}

bool PacedOutput::enqueue(std::string_view bytes, TimePoint now, Duration perByte,
                          Duration pauseBefore) {
    if (bytes.empty()) return true;
    if (bytes_.size() + bytes.size() > kMaxWaiting) return false;
    TimePoint start = std::max(now, lineFree_ + pauseBefore);
    for (char c : bytes) {
        start += perByte;
        bytes_.push_back(Byte{c, start});
    }
    lineFree_ = start;
    return true;
}

std::string PacedOutput::take(TimePoint now) {
    std::string due;
    while (!bytes_.empty() && bytes_.front().due <= now) {
        due.push_back(bytes_.front().value);
        bytes_.pop_front();
    }
    return due;
}

std::optional<TimePoint> PacedOutput::nextDue() const {
    if (bytes_.empty()) return std::nullopt;
    return bytes_.front().due;
}

void PacedOutput::clear() {
    bytes_.clear();
    lineFree_ = TimePoint{};
}

}  // namespace orviksim
