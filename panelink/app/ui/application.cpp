#include "panelink/app/ui/application.h"

#include <QApplication>
#include <QDBusConnection>
#include <QGuiApplication>
#include <QLabel>
#include <QMenuBar>
#include <QPixmap>
#include <QScreen>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string_view>
#include <utility>

#include "panelink/app/ui/aux_windows.h"
#include "panelink/app/ui/network_control.h"
#include "panelink/app/ui/network_control_dialog.h"
#include "panelink/app/ui/power_watcher.h"
#include "panelink/app/ui/signal_watcher.h"
#include "panelink/link/worker_timers.h"
#include "panelink/panel/panel_controller.h"
#include "panelink/panel/panel_tables.h"
#include "panelink/panel/ui/bitmap_store.h"
#include "panelink/panel/ui/box_presenter.h"
#include "panelink/panel/ui/front_panel_dialog.h"
#include "panelink/panel/ui/panel_strings.h"
#include "panelink/panel/zoom_setting.h"
#include "panelink/shortcuts/shortcut_key_filter.h"
#include "panelink/shortcuts/ui/shortcut_event_filter.h"
#include "shared/formats/commo_files.h"

namespace panelink {

namespace {

constexpr int kSplashBitmap = 1474;

QString text(std::string_view view) {
    return QString::fromUtf8(view.data(), static_cast<qsizetype>(view.size()));
}

// The label that opens the window named for a picture at start.
std::optional<PanelCode> labelOpening(std::string_view name) {
    if (name == "contour") return PanelCode::ContourLabel;
    if (name == "notch") return PanelCode::NotchLabel;
    if (name == "dnr") return PanelCode::DnrLabel;
    return std::nullopt;
}

std::optional<PanelPoint> middleOf(PanelCode code) {
    for (const ButtonRecord& button : zoneButtons(HitZone::Display)) {
        if (button.code == code) {
            return PanelPoint{(button.rect.left + button.rect.right) / 2,
                              (button.rect.top + button.rect.bottom) / 2};
        }
    }
    return std::nullopt;
}

void centre(QWidget& widget) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) return;
    const QRect area = screen->availableGeometry();
    const QSize size = widget.frameGeometry().size();
    widget.move(area.x() + (area.width() - size.width()) / 2,
                area.y() + (area.height() - size.height()) / 2);
}

}  // namespace

PanelinkApplication::PanelinkApplication(Options options)
    : options_(std::move(options)),
      clock_(options_.clock != nullptr ? *options_.clock : steadyClock_),
      windowTimers_(clock_),
      workerTimers_({}, "worker-timers"),
      timers_(workerTimers_, workerTimerIds(), windowTimers_) {
    // QApplication took the user's locale, decimal comma and all; the CAT texts, the menu
    // list and the files are written and read with "%f" and strtod, which must use ".".
    std::setlocale(LC_NUMERIC, "C");
    if (!options_.quit) options_.quit = [](int code) { QCoreApplication::exit(code); };
    if (!options_.hardExit) options_.hardExit = [] { std::_Exit(0); };
    boxes_ = options_.boxes;
    if (boxes_ == nullptr) {
        ownBoxes_ = std::make_unique<QtBoxPresenter>();
        boxes_ = ownBoxes_.get();
    }
}

PanelinkApplication::~PanelinkApplication() {
    // No worker tick may reach the core while it goes: drop them, then wait out a running one.
    tickTarget_.store(nullptr);
    for (int id : workerTimerIds())
        workerTimers_.killTimer(id);
    // The shortcut keys send through the core's link: they go before it.
    delete shortcutEvents_;
    shortcutEvents_ = nullptr;
    shortcuts_.reset();
    // The core stops its threads (quietly when there was no orderly shut-down) before the
    // window they post to goes.
    core_.reset();
    windowTimers_.setTickHandler({});
    window_.reset();
    delete splash_.data();
}

void PanelinkApplication::setPhase(Phase phase) {
    phase_ = phase;
    emit phaseChanged(phase);
}

