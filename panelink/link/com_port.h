#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>

#include "panelink/core/link_flags.h"
#include "panelink/core/port_failure.h"
#include "shared/platform/message.h"
#include "shared/platform/serial_device.h"
#include "shared/platform/wake_event.h"

namespace panelink {

// Outcome of ComPort::open: opened, skipped (nothing tried), or failed with the reason.
struct PortOpenResult {
    bool opened = false;
    std::optional<PortFailure> failure;  // the open failed, or the line was bad at once

    explicit operator bool() const { return opened; }
};

// Who opens the port: the next write (or start-up), or the watch for a device that went away
// and is back. The watch's open goes ahead while a link failure box is up, and its failure
// shows no further box.
enum class OpenCause { Write, DeviceBack };

// The radio's COM port as Panelink uses it: opened on demand (at start-up and before a
// write when closed), closed by the link checks, the dialogs, power events and shut-down.
//
// One lock serialises opening and closing with every other use of the device, so a
// descriptor number that was closed and reused by some other file never receives CAT bytes
// or ioctls from a thread that still thought the port was open. The receive thread waits on
// the descriptor outside the lock; every open and close signals changes(), which that wait
// also watches, so it ends at once when the descriptor it polls goes. All methods are
// thread-safe.
class ComPort {
  public:
    // Maps a COM number to the device path to open; asked at every open so that a changed
    // port table or a re-plugged adapter is picked up.
    using PathResolver = std::function<std::string(int portNumber)>;

    // Without a resolver COMn maps to /dev/ttyS<n-1>.
    ComPort(platform::MainWindowInterface& mainWindow, LinkFlags& flags, PathResolver resolver);
    ComPort(const ComPort&) = delete;
    ComPort& operator=(const ComPort&) = delete;
    ~ComPort();

    // Opens the port unless it is open already, a link failure box is showing (for a write)
    // or shut-down has begun. On success writes "AI1;" or "AI0;". A failed open or a line that
    // is bad at once is noted in the link flags (portFailure) and posts the link failure
    // message (WindowMessage::LinkFailure, 0, 0) to the main window; the result carries the
    // reason too. While the device is away (deviceGone()) a failed open posts nothing: the
    // box said so when it went.
    PortOpenResult open(int portNumber, int baud, bool autoInformationOn,
                        OpenCause cause = OpenCause::Write);
    // True when the port was open and is now closed. When its device had gone (hung up,
    // unplugged), the port notes it (deviceGone()), posts the link failure message with a
    // went-away reason and tells the listener given to onDeviceGone(), after the close.
    bool close();

    // Told, on the closing thread, each time the port was closed because its device went
    // away. Set before any thread uses the port.
    void onDeviceGone(std::function<void()> listener);
    // The port was closed because its device went away and has not been opened since.
    bool deviceGone() const { return deviceGone_.load(); }
    // The user chose another port: the device that went away is no longer looked for.
    void forgetGoneDevice();
    // The port's device was not there to open (no adapter plugged in at start-up): until it
    // opens, it counts as gone, and a failed open posts nothing more. No effect while open.
    void noteDeviceAbsent();

    // Status of the open port; nullopt when closed. The output queue includes a held tail.
    std::optional<platform::SerialStatus> status();
    // Reads what is waiting (at most `max` bytes). EBADF when closed. `generation`, when
    // given, receives the generation of the connection the bytes came from.
    platform::IoResult read(void* buffer, std::size_t max, std::uint64_t* generation = nullptr);
    // Writes without waiting and reports the whole text as accepted; when the kernel takes
    // only part of it, the port holds the rest and hands it over at the next write() or
    // status(), so a command is never cut short on the line. While a tail is held, new text
    // is refused (0 bytes) and the next status() reports kLineErrorTransmitFull. A NUL never
    // goes on the wire: the text ends at the first NUL. EBADF when closed.
    platform::IoResult write(std::string_view bytes);
    // RTS flow control; false when closed or the device refused.
    bool raiseRts();
    bool dropRts();

    bool isOpen() const { return open_.load(); }
    // Changes at every open and every close: bytes held from one generation never belong
    // to the same answer as bytes read under another.
    std::uint64_t generation() const { return generation_.load(); }

    // What a reader waits on, taken together: the open device's descriptor (-1 when closed),
    // only ever to be polled, and the generation it belongs to.
    struct WaitHandle {
        int fd = -1;
        std::uint64_t generation = 0;
    };
    WaitHandle waitHandle();
    // Signalled at every open and close. One reader (Sio_Recv_Thread) waits on it and clears
    // it.
    platform::WakeEvent& changes() { return changes_; }
    // The last open attempt failed (the port has no valid handle until an open succeeds).
    bool lastOpenFailed() const { return openFailed_.load(); }
    // No failed open is pending, the device has not gone away and, when the port is open, its
    // line is good. A port that is simply closed counts as usable: the next write reopens it.
    bool portUsable();

    // Shut-down has begun: open() never reopens the port from now on.
    void refuseFurtherOpens();

  private:
    PortOpenResult fail(PortFailure failure);
    // A failure while the device is away is only returned: the box said so when it went.
    PortOpenResult failUnlessGone(PortFailure failure);
    void closeLocked();
    // A new generation: the device was opened or closed.
    void noteChangeLocked();
    platform::IoResult writeLocked(std::string_view bytes);
    // Hands over as much of the held tail as the kernel takes; true when none is left.
    bool flushHeldLocked();

    platform::MainWindowInterface& mainWindow_;
    LinkFlags& flags_;
    PathResolver resolver_;
    std::function<void()> goneListener_;

    std::mutex mutex_;
    platform::SerialDevice device_;
    std::string openPath_;          // the device the port has open
    std::string held_;              // unsent end of the last command
    std::uint32_t heldErrors_ = 0;  // line error bits noted here, for the next status()
    std::atomic<bool> open_{false};
    std::atomic<bool> openFailed_{false};
    std::atomic<bool> deviceGone_{false};
    std::atomic<bool> refusingOpens_{false};
    std::atomic<std::uint64_t> generation_{0};
    platform::WakeEvent changes_;
};

// Outcome of the COM Select dialog's trial open.
struct TestOpenResult {
    bool passed = false;
    int error = 0;  // errno of the failure (EACCES, EBUSY, ENOENT, EIO for a bad line ...)
};

// Opens `path` with the link's line settings, reads its status and closes it again. Passes
// when the open succeeded and the line is good.
TestOpenResult testOpenPort(const std::string& path, int baud);

}  // namespace panelink
