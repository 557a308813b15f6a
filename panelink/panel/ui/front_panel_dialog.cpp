#include "panelink/panel/ui/front_panel_dialog.h"

#include <QAction>
#include <QActionGroup>
#include <QCloseEvent>
#include <QDialog>
#include <QIcon>
#include <QKeyEvent>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QPixmap>
#include <QShowEvent>
#include <QThread>
#include <QWindow>

#include <optional>

#include "panelink/core/link_flags.h"
#include "panelink/core/messages.h"
#include "panelink/panel/panel_controller.h"
#include "panelink/panel/ui/box_presenter.h"
#include "panelink/panel/ui/live_pointer_state.h"
#include "panelink/panel/ui/panel_strings.h"
#include "panelink/panel/ui/panel_view.h"
#include "panelink/panel/ui/panel_zoom.h"
#include "panelink/panel/ui/qmenu_popup_presenter.h"
#include "panelink/panel/ui/reading_notice_dialog.h"

#ifndef PANELINK_UI_VERSION
#define PANELINK_UI_VERSION "0.0.0"
#endif

namespace panelink {

using platform::Message;

namespace {

constexpr std::size_t slot(AuxWindow window) {
    return static_cast<std::size_t>(window);
}

struct MenuItemEntry {
    const char* menu;
    const char* text;
    int command;
};

constexpr std::array<MenuItemEntry, 8> kMenuItems{{
    {"File", "Exit", kMenuExit},
    {"File", "Command Send", kMenuCommandSend},
    {"Setup", "COM Select", kMenuComSelect},
    {"Setup", "Baud rate", kMenuBaudRate},
    {"Option", "Playback", kMenuPlayback},
    {"Option", "CW", kMenuCw},
    {"Option", "Repeater", kMenuRepeater},
    {"Help", "Version", kMenuVersion},
}};

QString text(std::string_view view) {
    return QString::fromUtf8(view.data(), static_cast<qsizetype>(view.size()));
}

}  // namespace

FrontPanelDialog::FrontPanelDialog(PanelRecords records, EventHub& events,
                                   platform::TimerHost& timers, BoxPresenter& boxes,
                                   RadioLink& link, PanelInputPorts inputs, QWidget* parent)
    : QMainWindow(parent),
      records_(records),
      events_(events),
      timers_(timers),
      boxes_(boxes),
      canvas_(bitmaps_),
      display_(records.radio, records.menu, timers) {
    setWindowTitle(QString::fromUtf8(kCaption));
    setWindowIcon(QIcon(QPixmap::fromImage(bitmaps_.keyed(kIconBitmap))));
    // A dialog-like frame: it can be minimised and closed, never resized or maximised.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    view_ = new PanelView(canvas_, this);
    setCentralWidget(view_);
    buildMenu();
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    connect(view_, &PanelView::exposed, this, [this] { display_.requestFullRedraw(); });

    if (inputs.popups == nullptr) {
        ownPopups_ = std::make_unique<QMenuPopupPresenter>(*this, view_);
        inputs.popups = ownPopups_.get();
    }
    if (inputs.pointer == nullptr) {
        ownPointer_ = std::make_unique<LivePointerState>(*view_);
        inputs.pointer = ownPointer_.get();
    }
    controller_ = std::make_unique<PanelController>(
        records_.radio, records_.menu,
        PanelController::Ports{*this, *this, *inputs.popups, *inputs.pointer, link, timers_});
    connectInput();
    // Enter on the panel while VFO SET is open is that window's OK.
    PanelController::Sequences sequences;
    sequences.vfoSetOk = [this] {
        if (auto* vfoSet = qobject_cast<QDialog*>(auxWindow(AuxWindow::VfoSet))) vfoSet->accept();
    };
    controller_->setSequences(std::move(sequences));
    subscription_ = events_.subscribeMainWindow(*this);
}

FrontPanelDialog::~FrontPanelDialog() {
    {
        std::lock_guard lock(sendGate_->mutex);
        sendGate_->closing = true;
        sendGate_->done.notify_all();
    }
    // No more input for the controller, which goes before the view does.
    disconnect(view_, nullptr, this, nullptr);
    // Auxiliary windows go first, while everything they might reach still exists.
    for (auto& window : auxWindows_) {
        if (window) {
            disconnect(window, nullptr, this, nullptr);
            delete window.data();
        }
    }
}

void FrontPanelDialog::buildMenu() {
    std::map<QString, QMenu*> menus;
    for (const auto& item : kMenuItems) {
        const QString title = QString::fromUtf8(item.menu);
        QMenu*& menu = menus[title];
        if (menu == nullptr) menu = menuBar()->addMenu(title);
        QAction* action = menu->addAction(QString::fromUtf8(item.text));
        action->setData(item.command);
        const int command = item.command;
        connect(action, &QAction::triggered, this,
                [this, command] { controller_->onMenuCommand(command); });
        menuActions_[command] = action;
    }
    // View goes before Help, as on most desktops.
    QMenu* view = new QMenu(QStringLiteral("View"), this);
    view->addMenu(buildZoomMenu());
    menuBar()->insertMenu(menus[QStringLiteral("Help")]->menuAction(), view);
}

// The zoom is the window's own affair: no panel command, and never grayed.
QMenu* FrontPanelDialog::buildZoomMenu() {
    auto* menu = new QMenu(QStringLiteral("Zoom"), this);
    auto* group = new QActionGroup(menu);
    for (const ZoomChoice& choice : kZoomChoices) {
        QAction* action = menu->addAction(text(choice.label));
        action->setCheckable(true);
        action->setChecked(choice.setting == zoom_);
        group->addAction(action);
        const ZoomSetting setting = choice.setting;
        connect(action, &QAction::triggered, this, [this, setting] {
            if (setting == zoom_) return;
            setZoom(setting);
            emit zoomChosen(setting);
        });
        zoomActions_[setting] = action;
    }
    return menu;
}

void FrontPanelDialog::setZoom(ZoomSetting setting) {
    zoom_ = setting;
    if (QAction* action = zoomActions_[setting]) action->setChecked(true);
    applyZoom();
}

void FrontPanelDialog::applyZoom() {
    const ZoomChange change = showAtZoom(zoom_, devicePixelRatioF(), canvas_, *view_);
    if (change == ZoomChange::None) return;
    if (change == ZoomChange::Rescaled) display_.requestFullRedraw();
    adjustSize();
}

void FrontPanelDialog::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!followsScreenChanges_ && windowHandle() != nullptr) {
        followsScreenChanges_ = true;
        connect(windowHandle(), &QWindow::screenChanged, this, [this] { applyZoom(); });
    }
    applyZoom();
}

