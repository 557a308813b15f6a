#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "tools/orvik-sim/paced_output.h"

namespace orviksim {

// Where an outgoing message comes from: the reply to a command, or a report the radio
// sends by itself (auto-information, meters).
enum class Origin { kAnswer, kReport };

// One stretch of bytes for the line, to start `pauseBefore` after the line went quiet.
struct Piece {
    std::string bytes;
    Duration pauseBefore = Duration::zero();
};

// The faults a test or a person asks for, applied to each outgoing message:
// silence swallows answers and reports (for a time or until lifted), a drop count swallows
// the next answers, junk goes out in front of the next message that is sent, and split
// sends every message in two pieces with a pause between them.
class FaultPlan {
  public:
    static constexpr Milliseconds kDefaultSplitPause{60};

    void setSplit(bool on, Milliseconds pause = kDefaultSplitPause);
    bool split() const { return split_; }
    void addJunk(std::string_view bytes) { junk_ += bytes; }
    void dropAnswers(int count) { drop_ = count > 0 ? count : 0; }
    int answersToDrop() const { return drop_; }

    void silenceUntil(TimePoint end);
    void silenceOn();
    void silenceOff();
    bool silenced(TimePoint now) const;
    // When a timed silence ends (for the I/O loop's wake-up), nothing otherwise.
    std::optional<TimePoint> silenceEnd(TimePoint now) const;

    // What goes on the line for `message`; empty when it is swallowed.
    std::vector<Piece> shape(std::string_view message, Origin origin, TimePoint now);

    // One line for people, e.g. "split off, junk 0 bytes, drop 0, silence off".
    std::string describe(TimePoint now) const;

  private:
    bool split_ = false;
    Milliseconds splitPause_ = kDefaultSplitPause;
    std::string junk_;
    int drop_ = 0;
    bool silentForever_ = false;
    std::optional<TimePoint> silentUntil_;
};

}  // namespace orviksim
