#include "shared/platform/single_instance.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <string>
#include <system_error>

namespace platform {

namespace {

std::string safeFileName(std::string_view name) {
    std::string safe;
    safe.reserve(name.size());
    for (const char c : name) {
        const bool plain = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
                           (c >= '0' && c <= '9') || c == '.' || c == '_' || c == '-';
        safe.push_back(plain ? c : '_');
    }
    return safe.empty() ? std::string("_") : safe;
}

// Opens, creating it when missing, a lock file of this user: not inherited by programs we
// start, never through a planted symlink, and -1 for anything but a plain file of ours (a
// file someone else planted in a shared directory is not trusted).
int openOwnFile(const std::filesystem::path& path) {
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0) return -1;
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || info.st_uid != ::geteuid()) {
        ::close(fd);
        return -1;
    }
    return fd;
}

// flock, again after a signal; 0 or the errno.
int flockFile(int fd, int operation) {
    int result = 0;
    do {
        result = ::flock(fd, operation);
    } while (result != 0 && errno == EINTR);
    return result == 0 ? 0 : errno;
}

}  // namespace

std::filesystem::path lockFilePath(std::string_view name, const char* runtimeDir, unsigned uid) {
    const std::string safe = safeFileName(name);
    if (runtimeDir != nullptr && runtimeDir[0] == '/') {
        return std::filesystem::path(runtimeDir) / (safe + ".lock");
    }
    // /tmp is shared by all users: the user id keeps each user's instances apart.
    return std::filesystem::path("/tmp") / (safe + "-" + std::to_string(uid) + ".lock");
}

std::filesystem::path defaultLockFile(std::string_view name) {
    const char* runtimeDir = std::getenv("XDG_RUNTIME_DIR");
    std::error_code error;
    if (runtimeDir != nullptr && !std::filesystem::is_directory(runtimeDir, error)) {
        runtimeDir = nullptr;
    }
    return lockFilePath(name, runtimeDir, static_cast<unsigned>(::getuid()));
}

SingleInstanceLock::SingleInstanceLock(std::string_view name) : lockFile_(defaultLockFile(name)) {
    acquire();
}

SingleInstanceLock::SingleInstanceLock(std::string_view name,
                                       const std::filesystem::path& directory)
    : lockFile_(directory / (safeFileName(name) + ".lock")) {
    acquire();
}

SingleInstanceLock::~SingleInstanceLock() {
    // Closing the descriptor releases the lock. The file stays: removing it would let a
    // third process lock a fresh file while a second one still holds the old one.
    if (fd_ >= 0) ::close(fd_);
}

void SingleInstanceLock::acquire() {
    const int fd = openOwnFile(lockFile_);
    if (fd < 0) return;  // Unknown: run as the first instance rather than lose settings.

    // Instances decide one at a time, so that the test below and taking the share are one
    // step. The guard is held for a few system calls only; without it (the file cannot be
    // opened) the decision is still right unless two instances start at the same moment.
    std::filesystem::path guardFile = lockFile_;
    guardFile += ".guard";
    int guard = openOwnFile(guardFile);
    if (guard >= 0 && flockFile(guard, LOCK_EX) != 0) {
        ::close(guard);
        guard = -1;
    }

    // The object exists exactly when some holder keeps a share, that is when an exclusive
    // lock cannot be had.
    const int error = flockFile(fd, LOCK_EX | LOCK_NB);
    anotherInstance_ = (error == EWOULDBLOCK);
    // Every instance keeps a share, the first one included (its exclusive lock becomes one).
    const bool holding =
        (error == 0 || error == EWOULDBLOCK) && flockFile(fd, LOCK_SH | LOCK_NB) == 0;

    if (guard >= 0) ::close(guard);
    if (holding) {
        fd_ = fd;
    } else {
        ::close(fd);
    }
}

}  // namespace platform
