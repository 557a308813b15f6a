#pragma once

#include <QMainWindow>
#include <QPointer>

#include <array>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>

#include "panelink/core/event_hub.h"
#include "panelink/panel/front_panel_display.h"
#include "panelink/panel/ui/bitmap_store.h"
#include "panelink/panel/ui/panel_canvas.h"
#include "shared/platform/message.h"
#include "shared/platform/timer_host.h"

class QAction;

namespace panelink {

class BoxPresenter;
class PanelView;
class RadioState;
class MenuItemTable;
struct LinkFlags;

// What the window reads and writes of the process-wide records.
struct PanelRecords {
    const RadioState& radio;
    const MenuItemTable& menu;
    LinkFlags& flags;
};

// The auxiliary windows, each open at most once. Each reports its closing with a message of
// its own; some are opened from the menu.
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
};
inline constexpr int kAuxWindowCount = 14;

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

// The message an auxiliary window sends when it closes.
std::uint32_t auxWindowClosedMessage(AuxWindow window);

// The main window: the picture of the front panel with its menu. It subscribes to the event
// hub as the main window (every message, the sent ones included), runs the display-update
// messages and its own timers through FrontPanelDisplay into one back buffer, shows the link
// failure and menu-change boxes, and opens and closes the auxiliary windows.
class FrontPanelDialog final : public QMainWindow, public platform::MainWindowInterface {
    Q_OBJECT

  public:
    static constexpr const char* kCaption = "Vantor for OrvikD";
    static constexpr int kIconBitmap = 1252;

    // Creates the window of an auxiliary window, with the main window as parent; nullptr for
    // a window that does not exist (yet). The window posts its closing message when it ends.
    using AuxFactory = std::function<QWidget*(AuxWindow window, FrontPanelDialog& owner)>;

    FrontPanelDialog(PanelRecords records, EventHub& events, platform::TimerHost& timers,
                     BoxPresenter& boxes, QWidget* parent = nullptr);
    ~FrontPanelDialog() override;

    // Posted: handled later on the user interface thread, in posting order. Any thread.
    bool post(const platform::Message& message) override;
    // Handled before it returns: at once on the user interface thread, else queued there and
    // waited for. Once the window is closing, a send from another thread is dropped rather
    // than waited for, so no worker can hang on a window that is shutting down.
    void send(const platform::Message& message) override;

    void setAuxFactory(AuxFactory factory);

    // Starts the display timers: frequency 6 and 7, first redraw 11, blink 36.
    void startDisplay();
    // A tick of one of the window's own timers (user interface thread).
    void onTimer(int timerId);
    // One window message (user interface thread).
    void handleMessage(const platform::Message& message);

    // The run is ending: senders stop waiting, auxiliary windows close.
    void beginClosing();

    // Opens an auxiliary window through the factory, or brings the open one to the front.
    void openAuxWindow(AuxWindow window);

    // The menu items other than Exit are grayed while an auxiliary window is open.
    void updateMenuGraying();
    bool isAuxWindowOpen(AuxWindow window) const;
    bool anyAuxWindowOpen() const;
    QWidget* auxWindow(AuxWindow window) const;

    QAction* menuAction(int commandId) const;
    const PanelCanvas& canvas() const { return canvas_; }
    PanelView* view() const { return view_; }
    const FrontPanelDisplay& display() const { return display_; }

  signals:
    // The window has been closed (File/Exit or the close box): the run ends.
    void cancelled();

  protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    struct SendGate {
        std::mutex mutex;
        std::condition_variable done;
        bool closing = false;
    };

    void buildMenu();
    void draw(const DrawList& ops);
    void run(const DisplayResponse& update, const platform::Message& message);
    void act(SideAction action, const platform::Message& message);
    void onMenuCommand(int commandId);
    void onOk();
    void onCancel();
    void cancelSelection();
    void closeAuxWindow(AuxWindow window);
    void showLinkFailure(std::uintptr_t force, std::intptr_t index);
    void showMenuChangeNotice();
    void showVersionBox();

    PanelRecords records_;
    EventHub& events_;
    platform::TimerHost& timers_;
    BoxPresenter& boxes_;
    BitmapStore bitmaps_;
    PanelCanvas canvas_;
    FrontPanelDisplay display_;
    PanelView* view_ = nullptr;
    AuxFactory auxFactory_;
    std::array<QPointer<QWidget>, kAuxWindowCount> auxWindows_;
    std::map<int, QAction*> menuActions_;
    std::shared_ptr<SendGate> sendGate_ = std::make_shared<SendGate>();
    int linkBoxesUp_ = 0;
    bool noticeBoxUp_ = false;
    bool cancelled_ = false;
    // Last: ends before anything the handlers use goes.
    EventHub::Subscription subscription_;
};

}  // namespace panelink
