#pragma once

// The simulated radio as a process of its own for the benchmarks, on a pseudo-terminal that
// COM1 of the scratch directory maps to, wandering (frequency, mode and meter reports).

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <string>
#include <vector>

#include "shared/platform/testing/scratch_dir.h"
#include "shared/platform/testing/wait_until.h"

extern char** environ;

namespace bench {

using namespace std::chrono_literals;

class SimulatorProcess {
  public:
    SimulatorProcess(const std::string& program, const platform::ScratchDir& dir) {
        const std::string out = (dir.path() / "sim.out").string();
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, out.c_str(),
                                         O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const std::string workDir = dir.path().string();
        const std::string link = (dir.path() / "radio").string();
        std::vector<std::string> args{program, "--comports-dir", workDir,   "--com", "1", "--link",
                                      link,    "--no-stdin",     "--wander"};
        std::vector<char*> argv;
        argv.reserve(args.size() + 1);
        for (std::string& arg : args)
            argv.push_back(arg.data());
        argv.push_back(nullptr);
        if (posix_spawn(&pid_, program.c_str(), &actions, nullptr, argv.data(), environ) != 0)
            pid_ = -1;
        posix_spawn_file_actions_destroy(&actions);
        ready_ =
            pid_ > 0 && platform::waitUntil(
                            [&] { return platform::readFile(out).find("ready ") == 0; }, 10s, 10ms);
    }
    ~SimulatorProcess() {
        if (pid_ <= 0) return;
        ::kill(pid_, SIGTERM);
        int status = 0;
        ::waitpid(pid_, &status, 0);
    }
    SimulatorProcess(const SimulatorProcess&) = delete;
    SimulatorProcess& operator=(const SimulatorProcess&) = delete;

    bool ready() const { return ready_; }

  private:
    pid_t pid_ = -1;
    bool ready_ = false;
};

}  // namespace bench
