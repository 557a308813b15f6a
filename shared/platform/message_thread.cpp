#include "shared/platform/message_thread.h"

#include <pthread.h>

#include <utility>

namespace platform {

namespace {

// Linux keeps at most 15 characters of a thread name.
void nameCurrentThread(const std::string& name) {
    const std::string shortName = name.substr(0, 15);
    pthread_setname_np(pthread_self(), shortName.c_str());
}

}  // namespace

MessageThread::MessageThread(std::string name, Handler handler, IdleWait* idle)
    : name_(std::move(name)), handler_(std::move(handler)), idle_(idle) {}

MessageThread::~MessageThread() {
    {
        std::lock_guard lock(mutex_);
        if (state_ == State::Running) {
            queue_.push_back(Message{kQuitThreadMessage, 0, 0});
            changed_.notify_all();
            if (idle_ != nullptr) idle_->wake();
        }
    }
    std::lock_guard joinLock(joinMutex_);
    if (!thread_.joinable()) return;
    if (thread_.get_id() == std::this_thread::get_id()) {
        // Destroyed from its own handler: it cannot wait for itself.
        thread_.detach();
    } else {
        thread_.join();
    }
}

bool MessageThread::start() {
    std::lock_guard joinLock(joinMutex_);
    {
        std::lock_guard lock(mutex_);
        if (state_ != State::NotStarted) return false;
        state_ = State::Running;
    }
    thread_ = std::thread([this] { run(); });
    return true;
}

bool MessageThread::post(const Message& message) {
    std::lock_guard lock(mutex_);
    if (state_ == State::Ended) return false;
    queue_.push_back(message);
    changed_.notify_all();
    // After the push, so a wait that ends now finds the message; under the lock, so the thread
    // cannot end (and its owner destroy the idle wait) while it is woken.
    if (idle_ != nullptr) idle_->wake();
    return true;
}

bool MessageThread::hasEnded() const {
    std::lock_guard lock(mutex_);
    return state_ == State::Ended;
}

bool MessageThread::waitForEnd(Milliseconds timeout) const {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, timeout, [this] { return state_ == State::Ended; });
}

void MessageThread::join() {
    if (isCurrentThread()) return;
    std::lock_guard joinLock(joinMutex_);
    if (thread_.joinable()) thread_.join();
}

bool MessageThread::isStarted() const {
    std::lock_guard lock(mutex_);
    return state_ != State::NotStarted;
}

bool MessageThread::isCurrentThread() const {
    std::lock_guard lock(mutex_);
    return threadId_ == std::this_thread::get_id();
}

std::optional<int> MessageThread::exitCode() const {
    std::lock_guard lock(mutex_);
    if (state_ != State::Ended) return std::nullopt;
    return 0;
}

std::size_t MessageThread::pendingMessages() const {
    std::lock_guard lock(mutex_);
    return queue_.size();
}

void MessageThread::run() {
    nameCurrentThread(name_);
    std::unique_lock lock(mutex_);
    threadId_ = std::this_thread::get_id();
    for (;;) {
        if (idle_ == nullptr) {
            changed_.wait(lock, [this] { return !queue_.empty(); });
        }
        while (queue_.empty()) {
            lock.unlock();
            idle_->wait();
            lock.lock();
        }
        const Message message = queue_.front();
        queue_.pop_front();
        if (message.id == kQuitThreadMessage) {
            queue_.clear();
            state_ = State::Ended;
            changed_.notify_all();
            return;
        }
        lock.unlock();
        if (handler_) handler_(message);
        lock.lock();
    }
}

bool stopThread(MessageThread& thread, Clock& clock, int maxPosts, Milliseconds pause) {
    if (!thread.isStarted()) return true;
    for (int posts = 0;;) {
        if (thread.hasEnded()) {
            thread.join();
            return true;
        }
        thread.post(Message{kQuitThreadMessage, 0, 0});
        if (++posts >= maxPosts) break;
        clock.sleep(pause);
    }
    return thread.hasEnded();
}

}  // namespace platform
