#include "panelink/link/ui/link_choice.h"

#include <utility>

#include "panelink/core/messages.h"
#include "panelink/core/port_failure.h"
#include "panelink/core/requests.h"
#include "shared/formats/port_map.h"

namespace panelink {

std::string portOpenFailureText(const std::string& devicePath, int error) {
    std::string text(kPortOpenFailedText);
    if (const std::string detail = portFailureLine({devicePath, error}); !detail.empty()) {
        text += '\n';
        text += detail;
    }
    return text;
}

std::string deviceAccessHint(const platform::SerialDeviceEntry& device) {
    if (device.mayOpen) return {};
    std::string hint = "You may not open " + device.device.string() + ": ";
    // Joining root's group would hand out far more than the port.
    if (device.group.empty() || device.group == "root")
        return hint + "ask the administrator for read and write access to it.";
    return hint + "join the group \"" + device.group + "\" (sudo usermod -aG " + device.group +
           " $USER) and log in again.";
}

namespace {

std::string portLabel(std::string_view name, const std::string& devicePath) {
    return std::string(name) + "  " + devicePath;
}

LinkChoice::Device offeredDevice(const platform::SerialDeviceEntry& found) {
    LinkChoice::Device device{found.path.string(), found.path.string(), deviceAccessHint(found)};
    if (found.kind == platform::SerialDeviceKind::ById)
        device.label = found.adapterName + "  (" + found.device.string() + ")";
    if (!found.mayOpen) device.label += "  - no access";
    return device;
}

}  // namespace

LinkChoice::LinkChoice(LinkChoiceKind kind, LinkDialogServices services)
    : kind_(kind), services_(std::move(services)) {
    if (kind_ == LinkChoiceKind::Port) {
        for (const commo::PortMapEntry& port : commo::listPortMap(services_.workingDirectory)) {
            entries_.push_back({port.number, portLabel(port.name, port.devicePath)});
        }
        if (services_.findDevices) {
            for (const platform::SerialDeviceEntry& found : services_.findDevices())
                devices_.push_back(offeredDevice(found));
        }
    } else {
        for (const commo::NamedNumber& rate : commo::kBaudTable) {
            entries_.push_back({rate.number, std::string(rate.name)});
        }
    }
}

std::int32_t LinkChoice::currentSetting() const {
    return kind_ == LinkChoiceKind::Port ? services_.settings.port() : services_.settings.baud();
}

int LinkChoice::currentIndex() const {
    const std::int32_t current = currentSetting();
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        if (entries_[i].number == current) return static_cast<int>(i);
    }
    return -1;
}

void LinkChoice::pick(int index) {
    if (state_ != State::Choosing || index < 0 ||
        static_cast<std::size_t>(index) >= entries_.size())
        return;
    picked_ = entries_[static_cast<std::size_t>(index)].number;
}

int LinkChoice::deviceIndexFor(int entryIndex) const {
    if (entryIndex < 0 || static_cast<std::size_t>(entryIndex) >= entries_.size()) return -1;
    const std::string path = commo::devicePathFor(
        services_.workingDirectory, entries_[static_cast<std::size_t>(entryIndex)].number);
    for (std::size_t i = 0; i < devices_.size(); ++i) {
        if (devices_[i].path == path) return static_cast<int>(i);
    }
    return -1;
}

bool LinkChoice::pickDevice(int entryIndex, int deviceIndex) {
    if (state_ != State::Choosing || entryIndex < 0 ||
        static_cast<std::size_t>(entryIndex) >= entries_.size() || deviceIndex < 0 ||
        static_cast<std::size_t>(deviceIndex) >= devices_.size())
        return false;
    failureText_.clear();
    Entry& entry = entries_[static_cast<std::size_t>(entryIndex)];
    const std::string& path = devices_[static_cast<std::size_t>(deviceIndex)].path;
    if (!commo::setPortMapping(services_.workingDirectory, entry.number, path)) {
        failureText_ = "ComPorts.csv could not be written; the port keeps its device.";
        return false;
    }
    const std::size_t gap = entry.label.find("  ");
    entry.label = portLabel(std::string_view(entry.label).substr(0, gap), path);
    picked_ = entry.number;
    remappedPort_ = entry.number;
    return true;
}

std::uint32_t LinkChoice::closedMessage() const {
    return kind_ == LinkChoiceKind::Port ? id(WindowMessage::ComSelectClosed)
                                         : id(WindowMessage::BaudRateClosed);
}

LinkChoice::Result LinkChoice::confirm() {
    if (state_ == State::Waiting) return Result::Waiting;
    if (state_ == State::Ended) return Result::Closed;
    failureText_.clear();

    if (picked_ == 0) {
        end();
        return Result::Closed;
    }
    // The port in use with a device chosen here is opened afresh like a new port.
    if (picked_ == currentSetting() && remappedPort_ != picked_) {
        services_.settings.writeFile(services_.workingDirectory, services_.secondInstance);
        end();
        return Result::Closed;
    }

    if (kind_ == LinkChoiceKind::Port) {
        // Resolved again rather than taken from the list, so the trial opens the device the
        // link will open.
        const std::string path = commo::devicePathFor(services_.workingDirectory, picked_);
        const TestOpenResult trial = services_.testOpen
                                         ? services_.testOpen(path, services_.settings.baud())
                                         : TestOpenResult{false, 0};
        if (!trial.passed) {
            failureText_ = portOpenFailureText(path, trial.error);
            return Result::Failed;
        }
    }

    const std::int32_t ai = services_.autoInformation ? services_.autoInformation() : 0;
    if (ai != 1) {
        if (services_.closePort) services_.closePort();
        applyAndEnd();
        return Result::Closed;
    }
    // The transceiver keeps reporting on the old line until it is told to stop.
    if (services_.postRequest) services_.postRequest(Request::SwitchAutoInfo);
    autoInfoTests_ = 0;
    state_ = State::Waiting;
    return Result::Waiting;
}

bool LinkChoice::step() {
    if (state_ != State::Waiting) return false;
    ++autoInfoTests_;
    const std::int32_t ai = services_.autoInformation ? services_.autoInformation() : 0;
    if (ai == 0) {
        if (services_.closePort) services_.closePort();
    } else if (autoInfoTests_ < kMaxAutoInfoTests) {
        return true;
    }
    // Without a confirmation the port stays open; the setting still changes.
    applyAndEnd();
    return false;
}

bool LinkChoice::cancel() {
    if (state_ == State::Waiting) return false;
    if (state_ == State::Choosing) end();
    return true;
}

void LinkChoice::applyAndEnd() {
    if (kind_ == LinkChoiceKind::Port) {
        services_.settings.setPort(picked_);
    } else {
        services_.settings.setBaud(picked_);
    }
    // A file that cannot be written is not reported: the setting holds for this run.
    services_.settings.writeFile(services_.workingDirectory, services_.secondInstance);
    end();
}

void LinkChoice::end() {
    state_ = State::Ended;
    services_.mainWindow.post({closedMessage(), 0, 0});
}

}  // namespace panelink
