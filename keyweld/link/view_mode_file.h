#pragma once

#include <filesystem>
#include <string_view>

namespace keyweld {

// The main window's view: 1 = Tag, 2 = CAT Command, 3 = Both.
inline constexpr int kViewTag = 1;
inline constexpr int kViewCatCommand = 2;
inline constexpr int kViewBoth = 3;
inline constexpr int kDefaultViewMode = kViewCatCommand;

inline constexpr std::string_view kViewModeFileName = "KSESetting.ini";
// What the window shows when the view mode cannot be written.
inline constexpr std::string_view kViewModeWriteErrorText =
    "File write error  File Name = CommoFiles\\KSESetting.ini";

// Section VIEW, key MODE of CommoFiles/KSESetting.ini (names without regard to case). A
// missing file, section or key, or a value that is not 1, 2 or 3, gives 2.
int readViewMode(const std::filesystem::path& workingDir);

// Sets VIEW/MODE, keeping every other line of the file, and replaces the file atomically
// (creating CommoFiles when missing). False when the mode is not 1..3 or the file could not
// be written; the window then shows kViewModeWriteErrorText.
bool writeViewMode(const std::filesystem::path& workingDir, int mode);

}  // namespace keyweld
