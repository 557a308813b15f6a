#pragma once

#include <QDialog>

#include <cstddef>
#include <optional>
#include <vector>

#include "panelink/menu/menu_list_model.h"
#include "panelink/menu/menu_setting_dialog.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QVBoxLayout;

namespace panelink {

// A "MENU LIST SETTING" dialog: a heading, the control of its kind, OK and CANCEL. It shows one
// line of the menu list; its OK changes that line's copy in the window's model through
// applyTo(), its CANCEL changes nothing.
class MenuSettingDialog : public QDialog {
    Q_OBJECT

  public:
    static constexpr int kHeadingId = 1004;

    MenuDialogKind kind() const { return kind_; }
    QLabel* heading() const { return heading_; }
    QPushButton* okButton() const { return ok_; }
    QPushButton* cancelButton() const { return cancel_; }

    // What OK stores in the line's copy; false when the copy stays as it was.
    virtual bool applyTo(MenuListModel& model, std::size_t line) const = 0;

  protected:
    MenuSettingDialog(MenuDialogKind kind, const std::string& heading, QWidget* parent);
    // Puts the kind's control between the heading and the buttons.
    void setBody(QWidget* body);

  private:
    MenuDialogKind kind_;
    QVBoxLayout* layout_ = nullptr;
    QLabel* heading_ = nullptr;
    QPushButton* ok_ = nullptr;
    QPushButton* cancel_ = nullptr;
};

// Values or options in a drop-down list; the entry of the value shown preselected.
class MenuChoiceDialog final : public MenuSettingDialog {
    Q_OBJECT

  public:
    static constexpr int kListId = 1019;

    MenuChoiceDialog(ChoiceDialog contents, QWidget* parent);
    QComboBox* list() const { return list_; }
    bool applyTo(MenuListModel& model, std::size_t line) const override;

  private:
    ChoiceDialog contents_;
    QComboBox* list_ = nullptr;
};

// One box per band (kind 14) or mode (kind 41).
class MenuCheckBoxDialog final : public MenuSettingDialog {
    Q_OBJECT

  public:
    MenuCheckBoxDialog(MenuDialogKind kind, CheckBoxDialog contents, QWidget* parent);
    const std::vector<QCheckBox*>& boxes() const { return boxes_; }
    bool applyTo(MenuListModel& model, std::size_t line) const override;

  private:
    CheckBoxDialog contents_;
    std::vector<QCheckBox*> boxes_;
};

// The tone frequencies in a grid whose rows read in ascending order.
class MenuToneDialog final : public MenuSettingDialog {
    Q_OBJECT

  public:
    static constexpr int kListId = 1001;
    static constexpr int kColumnWidth = 44;
    static constexpr int kRowHeight = 18;

    MenuToneDialog(ToneDialog contents, QWidget* parent);
    QListWidget* list() const { return list_; }
    bool applyTo(MenuListModel& model, std::size_t line) const override;

  private:
    std::optional<std::size_t> chosen() const;

    ToneDialog contents_;
    QListWidget* list_ = nullptr;
};

// The text of the beacon item, printable characters only.
class MenuTextDialog final : public MenuSettingDialog {
    Q_OBJECT

  public:
    static constexpr int kEditId = 1041;

    MenuTextDialog(const TextDialog& contents, QWidget* parent);
    QLineEdit* edit() const { return edit_; }
    bool applyTo(MenuListModel& model, std::size_t line) const override;

  private:
    QLineEdit* edit_ = nullptr;
};

// The dialog of `line` in `model` with `parent` as its parent; nullptr for a line that opens
// none.
MenuSettingDialog* createMenuSettingDialog(const MenuListModel& model, std::size_t line,
                                           QWidget* parent);

}  // namespace panelink
