// Keyweld on a real X server (Xvfb) against the simulator, beside Panelink in one working
// directory: key buttons clicked and cells typed with xdotool, what reaches the radio read from
// the simulator's transcript, the Tx/Rx log and the message boxes read through the clipboard
// (xclip), as a user would copy them.
#include <gtest/gtest.h>

#include <signal.h>

#include <QPoint>
#include <QProcess>
#include <QRect>
#include <QString>

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "panelink/app/ui/tests/program_test_support.h"
#include "panelink/app/ui/tests/xvfb_support.h"
#include "shared/formats/testing/working_dir.h"

namespace keyweld {
namespace {

using namespace std::chrono_literals;
using panelink::apptest::pollUntil;
using panelink::apptest::qpath;
using panelink::apptest::XWindow;

const QString kKeyweldTitle = QStringLiteral("Keyboard shortcut editor for Vantor");
const QString kPanelinkTitle = QStringLiteral("Vantor for OrvikD");
const QString kLogTitle = QStringLiteral("Tx/Rx Log");
// Every message box of Panelink carries the product's name.
const QString kPanelinkBoxTitle = QStringLiteral("Panelink");

// Where Keyweld's controls lie on the screen. Without a window manager the window's X window is
// its client area: the menu bar, then the two key panels (kClientHeight high together with the
// status bar at the bottom).
class KeyweldOnScreen {
  public:
    static constexpr int kClientHeight = 646;
    static constexpr int kRowPitch = 23;

    explicit KeyweldOnScreen(QRect window) : window_(window) {}

    // The middle of the key button of `row` (1..26) of the left panel.
    QPoint keyButton(int row) const { return panelTop() + QPoint(2 + 37, rowMiddle(row)); }
    // The middle of the CAT Command cell of `row` of the left panel.
    QPoint commandCell(int row) const { return panelTop() + QPoint(200, rowMiddle(row)); }
    QPoint statusBar() const { return {window_.left() + 20, window_.bottom() - 8}; }

  private:
    QPoint panelTop() const { return {window_.left(), window_.bottom() + 1 - kClientHeight}; }
    static int rowMiddle(int row) { return 26 + kRowPitch * (row - 1) + 11; }

    QRect window_;
};

// The definition file with `commands` on its first lines (F2, F3, ...) and the rest empty.
std::string definitionFile(const std::vector<std::string>& commands) {
    std::string text;
    for (std::size_t slot = 0; slot < 46; ++slot)
        text += (slot < commands.size() ? commands[slot] : std::string()) + "\r\n";
    return text;
}

class KeyweldOnX : public ::testing::Test {
  protected:
    void SetUp() override {
        for (const char* tool : {"Xvfb", "xdotool", "xclip"}) {
            if (!panelink::apptest::installed(tool)) GTEST_SKIP() << tool << " is not installed";
        }
        ASSERT_TRUE(x_.start(scratch_.path()));
        tool_.emplace(x_.environment());
        ASSERT_TRUE(sim_.start(scratch_.path(), {"--no-meters"}));
        scratch_.writeCommoFile("CommSetting.csv", "1,4800,0\n");
    }

    void TearDown() override {
        for (QProcess* program : {&keyweld_, &panelink_}) {
            if (program->state() == QProcess::NotRunning) continue;
            program->terminate();
            EXPECT_TRUE(program->waitForFinished(30000));
            EXPECT_EQ(program->exitCode(), 0);
        }
    }

    QProcessEnvironment programEnvironment() const {
        QProcessEnvironment environment = x_.environment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        // The single-instance locks are this test's alone.
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), qpath(scratch_.path()));
        return environment;
    }

    void startKeyweld() {
        keyweld_.setProcessEnvironment(programEnvironment());
        keyweld_.setWorkingDirectory(qpath(scratch_.path()));
        keyweld_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        keyweld_.start(QStringLiteral(KEYWELD_TEST_PROGRAM), {});
        ASSERT_TRUE(keyweld_.waitForStarted(5000));
        const auto window = awaitWindow(kKeyweldTitle);
        ASSERT_TRUE(window.has_value()) << "Keyweld showed no window";
        keyweldWindow_.emplace(window->rect);
        keyweldId_ = window->id;
    }

    void startPanelink() {
        panelink::apptest::startPanelink(panelink_, scratch_.path(), QStringLiteral("xcb"),
                                         x_.environment());
        ASSERT_TRUE(panelink_.waitForStarted(5000));
        ASSERT_TRUE(awaitWindow(kPanelinkTitle).has_value()) << "Panelink showed no window";
    }

    std::optional<XWindow> awaitWindow(const QString& title,
                                       std::chrono::milliseconds timeout = 20s) const {
        std::optional<XWindow> found;
        pollUntil(
            [&] {
                const auto windows = tool_->windowsTitled(title);
                if (windows.size() == 1) found = windows.front();
                return found.has_value();
            },
            timeout);
        return found;
    }

    // Without a window manager nobody gives a window the keyboard.
    void focus(const QString& title) {
        const auto window = awaitWindow(title, 5s);
        ASSERT_TRUE(window.has_value()) << title.toStdString();
        ASSERT_TRUE(
            tool_->run({QStringLiteral("windowfocus"), QStringLiteral("--sync"), window->id}));
        std::this_thread::sleep_for(300ms);  // the program hears of its focus
    }

