#pragma once

#include <cstdint>

#include "shared/platform/clock.h"

// The panel controller's periods, delays and fixed values.
namespace panelink::panel_timing {

using platform::Milliseconds;

inline constexpr Milliseconds kHoldPeriod{100};         // timer 1 for keys
inline constexpr Milliseconds kDragPeriod{30};          // timer 1 while a dial is dragged
inline constexpr Milliseconds kMainDialSendPeriod{30};  // timer 18, main dial
inline constexpr Milliseconds kDspSelSendPeriod{60};    // timer 18, DSP/SEL knob
inline constexpr Milliseconds kRepeatDelay{1000};       // timer 2 until a held knob repeats
inline constexpr Milliseconds kRepeatPeriod{100};       // timer 2 while it repeats
inline constexpr Milliseconds kKnobPointerTime{200};    // timer 19: the pointer after a wheel step
inline constexpr Milliseconds kConnectDelay{1500};      // timer 37
inline constexpr Milliseconds kRetryPeriod{1000};       // timer 22
inline constexpr Milliseconds kPopupDelay{1000};        // timer 38
inline constexpr Milliseconds kReadBackDelay{200};      // timer 41
inline constexpr Milliseconds kVccPeriod{100};          // timer 31
inline constexpr Milliseconds kFullRedrawDelay{30};     // timer 13
inline constexpr int kPowerOnPause = 100;  // ms between switching the power on and connecting
inline constexpr int kClosePause = 500;    // ms for the panel unlock before the shut-down
inline constexpr int kPanelLockGap = 100;  // ms between the F key's panel lock requests
inline constexpr int kPanelLockRepeats = 3;
inline constexpr int kMenuReadoutPause = 100;  // ms after starting the menu read-out

inline constexpr int kDegreesPerStep = 7;  // of dial turning per step
inline constexpr int kWheelDegrees = 7;    // a wheel step turns a dial this far
inline constexpr int kFullTurn = 360;
inline constexpr int kWheelWrapBelowZero = 352;  // a wheel step down below 0 lands here
inline constexpr int kWheelWrapAtFullTurn = 7;   // a wheel step up to 360 or more lands here
inline constexpr int kConnectRetries = 4;
inline constexpr int kConnectFailedString = 111;     // "Failed to connect the COM port."
inline constexpr std::int32_t kPanelLock = 2;        // the panel lock request locks with 2
inline constexpr std::int32_t kPanelUnlock = 3;      // and unlocks with 3
inline constexpr std::int32_t kShiftZeroStart = 40;  // SHIFT at 0 steps from ±40
inline constexpr std::int32_t kClarifierHzPerStep = 10;
inline constexpr std::int32_t kSelTuningUnit = 100000;
inline constexpr std::int32_t kSelTuningUnitLarge = 1000000;  // "SELDIAL" = 3 ("1M GRP")

}  // namespace panelink::panel_timing
