// The panel's controls on a real X server (Xvfb): the real program against the simulator,
// clicked, dragged and wheeled at real screen coordinates with xdotool. What reaches the radio
// is read from the simulator's transcript, the program's windows are found through xdotool.
#include <gtest/gtest.h>

#include <QImage>
#include <QPoint>
#include <QProcess>
#include <QRect>
#include <QString>

#include <algorithm>
#include <charconv>
#include <chrono>
#include <cmath>
#include <cstdio>
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
using apptest::XTool;
using apptest::XWindow;

constexpr int kPanelWidth = 843;
constexpr int kPanelHeight = 320;
const QString kMainTitle = QStringLiteral("Vantor for OrvikD");
// Every message box of the program carries the product's name.
const QString kBoxTitle = QStringLiteral("Panelink");
// Long enough for a loaded CI machine, short enough that a missing command fails soon.
constexpr std::chrono::milliseconds kCommandTimeout = 3s;

// Where the panel lies on the screen. The picture fills the main window below its menu bar,
// so its top-left corner is the window's bottom-left corner raised by the panel's height
// (what the screen grabber cuts out too); the menu bar is the rest of the window's height,
// which the first test checks against where the bar's own menu opens. Pop-up menus are
// placed from the window's outer top-left corner.
class PanelOnScreen {
  public:
    explicit PanelOnScreen(QRect window) : window_(window) {}

    // A panel pixel's place on the screen.
    QPoint at(int x, int y) const {
        return {window_.left() + x, window_.bottom() + 1 - kPanelHeight + y};
    }
    QPoint fromOuterFrame(int x, int y) const { return window_.topLeft() + QPoint(x, y); }
    int menuBarHeight() const { return window_.height() - kPanelHeight; }
    const QRect& window() const { return window_; }

  private:
    QRect window_;
};

// Panel pixels at `radius` around `centre`, from one angle to another clockwise, `step`
// degrees apart (degrees clockwise from 12 o'clock).
std::vector<QPoint> arc(QPoint centre, int radius, int from, int to, int step) {
    std::vector<QPoint> points;
    for (int angle = from; angle <= to; angle += step) {
        const double radians = angle * 3.141592653589793 / 180.0;
        points.emplace_back(centre.x() + static_cast<int>(radius * std::sin(radians)),
                            centre.y() - static_cast<int>(radius * std::cos(radians)));
    }
    return points;
}

// The middle of item `index` of a pop-up menu of `count` items of one height.
QPoint itemCentre(const QRect& menu, int index, int count) {
    return {menu.center().x(), menu.top() + menu.height() * (2 * index + 1) / (2 * count)};
}

// The number after `letters` in a command or answer such as "FA14250000;" or "EU005;"; -1
// when there is none.
long long numberAfter(std::string_view text, std::string_view letters) {
    long long value = -1;
    if (text.starts_with(letters))
        std::from_chars(text.data() + letters.size(), text.data() + text.size(), value);
    return value;
}

