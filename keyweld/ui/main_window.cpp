#include "keyweld/ui/main_window.h"

#include <QActionGroup>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QDateTime>
#include <QDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>

#include <utility>

#include "keyweld/editor/clock_text.h"
#include "keyweld/ui/cell_delegate.h"
#include "keyweld/ui/grid_model.h"
#include "keyweld/ui/grid_view.h"

namespace keyweld {
namespace {

constexpr int kPanels = commo::kShortcutPanelCount;
constexpr int kRows = commo::kShortcutPanelRows;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 22;
constexpr int kButtonLeft = 2;
constexpr int kFirstButtonTop = 26;
constexpr int kGridLeft = 77;
// With the grid's 1-pixel frame, key row r lines up with the button of row r.
constexpr int kGridTop = 2;
constexpr int kGridHeight = (kRows + 1) * ShortcutGridView::kRowPitch + 2;
constexpr int kBothTagColumnWidth = 100;
constexpr int kColumnSlack = 5;
constexpr int kClockInterval = 1000;
const std::array<GridKind, 3> kGridKinds{GridKind::Tag, GridKind::Command, GridKind::Both};

std::optional<commo::BaseKey> baseKey(int key) {
    if (key >= Qt::Key_F1 && key <= Qt::Key_F12) {
        return static_cast<commo::BaseKey>(static_cast<int>(commo::BaseKey::F1) + key - Qt::Key_F1);
    }
    switch (key) {
        case Qt::Key_PageUp:
            return commo::BaseKey::PageUp;
        case Qt::Key_PageDown:
            return commo::BaseKey::PageDown;
        case Qt::Key_Home:
            return commo::BaseKey::Home;
        case Qt::Key_End:
            return commo::BaseKey::End;
        default:
            return std::nullopt;
    }
}

// The one modifier held, or nothing when several are (Ctrl+Shift+F2 is no shortcut here).
std::optional<commo::KeyModifier> soleModifier(Qt::KeyboardModifiers modifiers) {
    modifiers &= Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;
    if (modifiers == Qt::NoModifier) return commo::KeyModifier::None;
    if (modifiers == Qt::ShiftModifier) return commo::KeyModifier::Shift;
    if (modifiers == Qt::ControlModifier) return commo::KeyModifier::Ctrl;
    if (modifiers == Qt::AltModifier) return commo::KeyModifier::Alt;
    return std::nullopt;
}

std::optional<Arrow> plainArrow(const QKeyEvent& key) {
    const Qt::KeyboardModifiers held = key.modifiers() & ~Qt::KeypadModifier;
    if (held != Qt::NoModifier) return std::nullopt;
    switch (key.key()) {
        case Qt::Key_Up:
            return Arrow::Up;
        case Qt::Key_Down:
            return Arrow::Down;
        case Qt::Key_Left:
            return Arrow::Left;
        case Qt::Key_Right:
            return Arrow::Right;
        default:
            return std::nullopt;
    }
}

std::size_t gridSlot(GridKind grid, int panel) {
    return static_cast<std::size_t>(static_cast<int>(grid) * kPanels + panel - 1);
}

QString buttonCaption(int panel, int row) {
    return QString::fromUtf8(commo::shortcutKeyAt(panel, row)->caption);
}

}  // namespace

MainWindow::MainWindow(std::filesystem::path workingDir, EditorLink& link, ProgramInfo info,
                       WindowBoxes* boxes, QWidget* parent)
    : QMainWindow(parent),
      link_(link),
      info_(std::move(info)),
      ownBoxes_(boxes ? nullptr : std::make_unique<QtWindowBoxes>(*this)),
      boxes_(boxes ? *boxes : *ownBoxes_),
      editor_(std::move(workingDir), link, boxes_) {
    setWindowTitle(QStringLiteral("Keyboard shortcut editor for Vantor"));
    editor_.start();

    buildMenus();
    auto* central = new QWidget(this);
    setCentralWidget(central);
    for (int panel = 1; panel <= kPanels; ++panel) {
        panels_[static_cast<std::size_t>(panel - 1)] = buildPanel(panel);
        panels_[static_cast<std::size_t>(panel - 1)]->setParent(central);
    }
    central->installEventFilter(this);
    buildStatusBar();

    const int height = menuBar()->sizeHint().height() + kClientHeight;
    setMinimumSize(kMinimumWidth, height);
    resize(kMinimumWidth, height);
    showView();
    // The first assignable row of the left grids; the right grids start on their first row.
    for (const GridKind kind : kGridKinds) {
        grid(kind, 1).view->setCurrentIndex(grid(kind, 1).model->indexOf(2, 0));
        grid(kind, 2).view->setCurrentIndex(grid(kind, 2).model->indexOf(1, 0));
    }
    grid(editor_.shownGrid(), 1).view->setFocus();
    // Keys that act anywhere in the window, also while a cell is being edited.
    qApp->installEventFilter(this);
}

MainWindow::~MainWindow() {
    qApp->removeEventFilter(this);
}

MainWindow::Grid& MainWindow::grid(GridKind kind, int panel) {
    return grids_[gridSlot(kind, panel)];
}

const MainWindow::Grid& MainWindow::grid(GridKind kind, int panel) const {
    return grids_[gridSlot(kind, panel)];
}

QPushButton* MainWindow::keyButton(int panel, int row) const {
    return buttons_[static_cast<std::size_t>(panel - 1)][static_cast<std::size_t>(row - 1)];
}

ShortcutGridView* MainWindow::gridView(GridKind kind, int panel) const {
    return grid(kind, panel).view;
}

QString MainWindow::portStateText() const {
    return portLabel_->text();
}

QString MainWindow::clockText() const {
    return clockLabel_->text();
}

void MainWindow::buildMenus() {
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    QAction* open = file->addAction(QStringLiteral("&Open"), this, &MainWindow::openFiles);
    open->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    QAction* save = file->addAction(QStringLiteral("&Save"), this, &MainWindow::saveFiles);
    save->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    file->addAction(QStringLiteral("&Configure"), this, [this] {
        link_.openConfiguration();
        refreshPortState();
    });
    file->addAction(QStringLiteral("e&Xit"), this, &QWidget::close);

    QMenu* edit = menuBar()->addMenu(QStringLiteral("&Edit"));
    copyAction_ = edit->addAction(QStringLiteral("&Copy"), this, &MainWindow::copyCell);
    copyAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_C));
    pasteAction_ = edit->addAction(QStringLiteral("&Paste"), this, &MainWindow::pasteCell);
    pasteAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_V));

    QMenu* view = menuBar()->addMenu(QStringLiteral("&View"));
    auto* views = new QActionGroup(this);
    const std::array<std::pair<QString, ViewMode>, 3> items{{
        {QStringLiteral("&Tag"), ViewMode::Tag},
        {QStringLiteral("&CAT Command"), ViewMode::Command},
        {QStringLiteral("&Both"), ViewMode::Both},
    }};
    for (std::size_t i = 0; i < items.size(); ++i) {
        QAction* action = view->addAction(items[i].first);
        action->setCheckable(true);
        views->addAction(action);
        const ViewMode mode = items[i].second;
        connect(action, &QAction::triggered, this, [this, mode] { chooseView(mode); });
        viewActions_[i] = action;
    }

    QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
    help->addAction(QStringLiteral("Version"), this, &MainWindow::showVersion);
}

