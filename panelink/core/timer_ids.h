#pragma once

namespace panelink {

// The main window's numbered timers. Those marked "worker" only post to worker threads and
// may run on a timer thread of their own, so a modal dialog never stalls them.
enum TimerId : int {
    kTimerControlHold = 1,
    kTimerKnobRepeat = 2,
    kTimerReadout = 4,      // worker, 30 ms
    kTimerMenuReadout = 5,  // worker, 30 ms
    kTimerFrequencyA = 6,
    kTimerFrequencyB = 7,
    kTimerStatusPoll = 8,  // worker, 1000 ms
    kTimerInfoPoll = 10,   // worker, 1000 ms
    kTimerFirstRedraw = 11,
    kTimerFullRedraw = 13,
    kTimerPeakHold = 14,
    kTimerLinkWatchdog = 17,  // worker, 3000 ms
    kTimerDialSend = 18,
    kTimerKnobPointer = 19,
    kTimerConnectRetry = 22,
    kTimerPowerOn = 23,    // worker, 100 ms
    kTimerPowerOff = 24,   // worker, 600 ms
    kTimerKeyerRead = 25,  // worker, 30 ms
    kTimerVcc = 31,
    kTimerBlink = 36,
    kTimerConnect = 37,
    kTimerPopup = 38,
    kTimerShortcut = 39,
    kTimerReadBack = 41,
    // The panel's pauses (before a power-on's connect, in the close step) run as a timed
    // step on this timer, so the window keeps painting meanwhile.
    kTimerPanelPause = 42,
    // worker, 1000 ms: looks for the port's device after it went away (only meanwhile).
    kTimerDeviceWatch = 43,
};

}  // namespace panelink
