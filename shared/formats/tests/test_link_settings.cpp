#include <gtest/gtest.h>

#include <sys/stat.h>

#include <set>

#include "shared/formats/link_settings.h"
#include "shared/platform/testing/scratch_dir.h"

namespace commo {
namespace {

using platform::readFile;
using platform::ScratchDir;
using platform::writeFile;

std::filesystem::path settingsFile(const std::filesystem::path& dir, bool second = false) {
    return dir / "CommoFiles" / (second ? "CommSettingTmp.csv" : "CommSetting.csv");
}

std::set<std::string> namesIn(const std::filesystem::path& dir) {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir)) {
        names.insert(entry.path().filename().string());
    }
    return names;
}

void expectSettings(const LinkSettings& settings, int port, int baud, int stored) {
    EXPECT_EQ(settings.port(), port);
    EXPECT_EQ(settings.baud(), baud);
    EXPECT_EQ(settings.storedValue(), stored);
}

TEST(LinkSettings, FileLineIsReadAndWrittenBackIdentically) {
    ScratchDir dir;
    writeFile(settingsFile(dir.path()), "3,9600,7\n");
    LinkSettings settings;
    EXPECT_TRUE(settings.readFile(dir.path(), false));
    expectSettings(settings, 3, 9600, 7);

    EXPECT_TRUE(settings.writeFile(dir.path(), false));
    EXPECT_EQ(readFile(settingsFile(dir.path())), "3,9600,7\n");

    settings.setStoredValue(-5);
    EXPECT_TRUE(settings.writeFile(dir.path(), false));
    EXPECT_EQ(readFile(settingsFile(dir.path())), "3,9600,-5\n");
}

TEST(LinkSettings, ValuesOutsideTheTablesFallBackAndMissingCellsChangeNothing) {
    ScratchDir dir;
    writeFile(settingsFile(dir.path()), "0,1200\n");
    LinkSettings settings;
    settings.setPort(4);
    settings.setBaud(38400);
    settings.setStoredValue(9);
    EXPECT_TRUE(settings.readFile(dir.path(), false));
    expectSettings(settings, 1, 4800, 9);

    EXPECT_FALSE(settings.setPort(0));
    EXPECT_FALSE(settings.setBaud(1200));
    EXPECT_TRUE(settings.setPort(20));
    EXPECT_FALSE(settings.setPort(21));
    EXPECT_EQ(settings.port(), 1);
    EXPECT_TRUE(settings.setBaud(38400));
    EXPECT_FALSE(settings.setBaud(-4800));
    EXPECT_EQ(settings.baud(), 4800);
}

TEST(LinkSettings, CellsCountInReadingOrderAcrossRows) {
    ScratchDir dir;
    writeFile(settingsFile(dir.path()), " 12 \n\"19200\"\r\n-3x,99,1\n");
    LinkSettings settings;
    EXPECT_TRUE(settings.readFile(dir.path(), false));
    expectSettings(settings, 12, 19200, -3);
}

TEST(LinkSettings, EmptyFileReadsTrueAndChangesNothing) {
    ScratchDir dir;
    writeFile(settingsFile(dir.path()), "");
    LinkSettings settings;
    settings.setPort(2);
    EXPECT_TRUE(settings.readFile(dir.path(), false));
    expectSettings(settings, 2, 4800, 0);
}

TEST(LinkSettings, MissingDirectoryReadsDefaultsAndWriteCreatesIt) {
    ScratchDir dir;
    LinkSettings settings;
    settings.setPort(7);
    settings.setBaud(9600);
    settings.setStoredValue(3);
    EXPECT_FALSE(settings.readFile(dir.path(), false));
    expectSettings(settings, 1, 4800, 0);

    EXPECT_TRUE(settings.writeFile(dir.path(), false));
    EXPECT_EQ(readFile(settingsFile(dir.path())), "1,4800,0\n");
    // Only the file itself: no temporary is left beside it.
    EXPECT_EQ(namesIn(dir.path() / "CommoFiles"), std::set<std::string>{"CommSetting.csv"});
}

