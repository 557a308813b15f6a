#include "panelink/windows/ui/vfo_set_dialog.h"

#include <QDialogButtonBox>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "panelink/windows/ui/entry_widgets.h"
#include "panelink/windows/window_strings.h"

namespace panelink {

VfoSetDialog::VfoSetDialog(platform::MessageSink& mainWindow, QWidget* parent)
    : QDialog(parent), entry_(mainWindow) {
    setWindowTitle(tr("VFO SET"));
    auto* note = new QLabel(this);
    note->setObjectName(QStringLiteral("label%1").arg(kNoteId));
    prompt_ = stringLabel(kStringEnterFrequency, kPromptId, this);
    edit_ = digitEdit(kEditId, VfoSetEntry::kMaxDigits, this);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(note);
    layout->addWidget(prompt_);
    layout->addWidget(edit_);
    layout->addWidget(okCancelButtons(*this, ok_, cancel_));
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void VfoSetDialog::accept() {
    entry_.confirm(edit_->text().toStdString());
    QDialog::accept();
}

void VfoSetDialog::reject() {
    entry_.cancel();
    QDialog::reject();
}

void VfoSetDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    edit_->setFocus();
}

void VfoSetDialog::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) edit_->setFocus();
}

}  // namespace panelink
