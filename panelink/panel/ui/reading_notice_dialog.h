#pragma once

#include <QDialog>
#include <QTimer>

#include "panelink/core/event_hub.h"
#include "panelink/menu/reading_notice.h"
#include "shared/platform/message.h"

class QLabel;

namespace panelink {

// "Reading the menu setting data now.", window-modal over the panel while the menu read-out
// runs after the F key. Enter and Esc do nothing; it closes itself (finished()) when the
// read-out has ended, after ten seconds at most, or at once when no read-out runs.
class ReadingNoticeDialog final : public QDialog, public platform::MessageSink {
    Q_OBJECT

  public:
    ReadingNoticeDialog(LinkFlags& flags, EventHub& events, QWidget* parent);
    ~ReadingNoticeDialog() override;

    // Shows the notice and starts its wait.
    void start();

    // The read-out's end, from any thread.
    bool post(const platform::Message& message) override;

    QLabel* textLabel() const { return text_; }

  public slots:
    void reject() override {}

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void closeSoon();
    void finish();

    ReadingNotice notice_;
    QLabel* text_ = nullptr;
    QTimer longestWait_;
    bool finishing_ = false;
    EventHub::Subscription subscription_;
};

}  // namespace panelink