// Whatever is not a regular file of sensible size is as good as no file: the defaults, never a
// hang or a read of endless bytes; and the write-back leaves such a thing where it is.
TEST(LinkSettings, APipeADeviceOrAHugeFileReadsAsMissingAndIsNotWrittenOver) {
    ScratchDir dir;
    std::filesystem::create_directories(settingsFile(dir.path()).parent_path());
    ASSERT_EQ(::mkfifo(settingsFile(dir.path()).c_str(), 0600), 0);
    std::filesystem::create_symlink("/dev/zero", settingsFile(dir.path(), true));

    LinkSettings settings;
    settings.setBaud(9600);
    EXPECT_FALSE(settings.readFile(dir.path(), false));
    expectSettings(settings, 1, 4800, 0);
    settings.setBaud(9600);
    EXPECT_FALSE(settings.readFile(dir.path(), true));
    expectSettings(settings, 1, 4800, 0);

    EXPECT_FALSE(settings.writeFile(dir.path(), false));
    EXPECT_FALSE(settings.writeFile(dir.path(), true));
    EXPECT_TRUE(std::filesystem::is_fifo(settingsFile(dir.path())));
    EXPECT_TRUE(std::filesystem::is_symlink(settingsFile(dir.path(), true)));

    std::string valid;
    while (valid.size() <= 1024 * 1024)
        valid += "2,9600,0\n";
    std::filesystem::remove(settingsFile(dir.path()));
    writeFile(settingsFile(dir.path()), valid);
    EXPECT_FALSE(settings.readFile(dir.path(), false));
    expectSettings(settings, 1, 4800, 0);
}

TEST(LinkSettings, SecondInstanceUsesItsOwnFile) {
    ScratchDir dir;
    writeFile(settingsFile(dir.path()), "3,9600,7\n");
    writeFile(settingsFile(dir.path(), true), "4,19200,1\n");

    LinkSettings second;
    EXPECT_TRUE(second.readFile(dir.path(), true));
    expectSettings(second, 4, 19200, 1);
    second.setPort(6);
    EXPECT_TRUE(second.writeFile(dir.path(), true));
    EXPECT_EQ(readFile(settingsFile(dir.path(), true)), "6,19200,1\n");
    EXPECT_EQ(readFile(settingsFile(dir.path())), "3,9600,7\n");

    std::filesystem::remove(settingsFile(dir.path(), true));
    EXPECT_FALSE(second.readFile(dir.path(), true));
    expectSettings(second, 1, 4800, 0);
}

// Builds a working directory whose CommSetting.csv path is exactly `length` characters.
std::filesystem::path workingDirForPathLength(const std::filesystem::path& base,
                                              std::size_t length) {
    const std::size_t tail = std::string("/CommoFiles/CommSetting.csv").size();
    const std::size_t fill = length - tail - base.native().size() - 1;
    return base / std::string(fill, 'd');
}

TEST(LinkSettings, PathOf260CharactersOrMoreIsNeverUsed) {
    ScratchDir dir;
    const auto tooLong = workingDirForPathLength(dir.path(), 260);
    ASSERT_EQ(settingsFile(tooLong).native().size(), 260u);
    writeFile(settingsFile(tooLong), "5,9600,1\n");

    LinkSettings settings;
    settings.setPort(2);
    EXPECT_FALSE(settings.readFile(tooLong, false));
    expectSettings(settings, 2, 4800, 0);  // not even the defaults are set
    EXPECT_FALSE(settings.writeFile(tooLong, false));
    EXPECT_EQ(readFile(settingsFile(tooLong)), "5,9600,1\n");

    const auto fits = workingDirForPathLength(dir.path(), 259);
    writeFile(settingsFile(fits), "5,9600,1\n");
    EXPECT_TRUE(settings.readFile(fits, false));
    expectSettings(settings, 5, 9600, 1);
    EXPECT_TRUE(settings.writeFile(fits, false));
    // The second instance's name is longer, so the same directory is too deep for it.
    EXPECT_FALSE(settings.writeFile(fits, true));
    EXPECT_FALSE(std::filesystem::exists(settingsFile(fits, true)));
}

TEST(LinkSettings, FailedWriteReportsFalseAndLeavesNoTemporary) {
    ScratchDir dir;
    // CommoFiles is a plain file: the directory cannot be made.
    writeFile(dir.path() / "CommoFiles", "not a directory");
    LinkSettings settings;
    EXPECT_FALSE(settings.writeFile(dir.path(), false));
    EXPECT_EQ(readFile(dir.path() / "CommoFiles"), "not a directory");

    // The settings name is taken by a directory: the rename cannot replace it.
    ScratchDir other;
    std::filesystem::create_directories(settingsFile(other.path()) / "inside");
    EXPECT_FALSE(settings.writeFile(other.path(), false));
    EXPECT_TRUE(std::filesystem::is_directory(settingsFile(other.path()) / "inside"));
    EXPECT_EQ(namesIn(other.path() / "CommoFiles"), std::set<std::string>{"CommSetting.csv"});
}

}  // namespace
}  // namespace commo
