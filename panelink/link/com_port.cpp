#include "panelink/link/com_port.h"

#include <cerrno>
#include <utility>

#include "panelink/core/messages.h"

namespace panelink {

namespace {

// Link failure message to the main window; wparam 0 (shown unless a box is up), lparam 0
// ("Failed to open the port").
constexpr platform::Message kOpenFailedMessage = message(WindowMessage::LinkFailure);

constexpr std::string_view kAutoInformationOn = "AI1;";
constexpr std::string_view kAutoInformationOff = "AI0;";

std::string defaultDevicePath(int portNumber) {
    return "/dev/ttyS" + std::to_string(portNumber - 1);
}

}  // namespace

ComPort::ComPort(platform::MainWindowInterface& mainWindow, LinkFlags& flags, PathResolver resolver)
    : mainWindow_(mainWindow), flags_(flags), resolver_(std::move(resolver)) {}

ComPort::~ComPort() {
    const std::lock_guard lock(mutex_);
    closeLocked();
}

PortOpenResult ComPort::open(int portNumber, int baud, bool autoInformationOn, OpenCause cause) {
    const std::lock_guard lock(mutex_);
    if (refusingOpens_.load() || open_.load()) return {};
    // While a failure box is up a write's open is skipped, so retries do not stack boxes.
    if (cause == OpenCause::Write && flags_.messageBox.load()) return {};

    const std::string path = resolver_ ? resolver_(portNumber) : defaultDevicePath(portNumber);
    // Read and write time-outs have no counterpart here: the descriptor is non-blocking,
    // reads take what is waiting and writes hand the bytes to the kernel.
    if (const int error = device_.open(path, baud); error != 0) {
        openFailed_.store(true);
        return failUnlessGone({path, error});
    }
    openFailed_.store(false);
    openPath_ = path;
    open_.store(true);
    noteChangeLocked();

    const std::optional<platform::SerialStatus> status = device_.status();
    if (!status || status->lineBad) {
        closeLocked();
        return failUnlessGone({path, EIO});
    }
    deviceGone_.store(false);

    // The result is not awaited; a device that vanishes meanwhile shows in the next status.
    writeLocked(autoInformationOn ? kAutoInformationOn : kAutoInformationOff);
    flags_.aiCommanded.store(autoInformationOn);
    return {true, std::nullopt};
}

PortOpenResult ComPort::failUnlessGone(PortFailure failure) {
    if (deviceGone_.load()) return {false, std::move(failure)};
    return fail(std::move(failure));
}

PortOpenResult ComPort::fail(PortFailure failure) {
    // Noted before the message goes, so the window finds the reason when it shows the box.
    flags_.portFailure.set(failure);
    mainWindow_.post(kOpenFailedMessage);
    return {false, std::move(failure)};
}

bool ComPort::close() {
    std::optional<PortFailure> wentAway;
    {
        const std::lock_guard lock(mutex_);
        if (!open_.load()) return false;
        // At shut-down nothing is looked for any more.
        if (!refusingOpens_.load() && device_.hasGone()) {
            wentAway = PortFailure{openPath_, ENODEV, true};
            deviceGone_.store(true);
            flags_.portFailure.set(*wentAway);
        }
        closeLocked();
    }
    if (wentAway) {
        mainWindow_.post(kOpenFailedMessage);
        if (goneListener_) goneListener_();
    }
    return true;
}

void ComPort::onDeviceGone(std::function<void()> listener) {
    goneListener_ = std::move(listener);
}

void ComPort::forgetGoneDevice() {
    deviceGone_.store(false);
}

void ComPort::noteDeviceAbsent() {
    const std::lock_guard lock(mutex_);
    if (!open_.load()) deviceGone_.store(true);
}

void ComPort::closeLocked() {
    const bool wasOpen = device_.isOpen();
    // Nothing more goes out once the port is closed, a held tail included.
    device_.close();
    held_.clear();
    heldErrors_ = 0;
    open_.store(false);
    if (wasOpen) noteChangeLocked();
}

void ComPort::noteChangeLocked() {
    generation_.fetch_add(1);
    changes_.signal();
}

ComPort::WaitHandle ComPort::waitHandle() {
    const std::lock_guard lock(mutex_);
    return {device_.descriptor(), generation_.load()};
}

bool ComPort::flushHeldLocked() {
    if (held_.empty()) return true;
    const platform::IoResult result = device_.write(held_);
    if (!result.ok()) {
        held_.clear();  // the device failed; the error shows in the next status
        return true;
    }
    held_.erase(0, result.bytes);
    return held_.empty();
}

platform::IoResult ComPort::writeLocked(std::string_view bytes) {
    if (!device_.isOpen()) return {0, EBADF};
    if (!flushHeldLocked()) {
        heldErrors_ |= platform::kLineErrorTransmitFull;
        return {};
    }
    const platform::IoResult result = device_.write(bytes);
    if (result.ok() && result.bytes < bytes.size()) {
        held_.assign(bytes.substr(result.bytes));
        return {bytes.size(), 0};
    }
    return result;
}

std::optional<platform::SerialStatus> ComPort::status() {
    const std::lock_guard lock(mutex_);
    if (!device_.isOpen()) return std::nullopt;
    flushHeldLocked();
    std::optional<platform::SerialStatus> result = device_.status();
    if (result) {
        result->outputQueue += held_.size();
        result->errors |= std::exchange(heldErrors_, 0);
    }
    return result;
}

platform::IoResult ComPort::read(void* buffer, std::size_t max, std::uint64_t* generation) {
    const std::lock_guard lock(mutex_);
    if (generation != nullptr) *generation = generation_.load();
    return device_.read(buffer, max);
}

platform::IoResult ComPort::write(std::string_view bytes) {
    if (const std::size_t nul = bytes.find('\0'); nul != std::string_view::npos) {
        bytes = bytes.substr(0, nul);
    }
    const std::lock_guard lock(mutex_);
    return writeLocked(bytes);
}

bool ComPort::raiseRts() {
    const std::lock_guard lock(mutex_);
    return device_.raiseRts();
}

bool ComPort::dropRts() {
    const std::lock_guard lock(mutex_);
    return device_.dropRts();
}

bool ComPort::portUsable() {
    const std::lock_guard lock(mutex_);
    if (openFailed_.load() || deviceGone_.load()) return false;
    // The link threads need the pending line errors; only the hang-up is looked at here.
    return !device_.hasGone();
}

void ComPort::refuseFurtherOpens() {
    const std::lock_guard lock(mutex_);
    refusingOpens_.store(true);
}

TestOpenResult testOpenPort(const std::string& path, int baud) {
    platform::SerialDevice device;
    if (const int error = device.open(path, baud); error != 0) return {false, error};
    const std::optional<platform::SerialStatus> status = device.status();
    const bool good = status && !status->lineBad;
    device.close();
    return {good, good ? 0 : EIO};
}

}  // namespace panelink
