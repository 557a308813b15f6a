#pragma once

#include <filesystem>
#include <functional>
#include <memory>

#include "panelink/panel/ui/front_panel_dialog.h"
#include "shared/platform/clock.h"
#include "shared/platform/message.h"
#include "shared/platform/timer_host.h"

class QWidget;

namespace panelink {

// What the application needs of the core: the start-up halves, the shut-down, the worker
// timers, power events, the records the window draws from, and the auxiliary windows that
// work on the link. The program uses the core context; tests use a fake.
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
    virtual PanelRecords records() = 0;
    // nullptr for a window the core does not provide.
    virtual QWidget* createAuxWindow(AuxWindow window, FrontPanelDialog& owner) = 0;
};

// What the core is built with.
struct CoreWiring {
    platform::MainWindowInterface& window;
    platform::TimerHost& timers;
    platform::Clock& clock;
    std::filesystem::path workingDirectory;
    bool secondInstance = false;
};

using CoreFactory = std::function<std::unique_ptr<AppCore>(const CoreWiring& wiring)>;

// The program's core: the core context, with the COM Select and Baud rate dialogs.
std::unique_ptr<AppCore> makeCoreContextCore(const CoreWiring& wiring);

}  // namespace panelink
