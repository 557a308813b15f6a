#pragma once

#include "panelink/core/messages.h"
#include "panelink/core/timer_ids.h"

#include "shared/platform/timer_host.h"

namespace panelink {

// The meter's last reading and its peak hold. When a reading falls below the one before it,
// that earlier reading is held as a peak (its bar segment stays lit) until the peak-hold timer
// fires, a reading reaches it again, or the hold is reset. Peak 0 means no peak is held.
class MeterPeakHold {
  public:
    static constexpr int kTimerId = kTimerPeakHold;
    static constexpr platform::Milliseconds kHoldTime{1000};

    explicit MeterPeakHold(platform::TimerHost& timers) : timers_(timers) {}
    MeterPeakHold(const MeterPeakHold&) = delete;
    MeterPeakHold& operator=(const MeterPeakHold&) = delete;

    // A new reading. `holdAllowed` is false while transmitting or when the peak-hold menu
    // setting is off: the reading is only stored then.
    void newReading(int reading, bool holdAllowed);
    // Stores a reading as the meter value without taking it as a new one (a redraw).
    void setValue(int reading) { value_ = reading; }
    // The hold time is over: stop the timer and let the peak go.
    void dropPeak();
    // Transmission, link or power changed: let the peak go and start afresh, so that a reading
    // from before the change is not held after it.
    void reset();

    int value() const { return value_; }
    int previous() const { return previous_; }
    int peak() const { return peak_; }

  private:
    platform::TimerHost& timers_;
    int value_ = 0;
    int previous_ = 0;
    int peak_ = 0;
};

}  // namespace panelink