std::string formatted(const char* format, long long value) {
    char text[32];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

// The signed steps of the main-dial commands "EU0nn;" (clockwise) and "ED0nn;".
struct DialSteps {
    int clockwise = 0;
    int counterClockwise = 0;
    int commands = 0;
};

DialSteps dialSteps(const std::vector<HeardCommand>& commands) {
    DialSteps steps;
    for (const auto& command : commands) {
        const long long up = numberAfter(command.text, "EU0");
        const long long down = numberAfter(command.text, "ED0");
        if (up < 0 && down < 0) continue;
        ++steps.commands;
        steps.clockwise += static_cast<int>(std::max(up, 0LL));
        steps.counterClockwise += static_cast<int>(std::max(down, 0LL));
    }
    return steps;
}

bool isStatusPoll(const HeardCommand& command) {
    return command.text == "IF;" || command.text == "PS;" || command.text == "AI;";
}

// For failure messages: the commands heard, without the once-a-second status polls.
std::string listed(const std::vector<HeardCommand>& commands) {
    std::string text = "heard (status polls left out):\n";
    for (const auto& command : commands) {
        if (!isStatusPoll(command)) text += std::to_string(command.ms) + " " + command.text + "\n";
    }
    return text;
}

class PanelOnX : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!apptest::installed("Xvfb")) GTEST_SKIP() << "Xvfb is not installed";
        if (!apptest::installed("xdotool")) GTEST_SKIP() << "xdotool is not installed";
        ASSERT_TRUE(x_.start(scratch_.path()));
        tool_.emplace(x_.environment());
    }

    void TearDown() override {
        if (panelink_.state() == QProcess::NotRunning) return;
        panelink_.terminate();
        EXPECT_TRUE(panelink_.waitForFinished(30000));
        EXPECT_EQ(panelink_.exitCode(), 0);
    }

    // The simulator takes its control lines first; then the program starts and its main
    // window is found.
    void startProgram(const std::vector<std::string>& simulatorSetup = {}) {
        ASSERT_TRUE(sim_.start(scratch_.path(), {"--no-meters"}));
        for (const auto& line : simulatorSetup)
            ASSERT_EQ(sim_.control(line), "ok") << line;
        scratch_.writeCommoFile("CommSetting.csv", "1,4800,0\n");
        apptest::startPanelink(panelink_, scratch_.path(), QStringLiteral("xcb"), x_.environment());
        ASSERT_TRUE(panelink_.waitForStarted(5000));
        ASSERT_TRUE(pollUntil([&] { return sim_.received("PS;"); }, 20s)) << sim_.transcript();
        std::vector<XWindow> main;
        ASSERT_TRUE(pollUntil(
            [&] {
                main = tool_->windowsTitled(kMainTitle);
                return main.size() == 1;
            },
            20s));
        panel_.emplace(main.front().rect);
    }

    // The radio reports auto-information on, as it does after a press of COM, and the
    // program reads its state and then its menu. The read-outs have ended when for a while
    // nothing but the once-a-second status polls arrives.
    void connect() {
        ASSERT_EQ(sim_.control("ai on"), "ok");
        ASSERT_EQ(sim_.control("send AI1;"), "ok");
        ASSERT_TRUE(pollUntil([&] { return sim_.received("ID;"); }, 10s)) << sim_.transcript();
        ASSERT_TRUE(settled(
            0, [](const HeardCommand& c) { return !isStatusPoll(c); }, 1s, 30s))
            << sim_.transcript();
    }

    std::size_t mark() const { return sim_.heard().size(); }

    // What the simulator heard after the first `mark` commands.
    std::vector<HeardCommand> heardSince(std::size_t mark) const {
        std::vector<HeardCommand> all = sim_.heard();
        all.erase(all.begin(), all.begin() + static_cast<long>(std::min(mark, all.size())));
        return all;
    }

    std::vector<HeardCommand> heardSince(std::size_t mark, std::string_view text) const {
        std::vector<HeardCommand> matching;
        for (auto& command : heardSince(mark)) {
            if (command.text == text) matching.push_back(std::move(command));
        }
        return matching;
    }

    // The first `text` after the mark, waited for.
    std::optional<HeardCommand> awaitCommand(std::size_t mark, std::string_view text,
                                             std::chrono::milliseconds timeout = kCommandTimeout) {
        std::optional<HeardCommand> found;
        pollUntil(
            [&] {
                const auto matching = heardSince(mark, text);
                if (!matching.empty()) found = matching.front();
                return found.has_value();
            },
            timeout);
        return found;
    }

    // Waits until the commands after the mark that `counts` picks have stopped coming for
    // `quiet`; false when they keep coming.
    template <class Counts>
    bool settled(std::size_t mark, Counts counts, std::chrono::milliseconds quiet,
                 std::chrono::milliseconds timeout) {
        long seen = -1;
        auto since = std::chrono::steady_clock::now();
        return pollUntil(
            [&] {
                const auto heard = heardSince(mark);
                const long count = std::count_if(heard.begin(), heard.end(), counts);
                const auto now = std::chrono::steady_clock::now();
                if (count != seen) {
                    seen = count;
                    since = now;
                }
                return now - since >= quiet;
            },
            timeout);
    }

    std::vector<XWindow> programWindows() const { return tool_->windowsOf(panelink_.processId()); }

    // A window of the program that `before` did not have, waited for.
    std::optional<XWindow> awaitNewWindow(const std::vector<XWindow>& before,
                                          std::chrono::milliseconds timeout) {
        std::optional<XWindow> found;
        pollUntil(
            [&] {
                for (const auto& window : programWindows()) {
                    const bool known =
                        std::any_of(before.begin(), before.end(),
                                    [&](const XWindow& old) { return old.id == window.id; });
                    if (!known) found = window;
                }
                return found.has_value();
            },
            timeout);
        return found;
    }

    bool awaitGone(const XWindow& window, std::chrono::milliseconds timeout) {
        return pollUntil(
            [&] {
                const auto windows = programWindows();
                return std::none_of(windows.begin(), windows.end(),
                                    [&](const XWindow& w) { return w.id == window.id; });
            },
            timeout);
    }

    void click(int x, int y, int button = XTool::kLeft) {
        ASSERT_TRUE(tool_->click(panel_->at(x, y), button));
    }

    commo::ScratchWorkingDir scratch_{"panelink-panel-x"};
    apptest::XServer x_;
    apptest::Simulator sim_;
    QProcess panelink_;
    std::optional<XTool> tool_;
    std::optional<PanelOnScreen> panel_;
};