QWidget* MainWindow::buildPanel(int panel) {
    auto* widget = new QWidget;
    widget->setObjectName(QStringLiteral("pnlMain%1").arg(panel));
    auto* label = new QLabel(QStringLiteral("Key"), widget);
    label->setGeometry(kButtonLeft, kGridTop + 1, kButtonWidth, kButtonHeight);
    label->setAlignment(Qt::AlignCenter);
    for (int row = 1; row <= kRows; ++row) {
        auto* button = new QPushButton(buttonCaption(panel, row), widget);
        button->setGeometry(kButtonLeft, kFirstButtonTop + ShortcutGridView::kRowPitch * (row - 1),
                            kButtonWidth, kButtonHeight);
        // Reached by the arrow keys and the mouse, not by Tab.
        button->setFocusPolicy(Qt::ClickFocus);
        button->setAutoDefault(false);
        button->installEventFilter(this);
        connect(button, &QPushButton::clicked, this, [this, panel, row] {
            editor_.setCurrentKey({panel, row});
            editor_.sendKey({panel, row});
        });
        buttons_[static_cast<std::size_t>(panel - 1)][static_cast<std::size_t>(row - 1)] = button;
    }
    for (const GridKind kind : kGridKinds)
        buildGrid(widget, kind, panel);
    return widget;
}

void MainWindow::buildGrid(QWidget* panelWidget, GridKind kind, int panel) {
    Grid& g = grid(kind, panel);
    g.view = new ShortcutGridView(panelWidget);
    g.model = new ShortcutGridModel(editor_, kind, panel, g.view);
    g.view->setModel(g.model);
    // One delegate per grid: a delegate's editor signals reach every view it serves.
    g.view->setItemDelegate(new ShortcutCellDelegate(g.view));
    g.view->move(kGridLeft, kGridTop);
    g.view->installEventFilter(this);
    connect(g.view, &QWidget::customContextMenuRequested, this, [this, view = g.view](QPoint at) {
        QMenu popup(this);
        popup.addAction(copyAction_);
        popup.addAction(pasteAction_);
        popup.exec(view->viewport()->mapToGlobal(at));
    });
}

