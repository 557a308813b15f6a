#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace platform {

enum class SerialDeviceKind {
    ById,       // a /dev/serial/by-id link: the same name after re-plugging
    UsbSerial,  // /dev/ttyUSB*
    UsbModem,   // /dev/ttyACM*
    Builtin,    // /dev/ttyS* with a UART behind it
};

// One serial device found on this machine.
struct SerialDeviceEntry {
    SerialDeviceKind kind = SerialDeviceKind::UsbSerial;
    std::filesystem::path path;    // what a port map stores
    std::filesystem::path device;  // the tty itself: a link's target, else the path
    std::string adapterName;       // from a by-id link's name; empty for the others
    bool mayOpen = false;          // this user may open it for reading and writing
    std::string group;             // the group owning the device; empty when unknown
};

// The serial devices below `root` (the system's root in the program, a scratch directory in
// tests): the by-id links first, in name order, then ttyUSB, ttyACM and the ttyS that have a
// UART, each in number order. A by-id link whose target is gone is left out. Nothing is
// opened except a ttyS whose UART type the kernel does not publish, and that one without
// blocking.
std::vector<SerialDeviceEntry> findSerialDevices(const std::filesystem::path& root = "/");

// "Example Serial Cable 0042" from "usb-Example_Serial_Cable_0042-if00-port0": the bus
// prefix and the interface and port suffixes dropped, underscores as blanks.
std::string adapterNameOfLink(const std::string& linkName);

}  // namespace platform
