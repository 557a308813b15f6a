#pragma once

#include <filesystem>
#include <string_view>

namespace platform {

// Lock names of the two programs.
inline constexpr std::string_view kPanelinkInstanceName = "Vantor-Orvik";
inline constexpr std::string_view kKeyweldInstanceName = "Keyweld";

// A named object that marks running instances of a program, with the lifetime of a named
// mutex: it exists while any instance holds it, and an instance learns whether it existed
// already. Every holder, the first and each later one, keeps a shared flock on a file named
// after the lock, so the object outlives the first instance while a later one still runs;
// the kernel drops a holder's share when it ends in any way, including a crash or SIGKILL.
// Whether the object existed is decided under a short exclusive lock on a guard file beside
// it, so two instances starting together never both see themselves as the first.
// Taking it never waits for another instance.
class SingleInstanceLock {
  public:
    // Lock file in the default directory (see defaultLockFile).
    explicit SingleInstanceLock(std::string_view name);
    // Lock file <directory>/<name>.lock; tests pass their own directory.
    SingleInstanceLock(std::string_view name, const std::filesystem::path& directory);
    ~SingleInstanceLock();

    SingleInstanceLock(const SingleInstanceLock&) = delete;
    SingleInstanceLock& operator=(const SingleInstanceLock&) = delete;

    // The object already existed when this one was made: another instance holds it (or held
    // it and a later instance still does).
    bool anotherInstance() const { return anotherInstance_; }
    // This object keeps the named object alive until it is destroyed.
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
