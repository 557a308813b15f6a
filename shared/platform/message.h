#pragma once

#include <cstdint>

namespace platform {

// Base of the application's message numbers; every cross-thread message is WM_APP + n.
inline constexpr std::uint32_t WM_APP = 0x8000;

// One posted or sent message: a number and two parameters, as the threads and the
// main window exchange them.
struct Message {
    std::uint32_t id = 0;
    std::uintptr_t wparam = 0;
    std::intptr_t lparam = 0;

    friend bool operator==(const Message&, const Message&) = default;
};

// Anything a message can be posted to: a message thread, or the main window.
class MessageSink {
  public:
    virtual ~MessageSink() = default;
    // Queues the message and returns at once; false when the receiver has ended.
    virtual bool post(const Message& message) = 0;
};

// The main window as the worker threads see it. `send` runs the handler on the window's
// thread and returns when it has run (a direct call when already on that thread).
class MainWindowInterface : public MessageSink {
  public:
    virtual void send(const Message& message) = 0;
};

}  // namespace platform
