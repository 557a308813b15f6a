#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "shared/platform/single_instance.h"
#include "shared/platform/testing/scratch_dir.h"

namespace platform {
namespace {

class SingleInstanceTest : public testing::Test {
  protected:
    // A child process that takes the lock, reports through a pipe whether it holds it, and
    // then waits to be killed.
    pid_t childHolding(std::string_view name, bool& childHolds) {
        int fds[2];
        if (::pipe(fds) != 0) return -1;
        const pid_t pid = ::fork();
        if (pid == 0) {
            ::close(fds[0]);
            SingleInstanceLock lock(name, dir_);
            const char held = lock.held() ? 'y' : 'n';
            if (::write(fds[1], &held, 1) != 1) ::_exit(1);
            for (;;)
                ::pause();
        }
        ::close(fds[1]);
        char reply = 0;
        childHolds = pid > 0 && ::read(fds[0], &reply, 1) == 1 && reply == 'y';
        ::close(fds[0]);
        return pid;
    }

    static void kill(pid_t pid) {
        ::kill(pid, SIGKILL);
        int status = 0;
        ::waitpid(pid, &status, 0);
    }

    ScratchDir scratch_{"lock"};
    const std::filesystem::path& dir_ = scratch_.path();
};

TEST_F(SingleInstanceTest, SecondHolderIsToldAndTheLockFreesWhenTheLastHolderEnds) {
    {
        SingleInstanceLock first("Vantor-Orvik", dir_);
        EXPECT_TRUE(first.held());
        EXPECT_FALSE(first.anotherInstance());

        SingleInstanceLock second("Vantor-Orvik", dir_);
        EXPECT_TRUE(second.held());
        EXPECT_TRUE(second.anotherInstance());

        // Another name is another lock.
        SingleInstanceLock editor("Keyweld", dir_);
        EXPECT_TRUE(editor.held());
        EXPECT_FALSE(editor.anotherInstance());
    }
    SingleInstanceLock again("Vantor-Orvik", dir_);
    EXPECT_TRUE(again.held());
    EXPECT_FALSE(again.anotherInstance());
}

// Like a named mutex: the object lives while any holder does, not only the first.
TEST_F(SingleInstanceTest, ALaterHolderKeepsTheObjectAfterTheFirstHasEnded) {
    auto a = std::make_unique<SingleInstanceLock>(kPanelinkInstanceName, dir_);
    auto b = std::make_unique<SingleInstanceLock>(kPanelinkInstanceName, dir_);
    ASSERT_FALSE(a->anotherInstance());
    ASSERT_TRUE(b->anotherInstance());
    a.reset();

    auto c = std::make_unique<SingleInstanceLock>(kPanelinkInstanceName, dir_);
    EXPECT_TRUE(c->anotherInstance());
    EXPECT_TRUE(c->held());
    b.reset();
    auto d = std::make_unique<SingleInstanceLock>(kPanelinkInstanceName, dir_);
    EXPECT_TRUE(d->anotherInstance());  // c still holds it
    c.reset();
    d.reset();

    SingleInstanceLock e(kPanelinkInstanceName, dir_);
    EXPECT_FALSE(e.anotherInstance());
}

TEST_F(SingleInstanceTest, ASecondCopyKeepsTheObjectAfterTheFirstProcessHasDied) {
    bool childHolds = false;
    const pid_t first = childHolding(kPanelinkInstanceName, childHolds);
    ASSERT_GT(first, 0);
    ASSERT_TRUE(childHolds);
    auto second = std::make_unique<SingleInstanceLock>(kPanelinkInstanceName, dir_);
    ASSERT_TRUE(second->anotherInstance());
    kill(first);
    {
        SingleInstanceLock third(kPanelinkInstanceName, dir_);
        EXPECT_TRUE(third.anotherInstance());
    }
    second.reset();
    SingleInstanceLock fourth(kPanelinkInstanceName, dir_);
    EXPECT_FALSE(fourth.anotherInstance());
}

TEST_F(SingleInstanceTest, OfInstancesStartingTogetherExactlyOneIsTheFirst) {
    constexpr int kInstances = 8;
    for (int round = 0; round < 20; ++round) {
        std::vector<std::unique_ptr<SingleInstanceLock>> locks(kInstances);
        std::atomic<int> ready{0};
        std::vector<std::thread> threads;
        threads.reserve(kInstances);
        for (int i = 0; i < kInstances; ++i) {
            threads.emplace_back([&, i] {
                ++ready;
                while (ready.load() < kInstances) {
                }
                locks[static_cast<std::size_t>(i)] =
                    std::make_unique<SingleInstanceLock>(kPanelinkInstanceName, dir_);
            });
        }
        for (auto& thread : threads)
            thread.join();
        int firsts = 0;
        for (const auto& lock : locks) {
            EXPECT_TRUE(lock->held());
            if (!lock->anotherInstance()) ++firsts;
        }
        ASSERT_EQ(firsts, 1) << "round " << round;
    }
}

TEST_F(SingleInstanceTest, LockHeldByAnotherProcessIsReleasedWhenThatProcessDies) {
    bool childHolds = false;
    const pid_t child = childHolding(kPanelinkInstanceName, childHolds);
    ASSERT_GT(child, 0);
    ASSERT_TRUE(childHolds);
    {
        SingleInstanceLock mine(kPanelinkInstanceName, dir_);
        EXPECT_TRUE(mine.anotherInstance());
    }
    kill(child);  // SIGKILL: the child never runs its destructor
    SingleInstanceLock mine(kPanelinkInstanceName, dir_);
    EXPECT_FALSE(mine.anotherInstance());
    EXPECT_TRUE(mine.held());
}

TEST_F(SingleInstanceTest, ProgramsStartedByTheHolderDoNotKeepTheLock) {
    auto holder = std::make_unique<SingleInstanceLock>(kKeyweldInstanceName, dir_);
    ASSERT_TRUE(holder->held());
    // The pipe's write end closes on exec, so end of file tells that the child has started
    // the new program (until then it still shares the holder's descriptor).
    int fds[2];
    ASSERT_EQ(::pipe2(fds, O_CLOEXEC), 0);
    const pid_t child = ::fork();
    if (child == 0) {
        ::execl("/bin/sleep", "sleep", "60", static_cast<char*>(nullptr));
        ::_exit(127);
    }
    ::close(fds[1]);
    char byte = 0;
    while (::read(fds[0], &byte, 1) > 0) {
    }
    ::close(fds[0]);
    ASSERT_GT(child, 0);
    holder.reset();
    SingleInstanceLock next(kKeyweldInstanceName, dir_);
    EXPECT_FALSE(next.anotherInstance());  // the started program holds no share
    kill(child);
}

TEST(SingleInstanceLockFile, RuntimeDirectoryOrPerUserFileInTmp) {
    EXPECT_EQ(lockFilePath("Vantor-Orvik", "/run/user/1000", 1000),
              std::filesystem::path("/run/user/1000/Vantor-Orvik.lock"));
    EXPECT_EQ(lockFilePath("Keyweld", nullptr, 1000),
              std::filesystem::path("/tmp/Keyweld-1000.lock"));
    EXPECT_EQ(lockFilePath("Keyweld", "", 7), std::filesystem::path("/tmp/Keyweld-7.lock"));
    EXPECT_EQ(lockFilePath("Keyweld", "relative/dir", 7),
              std::filesystem::path("/tmp/Keyweld-7.lock"));
    // A name cannot lead out of the directory.
    EXPECT_EQ(lockFilePath("../x/y", "/run/user/5", 5),
              std::filesystem::path("/run/user/5/.._x_y.lock"));
}

}  // namespace
}  // namespace platform
