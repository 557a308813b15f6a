#include "panelink/net/server/network_settings.h"

#include <charconv>

namespace panelink::net {
namespace {

constexpr std::string_view kSection = "Network";
constexpr std::string_view kEnabledKey = "Enabled";
constexpr std::string_view kAddressKey = "Address";
constexpr std::string_view kPortKey = "Port";
constexpr std::string_view kAllowRemoteKey = "AllowRemote";

std::optional<std::uint16_t> parsePort(std::string_view text) {
    unsigned value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value == 0 || value > 65535) {
        return std::nullopt;
    }
    return static_cast<std::uint16_t>(value);
}

std::optional<bool> parseFlag(const std::optional<std::string>& text) {
    if (text == "1") return true;
    if (text == "0") return false;
    return std::nullopt;
}

}  // namespace

NetworkSettings readNetworkSettings(const std::filesystem::path& iniFile) {
    NetworkSettings settings;
    const auto value = [&](std::string_view key) {
        return commo::readIniValue(iniFile, kSection, key);
    };
    if (const auto enabled = parseFlag(value(kEnabledKey))) settings.enabled = *enabled;
    if (const auto address = value(kAddressKey); address && !address->empty()) {
        settings.address = *address;
    }
    if (const auto port = value(kPortKey)) {
        if (const auto parsed = parsePort(*port)) settings.port = *parsed;
    }
    if (const auto remote = parseFlag(value(kAllowRemoteKey))) settings.allowRemote = *remote;
    return settings;
}

commo::IniWriteResult writeNetworkSettings(const std::filesystem::path& iniFile,
                                           const NetworkSettings& settings) {
    const std::pair<std::string_view, std::string> entries[] = {
        {kEnabledKey, settings.enabled ? "1" : "0"},
        {kAddressKey, settings.address},
        {kPortKey, std::to_string(settings.port)},
        {kAllowRemoteKey, settings.allowRemote ? "1" : "0"},
    };
    for (const auto& [key, value] : entries) {
        const auto result = commo::writeIniValue(iniFile, kSection, key, value);
        if (!result.ok()) return result;
    }
    return {};
}

std::optional<Endpoint> parseEndpoint(std::string_view text) {
    const auto colon = text.rfind(':');
    if (colon == std::string_view::npos || colon == 0) return std::nullopt;
    std::string_view address = text.substr(0, colon);
    if (address.front() == '[') {
        if (address.size() < 3 || address.back() != ']') return std::nullopt;
        address = address.substr(1, address.size() - 2);
    } else if (address.find(':') != std::string_view::npos) {
        return std::nullopt;  // an IPv6 address needs its brackets
    }
    const auto port = parsePort(text.substr(colon + 1));
    if (!port) return std::nullopt;
    return Endpoint{std::string(address), *port};
}

bool isLoopback(std::string_view address) {
    return address == "::1" || address == "localhost" || address.starts_with("127.");
}

std::optional<std::string> listenRefusal(const NetworkSettings& settings) {
    if (isLoopback(settings.address) || settings.allowRemote) return std::nullopt;
    return "Network control: listening on " + settings.address +
           " would let other computers control the radio without a password; allow it in "
           "Setup / Network control first. The server is off.";
}

CommandLineResult applyCommandLine(NetworkSettings settings,
                                   const std::optional<std::string>& endpoint, bool off) {
    CommandLineResult result{std::move(settings), {}};
    if (endpoint) {
        const std::optional<Endpoint> parsed = parseEndpoint(*endpoint);
        if (!parsed) {
            result.error = "--rigctld wants ADDRESS:PORT, for example 127.0.0.1:4532";
            return result;
        }
        // An address typed on the command line is the explicit choice.
        result.settings = {true, parsed->address, parsed->port, true};
    }
    if (off) result.settings.enabled = false;
    return result;
}

}  // namespace panelink::net
