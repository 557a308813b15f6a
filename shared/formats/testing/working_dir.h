#pragma once

// A scratch working directory for the programs, for tests and benchmarks.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "shared/formats/commo_files.h"
#include "shared/platform/testing/scratch_dir.h"

namespace commo {

// A fresh working directory, removed at the end, with the files below its CommoFiles.
class ScratchWorkingDir : public platform::ScratchDir {
  public:
    using platform::ScratchDir::ScratchDir;

    std::filesystem::path commoFile(std::string_view name) const {
        return path() / kCommoFilesDir / name;
    }
    void writeCommoFile(std::string_view name, std::string_view text) const {
        platform::writeFile(commoFile(name), text);
    }
    // The file's text, or nullopt when it does not exist.
    std::optional<std::string> readCommoFile(std::string_view name) const {
        return platform::readFileIfPresent(commoFile(name));
    }
};

}  // namespace commo
