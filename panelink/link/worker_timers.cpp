#include "panelink/link/worker_timers.h"

#include "panelink/link/device_watch.h"
#include "panelink/link/link_watchdog.h"

namespace panelink {

namespace {

const WorkerTimerRoute* routeOf(int timerId) {
    for (const WorkerTimerRoute& route : kWorkerTimerRoutes) {
        if (route.timerId == timerId) return &route;
    }
    return nullptr;
}

}  // namespace

bool isWorkerTimer(int timerId) {
    return routeOf(timerId) != nullptr;
}

std::set<int> workerTimerIds() {
    std::set<int> ids;
    for (const WorkerTimerRoute& route : kWorkerTimerRoutes)
        ids.insert(route.timerId);
    return ids;
}

void dispatchWorkerTimer(CoreServices& core, LinkWatchdog& watchdog, DeviceWatch& deviceWatch,
                         int timerId) {
    const WorkerTimerRoute* route = routeOf(timerId);
    if (route == nullptr) return;
    switch (route->target) {
        case WorkerTimerTarget::AnlSend:
            postTo(core.threads.anlSend, route->message);
            break;
        case WorkerTimerTarget::Watchdog:
            watchdog.check();
            break;
        case WorkerTimerTarget::DeviceWatch:
            deviceWatch.check();
            break;
    }
}

}  // namespace panelink
