#include <cstdio>

#include "panelink/app/core_context.h"
#include "panelink/app/ui/app_core.h"
#include "panelink/app/ui/core_radio_link.h"
#include "panelink/link/com_port.h"

namespace panelink {

namespace {

constexpr char kSettingsNotSaved[] =
    "The port settings could not be written to CommoFiles; this run's port and speed are not "
    "kept.";

// The application's view of the core context. It builds no windows: it only hands out the
// records and services that the windows take.
class CoreContextCore final : public AppCore {
  public:
    explicit CoreContextCore(const CoreWiring& wiring)
        : workingDirectory_(wiring.workingDirectory),
          secondInstance_(wiring.secondInstance),
          core_(wiring.timers, wiring.clock,
                CoreContext::Options{wiring.workingDirectory, wiring.secondInstance, {}}),
          link_(core_) {}

    bool beginStart() override { return core_.beginStart(); }
    void finishStart() override { core_.finishStart(); }
    bool shutdown() override {
        const bool ended = core_.shutdown();
        // The window is gone by now: the terminal is the one place left to say it.
        if (!core_.settingsSaved()) {
            std::fprintf(stderr, "Panelink: %s\n", kSettingsNotSaved);
        }
        return ended;
    }
    void onWorkerTimer(int timerId) override { core_.onWorkerTimer(timerId); }
    void onPowerEvent() override { core_.onPowerEvent(); }

    WindowServices windowServices() override {
        return WindowServices{
            .events = core_.events(),
            .records = {core_.radio(), core_.menu(), core_.flags()},
            .settings = core_.settings(),
            .workingDirectory = workingDirectory_,
            .secondInstance = secondInstance_,
            .postRequest =
                [this](Request request, std::uintptr_t wparam, std::intptr_t lparam) {
                    return core_.postRequest(request, wparam, lparam);
                },
            .closePort = [this] { return core_.port().close(); },
            .link = link_,
            .menuTable = core_.menu(),
            .menuListMemory = menuListMemory_,
        };
    }

  private:
    std::filesystem::path workingDirectory_;
    bool secondInstance_;
    CoreContext core_;
    CoreRadioLink link_;
    MenuListMemory menuListMemory_;
};

}  // namespace

std::unique_ptr<AppCore> makeCoreContextCore(const CoreWiring& wiring) {
    return std::make_unique<CoreContextCore>(wiring);
}

}  // namespace panelink
