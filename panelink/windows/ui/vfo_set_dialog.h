#pragma once

#include <QDialog>

#include "panelink/windows/vfo_set_entry.h"
#include "shared/platform/message.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace panelink {

// "VFO SET": the operating frequency in Hz, typed in digits. OK (also Enter on the panel)
// hands it to the main window with the closing message; CANCEL, Escape and the close box
// close with none. The edit box keeps the focus whenever the window is shown or activated.
class VfoSetDialog final : public QDialog {
    Q_OBJECT

  public:
    static constexpr int kDialogId = 456;
    static constexpr int kEditId = 1000;
    static constexpr int kPromptId = 1050;
    static constexpr int kNoteId = 1051;

    VfoSetDialog(platform::MessageSink& mainWindow, QWidget* parent);

    QLineEdit* edit() const { return edit_; }
    QLabel* prompt() const { return prompt_; }
    QPushButton* okButton() const { return ok_; }
    QPushButton* cancelButton() const { return cancel_; }

  public slots:
    void accept() override;
    void reject() override;

  protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    VfoSetEntry entry_;
    QLabel* prompt_ = nullptr;
    QLineEdit* edit_ = nullptr;
    QPushButton* ok_ = nullptr;
    QPushButton* cancel_ = nullptr;
};

}  // namespace panelink
