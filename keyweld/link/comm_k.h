#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "keyweld/link/comm_error.h"
#include "keyweld/link/comm_events.h"
#include "keyweld/link/comm_receive_worker.h"
#include "keyweld/link/comm_send_worker.h"
#include "keyweld/link/comm_settings.h"
#include "keyweld/link/locked_port.h"
#include "shared/platform/clock.h"

namespace keyweld {

// What became of a send.
enum class SendOutcome {
    Sent,        // every byte was handed to the send thread (an empty send too)
    PortClosed,  // nothing more was sent: the port is closed (or closed meanwhile)
    Busy,        // the line took nothing for the write time-out; the rest was not sent
};

// The editor's serial component: one port opened exclusively, a send thread that writes the
// blocks handed to it and a receive thread that reports arrivals, breaks and line errors
// through CommEvents (on its own thread: the owner moves them to the user interface).
//
// Used from one thread (the user interface). No call runs an event loop: Send waits for the
// send thread on a condition with a bounded wait; Read takes only what is waiting.
class CommK {
  public:
    // The device of COMn, looked up at every open (ComPorts.csv can change).
    using DevicePathFor = std::function<std::string(int portNo)>;

    // Waits of Open and Close that let the device settle.
    static constexpr platform::Milliseconds kOpenSettle{100};
    static constexpr platform::Milliseconds kPurgeSettle{100};
    static constexpr platform::Milliseconds kCloseSettle{200};

    // `clock` times the settling waits and the half-duplex RTS waits; `events` may be null
    // and must outlive the component.
    CommK(DevicePathFor devicePathFor, platform::Clock& clock, CommEvents* events = nullptr);
    CommK(const CommK&) = delete;
    CommK& operator=(const CommK&) = delete;
    ~CommK();

    const CommKSettings& settings() const { return settings_; }
    // While closed the settings are only stored. While open they are applied at once (a new
    // port closes and opens again); on failure the previous settings stay, and after a failed
    // change of port the component is closed.
    CommError setSettings(const CommKSettings& settings);

    CommError open();
    // Does nothing when closed. Returns within the settling waits and the bounded purge.
    void close();
    bool isOpen() const { return open_.load(); }
    // The device path of the last open attempt.
    const std::string& devicePath() const { return devicePath_; }

    // Hands the bytes to the send thread in blocks of at most bufLenTrans bytes, with at most
    // CommSendWorker::kMaxBlocksInFlight in flight: beyond that it waits for the thread, up to
    // timeOutTrans for each block.
    SendOutcome send(const void* data, std::size_t count);
    // The characters of the text, without a terminator. NUL characters are left out: they
    // would end the text for the radio and are never a command character.
    SendOutcome sendText(std::string_view text);

    // Takes what is waiting, at most `count` bytes, without waiting. -1 when the port is
    // closed, the receive thread does not run, or there is no buffer.
    int read(void* buffer, std::size_t count);
    std::size_t inQueueCount();
    // The count the owner reports when told of arrivals: nothing when closed or when nothing
    // waits (the news came after the bytes were read).
    std::optional<std::size_t> receiveSizeToReport();

    // Drops what waits to be sent (blocks in flight included), or what was received.
    void purgeTransmit();
    void purgeReceive();
    bool setRts(bool raised);
    bool setDtr(bool raised);

    std::size_t pendingBytes() const { return sender_.pendingBytes(); }

  private:
    CommError validate(const CommKSettings& settings) const;
    CommError applyToDevice(const CommKSettings& settings);
    CommSendWorker::Line sendLine() const;
    CommError startThreads();

    DevicePathFor devicePathFor_;
    platform::Clock& clock_;
    CommEvents* const events_;
    CommKSettings settings_;
    std::string devicePath_;
    LockedPort port_;
    CommSendWorker sender_;
    CommReceiveWorker receiver_;
    std::atomic<bool> open_{false};
};

// The reason a platform line fault gives, as the component's error.
CommError lineFaultError(const platform::LineResult& result, const platform::LineSettings& line);

}  // namespace keyweld
