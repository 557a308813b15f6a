// The network control server end to end: the generic client of the rigctld protocol (model
// 2, "NET rigctl") against the real program on the offscreen platform and the simulated
// transceiver. Each set must reach the radio as its CAT command, and the program's radio
// state (what the panel draws) must show it when the client reads it back.
#include <gtest/gtest.h>

#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QProcess>
#include <QStandardPaths>

#include <chrono>
#include <filesystem>
#include <string>

#include "panelink/app/ui/tests/program_test_support.h"
#include "shared/formats/testing/working_dir.h"

namespace panelink {
namespace {

using namespace std::chrono_literals;
using apptest::pollUntil;
namespace fs = std::filesystem;

// A port nobody listens on now: bound to port 0 and let go.
std::uint16_t freePort() {
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof address;
    ::bind(fd, reinterpret_cast<sockaddr*>(&address), size);
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &size);
    ::close(fd);
    return ntohs(address.sin_port);
}

struct ClientRun {
    int exitCode = -1;
    QString out;
    QString err;
};

class RigctlProgramTest : public ::testing::Test {
  protected:
    void SetUp() override {
        rigctl_ = QStandardPaths::findExecutable(QStringLiteral("rigctl"));
        if (rigctl_.isEmpty()) GTEST_SKIP() << "rigctl (libhamlib-utils) is not installed";
        ASSERT_TRUE(sim_.start(scratch_.path(), {"--ai", "--no-meters"}));
        scratch_.writeCommoFile("CommSetting.csv", "1,4800,0\n");
        port_ = freePort();
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), apptest::qpath(scratch_.path()));
        panelink_.setProcessEnvironment(environment);
        panelink_.setWorkingDirectory(apptest::qpath(scratch_.path()));
        panelink_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        panelink_.start(QStringLiteral(PANELINK_TEST_PROGRAM),
                        {QStringLiteral("--rigctld"), QStringLiteral("127.0.0.1:%1").arg(port_)});
        ASSERT_TRUE(panelink_.waitForStarted(5000));
        // The program switches auto-information off at start; the radio then reports it on,
        // as after a press of COM, and the program reads its state and its menu.
        ASSERT_TRUE(pollUntil([&] { return sim_.received("PS;"); }, 30s)) << sim_.transcript();
        ASSERT_EQ(sim_.control("ai on"), "ok");
        ASSERT_EQ(sim_.control("send AI1;"), "ok");
        ASSERT_TRUE(pollUntil([&] { return sim_.received("ID;"); }, 10s)) << sim_.transcript();
        ASSERT_TRUE(readoutsOver()) << sim_.transcript();
        ASSERT_TRUE(pollUntil([&] { return rigctl({"f"}).exitCode == 0; }, 10s));
    }

    // The read-outs are over when for a second nothing but the status polls has come.
    bool readoutsOver() {
        return pollUntil(
            [&] {
                const auto heard = sim_.heard();
                for (auto it = heard.rbegin(); it != heard.rend(); ++it) {
                    if (it->text == "IF;" || it->text == "PS;" || it->text == "AI;") continue;
                    return heard.back().ms - it->ms >= 1000;
                }
                return false;
            },
            30s);
    }

    void TearDown() override {
        if (panelink_.state() == QProcess::NotRunning) return;
        panelink_.terminate();
        if (!panelink_.waitForFinished(20000)) panelink_.kill();
    }

    ClientRun rigctl(const QStringList& commands) {
        QProcess client;
        client.start(rigctl_,
                     QStringList{QStringLiteral("-m"), QStringLiteral("2"), QStringLiteral("-r"),
                                 QStringLiteral("127.0.0.1:%1").arg(port_)} +
                         commands);
        ClientRun run;
        if (!client.waitForFinished(15000)) {
            client.kill();
            client.waitForFinished();
            return run;
        }
        run.exitCode = client.exitCode();
        run.out = QString::fromUtf8(client.readAllStandardOutput()).trimmed();
        run.err = QString::fromUtf8(client.readAllStandardError());
        return run;
    }

    // A set, then the read-back; the set's CAT command must be in the transcript.
    void expectSet(const QStringList& set, const std::string& catCommand, const QString& get,
                   const QString& expected) {
        const ClientRun done = rigctl(set);
        EXPECT_EQ(done.exitCode, 0)
            << set.join(' ').toStdString() << ": " << done.err.toStdString();
        EXPECT_FALSE(done.err.contains(QStringLiteral("error"))) << done.err.toStdString();
        // A radio already showing the value answers at once, before the command is on the wire.
        EXPECT_TRUE(pollUntil([&] { return sim_.received(catCommand); }, 5s))
            << catCommand << " not in the transcript";
        EXPECT_EQ(rigctl({get}).out, expected) << set.join(' ').toStdString();
    }

    commo::ScratchWorkingDir scratch_{"panelink-rigctl"};
    apptest::Simulator sim_;
    QProcess panelink_;
    QString rigctl_;
    std::uint16_t port_ = 0;
};

TEST_F(RigctlProgramTest, TheGenericClientReadsAndSetsFrequencyModePttVfoAndSplit) {
    const ClientRun first = rigctl({"f"});
    EXPECT_GE(first.out.toLongLong(), 30000) << first.out.toStdString();

    expectSet({"F", "7074000"}, "FA07074000;", "f", "7074000");
    expectSet({"M", "USB", "2400"}, "MD02;", "m", "USB\n2400");
    expectSet({"T", "1"}, "TX1;", "t", "1");
    expectSet({"T", "0"}, "TX0;", "t", "0");
    expectSet({"V", "VFOB"}, "VS1;", "v", "VFOB");
    expectSet({"V", "VFOA"}, "VS0;", "v", "VFOA");
    expectSet({"S", "1", "VFOB"}, "FT1;", "s", "1\nVFOB");

    // The S meter as dB over S9: the simulator reports S0 with its meters off.
    const ClientRun strength = rigctl({"l", "STRENGTH"});
    EXPECT_EQ(strength.exitCode, 0) << strength.err.toStdString();
    EXPECT_EQ(strength.out, "-54");
    EXPECT_FALSE(panelink_.waitForFinished(0)) << "the program ended";
}

TEST_F(RigctlProgramTest, ASecondCopyFindsThePortTakenAndRunsWithoutTheServer) {
    commo::ScratchWorkingDir second{"panelink-rigctl-2"};
    second.writeCommoFile("CommSetting.csv", "1,4800,0\n");
    QProcess copy;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), apptest::qpath(second.path()));
    copy.setProcessEnvironment(environment);
    copy.setWorkingDirectory(apptest::qpath(second.path()));
    copy.start(QStringLiteral(PANELINK_TEST_PROGRAM),
               {QStringLiteral("--rigctld"), QStringLiteral("127.0.0.1:%1").arg(port_)});
    QByteArray err;
    const bool told = pollUntil(
        [&] {
            copy.waitForReadyRead(20);
            err += copy.readAllStandardError();
            return err.contains("already in use");
        },
        20s);
    EXPECT_TRUE(told) << err.toStdString();
    EXPECT_FALSE(copy.waitForFinished(0)) << "the second copy ended";
    EXPECT_EQ(rigctl({"f"}).exitCode, 0);  // the first copy still serves
    copy.terminate();
    EXPECT_TRUE(copy.waitForFinished(20000));
    EXPECT_EQ(copy.exitCode(), 0);
}

}  // namespace
}  // namespace panelink
