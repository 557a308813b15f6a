#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "panelink/core/requests.h"
#include "panelink/link/com_port.h"
#include "shared/formats/link_settings.h"
#include "shared/platform/message.h"
#include "shared/platform/serial_devices.h"

namespace panelink {

// What the COM Select and Baud rate dialogs use of the rest of Panelink. The program fills it
// from its core context; tests fill it with fakes. An empty
// function does nothing (autoInformation then reads 0).
struct LinkDialogServices {
    commo::LinkSettings& settings;
    // The dialogs announce their end here (ComSelectClosed / BaudRateClosed).
    platform::MainWindowInterface& mainWindow;
    // CommoFiles lives below it: ComPorts.csv and the settings file.
    std::filesystem::path workingDirectory;
    bool secondInstance = false;  // the settings file is CommSettingTmp.csv
    // The transceiver's auto-information as last reported (RadioState AI).
    std::function<std::int32_t()> autoInformation;
    std::function<bool()> closePort;
    // A request to Anl_Send_Thread.
    std::function<bool(Request request)> postRequest;
    // The trial open of a device at a baud rate.
    std::function<TestOpenResult(const std::string& path, int baud)> testOpen = testOpenPort;
    // The serial devices COM Select offers beside its list.
    std::function<std::vector<platform::SerialDeviceEntry>()> findDevices = [] {
        return platform::findSerialDevices();
    };
};

}  // namespace panelink