// The ground the other cases stand on: where the clicks land, and that the transcript and
// the program's windows can be read.
TEST_F(PanelOnX, ThePanelFillsTheMainWindowRightBelowItsMenuBar) {
    ASSERT_NO_FATAL_FAILURE(startProgram());
    EXPECT_EQ(panel_->window().width(), kPanelWidth);
    EXPECT_GT(panel_->menuBarHeight(), 0);
    EXPECT_LT(panel_->menuBarHeight(), 60);

    // The bar's first menu opens right below the bar, which is the panel's top edge.
    const auto before = programWindows();
    ASSERT_TRUE(tool_->click(panel_->window().topLeft() + QPoint(12, panel_->menuBarHeight() / 2)));
    const auto menu = awaitNewWindow(before, 5s);
    ASSERT_TRUE(menu.has_value()) << "clicking the menu bar opened no menu";
    EXPECT_EQ(menu->rect.top(), panel_->at(0, 0).y());
    ASSERT_TRUE(tool_->key(QStringLiteral("Escape")));
    EXPECT_TRUE(awaitGone(*menu, 5s));

    const QImage picture =
        apptest::grabWindow(x_.environment(), kMainTitle, scratch_.path() / "panel.png", true);
    EXPECT_EQ(picture.size(), QSize(kPanelWidth, kPanelHeight));

    const auto heard = sim_.heard();
    ASSERT_GE(heard.size(), 2u) << sim_.transcript();
    EXPECT_EQ(heard[0].text, "AI0;");
    EXPECT_EQ(heard[1].text, "PS;");
    EXPECT_LE(heard[0].ms, heard[1].ms);
}

