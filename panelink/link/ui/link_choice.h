#pragma once

#include <chrono>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "panelink/link/ui/link_dialog_services.h"
#include "shared/platform/message.h"

namespace panelink {

enum class LinkChoiceKind { Port, Baud };

// Messages that tell the main window a port dialog has ended.

// String 118, shown when the trial open of a newly chosen port fails.
inline constexpr int kStringPortOpenFailed = 118;
inline constexpr std::string_view kPortOpenFailedText = "Failed to open the port.";

// "Failed to open the port." and the line of portFailureLine() that says why.
std::string portOpenFailureText(const std::string& devicePath, int error);

// The line shown for a device the user may not open: which group to join, or whom to ask
// when the device belongs to no group a user joins. Empty when the user may open it.
std::string deviceAccessHint(const platform::SerialDeviceEntry& device);

// The choice behind the COM Select and Baud rate dialogs, without widgets: the entries, the
// pick, and what OK and Cancel do to the port, the transceiver and the settings file.
//
// When the port changes while the transceiver reports auto-information, OK first asks
// Anl_Send_Thread to switch it off and then waits for the transceiver to confirm: confirm()
// returns Waiting and the caller calls step() every kAutoInfoTestInterval until it returns
// false. The caller does the waiting, so a window stays responsive meanwhile.
class LinkChoice {
  public:
    static constexpr int kMaxAutoInfoTests = 29;
    static constexpr std::chrono::milliseconds kAutoInfoTestInterval{100};

    struct Entry {
        std::int32_t number = 0;
        std::string label;  // "COM3  /dev/ttyUSB0", "9600"
    };

    // A serial device offered for the selected COM number.
    struct Device {
        std::string path;   // what ComPorts.csv gets
        std::string label;  // "Example Cable 0042  (/dev/ttyUSB0)", "/dev/ttyACM0"
        std::string hint;   // deviceAccessHint(); empty when the user may open it
    };

    enum class Result {
        Closed,   // the end has been announced to the main window
        Failed,   // the trial open failed (failureText()); nothing changed, the dialog stays
        Waiting,  // call step() until it returns false
    };

    // Lists the entries; the port list reads ComPorts.csv and looks for devices now.
    LinkChoice(LinkChoiceKind kind, LinkDialogServices services);

    LinkChoiceKind kind() const { return kind_; }
    const std::vector<Entry>& entries() const { return entries_; }
    // The entry of the current setting; -1 when the setting is not in the list.
    int currentIndex() const;

    // The user chose an entry; an index outside the list is ignored.
    void pick(int index);
    // The number of the chosen entry; 0 until the user chooses one.
    std::int32_t picked() const { return picked_; }

    // The devices found when the dialog opened (none for the baud rate).
    const std::vector<Device>& devices() const { return devices_; }
    // The device COMn maps to now, -1 when it is none of devices().
    int deviceIndexFor(int entryIndex) const;
    // Maps the port of entry `entryIndex` to device `deviceIndex` in ComPorts.csv and picks
    // that port, so OK tries the device and takes it even when the port number stays the
    // same. False, with failureText() and nothing changed, when the file cannot be written;
    // false without a text for an index outside the lists.
    bool pickDevice(int entryIndex, int deviceIndex);

    // OK.
    Result confirm();
    // One test of the transceiver's auto-information while waiting. False once the wait is
    // over: the port is closed if the transceiver confirmed, the setting stored, the file
    // written and the end announced.
    bool step();
    // Cancel: announces the end. Refused (false) while waiting.
    bool cancel();

    bool waiting() const { return state_ == State::Waiting; }
    bool ended() const { return state_ == State::Ended; }
    int autoInfoTests() const { return autoInfoTests_; }
    const std::string& failureText() const { return failureText_; }
    std::uint32_t closedMessage() const;

  private:
    enum class State { Choosing, Waiting, Ended };

    std::int32_t currentSetting() const;
    void applyAndEnd();
    void end();

    LinkChoiceKind kind_;
    LinkDialogServices services_;
    std::vector<Entry> entries_;
    std::vector<Device> devices_;
    std::int32_t picked_ = 0;
    std::int32_t remappedPort_ = 0;  // the port whose device was changed in this dialog
    State state_ = State::Choosing;
    int autoInfoTests_ = 0;
    std::string failureText_;
};

}  // namespace panelink
