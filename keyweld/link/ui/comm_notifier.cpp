#include "keyweld/link/ui/comm_notifier.h"

#include <QMetaObject>

namespace keyweld {

CommNotifier::CommNotifier(QObject* parent) : QObject(parent) {}

void CommNotifier::charactersArrived() {
    QMetaObject::invokeMethod(
        this, [this] { emit charactersWaiting(); }, Qt::QueuedConnection);
}

void CommNotifier::breakDetected() {
    QMetaObject::invokeMethod(
        this, [this] { emit lineBreak(); }, Qt::QueuedConnection);
}

void CommNotifier::lineError(std::uint32_t bits) {
    QMetaObject::invokeMethod(
        this, [this, bits] { emit lineErrorOccurred(static_cast<quint32>(bits)); },
        Qt::QueuedConnection);
}

}  // namespace keyweld
