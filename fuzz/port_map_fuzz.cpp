// Arbitrary bytes as ComPorts.csv, then one mapping set in it. Reading must never crash; the
// list and the per-port lookup must agree; setting COMn must give back the path set (or the
// default device when the mapping was removed) and leave every other port's device as it
// was, whatever else the file holds.
//
// Input: byte 0 picks the port (1..20), byte 1 the length of the path to set; the path's
// bytes follow, and the rest is the file.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz/loader_support.h"
#include "shared/formats/link_settings.h"
#include "shared/formats/port_map.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    const auto& dir = fuzz::scratch();
    const std::int32_t port = 1 + data[0] % static_cast<std::int32_t>(commo::kPortTable.size());
    const std::size_t pathLength = std::min<std::size_t>(data[1] % 64, size - 2);
    const std::string path(fuzz::textOf(data + 2, pathLength));
    dir.writeCommoFile(commo::kPortMapFileName,
                       fuzz::textOf(data + 2 + pathLength, size - 2 - pathLength));

    const std::vector<commo::PortMapEntry> before = commo::listPortMap(dir.path());
    fuzz::require(before.size() == commo::kPortTable.size(), "every port is listed");
    for (const commo::PortMapEntry& entry : before) {
        fuzz::require(commo::devicePathFor(dir.path(), entry.number) == entry.devicePath,
                      "the list and the lookup agree");
        fuzz::require(!entry.devicePath.empty(), "every port has a device");
    }

    if (!commo::setPortMapping(dir.path(), port, path)) return 0;
    const std::vector<commo::PortMapEntry> after = commo::listPortMap(dir.path());
    for (std::size_t i = 0; i < after.size(); ++i) {
        if (after[i].number == port) {
            fuzz::require(
                after[i].devicePath == (path.empty() ? commo::defaultDevicePath(port) : path),
                "the port set gives back its path");
            fuzz::require(after[i].mapped == !path.empty(), "the port set is mapped");
        } else {
            fuzz::require(after[i] == before[i], "every other port keeps its device");
        }
    }
    return 0;
}
