#pragma once

#include <array>

#include <QDialog>

#include "keyweld/link/configuration_choice.h"

class QButtonGroup;
class QComboBox;
class QPushButton;
class QRadioButton;

namespace keyweld {

class LinkSession;

// The "Configuration" dialog: COM1..COM20 as radio buttons (each port's device as its tooltip,
// absent or busy ports disabled) and the baud rate. Creating it probes the ports. OK applies
// the choice and Cancel the kept settings; both, and closing the window, leave the link open
// when it can be.
class ConfigurationDialog final : public QDialog {
    Q_OBJECT

  public:
    explicit ConfigurationDialog(LinkSession& session, QWidget* parent = nullptr);

    // The error of restoring the kept port after the probe; the caller shows its text.
    const CommError& restoreError() const { return choice_.restoreError(); }

    QRadioButton* portButton(int index) const { return ports_[static_cast<std::size_t>(index)]; }
    QComboBox* baudBox() const { return baud_; }
    QPushButton* okButton() const { return ok_; }
    QPushButton* cancelButton() const { return cancel_; }

    void accept() override;
    void reject() override;

  private:
    QWidget* buildPortGroup();
    QWidget* buildBaudRow();
    QWidget* buildButtons();
    void showInitialChoice();

    ConfigurationChoice choice_;
    std::array<QRadioButton*, kPortChoices> ports_{};
    QButtonGroup* portGroup_ = nullptr;
    QComboBox* baud_ = nullptr;
    QPushButton* ok_ = nullptr;
    QPushButton* cancel_ = nullptr;
};

// The caption of COMn's radio button, with its access key: "COM&1".."COM&9", "COM1&0",
// "COM11".."COM20".
QString portButtonCaption(int portNo);

}  // namespace keyweld