// One connected run serves every case; they run in an order in which none disturbs the
// next (the digit stays selected until the knob is clicked).
TEST_F(PanelOnX, KeysLabelsPopUpsTheDialDigitsAndKnobsSendTheirCommands) {
    ASSERT_NO_FATAL_FAILURE(startProgram({"set FA 14250000", "set AG0 100", "set LK 0"}));
    ASSERT_NO_FATAL_FAILURE(connect());

    {
        SCOPED_TRACE("the LOCK key toggles the lock");
        const auto from = mark();
        click(612, 286);
        EXPECT_TRUE(awaitCommand(from, "LK1;")) << listed(heardSince(from));
    }
    {
        SCOPED_TRACE("the USB label selects the mode");
        const auto from = mark();
        click(290, 67);
        EXPECT_TRUE(awaitCommand(from, "MD02;")) << listed(heardSince(from));
    }
    {
        SCOPED_TRACE("the AGC key's pop-up: its third item is AGC FAST");
        const auto before = programWindows();
        const auto from = mark();
        click(357, 195);
        const auto popup = awaitNewWindow(before, 5s);
        if (popup) {
            EXPECT_EQ(popup->rect.topLeft(), panel_->fromOuterFrame(310, 260));
            ASSERT_TRUE(tool_->click(itemCentre(popup->rect, 2, 4)));
            EXPECT_TRUE(awaitCommand(from, "GT01;")) << listed(heardSince(from));
            EXPECT_TRUE(awaitGone(*popup, 5s));
        } else {
            ADD_FAILURE() << "the AGC key opened no pop-up";
        }
    }
    {
        SCOPED_TRACE("the main dial turned 60 degrees clockwise");
        // Inside the rim, where every pixel belongs to the dial's round area.
        std::vector<QPoint> path;
        for (const QPoint& p : arc(QPoint(517, 240), 40, 0, 60, 5))
            path.push_back(panel_->at(p.x(), p.y()));
        const auto from = mark();
        ASSERT_TRUE(tool_->drag(path, 40ms));
        const auto isDial = [](const HeardCommand& c) {
            return c.text.starts_with("EU0") || c.text.starts_with("ED0");
        };
        EXPECT_TRUE(
            pollUntil([&] { return dialSteps(heardSince(from)).commands > 0; }, kCommandTimeout));
        EXPECT_TRUE(settled(from, isDial, 300ms, kCommandTimeout));
        const DialSteps steps = dialSteps(heardSince(from));
        EXPECT_GE(steps.commands, 1) << listed(heardSince(from));
        EXPECT_EQ(steps.counterClockwise, 0) << listed(heardSince(from));
        // One step per 7 degrees at most, the remainders dropped.
        EXPECT_GE(steps.clockwise, 1);
        EXPECT_LE(steps.clockwise, 60 / 7) << listed(heardSince(from));
    }
    {
        SCOPED_TRACE("a wheel step up on the 100 Hz digit, then the read-back");
        const long long frequency = numberAfter(sim_.control("get FA"), "FA");
        // The radio keeps quiet meanwhile: a report of the new frequency would make the
        // read-back unnecessary.
        ASSERT_EQ(sim_.control("silence on"), "ok");
        const auto from = mark();
        click(450, 122);
        click(450, 122, XTool::kWheelUp);
        const auto set = awaitCommand(from, formatted("FA%08lld;", frequency + 100));
        const auto readBack = awaitCommand(from, "FA;");
        EXPECT_EQ(sim_.control("silence off"), "ok");
        EXPECT_TRUE(set && readBack) << listed(heardSince(from));
        if (set && readBack) {
            EXPECT_GE(readBack->ms - set->ms, 150);
            EXPECT_LE(readBack->ms - set->ms, 2000);
        }
    }
    {
        SCOPED_TRACE("the AF GAIN knob: the first click selects it, the second turns it down");
        const long long gain = numberAfter(sim_.control("get AG0"), "AG0");
        const std::string lowered = formatted("AG0%03lld;", std::max(gain - 1, 0LL));
        ASSERT_EQ(sim_.control("silence on"), "ok");
        const auto from = mark();
        click(792, 276);
        // Apart by more than a double-click's time: two single clicks.
        std::this_thread::sleep_for(600ms);
        click(792, 276);
        const auto readBack = awaitCommand(from, "AG0;");
        EXPECT_EQ(sim_.control("silence off"), "ok");
        ASSERT_TRUE(readBack.has_value()) << listed(heardSince(from));
        std::vector<HeardCommand> values;
        for (const auto& command : heardSince(from)) {
            if (command.text.starts_with("AG0") && command.text != "AG0;")
                values.push_back(command);
        }
        ASSERT_EQ(values.size(), 1u) << "one value, from the second click:\n"
                                     << listed(heardSince(from));
        EXPECT_EQ(values.front().text, lowered);
        EXPECT_GE(readBack->ms - values.front().ms, 150);
        EXPECT_LE(readBack->ms - values.front().ms, 2000);
    }
}

