#include "panelink/link/ui/link_dialog_services.h"

#include <utility>

#include "panelink/app/core_context.h"
#include "panelink/cat/radio_state.h"

namespace panelink {

LinkDialogServices linkDialogServices(CoreContext& core, platform::MainWindowInterface& mainWindow,
                                      std::filesystem::path workingDirectory, bool secondInstance) {
    return LinkDialogServices{
        .settings = core.settings(),
        .mainWindow = mainWindow,
        .workingDirectory = std::move(workingDirectory),
        .secondInstance = secondInstance,
        .autoInformation = [&core] { return core.radio().get(RadioField::AI); },
        .closePort = [&core] { return core.port().close(); },
        .postRequest = [&core](std::uint32_t message) { return core.postRequest(message); },
        .testOpen = testOpenPort,
    };
}

}  // namespace panelink