QAction* FrontPanelDialog::menuAction(int commandId) const {
    const auto it = menuActions_.find(commandId);
    return it == menuActions_.end() ? nullptr : it->second;
}

void FrontPanelDialog::connectInput() {
    const auto press = [this](MouseButton button, PanelPoint at) {
        if (button == MouseButton::Left) {
            controller_->leftPress(at);
        } else {
            controller_->rightPress(at);
        }
    };
    // On the panel a double click's second press is a press like any other.
    connect(view_, &PanelView::pressed, this, press);
    connect(view_, &PanelView::doubleClicked, this, press);
    connect(view_, &PanelView::released, this, [this](MouseButton button, PanelPoint at) {
        if (button == MouseButton::Left) {
            controller_->leftRelease(at);
        } else {
            controller_->rightRelease(at);
        }
    });
    connect(view_, &PanelView::wheelTurned, this,
            [this](PanelPoint at, int delta) { controller_->wheel(at, delta); });
}

bool FrontPanelDialog::post(const Message& message) {
    QMetaObject::invokeMethod(
        this, [this, message] { handleMessage(message); }, Qt::QueuedConnection);
    return true;
}

void FrontPanelDialog::send(const Message& message) {
    if (QThread::currentThread() == thread()) {
        handleMessage(message);
        return;
    }
    const std::shared_ptr<SendGate> gate = sendGate_;
    auto handled = std::make_shared<bool>(false);  // guarded by gate->mutex
    {
        std::lock_guard lock(gate->mutex);
        if (gate->closing) return;
    }
    QMetaObject::invokeMethod(
        this,
        [this, message, gate, handled] {
            handleMessage(message);
            std::lock_guard lock(gate->mutex);
            *handled = true;
            gate->done.notify_all();
        },
        Qt::QueuedConnection);
    std::unique_lock lock(gate->mutex);
    gate->done.wait(lock, [&] { return *handled || gate->closing; });
}

