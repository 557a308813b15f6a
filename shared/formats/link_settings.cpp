#include "shared/formats/link_settings.h"

#include <cstdio>
#include <string>

#include "shared/formats/commo_files.h"
#include "shared/formats/csv_reader.h"
#include "shared/platform/atomic_file.h"

namespace commo {

bool LinkSettings::setPort(std::int32_t port) {
    const bool known = findNamedNumber(kPortTable, port) != nullptr;
    port_.store(known ? port : kDefaultPort);
    return known;
}

bool LinkSettings::setBaud(std::int32_t baud) {
    const bool known = findNamedNumber(kBaudTable, baud) != nullptr;
    baud_.store(known ? baud : kDefaultBaud);
    return known;
}

void LinkSettings::resetToDefaults() {
    port_.store(kDefaultPort);
    baud_.store(kDefaultBaud);
    storedValue_.store(kDefaultStoredValue);
}

std::optional<std::filesystem::path> LinkSettings::filePath(const std::filesystem::path& workingDir,
                                                            bool secondInstance) {
    return commoFilePath(workingDir,
                         secondInstance ? kSecondInstanceSettingsFileName : kSettingsFileName);
}

bool LinkSettings::readFile(const std::filesystem::path& workingDir, bool secondInstance) {
    const std::optional<std::filesystem::path> path = filePath(workingDir, secondInstance);
    if (!path) return false;

    const std::optional<CsvTable> table = readCsvFile(*path);
    if (!table) {
        resetToDefaults();
        return false;
    }

    // Cells count in reading order, whatever rows they are spread over.
    int index = 0;
    for (const auto& row : table->rows) {
        for (const auto& cell : row) {
            const std::int32_t value = cellToInt(cell);
            switch (index++) {
                case 0:
                    setPort(value);
                    break;
                case 1:
                    setBaud(value);
                    break;
                case 2:
                    setStoredValue(value);
                    break;
                default:
                    return true;
            }
        }
    }
    return true;
}

bool LinkSettings::writeFile(const std::filesystem::path& workingDir, bool secondInstance) const {
    const std::optional<std::filesystem::path> path = filePath(workingDir, secondInstance);
    if (!path || !platform::ensureDirectory(path->parent_path())) return false;

    char line[40];  // three 32-bit values with sign, two commas, "\n"
    const int length = std::snprintf(line, sizeof line, "%d,%d,%d\n", static_cast<int>(port()),
                                     static_cast<int>(baud()), static_cast<int>(storedValue()));
    if (length <= 0 || static_cast<std::size_t>(length) >= sizeof line) return false;
    return platform::replaceFileAtomically(
        *path, std::string_view(line, static_cast<std::size_t>(length)));
}

}  // namespace commo
