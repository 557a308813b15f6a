#pragma once

#include <QDBusConnection>
#include <QObject>

#include <functional>

namespace panelink {

// Suspend and resume as reported by logind (PrepareForSleep on the system bus): each calls
// the handler on the user interface thread. Without a bus nothing is watched.
class PowerWatcher final : public QObject {
    Q_OBJECT

  public:
    static constexpr const char* kService = "org.freedesktop.login1";
    static constexpr const char* kPath = "/org/freedesktop/login1";
    static constexpr const char* kInterface = "org.freedesktop.login1.Manager";
    static constexpr const char* kSignal = "PrepareForSleep";

    PowerWatcher(QDBusConnection bus, std::function<void()> onPowerEvent,
                 QObject* parent = nullptr);

    bool watching() const { return watching_; }

  private slots:
    void prepareForSleep(bool suspending);

  private:
    std::function<void()> onPowerEvent_;
    bool watching_ = false;
};

}  // namespace panelink
