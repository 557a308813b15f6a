#pragma once

#include <QObject>
#include <QPointer>

#include <atomic>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "panelink/app/ui/app_core.h"
#include "panelink/app/ui/qt_timer_host.h"
#include "panelink/panel/zoom_setting.h"
#include "shared/platform/routing_timer_host.h"
#include "shared/platform/single_instance.h"
#include "shared/platform/steady_clock.h"
#include "shared/platform/thread_timer_host.h"

class QWidget;

namespace panelink {

class BoxPresenter;
class FrontPanelDialog;
class NetworkControl;
class PowerWatcher;
class ShortcutEventFilter;
class ShortcutKeyFilter;
class SignalWatcher;

// Panelink's application object: brings the single-instance lock, the splash, the window,
// its timers and the core to life in order, runs until the window is closed or SIGTERM,
// SIGINT or SIGHUP arrives, and shuts down in order.
//
// Numbers are formatted and read in the C locale whatever the user's locale: the constructor
// sets LC_NUMERIC, which QApplication set from the environment.
//
// Start-up runs from the event loop, so that signals and repaints are served during the
// splash and while the settings message waits for the user; nothing else runs meanwhile.
class PanelinkApplication final : public QObject {
    Q_OBJECT

  public:
    enum class Phase {
        Created,
        Splash,       // at least 3 s, nothing started
        SettingsBox,  // the settings file could not be read: the message waits for the user
        Running,
        ShuttingDown,
        Ended,
    };

    struct Options {
        std::filesystem::path workingDirectory;
        // Where the single-instance lock lives; the default directory when empty.
        std::filesystem::path lockDirectory;
        platform::Milliseconds splashTime{3000};
        // The clock of the splash and the window's timers, and the core's; the steady clock
        // when null. Must outlive the application.
        platform::Clock* clock = nullptr;
        CoreFactory makeCore = makeCoreContextCore;
        // The message boxes; message boxes on the screen when null.
        BoxPresenter* boxes = nullptr;
        // Ends the event loop with the exit code.
        std::function<void(int)> quit;
        // Ends the process at once, with exit code 0: a worker thread did not end.
        std::function<void()> hardExit;
        bool watchSignals = true;
        bool watchPower = true;
        // "contour", "notch" or "dnr": that window opens once the panel is up, as by a click on
        // its label (for pictures of the window). Anything else opens nothing.
        std::string openWindow;
        // --rigctld ADDR:PORT and --no-rigctld: the network server for this run only.
        std::optional<std::string> rigctld;
        bool noRigctld = false;
        // A zoom for this run only, instead of the one kept in Panelink.ini (for pictures of
        // the zoomed window); nothing is written unless the user chooses a zoom.
        std::optional<ZoomSetting> zoom;
    };

    explicit PanelinkApplication(Options options);
    ~PanelinkApplication() override;

    // Begins start-up; the event loop carries it on.
    void start();
    // File/Exit, the close box, SIGTERM, SIGINT, SIGHUP: closes what is open and shuts down in
    // order, then ends the event loop with exit code 0. At any phase; a second request does
    // nothing.
    void requestShutdown();
    // SIGTERM, SIGINT, SIGHUP: while the window runs, exactly as File/Exit (the panel's close step
    // first); a second signal, or one at another phase, shuts down at once.
    void terminate();

    Phase phase() const { return phase_; }
    bool secondInstance() const { return secondInstance_; }
    FrontPanelDialog* window() const { return window_.get(); }
    // The network control server; null before the window runs and after shut-down.
    NetworkControl* networkControl() const { return network_.get(); }
    QWidget* splash() const { return splash_.data(); }

  signals:
    void phaseChanged(panelink::PanelinkApplication::Phase phase);

  private:
    void setPhase(Phase phase);
    void showSplash();
    void closeSplash();
    void continueStart();
    void finishStartUp();
    void openWindowAskedFor();
    void startZoom();
    void onWorkerTick(int timerId);
    void onWindowTick(int timerId);
    void startShortcutKeys(const WindowServices& services);
    void startNetworkControl();
    void addNetworkMenuItem();

    Options options_;
    Phase phase_ = Phase::Created;
    bool secondInstance_ = false;
    bool terminating_ = false;
    std::unique_ptr<platform::SingleInstanceLock> instanceLock_;
    std::unique_ptr<BoxPresenter> ownBoxes_;
    BoxPresenter* boxes_ = nullptr;

    platform::SteadyClock steadyClock_;
    platform::Clock& clock_;  // options_.clock or the steady clock
    QtTimerHost windowTimers_;
    platform::ThreadTimerHost workerTimers_;
    platform::RoutingTimerHost timers_;

    std::unique_ptr<FrontPanelDialog> window_;
    std::atomic<AppCore*> tickTarget_{nullptr};
    std::unique_ptr<AppCore> core_;  // after the window: goes first
    // The function-key shortcuts: the key filter sends through the core's link; the event
    // filter (a child of this object) feeds it the key presses of the windows.
    std::unique_ptr<ShortcutKeyFilter> shortcuts_;
    ShortcutEventFilter* shortcutEvents_ = nullptr;
    // Stopped before the core shuts down: no client reaches a core that is going.
    std::unique_ptr<NetworkControl> network_;

    QPointer<QWidget> splash_;
    SignalWatcher* signals_ = nullptr;
    PowerWatcher* power_ = nullptr;
};

}  // namespace panelink