void MainWindow::buildStatusBar() {
    portLabel_ = new QLabel(this);
    clockLabel_ = new QLabel(this);
    clockLabel_->setFixedWidth(kClockPanelWidth);
    clockLabel_->setAlignment(Qt::AlignCenter);
    statusBar()->addWidget(portLabel_, 1);
    statusBar()->addPermanentWidget(clockLabel_);
    statusBar()->setSizeGripEnabled(false);
    for (QWidget* part : {static_cast<QWidget*>(statusBar()), static_cast<QWidget*>(portLabel_),
                          static_cast<QWidget*>(clockLabel_)}) {
        part->installEventFilter(this);
    }
    refreshPortState();
    clockTimer_ = new QTimer(this);
    connect(clockTimer_, &QTimer::timeout, this, &MainWindow::updateClock);
    clockTimer_->start(kClockInterval);
    updateClock();
}

void MainWindow::refreshPortState() {
    portLabel_->setText(link_.portOpen() ? QStringLiteral("Open") : QStringLiteral("Close"));
}

void MainWindow::updateClock() {
    const QDateTime now = QDateTime::currentDateTime();
    const CalendarTime time{now.date().year(), now.date().month(),  now.date().day(),
                            now.time().hour(), now.time().minute(), now.time().second()};
    clockLabel_->setText(QString::fromStdString(keyweld::clockText(time)));
}

void MainWindow::layoutPanels() {
    const QWidget* central = centralWidget();
    const int width = central->width() / 2 - 2;
    const int height = central->height();
    panels_[0]->setGeometry(0, 0, width, height);
    panels_[1]->setGeometry(central->width() / 2, 0, width, height);
    const int gridWidth = width - kGridLeft;
    for (Grid& g : grids_) {
        g.view->resize(gridWidth, kGridHeight);
        if (g.model->grid() == GridKind::Both) {
            g.view->setColumnWidth(0, kBothTagColumnWidth);
            g.view->setColumnWidth(1, gridWidth - kBothTagColumnWidth - kColumnSlack);
        } else {
            g.view->setColumnWidth(0, gridWidth - kColumnSlack);
        }
    }
}

void MainWindow::showView() {
    const GridKind shown = editor_.shownGrid();
    for (Grid& g : grids_) {
        const bool visible = g.model->grid() == shown;
        g.view->setVisible(visible);
        g.view->setEnabled(visible);
    }
    viewActions_[static_cast<std::size_t>(editor_.viewMode()) - 1]->setChecked(true);
}

void MainWindow::chooseView(ViewMode mode) {
    for (Grid& g : grids_)
        g.view->endEditing();
    editor_.changeView(mode);
    refreshGrids();
    showView();
    grid(editor_.shownGrid(), 1).view->setFocus();
}

void MainWindow::refreshGrids() {
    for (Grid& g : grids_)
        g.model->refresh();
}

void MainWindow::openFiles() {
    if (editor_.open()) {
        for (Grid& g : grids_)
            g.view->endEditing();
        refreshGrids();
    }
}

void MainWindow::saveFiles() {
    for (Grid& g : grids_)
        g.view->endEditing();
    const SaveOutcome outcome = editor_.save();
    refreshGrids();
    if (outcome.failure) boxes_.showError(fileWriteErrorText(*outcome.failure));
}

ShortcutGridView* MainWindow::editTarget() const {
    for (const GridKind kind : kGridKinds) {
        for (int panel = 1; panel <= kPanels; ++panel) {
            ShortcutGridView* view = grid(kind, panel).view;
            // The window's focus widget counts too: a menu may hold the focus just now.
            if (view->hasFocus() || view->editing() || focusWidget() == view) return view;
        }
    }
    return nullptr;
}

void MainWindow::copyCell() {
    ShortcutGridView* view = editTarget();
    if (view == nullptr || !view->currentIndex().isValid()) return;
    QGuiApplication::clipboard()->setText(view->currentIndex().data(Qt::DisplayRole).toString());
}

void MainWindow::pasteCell() {
    ShortcutGridView* view = editTarget();
    if (view == nullptr || !view->currentIndex().isValid()) return;
    const auto* model = static_cast<const ShortcutGridModel*>(view->model());
    const QModelIndex index = view->currentIndex();
    const QString clipboard = QGuiApplication::clipboard()->text();
    if (!editor_.paste(model->grid(), model->panel(), ShortcutGridModel::keyRow(index),
                       index.column(), clipboard.toStdString())) {
        return;
    }
    view->endEditing();
    refreshGrids();
}

void MainWindow::showVersion() {
    boxes_.showVersion(QStringLiteral("%1\nVersion %2\n%3")
                           .arg(info_.productName, info_.version, info_.copyright));
}

