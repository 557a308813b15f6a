#pragma once

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "shared/platform/clock.h"
#include "shared/platform/message.h"

namespace platform {

// Ends a worker thread's message loop at once, with exit code 0.
inline constexpr std::uint32_t kQuitThreadMessage = WM_APP + 0x105;

// What a message thread does while its queue is empty, in place of sleeping until a message
// comes: a thread that also serves a device waits on its descriptor here. wait() runs on the
// thread and may do work of its own; it must return soon after wake(), which every post
// calls from the posting thread. A wake() that comes before or during a wait() ends it; one
// that comes between two waits may end the next one early.
class IdleWait {
  public:
    virtual ~IdleWait() = default;
    virtual void wait() = 0;
    virtual void wake() = 0;
};

// A named worker thread with its own message queue. Messages are handled one at a time, in
// posting order, by the handler given at construction; kQuitThreadMessage ends the loop and
// whatever is still queued behind it is dropped unhandled. With an IdleWait, the thread runs
// it whenever the queue is empty.
//
// The object outlives its thread: the starter checks hasEnded() and joins after the thread
// has finished. The handler runs on the worker thread; the worker classes keep their
// handlers as plain methods so tests can call them without a thread. A class that owns a
// MessageThread should declare it after the members its handler uses, so that the thread is
// joined before they go.
class MessageThread : public MessageSink {
  public:
    using Handler = std::function<void(const Message&)>;

    // `idle`, when given, must outlive the thread.
    MessageThread(std::string name, Handler handler, IdleWait* idle = nullptr);
    MessageThread(const MessageThread&) = delete;
    MessageThread& operator=(const MessageThread&) = delete;
    // Posts kQuitThreadMessage if the thread still runs and joins it. A handler that never
    // returns keeps the destructor waiting: a program that gives up on such a thread ends the
    // process instead of destroying the objects the handler uses.
    ~MessageThread() override;

    // Starts the thread; false when it was started before. Messages posted before the start
    // are kept and handled first.
    bool start();

    // Queues the message and returns at once. False once the thread has ended (taken
    // kQuitThreadMessage from its queue).
    bool post(const Message& message) override;

    // True when the thread has ended. Does not wait; keeps working after the end.
    bool hasEnded() const;
    // Waits up to `timeout` for the end; true when the thread has ended.
    bool waitForEnd(Milliseconds timeout) const;
    // Waits for the end (no-op when never started, or when called on the thread itself).
    void join();

    bool isStarted() const;
    bool isCurrentThread() const;
    // The exit code once the thread has ended (always 0), empty before.
    std::optional<int> exitCode() const;
    // Messages queued and not yet taken by the thread.
    std::size_t pendingMessages() const;
    const std::string& name() const { return name_; }

  private:
    enum class State { NotStarted, Running, Ended };

    void run();

    const std::string name_;
    const Handler handler_;
    IdleWait* const idle_;
    mutable std::mutex mutex_;
    mutable std::condition_variable changed_;
    std::deque<Message> queue_;
    State state_ = State::NotStarted;
    std::thread::id threadId_;
    std::mutex joinMutex_;
    std::thread thread_;
};

// The shut-down stop rule: if the thread has ended, stop; otherwise post kQuitThreadMessage,
// stop if that was post number `maxPosts`, else sleep `pause` on `clock` and repeat. So at
// most `maxPosts` posts and `maxPosts - 1` sleeps. Returns whether the thread has ended (a
// thread that was never started counts as stopped); an ended thread is joined.
bool stopThread(MessageThread& thread, Clock& clock, int maxPosts = 52,
                Milliseconds pause = Milliseconds(100));

}  // namespace platform
