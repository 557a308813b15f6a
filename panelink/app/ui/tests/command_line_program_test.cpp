// The real program's command line: --help and --version answer without a display, --dir and
// --desktop choose where it works whatever the current directory.
#include <gtest/gtest.h>

#include <QProcess>
#include <QProcessEnvironment>

#include <chrono>
#include <filesystem>
#include <string>

#include "panelink/app/ui/tests/program_test_support.h"
#include "shared/platform/testing/scratch_dir.h"

namespace panelink {
namespace {

using namespace std::chrono_literals;
using apptest::pollUntil;
using apptest::qpath;
namespace fs = std::filesystem;

class CommandLineProgramTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(scratch_.ok());
        fs::create_directories(elsewhere());
    }

    fs::path elsewhere() const { return scratch_.path() / "elsewhere"; }

    // Panelink started in elsewhere() with `arguments` and no display at all.
    void start(QProcess& process, const QStringList& arguments,
               QProcessEnvironment environment = QProcessEnvironment::systemEnvironment()) {
        environment.remove(QStringLiteral("DISPLAY"));
        environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), qpath(scratch_.path()));
        process.setProcessEnvironment(environment);
        process.setWorkingDirectory(qpath(elsewhere()));
        process.start(QStringLiteral(PANELINK_TEST_PROGRAM), arguments);
    }

    // Runs it to its end and gives its standard output.
    std::string run(const QStringList& arguments, int expectedExitCode) {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        // A window would need the X display, which is not there: the answer must come first.
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        start(process, arguments, environment);
        EXPECT_TRUE(process.waitForFinished(10000)) << arguments.join(' ').toStdString();
        EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(process.exitCode(), expectedExitCode) << arguments.join(' ').toStdString();
        lastError_ = process.readAllStandardError().toStdString();
        return process.readAllStandardOutput().toStdString();
    }

    // Started with `arguments`, it talks to a simulator whose port map is in `directory` and
    // writes its settings there when told to end.
    void expectToWorkIn(const fs::path& directory, const QStringList& arguments,
                        const QProcessEnvironment& environment) {
        apptest::Simulator sim;
        // With its settings file there, no message about a missing one waits for a click.
        platform::writeFile(directory / "CommoFiles/CommSetting.csv", "1,4800,0\n");
        ASSERT_TRUE(sim.start(directory, {"--no-meters"}));
        QProcess panelink;
        QProcessEnvironment offscreen = environment;
        offscreen.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        const auto started = fs::file_time_type::clock::now();
        start(panelink, arguments, offscreen);
        ASSERT_TRUE(panelink.waitForStarted(5000));
        EXPECT_TRUE(pollUntil([&] { return sim.received("PS;"); }, 20s)) << sim.transcript();
        panelink.terminate();
        ASSERT_TRUE(panelink.waitForFinished(30000));
        EXPECT_EQ(panelink.exitCode(), 0);
        EXPECT_TRUE(fs::last_write_time(directory / "CommoFiles/CommSetting.csv") > started);
        EXPECT_FALSE(fs::exists(elsewhere() / "CommoFiles"));
    }

    platform::ScratchDir scratch_{"panelink-cli"};
    std::string lastError_;
};

TEST_F(CommandLineProgramTest, HelpAndVersionAnswerWithoutADisplay) {
    const std::string help = run({"--help"}, 0);
    EXPECT_NE(help.find("Usage: panelink"), std::string::npos) << help << lastError_;
    EXPECT_NE(help.find("--dir DIR"), std::string::npos) << help;
    const std::string version = run({"--version"}, 0);
    EXPECT_TRUE(version.starts_with("panelink ") && version.ends_with("\n")) << version;
    EXPECT_NE(version.find_first_of("0123456789"), std::string::npos) << version;
}

TEST_F(CommandLineProgramTest, AMistakeEndsWithTheReasonAndNoWindow) {
    EXPECT_EQ(run({"--frobnicate"}, 2), "");
    EXPECT_NE(lastError_.find("unknown option: --frobnicate"), std::string::npos) << lastError_;
    run({"--dir"}, 2);
    EXPECT_NE(lastError_.find("--dir needs DIR"), std::string::npos) << lastError_;
}

TEST_F(CommandLineProgramTest, DirNamesTheWorkingDirectoryWhateverTheCurrentOne) {
    const fs::path station = scratch_.path() / "station";
    expectToWorkIn(station, {"--dir", qpath(station)}, QProcessEnvironment::systemEnvironment());
}

TEST_F(CommandLineProgramTest, ADesktopStartWorksInTheUsersDataDirectory) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_DATA_HOME"), qpath(scratch_.path() / "data"));
    expectToWorkIn(scratch_.path() / "data/panelink", {"--desktop"}, environment);
}

}  // namespace
}  // namespace panelink
