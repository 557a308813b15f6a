// The real program on a real X server (Xvfb) against the simulator: a frequency the
// transceiver reports changes the frequency digits on the screen, and nothing else.
#include <gtest/gtest.h>

#include <QImage>
#include <QProcess>

#include <chrono>
#include <filesystem>
#include <string>

#include "panelink/app/ui/tests/program_test_support.h"
#include "panelink/app/ui/tests/xvfb_support.h"
#include "panelink/testing/qt_test_support.h"
#include "shared/formats/testing/working_dir.h"
#include "shared/platform/testing/scratch_dir.h"

namespace panelink {
namespace {

using namespace std::chrono_literals;
using apptest::pollUntil;
using uitest::changedRect;
namespace fs = std::filesystem;

// The panel part of the main window, grabbed from the X server.
QImage grabPanel(const QProcessEnvironment& environment, const fs::path& file) {
    return apptest::grabWindow(environment, QStringLiteral("Vantor for OrvikD"), file, true);
}

TEST(ProgramOnX, AReportedFrequencyChangesTheDigitsOnTheScreen) {
    if (!apptest::installed("Xvfb")) GTEST_SKIP() << "Xvfb is not installed";
    commo::ScratchWorkingDir scratch("panelink-app");
    apptest::XServer x;
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
