#pragma once

#include <QDialog>
#include <QIcon>
#include <QPointer>

#include <array>
#include <cstddef>
#include <optional>
#include <vector>

#include "panelink/core/event_hub.h"
#include "panelink/menu/menu_item_table.h"
#include "panelink/menu/menu_list_model.h"
#include "panelink/panel/panel_ports.h"

class QLabel;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class QTimer;

namespace panelink {

class MenuSettingDialog;
class RadioState;

// What the MENU LIST window uses of the rest of Panelink.
struct MenuListServices {
    // The window tells the main window here that it is open (MenuListReady) and that it
    // wants to be closed (MenuListClosed).
    EventHub& events;
    MenuItemTable& table;
    MenuListMemory& memory;
    // The menu write and the read-back of the band and mode sets.
    RadioLink& link;
    // Its auto-information field tells whether the transceiver is connected.
    const RadioState& radio;
    QIcon icon;
};

// The MENU LIST window: every menu item as one line of a sorted list, OK and CANCEL. A
// double-click on a line, or Enter in the list, opens the line's setting dialog; Left and
// Right step through the bands, the modes or a long text of a line. OK writes the changes and
// CANCEL (Esc, the close box) drops them; either way the window then asks the main window to
// close it. Modeless, with the main window as parent.
class MenuListWindow final : public QDialog {
    Q_OBJECT

  public:
    static constexpr int kListId = 1001;
    static constexpr int kIconBitmap = 1252;
    static constexpr const char* kTitle = "MENU LIST";
    static constexpr std::array<const char*, 4> kHeaders{"NO", "USER NAME", "SETTING RANGE",
                                                         "SETTING"};

    explicit MenuListWindow(MenuListServices services, QWidget* parent = nullptr);
    ~MenuListWindow() override;

    QListWidget* list() const { return list_; }
    QLabel* header(std::size_t column) const { return headers_.at(column); }
    QPushButton* okButton() const { return ok_; }
    QPushButton* cancelButton() const { return cancel_; }
    // The setting dialog while one is open.
    MenuSettingDialog* settingDialog() const;
    const MenuListModel& model() const { return model_; }

    // Opens the setting dialog of the selected line; nothing without a selection or while one
    // is open.
    void openSelectedSetting();

  public slots:
    void accept() override;  // OK
    void reject() override;  // CANCEL

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void buildWidgets();
    void placeHeaders();
    void fillList();
    // The model's line an item shows; rows and lines agree, but the item says it.
    static std::size_t lineOf(const QListWidgetItem& item);
    std::optional<std::size_t> selectedLine() const;
    void openSetting(std::size_t line);
    void moveCursor(std::size_t line, ListArrow arrow);
    void redrawLine(std::size_t line);
    void finishCommit();
    void askToClose();

    MenuListServices services_;
    MenuListModel model_;
    QListWidget* list_ = nullptr;
    std::vector<QListWidgetItem*> items_;  // by model line
    std::array<QLabel*, kHeaders.size()> headers_{};
    QPushButton* ok_ = nullptr;
    QPushButton* cancel_ = nullptr;
    QTimer* readBackTimer_ = nullptr;
    QPointer<MenuSettingDialog> setting_;
    bool closing_ = false;
};

}  // namespace panelink
