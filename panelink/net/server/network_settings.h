#pragma once

// The network control server's settings: on or off, the address and port to listen on, and
// whether an address other than loopback may be used. Kept in the "Network" section of
// CommoFiles/Panelink.ini; the command line (--rigctld ADDR:PORT, --no-rigctld) overrides
// them for one run.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "shared/formats/ini_file.h"

namespace panelink::net {

struct NetworkSettings {
    bool enabled = true;
    std::string address = "127.0.0.1";
    std::uint16_t port = 4532;
    // The protocol has no authentication: listening beyond this computer is asked for
    // explicitly (a setting, or an address given on the command line).
    bool allowRemote = false;

    bool operator==(const NetworkSettings&) const = default;
};

// Missing or unreadable keys keep their defaults.
NetworkSettings readNetworkSettings(const std::filesystem::path& iniFile);
// Writes the section's keys, each replacing the file atomically; other sections are kept.
commo::IniWriteResult writeNetworkSettings(const std::filesystem::path& iniFile,
                                           const NetworkSettings& settings);

struct Endpoint {
    std::string address;
    std::uint16_t port = 0;
};

// "127.0.0.1:4532", "[::1]:4532"; nothing for anything else or port 0.
std::optional<Endpoint> parseEndpoint(std::string_view text);

bool isLoopback(std::string_view address);

// Whether the server may listen as set; the reason when not.
std::optional<std::string> listenRefusal(const NetworkSettings& settings);

// The settings after the command line's --rigctld ADDR:PORT (`endpoint`) and --no-rigctld
// (`off`, which wins); the reason when the address is malformed.
struct CommandLineResult {
    NetworkSettings settings;
    std::string error;
    bool ok() const { return error.empty(); }
};
CommandLineResult applyCommandLine(NetworkSettings settings,
                                   const std::optional<std::string>& endpoint, bool off);

}  // namespace panelink::net
