#pragma once

#include <filesystem>
#include <functional>
#include <memory>

#include "panelink/app/ui/window_services.h"
#include "shared/platform/clock.h"
#include "shared/platform/message.h"
#include "shared/platform/timer_host.h"

namespace panelink {

// What the application needs of the core: the start-up halves, the shut-down, the worker
// timers, power events, and what the windows use (the event hub, the records they draw
// from, the services of the auxiliary windows). The program uses the core context; tests use
// a fake.
class AppCore {
  public:
    virtual ~AppCore() = default;

    virtual bool beginStart() = 0;
    virtual void finishStart() = 0;
    // False when a worker thread did not end: the process must end without destroying the
    // core. The settings file has been written either way.
    virtual bool shutdown() = 0;
    virtual void onWorkerTimer(int timerId) = 0;
    virtual void onPowerEvent() = 0;
    virtual WindowServices windowServices() = 0;
};

// What the core is built with.
struct CoreWiring {
    platform::TimerHost& timers;
    platform::Clock& clock;
    std::filesystem::path workingDirectory;
    bool secondInstance = false;
};

using CoreFactory = std::function<std::unique_ptr<AppCore>(const CoreWiring& wiring)>;

// The program's core: the core context.
std::unique_ptr<AppCore> makeCoreContextCore(const CoreWiring& wiring);

}  // namespace panelink
