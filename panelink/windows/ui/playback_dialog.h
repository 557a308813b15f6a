#pragma once

#include <QDialog>

#include <map>
#include <memory>

#include "panelink/core/event_hub.h"
#include "panelink/panel/panel_ports.h"
#include "panelink/windows/playback_control.h"
#include "panelink/windows/ui/window_subscription.h"

class QLabel;
class QPushButton;

namespace panelink {

class RadioState;

// "Playback": the voice memories (record, play and transmit channels 1 and 2) and the audio
// recorder, with the "REC" and "PLAY" indicators lit by the "RI" answers (red and green).
// Escape and the close box end it with PlaybackClosed; Enter with no button focused does
// nothing.
class PlaybackDialog final : public QDialog {
    Q_OBJECT

  public:
    static constexpr int kDialogId = 895;
    static constexpr int kRecordIndicatorId = 1024;
    static constexpr int kPlayIndicatorId = 1025;

    PlaybackDialog(const RadioState& radio, RadioLink& link, EventHub& events, QWidget* parent);
    ~PlaybackDialog() override;

    QLabel* recordIndicator() const { return record_; }
    QLabel* playIndicator() const { return play_; }
    // A button by its control id; nullptr for another id.
    QPushButton* button(int controlId) const;

  public slots:
    void reject() override;

  private:
    QLabel* addIndicator(const char* text, int controlId);
    QPushButton* addButton(const char* text, PlaybackControl::Button which);
    void updateIndicators();

    PlaybackControl control_;
    QLabel* record_ = nullptr;
    QLabel* play_ = nullptr;
    std::map<int, QPushButton*> buttons_;
    std::unique_ptr<WindowSubscription> subscription_;  // last: ends first
};

}  // namespace panelink