    void click(QPoint at) { ASSERT_TRUE(tool_->click(at)); }
    void key(const QString& keys) { ASSERT_TRUE(tool_->key(keys)); }

    // A double click on the status bar opens the log; it is moved off the key buttons, which
    // it would cover at the screen's corner.
    void openLog() {
        ASSERT_TRUE(tool_->run(
            {QStringLiteral("mousemove"), QString::number(keyweldWindow_->statusBar().x()),
             QString::number(keyweldWindow_->statusBar().y()), QStringLiteral("click"),
             QStringLiteral("--repeat"), QStringLiteral("2"), QStringLiteral("1")}));
        const auto log = awaitWindow(kLogTitle, 5s);
        ASSERT_TRUE(log.has_value()) << "the double click opened no log";
        ASSERT_TRUE(tool_->run({QStringLiteral("windowmove"), QStringLiteral("--sync"), log->id,
                                QStringLiteral("820"), QStringLiteral("0")}));
    }

    std::string clipboard() const {
        QProcess xclip;
        xclip.setProcessEnvironment(x_.environment());
        xclip.start(QStringLiteral("xclip"), {QStringLiteral("-o"), QStringLiteral("-selection"),
                                              QStringLiteral("clipboard")});
        if (!xclip.waitForFinished(10000)) return {};
        return xclip.readAllStandardOutput().toStdString();
    }

    // What the window titled `title` shows, copied with Ctrl+A and Ctrl+C after a click in
    // its middle.
    std::string copiedText(const QString& title) {
        const auto window = awaitWindow(title, 5s);
        if (!window) return {};
        tool_->click(window->rect.center());
        tool_->key(QStringLiteral("ctrl+a"));
        tool_->key(QStringLiteral("ctrl+c"));
        return clipboard();
    }

    // The log's text once it holds `wanted`; what it held last when it never did.
    std::string awaitLog(const std::string& wanted) {
        std::string text;
        pollUntil(
            [&] {
                text = copiedText(kLogTitle);
                return text.find(wanted) != std::string::npos;
            },
            5s);
        return text;
    }

    // Pictures for a person to look at: in KEYWELD_XVFB_PICTURES when set, else they go with
    // the scratch directory.
    void grab(const QString& title, const char* file) {
        const QString folder = qEnvironmentVariable("KEYWELD_XVFB_PICTURES");
        const std::filesystem::path path =
            (folder.isEmpty() ? scratch_.path() : std::filesystem::path(folder.toStdString())) /
            file;
        EXPECT_FALSE(panelink::apptest::grabWindow(x_.environment(), title, path, false).isNull())
            << title.toStdString();
    }

    bool keyweldEnds(int signal = SIGTERM) {
        ::kill(static_cast<pid_t>(keyweld_.processId()), signal);
        return keyweld_.waitForFinished(10000) && keyweld_.exitStatus() == QProcess::NormalExit &&
               keyweld_.exitCode() == 0;
    }

    commo::ScratchWorkingDir scratch_{"keyweld-x"};
    panelink::apptest::XServer x_;
    panelink::apptest::Simulator sim_;
    QProcess keyweld_;
    QProcess panelink_;
    std::optional<panelink::apptest::XTool> tool_;
    std::optional<KeyweldOnScreen> keyweldWindow_;
    QString keyweldId_;
};

// Keyweld holds the port: its key goes out and the answer comes back into the log; Panelink
// started meanwhile finds the port in use and gets it once Keyweld has ended.
TEST_F(KeyweldOnX, AKeyButtonSendsItsTextAndTheLogShowsItWithTheRadiosAnswer) {
    scratch_.writeCommoFile("VantorKSDEF.txt", definitionFile({"FA;"}));
    ASSERT_NO_FATAL_FAILURE(startKeyweld());
    ASSERT_NO_FATAL_FAILURE(openLog());
    ASSERT_NO_FATAL_FAILURE(click(keyweldWindow_->keyButton(2)));  // F2

    ASSERT_TRUE(pollUntil([&] { return sim_.received("FA;"); }, 5s)) << sim_.transcript();
    const std::string log = awaitLog("[RX Data]");
    EXPECT_NE(log.find("[TX Data]\nFA;\n[RX Data]\nFA"), std::string::npos) << log;
    EXPECT_EQ(log.find("not sent"), std::string::npos) << log;
    grab(kKeyweldTitle, "keyweld-open.png");
    grab(kLogTitle, "keyweld-log.png");

    {
        SCOPED_TRACE("Panelink cannot open the port Keyweld holds");
        ASSERT_NO_FATAL_FAILURE(startPanelink());
        const auto box = awaitWindow(kPanelinkBoxTitle);
        ASSERT_TRUE(box.has_value()) << "Panelink showed no box";
        grab(kPanelinkBoxTitle, "panelink-port-in-use.png");
        // The box names the device in use (seen in the picture; a box's text cannot be
        // copied on X11), and nothing of Panelink's reached the radio.
        EXPECT_FALSE(sim_.received("PS;")) << sim_.transcript();
    }
    {
        SCOPED_TRACE(
            "SIGHUP (a closed terminal) ends Keyweld with its log open and stores the "
            "view mode, as SIGTERM does");
        ASSERT_TRUE(keyweldEnds(SIGHUP));
        EXPECT_NE(scratch_.readCommoFile("KSESetting.ini").value_or("").find("MODE=2"),
                  std::string::npos);
    }
    {
        SCOPED_TRACE("the freed port is Panelink's once its box is closed");
        ASSERT_NO_FATAL_FAILURE(focus(kPanelinkBoxTitle));
        key(QStringLiteral("Return"));
        EXPECT_TRUE(pollUntil([&] { return tool_->windowsTitled(kPanelinkBoxTitle).empty(); }, 5s));
        // The next write opens the port: the LOCK key's.
        const auto panelink = awaitWindow(kPanelinkTitle);
        ASSERT_TRUE(panelink.has_value());
        const QRect& frame = panelink->rect;
        ASSERT_NO_FATAL_FAILURE(click({frame.left() + 612, frame.bottom() + 1 - 320 + 286}));
        EXPECT_TRUE(pollUntil([&] { return sim_.received("LK1;"); }, 10s)) << sim_.transcript();
    }
}

