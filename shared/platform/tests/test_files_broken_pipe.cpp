#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>

#include "shared/platform/broken_pipe.h"

namespace platform {
namespace {

// Writes to a pipe whose reader has gone, in a child: 0 when the write failed with EPIPE,
// 1 when it failed otherwise, -1 when the child did not live to say.
int writeToAClosedPipe(bool ignoring) {
    const pid_t pid = ::fork();
    if (pid == 0) {
        if (ignoring && !ignoreBrokenPipes()) ::_exit(2);
        if (!ignoring) std::signal(SIGPIPE, SIG_DFL);  // whatever the test runner inherited
        int ends[2];
        if (::pipe(ends) != 0) ::_exit(3);
        ::close(ends[0]);
        const char byte = 'x';
        const bool epipe = ::write(ends[1], &byte, 1) < 0 && errno == EPIPE;
        ::_exit(epipe ? 0 : 1);
    }
    int status = 0;
    if (pid < 0 || ::waitpid(pid, &status, 0) != pid || !WIFEXITED(status)) return -1;
    return WEXITSTATUS(status);
}

TEST(BrokenPipeTest, AWriteToAClosedPipeFailsWithEpipeInsteadOfEndingTheProcess) {
    EXPECT_EQ(writeToAClosedPipe(true), 0);
    // The test means something only if the default would have ended the process.
    EXPECT_EQ(writeToAClosedPipe(false), -1);
}

}  // namespace
}  // namespace platform
