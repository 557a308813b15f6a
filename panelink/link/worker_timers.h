#pragma once

#include <array>
#include <cstdint>
#include <set>

#include "panelink/core/core_services.h"
#include "panelink/core/messages.h"
#include "panelink/core/requests.h"
#include "panelink/core/timer_ids.h"

namespace panelink {

class LinkWatchdog;
class DeviceWatch;

// Who a worker timer's tick goes to.
enum class WorkerTimerTarget { AnlSend, Watchdog, DeviceWatch };

struct WorkerTimerRoute {
    int timerId;
    WorkerTimerTarget target;
    // Posted to the target thread; unused for the watchdog and the device watch.
    std::uint32_t message;
};

// The main window's timers that only feed worker threads, so they may tick on a timer thread
// of their own.
inline constexpr std::array<WorkerTimerRoute, 9> kWorkerTimerRoutes{{
    {kTimerReadout, WorkerTimerTarget::AnlSend, id(Request::ReadoutStep)},
    {kTimerMenuReadout, WorkerTimerTarget::AnlSend, id(Request::MenuReadoutStep)},
    {kTimerStatusPoll, WorkerTimerTarget::AnlSend, id(Request::StatusPoll)},
    {kTimerInfoPoll, WorkerTimerTarget::AnlSend, id(Request::InfoPoll)},
    {kTimerLinkWatchdog, WorkerTimerTarget::Watchdog, 0},
    {kTimerPowerOn, WorkerTimerTarget::AnlSend, id(Request::PowerOnTick)},
    {kTimerPowerOff, WorkerTimerTarget::AnlSend, id(Request::PowerOffTick)},
    {kTimerKeyerRead, WorkerTimerTarget::AnlSend, id(Request::KeyerReadStep)},
    {kTimerDeviceWatch, WorkerTimerTarget::DeviceWatch, 0},
}};

bool isWorkerTimer(int timerId);
// The ids of kWorkerTimerRoutes, as a timer router takes them.
std::set<int> workerTimerIds();

// Runs one worker timer's tick; any other id does nothing.
void dispatchWorkerTimer(CoreServices& core, LinkWatchdog& watchdog, DeviceWatch& deviceWatch,
                         int timerId);

}  // namespace panelink