void FrontPanelDialog::setAuxFactory(AuxFactory factory) {
    auxFactory_ = std::move(factory);
}

void FrontPanelDialog::startDisplay() {
    display_.start();
}

void FrontPanelDialog::draw(const DrawList& ops) {
    view_->refresh(canvas_.run(ops));
}

void FrontPanelDialog::run(const DisplayResponse& update, const Message& message) {
    draw(update.ops);
    for (SideAction action : update.actions)
        act(action, message);
    for (const Message& refill : update.refills)
        events_.forward(refill);
}

void FrontPanelDialog::onTimer(int timerId) {
    if (PanelController::ownsTimer(timerId)) {
        controller_->onTimer(timerId);
        return;
    }
    const DisplayResponse update = display_.onTimer(timerId);
    if (update.handled) run(update, Message{});
}

void FrontPanelDialog::handleMessage(const Message& message) {
    const DisplayResponse update = display_.handleMessage(message);
    if (update.handled) run(update, message);
    // The controller closes the window and does what its closing means (VFO SET's frequency,
    // MENU LIST's unlock, VCC's polling).
    if (const auto window = AuxWindowRegistry::closedBy(message.id))
        controller_->onWindowClosed(*window, message.wparam);
}

void FrontPanelDialog::act(SideAction action, const Message& message) {
    switch (action) {
        case SideAction::ShowLinkFailure:
            showLinkFailure(message.wparam, message.lparam);
            break;
        case SideAction::MenuChangeNotice:
            showMenuChangeNotice();
            break;
        case SideAction::MenuChangeNoticeIfMenuListOpen:
            if (isOpen(AuxWindow::MenuList)) showMenuChangeNotice();
            break;
        case SideAction::Exit:
            onCancel();
            break;
        case SideAction::ShowPendingBandPopup:
            controller_->onBandReported();
            break;
        case SideAction::CloseStepLongPress:
            controller_->onStepReported();
            break;
        case SideAction::StopReadBack:
            controller_->onReadBackAnswered();
            break;
        case SideAction::CloseConnectingNotice:
            controller_->onConnectionChanged();
            break;
        case SideAction::MenuListClosed:
            // The closing message itself reaches the controller (handleMessage).
            break;
    }
}

void FrontPanelDialog::showLinkFailure(std::uintptr_t force, std::intptr_t index) {
    const LinkMessage* record = findLinkMessage(index);
    if (record == nullptr || record->enabled == 0) return;
    if (force == 0 && records_.flags.messageBox.load()) return;
    // The flag stays set until the last of the boxes is closed, so that a forced box closed
    // first does not let a further failure add another box to the one still up.
    ++linkBoxesUp_;
    records_.flags.messageBox.store(true);
    const QString message = text(linkFailureText(index, records_.flags.portFailure.get()));
    boxes_.show({text(kProductName), message, this}, [this] {
        if (--linkBoxesUp_ == 0) records_.flags.messageBox.store(false);
    });
}

void FrontPanelDialog::showMenuChangeNotice() {
    if (noticeBoxUp_) return;
    const MenuSettingWindows open{isOpen(AuxWindow::Cw), isOpen(AuxWindow::MicEq),
                                  isOpen(AuxWindow::Repeater), isOpen(AuxWindow::MenuList)};
    const std::optional<int> string = menuChangeNoticeString(open);
    if (!string) return;
    noticeBoxUp_ = true;
    boxes_.show({text(kProductName), text(panelString(*string)), this},
                [this] { noticeBoxUp_ = false; });
}

