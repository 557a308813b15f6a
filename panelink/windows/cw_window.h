#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

#include "panelink/panel/panel_ports.h"
#include "shared/platform/clock.h"
#include "shared/platform/message.h"
#include "shared/platform/timer_host.h"

namespace panelink {

class RadioState;

// Control ids of the CW window (template 897), the visible ones. The "Message Play" group,
// the fifth text-play button and the text boxes of memories 4 and 5 are hidden in the
// template and left out here.
enum CwControl : int {
    kCwTextBox1 = 1041,
    kCwTextBox2 = 1042,
    kCwTextBox3 = 1043,
    kCwPlayText1 = 1060,
    kCwPlayText2 = 1061,
    kCwPlayText3 = 1062,
    kCwStop = 1063,
    kCwWrite1 = 1065,
    kCwWrite2 = 1066,
    kCwWrite3 = 1067,
    kCwSpotOn = 1070,
    kCwSpotOff = 1071,
};

// What the CW window is doing: the opening read of memories 1..3 waits for memory 1, 2, 3;
// after a write it waits for the read-back of the memory written.
enum class CwState : int {
    Idle = 0,
    Reading1 = 1,
    Reading2 = 2,
    Reading3 = 3,
    ReadBack1 = 4,
    ReadBack2 = 5,
    ReadBack3 = 6,
};

// Why a keyer text cannot go on the wire. A ";" would end the "KM" command early and the rest
// would reach the radio as a command of its own; anything but printable ASCII is not CAT text.
enum class KeyerTextProblem { None, Semicolon, NotPrintable };

KeyerTextProblem keyerTextProblem(std::string_view text);

// The CW window without widgets: the keyer memories 1..3 of the radio shown in three text
// boxes, read once at opening and written back one at a time with a read-back, the text-play
// and STOP buttons and the spot tone. The dialog feeds it the button presses, the typed texts,
// the "KM" display updates and the ticks of its guard timer, and shows what it holds. User
// interface thread only.
class CwWindow {
  public:
    static constexpr int kMemoryCount = 3;
    static constexpr std::size_t kMaxTextLength = 40;
    // Guards the opening read and each read-back.
    static constexpr int kGuardTimer = 26;
    static constexpr platform::Milliseconds kGuardPeriod{5000};

    struct Ports {
        RadioLink& link;
        const RadioState& radio;
        // Hears the window's closing message: the event hub, which passes it to the main
        // window.
        platform::MessageSink& mainWindow;
        platform::TimerHost& timers;
    };

    explicit CwWindow(Ports ports);

    // Asks for memories 1..3 and locks the window until they have arrived or the guard
    // timer ends the wait.
    void open();

    // A button of the window (CwControl); false when it is not a button or is disabled.
    bool press(int control);
    // The user changed the text of box `memory` (1..3).
    void edit(int memory, std::string_view text);
    // A display update from the event hub; the window takes "KM".
    void onMessage(const platform::Message& message);
    void onTimer(int timerId);
    // Close box, Escape: the closing message goes out once; afterwards every input is
    // ignored.
    void close();

    // What the widgets show. Memories are 1..3.
    const std::string& text(int memory) const;
    bool writeEnabled(int memory) const;
    KeyerTextProblem problem(int memory) const;
    // The play, STOP and spot buttons.
    bool playEnabled() const { return usable_; }
    bool textsEditable() const { return usable_; }
    // Counts the requests to put the focus on the first text-play button.
    int focusRequests() const { return focusRequests_; }

    CwState state() const { return state_; }
    // The shortcut keys are the window's to hand on only while it is idle.
    bool takesShortcuts() const { return state_ == CwState::Idle && !closed_; }
    bool closed() const { return closed_; }

  private:
    struct Box {
        std::string text;
        bool writeEnabled = false;
    };

    static bool isMemory(int memory) { return memory >= 1 && memory <= kMemoryCount; }
    Box& box(int memory) { return boxes_[static_cast<std::size_t>(memory - 1)]; }
    const Box& box(int memory) const { return boxes_[static_cast<std::size_t>(memory - 1)]; }

    // The first 40 characters of the radio's record, trailing blanks removed.
    std::string storedText(int memory) const;
    void showStored(int memory);
    void checkWrite(int memory);
    void finishReading();
    void write(int memory);
    void onKeyerAnswer();
    void startGuard();
    void stopGuard();

    Ports ports_;
    std::array<Box, kMemoryCount> boxes_{};
    CwState state_ = CwState::Idle;
    bool usable_ = true;
    bool closed_ = false;
    int focusRequests_ = 0;
};

}  // namespace panelink
