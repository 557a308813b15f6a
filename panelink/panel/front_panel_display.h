#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "panelink/core/messages.h"
#include "panelink/core/timer_ids.h"
#include "panelink/panel/draw_op.h"
#include "panelink/panel/meter_peak_hold.h"
#include "panelink/panel/panel_snapshot.h"
#include "shared/platform/message.h"
#include "shared/platform/timer_host.h"

namespace panelink {

class RadioState;
class MenuItemTable;

// The redraw steps and the message table behind handleMessage(); defined with it.
enum class DisplayStep : int;
struct DisplayRoute;

// What a message asks of the window and its dialogs besides drawing. The other windows hear
// the display updates they need from the event hub themselves.
enum class SideAction {
    ShowPendingBandPopup,            // "BS": a BAND pop-up waiting for the band shows now
    StopReadBack,                    // "SQ", "RG", "AG", "IS", "FA", "FB" came first
    MenuChangeNotice,                // the transceiver left its menu: notice by the open windows
    MenuChangeNoticeIfMenuListOpen,  // a menu setting changed: notice while MENU LIST is open
    CloseStepLongPress,              // "ST": a STEP press waiting for it opens its pop-up
    ShowLinkFailure,                 // WindowMessage::LinkFailure
    CloseConnectingNotice,           // WindowMessage::Connected
    Exit,                            // WindowMessage::Exit: run the window's cancel step
    MenuListClosed,  // WindowMessage::MenuListClosed: the controller's part of the close
};

// The answer of the display to one message or timer tick. `handled` is false for messages
// and timers that belong to others (window-closed notices, the controller's timers).
struct DisplayResponse {
    bool handled = false;
    DrawList ops;
    std::vector<SideAction> actions;
    // A full redraw's display updates that other windows listen to: passed on to them, so a
    // freshly opened window is filled.
    std::vector<platform::Message> refills;
};

// Message numbers the display handles under a name of its own.

// The main window's display: turns display-update messages, its own drawing messages and its
// display timers into draw operations, and keeps the display state those need. Reads
// RadioState and MenuItemTable afresh for every message. User interface thread only.
class FrontPanelDisplay {
  public:
    static constexpr int kTimerFrequencyA = panelink::kTimerFrequencyA;
    static constexpr int kTimerFrequencyB = panelink::kTimerFrequencyB;
    static constexpr int kTimerFirstRedraw = panelink::kTimerFirstRedraw;
    static constexpr int kTimerFullRedraw = panelink::kTimerFullRedraw;
    static constexpr int kTimerPeakHold = MeterPeakHold::kTimerId;
    static constexpr int kTimerBlink = panelink::kTimerBlink;

    struct CaptionRequest {
        int lit = 0;
        int index = 0;
        friend bool operator==(const CaptionRequest&, const CaptionRequest&) = default;
    };

    FrontPanelDisplay(const RadioState& radio, const MenuItemTable& menu,
                      platform::TimerHost& timers);
    FrontPanelDisplay(const FrontPanelDisplay&) = delete;
    FrontPanelDisplay& operator=(const FrontPanelDisplay&) = delete;

    // Starts the display timers: frequency (6 and 7, 30 ms), first redraw (11, 10 ms, one
    // tick) and blink (36, 300 ms).
    void start();
    // The window was painted: redraw every element 30 ms later (timer 13, one tick).
    void requestFullRedraw();

    DisplayResponse handleMessage(const platform::Message& message);
    DisplayResponse onTimer(int timerId);

    // The two redraw sequences, also run by timers 11 and 13. The first one sends every
    // message as if it had arrived; the full redraw only draws (no state changes, no side
    // actions; only the refills for the other windows).
    DisplayResponse firstFullRedraw();
    DisplayResponse fullRedraw();

    int selectedDigit() const { return selectedDigit_; }
    int mainDialAngle() const { return mainDialAngle_; }
    bool blinkPhase() const { return blinkPhase_; }
    bool tuningFlag() const { return tuningFlag_; }
    bool menuListReady() const { return menuListReady_; }
    int meterValue() const { return meter_.value(); }
    int previousMeterValue() const { return meter_.previous(); }
    int heldPeak() const { return meter_.peak(); }
    std::optional<CaptionRequest> captionRequest() const { return caption_; }

  private:
    enum class Mode { Live, Repaint };

    void runStep(DisplayStep step, const PanelSnapshot& s, Mode mode, DisplayResponse& out);
    void runRoute(const DisplayRoute& route, const PanelSnapshot& s, Mode mode,
                  DisplayResponse& out);
    bool handleWindowMessage(const platform::Message& message, const PanelSnapshot& s,
                             DisplayResponse& out);
    void selKeyIndicator(std::uintptr_t wparam, const PanelSnapshot& s, DrawList& ops);
    DrawList meterBar(const PanelSnapshot& s) const;
    PanelSnapshot snapshot() const;

    const RadioState& radio_;
    const MenuItemTable& menu_;
    platform::TimerHost& timers_;
    MeterPeakHold meter_;

    int selectedDigit_ = 0;
    int mainDialAngle_ = 0;
    bool blinkPhase_ = false;
    bool tuningFlag_ = false;
    bool menuListReady_ = false;
    std::optional<CaptionRequest> caption_;
};

}  // namespace panelink
