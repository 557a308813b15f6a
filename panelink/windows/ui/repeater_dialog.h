#pragma once

#include <QDialog>
#include <QPointer>

#include <array>
#include <memory>

#include "panelink/core/event_hub.h"
#include "panelink/panel/panel_ports.h"
#include "panelink/windows/repeater_settings.h"
#include "panelink/windows/ui/tone_list_dialog.h"
#include "panelink/windows/ui/window_subscription.h"

class QLabel;
class QPushButton;

namespace panelink {

class RadioState;

// "Repeater": the CTCSS mode, the CTCSS tone and the repeater shift of the main side, each in a
// large box with its buttons below. The boxes follow the "CT", "CN" and "OS" answers; "Freq"
// opens the tone list. Escape and the close box end it with RepeaterClosed; Enter with no
// button focused does nothing.
class RepeaterDialog final : public QDialog {
    Q_OBJECT

  public:
    static constexpr int kDialogId = 898;
    static constexpr int kVfoLabelId = 1042;
    static constexpr int kModeBoxId = 1043;
    static constexpr int kToneBoxId = 1044;
    static constexpr int kShiftBoxId = 1045;
    static constexpr int kFreqButtonId = 1029;
    // The value boxes' characters are about this many pixels high.
    static constexpr int kValueFontPixels = 40;

    RepeaterDialog(const RadioState& radio, RadioLink& link, EventHub& events, QWidget* parent);
    ~RepeaterDialog() override;

    QLabel* vfoLabel() const { return vfoLabel_; }
    QLabel* box(RepeaterSettings::Box which) const;
    // A button by its control id; nullptr for another id.
    QPushButton* button(int controlId) const;
    // The tone list while it is open.
    ToneListDialog* toneList() const { return toneList_.data(); }
    const RepeaterSettings& settings() const { return settings_; }

  public slots:
    void reject() override;

  private:
    QLabel* addBox(int controlId);
    QPushButton* addButton(const char* text, int controlId);
    void redraw(RepeaterSettings::Box which);
    void openToneList();

    const RadioState& radio_;
    RadioLink& link_;
    RepeaterSettings settings_;
    QLabel* vfoLabel_ = nullptr;
    std::array<QLabel*, 3> boxes_{};
    std::array<QPushButton*, 7> buttons_{};
    QPointer<ToneListDialog> toneList_;
    std::unique_ptr<WindowSubscription> subscription_;  // last: ends first
};

}  // namespace panelink
