#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "panelink/link/com_port.h"
#include "shared/platform/pseudo_terminal.h"
#include "shared/platform/testing/wait_until.h"
#include "shared/platform/wake_event.h"

namespace panelink {
namespace {

using namespace std::chrono_literals;
using platform::Message;
using platform::PseudoTerminal;
using platform::WM_APP;

const Message kFailure{WM_APP + 0x109, 0, 0};

class RecordingWindow : public platform::MainWindowInterface {
  public:
    bool post(const Message& message) override {
        const std::lock_guard lock(mutex_);
        messages_.push_back(message);
        return true;
    }
    void send(const Message& message) override { post(message); }
    std::vector<Message> messages() const {
        const std::lock_guard lock(mutex_);
        return messages_;
    }

  private:
    mutable std::mutex mutex_;
    std::vector<Message> messages_;
};

PseudoTerminal makePty() {
    std::optional<PseudoTerminal> pty = PseudoTerminal::create();
    if (!pty) {
        std::fprintf(stderr, "no pseudo-terminal\n");
        std::abort();  // nothing here can run without one
    }
    return std::move(*pty);
}

// A port whose COM numbers all resolve to `path_` (changeable between opens), counting how
// often the resolver was asked.
struct PortFixture : ::testing::Test {
    RecordingWindow window;
    LinkFlags flags;
    std::string path_;
    std::atomic<int> resolved{0};
    ComPort port{window, flags, [this](int) {
                     ++resolved;
                     return path_;
                 }};
};

using ComPortTest = PortFixture;

TEST_F(ComPortTest, OpenWritesTheAutoInformationCommandAndNothingElse) {
    PseudoTerminal pty = makePty();
    path_ = pty.slavePath();

    ASSERT_TRUE(port.open(3, 9600, true));
    EXPECT_TRUE(port.isOpen());
    EXPECT_TRUE(flags.aiCommanded);
    // Exactly four bytes: no terminating NUL, nothing else.
    EXPECT_EQ(pty.readMaster(5, 300ms), "AI1;");

    // Already open: skipped, nothing written.
    EXPECT_FALSE(port.open(3, 9600, false));
    EXPECT_EQ(pty.readMaster(1, 100ms), "");

    EXPECT_TRUE(port.close());
    EXPECT_FALSE(port.isOpen());
    EXPECT_FALSE(port.close());

    ASSERT_TRUE(port.open(3, 4800, false));
    EXPECT_FALSE(flags.aiCommanded);
    EXPECT_EQ(pty.readMaster(5, 300ms), "AI0;");
    EXPECT_TRUE(window.messages().empty());
    EXPECT_TRUE(port.portUsable());
    EXPECT_FALSE(port.lastOpenFailed());
}

TEST_F(ComPortTest, FailedOpenPostsOneMessageAndKeepsTheFailedStateUntilAnOpenWorks) {
    path_ = "/dev/no-such-serial-port";
    const PortOpenResult failed = port.open(7, 9600, false);
    EXPECT_FALSE(failed);
    // The reason travels with the result and waits in the link flags for the window's box.
    const PortFailure missing{"/dev/no-such-serial-port", ENOENT};
    EXPECT_EQ(failed.failure, missing);
    EXPECT_EQ(flags.portFailure.get(), missing);
    EXPECT_EQ(window.messages(), std::vector<Message>{kFailure});
    EXPECT_TRUE(port.lastOpenFailed());
    EXPECT_FALSE(port.isOpen());
    EXPECT_FALSE(port.portUsable());
    EXPECT_FALSE(port.close());
    EXPECT_TRUE(port.lastOpenFailed());  // closing a port that never opened changes nothing

    // While the box is up, retries are skipped without touching the device or the table.
    flags.messageBox = true;
    const int asked = resolved;
    const PortOpenResult skipped = port.open(7, 9600, false);
    EXPECT_FALSE(skipped);
    EXPECT_EQ(skipped.failure, std::nullopt);
    EXPECT_EQ(resolved, asked);
    EXPECT_EQ(window.messages().size(), 1u);
    EXPECT_TRUE(port.lastOpenFailed());

    // The user closed the box and plugged the adapter in.
    flags.messageBox = false;
    PseudoTerminal pty = makePty();
    path_ = pty.slavePath();
    const PortOpenResult opened = port.open(7, 9600, false);
    ASSERT_TRUE(opened);
    EXPECT_EQ(opened.failure, std::nullopt);
    EXPECT_FALSE(port.lastOpenFailed());
    EXPECT_TRUE(port.portUsable());
    EXPECT_EQ(window.messages().size(), 1u);
}

TEST_F(ComPortTest, UnsupportedSpeedOrBusyDeviceIsAFailedOpen) {
    PseudoTerminal pty = makePty();
    path_ = pty.slavePath();
    EXPECT_EQ(port.open(1, 1200, false).failure, (PortFailure{pty.slavePath(), EINVAL}));

    platform::SerialDevice holder;
    ASSERT_EQ(holder.open(pty.slavePath(), 4800), 0);
    EXPECT_EQ(port.open(1, 4800, false).failure, (PortFailure{pty.slavePath(), EBUSY}));
    EXPECT_EQ(flags.portFailure.get(), (PortFailure{pty.slavePath(), EBUSY}));
    EXPECT_EQ(window.messages(), (std::vector<Message>{kFailure, kFailure}));
    EXPECT_EQ(pty.readMaster(1, 100ms), "");
}

TEST_F(ComPortTest, UnpluggedPortShowsAsBadAndAReplacementOpensAfterClose) {
    std::optional<PseudoTerminal> first = makePty();
    path_ = first->slavePath();
    ASSERT_TRUE(port.open(2, 19200, false));
    EXPECT_EQ(first->readMaster(4, 2s), "AI0;");
    ASSERT_TRUE(port.status().has_value());
    EXPECT_FALSE(port.status()->lineBad);

    first->closeMaster();
    const std::optional<platform::SerialStatus> status = port.status();
    ASSERT_TRUE(status.has_value());
    EXPECT_TRUE(status->lineBad);
    EXPECT_FALSE(port.portUsable());
    EXPECT_FALSE(port.write("FA;").ok());
    EXPECT_TRUE(port.isOpen());  // closing is the link threads' decision

    // Closed because the device went: said once, in its own words, and the listener is told.
    int goneTold = 0;
    port.onDeviceGone([&] { ++goneTold; });
    EXPECT_TRUE(port.close());
    EXPECT_EQ(goneTold, 1);
    EXPECT_TRUE(port.deviceGone());
    EXPECT_EQ(flags.portFailure.get(), (PortFailure{first->slavePath(), ENODEV, true}));
    EXPECT_EQ(window.messages(), std::vector<Message>{kFailure});

    // Re-plugged under a new device; the next open resolves the path again.
    PseudoTerminal second = makePty();
    path_ = second.slavePath();
    ASSERT_TRUE(port.open(2, 19200, true));
    EXPECT_EQ(second.readMaster(4, 2s), "AI1;");
    EXPECT_TRUE(port.portUsable());
    EXPECT_FALSE(port.deviceGone());
    EXPECT_EQ(window.messages().size(), 1u);

    // An ordinary close says nothing.
    EXPECT_TRUE(port.close());
    EXPECT_EQ(goneTold, 1);
    EXPECT_EQ(window.messages().size(), 1u);
}

TEST_F(ComPortTest, TransfersAndRtsGoThroughTheOpenPortOnly) {
    PseudoTerminal pty = makePty();
    path_ = pty.slavePath();
    char buffer[16] = {};
    EXPECT_FALSE(port.status().has_value());
    EXPECT_EQ(port.read(buffer, sizeof buffer).error, EBADF);
    EXPECT_EQ(port.write("PS;").error, EBADF);
    EXPECT_FALSE(port.raiseRts());
    EXPECT_FALSE(port.dropRts());

    ASSERT_TRUE(port.open(1, 38400, false));
    EXPECT_EQ(pty.readMaster(4, 2s), "AI0;");
    EXPECT_TRUE(port.raiseRts());
    EXPECT_TRUE(port.dropRts());

    // Text ends at a NUL: the NUL and what follows never reach the line.
    const platform::IoResult written = port.write(std::string_view("LK1;\0\0\0", 7));
    EXPECT_TRUE(written.ok());
    EXPECT_EQ(written.bytes, 4u);
    EXPECT_EQ(pty.readMaster(8, 300ms), "LK1;");

    ASSERT_EQ(pty.writeMaster("LK1;"), 4u);
    std::string got;
    for (int i = 0; i < 5000 && got.size() < 4; ++i) {
        const platform::IoResult result = port.read(buffer, sizeof buffer);
        got.append(buffer, result.bytes);
        if (result.bytes == 0) ::usleep(1000);
    }
    EXPECT_EQ(got, "LK1;");
}

TEST_F(ComPortTest, FullLineNeverCutsACommandShort) {
    PseudoTerminal pty = makePty();
    path_ = pty.slavePath();
    ASSERT_TRUE(port.open(1, 9600, false));
    const std::string command = "FA00014250000;";
    // Nobody reads the far end: write until the port refuses more.
    int accepted = 0;
    for (int i = 0; i < 100000; ++i) {
        const platform::IoResult result = port.write(command);
        ASSERT_TRUE(result.ok());
        if (result.bytes == 0) break;
        EXPECT_EQ(result.bytes, command.size());  // a command is taken whole or not at all
        ++accepted;
    }
    ASSERT_GT(accepted, 0);
    // The usability check must not eat the error the link threads act on.
    EXPECT_TRUE(port.portUsable());
    const std::optional<platform::SerialStatus> full = port.status();
    ASSERT_TRUE(full.has_value());
    EXPECT_EQ(full->errors, platform::kLineErrorTransmitFull);
    // A pseudo-terminal reports no output queue of its own: what shows is the rest of the one
    // command the port holds back, and none when the line filled up just between two commands.
    EXPECT_LT(full->outputQueue, command.size());

    // Once the far end reads, the held rest follows and every command arrives whole.
    std::string line;
    for (int i = 0; i < 1000; ++i) {
        line += pty.readMaster();
        const std::optional<platform::SerialStatus> status = port.status();
        ASSERT_TRUE(status.has_value());
        const std::string more = pty.readMaster(1, 20ms);
        line += more;
        if (status->outputQueue == 0 && more.empty()) break;
    }
    line += pty.readMaster();
    std::string expected = "AI0;";
    for (int i = 0; i < accepted; ++i)
        expected += command;
    EXPECT_EQ(line.size(), expected.size());
    EXPECT_TRUE(line == expected);
    EXPECT_EQ(port.write("PS;").bytes, 3u);
    EXPECT_EQ(pty.readMaster(3, 2s), "PS;");
}

TEST_F(ComPortTest, ClosedPortNeverWritesToAReusedDescriptor) {
    PseudoTerminal pty = makePty();
    path_ = pty.slavePath();
    ASSERT_TRUE(port.open(1, 9600, false));
    ASSERT_TRUE(port.close());

    // The freed descriptor number is likely handed to the next file opened.
    char name[] = "/tmp/com-port-bystander-XXXXXX";
    const int bystander = ::mkstemp(name);
    ASSERT_GE(bystander, 0);
    EXPECT_FALSE(port.write("FA00014250000;").ok());
    EXPECT_FALSE(port.raiseRts());
    char buffer[8];
    EXPECT_FALSE(port.read(buffer, sizeof buffer).ok());
    struct stat info {};
    ASSERT_EQ(::fstat(bystander, &info), 0);
    EXPECT_EQ(info.st_size, 0);
    ::close(bystander);
    ::unlink(name);
}

TEST_F(ComPortTest, NoOpenAfterShutDownBegins) {
    PseudoTerminal pty = makePty();
    path_ = pty.slavePath();
    ASSERT_TRUE(port.open(1, 4800, false));
    EXPECT_EQ(pty.readMaster(4, 2s), "AI0;");
    port.refuseFurtherOpens();
    EXPECT_TRUE(port.close());
    EXPECT_FALSE(port.open(1, 4800, true));
    EXPECT_FALSE(port.isOpen());
    EXPECT_EQ(pty.readMaster(1, 100ms), "");
    EXPECT_TRUE(window.messages().empty());
}

// The receive thread polls the descriptor outside the lock: every open and close must wake it
// and tell it the bytes it holds are from another connection, and a close must not leave the
// port locked against the writer's reopen while that poll is still under way.
TEST_F(ComPortTest, EveryOpenAndCloseIsANewGenerationThatWakesAPollerAndFreesThePort) {
    PseudoTerminal pty = makePty();
    path_ = "/dev/no-such-serial-port";
    const std::uint64_t start = port.generation();
    EXPECT_FALSE(port.open(1, 4800, false));
    EXPECT_EQ(port.generation(), start);
    EXPECT_FALSE(port.changes().clear());
    EXPECT_EQ(port.waitHandle().fd, -1);

    path_ = pty.slavePath();
    ASSERT_TRUE(port.open(1, 4800, false));
    ASSERT_EQ(pty.readMaster(4, 2s), "AI0;");
    EXPECT_TRUE(port.changes().clear());
    const ComPort::WaitHandle handle = port.waitHandle();
    EXPECT_GE(handle.fd, 0);
    EXPECT_EQ(handle.generation, start + 1);
    ASSERT_EQ(pty.writeMaster("LK1;"), 4u);
    char buffer[8];
    std::uint64_t from = 0;
    ASSERT_TRUE(platform::waitUntil([&] { return port.read(buffer, 8, &from).bytes == 4; }));
    EXPECT_EQ(from, start + 1);

    std::thread poller([&] {
        std::array<platform::WaitDescriptor, 2> waitOn{{{handle.fd}, {port.changes().fd()}}};
        platform::pollReadable(waitOn, -1);
    });
    std::this_thread::sleep_for(20ms);  // most likely asleep in poll() by now
    EXPECT_TRUE(port.close());
    const PortOpenResult reopened = port.open(1, 4800, false);
    EXPECT_TRUE(reopened) << "errno " << (reopened.failure ? reopened.failure->error : 0);
    poller.join();
    EXPECT_EQ(port.generation(), start + 3);

    EXPECT_TRUE(port.close());
    EXPECT_FALSE(port.close());
    EXPECT_EQ(port.generation(), start + 4);
}

TEST(TestOpenPort, PassesOnAWorkingPortAndExplainsFailures) {
    PseudoTerminal pty = makePty();
    const TestOpenResult good = testOpenPort(pty.slavePath(), 9600);
    EXPECT_TRUE(good.passed);
    EXPECT_EQ(good.error, 0);
    // It closed the device again and wrote nothing.
    platform::SerialDevice after;
    EXPECT_EQ(after.open(pty.slavePath(), 9600), 0);
    EXPECT_EQ(pty.readMaster(1, 100ms), "");

    const TestOpenResult busy = testOpenPort(pty.slavePath(), 9600);
    EXPECT_FALSE(busy.passed);
    EXPECT_EQ(busy.error, EBUSY);

    const TestOpenResult missing = testOpenPort("/dev/no-such-serial-port", 9600);
    EXPECT_FALSE(missing.passed);
    EXPECT_EQ(missing.error, ENOENT);
}

// Opens, closes, writes, status reads and RTS from several threads at once, while another
// thread keeps opening a file that may take a just-closed descriptor number: no byte may
// land in it. (The ThreadSanitizer run checks the locking itself.)
TEST_F(ComPortTest, ConcurrentUseIsSerialised) {
    PseudoTerminal pty = makePty();
    path_ = pty.slavePath();
    std::atomic<bool> stop{false};
    std::string line;
    std::thread reader([&] {
        while (!stop) {
            line += pty.readMaster();
            ::usleep(200);
        }
    });

    char name[] = "/tmp/com-port-bystander-XXXXXX";
    const int marker = ::mkstemp(name);
    ASSERT_GE(marker, 0);
    ::close(marker);
    std::atomic<long> bystanderBytes{0};
    std::thread bystander([&] {
        while (!stop) {
            const int fd = ::open(name, O_RDWR | O_CLOEXEC);
            if (fd < 0) continue;
            struct stat info {};
            if (::fstat(fd, &info) == 0) bystanderBytes += info.st_size;
            ::close(fd);
        }
    });

    // The others keep going until the opener has seen enough real opens or time is up (a
    // slow or instrumented build may manage fewer).
    constexpr int kOpens = 100;
    std::atomic<bool> done{false};
    int opens = 0;
    std::thread opener([&] {
        const auto deadline = std::chrono::steady_clock::now() + 20s;
        while (opens < kOpens && std::chrono::steady_clock::now() < deadline) {
            if (port.open(1, 9600, false)) ++opens;
        }
        done = true;
    });
    std::thread closer([&] {
        while (!done)
            port.close();
    });
    std::thread writer([&] {
        while (!done)
            port.write("FA;");
    });
    std::thread poller([&] {
        char buffer[16];
        while (!done) {
            (void)port.status();
            port.raiseRts();
            (void)port.read(buffer, sizeof buffer);
            (void)port.portUsable();
        }
    });
    opener.join();
    closer.join();
    writer.join();
    poller.join();
    port.close();
    stop = true;
    reader.join();
    bystander.join();
    line += pty.readMaster();

    EXPECT_EQ(bystanderBytes, 0);
    ::unlink(name);
    // A close discards what has not gone out yet, so a command may be cut there; but only
    // the port's own commands may appear, and every open announced itself.
    EXPECT_EQ(line.find_first_not_of("AI0;F"), std::string::npos);
    EXPECT_NE(line.find("AI0;"), std::string::npos);
    EXPECT_GT(opens, 0);
    EXPECT_TRUE(window.messages().empty());
    EXPECT_FALSE(port.isOpen());
}

}  // namespace
}  // namespace panelink
