#pragma once

#include <QMainWindow>
#include <QString>

#include <array>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>

#include "keyweld/editor/navigation.h"
#include "keyweld/editor/shortcut_editor.h"
#include "keyweld/ui/window_boxes.h"

class QAction;
class QKeyEvent;
class QLabel;
class QPushButton;
class QTimer;

namespace keyweld {

class ShortcutCellDelegate;
class ShortcutGridModel;
class ShortcutGridView;

// What the version box shows.
struct ProgramInfo {
    QString productName;
    QString version;
    QString copyright;
};

// The shortcut editor's main window: two panels of 26 key buttons, each with the grid of the
// view on screen, the menus, the shortcut keys and the status bar with port state and clock.
// The rules live in ShortcutEditor; this class shows them and routes input to them.
class MainWindow final : public QMainWindow {
    Q_OBJECT

  public:
    static constexpr int kMinimumWidth = 789;
    static constexpr int kClientHeight = 646;
    static constexpr int kClockPanelWidth = 160;

    // `boxes` answers the questions and shows the boxes; null for boxes on the screen.
    MainWindow(std::filesystem::path workingDir, EditorLink& link, ProgramInfo info,
               WindowBoxes* boxes = nullptr, QWidget* parent = nullptr);
    ~MainWindow() override;

    ShortcutEditor& editor() { return editor_; }
    QPushButton* keyButton(int panel, int row) const;
    ShortcutGridView* gridView(GridKind grid, int panel) const;
    QString portStateText() const;
    QString clockText() const;
    // Status panel 0 after the port may have changed.
    void refreshPortState();
    // SIGTERM, SIGINT or SIGHUP: the open boxes and dialogs are cancelled and the window closes as
    // on close, but without the question about unsaved edits.
    void closeUnattended();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    struct Grid {
        ShortcutGridView* view = nullptr;
        ShortcutGridModel* model = nullptr;
    };

    void buildMenus();
    QWidget* buildPanel(int panel);
    void buildGrid(QWidget* panelWidget, GridKind grid, int panel);
    void buildStatusBar();
    void layoutPanels();
    void showView();
    void chooseView(ViewMode mode);
    void refreshGrids();
    void updateClock();

    void openFiles();
    void saveFiles();
    void copyCell();
    void pasteCell();
    void showVersion();

    // A key the window takes before any of its controls: shortcut keys and menu keys.
    std::optional<std::function<void()>> windowKeyAction(const QKeyEvent& key);
    bool gridArrow(ShortcutGridView* view, const QKeyEvent& key);
    bool buttonArrow(int panel, int row, const QKeyEvent& key);
    void moveFocus(const FocusTarget& target);
    ShortcutGridView* editTarget() const;
    Grid& grid(GridKind grid, int panel);
    const Grid& grid(GridKind grid, int panel) const;

    EditorLink& link_;
    ProgramInfo info_;
    std::unique_ptr<WindowBoxes> ownBoxes_;
    WindowBoxes& boxes_;
    ShortcutEditor editor_;
    std::array<QWidget*, 2> panels_{};
    std::array<std::array<QPushButton*, commo::kShortcutPanelRows>, 2> buttons_{};
    // Tag, CAT Command and Both pairs, left then right.
    std::array<Grid, 6> grids_{};
    std::array<QAction*, 3> viewActions_{};
    QAction* copyAction_ = nullptr;
    QAction* pasteAction_ = nullptr;
    QLabel* portLabel_ = nullptr;
    QLabel* clockLabel_ = nullptr;
    QTimer* clockTimer_ = nullptr;
    bool closed_ = false;
    bool unattended_ = false;
};

}  // namespace keyweld
