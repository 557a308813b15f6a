#pragma once

#include <QDialog>

#include <memory>

#include "panelink/core/event_hub.h"
#include "panelink/windows/ui/window_subscription.h"
#include "panelink/windows/vcc_reading.h"

class QLabel;
class QPushButton;

namespace panelink {

class RadioState;

// "VCC": the supply voltage as the transceiver last reported it; the main window polls it
// while the window is open. OK, Escape and the close box end it with VccClosed.
class VccDialog final : public QDialog {
    Q_OBJECT

  public:
    static constexpr int kDialogId = 1497;
    static constexpr int kVoltageId = 1185;

    VccDialog(const RadioState& radio, EventHub& events, QWidget* parent);
    ~VccDialog() override;

    QLabel* voltage() const { return voltage_; }
    QPushButton* okButton() const { return ok_; }

  public slots:
    void accept() override;
    void reject() override;

  private:
    VccReading reading_;
    QLabel* voltage_ = nullptr;
    QPushButton* ok_ = nullptr;
    std::unique_ptr<WindowSubscription> subscription_;  // last: ends first
};

}  // namespace panelink
