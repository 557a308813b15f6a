#pragma once

#include <array>
#include <string_view>

#include "panelink/core/messages.h"
#include "panelink/panel/panel_ports.h"
#include "panelink/windows/window_close.h"
#include "shared/platform/clock.h"
#include "shared/platform/message.h"
#include "shared/platform/timer_host.h"

namespace panelink {

class RadioState;

// The MEMORY WRITE window without widgets. OK reads the entered channel from the transceiver
// first: an "MR" answer for that channel means it is in use and the user is asked before it is
// overwritten; no answer within 500 ms means it is free and it is written at once. Answers for
// other channels (a read of the panel's own, say) do not end the wait. The write stores the
// state of the last "IF" answer in the channel.
class MemoryWriteEntry {
  public:
    static constexpr int kMaxDigits = 3;
    static constexpr int kFirstChannel = 1;
    static constexpr int kLastChannel = 504;
    // The window's own timer: no answer for the channel.
    static constexpr int kTimerNoAnswer = 35;
    static constexpr platform::Milliseconds kAnswerWait{500};

    // The answer whose display update may end the wait.
    static constexpr std::array kAnswerUpdates{id(DisplayUpdate::MR)};

    enum class State {
        Entering,  // the box and both buttons take input
        Waiting,   // the channel has been read; box read-only, buttons disabled
        Asking,    // the channel is in use: the overwrite question is up
        Ended,     // MemoryWriteClosed has gone out
    };
    enum class Outcome { Closed, OutOfRange, Waiting };

    MemoryWriteEntry(const RadioState& radio, RadioLink& link, platform::TimerHost& timers,
                     platform::MessageSink& mainWindow);
    ~MemoryWriteEntry();
    MemoryWriteEntry(const MemoryWriteEntry&) = delete;
    MemoryWriteEntry& operator=(const MemoryWriteEntry&) = delete;

    // OK. An empty box closes as CANCEL; a channel outside 1..504 is refused (the window says
    // so and stays); a good one is read and waited for.
    Outcome confirm(std::string_view digits);
    // An "MR" answer: true when it is the entered channel's, which is then in use: ask.
    bool onMemoryReported();
    // The user's answer to the overwrite question.
    void answerOverwrite(bool overwrite);
    // A tick of the window's own timer.
    void onTimer(int timerId);
    // CANCEL, Escape and the close box; the pending wait ends without a write.
    void cancel();

    State state() const { return state_; }
    // The channel entered; 0 until one has been accepted.
    int channel() const { return channel_; }
    bool inputEnabled() const { return state_ == State::Entering; }

  private:
    void write();
    void end();

    const RadioState& radio_;
    RadioLink& link_;
    platform::TimerHost& timers_;
    WindowClose close_;
    State state_ = State::Entering;
    int channel_ = 0;
};

}  // namespace panelink
