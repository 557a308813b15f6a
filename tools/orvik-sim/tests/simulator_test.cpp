// The simulator on real pseudo-terminals, driven as the program drives its serial port.
#include "tools/orvik-sim/simulator.h"

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <time.h>

#include <array>
#include <fstream>
#include <memory>
#include <sstream>

#include "shared/formats/port_map.h"
#include "shared/platform/testing/scratch_dir.h"
#include "tools/orvik-sim/radio_commands.h"
#include "tools/orvik-sim/tests/sim_test_util.h"

namespace orviksim {
namespace {

using namespace std::chrono_literals;
using platform::ScratchDir;
using testing::Port;

class SimulatorTest : public ::testing::Test {
  protected:
    void start(Options options = {}) {
        sim_ = std::make_unique<Simulator>(std::move(options));
        std::string error;
        ASSERT_TRUE(sim_->start(&error)) << error;
    }
    Simulator& sim() { return *sim_; }

    ScratchDir dir_{"orviksim-test"};
    std::unique_ptr<Simulator> sim_;
};

TEST_F(SimulatorTest, AnswersEveryReadTheProgramSendsOverTheLine) {
    start();
    Port port(sim().slavePath());
    ASSERT_TRUE(port.ok());
    EXPECT_EQ(port.ask("ID;"), "ID0244;");
    const auto fa = port.ask("FA;");
    EXPECT_EQ(fa.size(), 11u);
    EXPECT_EQ(fa.substr(0, 2), "FA");
    EXPECT_EQ(port.ask("EX065;").size(), 17u);  // "EX065", 11 digits, ";"
    EXPECT_EQ(port.ask("QQ;"), "?;");

    for (const auto& read : testing::programReads()) {
        const auto answer = port.ask(read);
        ASSERT_GE(answer.size(), 2u) << read;
        const auto length = answerLength(answer.substr(0, 2));
        ASSERT_TRUE(length.has_value()) << read << " -> " << answer;
        EXPECT_EQ(answer.size(), static_cast<std::size_t>(*length)) << read << " -> " << answer;
    }
    for (int index = 1; index <= kMenuItemCount; ++index) {
        const auto& item = menuItem(index);
        if (!item.exAddressable()) continue;
        char read[8];
        std::snprintf(read, sizeof read, "EX%03d;", index);
        EXPECT_EQ(port.ask(read).size(), static_cast<std::size_t>(6 + item.digits)) << read;
    }
}

TEST_F(SimulatorTest, AppliesSetCommandsWithoutAcknowledging) {
    start();
    Port port(sim().slavePath());
    // A set followed by its read gives exactly one answer: the read's.
    EXPECT_EQ(port.ask("FA14250000;FA;"), "FA14250000;");
    EXPECT_EQ(port.ask("MD03;MD0;"), "MD03;");
    EXPECT_EQ(port.ask("EX02115;EX021;"), "EX02115;");
    const auto keyer = port.ask("KM1HELLO;KM1;");
    EXPECT_EQ(keyer.size(), 54u);
    EXPECT_EQ(keyer.substr(0, 8), "KM1HELLO");
    EXPECT_EQ(port.ask("MW00107100000+000000300080;MR001;"), "MR00107100000+000000300080;");
}

TEST_F(SimulatorTest, ReportsChangesAndMetersWhileAutoInformationIsOn) {
    start();
    Port port(sim().slavePath());
    port.write("AI1;");
    ASSERT_TRUE(sim().waitForCommand("AI1;", 3s));
    ASSERT_TRUE(sim().setValue("FA", "7100000"));
    EXPECT_EQ(port.read(), "FA07100000;");
    EXPECT_EQ(sim().control("set mode 3"), "ok");
    EXPECT_EQ(port.read(), "MD03;");
    // A set from the program is reported too, as the radio's own echo of the change.
    EXPECT_EQ(port.ask("LK1;"), "LK1;");

    sim().setMeter(200);
    const auto meters = port.read(2);
    EXPECT_NE(meters.find("SM0200;"), std::string::npos) << meters;
    // Periodic meter reports keep coming.
    const auto later = port.read(4, 3s);
    EXPECT_NE(later.find("SM0200;"), std::string::npos) << later;

    port.write("AI0;");
    ASSERT_TRUE(sim().waitForCommand("AI0;", 3s));
    port.readFor(100ms);  // a report that was already on its way
    ASSERT_TRUE(sim().setValue("FA", "7200000"));
    EXPECT_EQ(port.readFor(900ms), "");
}

TEST_F(SimulatorTest, SwitchedOffItAnswersOnlyThePowerRead) {
    start();
    Port port(sim().slavePath());
    port.write("PS0;FA;ID;QQ;PS;");
    EXPECT_EQ(port.read(1), "PS0;");
    EXPECT_EQ(port.readFor(300ms), "");
    EXPECT_EQ(port.ask("PS1;PS;"), "PS1;");
    EXPECT_EQ(port.ask("ID;"), "ID0244;");
    sim().setPower(false);
    EXPECT_EQ(port.ask("ID;PS;"), "PS0;");
}

TEST_F(SimulatorTest, PacesOutputAtTheLineSpeed) {
    Options options;
    options.baud = 4800;
    start(options);
    Port port(sim().slavePath());
    port.write("KM1;");
    const auto bytes = port.readTimed(1, 3s);
    ASSERT_EQ(bytes.size(), 54u);
    // 53 byte times of 11 bits at 4800 baud pass between the first byte and the last.
    const auto span = bytes.back().first - bytes.front().first;
    EXPECT_GE(span, 53 * byteTime(4800) * 9 / 10);
    EXPECT_EQ(sim().lineBaud(), 4800);
}

TEST_F(SimulatorTest, FollowsTheSpeedTheProgramSet) {
    start();
    {
        Port port(sim().slavePath(), B9600);
        EXPECT_EQ(port.ask("ID;"), "ID0244;");
        EXPECT_EQ(sim().lineBaud(), 9600);
    }
    Port port(sim().slavePath(), B19200);
    EXPECT_EQ(port.ask("ID;"), "ID0244;");
    EXPECT_EQ(sim().lineBaud(), 19200);
}

TEST_F(SimulatorTest, SplitAnswersArriveInPiecesWithAPause) {
    start();
    Port port(sim().slavePath());
    sim().setSplit(true, 250ms);
    port.write("FA;");
    const auto bytes = port.readTimed(1, 3s);
    std::string text;
    for (const auto& [at, c] : bytes)
        text.push_back(c);
    ASSERT_EQ(text, "FA14195000;");
    // The second piece ("95000;") starts at least the pause after the first ("FA141").
    EXPECT_GE(bytes[5].first - bytes[4].first, 200ms);
    sim().setSplit(false);
    port.write("ID;");
    const auto whole = port.readTimed(1, 3s);
    ASSERT_EQ(whole.size(), 7u);
    EXPECT_LT(whole.back().first - whole.front().first, 200ms);
}

TEST_F(SimulatorTest, JunkPrecedesTheNextAnswerOnly) {
    start();
    Port port(sim().slavePath());
    sim().injectJunk("\xFE#*x");
    EXPECT_EQ(port.ask("ID;"), "\xFE#*xID0244;");
    EXPECT_EQ(port.ask("ID;"), "ID0244;");
    EXPECT_EQ(sim().control("junk \\x01zz"), "ok");
    EXPECT_EQ(port.ask("ID;"), "\x01zzID0244;");
}

TEST_F(SimulatorTest, DropsTheNextAnswers) {
    start();
    Port port(sim().slavePath());
    sim().dropAnswers(2);
    EXPECT_EQ(port.ask("ID;QQ;FA;"), "FA14195000;");
    EXPECT_EQ(port.ask("ID;"), "ID0244;");
}

TEST_F(SimulatorTest, SilenceForATimeAndUntilLifted) {
    start();
    Port port(sim().slavePath());
    sim().silenceFor(700ms);
    const auto silentFrom = testing::SteadyClock::now();
    port.write("ID;");
    EXPECT_EQ(port.readFor(300ms), "");
    std::this_thread::sleep_until(silentFrom + 800ms);
    EXPECT_EQ(port.ask("ID;"), "ID0244;");

    sim().setSilence(true);
    sim().setAutoInformation(true);
    sim().setMeter(50);
    port.write("ID;");
    EXPECT_EQ(port.readFor(900ms), "");  // no answer, no reports
    // Raw text goes out past every fault.
    sim().sendRaw("ZZ1;");
    EXPECT_EQ(port.read(), "ZZ1;");
    sim().setSilence(false);
    sim().setAutoInformation(false);
    port.readFor(100ms);
    EXPECT_EQ(port.ask("ID;"), "ID0244;");
}

TEST_F(SimulatorTest, WandersWhenAskedAndKeepsAnOutputLog) {
    Options options;
    options.autoInformation = true;
    options.meterReports = false;
    start(options);
    Port port(sim().slavePath());
    EXPECT_EQ(port.ask("ID;"), "ID0244;");
    sim().setWander(true);
    const auto reports = port.read(1, 4s);
    EXPECT_EQ(reports.substr(0, 2), "FA") << reports;
    sim().setWander(false);
    // Everything that went out is in the log, in order.
    const auto sent = sim().output();
    EXPECT_EQ(sent.substr(0, 7), "ID0244;");
    EXPECT_NE(sent.find(reports), std::string::npos);
    EXPECT_TRUE(sim().waitForOutput("ID0244;", 10ms));
    EXPECT_FALSE(sim().waitForOutput("ID0244;", 10ms, 1));
}

TEST_F(SimulatorTest, UnplugHangsUpAndReplugGivesAWorkingPortBehindTheLink) {
    Options options;
    options.linkPath = (dir_.path() / "radio").string();
    start(options);
    std::array<char, 256> target{};
    ASSERT_GT(::readlink(options.linkPath.c_str(), target.data(), target.size() - 1), 0);
    EXPECT_EQ(std::string(target.data()), sim().slavePath());

    Port first(options.linkPath);
    EXPECT_EQ(first.ask("ID;"), "ID0244;");
    const auto oldSlave = sim().slavePath();
    ASSERT_TRUE(sim().unplug());
    EXPECT_TRUE(first.hangsUp(2s));
    EXPECT_FALSE(sim().pluggedIn());
    struct stat info {};
    EXPECT_NE(::lstat(options.linkPath.c_str(), &info), 0);  // link removed

    std::string error;
    ASSERT_TRUE(sim().replug(&error)) << error;
    EXPECT_TRUE(sim().pluggedIn());
    target.fill(0);
    ASSERT_GT(::readlink(options.linkPath.c_str(), target.data(), target.size() - 1), 0);
    EXPECT_EQ(std::string(target.data()), sim().slavePath());
    Port second(options.linkPath);
    ASSERT_TRUE(second.ok());
    EXPECT_EQ(second.ask("ID;"), "ID0244;");

    // Unplugged with the link left dangling: the link is there, its target is gone.
    EXPECT_EQ(sim().control("unplug dangling"), "ok");
    EXPECT_TRUE(second.hangsUp(2s));
    EXPECT_EQ(::lstat(options.linkPath.c_str(), &info), 0);
    EXPECT_NE(::stat(options.linkPath.c_str(), &info), 0);
    EXPECT_EQ(sim().control("replug").substr(0, 2), "ok");
    Port third(options.linkPath);
    EXPECT_EQ(third.ask("FA;"), "FA14195000;");
    EXPECT_NE(sim().slavePath(), oldSlave);
}

TEST_F(SimulatorTest, RecordsEveryCommandInOrder) {
    Options options;
    options.transcriptPath = (dir_.path() / "transcript.txt").string();
    start(options);
    Port port(sim().slavePath());
    port.write("ID;FA;Q");
    port.write("Q;FA07000000;");
    ASSERT_TRUE(sim().waitForCommand("FA07000000;", 3s));
    const auto entries = sim().transcript();
    ASSERT_EQ(entries.size(), 4u);
    const char* expected[] = {"ID;", "FA;", "QQ;", "FA07000000;"};
    for (std::size_t i = 0; i < entries.size(); ++i) {
        EXPECT_EQ(entries[i].command, expected[i]);
        if (i > 0) {
            EXPECT_GE(entries[i].ms, entries[i - 1].ms);
        }
    }
    EXPECT_FALSE(sim().waitForCommand("FA;", 10ms, 2));
    EXPECT_NE(sim().control("transcript").find("QQ;"), std::string::npos);

    sim().stop();
    std::ifstream file(options.transcriptPath);
    std::string line;
    std::vector<std::string> commands;
    while (std::getline(file, line)) {
        std::istringstream fields(line);
        long long ms = -1;
        std::string command;
        fields >> ms >> command;
        EXPECT_GE(ms, 0);
        commands.push_back(command);
    }
    EXPECT_EQ(commands, (std::vector<std::string>{"ID;", "FA;", "QQ;", "FA07000000;"}));
}

TEST_F(SimulatorTest, ControlLinesComeFromTheSocketAndFromADescriptor) {
    int input[2];
    int output[2];
    ASSERT_EQ(::pipe(input), 0);
    ASSERT_EQ(::pipe(output), 0);
    Options options;
    options.controlSocketPath = (dir_.path() / "control").string();
    options.controlInputFd = input[0];
    options.controlOutputFd = output[1];
    start(options);

    const int client = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::snprintf(address.sun_path, sizeof address.sun_path, "%s",
                  options.controlSocketPath.c_str());
    ASSERT_EQ(::connect(client, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    const std::string lines = "set FA 7000000\nget FA\nbogus\n";
    ASSERT_EQ(::send(client, lines.data(), lines.size(), 0), static_cast<ssize_t>(lines.size()));
    std::string replies;
    while (std::count(replies.begin(), replies.end(), '\n') < 3) {
        char chunk[256];
        const ssize_t n = ::recv(client, chunk, sizeof chunk, 0);
        ASSERT_GT(n, 0);
        replies.append(chunk, static_cast<std::size_t>(n));
    }
    EXPECT_EQ(replies.substr(0, 15), "ok\nFA07000000;\n");
    EXPECT_EQ(replies.substr(15, 7), "error: ");

    const std::string typed = "set FB 7050000\n";
    ASSERT_EQ(::write(input[1], typed.data(), typed.size()), static_cast<ssize_t>(typed.size()));
    char reply[8] = {};
    ASSERT_EQ(::read(output[0], reply, 3), 3);
    EXPECT_STREQ(reply, "ok\n");
    EXPECT_EQ(sim().answerFor("FB"), "FB07050000;");

    EXPECT_FALSE(sim().quitRequested());
    ASSERT_EQ(::send(client, "quit\n", 5, 0), 5);
    EXPECT_TRUE(sim().waitForQuit(3s));
    ::close(client);
    sim().stop();
    struct stat info {};
    EXPECT_NE(::stat(options.controlSocketPath.c_str(), &info), 0);  // removed at stop
    for (int fd : {input[0], input[1], output[0], output[1]})
        ::close(fd);
}

TEST_F(SimulatorTest, WritesTheComPortsLine) {
    Options options;
    options.comportsDir = dir_.path().string();
    options.comNumber = 5;
    start(options);
    EXPECT_EQ(commo::devicePathFor(dir_.path(), 5), sim().slavePath());
    ASSERT_TRUE(sim().replug());
    // Without a link the line follows the new terminal.
    EXPECT_EQ(commo::devicePathFor(dir_.path(), 5), sim().slavePath());
    sim().stop();

    options.linkPath = (dir_.path() / "radio").string();
    options.comNumber = 6;
    start(options);
    EXPECT_EQ(commo::devicePathFor(dir_.path(), 6), options.linkPath);
}

TEST_F(SimulatorTest, SendsNothingStaleAfterThePortWasClosed) {
    Options options;
    options.meterReports = false;
    options.autoInformation = true;
    start(options);
    {
        Port port(sim().slavePath());
        EXPECT_EQ(port.ask("ID;"), "ID0244;");
    }
    // Changes while nobody holds the port are reported into nothing, as on a real line.
    std::this_thread::sleep_for(200ms);
    ASSERT_TRUE(sim().setValue("FA", "7000000"));
    sim().sendRaw("ZZ;");
    Port port(sim().slavePath());
    EXPECT_EQ(port.readFor(400ms), "");
    EXPECT_EQ(port.ask("FA;"), "FA07000000;");
}

double cpuSeconds() {
    timespec used{};
    ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &used);
    return static_cast<double>(used.tv_sec) + static_cast<double>(used.tv_nsec) * 1e-9;
}

TEST_F(SimulatorTest, StaysIdleAndStopsPromptly) {
    Options options;
    options.autoInformation = true;
    start(options);
    // Nobody holds the port: the master reports a hang-up, which must not spin the thread.
    double before = cpuSeconds();
    std::this_thread::sleep_for(1s);
    EXPECT_LT(cpuSeconds() - before, 0.15);
    // Held, with meter reports flowing.
    Port port(sim().slavePath());
    before = cpuSeconds();
    const auto reports = port.readFor(1s);
    EXPECT_LT(cpuSeconds() - before, 0.15);
    EXPECT_NE(reports.find("SM0"), std::string::npos);

    const auto stopFrom = testing::SteadyClock::now();
    sim().stop();
    EXPECT_LT(testing::SteadyClock::now() - stopFrom, 1s);
    EXPECT_FALSE(sim().running());
    EXPECT_TRUE(port.hangsUp(1s));
}

}  // namespace
}  // namespace orviksim
