// The real program on a real X server (Xvfb) against the simulator: a frequency the
// transceiver reports changes the frequency digits on the screen, and nothing else.
#include <gtest/gtest.h>

#include <QImage>
#include <QProcess>
#include <QStandardPaths>

#include <chrono>
#include <filesystem>
#include <string>

#include "panelink/app/ui/tests/program_test_support.h"
#include "panelink/testing/qt_test_support.h"
#include "shared/formats/testing/working_dir.h"
#include "shared/platform/testing/scratch_dir.h"

namespace panelink {
namespace {

using namespace std::chrono_literals;
using apptest::pollUntil;
using apptest::qpath;
using platform::readFile;
using uitest::changedRect;
namespace fs = std::filesystem;

// An X server for the test's lifetime: xvfb-run runs a shell that reports the display and
// then waits until the test removes its flag file.
class XServer {
  public:
    bool start(const fs::path& directory) {
        flag_ = directory / "xvfb-running";
        const fs::path info = directory / "xvfb-display";
        platform::writeFile(flag_, "");
        const QString script =
            QStringLiteral(
                "echo \"$DISPLAY $XAUTHORITY\" > '%1'; while [ -e '%2' ]; do sleep 0.2; "
                "done")
                .arg(qpath(info), qpath(flag_));
        process_.start(
            QStringLiteral("xvfb-run"),
            {QStringLiteral("-a"), QStringLiteral("-s"), QStringLiteral("-screen 0 1280x1024x24"),
             QStringLiteral("sh"), QStringLiteral("-c"), script});
        if (!process_.waitForStarted(5000)) return false;
        if (!pollUntil([&] { return readFile(info).find(' ') != std::string::npos; }, 20s))
            return false;
        const QStringList parts = QString::fromStdString(readFile(info)).trimmed().split(' ');
        display_ = parts.value(0);
        authority_ = parts.value(1);
        return !display_.isEmpty();
    }

    ~XServer() {
        std::error_code ignored;
        fs::remove(flag_, ignored);
        if (process_.state() != QProcess::NotRunning && !process_.waitForFinished(10000)) {
            process_.terminate();
            process_.waitForFinished(5000);
        }
    }

    QProcessEnvironment environment() const {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("DISPLAY"), display_);
        if (!authority_.isEmpty()) environment.insert(QStringLiteral("XAUTHORITY"), authority_);
        return environment;
    }

  private:
    fs::path flag_;
    QProcess process_;
    QString display_;
    QString authority_;
};

// The panel part of the main window, grabbed from the X server.
QImage grabPanel(const QProcessEnvironment& environment, const fs::path& file) {
    QProcess grab;
    grab.setProcessEnvironment(environment);
    grab.setProcessChannelMode(QProcess::ForwardedChannels);
    grab.start(QStringLiteral(PANELINK_TEST_SCREENGRAB),
               {QStringLiteral("--title"), QStringLiteral("Vantor for OrvikD"),
                QStringLiteral("--panel"), QStringLiteral("--out"), qpath(file)});
    if (!grab.waitForFinished(30000) || grab.exitCode() != 0) return {};
    return QImage(qpath(file)).convertToFormat(QImage::Format_RGB32);
}

TEST(ProgramOnX, AReportedFrequencyChangesTheDigitsOnTheScreen) {
    if (QStandardPaths::findExecutable(QStringLiteral("xvfb-run")).isEmpty())
        GTEST_SKIP() << "xvfb-run is not installed";
    commo::ScratchWorkingDir scratch("panelink-app");
    XServer x;
    ASSERT_TRUE(x.start(scratch.path()));
    apptest::Simulator sim;
    ASSERT_TRUE(sim.start(scratch.path(), {"--no-meters"}));
    scratch.writeCommoFile("CommSetting.csv", "1,4800,0\n");

    QProcess panelink;
    apptest::startPanelink(panelink, scratch.path(), QStringLiteral("xcb"), x.environment());
    ASSERT_TRUE(panelink.waitForStarted(5000));
    ASSERT_TRUE(pollUntil([&] { return sim.received("PS;"); }, 20s)) << sim.transcript();
    // The transceiver reports from now on; its first report is the reference frequency.
    EXPECT_EQ(sim.control("ai on"), "ok");
    EXPECT_EQ(sim.control("set FA 7074000"), "ok");
    std::this_thread::sleep_for(2s);
    const QImage before = grabPanel(x.environment(), scratch.path() / "before.png");
    ASSERT_EQ(before.size(), QSize(843, 320));

    EXPECT_EQ(sim.control("set FA 14285310"), "ok");
    std::this_thread::sleep_for(1s);
    const QImage after = grabPanel(x.environment(), scratch.path() / "after.png");
    ASSERT_EQ(after.size(), QSize(843, 320));

    const QRect changed = changedRect(before, after);
    EXPECT_FALSE(changed.isEmpty()) << "the display did not change";
    // The eight digits and the two points: 221..529 wide, 96..148 high.
    EXPECT_TRUE(QRect(221, 96, 308, 52).contains(changed))
        << "changed: " << changed.x() << "," << changed.y() << " " << changed.width() << "x"
        << changed.height();

    panelink.terminate();
    ASSERT_TRUE(panelink.waitForFinished(30000));
    EXPECT_EQ(panelink.exitCode(), 0);
}

}  // namespace
}  // namespace panelink
