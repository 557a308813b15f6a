#include "keyweld/link/comm_send_worker.h"

#include <poll.h>

#include <chrono>
#include <utility>

#include "keyweld/link/comm_events.h"
#include "keyweld/link/locked_port.h"

namespace keyweld {

namespace {

using namespace std::chrono_literals;

// Longest single wait of the thread for room in the driver before it looks again.
constexpr int kWritablePollMs = 50;
// Pause before raising RTS for a half-duplex batch.
constexpr platform::Milliseconds kHalfDuplexLead{50};

bool isHalfDuplex(platform::FlowControl flow) {
    return flow == platform::FlowControl::HalfHigh || flow == platform::FlowControl::HalfLow;
}

}  // namespace

CommSendWorker::CommSendWorker(LockedPort& port, platform::Clock& clock, CommEvents* events)
    : port_(port), clock_(clock), events_(events) {}

CommSendWorker::~CommSendWorker() {
    stop();
}

void CommSendWorker::start(Line line) {
    stop();
    {
        const std::lock_guard lock(mutex_);
        queue_.clear();
        pendingBytes_ = 0;
        pendingBlocks_ = 0;
        line_ = line;
    }
    wake_.clear();
    stopping_.store(false);
    purging_.store(false);
    thread_ = std::thread([this] { run(); });
    running_.store(true);
}

void CommSendWorker::setLine(Line line) {
    const std::lock_guard lock(mutex_);
    line_ = line;
}

CommSendWorker::Line CommSendWorker::line() const {
    const std::lock_guard lock(mutex_);
    return line_;
}

CommSendWorker::Room CommSendWorker::waitForRoom(platform::Milliseconds timeout) {
    std::unique_lock lock(mutex_);
    const bool ended = room_.wait_for(lock, timeout, [this] {
        return stopping_.load() || !running_.load() || pendingBlocks_ < kMaxBlocksInFlight;
    });
    if (stopping_.load() || !running_.load()) return Room::Stopped;
    return ended ? Room::Free : Room::TimedOut;
}

bool CommSendWorker::hand(Block block) {
    const std::lock_guard lock(mutex_);
    if (!running_.load() || stopping_.load()) return false;
    pendingBytes_ += block.size();
    ++pendingBlocks_;
    queue_.push_back(std::move(block));
    work_.notify_one();
    return true;
}

void CommSendWorker::purge(platform::Milliseconds bound) {
    purging_.store(true);
    wake_.signal();
    {
        const std::lock_guard lock(mutex_);
        while (!queue_.empty()) {
            const std::size_t size = queue_.front().size();
            queue_.pop_front();
            pendingBytes_ -= std::min(pendingBytes_, size);
            pendingBlocks_ -= std::min<std::size_t>(pendingBlocks_, 1);
        }
    }
    // The block being written is given up by the thread at its next look.
    const auto deadline = std::chrono::steady_clock::now() + bound;
    for (;;) {
        port_.discardOutput();
        std::unique_lock lock(mutex_);
        if (room_.wait_for(lock, 1ms, [this] { return pendingBytes_ == 0 || !running_.load(); }))
            break;
        if (std::chrono::steady_clock::now() >= deadline) break;
    }
    purging_.store(false);
    room_.notify_all();
}

void CommSendWorker::stop() {
    {
        const std::lock_guard lock(mutex_);
        stopping_.store(true);
        work_.notify_all();
        room_.notify_all();
    }
    wake_.signal();
    if (thread_.joinable()) thread_.join();
    const std::lock_guard lock(mutex_);
    running_.store(false);
    queue_.clear();
    room_.notify_all();
}

std::size_t CommSendWorker::pendingBytes() const {
    const std::lock_guard lock(mutex_);
    return pendingBytes_;
}

std::size_t CommSendWorker::pendingBlocks() const {
    const std::lock_guard lock(mutex_);
    return pendingBlocks_;
}

void CommSendWorker::run() {
    for (;;) {
        std::deque<Block> batch;
        {
            std::unique_lock lock(mutex_);
            work_.wait(lock, [this] { return stopping_.load() || !queue_.empty(); });
            if (stopping_.load()) return;
            batch.swap(queue_);
        }
        writeBatch(batch);
    }
}

void CommSendWorker::writeBatch(std::deque<Block>& batch) {
    const Line now = line();
    const bool half = isHalfDuplex(now.flow);
    const bool raiseForBatch = now.flow == platform::FlowControl::HalfHigh;
    bool started = false;
    bool wrote = false;
    for (const Block& block : batch) {
        if (!abandoning()) {
            if (half && !started) {
                clock_.sleep(kHalfDuplexLead);
                port_.setRts(raiseForBatch);
                clock_.sleep(now.characterTime);
            }
            started = true;
            wrote = writeBlock(block) || wrote;
        }
        finishBlock(block.size());
    }
    if (half && wrote) {
        drainForHalfDuplex();
        clock_.sleep(now.characterTime);
        port_.setRts(!raiseForBatch);
    }
}

bool CommSendWorker::writeBlock(const Block& block) {
    std::size_t done = 0;
    while (done < block.size() && !abandoning()) {
        const platform::IoResult result = port_.write(block.data() + done, block.size() - done);
        if (!result.ok()) {
            reportLineErrors(port_, events_);
            return done > 0;
        }
        done += result.bytes;
        // The driver is full: wait for room, then write the rest.
        if (done < block.size()) waitWritable(port_.descriptor());
    }
    return done > 0;
}

void CommSendWorker::waitWritable(int fd) {
    pollfd entries[2] = {{fd, POLLOUT, 0}, {wake_.fd(), POLLIN, 0}};
    if (::poll(entries, 2, kWritablePollMs) > 0 && (entries[1].revents & POLLIN) != 0) {
        wake_.clear();
    }
}

void CommSendWorker::drainForHalfDuplex() {
    // Our writes end when the kernel has the bytes; RTS must stay until they are on the line.
    while (!abandoning() && port_.outputWaiting() > 0)
        clock_.sleep(platform::Milliseconds(1));
}

void CommSendWorker::finishBlock(std::size_t size) {
    const std::lock_guard lock(mutex_);
    pendingBytes_ -= std::min(pendingBytes_, size);
    pendingBlocks_ -= std::min<std::size_t>(pendingBlocks_, 1);
    room_.notify_all();
}

}  // namespace keyweld
