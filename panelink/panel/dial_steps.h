#pragma once

namespace panelink {

// A dial turned by angles: the angle last drawn, the angle last counted, the degrees turned
// since the last whole step, and the whole steps not sent yet (clockwise positive).
struct DialTurn {
    int drawn = 0;
    int previous = 0;
    int accumulated = 0;
    int pending = 0;
};

// Counts the turn from the previous angle to `angle` (the shorter way across 12 o'clock) and
// adds every whole step of 7 degrees to the pending steps. A part step is kept until it
// completes one; once a step is counted, the rest of that turn is dropped.
void detectSteps(DialTurn& dial, int angle);
// The same with another step size (the DSP windows' knobs: 60, 1 or 18 degrees).
void detectSteps(DialTurn& dial, int angle, int degreesPerStep);

}  // namespace panelink
