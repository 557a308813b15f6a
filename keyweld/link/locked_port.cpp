#include "keyweld/link/locked_port.h"

namespace keyweld {

platform::LineResult LockedPort::open(const std::string& path,
                                      const platform::LineSettings& settings) {
    const std::lock_guard lock(mutex_);
    return device_.open(path, settings);
}

platform::LineResult LockedPort::apply(const platform::LineSettings& settings) {
    const std::lock_guard lock(mutex_);
    return device_.apply(settings);
}

void LockedPort::close() {
    const std::lock_guard lock(mutex_);
    device_.close();
}

bool LockedPort::isOpen() const {
    const std::lock_guard lock(mutex_);
    return device_.isOpen();
}

int LockedPort::descriptor() const {
    const std::lock_guard lock(mutex_);
    return device_.descriptor();
}

platform::IoResult LockedPort::write(const void* data, std::size_t size) {
    const std::lock_guard lock(mutex_);
    return device_.write(data, size);
}

platform::IoResult LockedPort::read(void* buffer, std::size_t max) {
    const std::lock_guard lock(mutex_);
    return device_.read(buffer, max);
}

std::optional<platform::SerialStatus> LockedPort::status() {
    const std::lock_guard lock(mutex_);
    return device_.status();
}

std::size_t LockedPort::inputWaiting() {
    const std::lock_guard lock(mutex_);
    return device_.inputWaiting();
}

std::size_t LockedPort::outputWaiting() {
    const std::lock_guard lock(mutex_);
    return device_.outputWaiting();
}

void LockedPort::discardOutput() {
    const std::lock_guard lock(mutex_);
    device_.discardOutput();
}

void LockedPort::discardInput() {
    const std::lock_guard lock(mutex_);
    device_.discardInput();
}

bool LockedPort::setRts(bool raised) {
    const std::lock_guard lock(mutex_);
    return raised ? device_.raiseRts() : device_.dropRts();
}

bool LockedPort::setDtr(bool raised) {
    const std::lock_guard lock(mutex_);
    return device_.setDtr(raised);
}

}  // namespace keyweld
