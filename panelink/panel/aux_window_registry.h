#pragma once

#include <array>
#include <cstdint>
#include <optional>

namespace panelink {

// The auxiliary windows the panel opens, each at most once at a time. The connecting notice
// counts as one of them: while it is up the panel ignores clicks like for any other.
enum class AuxWindow : int {
    VfoSet,
    ComSelect,
    BaudRate,
    CommandSend,
    MenuList,
    Playback,
    Cw,
    Repeater,
    Contour,
    Vcc,
    Notch,
    MicEq,
    Dnr,
    MemoryWrite,
    ConnectingNotice,
};
inline constexpr int kAuxWindowCount = 15;

// Menu 130: the command ids of its items.
enum MenuCommand : int {
    kMenuExit = 32779,
    kMenuCommandSend = 32780,
    kMenuComSelect = 32781,
    kMenuBaudRate = 32782,
    kMenuPlayback = 32783,
    kMenuCw = 32785,
    kMenuRepeater = 32786,
    kMenuVersion = 32789,
};

// What the registry asks of the main window.
class AuxWindowHost {
  public:
    virtual ~AuxWindowHost() = default;
    // Creates the window with the main window as parent and shows it at once; false when the
    // program has no such window (yet).
    virtual bool createWindow(AuxWindow window) = 0;
    virtual void destroyWindow(AuxWindow window) = 0;
    virtual void focusWindow(AuxWindow window) = 0;
    // The menu items other than Exit.
    virtual void setMenuEnabled(bool enabled) = 0;
};

// Which auxiliary windows are open. Opening sets a window's flag and grays the menu; its
// closing message clears the flag, enables the menu again when it was the last one and
// destroys the window. User interface thread only.
class AuxWindowRegistry {
  public:
    explicit AuxWindowRegistry(AuxWindowHost& host) : host_(host) {}

    // Opens the window, or brings an open one to the front. False when the program has no
    // such window: it stays closed.
    bool open(AuxWindow window);
    // The window's closing message arrived: flag cleared, menu updated, window destroyed.
    void closed(AuxWindow window);
    // The window went away by itself, without its closing message: flag cleared and menu
    // updated, nothing left to destroy.
    void lost(AuxWindow window);

    bool isOpen(AuxWindow window) const;
    // Any window at all: the menu is grayed.
    bool anyOpen() const;
    // "A window is open" for the panel's clicks: any window but VFO SET.
    bool panelBlocked() const;
    // Brings the first open window in focus order to the front; false when none is open.
    bool focusFirstOpen();

    // The message a window sends when it closes.
    static std::uint32_t closedMessage(AuxWindow window);
    static std::optional<AuxWindow> closedBy(std::uint32_t messageId);
    // The window a menu command opens.
    static std::optional<AuxWindow> openedByCommand(int commandId);

  private:
    void updateMenu();

    AuxWindowHost& host_;
    std::array<bool, kAuxWindowCount> open_{};
};

}  // namespace panelink
