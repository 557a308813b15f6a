#include "panelink/panel/aux_window_registry.h"

#include "panelink/core/messages.h"

namespace panelink {
namespace {

using A = AuxWindow;

struct ClosedMessage {
    AuxWindow window;
    WindowMessage message;
};

// The connecting notice is closed by the panel itself and sends nothing.
constexpr std::array<ClosedMessage, 14> kClosedMessages{{
    {A::VfoSet, WindowMessage::VfoSetClosed},
    {A::ComSelect, WindowMessage::ComSelectClosed},
    {A::BaudRate, WindowMessage::BaudRateClosed},
    {A::CommandSend, WindowMessage::CommandSendClosed},
    {A::MenuList, WindowMessage::MenuListClosed},
    {A::Playback, WindowMessage::PlaybackClosed},
    {A::Cw, WindowMessage::CwClosed},
    {A::Repeater, WindowMessage::RepeaterClosed},
    {A::Contour, WindowMessage::ContourClosed},
    {A::Vcc, WindowMessage::VccClosed},
    {A::Notch, WindowMessage::NotchClosed},
    {A::MicEq, WindowMessage::MicEqClosed},
    {A::Dnr, WindowMessage::DnrClosed},
    {A::MemoryWrite, WindowMessage::MemoryWriteClosed},
}};

struct MenuOpens {
    MenuCommand command;
    AuxWindow window;
};

constexpr std::array<MenuOpens, 6> kMenuOpens{{
    {kMenuCommandSend, A::CommandSend},
    {kMenuComSelect, A::ComSelect},
    {kMenuBaudRate, A::BaudRate},
    {kMenuPlayback, A::Playback},
    {kMenuCw, A::Cw},
    {kMenuRepeater, A::Repeater},
}};

// The window that takes the keyboard focus when a press arrives while several are open.
constexpr std::array<AuxWindow, kAuxWindowCount> kFocusOrder{
    A::MenuList,         A::Notch,    A::MicEq,       A::Dnr, A::Contour,  A::VfoSet,
    A::ComSelect,        A::BaudRate, A::CommandSend, A::Cw,  A::Playback, A::Repeater,
    A::ConnectingNotice, A::Vcc,      A::MemoryWrite,
};

static_assert(static_cast<int>(A::ConnectingNotice) + 1 == kAuxWindowCount);

constexpr std::size_t slot(AuxWindow window) {
    return static_cast<std::size_t>(window);
}

}  // namespace

bool AuxWindowRegistry::open(AuxWindow window) {
    if (isOpen(window)) {
        host_.focusWindow(window);
        return true;
    }
    // Marked open before it is created, so a window that closes while being created finds
    // its flag to clear.
    open_[slot(window)] = true;
    if (!host_.createWindow(window)) {
        open_[slot(window)] = false;
        return false;
    }
    updateMenu();
    return true;
}

void AuxWindowRegistry::closed(AuxWindow window) {
    if (!isOpen(window)) return;
    open_[slot(window)] = false;
    updateMenu();
    host_.destroyWindow(window);
}

void AuxWindowRegistry::lost(AuxWindow window) {
    if (!isOpen(window)) return;
    open_[slot(window)] = false;
    updateMenu();
}

bool AuxWindowRegistry::isOpen(AuxWindow window) const {
    return open_[slot(window)];
}

bool AuxWindowRegistry::anyOpen() const {
    for (const bool open : open_) {
        if (open) return true;
    }
    return false;
}

bool AuxWindowRegistry::panelBlocked() const {
    for (std::size_t i = 0; i < open_.size(); ++i) {
        if (open_[i] && i != slot(A::VfoSet)) return true;
    }
    return false;
}

bool AuxWindowRegistry::focusFirstOpen() {
    for (const AuxWindow window : kFocusOrder) {
        if (isOpen(window)) {
            host_.focusWindow(window);
            return true;
        }
    }
    return false;
}

std::uint32_t AuxWindowRegistry::closedMessage(AuxWindow window) {
    for (const auto& entry : kClosedMessages) {
        if (entry.window == window) return id(entry.message);
    }
    return 0;
}

std::optional<AuxWindow> AuxWindowRegistry::closedBy(std::uint32_t messageId) {
    for (const auto& entry : kClosedMessages) {
        if (id(entry.message) == messageId) return entry.window;
    }
    return std::nullopt;
}

std::optional<AuxWindow> AuxWindowRegistry::openedByCommand(int commandId) {
    for (const auto& entry : kMenuOpens) {
        if (entry.command == commandId) return entry.window;
    }
    return std::nullopt;
}

void AuxWindowRegistry::updateMenu() {
    host_.setMenuEnabled(!anyOpen());
}

}  // namespace panelink
