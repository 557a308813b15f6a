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
    // Not inherited by programs we start, and never through a planted symlink.
    const int fd = ::open(lockFile_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0) return;  // Unknown: run as the first instance rather than lose settings.

    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || info.st_uid != ::geteuid()) {
        ::close(fd);  // Someone else's file in a shared directory: do not trust it.
        return;
    }

    int result = 0;
    do {
        result = ::flock(fd, LOCK_EX | LOCK_NB);
    } while (result != 0 && errno == EINTR);

    if (result == 0) {
        fd_ = fd;
        return;
    }
    anotherInstance_ = (errno == EWOULDBLOCK);
    ::close(fd);
}

}  // namespace platform
