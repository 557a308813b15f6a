#pragma once

// Recording stand-ins for the main window and for message receivers, for tests. Thread-safe:
// worker threads may post while the test waits for a message.

#include <algorithm>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <mutex>
#include <utility>
#include <vector>

#include "shared/platform/clock.h"
#include "shared/platform/message.h"

namespace platform {

// Keeps every message it is given, in arrival order, and lets a test wait for one.
class MessageRecorder {
  public:
    MessageRecorder(const MessageRecorder&) = delete;
    MessageRecorder& operator=(const MessageRecorder&) = delete;

    struct Entry {
        Message message;
        bool sent = false;  // true for send(), false for post()

        friend bool operator==(const Entry&, const Entry&) = default;
    };

    std::vector<Entry> entries() const {
        std::lock_guard lock(mutex_);
        return entries_;
    }

    // Every message, posted or sent, in arrival order.
    std::vector<Message> messages() const {
        return select([](const Entry&) { return true; });
    }
    std::vector<Message> posted() const {
        return select([](const Entry& e) { return !e.sent; });
    }
    std::vector<Message> sent() const {
        return select([](const Entry& e) { return e.sent; });
    }
    // The ids alone, in arrival order: handy for comparing sequences.
    std::vector<std::uint32_t> ids() const {
        std::lock_guard lock(mutex_);
        std::vector<std::uint32_t> result;
        for (const Entry& entry : entries_)
            result.push_back(entry.message.id);
        return result;
    }

    std::size_t count(std::uint32_t id) const {
        std::lock_guard lock(mutex_);
        return countLocked(id);
    }

    // Waits in real time until at least `atLeast` messages with `id` have arrived.
    bool waitFor(std::uint32_t id, Milliseconds timeout, std::size_t atLeast = 1) const {
        std::unique_lock lock(mutex_);
        return arrived_.wait_for(lock, timeout, [&] { return countLocked(id) >= atLeast; });
    }

    void clear() {
        std::lock_guard lock(mutex_);
        entries_.clear();
    }

  protected:
    MessageRecorder() = default;
    ~MessageRecorder() = default;

    void record(const Message& message, bool sent) {
        std::lock_guard lock(mutex_);
        entries_.push_back(Entry{message, sent});
        arrived_.notify_all();
    }

  private:
    std::vector<Message> select(const std::function<bool(const Entry&)>& keep) const {
        std::lock_guard lock(mutex_);
        std::vector<Message> result;
        for (const Entry& entry : entries_) {
            if (keep(entry)) result.push_back(entry.message);
        }
        return result;
    }

    std::size_t countLocked(std::uint32_t id) const {
        return static_cast<std::size_t>(std::count_if(
            entries_.begin(), entries_.end(), [id](const Entry& e) { return e.message.id == id; }));
    }

    mutable std::mutex mutex_;
    mutable std::condition_variable arrived_;
    std::vector<Entry> entries_;
};

// A message receiver that records what is posted to it. setAccepting(false) makes it
// behave like a receiver that has ended: posts are refused and not recorded.
class RecordingSink final : public MessageSink, public MessageRecorder {
  public:
    bool post(const Message& message) override {
        {
            std::lock_guard lock(acceptMutex_);
            if (!accepting_) return false;
        }
        record(message, false);
        return true;
    }

    void setAccepting(bool accepting) {
        std::lock_guard lock(acceptMutex_);
        accepting_ = accepting;
    }

  private:
    std::mutex acceptMutex_;
    bool accepting_ = true;
};

// The main window as seen by the worker threads. Posts and sends are recorded; a send also
// runs the optional send handler on the caller's thread before it returns, standing in for
// the window's handling (for example the answer that a waiting thread expects).
class RecordingWindow final : public MainWindowInterface, public MessageRecorder {
  public:
    using SendHandler = std::function<void(const Message&)>;

    bool post(const Message& message) override {
        record(message, false);
        return true;
    }

    void send(const Message& message) override {
        record(message, true);
        SendHandler handler;
        {
            std::lock_guard lock(handlerMutex_);
            handler = sendHandler_;
        }
        if (handler) handler(message);
    }

    void setSendHandler(SendHandler handler) {
        std::lock_guard lock(handlerMutex_);
        sendHandler_ = std::move(handler);
    }

  private:
    std::mutex handlerMutex_;
    SendHandler sendHandler_;
};

}  // namespace platform
