#pragma once

// Files for tests and benchmarks: a scratch directory that cleans up after itself, and whole
// files read and written in one call.

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>

namespace platform {

// A fresh directory below the system's temporary directory, named `<prefix>-XXXXXX` and
// removed with everything in it at the end. path() is empty when none could be made.
class ScratchDir {
  public:
    explicit ScratchDir(std::string_view prefix = "panelink") {
        std::string pattern =
            (std::filesystem::temp_directory_path() / (std::string(prefix) + "-XXXXXX")).string();
        if (::mkdtemp(pattern.data()) != nullptr) path_ = pattern;
    }
    ~ScratchDir() {
        std::error_code ignored;
        if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
    }
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    bool ok() const { return !path_.empty(); }
    const std::filesystem::path& path() const { return path_; }

  private:
    std::filesystem::path path_;
};

// The file's bytes, or nullopt when it cannot be opened.
inline std::optional<std::string> readFileIfPresent(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The file's bytes; empty when it cannot be opened.
inline std::string readFile(const std::filesystem::path& path) {
    return readFileIfPresent(path).value_or(std::string());
}

// Replaces the file with `bytes`, making its directory first.
inline void writeFile(const std::filesystem::path& path, std::string_view bytes) {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

}  // namespace platform