void PanelinkApplication::start() {
    if (phase_ != Phase::Created) return;

    // A second copy runs as well; it only keeps its link settings apart.
    instanceLock_ =
        options_.lockDirectory.empty()
            ? std::make_unique<platform::SingleInstanceLock>(platform::kPanelinkInstanceName)
            : std::make_unique<platform::SingleInstanceLock>(platform::kPanelinkInstanceName,
                                                             options_.lockDirectory);
    secondInstance_ = instanceLock_->anotherInstance();

    if (options_.watchSignals) {
        signals_ = new SignalWatcher(this);
        connect(signals_, &SignalWatcher::terminationRequested, this, [this](int) { terminate(); });
    }

    core_ =
        options_.makeCore(CoreWiring{timers_, clock_, options_.workingDirectory, secondInstance_});
    // The window subscribes to the core's event hub as the main window; no worker thread
    // runs before finishStart().
    const WindowServices services = core_->windowServices();
    window_ = std::make_unique<FrontPanelDialog>(services.records, services.events, timers_,
                                                 *boxes_, services.link);
    startShortcutKeys(services);
    addNetworkMenuItem();
    window_->setAuxFactory([this](AuxWindow which, FrontPanelDialog& owner) {
        return createAuxWindow(which, core_->windowServices(), owner, shortcutEvents_);
    });
    connect(window_.get(), &FrontPanelDialog::cancelled, this, [this] { requestShutdown(); });
    startZoom();
    windowTimers_.setTickHandler([this](int id) { onWindowTick(id); });
    tickTarget_.store(core_.get());
    workerTimers_.setTickHandler([this](int id) { onWorkerTick(id); });

    if (options_.watchPower) {
        power_ = new PowerWatcher(
            QDBusConnection::systemBus(),
            [this] {
                if (phase_ == Phase::Running) core_->onPowerEvent();
            },
            this);
    }

    setPhase(Phase::Splash);
    showSplash();
    // At least the splash time, even where a Qt timer would end a little early.
    singleShotAtLeast(this, clock_, options_.splashTime, [this] { continueStart(); });
}

void PanelinkApplication::onWorkerTick(int timerId) {
    if (AppCore* core = tickTarget_.load()) core->onWorkerTimer(timerId);
}

void PanelinkApplication::onWindowTick(int timerId) {
    if (shortcuts_ && shortcuts_->onTimer(timerId)) return;
    window_->onTimer(timerId);
}

// The main window takes the shortcut keys in every state; it is in its ordinary state (F1
// opens the version box) while no auxiliary window is open.
void PanelinkApplication::startShortcutKeys(const WindowServices& services) {
    FrontPanelDialog* window = window_.get();
    shortcuts_ = std::make_unique<ShortcutKeyFilter>(ShortcutKeyFilter::Ports{
        .link = services.link,
        .timers = timers_,
        .workingDirectory = options_.workingDirectory,
        .keysBlocked = [window] { return window->controller().keysBlocked(); },
        .showVersionBox = [window] { window->showVersionBox(); },
    });
    shortcutEvents_ = new ShortcutEventFilter(*shortcuts_, this);
    shortcutEvents_->attach(window, [window] {
        return std::optional<bool>(!window->controller().windows().anyOpen());
    });
}

// The zoom kept in Panelink.ini; a choice in View/Zoom is kept at once. A zoom that cannot be
// kept still holds until the program ends.
void PanelinkApplication::startZoom() {
    window_->setZoom(options_.zoom.value_or(readZoomSetting(options_.workingDirectory)));
    connect(window_.get(), &FrontPanelDialog::zoomChosen, this, [this](ZoomSetting setting) {
        if (!writeZoomSetting(options_.workingDirectory, setting).ok()) {
            std::fprintf(stderr, "panelink: the zoom could not be kept in %s\n",
                         std::string(commo::kPanelinkIniFileName).c_str());
        }
    });
}

void PanelinkApplication::showSplash() {
    auto* splash = new QLabel(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint);
    splash->setAttribute(Qt::WA_DeleteOnClose);
    // On a screen scaled up, the picture drawn at twice the size keeps it sharp.
    const int scale = bufferScale(1.0, splash->devicePixelRatioF());
    const QImage picture = BitmapStore::load(kSplashBitmap, scale);
    if (!picture.isNull()) {
        splash->setPixmap(QPixmap::fromImage(picture));
        splash->setFixedSize(picture.deviceIndependentSize().toSize());
    }
    splash->setWindowTitle(text(kProductName));
    splash_ = splash;
    splash->adjustSize();
    centre(*splash);
    splash->show();
    splash->repaint();
}

