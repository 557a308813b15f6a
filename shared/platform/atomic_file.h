#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace platform {

// Replaces the file at `path` with `bytes` so that readers see either the old or the new
// contents, never a mix: the bytes go to a temporary file in the same directory, which is
// flushed to disk and then renamed over the target. An existing target keeps its permission
// bits. A symbolic link stays in place and the file it points to is replaced. Anything but a
// regular file or nothing at the (resolved) target - a pipe, a device, a directory - is left
// alone and the result is false. On any failure the old file is left as it was, the temporary
// file is removed and the result is false.
bool replaceFileAtomically(const std::filesystem::path& path, std::string_view bytes);

// Creates the directory (and missing parents). A directory that already exists is not an
// error; an existing non-directory at `path` is.
bool ensureDirectory(const std::filesystem::path& path);

// Far above any configuration or shortcut file; a larger file is taken for a mistake.
inline constexpr std::size_t kReadableFileLimit = 1024 * 1024;

// The whole contents of a regular file (a symbolic link to one is followed), or nothing when it
// is missing, cannot be read, is anything else (a pipe, a device, a directory) or is larger
// than `limit`. Never blocks on a pipe without a writer and never holds more than `limit`
// bytes, so a link to an endless device or a huge file costs no memory.
std::optional<std::string> readWholeFile(const std::filesystem::path& path,
                                         std::size_t limit = kReadableFileLimit);

// True only when nothing is at `path` (a link to nothing counts as nothing). A file that is
// there but was not read - too large, a pipe, not permitted - must not be started afresh,
// or whatever else it held is lost.
bool fileIsMissing(const std::filesystem::path& path);

}  // namespace platform
