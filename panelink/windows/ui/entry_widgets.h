#pragma once

#include <QString>

#include <string_view>

class QDialogButtonBox;
class QDialog;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

namespace panelink {

struct ProgramString;

QString qtText(std::string_view text);

// A label showing a string of the string table, named by its control id.
QLabel* stringLabel(const ProgramString& string, int controlId, QWidget* parent);

// An edit box named by its control id that takes at most `maxLength` characters.
QLineEdit* textEdit(int controlId, int maxLength, QWidget* parent);
// The same for decimal digits only: anything else cannot be typed or pasted.
QLineEdit* digitEdit(int controlId, int maxDigits, QWidget* parent);

// "OK" (the default button) and "CANCEL" wired to the dialog's accept() and reject().
QDialogButtonBox* okCancelButtons(QDialog& dialog, QPushButton*& ok, QPushButton*& cancel);

}  // namespace panelink
