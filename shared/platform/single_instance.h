#pragma once

#include <filesystem>
#include <string_view>

namespace platform {

// Lock names of the two programs.
inline constexpr std::string_view kPanelinkInstanceName = "Vantor-Orvik";
inline constexpr std::string_view kKeyweldInstanceName = "Keyweld";

// A named lock that marks a running instance of a program. It is an exclusive flock on a
// file named after the lock, so the kernel drops it when the holder ends in any way,
// including a crash or SIGKILL. Taking it never blocks: when another process (or another
// lock object in this process) already holds it, this object reports `anotherInstance()`
// and holds nothing. What a second instance does about that is the caller's choice.
class SingleInstanceLock {
  public:
    // Lock file in the default directory (see defaultLockFile).
    explicit SingleInstanceLock(std::string_view name);
    // Lock file <directory>/<name>.lock; tests pass their own directory.
    SingleInstanceLock(std::string_view name, const std::filesystem::path& directory);
    ~SingleInstanceLock();

    SingleInstanceLock(const SingleInstanceLock&) = delete;
    SingleInstanceLock& operator=(const SingleInstanceLock&) = delete;

    // The lock was already held when this object tried to take it.
    bool anotherInstance() const { return anotherInstance_; }
    // This object holds the lock until it is destroyed.
    bool held() const { return fd_ >= 0; }
    const std::filesystem::path& lockFile() const { return lockFile_; }

  private:
    void acquire();

    std::filesystem::path lockFile_;
    int fd_ = -1;
    bool anotherInstance_ = false;
};

// <runtimeDir>/<name>.lock when runtimeDir is an absolute path, else /tmp/<name>-<uid>.lock.
// Characters of the name outside [A-Za-z0-9._-] become '_'.
std::filesystem::path lockFilePath(std::string_view name, const char* runtimeDir, unsigned uid);

// lockFilePath with $XDG_RUNTIME_DIR (when it names a directory) and the real user id.
std::filesystem::path defaultLockFile(std::string_view name);

}  // namespace platform
