#include "panelink/app/ui/power_watcher.h"

#include <utility>

namespace panelink {

PowerWatcher::PowerWatcher(QDBusConnection bus, std::function<void()> onPowerEvent, QObject* parent)
    : QObject(parent), onPowerEvent_(std::move(onPowerEvent)) {
    if (!bus.isConnected()) return;
    watching_ = bus.connect(QString::fromLatin1(kService), QString::fromLatin1(kPath),
                            QString::fromLatin1(kInterface), QString::fromLatin1(kSignal), this,
                            SLOT(prepareForSleep(bool)));
}

void PowerWatcher::prepareForSleep(bool /*suspending*/) {
    // Going to sleep and waking up both close the port; the next write opens it again.
    if (onPowerEvent_) onPowerEvent_();
}

}  // namespace panelink
