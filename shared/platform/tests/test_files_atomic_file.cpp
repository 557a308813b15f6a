#include <gtest/gtest.h>

#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <set>
#include <string>

#include "shared/platform/atomic_file.h"
#include "shared/platform/testing/scratch_dir.h"

namespace platform {
namespace {

using namespace std::string_literals;

class AtomicFileTest : public testing::Test {
  protected:
    // A test may leave the directory read-only; it must still be removable.
    ~AtomicFileTest() override {
        std::error_code error;
        std::filesystem::permissions(dir_, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, error);
    }

    std::set<std::string> names() const {
        std::set<std::string> found;
        for (const auto& entry : std::filesystem::directory_iterator(dir_)) {
            found.insert(entry.path().filename().string());
        }
        return found;
    }

    // Runs `body` in a child process and returns its exit code (-1 when it did not exit).
    template <typename Body>
    static int inChild(Body body) {
        const pid_t pid = ::fork();
        if (pid == 0) ::_exit(body());
        int status = 0;
        if (pid < 0 || ::waitpid(pid, &status, 0) != pid || !WIFEXITED(status)) return -1;
        return WEXITSTATUS(status);
    }

    ScratchDir scratch_{"files"};
    const std::filesystem::path& dir_ = scratch_.path();
};

TEST_F(AtomicFileTest, CreatesAndReplacesWithExactBytesLeavingNoTemporary) {
    const auto target = dir_ / "settings.csv";
    ASSERT_TRUE(replaceFileAtomically(target, "first\n"));
    EXPECT_EQ(readFile(target), "first\n");

    const std::string binary = "a\0b\xFF\n"s;
    ASSERT_TRUE(replaceFileAtomically(target, binary));
    EXPECT_EQ(readFile(target), binary);

    ASSERT_TRUE(replaceFileAtomically(target, ""));
    EXPECT_EQ(std::filesystem::file_size(target), 0u);
    EXPECT_EQ(names(), std::set<std::string>{"settings.csv"});
}

TEST_F(AtomicFileTest, TargetNameNearTheLengthLimitStillGetsATemporary) {
    const auto target = dir_ / std::string(250, 'n');
    ASSERT_TRUE(replaceFileAtomically(target, "long"));
    EXPECT_EQ(readFile(target), "long");
    EXPECT_EQ(names().size(), 1u);
}

TEST_F(AtomicFileTest, ReplacementKeepsThePermissionsOfTheOldFile) {
    const auto target = dir_ / "kept.txt";
    ASSERT_TRUE(replaceFileAtomically(target, "old"));
    ASSERT_EQ(::chmod(target.c_str(), 0640), 0);
    ASSERT_TRUE(replaceFileAtomically(target, "new"));
    struct stat info {};
    ASSERT_EQ(::stat(target.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
}

TEST_F(AtomicFileTest, FailureLeavesTheTargetAndRemovesTheTemporary) {
    // A directory in the way: the rename fails after the temporary was written.
    std::filesystem::create_directories(dir_ / "busy" / "child");
    EXPECT_FALSE(replaceFileAtomically(dir_ / "busy", "data"));
    EXPECT_TRUE(std::filesystem::is_directory(dir_ / "busy" / "child"));
    EXPECT_EQ(names(), std::set<std::string>{"busy"});

    EXPECT_FALSE(replaceFileAtomically(dir_ / "no-such-dir" / "file", "data"));
    EXPECT_FALSE(replaceFileAtomically("", "data"));
}

TEST_F(AtomicFileTest, WriteCutShortLeavesTheOldFileIntact) {
    const auto target = dir_ / "big.bin";
    ASSERT_TRUE(replaceFileAtomically(target, "old contents"));
    // A file size limit makes the write fail half way, as a full disk would.
    const int result = inChild([&] {
        ::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{1024, 1024};
        if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) return 2;
        return replaceFileAtomically(target, std::string(64 * 1024, 'x')) ? 1 : 0;
    });
    EXPECT_EQ(result, 0);
    EXPECT_EQ(readFile(target), "old contents");
    EXPECT_EQ(names(), std::set<std::string>{"big.bin"});
}

TEST_F(AtomicFileTest, UnwritableDirectoryReportsFalseAndKeepsTheOldFile) {
    const auto target = dir_ / "locked.csv";
    ASSERT_TRUE(replaceFileAtomically(target, "1,4800,0\n"));
    ASSERT_EQ(::chmod(dir_.c_str(), 0555), 0);
    const int result = inChild([&] {
        // Permissions do not bind root: the child gives its privileges up first.
        if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) return 2;
        return replaceFileAtomically(target, "3,9600,7\n") ? 1 : 0;
    });
    ::chmod(dir_.c_str(), 0700);
    EXPECT_EQ(result, 0);
    EXPECT_EQ(readFile(target), "1,4800,0\n");
    EXPECT_EQ(names(), std::set<std::string>{"locked.csv"});
}

TEST_F(AtomicFileTest, EnsureDirectoryAcceptsExistingDirectoriesOnly) {
    EXPECT_TRUE(ensureDirectory(dir_ / "CommoFiles"));
    EXPECT_TRUE(ensureDirectory(dir_ / "CommoFiles"));
    EXPECT_TRUE(std::filesystem::is_directory(dir_ / "CommoFiles"));
    EXPECT_TRUE(ensureDirectory(dir_ / "a" / "b" / "c"));

    ASSERT_TRUE(replaceFileAtomically(dir_ / "plain", "x"));
    EXPECT_FALSE(ensureDirectory(dir_ / "plain"));
    EXPECT_FALSE(ensureDirectory(dir_ / "plain" / "below"));
    EXPECT_FALSE(ensureDirectory(""));
}

// Only a regular file, up to the limit, is read; everything else is "not there" at once.
TEST_F(AtomicFileTest, ReadingTakesRegularFilesAndLinksToThemWithinTheLimitOnly) {
    const auto plain = dir_ / "CommSetting.csv";
    ASSERT_TRUE(replaceFileAtomically(plain, "1,4800,0\n"));
    EXPECT_EQ(readWholeFile(plain), "1,4800,0\n");
    std::filesystem::create_symlink("CommSetting.csv", dir_ / "linked.csv");
    EXPECT_EQ(readWholeFile(dir_ / "linked.csv"), "1,4800,0\n");

    EXPECT_EQ(readWholeFile(dir_ / "missing.csv"), std::nullopt);
    EXPECT_EQ(readWholeFile(dir_), std::nullopt);
    std::filesystem::create_symlink("/dev/zero", dir_ / "zero.csv");
    EXPECT_EQ(readWholeFile(dir_ / "zero.csv"), std::nullopt);
    EXPECT_EQ(readWholeFile("/dev/null"), std::nullopt);

    const auto atLimit = dir_ / "at-limit.txt";
    ASSERT_TRUE(replaceFileAtomically(atLimit, std::string(kReadableFileLimit, 'a')));
    EXPECT_EQ(readWholeFile(atLimit).value_or("").size(), kReadableFileLimit);
    const auto overLimit = dir_ / "over-limit.txt";
    ASSERT_TRUE(replaceFileAtomically(overLimit, std::string(kReadableFileLimit + 1, 'a')));
    EXPECT_EQ(readWholeFile(overLimit), std::nullopt);
}

TEST_F(AtomicFileTest, APipeWithoutAWriterIsUnreadableAtOnce) {
    const auto fifo = dir_ / "CommSetting.csv";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    // In a child with an alarm: a reader that waits for a writer is killed instead of hanging
    // the whole test run.
    const int result = inChild([&] {
        ::alarm(5);
        return readWholeFile(fifo).has_value() ? 1 : 0;
    });
    EXPECT_EQ(result, 0);
}

TEST_F(AtomicFileTest, AHugeFileIsRefusedWithoutReadingItIntoMemory) {
    const auto huge = dir_ / "ComPorts.csv";
    constexpr std::size_t kHugeSize = 50 * 1024 * 1024;
    {
        // Real bytes, not a sparse hole, so that reading them all would show in the figures.
        std::FILE* out = std::fopen(huge.c_str(), "wb");
        ASSERT_NE(out, nullptr);
        const std::string line = "COM1,/dev/ttyUSB0\n";
        for (std::size_t written = 0; written < kHugeSize; written += line.size())
            std::fwrite(line.data(), 1, line.size(), out);
        ASSERT_EQ(std::fclose(out), 0);
    }
    const int result = inChild([&] {
        ::alarm(5);
        rusage before{};
        ::getrusage(RUSAGE_SELF, &before);
        if (readWholeFile(huge).has_value()) return 1;
        rusage after{};
        ::getrusage(RUSAGE_SELF, &after);
        constexpr long kAllowedGrowthKiB = 4 * 1024;
        return after.ru_maxrss - before.ru_maxrss < kAllowedGrowthKiB ? 0 : 2;
    });
    EXPECT_EQ(result, 0) << "1: read, 2: memory grew, -1: took too long";
}

TEST_F(AtomicFileTest, ReplacingThroughASymbolicLinkReplacesItsTargetAndKeepsTheLink) {
    ASSERT_TRUE(ensureDirectory(dir_ / "shared"));
    const auto target = dir_ / "shared" / "VantorKSDEF.txt";
    ASSERT_TRUE(replaceFileAtomically(target, "old"));
    const auto link = dir_ / "VantorKSDEF.txt";
    std::filesystem::create_symlink("shared/VantorKSDEF.txt", link);

    ASSERT_TRUE(replaceFileAtomically(link, "new"));
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(readFile(target), "new");
    EXPECT_EQ(names(), (std::set<std::string>{"VantorKSDEF.txt", "shared"}));

    // A link to a file not there yet creates that file.
    const auto dangling = dir_ / "KSESetting.ini";
    std::filesystem::create_symlink("shared/KSESetting.ini", dangling);
    ASSERT_TRUE(replaceFileAtomically(dangling, "[VIEW]\n"));
    EXPECT_TRUE(std::filesystem::is_symlink(dangling));
    EXPECT_EQ(readFile(dir_ / "shared" / "KSESetting.ini"), "[VIEW]\n");
}

TEST_F(AtomicFileTest, APipeADeviceOrADirectoryIsNeverReplaced) {
    const auto fifo = dir_ / "CommSetting.csv";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    std::filesystem::create_symlink("/dev/null", dir_ / "ComPorts.csv");
    ASSERT_TRUE(ensureDirectory(dir_ / "KSESetting.ini"));
    std::filesystem::create_symlink("loop", dir_ / "loop");

    EXPECT_FALSE(replaceFileAtomically(fifo, "1,4800,0\n"));
    EXPECT_FALSE(replaceFileAtomically(dir_ / "ComPorts.csv", "COM1,/dev/ttyS0\n"));
    EXPECT_FALSE(replaceFileAtomically(dir_ / "KSESetting.ini", "[VIEW]\n"));
    EXPECT_FALSE(replaceFileAtomically(dir_ / "loop", "x"));

    EXPECT_TRUE(std::filesystem::is_fifo(fifo));
    EXPECT_TRUE(std::filesystem::is_symlink(dir_ / "ComPorts.csv"));
    EXPECT_TRUE(std::filesystem::is_directory(dir_ / "KSESetting.ini"));
    EXPECT_EQ(names(),
              (std::set<std::string>{"CommSetting.csv", "ComPorts.csv", "KSESetting.ini", "loop"}));
}

}  // namespace
}  // namespace platform
