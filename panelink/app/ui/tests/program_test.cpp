// The real program against the simulated transceiver on the offscreen platform: SIGTERM,
// SIGINT and SIGHUP end it in order, with exit code 0, at any moment of its life.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/types.h>

#include <QProcess>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "panelink/app/ui/tests/program_test_support.h"
#include "shared/formats/testing/working_dir.h"
#include "shared/platform/testing/scratch_dir.h"

namespace panelink {
namespace {

using namespace std::chrono_literals;
using apptest::pollUntil;
using platform::readFile;
using platform::writeFile;
namespace fs = std::filesystem;

constexpr auto kStartTimeout = 20s;  // the splash alone takes 3 s

// How many open files hold a flock on `file`, from the kernel's list of locks.
int flockHolders(const fs::path& file) {
    struct stat info {};
    if (::stat(file.c_str(), &info) != 0) return 0;
    std::ifstream locks("/proc/locks");
    int holders = 0;
    for (std::string line; std::getline(locks, line);) {
        // "1: FLOCK  ADVISORY  READ  1234 08:01:56789 0 EOF"; waiters show "->" and hold nothing.
        std::istringstream fields(line);
        std::string number, kind, mode, access, pid, where;
        fields >> number >> kind >> mode >> access >> pid >> where;
        unsigned major = 0, minor = 0;
        unsigned long inode = 0;
        if (kind != "FLOCK" || std::sscanf(where.c_str(), "%x:%x:%lu", &major, &minor, &inode) != 3)
            continue;
        if (major == ::major(info.st_dev) && minor == ::minor(info.st_dev) && inode == info.st_ino)
            ++holders;
    }
    return holders;
}

class ProgramTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(sim_.start(scratch_.path(), {"--no-meters"})); }

    fs::path settingsFile(const char* name = "CommSetting.csv") const {
        return scratch_.commoFile(name);
    }

    // A settings file that looks long untouched, so that a rewrite shows.
    void writeOldSettings(const std::string& text) {
        writeFile(settingsFile(), text);
        fs::last_write_time(settingsFile(), fs::file_time_type::clock::now() - 24h);
    }

    bool rewrittenSince(fs::file_time_type time) const {
        return fs::exists(settingsFile()) && fs::last_write_time(settingsFile()) > time;
    }

    static void expectCleanExit(QProcess& process) {
        ASSERT_TRUE(process.waitForFinished(30000)) << "the program did not end";
        EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(process.exitCode(), 0);
    }

    commo::ScratchWorkingDir scratch_{"panelink-app"};
    apptest::Simulator sim_;
};

TEST_F(ProgramTest, SigtermWhileRunningShutsDownAndWritesTheSettingsOfBothCopies) {
    writeOldSettings("1,9600,0\n");
    const auto old = fs::last_write_time(settingsFile());

    QProcess first;
    apptest::startPanelink(first, scratch_.path(), QStringLiteral("offscreen"));
    ASSERT_TRUE(first.waitForStarted(5000));
    // The port opened at the stored rate and the first command went out.
    ASSERT_TRUE(pollUntil([&] { return sim_.received("PS;"); }, kStartTimeout))
        << sim_.transcript();
    EXPECT_NE(sim_.transcript().find("AI0;"), std::string::npos);

    // A second copy runs too, with settings of its own.
    QProcess second;
    apptest::startPanelink(second, scratch_.path(), QStringLiteral("offscreen"));
    ASSERT_TRUE(second.waitForStarted(5000));
    std::this_thread::sleep_for(5s);

    second.terminate();
    first.terminate();
    expectCleanExit(second);
    expectCleanExit(first);

    EXPECT_TRUE(rewrittenSince(old));
    EXPECT_EQ(readFile(settingsFile()), "1,9600,0\n");
    EXPECT_EQ(readFile(settingsFile("CommSettingTmp.csv")), "1,4800,0\n");
}

// Like a named mutex, the single-instance object lives while any copy runs: a copy started
// after the first has ended, while a second one still runs, is a second copy too.
TEST_F(ProgramTest, ACopyStartedWhileASecondCopyOutlivesTheFirstIsASecondCopy) {
    writeOldSettings("1,9600,0\n");
    scratch_.writeCommoFile("CommSettingTmp.csv", "1,19200,0\n");
    const fs::path lockFile = scratch_.path() / "Vantor-Orvik.lock";

    QProcess first;
    apptest::startPanelink(first, scratch_.path(), QStringLiteral("offscreen"));
    ASSERT_TRUE(pollUntil([&] { return sim_.received("PS;"); }, kStartTimeout))
        << sim_.transcript();
    QProcess second;  // cannot have the port: its link failure box waits
    apptest::startPanelink(second, scratch_.path(), QStringLiteral("offscreen"));
    ASSERT_TRUE(pollUntil([&] { return flockHolders(lockFile) == 2; }, kStartTimeout))
        << "the second copy does not hold the single-instance object";

    first.terminate();
    expectCleanExit(first);
    writeOldSettings("1,9600,0\n");
    const auto old = fs::last_write_time(settingsFile());
    const std::size_t heard = sim_.transcript().size();

    QProcess third;  // opens the port once its settings are read
    apptest::startPanelink(third, scratch_.path(), QStringLiteral("offscreen"));
    ASSERT_TRUE(pollUntil(
        [&] { return sim_.transcript().find(" PS;", heard) != std::string::npos; }, kStartTimeout))
        << sim_.transcript();
    third.terminate();
    second.terminate();
    expectCleanExit(third);
    expectCleanExit(second);

    EXPECT_EQ(fs::last_write_time(settingsFile()), old);  // neither copy wrote it
    EXPECT_EQ(readFile(settingsFile("CommSettingTmp.csv")), "1,19200,0\n");
}

