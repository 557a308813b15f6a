#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace commo {

// CommoFiles/ComPorts.csv maps port numbers to device paths, one line "COMn,<device path>"
// per mapped port. A port without a line uses its serial port device.
inline constexpr std::string_view kPortMapFileName = "ComPorts.csv";

// <workingDir>/CommoFiles/ComPorts.csv
std::filesystem::path portMapPath(const std::filesystem::path& workingDir);

// "/dev/ttyS<n-1>" for n >= 1; empty for other numbers, which name no device.
std::string defaultDevicePath(std::int32_t portNumber);

// The device for COMn, read from the file at every call so a changed file is picked up on
// the next open. The first line for COMn wins; the name matches without regard to case and
// blanks around the name and the path are ignored. A missing file, no line for COMn, or a
// line with an empty path gives defaultDevicePath(n).
std::string devicePathFor(const std::filesystem::path& workingDir, std::int32_t portNumber);

struct PortMapEntry {
    std::int32_t number = 0;
    std::string_view name;   // "COM1" ...
    std::string devicePath;  // the mapped path, else the default one
    bool mapped = false;     // the file has a line for this port

    friend bool operator==(const PortMapEntry&, const PortMapEntry&) = default;
};

// All ports of the port table with their devices, for dialogs that list them.
std::vector<PortMapEntry> listPortMap(const std::filesystem::path& workingDir);

// Sets the line for COMn (1..20) to devicePath, replacing the first line for COMn (later ones
// are dropped) and keeping all other lines byte for byte, quoting and line ends included; an
// empty devicePath removes the mapping. Creates CommoFiles and the file when missing and
// replaces the file atomically. False, with the file unchanged,
// for a port outside 1..20, a path that would not read back as given (NUL, line breaks,
// blanks at either end, Shift-JIS byte pairs), a file that exists but cannot be read or
// written, or a file whose kept lines would change what the new line says (a quote left open
// at its end).
bool setPortMapping(const std::filesystem::path& workingDir, std::int32_t portNumber,
                    std::string_view devicePath);

}  // namespace commo
