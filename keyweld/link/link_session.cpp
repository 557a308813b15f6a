#include "keyweld/link/link_session.h"

#include <string>
#include <utility>

#include "shared/formats/port_map.h"

namespace keyweld {

LinkSession::LinkSession(std::filesystem::path workingDir, platform::Clock& clock,
                         platform::TimerHost& timers, CommEvents* events)
    : workingDir_(std::move(workingDir)),
      comm_([this](int portNo) { return devicePathFor(portNo); }, clock, events),
      log_(timers) {}

std::string LinkSession::devicePathFor(int portNo) const {
    return commo::devicePathFor(workingDir_, portNo);
}

CommError LinkSession::openFromSettings() {
    choice_ = readLinkChoice(workingDir_);
    if (CommError applied = applyChoice(); !applied.ok()) return applied;
    return ensureOpen();
}

CommError LinkSession::applyChoice() {
    return comm_.setSettings(withLinkChoice(comm_.settings(), choice_));
}

CommError LinkSession::ensureOpen() {
    if (comm_.isOpen()) return CommError::none();
    return comm_.open();
}

SendOutcome LinkSession::sendText(std::string_view text) {
    // The log shows what the component sends: the text without NUL characters.
    std::string sent(text);
    std::erase(sent, '\0');
    const SendOutcome outcome = comm_.sendText(sent);
    log_.appendSent(sent, outcome);
    return outcome;
}

std::string LinkSession::takeReceived() {
    const std::optional<std::size_t> size = comm_.receiveSizeToReport();
    if (!size) return {};
    std::string bytes(*size, '\0');
    const int got = comm_.read(bytes.data(), bytes.size());
    bytes.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
    if (!bytes.empty()) log_.appendReceived(bytes);
    return bytes;
}

}  // namespace keyweld
