#include "panelink/app/ui/network_control.h"

#include "panelink/cat/radio_state.h"
#include "shared/formats/commo_files.h"

namespace panelink {
namespace {

net::RadioPorts radioPorts(const WindowServices& services) {
    const RadioState& radio = services.records.radio;
    // The link watchdog reports auto-information off when the radio goes quiet, so the
    // field tells without taking the port's lock.
    return net::RadioPorts{
        .linkUp = [&radio] { return radio.get(RadioField::AI) == 1; },
        .post = services.postRequest,
    };
}

std::string endpointText(const net::NetworkSettings& settings, std::uint16_t port) {
    const bool v6 = settings.address.find(':') != std::string::npos;
    return (v6 ? "[" + settings.address + "]" : settings.address) + ":" + std::to_string(port);
}

}  // namespace

NetworkControl::NetworkControl(const WindowServices& services)
    : bridge_(services.records.radio, services.menuTable, radioPorts(services)), server_(bridge_) {}

NetworkControl::~NetworkControl() {
    stop();
}

net::StartResult NetworkControl::apply(const net::NetworkSettings& settings) {
    server_.stop();
    settings_ = settings;
    last_ = {};
    if (!settings.enabled) {
        last_.ok = true;
        return last_;
    }
    if (const auto refusal = net::listenRefusal(settings)) {
        last_.reason = *refusal;
        return last_;
    }
    net::ServerOptions options;
    options.address = settings.address;
    options.port = settings.port;
    last_ = server_.start(options);
    return last_;
}

void NetworkControl::stop() {
    server_.stop();
}

std::string NetworkControl::status() const {
    if (server_.running()) return "Listening on " + endpointText(settings_, last_.port);
    if (!last_.ok && !last_.reason.empty()) return last_.reason;
    return "Off";
}

std::filesystem::path panelinkIniFile(const std::filesystem::path& workingDirectory) {
    return commo::commoFilePath(workingDirectory, commo::kPanelinkIniFileName)
        .value_or(std::filesystem::path());
}

}  // namespace panelink
