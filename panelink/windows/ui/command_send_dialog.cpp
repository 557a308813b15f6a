#include "panelink/windows/ui/command_send_dialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <QValidator>

#include "panelink/windows/ui/entry_widgets.h"
#include "panelink/windows/window_strings.h"

namespace panelink {

namespace {

// Anything may be typed or pasted but a NUL character, which would cut the command short on
// the line.
class NoNulValidator final : public QValidator {
  public:
    using QValidator::QValidator;
    State validate(QString& input, int&) const override {
        return input.contains(QChar(u'\0')) ? Invalid : Acceptable;
    }
};

}  // namespace

CommandSendDialog::CommandSendDialog(RadioLink& link, platform::MessageSink& mainWindow,
                                     QWidget* parent)
    : QDialog(parent), entry_(link, mainWindow) {
    setWindowTitle(tr("Command Send"));
    prompt_ = stringLabel(kStringEnterCommand, kPromptId, this);
    edit_ = textEdit(kEditId, static_cast<int>(CommandEntry::kMaxLength), this);
    edit_->setValidator(new NoNulValidator(edit_));
    edit_->setMinimumWidth(edit_->fontMetrics().averageCharWidth() * 40);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(prompt_);
    layout->addWidget(edit_);
    layout->addWidget(okCancelButtons(*this, ok_, cancel_));
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void CommandSendDialog::accept() {
    entry_.confirm(edit_->text().toStdString());
    QDialog::accept();
}

void CommandSendDialog::reject() {
    entry_.cancel();
    QDialog::reject();
}

void CommandSendDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    edit_->setFocus();
    edit_->end(false);
}

}  // namespace panelink