// With the radio silent the whole time: the COM key switches it on and auto-information on,
// the notice shows after 1.5 s, four retries follow a second apart, and a box reports the
// failure once the notice has closed.
TEST_F(PanelOnX, TheComKeyRetriesFourTimesAgainstASilentRadioThenReportsTheFailure) {
    ASSERT_NO_FATAL_FAILURE(startProgram({"silence on"}));
    const auto before = programWindows();
    const auto from = mark();
    click(50, 195);

    const auto firstSwitch = awaitCommand(from, "AI1;", 5s);
    EXPECT_TRUE(firstSwitch.has_value()) << listed(heardSince(from));
    // Never reported on, the radio is switched on first.
    const auto power = awaitCommand(from, "PS1;", 0ms);
    EXPECT_TRUE(power.has_value()) << listed(heardSince(from));
    if (power && firstSwitch) {
        EXPECT_LE(power->ms, firstSwitch->ms);
    }

    const auto notice = awaitNewWindow(before, 5s);
    ASSERT_TRUE(notice.has_value()) << "no connecting notice";
    EXPECT_EQ(heardSince(from, "AI1;").size(), 1u) << "the notice came after a retry";

    std::optional<XWindow> box;
    pollUntil(
        [&] {
            box.reset();
            for (const auto& window : programWindows()) {
                if (window.id == notice->id) return false;  // the notice closes first
                if (window.title == kBoxTitle) box = window;
            }
            return box.has_value();
        },
        10s);
    ASSERT_TRUE(box.has_value()) << "no failure box after the notice";
    const auto switches = heardSince(from, "AI1;");
    EXPECT_EQ(switches.size(), 5u) << listed(heardSince(from));
    for (std::size_t i = 2; i < switches.size(); ++i) {
        const long long gap = switches[i].ms - switches[i - 1].ms;
        // A second apart; a late tick of a repeating timer shortens the next gap.
        EXPECT_GE(gap, 500) << "retry " << i;
        EXPECT_LE(gap, 2000) << "retry " << i;
    }
}

// The F key with the settings read: the MENU LIST opens, two items change through their
// dialogs (typed to with the list's keyboard search), and OK writes exactly those two, then
// reads the band item back; the simulator's menu ends up with the new values.
TEST_F(PanelOnX, TheFKeyOpensTheMenuListWhoseOkWritesTheChangedItems) {
    startProgram();
    connect();
    const std::size_t before = mark();
    ASSERT_TRUE(tool_->click(panel_->at(738, 195)));  // F
    std::vector<XWindow> lists;
    ASSERT_TRUE(pollUntil(
        [&] {
            lists = tool_->windowsTitled(QStringLiteral("MENU LIST"));
            return lists.size() == 1;
        },
        10s))
        << listed(heardSince(before));
    const QRect list = lists.front().rect;
    const QString settingTitle = QStringLiteral("MENU LIST SETTING");
    auto change = [&](const QString& number, const QString& keys) {
        ASSERT_TRUE(tool_->click(list.topLeft() + QPoint(300, 110)));  // the list takes the keys
        ASSERT_TRUE(tool_->run(
            {QStringLiteral("type"), QStringLiteral("--delay"), QStringLiteral("60"), number}));
        ASSERT_TRUE(tool_->key(QStringLiteral("Return")));
        std::vector<XWindow> dialogs;
        ASSERT_TRUE(pollUntil(
            [&] {
                dialogs = tool_->windowsTitled(settingTitle);
                return dialogs.size() == 1;
            },
            5s))
            << number.toStdString();
        // Without a window manager nobody gives the new dialog the keyboard.
        ASSERT_TRUE(tool_->run(
            {QStringLiteral("windowfocus"), QStringLiteral("--sync"), dialogs.front().id}));
        std::this_thread::sleep_for(300ms);  // the program hears of its focus
        ASSERT_TRUE(tool_->key(keys));
        ASSERT_TRUE(tool_->key(QStringLiteral("Return")));
        ASSERT_TRUE(pollUntil([&] { return tool_->windowsTitled(settingTitle).empty(); }, 5s))
            << number.toStdString();
    };
    change(QStringLiteral("059"), QStringLiteral("Down"));   // VOX DLY 500 ms -> 600 ms
    change(QStringLiteral("061"), QStringLiteral("space"));  // MY BAND without 1.8
    const std::size_t beforeOk = mark();
    ASSERT_TRUE(tool_->click(list.topLeft() + QPoint(874, 33)));  // OK

    EXPECT_TRUE(awaitCommand(beforeOk, "EX06306;")) << listed(heardSince(beforeOk));
    EXPECT_TRUE(awaitCommand(beforeOk, "EX06501111111111;")) << listed(heardSince(beforeOk));
    const auto readBack = awaitCommand(beforeOk, "EX065;");
    ASSERT_TRUE(readBack) << listed(heardSince(beforeOk));
    const auto writes = heardSince(beforeOk);
    const long menuWrites = std::count_if(writes.begin(), writes.end(), [](const auto& c) {
        return c.text.starts_with("EX") && c.text.size() > 6;
    });
    EXPECT_EQ(menuWrites, 2) << listed(writes);
    EXPECT_TRUE(
        pollUntil([&] { return tool_->windowsTitled(QStringLiteral("MENU LIST")).empty(); }, 5s));
    EXPECT_EQ(sim_.control("get EX063"), "EX06306;");
    EXPECT_EQ(sim_.control("get EX065"), "EX06501111111111;");
}

