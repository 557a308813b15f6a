#pragma once

// The network control server: a TCP listener speaking the rigctld protocol, on a thread of
// its own (standalone Asio). Each connection reads its lines, answers them in order and
// waits, for a set, until the handler's radio state shows the value or the set's time is
// up; a waiting connection holds no lock and keeps no other connection waiting.

#include <atomic>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "panelink/net/server/command_handler.h"

namespace panelink::net {

inline constexpr std::uint16_t kDefaultRigPort = 4532;

struct ServerOptions {
    std::string address = "127.0.0.1";
    std::uint16_t port = kDefaultRigPort;  // 0: any free port (tests)
    std::size_t maxClients = 16;
    // How long a set may wait for the radio to show its value before RPRT -5.
    std::chrono::milliseconds setTimeout{2000};
    // How often a waiting set looks at the radio state.
    std::chrono::milliseconds setPoll{1};
};

struct StartResult {
    bool ok = false;
    std::string reason;      // why not, in words for the user
    std::uint16_t port = 0;  // the port listened on
};

class RigServer {
  public:
    // `handler` must outlive the server; it is called on the server's thread only.
    explicit RigServer(CommandHandler& handler);
    ~RigServer();
    RigServer(const RigServer&) = delete;
    RigServer& operator=(const RigServer&) = delete;

    // Binds and starts listening; a running server is stopped first.
    StartResult start(const ServerOptions& options);
    // Closes the listener and every connection and ends the thread.
    void stop();

    bool running() const;
    // Connections open now.
    std::size_t clientCount() const;

    struct Impl;

  private:
    std::unique_ptr<Impl> impl_;
};

}  // namespace panelink::net
