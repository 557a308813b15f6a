#include "keyweld/ui/window_boxes.h"

#include <QMessageBox>
#include <QWidget>

namespace keyweld {

bool QtWindowBoxes::ask(Question question) {
    QMessageBox box(QMessageBox::Question, window_.windowTitle(),
                    QString::fromUtf8(questionText(question)), QMessageBox::Yes | QMessageBox::No,
                    &window_);
    const QRect frame = window_.frameGeometry();
    box.move(frame.left() + frame.width() / 2 - 110, frame.top() + frame.height() / 2 - 60);
    return box.exec() == QMessageBox::Yes;
}

void QtWindowBoxes::showError(const QString& text) {
    QMessageBox box(QMessageBox::Critical, window_.windowTitle(), text, QMessageBox::Ok, &window_);
    box.exec();
}

void QtWindowBoxes::showVersion(const QString& text) {
    QMessageBox box(QMessageBox::Information, QStringLiteral("Version information for Keyweld"),
                    text, QMessageBox::Ok, &window_);
    box.exec();
}

QString fileWriteErrorText(const FileWriteFailure& failure) {
    return QStringLiteral("File write error  File Name = CommoFiles\\") +
           QString::fromStdString(failure.fileName);
}

}  // namespace keyweld
