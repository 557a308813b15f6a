#pragma once

#include <QDialog>

class QCheckBox;
class QLabel;
class QLineEdit;
class QSpinBox;

namespace panelink {

class NetworkControl;

// Setup / Network control...: the server on or off, its address and port, and the
// allowance to listen beyond this computer. OK writes Panelink.ini and restarts the server;
// when it cannot start, the reason stays on the dialog.
class NetworkControlDialog final : public QDialog {
    Q_OBJECT

  public:
    NetworkControlDialog(NetworkControl& control, QString iniFile, QWidget* parent = nullptr);

    void accept() override;

  private:
    void showStatus();

    NetworkControl& control_;
    QString iniFile_;
    QCheckBox* enabled_ = nullptr;
    QLineEdit* address_ = nullptr;
    QSpinBox* port_ = nullptr;
    QCheckBox* allowRemote_ = nullptr;
    QLabel* status_ = nullptr;
};

}  // namespace panelink
