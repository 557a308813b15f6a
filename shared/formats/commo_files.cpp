#include "shared/formats/commo_files.h"

namespace commo {

std::optional<std::filesystem::path> commoFilePath(const std::filesystem::path& workingDir,
                                                   std::string_view fileName) {
    std::filesystem::path path = workingDir / kCommoFilesDir / fileName;
    if (path.native().size() >= kMaxPathLength) return std::nullopt;
    return path;
}

}  // namespace commo
