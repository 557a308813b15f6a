#pragma once

#include <QDialog>
#include <QPointer>

#include <memory>

#include "panelink/core/event_hub.h"
#include "panelink/panel/panel_ports.h"
#include "panelink/windows/memory_write_entry.h"
#include "panelink/windows/ui/window_subscription.h"
#include "panelink/windows/ui/window_timers.h"

class QLabel;
class QLineEdit;
class QMessageBox;
class QPushButton;

namespace panelink {

class RadioState;

// "MEMORY WRITE": stores the current state in a memory channel, 1 to 504. While the channel is
// read the box is read-only and both buttons are disabled; a channel in use is overwritten only
// when the user agrees. OK with an empty box, CANCEL, Escape, the close box and a completed
// write end it with MemoryWriteClosed.
class MemoryWriteDialog final : public QDialog {
    Q_OBJECT

  public:
    static constexpr int kDialogId = 1496;
    static constexpr int kPromptId = 1186;
    static constexpr int kRangeNoteId = 1187;
    static constexpr int kEditId = 1188;

    MemoryWriteDialog(const RadioState& radio, RadioLink& link, EventHub& events, QWidget* parent);
    ~MemoryWriteDialog() override;

    QLineEdit* edit() const { return edit_; }
    QPushButton* okButton() const { return ok_; }
    QPushButton* cancelButton() const { return cancel_; }
    // The range message or the overwrite question while it is up.
    QMessageBox* messageBox() const;
    const MemoryWriteEntry& entry() const { return entry_; }

  public slots:
    void accept() override;
    void reject() override;

  protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    void onAnswer();
    void onTimer(int timerId);
    void askOverwrite();
    void showRangeMessage();
    void showInputState();
    void finishIfEnded();

    WindowTimers timers_;  // before the entry, which stops its timer when it goes
    MemoryWriteEntry entry_;
    QLineEdit* edit_ = nullptr;
    QPushButton* ok_ = nullptr;
    QPushButton* cancel_ = nullptr;
    QPointer<QMessageBox> box_;
    std::unique_ptr<WindowSubscription> subscription_;  // last: ends first
};

}  // namespace panelink
