#include "panelink/app/ui/aux_windows.h"

#include <QIcon>
#include <QPixmap>
#include <QPointer>

#include <array>
#include <memory>
#include <optional>
#include <utility>

#include "panelink/app/ui/qt_timer_host.h"
#include "panelink/cat/radio_state.h"
#include "panelink/link/com_port.h"
#include "panelink/link/ui/link_choice_dialog.h"
#include "panelink/link/ui/link_dialog_services.h"
#include "panelink/menu/ui/menu_list_window.h"
#include "panelink/panel/ui/bitmap_store.h"
#include "panelink/panel/ui/connecting_notice.h"
#include "panelink/panel/ui/dsp_window_dialog.h"
#include "panelink/shortcuts/ui/shortcut_event_filter.h"
#include "panelink/windows/ui/command_send_dialog.h"
#include "panelink/windows/ui/cw_dialog.h"
#include "panelink/windows/ui/memory_write_dialog.h"
#include "panelink/windows/ui/mic_eq_dialog.h"
#include "panelink/windows/ui/playback_dialog.h"
#include "panelink/windows/ui/repeater_dialog.h"
#include "panelink/windows/ui/tone_list_dialog.h"
#include "panelink/windows/ui/vcc_dialog.h"
#include "panelink/windows/ui/vfo_set_dialog.h"

