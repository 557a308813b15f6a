// Suspend and resume from logind's PrepareForSleep, on a private message bus of the test's
// own.
#include "panelink/app/ui/power_watcher.h"

#include <gtest/gtest.h>

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>

#include "panelink/testing/qt_test_support.h"

namespace panelink {
namespace {

using uitest::waitUntil;

class PowerWatcherTest : public ::testing::Test {
  protected:
    void SetUp() override {
        if (QStandardPaths::findExecutable(QStringLiteral("dbus-daemon")).isEmpty())
            GTEST_SKIP() << "dbus-daemon is not installed";
        bus_.start(QStringLiteral("dbus-daemon"),
                   {QStringLiteral("--session"), QStringLiteral("--nofork"),
                    QStringLiteral("--nopidfile"), QStringLiteral("--print-address=1")});
        ASSERT_TRUE(bus_.waitForStarted(5000));
        ASSERT_TRUE(waitUntil([&] {
            bus_.waitForReadyRead(50);
            address_ += QString::fromUtf8(bus_.readAllStandardOutput());
            return address_.contains(QLatin1Char('\n'));
        }));
        address_ = address_.trimmed();
    }

    void TearDown() override {
        QDBusConnection::disconnectFromBus(QStringLiteral("watcher"));
        QDBusConnection::disconnectFromBus(QStringLiteral("logind"));
        QDBusConnection::disconnectFromBus(QStringLiteral("other"));
        if (bus_.state() != QProcess::NotRunning) {
            bus_.terminate();
            bus_.waitForFinished(5000);
        }
    }

    static void emitPrepareForSleep(QDBusConnection& from, bool suspending) {
        QDBusMessage signal = QDBusMessage::createSignal(
            QString::fromLatin1(PowerWatcher::kPath), QString::fromLatin1(PowerWatcher::kInterface),
            QString::fromLatin1(PowerWatcher::kSignal));
        signal << suspending;
        from.send(signal);
    }

    QProcess bus_;
    QString address_;
};

TEST_F(PowerWatcherTest, SuspendAndResumeFromLogindEachCountAsAPowerEvent) {
    int events = 0;
    PowerWatcher watcher(QDBusConnection::connectToBus(address_, QStringLiteral("watcher")),
                         [&] { ++events; });
    ASSERT_TRUE(watcher.watching());

    QDBusConnection logind = QDBusConnection::connectToBus(address_, QStringLiteral("logind"));
    ASSERT_TRUE(logind.isConnected());
    ASSERT_TRUE(logind.interface()->registerService(QString::fromLatin1(PowerWatcher::kService)));
    QDBusConnection other = QDBusConnection::connectToBus(address_, QStringLiteral("other"));

    // The same signal from someone else is not a power event.
    emitPrepareForSleep(other, true);
    QTest::qWait(200);
    EXPECT_EQ(events, 0);

    emitPrepareForSleep(logind, true);
    ASSERT_TRUE(waitUntil([&] { return events == 1; }, 5000));
    emitPrepareForSleep(logind, false);
    ASSERT_TRUE(waitUntil([&] { return events == 2; }, 5000));
}

}  // namespace
}  // namespace panelink
