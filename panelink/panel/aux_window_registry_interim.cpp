#include <array>

#include "panelink/core/messages.h"
#include "panelink/panel/aux_window_registry.h"

// Stand-in bodies of the registry, built only while aux_window_registry.cpp has none of its
// own (see CMakeLists.txt), so that the main window links and its tests run meanwhile.
namespace panelink {

namespace {

struct WindowRecord {
    AuxWindow window;
    std::uint32_t closedMessage;  // 0: the window sends none
    int menuCommand;              // 0: not opened from the menu
};

constexpr std::array<WindowRecord, kAuxWindowCount> kWindows{{
    {AuxWindow::VfoSet, id(WindowMessage::VfoSetClosed), 0},
    {AuxWindow::ComSelect, id(WindowMessage::ComSelectClosed), kMenuComSelect},
    {AuxWindow::BaudRate, id(WindowMessage::BaudRateClosed), kMenuBaudRate},
    {AuxWindow::CommandSend, id(WindowMessage::CommandSendClosed), kMenuCommandSend},
    {AuxWindow::MenuList, id(WindowMessage::MenuListClosed), 0},
    {AuxWindow::Playback, id(WindowMessage::PlaybackClosed), kMenuPlayback},
    {AuxWindow::Cw, id(WindowMessage::CwClosed), kMenuCw},
    {AuxWindow::Repeater, id(WindowMessage::RepeaterClosed), kMenuRepeater},
    {AuxWindow::Contour, id(WindowMessage::ContourClosed), 0},
    {AuxWindow::Vcc, id(WindowMessage::VccClosed), 0},
    {AuxWindow::Notch, id(WindowMessage::NotchClosed), 0},
    {AuxWindow::MicEq, id(WindowMessage::MicEqClosed), 0},
    {AuxWindow::Dnr, id(WindowMessage::DnrClosed), 0},
    {AuxWindow::MemoryWrite, id(WindowMessage::MemoryWriteClosed), 0},
    {AuxWindow::ConnectingNotice, 0, 0},
}};

// Which open window takes the focus when the panel or the menu is used.
constexpr std::array<AuxWindow, kAuxWindowCount> kFocusOrder{
    AuxWindow::MenuList,         AuxWindow::Notch,  AuxWindow::MicEq,       AuxWindow::Dnr,
    AuxWindow::Contour,          AuxWindow::VfoSet, AuxWindow::ComSelect,   AuxWindow::BaudRate,
    AuxWindow::CommandSend,      AuxWindow::Cw,     AuxWindow::Playback,    AuxWindow::Repeater,
    AuxWindow::ConnectingNotice, AuxWindow::Vcc,    AuxWindow::MemoryWrite,
};

constexpr std::size_t slot(AuxWindow window) {
    return static_cast<std::size_t>(window);
}

}  // namespace

bool AuxWindowRegistry::open(AuxWindow window) {
    if (isOpen(window)) {
        host_.focusWindow(window);
        return true;
    }
    if (!host_.createWindow(window)) return false;
    open_[slot(window)] = true;
    updateMenu();
    return true;
}

void AuxWindowRegistry::closed(AuxWindow window) {
    lost(window);
    host_.destroyWindow(window);
}

void AuxWindowRegistry::lost(AuxWindow window) {
    open_[slot(window)] = false;
    updateMenu();
}

bool AuxWindowRegistry::isOpen(AuxWindow window) const {
    return open_[slot(window)];
}

bool AuxWindowRegistry::anyOpen() const {
    for (bool open : open_) {
        if (open) return true;
    }
    return false;
}

bool AuxWindowRegistry::panelBlocked() const {
    for (const WindowRecord& record : kWindows) {
        if (record.window != AuxWindow::VfoSet && isOpen(record.window)) return true;
    }
    return false;
}

bool AuxWindowRegistry::focusFirstOpen() {
    for (AuxWindow window : kFocusOrder) {
        if (isOpen(window)) {
            host_.focusWindow(window);
            return true;
        }
    }
    return false;
}

std::uint32_t AuxWindowRegistry::closedMessage(AuxWindow window) {
    return kWindows[slot(window)].closedMessage;
}

std::optional<AuxWindow> AuxWindowRegistry::closedBy(std::uint32_t messageId) {
    if (messageId == 0) return std::nullopt;
    for (const WindowRecord& record : kWindows) {
        if (record.closedMessage == messageId) return record.window;
    }
    return std::nullopt;
}

std::optional<AuxWindow> AuxWindowRegistry::openedByCommand(int commandId) {
    for (const WindowRecord& record : kWindows) {
        if (record.menuCommand != 0 && record.menuCommand == commandId) return record.window;
    }
    return std::nullopt;
}

void AuxWindowRegistry::updateMenu() {
    host_.setMenuEnabled(!anyOpen());
}

}  // namespace panelink
