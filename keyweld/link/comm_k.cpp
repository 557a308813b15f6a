#include "keyweld/link/comm_k.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string>
#include <system_error>
#include <vector>

namespace keyweld {

namespace {

// Longest wait of a purge for the block being written to be given up.
constexpr platform::Milliseconds kPurgeBound{1000};

CommErrorCode codeFor(platform::LineFault fault) {
    switch (fault) {
        case platform::LineFault::None:
            return CommErrorCode::PortOpen;
        case platform::LineFault::Baud:
            return CommErrorCode::BitRate;
        case platform::LineFault::DataBits:
            return CommErrorCode::CharSize;
        case platform::LineFault::Parity:
            return CommErrorCode::ParityBit;
        case platform::LineFault::StopBits:
            return CommErrorCode::StopBits;
        case platform::LineFault::FlowControl:
            return CommErrorCode::FlowControl;
        case platform::LineFault::XonXoff:
            return CommErrorCode::XoffChar;
    }
    return CommErrorCode::PortOpen;
}

}  // namespace

CommError lineFaultError(const platform::LineResult& result, const platform::LineSettings& line) {
    if (result.fault != platform::LineFault::None) {
        return {codeFor(result.fault), std::string(describeLineFault(result.fault, line))};
    }
    return {CommErrorCode::PortOpen, std::strerror(result.error)};
}

CommK::CommK(DevicePathFor devicePathFor, platform::Clock& clock, CommEvents* events)
    : devicePathFor_(std::move(devicePathFor)),
      clock_(clock),
      events_(events),
      sender_(port_, clock, events),
      receiver_(port_, events) {}

CommK::~CommK() {
    close();
}

CommError CommK::validate(const CommKSettings& settings) const {
    if (!isOfferedBitRate(settings.bitRate)) {
        return {CommErrorCode::BitRate, "not one of the offered bit rates"};
    }
    if (settings.bufLenTrans == 0 || settings.bufLenReceive == 0) {
        return {CommErrorCode::SetupComm, "buffer lengths must not be 0"};
    }
    if (settings.timeOutTrans.count() < 0 || settings.timeOutReceive.count() < 0) {
        return {CommErrorCode::Timeouts, "time-outs must not be negative"};
    }
    const platform::LineSettings line = toLineSettings(settings);
    if (const platform::LineFault fault = platform::SerialDevice::checkLineSettings(line);
        fault != platform::LineFault::None) {
        return lineFaultError({EINVAL, fault}, line);
    }
    return CommError::none();
}

CommSendWorker::Line CommK::sendLine() const {
    return {settings_.flowCtrl, characterTime(settings_.bitRate)};
}

CommError CommK::setSettings(const CommKSettings& settings) {
    if (!isOpen()) {
        settings_ = settings;
        return CommError::none();
    }
    if (settings.portNo != settings_.portNo) {
        const CommKSettings previous = settings_;
        close();
        settings_ = settings;
        CommError opened = open();
        if (!opened.ok()) settings_ = previous;
        return opened;
    }
    return applyToDevice(settings);
}

CommError CommK::applyToDevice(const CommKSettings& settings) {
    if (CommError invalid = validate(settings); !invalid.ok()) return invalid;
    const platform::LineSettings line = toLineSettings(settings);
    const platform::LineResult applied = port_.apply(line);
    if (!applied.ok()) {
        CommError error = lineFaultError(applied, line);
        // The port is open: a failure without a setting to blame is the driver's refusal.
        if (applied.fault == platform::LineFault::None) error.code = CommErrorCode::BitRate;
        return error;
    }
    settings_ = settings;
    sender_.setLine(sendLine());
    return CommError::none();
}

CommError CommK::open() {
    if (isOpen()) return {CommErrorCode::AlreadyOpen, {}};
    devicePath_ = devicePathFor_ ? devicePathFor_(settings_.portNo) : std::string();
    if (devicePath_.empty()) return {CommErrorCode::PortOpen, "no device for this port"};
    if (CommError invalid = validate(settings_); !invalid.ok()) return invalid;

    const platform::LineSettings line = toLineSettings(settings_);
    const platform::LineResult opened = port_.open(devicePath_, line);
    if (!opened.ok()) return lineFaultError(opened, line);
    port_.discardOutput();
    port_.discardInput();
    if (CommError started = startThreads(); !started.ok()) {
        sender_.stop();
        receiver_.stop();
        port_.close();
        return started;
    }
    open_.store(true);
    clock_.sleep(kOpenSettle);
    return CommError::none();
}

CommError CommK::startThreads() {
    try {
        sender_.start(sendLine());
    } catch (const std::system_error& error) {
        return {CommErrorCode::SendThread, error.what()};
    }
    try {
        receiver_.start();
    } catch (const std::system_error& error) {
        return {CommErrorCode::ReceiveThread, error.what()};
    }
    return CommError::none();
}

void CommK::close() {
    if (!open_.exchange(false)) return;
    port_.setDtr(false);
    port_.setRts(false);
    sender_.purge(kPurgeBound);
    port_.discardInput();
    clock_.sleep(kPurgeSettle);
    sender_.stop();
    receiver_.stop();
    port_.close();
    clock_.sleep(kCloseSettle);
}

SendOutcome CommK::send(const void* data, std::size_t count) {
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    std::size_t done = 0;
    while (done < count) {
        if (!isOpen() || !sender_.isRunning()) return SendOutcome::PortClosed;
        switch (sender_.waitForRoom(settings_.timeOutTrans)) {
            case CommSendWorker::Room::Free:
                break;
            case CommSendWorker::Room::Stopped:
                return SendOutcome::PortClosed;
            case CommSendWorker::Room::TimedOut:
                return SendOutcome::Busy;
        }
        const std::size_t size = std::min(settings_.bufLenTrans, count - done);
        if (!sender_.hand(std::vector<std::uint8_t>(bytes + done, bytes + done + size))) {
            return SendOutcome::PortClosed;
        }
        done += size;
    }
    return SendOutcome::Sent;
}

SendOutcome CommK::sendText(std::string_view text) {
    std::string bytes(text);
    std::erase(bytes, '\0');
    return send(bytes.data(), bytes.size());
}

int CommK::read(void* buffer, std::size_t count) {
    if (!isOpen() || !receiver_.isRunning() || buffer == nullptr) return -1;
    const platform::IoResult result = port_.read(buffer, count);
    if (!result.ok()) {
        reportLineErrors(port_, events_);
        return -1;
    }
    receiver_.noteTaken(result.bytes);
    return static_cast<int>(result.bytes);
}

std::size_t CommK::inQueueCount() {
    return isOpen() ? port_.inputWaiting() : 0;
}

std::optional<std::size_t> CommK::receiveSizeToReport() {
    const std::size_t waiting = inQueueCount();
    if (waiting == 0) return std::nullopt;
    return waiting;
}

void CommK::purgeTransmit() {
    if (isOpen()) sender_.purge(kPurgeBound);
}

void CommK::purgeReceive() {
    if (isOpen()) port_.discardInput();
}

bool CommK::setRts(bool raised) {
    return isOpen() && port_.setRts(raised);
}

bool CommK::setDtr(bool raised) {
    return isOpen() && port_.setDtr(raised);
}

}  // namespace keyweld
