// The link as the main window uses it: received bytes come to the user interface thread
// and into the log; sends are logged whether or not the port is open.
#include "keyweld/link/ui/keyweld_link.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTest>
#include <QThread>

#include "keyweld/link/link_session.h"
#include "keyweld/link/ui/tests/link_ui_fixture.h"
#include "keyweld/link/ui/tx_rx_log_window.h"

namespace keyweld {
namespace {

using namespace std::chrono_literals;

class KeyweldLinkTest : public testing::LinkUiTest {};

TEST_F(KeyweldLinkTest, ReceivedBytesReachTheWindowThreadAndTheLogAsOneBurst) {
    mapPorts({1});
    KeyweldLink link(dir_.path());
    ASSERT_TRUE(link.openFromSettings().ok()) << "no CommSetting.csv: COM1";
    EXPECT_EQ(link.portStateText(), "Open");
    link.toggleLog();
    EXPECT_TRUE(link.logWindow().isVisible());
    EXPECT_EQ(link.logWindow().windowTitle(), "Tx/Rx Log");

    QThread* receivedOn = nullptr;
    QObject::connect(
        &link, &KeyweldLink::received, &link,
        [&](const QByteArray&) { receivedOn = QThread::currentThread(); }, Qt::DirectConnection);
    QSignalSpy received(&link, &KeyweldLink::received);
    ASSERT_EQ(pty(1).writeMaster("ID019;"), 6u);
    ASSERT_TRUE(received.wait(5000));
    EXPECT_EQ(receivedOn, qApp->thread());
    EXPECT_EQ(received.first().first().toByteArray(), QByteArray("ID019;"));

    QPlainTextEdit* text = link.logWindow().text();
    EXPECT_TRUE(text->isReadOnly());
    const QString burst("[RX Data]\nID019;");
    EXPECT_TRUE(QTest::qWaitFor([&] { return text->toPlainText() == burst; }, 2000));
    EXPECT_EQ(text->toPlainText(), burst);

    EXPECT_EQ(link.sendText("FA;"), SendOutcome::Sent);
    EXPECT_EQ(pty(1).readMaster(3, 5000ms), "FA;");
    link.toggleLog();
    EXPECT_FALSE(link.logWindow().isVisible());
}

TEST_F(KeyweldLinkTest, SendsWhileClosedAreLoggedAsNotSent) {
    mapPorts({2});
    KeyweldLink link(dir_.path());
    EXPECT_EQ(link.openFromSettings().text(), "Port Open Error");
    EXPECT_EQ(link.portStateText(), "Close");
    link.toggleLog();
    EXPECT_EQ(link.sendText("MD2;"), SendOutcome::PortClosed);
    EXPECT_EQ(link.logWindow().text()->toPlainText(),
              QString("[TX Data]\nMD2;\n(not sent: port closed)"));
}

}  // namespace
}  // namespace keyweld
