#pragma once

#include <QDialog>

class QLabel;

namespace panelink {

// "Connecting the COM port now.": up while the COM key's connect retries run. It has no
// buttons and the user cannot close it; the panel closes it when the link answers or the
// retries give up.
class ConnectingNotice final : public QDialog {
    Q_OBJECT

  public:
    static constexpr int kDialogId = 902;
    static constexpr int kTextId = 1053;
    static constexpr int kStringId = 110;

    explicit ConnectingNotice(QWidget* parent = nullptr);

    QLabel* textLabel() const { return text_; }

  public slots:
    // Esc would hide the notice while the panel still counts it open.
    void reject() override {}

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    QLabel* text_ = nullptr;
};

}  // namespace panelink
