#pragma once

#include <cstddef>
#include <deque>
#include <string>
#include <string_view>

#include "keyweld/link/comm_k.h"
#include "shared/platform/timer_host.h"

namespace keyweld {

// What the log window shows of the model.
class TxRxLogView {
  public:
    virtual ~TxRxLogView() = default;
    virtual void linesAppended(const std::deque<std::string>& lines, std::size_t count) = 0;
    virtual void cleared() = 0;
    virtual void shownChanged(bool shown) = 0;
};

// The Tx/Rx log: the lines of the traffic and the rule that gathers received bytes into
// bursts. Lines are kept whether the window is shown or not, the last kMaxLines of them; the
// window shows only the traffic since it was last opened. Lines are UTF-8; received bytes are
// taken one byte per character (Latin-1). User interface thread only.
class TxRxLog {
  public:
    static constexpr std::size_t kMaxLines = 10000;
    // The one-shot that ends a receive burst.
    static constexpr int kBurstTimerId = 2;
    static constexpr platform::Milliseconds kBurstTime{100};

    static constexpr std::string_view kTxHeader = "[TX Data]";
    static constexpr std::string_view kRxHeader = "[RX Data]";
    static constexpr std::string_view kNotSentPortClosed = "(not sent: port closed)";
    static constexpr std::string_view kNotSentBusy = "(not all sent: line busy)";

    // The tick handler of `timers` must call onTimer().
    explicit TxRxLog(platform::TimerHost& timers);

    void setView(TxRxLogView* view) { view_ = view; }

    // "[TX Data]" and the text, and a marker line when not everything went out.
    void appendSent(std::string_view text, SendOutcome outcome);
    // Bytes received: the first of a burst starts the 100 ms one-shot; when it fires the
    // burst becomes "[RX Data]" and its text.
    void appendReceived(std::string_view bytes);
    void onTimer(int timerId);

    // Shown: stop the burst timer and hide. Hidden: clear and show.
    void toggle();
    bool isShown() const { return shown_; }
    // The user closed the window itself: it is hidden, the burst goes on.
    void windowClosed();

    const std::deque<std::string>& lines() const { return lines_; }
    const std::string& pendingBurst() const { return burst_; }

  private:
    void append(std::string line);
    void appendLines(std::initializer_list<std::string_view> lines);

    platform::TimerHost& timers_;
    TxRxLogView* view_ = nullptr;
    std::deque<std::string> lines_;
    std::string burst_;
    bool shown_ = false;
};

}  // namespace keyweld
