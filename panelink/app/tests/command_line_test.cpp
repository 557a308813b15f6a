// The program's options: what parses, what is refused with a reason, and which directory the
// program works in for each way of starting it.
#include "panelink/app/command_line.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "shared/platform/testing/scratch_dir.h"

namespace panelink {
namespace {

namespace fs = std::filesystem;

CommandLineResult parse(std::vector<std::string_view> arguments) {
    return parseCommandLine(arguments);
}

TEST(CommandLine, NoArgumentsMeanTheCurrentDirectoryAndAWindow) {
    const CommandLineResult result = parse({});
    ASSERT_TRUE(result.commandLine) << result.error;
    EXPECT_FALSE(result.commandLine->help);
    EXPECT_FALSE(result.commandLine->version);
    EXPECT_FALSE(result.commandLine->desktop);
    EXPECT_FALSE(result.commandLine->directory);
}

TEST(CommandLine, OptionsTakeTheirValueAfterABlankOrAnEqualsSign) {
    for (const auto& arguments : {std::vector<std::string_view>{"--dir", "/tmp/radio", "--desktop"},
                                  std::vector<std::string_view>{"--desktop", "--dir=/tmp/radio"}}) {
        const CommandLineResult result = parse(arguments);
        ASSERT_TRUE(result.commandLine) << result.error;
        EXPECT_EQ(result.commandLine->directory, fs::path("/tmp/radio"));
        EXPECT_TRUE(result.commandLine->desktop);
    }
    EXPECT_TRUE(parse({"--help"}).commandLine->help);
    EXPECT_TRUE(parse({"--version"}).commandLine->version);
}

TEST(CommandLine, TheToolkitsSingleDashOptionsAndTheirValuesAreLeftToIt) {
    const CommandLineResult result = parse({"-platform", "offscreen", "-reverse", "--help"});
    ASSERT_TRUE(result.commandLine) << result.error;
    EXPECT_TRUE(result.commandLine->help);
}

TEST(CommandLine, MistakesAreRefusedWithTheReason) {
    const std::map<std::vector<std::string_view>, std::string> cases{
        {{"--dri", "x"}, "unknown option: --dri"}, {{"--dir"}, "--dir needs DIR"},
        {{"--dir="}, "--dir needs DIR"},           {{"--help=yes"}, "--help takes no value"},
        {{"stray"}, "unexpected argument: stray"},
    };
    for (const auto& [arguments, reason] : cases) {
        const CommandLineResult result = parse(arguments);
        EXPECT_FALSE(result.commandLine) << arguments.front();
        EXPECT_EQ(result.error, reason);
    }
}

TEST(CommandLine, HelpNamesEveryOptionOnItsOwnLine) {
    const std::string help = commandLineHelp();
    for (const char* option : {"\n  --dir DIR ", "\n  --desktop ", "\n  --help ", "\n  --version "})
        EXPECT_NE(help.find(option), std::string::npos) << option;
}

class WorkingDirectoryTest : public ::testing::Test {
  protected:
    EnvironmentLookup environment() const {
        return [this](std::string_view name) -> std::optional<std::string> {
            const auto found = variables_.find(std::string(name));
            if (found == variables_.end()) return std::nullopt;
            return found->second;
        };
    }
    WorkingDirectoryResult directoryFor(std::vector<std::string_view> arguments) const {
        const CommandLineResult parsed = parseCommandLine(arguments);
        return workingDirectoryFor(*parsed.commandLine, environment(), scratch_.path() / "cwd");
    }

    platform::ScratchDir scratch_{"command-line"};
    std::map<std::string, std::string> variables_{{"HOME", (scratch_.path() / "home").string()}};
};

TEST_F(WorkingDirectoryTest, AShellStartWorksInTheCurrentDirectory) {
    EXPECT_EQ(directoryFor({}).path, scratch_.path() / "cwd");
}

TEST_F(WorkingDirectoryTest, ADesktopStartWorksInTheUsersDataDirectoryCreatedOnFirstStart) {
    const WorkingDirectoryResult underHome = directoryFor({"--desktop"});
    EXPECT_EQ(underHome.path, scratch_.path() / "home/.local/share/panelink");
    EXPECT_TRUE(fs::is_directory(underHome.path));

    variables_["XDG_DATA_HOME"] = (scratch_.path() / "data").string();
    EXPECT_EQ(directoryFor({"--desktop"}).path, scratch_.path() / "data/panelink");
    EXPECT_TRUE(fs::is_directory(scratch_.path() / "data/panelink"));

    // A relative XDG_DATA_HOME is ignored, as the XDG base directory rules say.
    variables_["XDG_DATA_HOME"] = "relative/data";
    EXPECT_EQ(directoryFor({"--desktop"}).path, underHome.path);

    variables_.clear();
    const WorkingDirectoryResult homeless = directoryFor({"--desktop"});
    EXPECT_TRUE(homeless.path.empty());
    EXPECT_FALSE(homeless.error.empty());
}

TEST_F(WorkingDirectoryTest, DirWinsOverTheDesktopDirectoryAndIsCreatedWhenMissing) {
    const std::string named = (scratch_.path() / "station/one").string();
    EXPECT_EQ(directoryFor({"--desktop", "--dir", named}).path, fs::path(named));
    EXPECT_TRUE(fs::is_directory(named));
    EXPECT_FALSE(fs::exists(scratch_.path() / "home/.local/share/panelink"));
}

TEST_F(WorkingDirectoryTest, ADirThatIsAFileIsRefusedWithTheReason) {
    platform::writeFile(scratch_.path() / "plain", "x");
    const std::string named = (scratch_.path() / "plain").string();
    const WorkingDirectoryResult result = directoryFor({"--dir", named});
    EXPECT_TRUE(result.path.empty());
    EXPECT_NE(result.error.find(named), std::string::npos) << result.error;
}

}  // namespace
}  // namespace panelink
