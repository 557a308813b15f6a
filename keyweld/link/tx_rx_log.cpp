#include "keyweld/link/tx_rx_log.h"

namespace keyweld {

namespace {

void appendLatin1(std::string& out, std::string_view bytes) {
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            out += c;
        } else {
            out += static_cast<char>(0xC0 | (byte >> 6));
            out += static_cast<char>(0x80 | (byte & 0x3F));
        }
    }
}

}  // namespace

TxRxLog::TxRxLog(platform::TimerHost& timers) : timers_(timers) {}

void TxRxLog::appendSent(std::string_view text, SendOutcome outcome) {
    switch (outcome) {
        case SendOutcome::Sent:
            appendLines({kTxHeader, text});
            break;
        case SendOutcome::PortClosed:
            appendLines({kTxHeader, text, kNotSentPortClosed});
            break;
        case SendOutcome::Busy:
            appendLines({kTxHeader, text, kNotSentBusy});
            break;
    }
}

void TxRxLog::appendReceived(std::string_view bytes) {
    appendLatin1(burst_, bytes);
    if (!timers_.isTimerRunning(kBurstTimerId)) timers_.setTimer(kBurstTimerId, kBurstTime);
}

void TxRxLog::onTimer(int timerId) {
    if (timerId != kBurstTimerId) return;
    timers_.killTimer(kBurstTimerId);
    std::string text;
    text.swap(burst_);
    appendLines({kRxHeader, text});
}

void TxRxLog::toggle() {
    if (shown_) {
        timers_.killTimer(kBurstTimerId);
        shown_ = false;
    } else {
        lines_.clear();
        if (view_ != nullptr) view_->cleared();
        shown_ = true;
    }
    if (view_ != nullptr) view_->shownChanged(shown_);
}

void TxRxLog::windowClosed() {
    shown_ = false;
}

void TxRxLog::appendLines(std::initializer_list<std::string_view> lines) {
    for (const std::string_view line : lines)
        append(std::string(line));
    if (view_ != nullptr) view_->linesAppended(lines_, std::min(lines.size(), lines_.size()));
}

void TxRxLog::append(std::string line) {
    lines_.push_back(std::move(line));
    while (lines_.size() > kMaxLines)
        lines_.pop_front();
}

}  // namespace keyweld
