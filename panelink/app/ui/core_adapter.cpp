#include "panelink/app/core_context.h"
#include "panelink/app/ui/app_core.h"
#include "panelink/app/ui/core_radio_link.h"
#include "panelink/link/com_port.h"

namespace panelink {

namespace {

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
    bool shutdown() override { return core_.shutdown(); }
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
        };
    }

  private:
    std::filesystem::path workingDirectory_;
    bool secondInstance_;
    CoreContext core_;
    CoreRadioLink link_;
};

}  // namespace

std::unique_ptr<AppCore> makeCoreContextCore(const CoreWiring& wiring) {
    return std::make_unique<CoreContextCore>(wiring);
}

}  // namespace panelink
