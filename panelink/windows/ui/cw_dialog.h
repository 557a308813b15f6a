#pragma once

#include <QDialog>

#include <array>
#include <memory>

#include "panelink/core/event_hub.h"
#include "panelink/windows/cw_window.h"
#include "shared/platform/message.h"
#include "shared/platform/timer_host.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace panelink {

// What the CW window uses of the rest of Panelink.
struct CwDialogServices {
    // It hears the "KM" updates here and announces its closing here.
    EventHub& events;
    const RadioState& radio;
    RadioLink& link;
    // The guard timer; the dialog's own Qt timer when null. Tests pass virtual time and hand
    // its ticks to onTimer().
    platform::TimerHost* timers = nullptr;
};

// "CW": the keyer memories. Three text-play buttons and STOP, the spot tone, and the texts of
// memories 1..3 with a write button each. Modeless; the main window opens it from the Option
// menu and destroys it when its closing message arrives. The close box and Escape close it;
// Enter presses nothing, so no memory is played or written by accident.
class CwDialog final : public QDialog, private platform::MessageSink {
    Q_OBJECT

  public:
    static constexpr int kDialogId = 897;

    explicit CwDialog(CwDialogServices services, QWidget* parent = nullptr);
    ~CwDialog() override;

    // Memories 1..3.
    QLineEdit* textBox(int memory) const;
    QPushButton* writeButton(int memory) const;
    // Why the text of a box cannot be written; empty when it can.
    QLabel* hintLabel(int memory) const;
    // A button by its control id (CwControl); nullptr for any other id.
    QPushButton* button(int control) const;

    const CwWindow& window() const { return window_; }
    // Whether shortcut keys pressed in this window may be sent: not while it reads or waits
    // for a read-back.
    bool takesShortcuts() const { return window_.takesShortcuts(); }

    // A tick of the window's guard timer.
    void onTimer(int timerId);

  public slots:
    // Every way out (close box, Escape) ends here; the closing message goes out once and the
    // main window destroys the dialog later.
    void done(int result) override;

  private:
    bool post(const platform::Message& message) override;
    void buildControls();
    QPushButton* addButton(int control, const QString& caption);
    void onEdited(int memory, const QString& text);
    void press(int control);
    void sync();

    std::unique_ptr<platform::TimerHost> ownTimers_;
    CwWindow window_;
    std::array<QLineEdit*, CwWindow::kMemoryCount> boxes_{};
    std::array<QPushButton*, CwWindow::kMemoryCount> writes_{};
    std::array<QLabel*, CwWindow::kMemoryCount> hints_{};
    std::array<QPushButton*, 6> plays_{};  // text play 1..3, STOP, spot ON, OFF
    int focusSeen_ = 0;
    // Last: ends before the window it feeds.
    EventHub::Subscription subscription_;
};

}  // namespace panelink
