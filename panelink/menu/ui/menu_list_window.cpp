#include "panelink/menu/ui/menu_list_window.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QStyle>
#include <QTimer>

#include <cmath>
#include <utility>

#include "panelink/cat/radio_state.h"
#include "panelink/core/messages.h"
#include "panelink/menu/ui/menu_setting_dialogs.h"

namespace panelink {
namespace {

// The window as laid out in pixels: the list's rectangle is fixed, the rest sits around it.
const QRect kListRect(QPoint(10, 100), QPoint(1002, 460));
constexpr QSize kWindowSize(1012, 470);
constexpr int kHeaderBottom = 98;
constexpr QSize kButtonSize(80, 26);
constexpr int kButtonTop = 20;
constexpr int kButtonGap = 8;

// A monospace face at the pixel height of the original 8-point Courier on a 96-dpi screen,
// so a line of 140 characters fits the list without a horizontal scroll bar.
constexpr const char* kListFamily = "DejaVu Sans Mono";
constexpr int kListPixelSize = 11;

// Where each header starts, in characters of a line: over the number, the name, the range
// text and the setting (after its leading space). "USER NAME" is longer than the name column,
// so "SETTING RANGE" keeps two characters from it rather than touching it.
constexpr std::array<int, MenuListWindow::kHeaders.size()> kHeaderColumns{0, 4, 15, 101};

QFont listFont() {
    QFont font(QString::fromLatin1(kListFamily));
    if (!QFontInfo(font).fixedPitch()) font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPixelSize(kListPixelSize);
    return font;
}

MenuListLink menuListLink(const MenuListServices& services) {
    RadioLink& link = services.link;
    const RadioState& radio = services.radio;
    return MenuListLink{
        .postRequest = [&link](Request request) { link.postRequest(request, 0, 0); },
        .queueCommand = [&link](std::string_view text) { link.queueCommand(text); },
        .connected = [&radio] { return radio.get(RadioField::AI) == 1; },
    };
}

QString text(const std::string& s) {
    return QString::fromStdString(s);
}

}  // namespace

MenuListWindow::MenuListWindow(MenuListServices services, QWidget* parent)
    : QDialog(parent),
      services_(std::move(services)),
      model_(services_.table, services_.memory, menuListLink(services_)) {
    buildWidgets();
    fillList();
    services_.events.send(message(WindowMessage::MenuListReady));
    if (const auto line = model_.selectedLine()) list_->setCurrentItem(items_[*line]);
    setWindowIcon(services_.icon);
}

MenuListWindow::~MenuListWindow() = default;

MenuSettingDialog* MenuListWindow::settingDialog() const {
    return setting_.data();
}

void MenuListWindow::buildWidgets() {
    setWindowTitle(QString::fromLatin1(kTitle));
    setFont(listFont());
    setFixedSize(kWindowSize);

    list_ = new QListWidget(this);
    list_->setObjectName(QStringLiteral("menuList%1").arg(kListId));
    list_->setGeometry(kListRect);
    list_->setSortingEnabled(true);
    list_->setUniformItemSizes(true);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    list_->installEventFilter(this);
    connect(list_, &QListWidget::itemDoubleClicked, this,
            [this](const QListWidgetItem* item) { openSetting(lineOf(*item)); });
    connect(list_, &QListWidget::currentRowChanged, this, [this](int row) {
        if (const QListWidgetItem* item = list_->item(row)) model_.select(lineOf(*item));
    });

    for (std::size_t column = 0; column < kHeaders.size(); ++column) {
        headers_[column] = new QLabel(QString::fromLatin1(kHeaders[column]), this);
        headers_[column]->setObjectName(QStringLiteral("header%1").arg(column));
    }
    placeHeaders();

    // Neither is the default button: Enter in the list opens a setting, and a button takes
    // Enter only while it has the focus.
    ok_ = new QPushButton(tr("OK"), this);
    cancel_ = new QPushButton(tr("CANCEL"), this);
    const int right = kListRect.right() + 1;
    cancel_->setGeometry(QRect(QPoint(right - kButtonSize.width(), kButtonTop), kButtonSize));
    ok_->setGeometry(cancel_->geometry().translated(-(kButtonSize.width() + kButtonGap), 0));
    connect(ok_, &QPushButton::clicked, this, &MenuListWindow::accept);
    connect(cancel_, &QPushButton::clicked, this, &MenuListWindow::reject);

    readBackTimer_ = new QTimer(this);
    readBackTimer_->setSingleShot(true);
    // A coarse timer may end up to 5 % early; the wait is a minimum.
    readBackTimer_->setTimerType(Qt::PreciseTimer);
    readBackTimer_->setInterval(MenuListModel::kReadBackDelay);
    connect(readBackTimer_, &QTimer::timeout, this, &MenuListWindow::finishCommit);
}

// Each header stands over the first character of its column in the list.
void MenuListWindow::placeHeaders() {
    const QFontMetricsF metrics(list_->font());
    const int textMargin =
        list_->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, list_) + 1;
    const int left = kListRect.left() + list_->frameWidth() + textMargin;
    for (std::size_t column = 0; column < kHeaders.size(); ++column) {
        QLabel* header = headers_[column];
        const QString before(kHeaderColumns[column], QLatin1Char(' '));
        const int x = left + static_cast<int>(std::lround(metrics.horizontalAdvance(before)));
        header->adjustSize();
        header->move(x, kHeaderBottom - header->height());
    }
}

