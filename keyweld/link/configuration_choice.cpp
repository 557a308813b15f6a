#include "keyweld/link/configuration_choice.h"

#include "keyweld/link/link_session.h"
#include "shared/formats/link_settings.h"

namespace keyweld {

ConfigurationChoice::ConfigurationChoice(LinkSession& session) : session_(session) {
    probe();
    restore();
}

void ConfigurationChoice::probe() {
    CommK& comm = session_.comm();
    const LinkChoice kept = session_.choice();
    for (int index = 0; index < kPortChoices; ++index) {
        PortProbe& port = ports_[static_cast<std::size_t>(index)];
        port.portNo = index + 1;
        port.devicePath = session_.devicePathFor(port.portNo);
        comm.close();
        port.reason = comm.setSettings(withLinkChoice(comm.settings(), {index, kept.baud}));
        if (port.reason.ok()) port.reason = comm.open();
        port.usable = port.reason.ok();
    }
}

void ConfigurationChoice::restore() {
    restoreError_ = session_.applyChoice();
}

std::optional<int> ConfigurationChoice::initialPortIndex() const {
    const int index = session_.choice().portIndex;
    if (!restoreError_.ok() || index < 0 || index >= kPortChoices) return std::nullopt;
    return index;
}

std::optional<int> ConfigurationChoice::initialBaudIndex() const {
    if (!restoreError_.ok()) return std::nullopt;
    for (std::size_t i = 0; i < commo::kBaudTable.size(); ++i) {
        if (commo::kBaudTable[i].number == session_.choice().baud) return static_cast<int>(i);
    }
    return std::nullopt;
}

void ConfigurationChoice::accept(std::optional<int> portIndex, std::optional<int> baudIndex) {
    const LinkChoice previous = session_.choice();
    LinkChoice wanted = previous;
    if (portIndex && *portIndex >= 0 && *portIndex < kPortChoices) wanted.portIndex = *portIndex;
    if (baudIndex && *baudIndex >= 0 && *baudIndex < static_cast<int>(commo::kBaudTable.size())) {
        wanted.baud = commo::kBaudTable[static_cast<std::size_t>(*baudIndex)].number;
    }
    session_.setChoice(wanted);
    if (!session_.applyChoice().ok()) session_.setChoice(previous);
    session_.ensureOpen();
}

void ConfigurationChoice::cancel() {
    session_.applyChoice();
    session_.ensureOpen();
}

}  // namespace keyweld
