#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "panelink/panel/dial_steps.h"
#include "panelink/panel/draw_op.h"
#include "panelink/panel/dsp_window_tables.h"
#include "panelink/panel/panel_ports.h"
#include "shared/platform/message.h"
#include "shared/platform/timer_host.h"

namespace panelink {

class RadioState;

// The CONTOUR, NOTCH and DNR windows without widgets: a picture with an ON/OFF key, one or two
// knobs and their value fields, worked by the mouse like the front panel. Presses, releases,
// the wheel, the window's own timer ticks and the state updates it hears go in; drawing comes
// out as operations on the window's picture, requests and read-back queries go to the link.
// Reads RadioState afresh at every use. User interface thread only.
class DspWindow {
  public:
    struct Ports {
        RadioLink& link;
        PointerState& pointer;
        platform::TimerHost& timers;        // the window's own timer ids (DspTimerId)
        platform::MessageSink& mainWindow;  // hears the closing message
    };

    DspWindow(DspWindowKind kind, const RadioState& radio, Ports ports);
    DspWindow(const DspWindow&) = delete;
    DspWindow& operator=(const DspWindow&) = delete;

    const DspWindowProfile& profile() const { return profile_; }
    // The state updates the window listens to.
    std::vector<std::uint32_t> interest() const;

    // The key and the knobs as the state has them, drawn over the background picture.
    DrawList open() const;

    // Mouse input in the window's picture pixels. The second press of a left double click
    // comes as leftDoubleClick() (it repeats a selected field, wherever it lands); a right
    // double click is a right press. The wheel takes one step per call whatever the delta;
    // delta > 0 turns clockwise.
    DrawList leftPress(PanelPoint p);
    DrawList leftDoubleClick();
    DrawList leftRelease();
    DrawList rightPress();
    DrawList rightRelease();
    DrawList wheel(PanelPoint p, int delta);

    DrawList onTimer(int timerId);
    DrawList onDisplayUpdate(std::uint32_t messageId);

    // Close box or Escape: stops the timers and posts the closing message, the first time
    // only. False when the window had already closed.
    bool close();
    bool closed() const { return closed_; }

    // What is selected or held, for the tests and the window.
    std::optional<std::size_t> selectedField() const { return selected_; }
    std::optional<std::size_t> draggedKnob() const;
    bool keyHeld() const { return active_ == Active::Key; }

  private:
    enum class Active { None, Key, Knob };

    const DspControl& control(std::size_t index) const { return profile_.controls()[index]; }
    std::int32_t current(std::size_t index) const;
    bool keyLit() const;
    bool sendAllowed(std::size_t index) const;

    // Drawing.
    DrawList drawKey(bool pressed) const;
    DrawList drawKnob(std::size_t index, int angle) const;
    DrawList drawKnobAtRest(std::size_t index) const;
    DrawList drawField(std::size_t index, bool lit) const;

    // The key.
    DrawList pressKey();
    DrawList releaseKey();
    void postKeyRequest();

    // Knobs.
    std::optional<std::size_t> knobAt(PanelPoint p) const;
    DrawList pressKnob(std::size_t index, PanelPoint p);
    DrawList dragTick();
    DrawList endDrag();
    void sendSteps(std::size_t index);

    // Value fields.
    std::optional<std::size_t> fieldAt(PanelPoint p) const;
    DrawList selectField(std::size_t index);
    DrawList deselectField();
    void startRepeat(MouseButton button);
    DrawList repeatTick();
    void stepField(bool up);

    // Requests and read-backs.
    void sendValue(std::size_t index, std::int32_t value);
    void startReadBack(std::size_t index);
    void readBackTick();

    const DspWindowProfile& profile_;
    const RadioState& radio_;
    Ports ports_;

    Active active_ = Active::None;
    std::size_t activeKnob_ = 0;
    std::array<DialTurn, 2> turns_{};
    std::optional<std::size_t> selected_;
    bool justSelected_ = false;
    bool repeatRunning_ = false;
    MouseButton repeatButton_ = MouseButton::Left;
    std::optional<std::size_t> readBack_;
    bool closed_ = false;
};

}  // namespace panelink
