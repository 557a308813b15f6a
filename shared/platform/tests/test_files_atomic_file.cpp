#include <gtest/gtest.h>

#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

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

}  // namespace
}  // namespace platform
