#pragma once

#include <QObject>

#include "keyweld/link/comm_events.h"

namespace keyweld {

// Brings the serial component's thread news to the user interface thread: each call posts a
// queued call of the matching signal on this object's thread and returns at once. Must
// outlive the component it is given to.
class CommNotifier final : public QObject, public CommEvents {
    Q_OBJECT

  public:
    explicit CommNotifier(QObject* parent = nullptr);

    void charactersArrived() override;
    void breakDetected() override;
    void lineError(std::uint32_t bits) override;

  signals:
    void charactersWaiting();
    void lineBreak();
    void lineErrorOccurred(quint32 bits);
};

}  // namespace keyweld
