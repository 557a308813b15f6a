#pragma once

#include <QDialog>
#include <QPointer>

#include <chrono>

#include "panelink/link/ui/link_choice.h"
#include "panelink/link/ui/link_dialog_services.h"

class QComboBox;
class QLabel;
class QMessageBox;
class QPushButton;
class QTimer;

namespace panelink {

// A modeless dialog with a drop-down list, OK and CANCEL that changes one link setting (COM
// Select has a second list beside it: the serial devices, to map the selected port to). The
// main window opens it from the Setup menu and destroys it when the dialog's closed message
// arrives; OK, CANCEL, Esc and the close box all end with that message. While the
// transceiver is being asked to stop auto-information the buttons are disabled and a note
// says so; the window stays responsive.
class LinkChoiceDialog : public QDialog {
    Q_OBJECT

  public:
    static constexpr int kChoiceListId = 1019;

    ~LinkChoiceDialog() override;

    QComboBox* choiceList() const { return list_; }
    // COM Select's serial devices for the selected port, and the line under it that tells
    // why a highlighted device cannot be opened; null in the Baud rate dialog.
    QComboBox* deviceList() const { return devices_; }
    QLabel* accessHint() const { return hint_; }
    QPushButton* okButton() const { return ok_; }
    QPushButton* cancelButton() const { return cancel_; }
    QLabel* busyNote() const { return note_; }
    // The trial-open failure message while it is shown, else null.
    QMessageBox* failureBox() const;
    const LinkChoice& choice() const { return choice_; }

    // A double-click on an entry: picks it and acts as OK.
    void activateEntry(int index);

  public slots:
    void accept() override;
    void reject() override;

  protected:
    LinkChoiceDialog(LinkChoiceKind kind, LinkDialogServices services, const QString& title,
                     QWidget* parent, std::chrono::milliseconds stepInterval);

  private:
    void onStep();
    void setBusy(bool busy);
    void showFailure();
    void addDeviceChoice(QLayout* beside);
    void showDeviceOfEntry(int entryIndex);
    void showAccessHint(int deviceIndex);
    void pickDevice(int deviceIndex);

    LinkChoice choice_;
    QComboBox* list_ = nullptr;
    QComboBox* devices_ = nullptr;
    QLabel* hint_ = nullptr;
    QPushButton* ok_ = nullptr;
    QPushButton* cancel_ = nullptr;
    QLabel* note_ = nullptr;
    QTimer* stepTimer_ = nullptr;
    QPointer<QMessageBox> failureBox_;
};

// "COM Select": which COM port the link uses. A newly chosen port must open before it is
// taken.
class ComSelectDialog final : public LinkChoiceDialog {
    Q_OBJECT

  public:
    static constexpr int kDialogId = 599;

    explicit ComSelectDialog(
        LinkDialogServices services, QWidget* parent = nullptr,
        std::chrono::milliseconds stepInterval = LinkChoice::kAutoInfoTestInterval);
};

// "Baud rate": the link's line speed.
class BaudRateDialog final : public LinkChoiceDialog {
    Q_OBJECT

  public:
    static constexpr int kDialogId = 589;

    explicit BaudRateDialog(
        LinkDialogServices services, QWidget* parent = nullptr,
        std::chrono::milliseconds stepInterval = LinkChoice::kAutoInfoTestInterval);
};

}  // namespace panelink