std::optional<std::function<void()>> MainWindow::windowKeyAction(const QKeyEvent& key) {
    const std::optional<commo::KeyModifier> modifier = soleModifier(key.modifiers());
    if (!modifier) return std::nullopt;
    if (*modifier == commo::KeyModifier::Ctrl) {
        switch (key.key()) {
            case Qt::Key_O:
                return [this] { openFiles(); };
            case Qt::Key_S:
                return [this] { saveFiles(); };
            case Qt::Key_C:
                return [this] { copyCell(); };
            case Qt::Key_V:
                return [this] { pasteCell(); };
            default:
                break;
        }
    }
    const std::optional<commo::BaseKey> base = baseKey(key.key());
    if (!base) return std::nullopt;
    const std::optional<KeyPosition> shortcut = ShortcutEditor::shortcutKey(*modifier, *base);
    if (!shortcut) return std::nullopt;
    // A shortcut key sends without becoming the current key.
    return [this, key = *shortcut] { editor_.sendKey(key); };
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type == QEvent::KeyPress || type == QEvent::ShortcutOverride) {
        auto* widget = qobject_cast<QWidget*>(watched);
        if (widget == nullptr || widget->window() != this) return false;
        const auto& key = static_cast<const QKeyEvent&>(*event);
        if (auto action = windowKeyAction(key)) {
            // Claim the key from the shortcut map so that it arrives here as a key press.
            if (type == QEvent::ShortcutOverride) {
                event->accept();
            } else {
                (*action)();
            }
            return true;
        }
        if (type != QEvent::KeyPress) return false;
        if (auto* view = qobject_cast<ShortcutGridView*>(watched)) return gridArrow(view, key);
        for (int panel = 1; panel <= kPanels; ++panel) {
            for (int row = 1; row <= kRows; ++row) {
                if (watched == keyButton(panel, row)) return buttonArrow(panel, row, key);
            }
        }
        return false;
    }
    if (type == QEvent::MouseButtonDblClick &&
        (watched == statusBar() || watched == portLabel_ || watched == clockLabel_)) {
        link_.toggleLog();
        return true;
    }
    if (type == QEvent::Resize && watched == centralWidget()) layoutPanels();
    return false;
}

bool MainWindow::gridArrow(ShortcutGridView* view, const QKeyEvent& key) {
    // While a cell is edited the arrows move the caret.
    if (view->editing()) return false;
    const QModelIndex current = view->currentIndex();
    if (!current.isValid()) return false;
    if (key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter) {
        view->edit(current);  // refused on reserved rows
        return true;
    }
    const std::optional<Arrow> arrow = plainArrow(key);
    if (!arrow) return false;
    const auto* model = static_cast<const ShortcutGridModel*>(view->model());
    moveFocus(arrowInGrid(*arrow, model->grid(), model->panel(), ShortcutGridModel::keyRow(current),
                          current.column()));
    return true;
}

bool MainWindow::buttonArrow(int panel, int row, const QKeyEvent& key) {
    const std::optional<Arrow> arrow = plainArrow(key);
    if (!arrow) return false;
    moveFocus(arrowOnButton(*arrow, editor_.shownGrid(), panel, row));
    return true;
}

void MainWindow::moveFocus(const FocusTarget& target) {
    switch (target.kind) {
        case FocusTarget::Kind::Stay:
            return;
        case FocusTarget::Kind::Cell: {
            const Grid& g = grid(editor_.shownGrid(), target.panel);
            g.view->setCurrentIndex(g.model->indexOf(target.row, target.column));
            g.view->setFocus(Qt::OtherFocusReason);
            return;
        }
        case FocusTarget::Kind::Button:
            editor_.setCurrentKey({target.panel, target.row});
            keyButton(target.panel, target.row)->setFocus(Qt::OtherFocusReason);
            return;
    }
}

void MainWindow::closeUnattended() {
    unattended_ = true;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        auto* dialog = qobject_cast<QDialog*>(widget);
        if (dialog != nullptr && dialog->isVisible()) dialog->reject();
    }
    // After the dialogs' own event loops have returned.
    QTimer::singleShot(0, this, &QWidget::close);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    event->accept();
    if (closed_) return;
    closed_ = true;
    for (Grid& g : grids_)
        g.view->endEditing();
    if (unattended_) {
        // Nobody would close a box now: a failure goes to the standard error instead.
        if (const auto failure = editor_.closeUnattended().viewModeFailure) {
            qWarning("%s", qPrintable(fileWriteErrorText(*failure)));
        }
        return;
    }
    const CloseOutcome outcome = editor_.close();
    if (outcome.saveFailure) boxes_.showError(fileWriteErrorText(*outcome.saveFailure));
    if (outcome.viewModeFailure) boxes_.showError(fileWriteErrorText(*outcome.viewModeFailure));
}

}  // namespace keyweld
