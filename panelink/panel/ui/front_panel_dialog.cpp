#include "panelink/panel/ui/front_panel_dialog.h"

#include <QAction>
#include <QCloseEvent>
#include <QIcon>
#include <QKeyEvent>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QPixmap>
#include <QThread>

#include "panelink/core/link_flags.h"
#include "panelink/core/messages.h"
#include "panelink/core/timer_ids.h"
#include "panelink/panel/ui/box_presenter.h"
#include "panelink/panel/ui/panel_strings.h"
#include "panelink/panel/ui/panel_view.h"

#ifndef PANELINK_UI_VERSION
#define PANELINK_UI_VERSION "0.0.0"
#endif

namespace panelink {

using platform::Message;

namespace {

struct AuxWindowInfo {
    AuxWindow window;
    std::uint32_t closedMessage;
    int menuCommand;  // 0: not opened from the menu
};

constexpr std::array<AuxWindowInfo, kAuxWindowCount> kAuxWindows{{
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
}};

constexpr std::size_t slot(AuxWindow window) {
    return static_cast<std::size_t>(window);
}

std::optional<AuxWindow> auxWindowClosedBy(std::uint32_t message) {
    for (const auto& info : kAuxWindows) {
        if (info.closedMessage == message) return info.window;
    }
    return std::nullopt;
}

std::optional<AuxWindow> auxWindowOfCommand(int command) {
    for (const auto& info : kAuxWindows) {
        if (info.menuCommand == command) return info.window;
    }
    return std::nullopt;
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

std::uint32_t auxWindowClosedMessage(AuxWindow window) {
    return kAuxWindows[slot(window)].closedMessage;
}

FrontPanelDialog::FrontPanelDialog(PanelRecords records, EventHub& events,
                                   platform::TimerHost& timers, BoxPresenter& boxes,
                                   QWidget* parent)
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
    subscription_ = events_.subscribeMainWindow(*this);
}

FrontPanelDialog::~FrontPanelDialog() {
    {
        std::lock_guard lock(sendGate_->mutex);
        sendGate_->closing = true;
        sendGate_->done.notify_all();
    }
    // Auxiliary windows go first, while the menu they would update still exists.
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
        connect(action, &QAction::triggered, this, [this, command] { onMenuCommand(command); });
        menuActions_[command] = action;
    }
}

QAction* FrontPanelDialog::menuAction(int commandId) const {
    const auto it = menuActions_.find(commandId);
    return it == menuActions_.end() ? nullptr : it->second;
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
    const DisplayResponse update = display_.onTimer(timerId);
    if (update.handled) run(update, Message{});
}

void FrontPanelDialog::handleMessage(const Message& message) {
    const DisplayResponse update = display_.handleMessage(message);
    if (update.handled) run(update, message);
    if (const auto window = auxWindowClosedBy(message.id)) {
        if (*window == AuxWindow::Vcc) timers_.killTimer(kTimerVcc);
        closeAuxWindow(*window);
    }
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
            if (isAuxWindowOpen(AuxWindow::MenuList)) showMenuChangeNotice();
            break;
        case SideAction::Exit:
            onCancel();
            break;
        default:
            // The pop-ups and read-backs belong to the panel controls, which come later.
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
    const MenuSettingWindows open{isAuxWindowOpen(AuxWindow::Cw), isAuxWindowOpen(AuxWindow::MicEq),
                                  isAuxWindowOpen(AuxWindow::Repeater),
                                  isAuxWindowOpen(AuxWindow::MenuList)};
    const std::optional<int> string = menuChangeNoticeString(open);
    if (!string) return;
    noticeBoxUp_ = true;
    boxes_.show({text(kProductName), text(panelString(*string)), this},
                [this] { noticeBoxUp_ = false; });
}

void FrontPanelDialog::showVersionBox() {
    const QString product = text(kProductName);
    boxes_.show(
        {QStringLiteral("Version"),
         QStringLiteral("%1\nVersion %2").arg(product, QStringLiteral(PANELINK_UI_VERSION)), this},
        {});
}

void FrontPanelDialog::onMenuCommand(int commandId) {
    // Whatever the command, an open auxiliary window comes to the front first.
    for (const auto& window : auxWindows_) {
        if (window) {
            window->raise();
            window->activateWindow();
            break;
        }
    }
    cancelSelection();
    if (commandId == kMenuExit) {
        send(message(WindowMessage::Exit));
    } else if (commandId == kMenuVersion) {
        showVersionBox();
    } else if (const auto window = auxWindowOfCommand(commandId)) {
        openAuxWindow(*window);
    }
}

void FrontPanelDialog::openAuxWindow(AuxWindow window) {
    QPointer<QWidget>& open = auxWindows_[slot(window)];
    if (open) {
        open->raise();
        open->activateWindow();
        return;
    }
    QWidget* created = auxFactory_ ? auxFactory_(window, *this) : nullptr;
    if (created == nullptr) return;
    open = created;
    // A window that goes away without its closing message must not leave the menu grayed.
    connect(created, &QObject::destroyed, this, [this, window] {
        auxWindows_[slot(window)] = nullptr;
        updateMenuGraying();
    });
    updateMenuGraying();
    created->show();
    created->raise();
    created->activateWindow();
}

void FrontPanelDialog::closeAuxWindow(AuxWindow window) {
    QPointer<QWidget> open = auxWindows_[slot(window)];
    auxWindows_[slot(window)] = nullptr;
    updateMenuGraying();
    if (open) {
        disconnect(open, nullptr, this, nullptr);
        open->hide();
        open->deleteLater();
    }
}

bool FrontPanelDialog::isAuxWindowOpen(AuxWindow window) const {
    return !auxWindows_[slot(window)].isNull();
}

bool FrontPanelDialog::anyAuxWindowOpen() const {
    for (const auto& window : auxWindows_) {
        if (window) return true;
    }
    return false;
}

QWidget* FrontPanelDialog::auxWindow(AuxWindow window) const {
    return auxWindows_[slot(window)].data();
}

void FrontPanelDialog::updateMenuGraying() {
    const bool enabled = !anyAuxWindowOpen();
    for (auto& [command, action] : menuActions_) {
        if (command != kMenuExit) action->setEnabled(enabled);
    }
}

void FrontPanelDialog::cancelSelection() {
    if (display_.selectedDigit() != 0) handleMessage(message(WindowMessage::SelectDigit));
    if (const auto caption = display_.captionRequest(); caption && caption->lit != 0)
        handleMessage(message(WindowMessage::KnobCaption, 0, caption->index));
}

void FrontPanelDialog::onOk() {
    // Enter never closes the window. The panel's own use of it comes with the panel keys.
    cancelSelection();
}

void FrontPanelDialog::onCancel() {
    if (cancelled_) return;
    cancelled_ = true;
    emit cancelled();
}

void FrontPanelDialog::beginClosing() {
    {
        std::lock_guard lock(sendGate_->mutex);
        sendGate_->closing = true;
        sendGate_->done.notify_all();
    }
    for (std::size_t i = 0; i < auxWindows_.size(); ++i) {
        if (auxWindows_[i]) closeAuxWindow(static_cast<AuxWindow>(i));
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
            event->accept();
            onOk();
            return;
        case Qt::Key_F1:
            event->accept();
            showVersionBox();
            return;
        default:
            QMainWindow::keyPressEvent(event);
    }
}

}  // namespace panelink
