#pragma once

#include <QList>
#include <QPointer>
#include <QString>

#include <functional>

class QMessageBox;
class QWidget;

namespace panelink {

// Shows the program's message boxes (text and an OK button). A box does not block the caller:
// it stays up, modal for the application, until the user closes it, and then `closed` runs.
// Tests put a recording presenter in its place.
class BoxPresenter {
  public:
    struct Box {
        QString title;
        QString text;
        QWidget* parent = nullptr;
    };
    using Closed = std::function<void()>;

    virtual ~BoxPresenter() = default;
    virtual void show(const Box& box, Closed closed) = 0;
    // Closes every box still up, as if the user had closed it.
    virtual void closeAll() = 0;
    virtual int openCount() const = 0;
};

// Message boxes on the screen.
class QtBoxPresenter final : public BoxPresenter {
  public:
    QtBoxPresenter() = default;
    ~QtBoxPresenter() override;
    QtBoxPresenter(const QtBoxPresenter&) = delete;
    QtBoxPresenter& operator=(const QtBoxPresenter&) = delete;

    void show(const Box& box, Closed closed) override;
    void closeAll() override;
    int openCount() const override;

  private:
    QList<QPointer<QMessageBox>> boxes_;
};

}  // namespace panelink
