#pragma once

// A working directory of its own, real link settings and a recording main window, with the
// radio, the port and Anl_Send_Thread replaced by a scripted fake.

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "panelink/link/ui/link_dialog_services.h"
#include "shared/formats/testing/working_dir.h"
#include "shared/platform/testing/recording_window.h"

namespace panelink::testing {

// The transceiver, the port and the request thread as the dialogs see them. The AI value
// reads as `aiOn` until `aiDropsAfter` reads have been made (a negative count never drops).
struct FakeLink {
    int aiOn = 0;
    int aiDropsAfter = -1;
    int aiReads = 0;
    int closes = 0;
    std::vector<Request> requests;
    std::vector<std::pair<std::string, int>> trials;  // path, baud
    TestOpenResult trialResult{true, 0};
    // What the settings file held when the port was closed (empty when missing).
    std::string fileAtClose;
};

class LinkTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(scratch_.ok());
        std::filesystem::create_directories(dir_ / "CommoFiles");
    }

    LinkDialogServices services(bool secondInstance = false) {
        return LinkDialogServices{
            .settings = settings_,
            .mainWindow = window_,
            .workingDirectory = dir_,
            .secondInstance = secondInstance,
            .autoInformation =
                [this] {
                    const int read = link_.aiReads++;
                    return (link_.aiDropsAfter >= 0 && read >= link_.aiDropsAfter) ? 0 : link_.aiOn;
                },
            .closePort =
                [this] {
                    ++link_.closes;
                    link_.fileAtClose = settingsFile();
                    return true;
                },
            .postRequest =
                [this](Request request) {
                    link_.requests.push_back(request);
                    return true;
                },
            .testOpen =
                [this](const std::string& path, int baud) {
                    link_.trials.emplace_back(path, baud);
                    return link_.trialResult;
                },
            .findDevices = [this] { return devices_; },
        };
    }

    void writePortMap(const std::string& text) const {
        scratch_.writeCommoFile("ComPorts.csv", text);
    }
    // The settings file's text, empty when there is none.
    std::string settingsFile(const char* name = "CommSetting.csv") const {
        return scratch_.readCommoFile(name).value_or("");
    }

    commo::ScratchWorkingDir scratch_{"link-ui"};
    const std::filesystem::path& dir_ = scratch_.path();
    commo::LinkSettings settings_;
    platform::RecordingWindow window_;
    FakeLink link_;
    // What COM Select finds as this machine's serial devices.
    std::vector<platform::SerialDeviceEntry> devices_;
};

}  // namespace panelink::testing
