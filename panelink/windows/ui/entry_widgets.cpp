#include "panelink/windows/ui/entry_widgets.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QRegularExpressionValidator>

#include "panelink/windows/window_strings.h"

namespace panelink {

QString qtText(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QLabel* stringLabel(const ProgramString& string, int controlId, QWidget* parent) {
    auto* label = new QLabel(qtText(string.text), parent);
    label->setObjectName(QStringLiteral("label%1").arg(controlId));
    return label;
}

QLineEdit* textEdit(int controlId, int maxLength, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QStringLiteral("edit%1").arg(controlId));
    edit->setMaxLength(maxLength);
    return edit;
}

QLineEdit* digitEdit(int controlId, int maxDigits, QWidget* parent) {
    QLineEdit* edit = textEdit(controlId, maxDigits, parent);
    edit->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[0-9]{0,%1}").arg(maxDigits)), edit));
    return edit;
}

QDialogButtonBox* okCancelButtons(QDialog& dialog, QPushButton*& ok, QPushButton*& cancel) {
    ok = new QPushButton(QObject::tr("OK"), &dialog);
    ok->setDefault(true);
    cancel = new QPushButton(QObject::tr("CANCEL"), &dialog);
    auto* buttons = new QDialogButtonBox(&dialog);
    buttons->addButton(ok, QDialogButtonBox::AcceptRole);
    buttons->addButton(cancel, QDialogButtonBox::RejectRole);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    return buttons;
}

}  // namespace panelink
