#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <optional>

#include "panelink/panel/aux_window_registry.h"
#include "panelink/panel/dial_steps.h"
#include "panelink/panel/panel_codes.h"
#include "panelink/panel/panel_ports.h"
#include "panelink/panel/panel_tables.h"
#include "shared/platform/timer_host.h"

namespace panelink {

class RadioState;
class MenuItemTable;
struct PopupView;

// Turns mouse input on the panel picture into panel control codes and those into requests,
// pop-up menus, auxiliary windows, dial steps and knob values. Owns the registry of the
// auxiliary windows. Reads RadioState and MenuItemTable afresh at every use. User interface
// thread only; every timer goes through the timer host, so tests run it in virtual time.
class PanelController {
  public:
    struct Ports {
        PanelWindow& window;
        AuxWindowHost& windows;
        PopupPresenter& popups;
        PointerState& pointer;
        RadioLink& link;
        platform::TimerHost& timers;
    };

    // The VFO SET window's OK action belongs to that window; until it exists Enter only
    // toggles code 63.
    struct Sequences {
        std::function<void()> vfoSetOk;
    };

    // Writes RadioState once: the CONTOUR level is cleared when COM is pressed unconnected.
    PanelController(RadioState& radio, const MenuItemTable& menu, Ports ports);
    PanelController(const PanelController&) = delete;
    PanelController& operator=(const PanelController&) = delete;

    void setSequences(Sequences sequences);

    // Mouse input in panel pixels. The wheel takes one step per call whatever the delta;
    // delta > 0 turns up (clockwise, increase).
    void leftPress(PanelPoint p);
    void leftRelease(PanelPoint p);
    void rightPress(PanelPoint p);
    void rightRelease(PanelPoint p);
    void wheel(PanelPoint p, int delta);

    // A tick of one of the controller's timers; false for a timer that is not its own.
    bool onTimer(int timerId);
    static bool ownsTimer(int timerId);

    // Menu 130.
    void onMenuCommand(int commandId);

    // Answers and notices from the main window's message handling.
    void onBandReported();       // "BS": a pending band pop-up opens now
    void onStepReported();       // "ST": a pending STEP pop-up opens now
    void onReadBackAnswered();   // "SQ", "RG", "AG", "IS", "FA", "FB" came before the query
    void onConnectionChanged();  // the receive side saw the connection state change
    // An auxiliary window's closing message. VFO SET carries the entered frequency in wparam.
    void onWindowClosed(AuxWindow window, std::uintptr_t wparam);

    // Enter: cancel a knob or digit selection, then code 63 twice.
    void cancelSelection();
    // File/Exit and the close box: with MENU LIST open the panel is unlocked and `then` runs
    // 500 ms later; otherwise at once.
    void closeStep(std::function<void()> then);

    // Press processing of one code; also for keyboard-generated codes.
    void processCode(PanelCode code);

    AuxWindowRegistry& windows() { return registry_; }
    const AuxWindowRegistry& windows() const { return registry_; }
    PanelCode activeControl() const { return active_; }
    // Shortcut keys are blocked from the F key until the MENU LIST closes.
    bool keysBlocked() const { return keysBlocked_; }
    // The frequency digit under the wheel, 1 (1 Hz) .. 8; 0 for none.
    int selectedDigit() const { return isDigit(active_) ? digitIndex(active_) : 0; }
    // A pause or a pop-up is running: input is held back until it ends.
    bool busy() const { return pausing_ || inPopup_ || readingNotice_; }

  private:
    enum class ValueStep { Click, Repeat, Wheel };

    // Input, once no pause or pop-up holds it back.
    void leftPressNow(PanelPoint p);
    void rightPressNow(PanelPoint p);
    void leftReleaseNow();
    void rightReleaseNow();
    void wheelNow(PanelPoint p, int delta);
    void menuCommandNow(int commandId);

    // Buttons and pop-ups.
    void beforePress();
    void pressButton(HitZone zone, PanelCode code);
    void pressRoundArea(HitZone zone, PanelPoint p, MouseButton button);
    void pressedNothing(MouseButton button);
    void deselect();
    PanelCode popupStep(PanelCode code);
    void pressProcess(PanelCode code);
    void finishPress(PanelCode code);
    void sendRequestOf(PanelCode code, std::function<void()> then);
    std::optional<Request> requestToSend(PanelCode code, const ControlRecord& row) const;
    // The code's row request, with the row's value unless one is given.
    void postRow(PanelCode code, std::optional<std::int32_t> value = std::nullopt);
    void post(Request request, bool readBack, std::int32_t value);
    void holdCheck();
    bool exempt(PanelCode code) const;
    bool blocked(PanelCode code) const;
    bool ignoresPresses() const;
    void startDelayedPopup(PanelCode code, Request read);
    void openDelayedPopup(PanelCode expected);
    void showPopup(PanelCode opener);
    void runPopup(const PopupView& view);
    void openWindow(AuxWindow window);
    void drawIndicator(PanelCode code, bool pressed);
    void send(const platform::Message& message);

    // Dials.
    void startDrag(PanelCode dial, PanelPoint p);
    void dragTick();
    void endDrag();
    void turnByWheel(PanelCode dial, bool up);
    DialTurn& dialState(PanelCode dial);
    void drawDial(PanelCode dial, int angle);
    void sendDialSteps(PanelCode dial);
    void dspSelTuningStep(int direction);

    // Knobs, digits and read-backs.
    bool knobSelected() const;
    bool digitSelected() const;
    void pressKnob(PanelCode knob);
    void selectKnob(PanelCode knob);
    void deselectKnob();
    void selectDigit(PanelCode digit);
    void deselectDigit();
    void startRepeat(bool increasing);
    void knobRelease(MouseButton button);
    void knobRepeatTick();
    void sendKnobValue(ValueStep step, bool up);
    void wheelOnDigit(bool up);
    void startReadBack(PanelCode code);
    void readBackTick();

    // The F key and MW.
    void functionKeySequence();
    void lockPanel(int times, std::function<void()> then);
    void readMenuSettings();
    void menuSettingsReadingClosed();
    void memoryWriteSequence();

    // COM connect.
    void connectTick();
    void retryTick();
    void closeConnectingNotice();

    // Pauses: `then` runs after at least `ms`; input meanwhile is held back in order.
    void pause(int ms, std::function<void()> then);
    void pauseEnded();
    void deferOrRun(std::function<void()> input);
    void runDeferred();

    RadioState& radio_;
    const MenuItemTable& menu_;
    Ports ports_;
    AuxWindowRegistry registry_;
    Sequences sequences_;

    PanelCode active_ = PanelCode::None;
    bool vfoB_ = false;
    PanelCode readBackCode_ = PanelCode::None;
    PanelCode pendingPopup_ = PanelCode::None;  // STEP or BAND waiting for its answer or timer 38
    bool connecting_ = false;
    int retryCount_ = 0;

    DialTurn mainDial_;
    DialTurn dspSelKnob_;
    bool justSelected_ = false;
    bool repeatRunning_ = false;
    bool repeatIncreasing_ = false;

    bool keysBlocked_ = false;
    bool pausing_ = false;
    bool inPopup_ = false;
    bool readingNotice_ = false;
    bool runningDeferred_ = false;
    std::function<void()> afterPause_;
    std::deque<std::function<void()>> deferred_;
};

}  // namespace panelink
