#pragma once

#include <QDialog>

#include "panelink/panel/panel_ports.h"
#include "panelink/windows/command_entry.h"
#include "shared/platform/message.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace panelink {

// "Command Send": a raw command text, sent exactly as typed when OK is pressed. Every way out
// (OK, CANCEL, Escape, the close box) ends it with CommandSendClosed.
class CommandSendDialog final : public QDialog {
    Q_OBJECT

  public:
    static constexpr int kDialogId = 591;
    static constexpr int kEditId = 1002;
    static constexpr int kPromptId = 1052;

    CommandSendDialog(RadioLink& link, platform::MessageSink& mainWindow, QWidget* parent);

    QLineEdit* edit() const { return edit_; }
    QLabel* prompt() const { return prompt_; }
    QPushButton* okButton() const { return ok_; }
    QPushButton* cancelButton() const { return cancel_; }

  public slots:
    void accept() override;
    void reject() override;

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    CommandEntry entry_;
    QLabel* prompt_ = nullptr;
    QLineEdit* edit_ = nullptr;
    QPushButton* ok_ = nullptr;
    QPushButton* cancel_ = nullptr;
};

}  // namespace panelink
