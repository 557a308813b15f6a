#include "shared/formats/port_map.h"

#include <algorithm>
#include <array>
#include <optional>

#include "shared/formats/commo_files.h"
#include "shared/formats/csv_reader.h"
#include "shared/formats/link_settings.h"
#include "shared/platform/atomic_file.h"

namespace commo {

namespace {

std::string_view trimBlanks(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return text;
}

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    const auto lower = [](char c) {
        return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    };
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [&](char x, char y) { return lower(x) == lower(y); });
}

// The port number a row is for, 0 when it names none of the table's ports.
std::int32_t portOfRow(const std::vector<std::string>& row) {
    if (row.empty()) return 0;
    const std::string_view name = trimBlanks(row.front());
    for (const NamedNumber& entry : kPortTable) {
        if (equalsIgnoringCase(name, entry.name)) return entry.number;
    }
    return 0;
}

// A mapped path is usable when it is not empty and has no NUL, which would cut it short.
std::optional<std::string> pathOfRow(const std::vector<std::string>& row) {
    if (row.size() < 2) return std::nullopt;
    const std::string_view path = trimBlanks(row[1]);
    if (path.empty() || path.find('\0') != std::string_view::npos) return std::nullopt;
    return std::string(path);
}

// The first usable path per port number (index 0 unused).
using Mappings = std::array<std::optional<std::string>, kPortTable.size() + 1>;

Mappings mappingsOf(const CsvTable& table) {
    Mappings mappings;
    for (const auto& row : table.rows) {
        const std::int32_t port = portOfRow(row);
        if (port == 0 || mappings[static_cast<std::size_t>(port)]) continue;
        mappings[static_cast<std::size_t>(port)] = pathOfRow(row);
    }
    return mappings;
}

Mappings readMappings(const std::filesystem::path& workingDir) {
    const std::optional<CsvTable> table = readCsvFile(portMapPath(workingDir));
    return table ? mappingsOf(*table) : Mappings{};
}

const NamedNumber* portEntry(std::int32_t portNumber) {
    return findNamedNumber(kPortTable, portNumber);
}

// The line for a mapping, quoted when the path holds a comma or a quote.
std::string mappingLine(std::string_view name, std::string_view devicePath) {
    std::string line(name);
    line += ',';
    if (devicePath.find_first_of(",\"") == std::string_view::npos) {
        line += devicePath;
    } else {
        line += '"';
        for (const char c : devicePath) {
            if (c == '"') line += '"';
            line += c;
        }
        line += '"';
    }
    return line;
}

// The "\r\n" or "\n" that ends `row` in `text` (row views into text); empty for a last line
// without one.
std::string_view lineEndingAfter(std::string_view text, std::string_view row) {
    const auto end = static_cast<std::size_t>(row.data() + row.size() - text.data());
    const std::string_view rest = text.substr(end);
    if (rest.starts_with("\r\n")) return rest.substr(0, 2);
    if (rest.starts_with('\n')) return rest.substr(0, 1);
    return {};
}

}  // namespace

std::filesystem::path portMapPath(const std::filesystem::path& workingDir) {
    return workingDir / kCommoFilesDir / kPortMapFileName;
}

std::string defaultDevicePath(std::int32_t portNumber) {
    if (portNumber < 1) return {};
    return "/dev/ttyS" + std::to_string(portNumber - 1);
}

std::string devicePathFor(const std::filesystem::path& workingDir, std::int32_t portNumber) {
    if (portEntry(portNumber) != nullptr) {
        auto mappings = readMappings(workingDir);
        if (auto& mapped = mappings[static_cast<std::size_t>(portNumber)])
            return std::move(*mapped);
    }
    return defaultDevicePath(portNumber);
}

std::vector<PortMapEntry> listPortMap(const std::filesystem::path& workingDir) {
    auto mappings = readMappings(workingDir);
    std::vector<PortMapEntry> entries;
    entries.reserve(kPortTable.size());
    for (const NamedNumber& port : kPortTable) {
        auto& mapped = mappings[static_cast<std::size_t>(port.number)];
        entries.push_back(PortMapEntry{port.number, port.name,
                                       mapped ? std::move(*mapped) : defaultDevicePath(port.number),
                                       mapped.has_value()});
    }
    return entries;
}

bool setPortMapping(const std::filesystem::path& workingDir, std::int32_t portNumber,
                    std::string_view devicePath) {
    const NamedNumber* port = portEntry(portNumber);
    if (port == nullptr) return false;

    std::optional<std::string> newLine;
    if (!devicePath.empty()) {
        newLine = mappingLine(port->name, devicePath);
        // Refuse what the reader would not give back unchanged, rather than store a mapping
        // that silently names another device.
        const CsvTable check = parseCsv(*newLine + "\n");
        if (check.rows.size() != 1 || portOfRow(check.rows.front()) != portNumber ||
            pathOfRow(check.rows.front()) != devicePath) {
            return false;
        }
    }

    const std::filesystem::path path = portMapPath(workingDir);
    std::string old;
    if (std::optional<std::string> contents = platform::readWholeFile(path)) {
        old = std::move(*contents);
    } else if (!platform::fileIsMissing(path)) {
        return false;  // only a missing file may be started afresh
    }

    std::string updated;
    updated.reserve(old.size() + devicePath.size() + 16);
    for (const std::string_view raw : splitCsvRows(old)) {
        const std::string_view ending = lineEndingAfter(old, raw);
        const CsvTable parsed = parseCsv(raw);
        const bool forThisPort =
            !parsed.rows.empty() && portOfRow(parsed.rows.front()) == portNumber;
        if (forThisPort) {
            // The first line for the port takes the new mapping; later ones would only
            // mislead a reader of the file.
            if (newLine) updated += *newLine + std::string(ending.empty() ? "\n" : ending);
            newLine.reset();
            continue;
        }
        updated += raw;
        // A last line without an ending gets one only when a line follows it.
        updated += ending.empty() && newLine ? std::string_view("\n") : ending;
    }
    if (newLine) updated += *newLine + "\n";

    // Rows kept as they were can still change what the new line means: a quote left open
    // in the last row would take the new line into that row's path. Such a file is left
    // alone rather than have another port's device changed and this one not set.
    Mappings expected = mappingsOf(parseCsv(old));
    expected[static_cast<std::size_t>(portNumber)] =
        devicePath.empty() ? std::nullopt : std::optional<std::string>(devicePath);
    if (mappingsOf(parseCsv(updated)) != expected) return false;

    return platform::ensureDirectory(path.parent_path()) &&
           platform::replaceFileAtomically(path, updated);
}

}  // namespace commo