// The function keys typed on the keyboard: a key's line goes out command by command, Shift
// picks another line, and from the F key until the MENU LIST closes the keys send nothing.
TEST_F(PanelOnX, AShortcutKeySendsTheCommandsOfItsLineButNotWhileTheMenuListIsOpen) {
    std::string lines;
    for (int slot = 0; slot < 46; ++slot) {
        if (slot == 0) lines += "FA014070000;MD03;";  // F2
        if (slot == 10) lines += "FA007030000;";      // Shift+F1
        lines += "\r\n";
    }
    scratch_.writeCommoFile("VantorKSDEF.txt", lines);
    ASSERT_NO_FATAL_FAILURE(startProgram());
    // Without a window manager nobody gives the window the keyboard.
    auto focus = [&](const QString& title) {
        const auto windows = tool_->windowsTitled(title);
        ASSERT_EQ(windows.size(), 1u) << title.toStdString();
        ASSERT_TRUE(tool_->run(
            {QStringLiteral("windowfocus"), QStringLiteral("--sync"), windows.front().id}));
        std::this_thread::sleep_for(300ms);  // the program hears of its focus
    };
    ASSERT_NO_FATAL_FAILURE(focus(kMainTitle));
    {
        SCOPED_TRACE("F2 sends its two commands in order");
        const auto from = mark();
        ASSERT_TRUE(tool_->key(QStringLiteral("F2")));
        const auto frequency = awaitCommand(from, "FA014070000;");
        const auto mode = awaitCommand(from, "MD03;");
        ASSERT_TRUE(frequency && mode) << listed(heardSince(from));
        EXPECT_LE(frequency->ms, mode->ms);
    }
    {
        SCOPED_TRACE("Shift+F1 is a key of its own");
        const auto from = mark();
        ASSERT_TRUE(tool_->key(QStringLiteral("shift+F1")));
        EXPECT_TRUE(awaitCommand(from, "FA007030000;")) << listed(heardSince(from));
    }
    {
        SCOPED_TRACE("the MENU LIST blocks the keys until it closes");
        click(738, 195);  // F
        ASSERT_TRUE(pollUntil(
            [&] { return tool_->windowsTitled(QStringLiteral("MENU LIST")).size() == 1; }, 10s));
        ASSERT_NO_FATAL_FAILURE(focus(QStringLiteral("MENU LIST")));
        const auto from = mark();
        ASSERT_TRUE(tool_->key(QStringLiteral("F2")));
        EXPECT_FALSE(awaitCommand(from, "FA014070000;", 1s)) << listed(heardSince(from));

        ASSERT_TRUE(tool_->key(QStringLiteral("Escape")));
        ASSERT_TRUE(pollUntil(
            [&] { return tool_->windowsTitled(QStringLiteral("MENU LIST")).empty(); }, 5s));
        ASSERT_NO_FATAL_FAILURE(focus(kMainTitle));
        ASSERT_TRUE(tool_->key(QStringLiteral("F2")));
        EXPECT_TRUE(awaitCommand(from, "MD03;")) << listed(heardSince(from));
    }
}

}  // namespace
}  // namespace panelink