void PanelinkApplication::closeSplash() {
    if (splash_) splash_->close();
}

void PanelinkApplication::continueStart() {
    if (phase_ != Phase::Splash) return;
    window_->startDisplay();
    if (core_->beginStart()) {
        finishStartUp();
        return;
    }
    // Before the port is opened, the user learns that the defaults are used.
    setPhase(Phase::SettingsBox);
    const LinkMessage* record = findLinkMessage(kLinkMessageSettingsUnreadable);
    boxes_->show(
        {text(kProductName), text(panelString(static_cast<int>(record->stringId))), splash_.data()},
        [this] {
            if (phase_ == Phase::SettingsBox) finishStartUp();
        });
}

void PanelinkApplication::finishStartUp() {
    core_->finishStart();
    startNetworkControl();
    // No auxiliary window is open yet: the whole menu is enabled.
    window_->updateMenuGraying();
    setPhase(Phase::Running);
    closeSplash();
    window_->adjustSize();
    centre(*window_);
    window_->show();
    openWindowAskedFor();
}

void PanelinkApplication::openWindowAskedFor() {
    const std::optional<PanelCode> label = labelOpening(options_.openWindow);
    if (!label) return;
    const std::optional<PanelPoint> at = middleOf(*label);
    if (!at) return;
    window_->controller().leftPress(*at);
    window_->controller().leftRelease(*at);
}

void PanelinkApplication::terminate() {
    if (phase_ == Phase::Running && window_ && !std::exchange(terminating_, true)) {
        window_->requestExit();
        return;
    }
    requestShutdown();
}

void PanelinkApplication::requestShutdown() {
    if (phase_ == Phase::ShuttingDown || phase_ == Phase::Ended) return;
    // Before beginStart() nothing has been started and the settings have not been read:
    // writing them now would put the defaults over the user's file.
    const bool started = phase_ == Phase::SettingsBox || phase_ == Phase::Running;
    setPhase(Phase::ShuttingDown);
    if (window_) window_->beginClosing();
    boxes_->closeAll();
    closeSplash();
    network_.reset();
    if (started && !core_->shutdown()) {
        // A worker thread is stuck. The settings are written; the core must not be destroyed
        // under the running thread, so the process ends here.
        options_.hardExit();
        return;
    }
    if (window_) window_->hide();
    setPhase(Phase::Ended);
    options_.quit(0);
}

// The server starts with the link: its commands go to the running core. Whatever stops it
// (a busy port, a refused address) is told once and Panelink runs on without it.
void PanelinkApplication::startNetworkControl() {
    net::NetworkSettings settings =
        net::readNetworkSettings(panelinkIniFile(options_.workingDirectory));
    const net::CommandLineResult command =
        net::applyCommandLine(settings, options_.rigctld, options_.noRigctld);
    if (!command.ok()) std::fprintf(stderr, "Panelink: %s\n", command.error.c_str());
    network_ = std::make_unique<NetworkControl>(core_->windowServices());
    const net::StartResult started = network_->apply(command.settings);
    if (!started.ok) {
        std::fprintf(stderr, "Panelink: %s\n", started.reason.c_str());
    } else if (command.settings.enabled) {
        std::fprintf(stderr, "Panelink: network control: %s\n", network_->status().c_str());
    }
}

void PanelinkApplication::addNetworkMenuItem() {
    for (QAction* action : window_->menuBar()->actions()) {
        if (action->menu() == nullptr || action->text() != QStringLiteral("Setup")) continue;
        QAction* item = action->menu()->addAction(tr("Network control..."));
        connect(item, &QAction::triggered, this, [this] {
            if (!network_) return;
            NetworkControlDialog dialog(
                *network_, QString::fromStdString(panelinkIniFile(options_.workingDirectory)),
                window_.get());
            dialog.exec();
        });
    }
}

}  // namespace panelink
