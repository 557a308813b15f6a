#include "tools/orvik-sim/control_socket.h"

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>

namespace orviksim {

namespace {

constexpr int kReplyTimeoutMs = 1000;

bool fillAddress(const std::string& path, sockaddr_un& address) {
    address = {};
    address.sun_family = AF_UNIX;
    if (path.empty() || path.size() >= sizeof(address.sun_path)) return false;
    std::memcpy(address.sun_path, path.data(), path.size());
    return true;
}

// True when something answers at `path` (another simulator is using it).
bool somebodyListens(const sockaddr_un& address) {
    const int probe = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (probe < 0) return false;
    const bool live =
        ::connect(probe, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    ::close(probe);
    return live;
}

// Writes the whole reply, waiting at most a second for a slow reader.
void sendAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t sent = ::send(fd, bytes.data(), bytes.size(), MSG_NOSIGNAL);
        if (sent > 0) {
            bytes.remove_prefix(static_cast<std::size_t>(sent));
            continue;
        }
        if (sent < 0 && errno == EINTR) continue;
        if (sent < 0 && errno == EAGAIN) {
            pollfd entry{fd, POLLOUT, 0};
            if (::poll(&entry, 1, kReplyTimeoutMs) > 0) continue;
        }
        return;
    }
}

}  // namespace

std::unique_ptr<ControlSocket> ControlSocket::listenAt(const std::string& path,
                                                       std::string* error) {
    auto fail = [error](const std::string& why) -> std::unique_ptr<ControlSocket> {
        if (error != nullptr) *error = why;
        return nullptr;
    };
    sockaddr_un address{};
    if (!fillAddress(path, address)) return fail("control socket path too long: " + path);
    struct stat existing {};
    if (::lstat(path.c_str(), &existing) == 0) {
        if (!S_ISSOCK(existing.st_mode)) return fail("not a socket, left alone: " + path);
        if (somebodyListens(address)) return fail("control socket in use: " + path);
        ::unlink(path.c_str());
    }
    const int listener = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (listener < 0) return fail(std::string("socket: ") + std::strerror(errno));
    if (::bind(listener, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(listener, static_cast<int>(kMaxClients)) != 0) {
        const std::string why = std::strerror(errno);
        ::close(listener);
        return fail("control socket " + path + ": " + why);
    }
    return std::unique_ptr<ControlSocket>(new ControlSocket(listener, path));
}

ControlSocket::~ControlSocket() {
    for (auto& client : clients_)
        ::close(client.fd);
    if (listener_ >= 0) {
        ::close(listener_);
        ::unlink(path_.c_str());
    }
}

void ControlSocket::appendPollFds(std::vector<pollfd>& fds) const {
    fds.push_back(pollfd{listener_, POLLIN, 0});
    for (const auto& client : clients_)
        fds.push_back(pollfd{client.fd, POLLIN, 0});
}

void ControlSocket::service(std::span<const pollfd> ready, const Handler& handler) {
    if (ready.empty()) return;
    // Clients first: their entries follow the listener's, in the order of clients_.
    std::vector<int> gone;
    for (std::size_t i = 1; i < ready.size() && i - 1 < clients_.size(); ++i) {
        if (ready[i].revents == 0) continue;
        auto& client = clients_[i - 1];
        if (client.fd != ready[i].fd || !serveClient(client, handler)) gone.push_back(ready[i].fd);
    }
    for (int fd : gone) {
        const auto found = std::find_if(clients_.begin(), clients_.end(),
                                        [fd](const Client& c) { return c.fd == fd; });
        if (found != clients_.end()) {
            ::close(found->fd);
            clients_.erase(found);
        }
    }
    if ((ready[0].revents & POLLIN) != 0) accept();
}

void ControlSocket::accept() {
    for (;;) {
        const int fd = ::accept4(listener_, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
        if (fd < 0) return;
        if (clients_.size() >= kMaxClients) {
            sendAll(fd, "error: too many control clients\n");
            ::close(fd);
            continue;
        }
        clients_.push_back(Client{fd, {}});
    }
}

bool ControlSocket::serveClient(Client& client, const Handler& handler) {
    std::array<char, 1024> chunk{};
    for (;;) {
        const ssize_t got = ::recv(client.fd, chunk.data(), chunk.size(), 0);
        if (got == 0) return false;
        if (got < 0) {
            if (errno == EINTR) continue;
            return errno == EAGAIN;
        }
        client.pending.append(chunk.data(), static_cast<std::size_t>(got));
        std::size_t end = 0;
        while ((end = client.pending.find('\n')) != std::string::npos) {
            std::string line = client.pending.substr(0, end);
            client.pending.erase(0, end + 1);
            if (!line.empty() && line.back() == '\r') line.pop_back();
            sendAll(client.fd, handler(line) + "\n");
        }
        if (client.pending.size() > kMaxLineLength) return false;
    }
}

}  // namespace orviksim
