#pragma once

#include <cstddef>
#include <cstdint>
#include <mutex>
#include <optional>
#include <string>

#include "shared/platform/serial_device.h"

namespace keyweld {

// The component's serial device behind the port lock, so that the user interface thread,
// the send thread and the receive thread never use it at the same time. Open and close are
// done only while neither thread runs.
class LockedPort {
  public:
    platform::LineResult open(const std::string& path, const platform::LineSettings& settings);
    platform::LineResult apply(const platform::LineSettings& settings);
    void close();
    bool isOpen() const;
    // For poll() by the component's threads while the port is open; -1 when closed.
    int descriptor() const;

    platform::IoResult write(const void* data, std::size_t size);
    platform::IoResult read(void* buffer, std::size_t max);
    std::optional<platform::SerialStatus> status();
    std::size_t inputWaiting();
    std::size_t outputWaiting();
    void discardOutput();
    void discardInput();
    bool setRts(bool raised);
    bool setDtr(bool raised);

  private:
    mutable std::mutex mutex_;
    platform::SerialDevice device_;
};

}  // namespace keyweld
