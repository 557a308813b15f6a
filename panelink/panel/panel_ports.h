#pragma once

// What the panel controller uses of the world around it. The main window and the program
// implement these; tests implement them with recorders and scripted answers.

#include <cstdint>
#include <functional>
#include <span>
#include <string_view>

#include "panelink/core/requests.h"
#include "panelink/panel/panel_tables.h"
#include "shared/platform/message.h"

namespace panelink {

enum class MouseButton : int { Left, Right };

// The main window as the controller sees it.
class PanelWindow {
  public:
    virtual ~PanelWindow() = default;
    // A drawing or indicator message, handled before the call returns.
    virtual void send(const platform::Message& message) = 0;
    // The DSP/SEL knob tunes the frequency (switched by the SEL key's indicator).
    virtual bool dspSelTuning() const = 0;
    // A message box with an OK button showing the program's string `stringId`. It does not
    // wait for the user.
    virtual void showMessageBox(int stringId) = 0;
    virtual void showVersionBox() = 0;
    // Shows "Reading the menu setting data now." over the panel until it closes itself, then
    // calls `closed`. It does not wait.
    virtual void runReadingNotice(std::function<void()> closed) = 0;
};

// The pointer as it is now, read at the moment of asking (not from the last event), so a
// release that went to another window is still seen.
class PointerState {
  public:
    virtual ~PointerState() = default;
    virtual bool isButtonDown(MouseButton button) const = 0;
    // The cursor in panel pixels; it may lie outside the picture.
    virtual PanelPoint cursor() const = 0;
};

// One item of a pop-up menu as shown.
struct PopupEntry {
    int id;
    std::string_view text;
    bool checked;
};

class PopupPresenter {
  public:
    virtual ~PopupPresenter() = default;
    // Shows the menu with its top-left corner at `position`, relative to the main window's
    // outer top-left corner, and waits for the user. The chosen id; 0 when dismissed.
    virtual int choose(PanelPoint position, std::span<const PopupEntry> entries) = 0;
};

// What the controller uses of the link.
class RadioLink {
  public:
    virtual ~RadioLink() = default;
    virtual void postRequest(Request request, std::uintptr_t wparam, std::intptr_t lparam) = 0;
    // A query put on the send queue directly; the writer is woken through Anl_Send_Thread.
    virtual void queueCommand(std::string_view text) = 0;
    // The port is open and its line lets commands out.
    virtual bool portUsable() = 0;
    // A menu read-out has completed since the link was last lost.
    virtual bool menuSettingsRead() = 0;
};

}  // namespace panelink
