#pragma once

#include <array>
#include <cstdint>
#include <set>

#include "panelink/core/core_services.h"
#include "panelink/core/link_ids.h"

namespace panelink {

class LinkWatchdog;

// Who a worker timer's tick goes to.
enum class WorkerTimerTarget { AnlSend, Watchdog };

struct WorkerTimerRoute {
    int timerId;
    WorkerTimerTarget target;
    std::uint32_t message;  // posted to the target thread; unused for the watchdog
};

// The main window's timers that only feed worker threads, so they may tick on a timer thread
// of their own.
inline constexpr std::array<WorkerTimerRoute, 8> kWorkerTimerRoutes{{
    {kTimerReadout, WorkerTimerTarget::AnlSend, kMsgReadoutStep},
    {kTimerMenuReadout, WorkerTimerTarget::AnlSend, kMsgMenuReadoutStep},
    {kTimerStatusPoll, WorkerTimerTarget::AnlSend, kMsgStatusPoll},
    {kTimerInfoPoll, WorkerTimerTarget::AnlSend, kMsgInfoPoll},
    {kTimerLinkWatchdog, WorkerTimerTarget::Watchdog, 0},
    {kTimerPowerOn, WorkerTimerTarget::AnlSend, kMsgPowerOnTick},
    {kTimerPowerOff, WorkerTimerTarget::AnlSend, kMsgPowerOffTick},
    {kTimerKeyerRead, WorkerTimerTarget::AnlSend, kMsgKeyerReadStep},
}};

bool isWorkerTimer(int timerId);
// The ids of kWorkerTimerRoutes, as a timer router takes them.
std::set<int> workerTimerIds();

// Runs one worker timer's tick; any other id does nothing.
void dispatchWorkerTimer(CoreServices& core, LinkWatchdog& watchdog, int timerId);

}  // namespace panelink
