#pragma once

#include <poll.h>

#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace orviksim {

// A UNIX stream socket taking control lines: each line a client sends is handed to the
// handler and the reply goes back followed by a newline. Non-blocking; the owner polls the
// descriptors it lists and calls service() with the results.
class ControlSocket {
  public:
    using Handler = std::function<std::string(std::string_view line)>;
    static constexpr std::size_t kMaxClients = 8;
    static constexpr std::size_t kMaxLineLength = 4096;

    // Listens at `path`. A stale socket file left by a dead simulator is replaced; a live
    // one, or a file that is not a socket, is an error.
    static std::unique_ptr<ControlSocket> listenAt(const std::string& path, std::string* error);
    ~ControlSocket();
    ControlSocket(const ControlSocket&) = delete;
    ControlSocket& operator=(const ControlSocket&) = delete;

    // Appends the descriptors to poll (listener first, then the clients).
    void appendPollFds(std::vector<pollfd>& fds) const;
    // Accepts new clients and answers complete lines; `ready` are the entries appendPollFds
    // added, with their results.
    void service(std::span<const pollfd> ready, const Handler& handler);

  private:
    struct Client {
        int fd = -1;
        std::string pending;
    };

    ControlSocket(int listener, std::string path) : listener_(listener), path_(std::move(path)) {}
    void accept();
    // False when the client has gone and must be closed.
    bool serveClient(Client& client, const Handler& handler);

    int listener_ = -1;
    std::string path_;
    std::vector<Client> clients_;
};

}  // namespace orviksim
