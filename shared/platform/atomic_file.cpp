#include "shared/platform/atomic_file.h"

#include <fcntl.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <random>
#include <system_error>

namespace platform {

namespace {

constexpr int kTemporaryNameAttempts = 16;

// Closes the descriptor on every path out of a scope.
class FileDescriptor {
  public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    ~FileDescriptor() { close(); }

    void reset(int fd) {
        close();
        fd_ = fd;
    }

    int get() const { return fd_; }
    bool valid() const { return fd_ >= 0; }

    // Reports whether the close succeeded; a failed close can mean lost data.
    bool close() {
        if (fd_ < 0) return true;
        const int result = ::close(fd_);
        fd_ = -1;
        return result == 0;
    }

  private:
    int fd_;
};

bool writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        if (written == 0) return false;
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

// A name beside the target that no other writer picks: dot-prefixed so directory listings
// hide it, with a random suffix so two processes replacing the same file do not collide.
std::filesystem::path temporaryNameFor(const std::filesystem::path& target,
                                       std::mt19937_64& random) {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string suffix(12, '0');
    for (char& c : suffix) {
        c = kDigits[random() % 16];
    }
    // Shortened so that a long target name still leaves room within the name length limit.
    constexpr std::size_t kKeptNameLength = 200;
    std::filesystem::path name = target;
    name.replace_filename("." + target.filename().string().substr(0, kKeptNameLength) + ".tmp-" +
                          suffix);
    return name;
}

// Seeds the temporary names. Collisions are harmless (O_EXCL and a retry), so a weak seed
// when the kernel has no entropy at hand is good enough.
std::uint64_t randomSeed() {
    std::uint64_t seed = 0;
    if (::getrandom(&seed, sizeof seed, GRND_NONBLOCK) != static_cast<ssize_t>(sizeof seed)) {
        seed = reinterpret_cast<std::uintptr_t>(&seed);
    }
    return seed ^ static_cast<std::uint64_t>(::getpid());
}

void syncDirectoryOf(const std::filesystem::path& file) {
    const std::filesystem::path dir = file.has_parent_path() ? file.parent_path() : ".";
    FileDescriptor fd(::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    // Only makes the rename durable sooner; the replace itself has already happened.
    if (fd.valid() && ::fsync(fd.get()) != 0) {
        // Nothing to undo: the new contents are in place either way.
    }
}

// Follows a chain of symbolic links to the name that is really replaced, so that the link
// survives the rename. A dangling link resolves to the missing file it names.
std::optional<std::filesystem::path> resolveLinks(std::filesystem::path path) {
    constexpr int kMaxLinks = 40;  // the kernel's own limit for a path lookup
    for (int depth = 0; depth < kMaxLinks; ++depth) {
        std::error_code error;
        if (!std::filesystem::is_symlink(std::filesystem::symlink_status(path, error))) {
            return path;
        }
        std::filesystem::path target = std::filesystem::read_symlink(path, error);
        if (error) return std::nullopt;
        path = target.is_absolute() ? target : path.parent_path() / target;
    }
    return std::nullopt;  // a loop
}

// Only a regular file may be replaced, or nothing: renaming over a pipe or a device would
// silently swap a special file that somebody set up on purpose.
bool replaceableTarget(const std::filesystem::path& path) {
    struct stat existing {};
    if (::lstat(path.c_str(), &existing) != 0) return errno == ENOENT;
    return S_ISREG(existing.st_mode);
}

}  // namespace

bool replaceFileAtomically(const std::filesystem::path& requested, std::string_view bytes) {
    if (requested.empty() || !requested.has_filename()) return false;
    const std::optional<std::filesystem::path> resolved = resolveLinks(requested);
    if (!resolved || !resolved->has_filename() || !replaceableTarget(*resolved)) return false;
    const std::filesystem::path& path = *resolved;

    std::mt19937_64 random(randomSeed());

    std::filesystem::path temporary;
    FileDescriptor fd(-1);
    for (int attempt = 0; attempt < kTemporaryNameAttempts && !fd.valid(); ++attempt) {
        temporary = temporaryNameFor(path, random);
        // 0666 lets the umask decide, as for any newly created file.
        fd.reset(
            ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666));
        if (!fd.valid() && errno != EEXIST) return false;
    }
    if (!fd.valid()) return false;

    struct stat existing {};
    if (::stat(path.c_str(), &existing) == 0 && S_ISREG(existing.st_mode)) {
        if (::fchmod(fd.get(), existing.st_mode & 07777) != 0) {
            // The new file keeps the default permissions; its contents still matter more.
        }
    }

    const bool stored = writeAll(fd.get(), bytes) && ::fsync(fd.get()) == 0;
    const bool closed = fd.close();
    if (!stored || !closed || ::rename(temporary.c_str(), path.c_str()) != 0) {
        ::unlink(temporary.c_str());
        return false;
    }
    syncDirectoryOf(path);
    return true;
}

bool ensureDirectory(const std::filesystem::path& path) {
    if (path.empty()) return false;
    std::error_code error;
    std::filesystem::create_directories(path, error);
    // create_directories also fails when another process created it first; what counts is
    // that a directory is there now.
    return std::filesystem::is_directory(path, error);
}

std::optional<std::string> readWholeFile(const std::filesystem::path& path, std::size_t limit) {
    // O_NONBLOCK: opening a pipe without a writer would otherwise wait for one for ever.
    FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    if (!fd.valid()) return std::nullopt;
    struct stat info {};
    if (::fstat(fd.get(), &info) != 0 || !S_ISREG(info.st_mode)) return std::nullopt;
    if (info.st_size < 0 || static_cast<std::uintmax_t>(info.st_size) > limit) return std::nullopt;

    // The size may change while reading (a file being written); the limit holds regardless.
    std::string contents;
    contents.reserve(static_cast<std::size_t>(info.st_size));
    char buffer[4096];
    for (;;) {
        const ssize_t got = ::read(fd.get(), buffer, sizeof buffer);
        if (got < 0) {
            if (errno == EINTR) continue;
            return std::nullopt;
        }
        if (got == 0) break;
        if (contents.size() + static_cast<std::size_t>(got) > limit) return std::nullopt;
        contents.append(buffer, static_cast<std::size_t>(got));
    }
    return contents;
}

bool fileIsMissing(const std::filesystem::path& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) != 0 && errno == ENOENT;
}

}  // namespace platform