TEST_F(ProgramTest, SigtermWhileTheSettingsMessageWaitsClosesItAndShutsDown) {
    ASSERT_FALSE(fs::exists(settingsFile()));
    QProcess panelink;
    apptest::startPanelink(panelink, scratch_.path(), QStringLiteral("offscreen"));
    ASSERT_TRUE(panelink.waitForStarted(5000));
    // Splash, then message 108 waits for the user: the port is not opened meanwhile.
    std::this_thread::sleep_for(6s);
    ASSERT_EQ(panelink.state(), QProcess::Running);
    EXPECT_EQ(sim_.transcript(), "");

    panelink.terminate();
    expectCleanExit(panelink);
    EXPECT_EQ(readFile(settingsFile()), "1,4800,0\n");
    EXPECT_EQ(sim_.transcript(), "");  // the port was never opened
}

// The adapter pulled for longer than the link watchdog waits and plugged back, with the
// disconnection's box left up: the program reconnects by itself and the polls run again.
TEST_F(ProgramTest, AnAdapterPluggedBackWhileItsBoxIsUpIsConnectedAgainByItself) {
    writeOldSettings("1,38400,0\n");
    QProcess panelink;
    apptest::startPanelink(panelink, scratch_.path(), QStringLiteral("offscreen"));
    ASSERT_TRUE(panelink.waitForStarted(5000));
    ASSERT_TRUE(pollUntil([&] { return sim_.received("PS;"); }, kStartTimeout));
    sim_.control("ai on");
    sim_.control("send AI1;");
    ASSERT_TRUE(pollUntil([&] { return sim_.received("ID;"); }, kStartTimeout));

    ASSERT_EQ(sim_.control("unplug"), "ok");
    std::this_thread::sleep_for(5s);
    const std::size_t before = sim_.heard().size();
    ASSERT_EQ(sim_.control("replug").rfind("ok", 0), 0u);
    const auto heardSinceReplug = [&](const std::string& command) {
        const std::vector<apptest::HeardCommand> heard = sim_.heard();
        for (std::size_t i = before; i < heard.size(); ++i) {
            if (heard[i].text == command) return true;
        }
        return false;
    };
    EXPECT_TRUE(pollUntil([&] { return heardSinceReplug("ID;"); }, 15s)) << sim_.transcript();
    EXPECT_TRUE(pollUntil([&] { return heardSinceReplug("IF;"); }, 15s)) << sim_.transcript();

    panelink.terminate();
    expectCleanExit(panelink);
}

TEST_F(ProgramTest, SigintDuringTheSplashEndsAtOnceAndLeavesTheSettingsAlone) {
    writeOldSettings("1,19200,0\n");
    const auto old = fs::last_write_time(settingsFile());
    QProcess panelink;
    apptest::startPanelink(panelink, scratch_.path(), QStringLiteral("offscreen"));
    ASSERT_TRUE(panelink.waitForStarted(5000));
    std::this_thread::sleep_for(1s);
    ASSERT_EQ(::kill(static_cast<pid_t>(panelink.processId()), SIGINT), 0);
    expectCleanExit(panelink);
    EXPECT_EQ(fs::last_write_time(settingsFile()), old);
    EXPECT_EQ(readFile(settingsFile()), "1,19200,0\n");
    EXPECT_EQ(sim_.transcript(), "");
}

// The signal mask of a running process from the kernel's view of it ("SigIgn:", "SigBlk:").
unsigned long long signalMask(qint64 pid, const std::string& field) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind(field, 0) == 0) return std::stoull(line.substr(field.size()), nullptr, 16);
    }
    return 0;
}

bool inMask(unsigned long long mask, int signal) {
    return (mask >> (signal - 1)) & 1U;
}

// A closed terminal ends the run like SIGTERM: in order, with the settings written back; a
// broken pipe is an error to the writer, never the end of the program.
TEST_F(ProgramTest, SighupWhileRunningShutsDownInOrderAndWritesTheSettings) {
    writeOldSettings("1,9600,0\n");
    const auto old = fs::last_write_time(settingsFile());
    QProcess panelink;
    apptest::startPanelink(panelink, scratch_.path(), QStringLiteral("offscreen"));
    ASSERT_TRUE(panelink.waitForStarted(5000));
    ASSERT_TRUE(pollUntil([&] { return sim_.received("PS;"); }, kStartTimeout))
        << sim_.transcript();
    EXPECT_TRUE(inMask(signalMask(panelink.processId(), "SigIgn:"), SIGPIPE));

    ASSERT_EQ(::kill(static_cast<pid_t>(panelink.processId()), SIGHUP), 0);
    expectCleanExit(panelink);
    EXPECT_TRUE(rewrittenSince(old));
    EXPECT_EQ(readFile(settingsFile()), "1,9600,0\n");
}

// A settings file that is a named pipe used to hang the start for ever, deaf to SIGTERM.
TEST_F(ProgramTest, ASettingsFileThatIsAPipeCountsAsMissingAndIsLeftAlone) {
    fs::create_directories(settingsFile().parent_path());
    ASSERT_EQ(::mkfifo(settingsFile().c_str(), 0600), 0);
    QProcess panelink;
    apptest::startPanelink(panelink, scratch_.path(), QStringLiteral("offscreen"));
    ASSERT_TRUE(panelink.waitForStarted(5000));
    // Splash, then the missing-settings message waits, exactly as without the file.
    std::this_thread::sleep_for(6s);
    ASSERT_EQ(panelink.state(), QProcess::Running);
    EXPECT_EQ(sim_.transcript(), "");

    panelink.terminate();
    expectCleanExit(panelink);
    EXPECT_TRUE(fs::is_fifo(settingsFile()));
}

}  // namespace
}  // namespace panelink
