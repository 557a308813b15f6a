#include <utility>

#include "panelink/app/core_context.h"
#include "panelink/app/ui/app_core.h"
#include "panelink/cat/radio_state.h"
#include "panelink/link/com_port.h"
#include "panelink/link/ui/link_choice_dialog.h"
#include "panelink/link/ui/link_dialog_services.h"

namespace panelink {

namespace {

// The port dialogs' services, taken from the program's core context.
LinkDialogServices linkDialogServices(CoreContext& core, platform::MainWindowInterface& mainWindow,
                                      std::filesystem::path workingDirectory, bool secondInstance) {
    return LinkDialogServices{
        .settings = core.settings(),
        .mainWindow = mainWindow,
        .workingDirectory = std::move(workingDirectory),
        .secondInstance = secondInstance,
        .autoInformation = [&core] { return core.radio().get(RadioField::AI); },
        .closePort = [&core] { return core.port().close(); },
        .postRequest = [&core](Request request) { return core.postRequest(request); },
        .testOpen = testOpenPort,
    };
}

class CoreContextCore final : public AppCore {
  public:
    explicit CoreContextCore(const CoreWiring& wiring)
        : window_(wiring.window),
          workingDirectory_(wiring.workingDirectory),
          secondInstance_(wiring.secondInstance),
          core_(wiring.window, wiring.timers, wiring.clock,
                CoreContext::Options{wiring.workingDirectory, wiring.secondInstance, {}}) {}

    bool beginStart() override { return core_.beginStart(); }
    void finishStart() override { core_.finishStart(); }
    bool shutdown() override { return core_.shutdown(); }
    void onWorkerTimer(int timerId) override { core_.onWorkerTimer(timerId); }
    void onPowerEvent() override { core_.onPowerEvent(); }
    PanelRecords records() override { return {core_.radio(), core_.menu(), core_.flags()}; }

    QWidget* createAuxWindow(AuxWindow window, FrontPanelDialog& owner) override {
        switch (window) {
            case AuxWindow::ComSelect:
                return new ComSelectDialog(services(), &owner);
            case AuxWindow::BaudRate:
                return new BaudRateDialog(services(), &owner);
            default:
                return nullptr;
        }
    }

  private:
    LinkDialogServices services() {
        return linkDialogServices(core_, window_, workingDirectory_, secondInstance_);
    }

    platform::MainWindowInterface& window_;
    std::filesystem::path workingDirectory_;
    bool secondInstance_;
    CoreContext core_;
};

}  // namespace

std::unique_ptr<AppCore> makeCoreContextCore(const CoreWiring& wiring) {
    return std::make_unique<CoreContextCore>(wiring);
}

}  // namespace panelink
