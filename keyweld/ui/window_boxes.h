#pragma once

#include <QString>

#include "keyweld/editor/editor_ports.h"

class QWidget;

namespace keyweld {

// The main window's message boxes: the editor's Yes/No questions, error boxes and the
// version box. Tests answer them without a screen.
class WindowBoxes : public EditorQuestions {
  public:
    virtual void showError(const QString& text) = 0;
    virtual void showVersion(const QString& text) = 0;
};

// Boxes on the screen. The questions sit a little above and left of the window's centre.
class QtWindowBoxes final : public WindowBoxes {
  public:
    explicit QtWindowBoxes(QWidget& window) : window_(window) {}

    bool ask(Question question) override;
    void showError(const QString& text) override;
    void showVersion(const QString& text) override;

  private:
    QWidget& window_;
};

// The error box text for a file below CommoFiles that could not be written.
QString fileWriteErrorText(const FileWriteFailure& failure);

}  // namespace keyweld