void FrontPanelDialog::runReadingNotice(std::function<void()> closed) {
    auto* notice = new ReadingNoticeDialog(records_.flags, events_, this);
    connect(notice, &QDialog::finished, this, [notice, closed = std::move(closed)] {
        notice->deleteLater();
        if (closed) closed();
    });
    notice->start();
}

void FrontPanelDialog::showVersionBox() {
    const QString product = text(kProductName);
    boxes_.show(
        {QStringLiteral("Version"),
         QStringLiteral("%1\nVersion %2").arg(product, QStringLiteral(PANELINK_UI_VERSION)), this},
        {});
}

bool FrontPanelDialog::dspSelTuning() const {
    return display_.tuningFlag();
}

void FrontPanelDialog::showMessageBox(int stringId) {
    boxes_.show({text(kProductName), text(panelString(stringId)), this}, {});
}

bool FrontPanelDialog::createWindow(AuxWindow window) {
    QWidget* created = auxFactory_ ? auxFactory_(window, *this) : nullptr;
    if (created == nullptr) return false;
    auxWindows_[slot(window)] = created;
    // A window that goes away without its closing message must not stay counted as open.
    connect(created, &QObject::destroyed, this, [this, window] {
        auxWindows_[slot(window)] = nullptr;
        controller_->windows().lost(window);
    });
    created->show();
    created->raise();
    created->activateWindow();
    return true;
}

void FrontPanelDialog::destroyWindow(AuxWindow window) {
    QPointer<QWidget> open = auxWindows_[slot(window)];
    auxWindows_[slot(window)] = nullptr;
    if (!open) return;
    disconnect(open, nullptr, this, nullptr);
    open->hide();
    open->deleteLater();
}

void FrontPanelDialog::focusWindow(AuxWindow window) {
    QWidget* open = auxWindows_[slot(window)];
    if (open == nullptr) return;
    open->raise();
    open->activateWindow();
}

void FrontPanelDialog::setMenuEnabled(bool enabled) {
    for (auto& [command, action] : menuActions_) {
        if (command != kMenuExit) action->setEnabled(enabled);
    }
}

void FrontPanelDialog::updateMenuGraying() {
    setMenuEnabled(!controller_->windows().anyOpen());
}

bool FrontPanelDialog::isOpen(AuxWindow window) const {
    return controller_->windows().isOpen(window);
}

QWidget* FrontPanelDialog::auxWindow(AuxWindow window) const {
    return auxWindows_[slot(window)].data();
}

void FrontPanelDialog::onCancel() {
    // File/Exit and the close box may both come while the close step waits.
    if (cancelled_) return;
    cancelled_ = true;
    controller_->closeStep([this] { emit cancelled(); });
}

void FrontPanelDialog::requestExit() {
    onCancel();
}

void FrontPanelDialog::beginClosing() {
    {
        std::lock_guard lock(sendGate_->mutex);
        sendGate_->closing = true;
        sendGate_->done.notify_all();
    }
    // Closed as by their messages, but without what closing means to the panel: the run
    // is over.
    AuxWindowRegistry& windows = controller_->windows();
    for (int i = 0; i < kAuxWindowCount; ++i) {
        const auto window = static_cast<AuxWindow>(i);
        if (windows.isOpen(window)) windows.closed(window);
    }
}

void FrontPanelDialog::closeEvent(QCloseEvent* event) {
    // The close box ends the run like File/Exit; the application closes the window itself.
    event->ignore();
    onCancel();
}

void FrontPanelDialog::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Escape:
            event->accept();  // never closes the window
            return;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            event->accept();  // the panel's Enter; the window stays
            controller_->cancelSelection();
            return;
        default:
            QMainWindow::keyPressEvent(event);
    }
}

}  // namespace panelink