// Panelink holds the port: Keyweld starts with it closed, and what Keyweld saves is what
// Panelink's next key press sends.
TEST_F(KeyweldOnX, AFileKeyweldSavesIsSentByPanelinksNextKeyPress) {
    scratch_.writeCommoFile("VantorKSDEF.txt", definitionFile({"FA;"}));
    ASSERT_NO_FATAL_FAILURE(startPanelink());
    ASSERT_TRUE(pollUntil([&] { return sim_.received("PS;"); }, 20s)) << sim_.transcript();
    ASSERT_NO_FATAL_FAILURE(startKeyweld());

    {
        SCOPED_TRACE("Keyweld's port is closed: a key is logged as not sent");
        ASSERT_NO_FATAL_FAILURE(openLog());
        ASSERT_NO_FATAL_FAILURE(click(keyweldWindow_->keyButton(2)));  // F2
        const std::string log = awaitLog("(not sent: port closed)");
        EXPECT_NE(log.find("[TX Data]\nFA;\n(not sent: port closed)"), std::string::npos) << log;
        EXPECT_FALSE(sim_.received("FA;")) << sim_.transcript();
    }
    {
        SCOPED_TRACE("F3's command typed in lower case and saved");
        ASSERT_NO_FATAL_FAILURE(click(keyweldWindow_->commandCell(3)));
        ASSERT_NO_FATAL_FAILURE(focus(kKeyweldTitle));
        key(QStringLiteral("Return"));  // opens the cell's editor
        ASSERT_TRUE(tool_->run({QStringLiteral("type"), QStringLiteral("md3;")}));
        key(QStringLiteral("Return"));
        key(QStringLiteral("ctrl+s"));
        // The files exist: Keyweld asks before it replaces them, in a box of the window's title.
        std::optional<XWindow> question;
        pollUntil(
            [&] {
                for (const auto& window : tool_->windowsTitled(kKeyweldTitle)) {
                    if (window.id != keyweldId_) question = window;
                }
                return question.has_value();
            },
            5s);
        ASSERT_TRUE(question.has_value()) << "no question before the files were replaced";
        grab(kKeyweldTitle, "keyweld-closed-edited.png");  // the main window: grabbed first
        ASSERT_TRUE(
            tool_->run({QStringLiteral("windowfocus"), QStringLiteral("--sync"), question->id}));
        key(QStringLiteral("y"));
        ASSERT_TRUE(pollUntil(
            [&] {
                return scratch_.readCommoFile("VantorKSDEF.txt")
                    .value_or("")
                    .starts_with("FA;\r\nMD3;\r\n");
            },
            5s))
            << scratch_.readCommoFile("VantorKSDEF.txt").value_or("(none)");
    }
    {
        SCOPED_TRACE("Panelink's F3 sends the saved text");
        ASSERT_NO_FATAL_FAILURE(focus(kPanelinkTitle));
        key(QStringLiteral("F3"));
        EXPECT_TRUE(pollUntil([&] { return sim_.received("MD3;"); }, 5s)) << sim_.transcript();
    }
    {
        SCOPED_TRACE("SIGTERM with an unsaved edit asks nothing and leaves the file");
        ASSERT_NO_FATAL_FAILURE(click(keyweldWindow_->commandCell(4)));
        ASSERT_NO_FATAL_FAILURE(focus(kKeyweldTitle));
        key(QStringLiteral("Return"));
        ASSERT_TRUE(tool_->run({QStringLiteral("type"), QStringLiteral("md1;")}));
        key(QStringLiteral("Return"));
        ASSERT_TRUE(keyweldEnds());
        EXPECT_TRUE(scratch_.readCommoFile("VantorKSDEF.txt")
                        .value_or("")
                        .starts_with("FA;\r\nMD3;\r\n\r\n"));
    }
}

}  // namespace
}  // namespace keyweld
