#pragma once

// The network control server inside the program: the bridge to the radio and the server,
// started with the settings of Panelink.ini and the command line, restarted when the
// Setup / Network control dialog changes them, stopped before the core shuts down.

#include <filesystem>
#include <string>

#include "panelink/app/ui/window_services.h"
#include "panelink/net/server/network_settings.h"
#include "panelink/net/server/radio_bridge.h"
#include "panelink/net/server/rig_server.h"

namespace panelink {

class NetworkControl {
  public:
    explicit NetworkControl(const WindowServices& services);
    ~NetworkControl();
    NetworkControl(const NetworkControl&) = delete;
    NetworkControl& operator=(const NetworkControl&) = delete;

    // Stops the server and starts it again as `settings` say. Not ok, with the reason, when
    // it was to run and could not; the program goes on without it.
    net::StartResult apply(const net::NetworkSettings& settings);
    void stop();

    const net::NetworkSettings& settings() const { return settings_; }
    // "Listening on 127.0.0.1:4532", "Off", or why it is not running.
    std::string status() const;

  private:
    net::RadioBridge bridge_;
    net::RigServer server_;
    net::NetworkSettings settings_;
    net::StartResult last_;
};

// Panelink.ini in the working directory's CommoFiles; empty when the path is too long.
std::filesystem::path panelinkIniFile(const std::filesystem::path& workingDirectory);

}  // namespace panelink
