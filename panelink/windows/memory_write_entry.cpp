#include "panelink/windows/memory_write_entry.h"

#include <optional>

#include "panelink/cat/radio_state.h"
#include "panelink/core/requests.h"

namespace panelink {

namespace {

// The number of up to three digits; none for anything else.
std::optional<int> channelOf(std::string_view digits) {
    if (digits.empty() || digits.size() > static_cast<std::size_t>(MemoryWriteEntry::kMaxDigits))
        return std::nullopt;
    int channel = 0;
    for (const char c : digits) {
        if (c < '0' || c > '9') return std::nullopt;
        channel = channel * 10 + (c - '0');
    }
    return channel;
}

}  // namespace

MemoryWriteEntry::MemoryWriteEntry(const RadioState& radio, RadioLink& link,
                                   platform::TimerHost& timers, platform::MessageSink& mainWindow)
    : radio_(radio),
      link_(link),
      timers_(timers),
      close_(mainWindow, WindowMessage::MemoryWriteClosed) {}

MemoryWriteEntry::~MemoryWriteEntry() {
    timers_.killTimer(kTimerNoAnswer);
}

MemoryWriteEntry::Outcome MemoryWriteEntry::confirm(std::string_view digits) {
    if (state_ != State::Entering)
        return state_ == State::Ended ? Outcome::Closed : Outcome::Waiting;
    if (digits.empty()) {
        end();
        return Outcome::Closed;
    }
    const std::optional<int> channel = channelOf(digits);
    if (!channel || *channel < kFirstChannel || *channel > kLastChannel) return Outcome::OutOfRange;
    channel_ = *channel;
    state_ = State::Waiting;
    link_.postRequest(Request::ReadMemoryChannel, 0, channel_);
    timers_.setTimer(kTimerNoAnswer, kAnswerWait);
    return Outcome::Waiting;
}

bool MemoryWriteEntry::onMemoryReported() {
    if (state_ != State::Waiting || radio_.get(RadioField::MR) != channel_) return false;
    timers_.killTimer(kTimerNoAnswer);
    state_ = State::Asking;
    return true;
}

void MemoryWriteEntry::answerOverwrite(bool overwrite) {
    if (state_ != State::Asking) return;
    if (overwrite) {
        write();
    } else {
        state_ = State::Entering;
    }
}

void MemoryWriteEntry::onTimer(int timerId) {
    if (timerId != kTimerNoAnswer) return;
    timers_.killTimer(kTimerNoAnswer);
    if (state_ == State::Waiting) write();
}

void MemoryWriteEntry::cancel() {
    end();
}

void MemoryWriteEntry::write() {
    link_.postRequest(Request::WriteMemory, kReadBackBit, channel_);
    end();
}

void MemoryWriteEntry::end() {
    timers_.killTimer(kTimerNoAnswer);
    state_ = State::Ended;
    close_.report();
}

}  // namespace panelink