namespace panelink {

namespace {

LinkDialogServices linkDialogServices(const WindowServices& services) {
    const RadioState& radio = services.records.radio;
    return LinkDialogServices{
        .settings = services.settings,
        .mainWindow = services.events,
        .workingDirectory = services.workingDirectory,
        .secondInstance = services.secondInstance,
        .autoInformation = [&radio] { return radio.get(RadioField::AI); },
        .closePort = services.closePort,
        .postRequest = [post =
                            services.postRequest](Request request) { return post(request, 0, 0); },
        .testOpen = testOpenPort,
    };
}

MenuListServices menuListServices(const WindowServices& services) {
    const QImage icon = BitmapStore::keyOutGreen(BitmapStore::load(MenuListWindow::kIconBitmap));
    return MenuListServices{
        .events = services.events,
        .table = services.menuTable,
        .memory = services.menuListMemory,
        .link = services.link,
        .radio = services.records.radio,
        .icon = QIcon(QPixmap::fromImage(icon)),
    };
}

// The CONTOUR, NOTCH and DNR windows: their own timers on Qt timers, the main window's zoom.
template <DspWindowKind kind>
QWidget* dspWindow(const WindowServices& services, FrontPanelDialog& owner) {
    DspWindowPorts ports{
        .radio = services.records.radio,
        .events = services.events,
        .link = services.link,
        .makeTimers =
            [](platform::TimerHost::TickHandler handler) -> std::unique_ptr<platform::TimerHost> {
            return std::make_unique<QtTimerHost>(std::move(handler));
        },
    };
    auto* window = new DspWindowDialog(kind, std::move(ports), &owner);
    // Shown at the main window's zoom, and following the user's next choice of it.
    window->setZoom(owner.zoom());
    QObject::connect(&owner, &FrontPanelDialog::zoomChosen, window, &DspWindowDialog::setZoom);
    return window;
}

using Factory = QWidget* (*)(const WindowServices& services, FrontPanelDialog& owner);

struct Registration {
    AuxWindow window;
    Factory create;
};

// The windows the program has. A new window is one class and one line here.
constexpr std::array kRegistrations{
    Registration{AuxWindow::ComSelect,
                 [](const WindowServices& s, FrontPanelDialog& owner) -> QWidget* {
                     return new ComSelectDialog(linkDialogServices(s), &owner);
                 }},
    Registration{AuxWindow::BaudRate,
                 [](const WindowServices& s, FrontPanelDialog& owner) -> QWidget* {
                     return new BaudRateDialog(linkDialogServices(s), &owner);
                 }},
    Registration{AuxWindow::MenuList,
                 [](const WindowServices& s, FrontPanelDialog& owner) -> QWidget* {
                     return new MenuListWindow(menuListServices(s), &owner);
                 }},
    Registration{AuxWindow::ConnectingNotice,
                 [](const WindowServices&, FrontPanelDialog& owner) -> QWidget* {
                     return new ConnectingNotice(&owner);
                 }},
    Registration{AuxWindow::Contour, &dspWindow<DspWindowKind::Contour>},
    Registration{AuxWindow::Notch, &dspWindow<DspWindowKind::Notch>},
    Registration{AuxWindow::Dnr, &dspWindow<DspWindowKind::Dnr>},
    Registration{AuxWindow::Cw,
                 [](const WindowServices& s, FrontPanelDialog& owner) -> QWidget* {
                     return new CwDialog({s.events, s.records.radio, s.link}, &owner);
                 }},
    Registration{AuxWindow::Repeater,
                 [](const WindowServices& s, FrontPanelDialog& owner) -> QWidget* {
                     return new RepeaterDialog(s.records.radio, s.link, s.events, &owner);
                 }},
    Registration{AuxWindow::Playback,
                 [](const WindowServices& s, FrontPanelDialog& owner) -> QWidget* {
                     return new PlaybackDialog(s.records.radio, s.link, s.events, &owner);
                 }},
    Registration{AuxWindow::VfoSet,
                 [](const WindowServices& s, FrontPanelDialog& owner) -> QWidget* {
                     return new VfoSetDialog(s.events, &owner);
                 }},
    Registration{AuxWindow::CommandSend,
                 [](const WindowServices& s, FrontPanelDialog& owner) -> QWidget* {
                     return new CommandSendDialog(s.link, s.events, &owner);
                 }},
    Registration{AuxWindow::MemoryWrite,
                 [](const WindowServices& s, FrontPanelDialog& owner) -> QWidget* {
                     return new MemoryWriteDialog(s.records.radio, s.link, s.events, &owner);
                 }},
    Registration{AuxWindow::Vcc,
                 [](const WindowServices& s, FrontPanelDialog& owner) -> QWidget* {
                     return new VccDialog(s.records.radio, s.events, &owner);
                 }},
    Registration{AuxWindow::MicEq,
                 [](const WindowServices& s, FrontPanelDialog& owner) -> QWidget* {
                     return new MicEqDialog(s.menuTable, s.link, s.events, &owner);
                 }},
};

// The windows that offer their key presses to the shortcut keys, none of them in the main
// window's ordinary state.
void attachShortcutKeys(AuxWindow window, QWidget& created, ShortcutEventFilter& shortcuts) {
    switch (window) {
        case AuxWindow::Cw: {
            // Not while it reads the keyer texts or waits for a read-back.
            QPointer<CwDialog> cw = qobject_cast<CwDialog*>(&created);
            shortcuts.attach(&created, [cw]() -> std::optional<bool> {
                if (cw.isNull() || !cw->takesShortcuts()) return std::nullopt;
                return false;
            });
            break;
        }
        case AuxWindow::Repeater:
            shortcuts.attach(
                &created, [] { return std::optional<bool>(false); },
                [](const QWidget& child) {
                    return qobject_cast<const ToneListDialog*>(&child) != nullptr;
                });
            break;
        case AuxWindow::MenuList:
        case AuxWindow::MemoryWrite:
        case AuxWindow::ComSelect:
        case AuxWindow::BaudRate:
            shortcuts.attach(&created);
            break;
        default:
            break;
    }
}

}  // namespace

QWidget* createAuxWindow(AuxWindow window, const WindowServices& services, FrontPanelDialog& owner,
                         ShortcutEventFilter* shortcuts) {
    for (const Registration& registration : kRegistrations) {
        if (registration.window != window) continue;
        QWidget* created = registration.create(services, owner);
        if (created != nullptr && shortcuts != nullptr)
            attachShortcutKeys(window, *created, *shortcuts);
        return created;
    }
    return nullptr;
}

}  // namespace panelink
