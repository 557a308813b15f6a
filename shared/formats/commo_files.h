#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string_view>

namespace commo {

// The programs keep their files in this directory below the working directory.
inline constexpr std::string_view kCommoFilesDir = "CommoFiles";

// Panelink's settings that the original files have no place for, as an INI file in the same
// directory (see ini_file.h).
inline constexpr std::string_view kPanelinkIniFileName = "Panelink.ini";

// Paths of the programs' own files are used only when shorter than this many characters.
inline constexpr std::size_t kMaxPathLength = 260;

// <workingDir>/CommoFiles/<fileName>, or nothing when that path is kMaxPathLength characters
// or longer.
std::optional<std::filesystem::path> commoFilePath(const std::filesystem::path& workingDir,
                                                   std::string_view fileName);

}  // namespace commo
