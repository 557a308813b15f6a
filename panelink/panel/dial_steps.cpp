#include "panelink/panel/dial_steps.h"

#include "panelink/panel/panel_timing.h"

namespace panelink {

void detectSteps(DialTurn& dial, int angle) {
    detectSteps(dial, angle, panel_timing::kDegreesPerStep);
}

void detectSteps(DialTurn& dial, int angle, int degreesPerStep) {
    int turned = angle - dial.previous;
    if (turned >= 180)
        turned -= 360;
    else if (dial.previous - angle >= 180)
        turned += 360;
    dial.previous = angle;
    dial.accumulated += turned;
    const int steps = dial.accumulated / degreesPerStep;
    if (steps != 0) {
        dial.accumulated = 0;
        dial.pending += steps;
    }
}

}  // namespace panelink
