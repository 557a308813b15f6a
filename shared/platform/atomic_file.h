#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace platform {

// Replaces the file at `path` with `bytes` so that readers see either the old or the new
// contents, never a mix: the bytes go to a temporary file in the same directory, which is
// flushed to disk and then renamed over the target. An existing target keeps its permission
// bits. On any failure the old file is left as it was, the temporary file is removed and the
// result is false.
bool replaceFileAtomically(const std::filesystem::path& path, std::string_view bytes);

// Creates the directory (and missing parents). A directory that already exists is not an
// error; an existing non-directory at `path` is.
bool ensureDirectory(const std::filesystem::path& path);

// The whole contents of a regular file, or nothing when it cannot be opened or read.
std::optional<std::string> readWholeFile(const std::filesystem::path& path);

}  // namespace platform
