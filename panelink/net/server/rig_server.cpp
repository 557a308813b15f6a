#include "panelink/net/server/rig_server.h"

#include <asio.hpp>

#include <array>
#include <deque>
#include <optional>
#include <thread>
#include <utility>

#include "panelink/net/line_reader.h"
#include "panelink/net/rig_answer.h"

namespace panelink::net {

using asio::ip::tcp;

struct RigServer::Impl {
    explicit Impl(CommandHandler& h) : handler(h) {}

    CommandHandler& handler;
    ServerOptions options;
    std::atomic<std::size_t> clients{0};
    std::atomic<bool> running{false};
    std::optional<asio::io_context> context;
    std::optional<tcp::acceptor> acceptor;
    std::thread thread;

    void accept();
    void refuse(tcp::socket socket);
};

namespace {

constexpr std::size_t kReadChunk = 1024;

// The answer to a client beyond the limit, before its connection is closed.
constexpr std::string_view kRefusal = "RPRT -14\n";

class Session : public std::enable_shared_from_this<Session> {
  public:
    Session(tcp::socket socket, RigServer::Impl& server)
        : socket_(std::move(socket)), timer_(socket_.get_executor()), server_(server) {
        server_.clients.fetch_add(1);
    }
    ~Session() { server_.clients.fetch_sub(1); }
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    void start() { read(); }

  private:
    void read() {
        socket_.async_read_some(asio::buffer(chunk_),
                                [self = shared_from_this()](std::error_code error, std::size_t n) {
                                    if (error) return;  // closed or reset: the session ends
                                    self->received(std::string_view(self->chunk_.data(), n));
                                });
    }

    void received(std::string_view bytes) {
        reader_.feed(bytes, [&](LineReader::Event event, std::string_view text) {
            lines_.emplace_back(event == LineReader::Event::Line, std::string(text));
        });
        answerLines();
    }

    // Answers the lines in order until one has to wait for the radio; then writes.
    void answerLines() {
        while (!lines_.empty()) {
            auto [complete, text] = std::move(lines_.front());
            lines_.pop_front();
            if (!complete) {
                output_ += errorAnswer(RigCommand{}, RigError::InvalidParameter);
                continue;
            }
            if (answer(text)) return;  // waiting; answerLines() runs again afterwards
        }
        flush();
    }

    // True when the command waits for the radio.
    bool answer(std::string_view line) {
        const ParseResult parsed = parseRigCommand(line);
        if (parsed.blank) return false;
        if (!parsed.ok()) {
            output_ += errorAnswer(parsed.command, parsed.error);
            return false;
        }
        Outcome outcome = server_.handler.handle(parsed.command, session_);
        if (outcome.error != RigError::Ok) {
            output_ += errorAnswer(parsed.command, outcome.error);
            return false;
        }
        closing_ = outcome.close;
        if (!outcome.shown || outcome.shown()) {
            output_ += successAnswer(parsed.command, outcome.values);
            if (closing_) lines_.clear();
            return false;
        }
        waitFor(parsed.command, std::move(outcome.shown),
                std::chrono::steady_clock::now() + server_.options.setTimeout);
        return true;
    }

    void waitFor(RigCommand command, std::function<bool()> shown,
                 std::chrono::steady_clock::time_point deadline) {
        timer_.expires_after(server_.options.setPoll);
        timer_.async_wait([self = shared_from_this(), command = std::move(command),
                           shown = std::move(shown), deadline](std::error_code error) mutable {
            if (error) return;
            if (shown()) {
                self->output_ += successAnswer(command);
            } else if (std::chrono::steady_clock::now() >= deadline) {
                self->output_ += errorAnswer(command, RigError::Timeout);
            } else {
                self->waitFor(std::move(command), std::move(shown), deadline);
                return;
            }
            self->answerLines();
        });
    }

    // Writes what was answered; the next read starts once it is out, so a client that
    // does not read its answers makes the server hold no more than one chunk's answers.
    void flush() {
        if (output_.empty()) {
            if (!closing_) read();
            return;
        }
        writing_ = std::move(output_);
        output_.clear();
        asio::async_write(socket_, asio::buffer(writing_),
                          [self = shared_from_this()](std::error_code error, std::size_t) {
                              if (error || self->closing_) return;
                              self->read();
                          });
    }

    tcp::socket socket_;
    asio::steady_timer timer_;
    RigServer::Impl& server_;
    std::array<char, kReadChunk> chunk_{};
    LineReader reader_;
    std::deque<std::pair<bool, std::string>> lines_;  // complete?, text
    std::string output_;
    std::string writing_;
    SessionState session_;
    bool closing_ = false;
};

std::string bindFailure(const ServerOptions& options, const std::error_code& error) {
    const std::string where = options.address + ":" + std::to_string(options.port);
    if (error == asio::error::address_in_use) {
        return "Network control: port " + std::to_string(options.port) + " on " + options.address +
               " is already in use by another program; the server is off.";
    }
    return "Network control: cannot listen on " + where + " (" + error.message() +
           "); the server is off.";
}

}  // namespace

void RigServer::Impl::accept() {
    acceptor->async_accept([this](std::error_code error, tcp::socket socket) {
        if (error == asio::error::operation_aborted) return;
        if (!error) {
            if (clients.load() >= options.maxClients) {
                refuse(std::move(socket));
            } else {
                std::error_code ignored;
                socket.set_option(tcp::no_delay(true), ignored);
                std::make_shared<Session>(std::move(socket), *this)->start();
            }
        }
        accept();
    });
}

void RigServer::Impl::refuse(tcp::socket socket) {
    auto held = std::make_shared<tcp::socket>(std::move(socket));
    asio::async_write(*held, asio::buffer(kRefusal), [held](std::error_code, std::size_t) {
        std::error_code ignored;
        held->shutdown(tcp::socket::shutdown_both, ignored);
    });
}

RigServer::RigServer(CommandHandler& handler) : impl_(std::make_unique<Impl>(handler)) {}

RigServer::~RigServer() {
    stop();
}

StartResult RigServer::start(const ServerOptions& options) {
    stop();
    StartResult result;
    std::error_code error;
    const auto address = asio::ip::make_address(options.address, error);
    if (error) {
        result.reason = "Network control: \"" + options.address + "\" is not an IP address.";
        return result;
    }
    impl_->options = options;
    impl_->context.emplace(1);
    impl_->acceptor.emplace(*impl_->context);
    const tcp::endpoint endpoint(address, options.port);
    auto& acceptor = *impl_->acceptor;
    acceptor.open(endpoint.protocol(), error);
    if (!error) acceptor.set_option(tcp::acceptor::reuse_address(true), error);
    if (!error) acceptor.bind(endpoint, error);
    if (!error) acceptor.listen(asio::socket_base::max_listen_connections, error);
    if (!error) result.port = acceptor.local_endpoint(error).port();
    result.ok = !error;
    if (!result.ok) {
        result.reason = bindFailure(options, error);
        impl_->acceptor.reset();
        impl_->context.reset();
        return result;
    }
    impl_->accept();
    impl_->running.store(true);
    impl_->thread = std::thread([context = &*impl_->context] { context->run(); });
    return result;
}

void RigServer::stop() {
    if (!impl_->context) return;
    impl_->context->stop();
    if (impl_->thread.joinable()) impl_->thread.join();
    impl_->running.store(false);
    // The pending handlers go with the context, and the sessions they hold with them.
    impl_->acceptor.reset();
    impl_->context.reset();
}

bool RigServer::running() const {
    return impl_->running.load();
}

std::size_t RigServer::clientCount() const {
    return impl_->clients.load();
}

}  // namespace panelink::net
