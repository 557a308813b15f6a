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

#include "panelink/core/event_hub.h"
#include "panelink/panel/aux_window_registry.h"
#include "panelink/panel/front_panel_display.h"
#include "panelink/panel/panel_ports.h"
#include "panelink/panel/ui/bitmap_store.h"
#include "panelink/panel/ui/panel_canvas.h"
#include "panelink/panel/zoom_setting.h"
#include "shared/platform/message.h"
#include "shared/platform/timer_host.h"

class QAction;
class QMenu;

namespace panelink {

class BoxPresenter;
class PanelController;
class PanelView;
class RadioState;
class MenuItemTable;
struct LinkFlags;

// What the window reads and writes of the process-wide records.
struct PanelRecords {
    RadioState& radio;  // the panel clears the CONTOUR level when COM connects
    const MenuItemTable& menu;
    LinkFlags& flags;
};

// The pop-up menus and the pointer the panel controller uses: the live ones unless given.
struct PanelInputPorts {
    PopupPresenter* popups = nullptr;
    PointerState* pointer = nullptr;
};

// The main window: the picture of the front panel with its menu. It subscribes to the event
// hub as the main window (every message, the sent ones included), runs the display-update
// messages and its own timers through FrontPanelDisplay into one back buffer, and shows the
// link failure and menu-change boxes. Its PanelController turns the mouse, the menu, Enter
// and the controller's timers into requests, pop-ups and auxiliary windows; the window is
// the controller's window (drawing messages, boxes) and creates and destroys the auxiliary
// windows for it.
class FrontPanelDialog final : public QMainWindow,
                               public platform::MainWindowInterface,
                               public PanelWindow,
                               public AuxWindowHost {
    Q_OBJECT

  public:
    static constexpr const char* kCaption = "Vantor for OrvikD";
    static constexpr int kIconBitmap = 1252;

    // Creates the window of an auxiliary window, with the main window as parent; nullptr for
    // a window that does not exist (yet). The window posts its closing message when it ends.
    using AuxFactory = std::function<QWidget*(AuxWindow window, FrontPanelDialog& owner)>;

    FrontPanelDialog(PanelRecords records, EventHub& events, platform::TimerHost& timers,
                     BoxPresenter& boxes, RadioLink& link, PanelInputPorts inputs = {},
                     QWidget* parent = nullptr);
    ~FrontPanelDialog() override;

    // Posted: handled later on the user interface thread, in posting order. Any thread.
    bool post(const platform::Message& message) override;
    // Handled before it returns: at once on the user interface thread, else queued there and
    // waited for. Once the window is closing, a send from another thread is dropped rather
    // than waited for, so no worker can hang on a window that is shutting down. The panel
    // controller's drawing messages come this way too.
    void send(const platform::Message& message) override;

    void setAuxFactory(AuxFactory factory);

    // Starts the display timers: frequency 6 and 7, first redraw 11, blink 36.
    void startDisplay();
    // A tick of one of the window's timers (user interface thread): the controller's own, or
    // the display's.
    void onTimer(int timerId);
    // One window message (user interface thread).
    void handleMessage(const platform::Message& message);

    // The run is ending: senders stop waiting, auxiliary windows close.
    void beginClosing();
    // As File/Exit: the panel's close step, then cancelled().
    void requestExit();

    // The menu items other than Exit are grayed while an auxiliary window is open.
    void updateMenuGraying();

    // Shows the panel at this zoom (View/Zoom shows it checked); the window takes the size
    // of the zoomed panel and redraws it from the bitmaps of the scale the screen needs.
    void setZoom(ZoomSetting setting);
    ZoomSetting zoom() const { return zoom_; }

    // PanelWindow, besides send().
    bool dspSelTuning() const override;
    void showMessageBox(int stringId) override;
    void showVersionBox() override;
    void runReadingNotice(std::function<void()> closed) override;

    // AuxWindowHost.
    bool createWindow(AuxWindow window) override;
    void destroyWindow(AuxWindow window) override;
    void focusWindow(AuxWindow window) override;
    void setMenuEnabled(bool enabled) override;

    PanelController& controller() const { return *controller_; }
    // The widget of an open auxiliary window; nullptr when it has none.
    QWidget* auxWindow(AuxWindow window) const;
    QAction* menuAction(int commandId) const;
    const PanelCanvas& canvas() const { return canvas_; }
    PanelView* view() const { return view_; }
    const FrontPanelDisplay& display() const { return display_; }

  signals:
    // The window has been closed (File/Exit or the close box): the run ends.
    void cancelled();
    // The user chose a zoom in View/Zoom; it is already shown.
    void zoomChosen(panelink::ZoomSetting setting);

  protected:
    void closeEvent(QCloseEvent* event) override;
    // Escape and Enter. F1 and the other function keys are the shortcut keys', whose filter
    // sees them before the window does.
    void keyPressEvent(QKeyEvent* event) override;
    // Follows the window to a screen of another device pixel ratio.
    void showEvent(QShowEvent* event) override;

  private:
    struct SendGate {
        std::mutex mutex;
        std::condition_variable done;
        bool closing = false;
    };

    void buildMenu();
    QMenu* buildZoomMenu();
    void applyZoom();
    void connectInput();
    void draw(const DrawList& ops);
    void run(const DisplayResponse& update, const platform::Message& message);
    void act(SideAction action, const platform::Message& message);
    void onCancel();
    void showLinkFailure(std::uintptr_t force, std::intptr_t index);
    void showMenuChangeNotice();
    bool isOpen(AuxWindow window) const;

    PanelRecords records_;
    EventHub& events_;
    platform::TimerHost& timers_;
    BoxPresenter& boxes_;
    BitmapStore bitmaps_;
    PanelCanvas canvas_;
    FrontPanelDisplay display_;
    PanelView* view_ = nullptr;
    std::unique_ptr<PopupPresenter> ownPopups_;
    std::unique_ptr<PointerState> ownPointer_;
    std::unique_ptr<PanelController> controller_;
    AuxFactory auxFactory_;
    std::array<QPointer<QWidget>, kAuxWindowCount> auxWindows_;
    std::map<int, QAction*> menuActions_;
    std::map<ZoomSetting, QAction*> zoomActions_;
    ZoomSetting zoom_ = kZoomChoices.front().setting;
    bool followsScreenChanges_ = false;
    std::shared_ptr<SendGate> sendGate_ = std::make_shared<SendGate>();
    int linkBoxesUp_ = 0;
    bool noticeBoxUp_ = false;
    bool cancelled_ = false;
    // Last: ends before anything the handlers use goes.
    EventHub::Subscription subscription_;
};

}  // namespace panelink
