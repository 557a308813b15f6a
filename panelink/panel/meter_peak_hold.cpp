#include "panelink/panel/meter_peak_hold.h"

namespace panelink {

void MeterPeakHold::newReading(int reading, bool holdAllowed) {
    value_ = reading;
    if (!holdAllowed) return;
    if (reading < previous_ && peak_ == 0) {
        peak_ = previous_;
        timers_.setTimer(kTimerId, kHoldTime);
    } else if (peak_ != 0 && reading >= peak_) {
        dropPeak();
    }
    previous_ = reading;
}

void MeterPeakHold::dropPeak() {
    timers_.killTimer(kTimerId);
    peak_ = 0;
}

void MeterPeakHold::reset() {
    dropPeak();
    previous_ = 0;
}

}  // namespace panelink