void MenuListWindow::fillList() {
    items_.clear();
    for (std::size_t line = 0; line < model_.lineCount(); ++line) {
        auto* item = new QListWidgetItem(text(model_.lineText(line)));
        item->setData(Qt::UserRole, static_cast<qulonglong>(line));
        list_->addItem(item);
        items_.push_back(item);
    }
}

std::size_t MenuListWindow::lineOf(const QListWidgetItem& item) {
    return static_cast<std::size_t>(item.data(Qt::UserRole).toULongLong());
}

std::optional<std::size_t> MenuListWindow::selectedLine() const {
    const QListWidgetItem* item = list_->currentItem();
    if (item == nullptr || !item->isSelected()) return std::nullopt;
    return lineOf(*item);
}

void MenuListWindow::openSelectedSetting() {
    if (const auto line = selectedLine()) openSetting(*line);
}

void MenuListWindow::openSetting(std::size_t line) {
    if (setting_ || closing_) return;
    MenuSettingDialog* dialog = createMenuSettingDialog(model_, line, this);
    if (dialog == nullptr) return;
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QDialog::accepted, this, [this, dialog, line] {
        if (dialog->applyTo(model_, line)) redrawLine(line);
    });
    // Another line's dialog may open as soon as this one is closed, deleted or not.
    connect(dialog, &QDialog::finished, this, [this] { setting_ = nullptr; });
    setting_ = dialog;
    dialog->open();
}

void MenuListWindow::moveCursor(std::size_t line, ListArrow arrow) {
    if (model_.moveCursor(line, arrow)) redrawLine(line);
}

void MenuListWindow::redrawLine(std::size_t line) {
    if (line >= items_.size()) return;
    items_[line]->setText(text(model_.lineText(line)));
}

bool MenuListWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched != list_ || event->type() != QEvent::KeyPress) {
        return QDialog::eventFilter(watched, event);
    }
    const auto* key = static_cast<QKeyEvent*>(event);
    switch (key->key()) {
        case Qt::Key_Left:
        case Qt::Key_Right:
            // Only the band, mode and text lines use them; the others ignore them.
            if (const auto line = selectedLine()) {
                moveCursor(*line, key->key() == Qt::Key_Left ? ListArrow::Left : ListArrow::Right);
            }
            return true;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            openSelectedSetting();
            return true;
        default:
            return QDialog::eventFilter(watched, event);
    }
}

void MenuListWindow::accept() {
    if (closing_) return;
    closing_ = true;
    if (!model_.commit()) {
        askToClose();
        return;
    }
    // The window stays, locked, until the read-back has been queued.
    setEnabled(false);
    readBackTimer_->start();
}

void MenuListWindow::finishCommit() {
    model_.readBack();
    askToClose();
}

void MenuListWindow::reject() {
    if (closing_) return;
    closing_ = true;
    askToClose();
}

// The main window closes and destroys the window when it handles this.
void MenuListWindow::askToClose() {
    services_.events.send(message(WindowMessage::MenuListClosed));
}

}  // namespace panelink
