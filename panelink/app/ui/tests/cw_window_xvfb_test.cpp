// The CW window in the real program on a real X server (Xvfb), against the simulator: opened
// from the menu bar, a keyer text typed and written with xdotool, and the write, its read-back
// and the radio's keyer memory checked at the simulator.
#include <gtest/gtest.h>

#include <QPoint>
#include <QProcess>
#include <QRect>
#include <QString>

#include <chrono>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "panelink/app/ui/tests/program_test_support.h"
#include "panelink/app/ui/tests/xvfb_support.h"
#include "shared/formats/testing/working_dir.h"

namespace panelink {
namespace {

using namespace std::chrono_literals;
using apptest::HeardCommand;
using apptest::pollUntil;
using apptest::XWindow;

const QString kMainTitle = QStringLiteral("Vantor for OrvikD");
const QString kCwTitle = QStringLiteral("CW");
constexpr int kPanelHeight = 320;

// The first command `text` the simulator heard at or after position `from`; its position.
std::optional<std::size_t> findHeard(const std::vector<HeardCommand>& heard, std::string_view text,
                                     std::size_t from = 0) {
    for (std::size_t i = from; i < heard.size(); ++i) {
        if (heard[i].text == text) return i;
    }
    return std::nullopt;
}

std::string listed(const std::vector<HeardCommand>& heard) {
    std::string text = "heard:\n";
    for (const auto& command : heard)
        text += std::to_string(command.ms) + " " + command.text + "\n";
    return text;
}

TEST(CwWindowOnX, ATextTypedIntoMemoryTwoIsWrittenReadBackAndStoredInTheRadio) {
    if (!apptest::installed("Xvfb")) GTEST_SKIP() << "Xvfb is not installed";
    if (!apptest::installed("xdotool")) GTEST_SKIP() << "xdotool is not installed";
    commo::ScratchWorkingDir scratch("panelink-cw-x");
    apptest::XServer x;
    ASSERT_TRUE(x.start(scratch.path()));
    const apptest::XTool tool(x.environment());
    apptest::Simulator sim;
    ASSERT_TRUE(sim.start(scratch.path(), {"--no-meters"}));
    ASSERT_EQ(sim.control("set KM2 OLD TEXT"), "ok");
    scratch.writeCommoFile("CommSetting.csv", "1,4800,0\n");

    QProcess panelink;
    apptest::startPanelink(panelink, scratch.path(), QStringLiteral("xcb"), x.environment());
    ASSERT_TRUE(panelink.waitForStarted(5000));
    ASSERT_TRUE(pollUntil([&] { return sim.received("PS;"); }, 20s)) << sim.transcript();
    std::vector<XWindow> main;
    ASSERT_TRUE(pollUntil(
        [&] {
            main = tool.windowsTitled(kMainTitle);
            return main.size() == 1;
        },
        20s));

    // Option is the third menu of the bar, which lies above the 320 pixels of the panel: File
    // is opened with the mouse, the keys move on.
    const QRect frame = main.front().rect;
    const QPoint file = frame.topLeft() + QPoint(12, (frame.height() - kPanelHeight) / 2);
    ASSERT_TRUE(tool.click(file));
    std::this_thread::sleep_for(300ms);
    for (const char* key : {"Right", "Right", "Down", "Return"})
        ASSERT_TRUE(tool.key(QString::fromLatin1(key)));
    std::vector<XWindow> cw;
    ASSERT_TRUE(pollUntil(
        [&] {
            cw = tool.windowsTitled(kCwTitle);
            return cw.size() == 1;
        },
        10s))
        << "Option/CW opened no CW window";

    // The window reads memories 1..3 and takes input once the last answer is in.
    ASSERT_TRUE(pollUntil([&] { return sim.received("KM3;"); }, 10s)) << sim.transcript();
    const auto reads = sim.heard();
    const auto first = findHeard(reads, "KM1;");
    ASSERT_TRUE(first && findHeard(reads, "KM2;", *first) && findHeard(reads, "KM3;", *first))
        << listed(reads);
    std::this_thread::sleep_for(1500ms);

    const std::size_t mark = sim.heard().size();
    ASSERT_TRUE(tool.run({QStringLiteral("windowfocus"), QStringLiteral("--sync"), cw.front().id}));
    ASSERT_TRUE(tool.key(QStringLiteral("alt+2")));
    ASSERT_TRUE(tool.key(QStringLiteral("ctrl+a")));
    ASSERT_TRUE(tool.run({QStringLiteral("type"), QStringLiteral("--delay"), QStringLiteral("30"),
                          QStringLiteral("CQ DE XVFB")}));
    // From the box, Tab reaches its write button.
    ASSERT_TRUE(tool.key(QStringLiteral("Tab")));
    ASSERT_TRUE(tool.key(QStringLiteral("space")));

    std::optional<std::size_t> write;
    std::optional<std::size_t> readBack;
    pollUntil(
        [&] {
            const auto heard = sim.heard();
            write = findHeard(heard, "KM2CQ DE XVFB;", mark);
            if (write) readBack = findHeard(heard, "KM2;", *write + 1);
            return readBack.has_value();
        },
        5s);
    EXPECT_TRUE(write.has_value()) << listed(sim.heard());
    EXPECT_TRUE(readBack.has_value()) << listed(sim.heard());
    std::string stored = "KM2CQ DE XVFB";
    stored.resize(3 + 50, ' ');
    EXPECT_EQ(sim.control("get KM2"), stored + ";");

    ASSERT_TRUE(tool.key(QStringLiteral("Escape")));
    EXPECT_TRUE(pollUntil([&] { return tool.windowsTitled(kCwTitle).empty(); }, 5s))
        << "Escape left the CW window open";

    panelink.terminate();
    ASSERT_TRUE(panelink.waitForFinished(30000));
    EXPECT_EQ(panelink.exitCode(), 0);
}

}  // namespace
}  // namespace panelink
