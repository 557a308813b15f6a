#include "keyweld/link/view_mode_file.h"

#include <optional>
#include <string>

#include "shared/formats/commo_files.h"
#include "shared/formats/csv_reader.h"
#include "shared/formats/ini_file.h"

namespace keyweld {

namespace {

constexpr std::string_view kSection = "VIEW";
constexpr std::string_view kKey = "MODE";

}  // namespace

int readViewMode(const std::filesystem::path& workingDir) {
    const auto path = commo::commoFilePath(workingDir, kViewModeFileName);
    if (!path) return kDefaultViewMode;
    const std::optional<std::string> value = commo::readIniValue(*path, kSection, kKey);
    if (!value) return kDefaultViewMode;
    const int mode = commo::cellToInt(*value);
    return mode >= kViewTag && mode <= kViewBoth ? mode : kDefaultViewMode;
}

bool writeViewMode(const std::filesystem::path& workingDir, int mode) {
    if (mode < kViewTag || mode > kViewBoth) return false;
    const auto path = commo::commoFilePath(workingDir, kViewModeFileName);
    if (!path) return false;
    return commo::writeIniValue(*path, kSection, kKey, std::to_string(mode)).ok();
}

}  // namespace keyweld
