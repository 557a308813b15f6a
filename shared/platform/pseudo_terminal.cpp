#include "shared/platform/pseudo_terminal.h"

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <chrono>
#include <utility>

namespace platform {

namespace {

void closeIfOpen(int fd) {
    if (fd >= 0) ::close(fd);
}

}  // namespace

std::optional<PseudoTerminal> PseudoTerminal::create(int* error) {
    auto fail = [error](int fd) -> std::optional<PseudoTerminal> {
        const int code = errno;
        closeIfOpen(fd);
        if (error != nullptr) *error = code;
        return std::nullopt;
    };
    const int master = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (master < 0) return fail(-1);
    if (::grantpt(master) != 0 || ::unlockpt(master) != 0) return fail(master);
    std::array<char, 128> name{};
    if (::ptsname_r(master, name.data(), name.size()) != 0) return fail(master);
    const int flags = ::fcntl(master, F_GETFL);
    if (flags < 0 || ::fcntl(master, F_SETFL, flags | O_NONBLOCK) != 0) return fail(master);
    // Line settings set on the master apply to the shared terminal; start raw so that the
    // far side's bytes pass unchanged until the slave's owner configures it.
    termios settings{};
    if (::tcgetattr(master, &settings) != 0) return fail(master);
    ::cfmakeraw(&settings);
    if (::tcsetattr(master, TCSANOW, &settings) != 0) return fail(master);
    if (error != nullptr) *error = 0;
    return PseudoTerminal(master, std::string(name.data()));
}

PseudoTerminal::PseudoTerminal(int master, std::string slavePath)
    : master_(master), slavePath_(std::move(slavePath)) {}

PseudoTerminal::PseudoTerminal(PseudoTerminal&& other) noexcept
    : master_(std::exchange(other.master_, -1)), slavePath_(std::move(other.slavePath_)) {}

PseudoTerminal& PseudoTerminal::operator=(PseudoTerminal&& other) noexcept {
    if (this != &other) {
        closeMaster();
        master_ = std::exchange(other.master_, -1);
        slavePath_ = std::move(other.slavePath_);
    }
    return *this;
}

PseudoTerminal::~PseudoTerminal() {
    closeMaster();
}

void PseudoTerminal::closeMaster() {
    closeIfOpen(std::exchange(master_, -1));
}

std::size_t PseudoTerminal::writeMaster(std::string_view bytes) {
    if (master_ < 0 || bytes.empty()) return 0;
    ssize_t written = 0;
    do {
        written = ::write(master_, bytes.data(), bytes.size());
    } while (written < 0 && errno == EINTR);
    return written > 0 ? static_cast<std::size_t>(written) : 0;
}

std::string PseudoTerminal::readMaster() {
    std::string result;
    if (master_ < 0) return result;
    std::array<char, 4096> chunk{};
    for (;;) {
        const ssize_t got = ::read(master_, chunk.data(), chunk.size());
        if (got > 0) {
            result.append(chunk.data(), static_cast<std::size_t>(got));
            continue;
        }
        if (got < 0 && errno == EINTR) continue;
        // EAGAIN: nothing more now; EIO: no slave is open.
        return result;
    }
}

std::string PseudoTerminal::readMaster(std::size_t count, Milliseconds timeout) {
    using Steady = std::chrono::steady_clock;
    const auto deadline = Steady::now() + timeout;
    std::string result = readMaster();
    while (master_ >= 0 && result.size() < count) {
        const auto left = std::chrono::duration_cast<Milliseconds>(deadline - Steady::now());
        if (left.count() <= 0) break;
        pollfd entry{master_, POLLIN, 0};
        const int ready = ::poll(&entry, 1, static_cast<int>(left.count()));
        if (ready < 0 && errno != EINTR) break;
        if (ready > 0 && (entry.revents & POLLIN) == 0) {
            // A hang-up without data (no slave open): wait out the time in small steps.
            ::poll(nullptr, 0, 5);
            continue;
        }
        result += readMaster();
    }
    return result;
}

}  // namespace platform
