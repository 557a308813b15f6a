#include "panelink/windows/ui/memory_write_dialog.h"

#include <QDialogButtonBox>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

#include "panelink/panel/ui/panel_strings.h"
#include "panelink/windows/ui/entry_widgets.h"
#include "panelink/windows/window_strings.h"

namespace panelink {

using State = MemoryWriteEntry::State;

MemoryWriteDialog::MemoryWriteDialog(const RadioState& radio, RadioLink& link, EventHub& events,
                                     QWidget* parent)
    : QDialog(parent),
      timers_(*this, [this](int timerId) { onTimer(timerId); }),
      entry_(radio, link, timers_, events) {
    setWindowTitle(tr("MEMORY WRITE"));
    edit_ = digitEdit(kEditId, MemoryWriteEntry::kMaxDigits, this);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(stringLabel(kStringEnterMemoryChannel, kPromptId, this));
    layout->addWidget(stringLabel(kStringMemoryEntryRange, kRangeNoteId, this));
    layout->addWidget(edit_);
    layout->addWidget(okCancelButtons(*this, ok_, cancel_));
    layout->setSizeConstraint(QLayout::SetFixedSize);

    subscription_ = std::make_unique<WindowSubscription>(
        events,
        EventHub::Interest(MemoryWriteEntry::kAnswerUpdates.begin(),
                           MemoryWriteEntry::kAnswerUpdates.end()),
        *this, [this](const platform::Message&) { onAnswer(); });
}

MemoryWriteDialog::~MemoryWriteDialog() = default;

QMessageBox* MemoryWriteDialog::messageBox() const {
    return box_.data();
}

void MemoryWriteDialog::accept() {
    if (box_) return;
    switch (entry_.confirm(edit_->text().toStdString())) {
        case MemoryWriteEntry::Outcome::Closed:
            QDialog::accept();
            break;
        case MemoryWriteEntry::Outcome::OutOfRange:
            showRangeMessage();
            break;
        case MemoryWriteEntry::Outcome::Waiting:
            showInputState();
            break;
    }
}

void MemoryWriteDialog::reject() {
    entry_.cancel();
    QDialog::reject();
    if (box_) box_->close();
}

void MemoryWriteDialog::onAnswer() {
    if (entry_.onMemoryReported()) askOverwrite();
}

void MemoryWriteDialog::onTimer(int timerId) {
    entry_.onTimer(timerId);
    finishIfEnded();
}

void MemoryWriteDialog::askOverwrite() {
    auto* box = new QMessageBox(QMessageBox::Question, qtText(kProductName),
                                qtText(kStringChannelExists.text),
                                QMessageBox::Ok | QMessageBox::Cancel, this);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::WindowModal);
    connect(box, &QMessageBox::finished, this, [this, box] {
        box_ = nullptr;
        entry_.answerOverwrite(box->clickedButton() == box->button(QMessageBox::Ok));
        showInputState();
        finishIfEnded();
    });
    box_ = box;
    box->open();
}

void MemoryWriteDialog::showRangeMessage() {
    auto* box = new QMessageBox(QMessageBox::Warning, qtText(kProductName),
                                qtText(kStringInputRangeIncorrect.text), QMessageBox::Ok, this);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::WindowModal);
    connect(box, &QMessageBox::finished, this, [this] {
        box_ = nullptr;
        edit_->setFocus();
    });
    box_ = box;
    box->open();
}

void MemoryWriteDialog::showInputState() {
    const bool enabled = entry_.inputEnabled();
    edit_->setReadOnly(!enabled);
    ok_->setEnabled(enabled);
    cancel_->setEnabled(enabled);
}

void MemoryWriteDialog::finishIfEnded() {
    if (entry_.state() == State::Ended && isVisible()) QDialog::accept();
}

void MemoryWriteDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    edit_->setFocus();
}

void MemoryWriteDialog::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) edit_->setFocus();
}

}  // namespace panelink
