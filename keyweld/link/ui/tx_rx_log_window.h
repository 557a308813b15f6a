#pragma once

#include <QWidget>

#include "keyweld/link/tx_rx_log.h"

class QPlainTextEdit;

namespace keyweld {

// The "Tx/Rx Log" window: the log's lines in a read-only text with a vertical scroll bar.
// Shown and hidden by the log model's toggle.
class TxRxLogWindow final : public QWidget, public TxRxLogView {
    Q_OBJECT

  public:
    static constexpr int kWidth = 420;
    static constexpr int kHeight = 313;

    explicit TxRxLogWindow(QWidget* parent = nullptr);

    QPlainTextEdit* text() const { return text_; }

    void linesAppended(const std::deque<std::string>& lines, std::size_t count) override;
    void cleared() override;
    void shownChanged(bool shown) override;

  signals:
    // The user closed the window with its close box.
    void closedByUser();

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    QPlainTextEdit* text_;
};

}  // namespace keyweld
