#pragma once

#include "shared/platform/clock.h"

namespace panelink {

struct LinkFlags;

// "Reading the menu setting data now.": shown while the menu read-out runs after the F key.
// It waits for the read-out's end, at most ten seconds, and closes a moment after it; when no
// read-out runs it closes at once. This class decides; the dialog does the waiting.
class ReadingNotice {
  public:
    static constexpr int kStringId = 109;
    static constexpr platform::Milliseconds kCloseDelay{100};
    static constexpr platform::Milliseconds kLongestWait{10000};

    enum class Wait {
        CloseSoon,      // close after kCloseDelay
        ForTheReadout,  // wait for readoutEnded(), at most kLongestWait
    };

    explicit ReadingNotice(LinkFlags& flags) : flags_(flags) {}

    // The notice is up: marks it shown for the read-out when one runs.
    Wait opened();
    // The read-out ended: true when the notice should close after kCloseDelay. An end that
    // comes after the notice has gone (its wait ran out first) changes nothing.
    bool readoutEnded() const;
    // The notice has gone: the read-out no longer reports to it.
    void closed();

  private:
    LinkFlags& flags_;
    bool waiting_ = false;
};

}  // namespace panelink
