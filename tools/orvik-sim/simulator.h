#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdio>
#include <memory>
#include <mutex>
#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "shared/platform/pseudo_terminal.h"
#include "tools/orvik-sim/command_framer.h"
#include "tools/orvik-sim/control_socket.h"
#include "tools/orvik-sim/fault_plan.h"
#include "tools/orvik-sim/paced_output.h"
#include "tools/orvik-sim/radio_model.h"

namespace orviksim {

inline constexpr int kFallbackBaud = 4800;

struct Options {
    std::string linkPath;     // stable symlink to the serial port; empty: none
    std::string comportsDir;  // write "COM<comNumber>,<port>" into <dir>/CommoFiles/ComPorts.csv
    int comNumber = 0;        // 1..20; 0: no ComPorts.csv line
    int baud = 0;             // pacing speed; 0: follow the speed the program set
    std::string model{kDefaultModel};
    std::string transcriptPath;     // append every received command here; empty: none
    std::string controlSocketPath;  // UNIX stream socket taking control lines; empty: none
    int controlInputFd = -1;        // control lines from this descriptor (the program: 0)
    int controlOutputFd = -1;       // replies to those lines (the program: 1)
    bool autoInformation = false;   // start with auto-information on
    bool wander = false;
    bool meterReports = true;  // periodic meter reports while auto-information is on
    std::uint32_t seed = 1;    // for meter timing and wandering
};

struct TranscriptEntry {
    std::int64_t ms = 0;  // since the simulator started
    std::string command;  // as received, through ";"
};

// A transceiver on a pseudo-terminal. The I/O runs on its own thread: it frames commands
// from the program, answers them through the radio model, paces everything it sends at the
// line speed, applies the requested faults, sends auto-information and meter reports, and
// serves control lines from a descriptor and a UNIX socket. Every public method may be
// called from any thread: the state is guarded by one mutex, which the I/O thread lets go
// only while it waits in poll, and a call that changes something wakes the thread.
class Simulator {
  public:
    explicit Simulator(Options options = {});
    ~Simulator();
    Simulator(const Simulator&) = delete;
    Simulator& operator=(const Simulator&) = delete;

    // Creates the pseudo-terminal (and link, ComPorts.csv line, socket) and starts the I/O
    // thread. False with a reason in *error when something could not be set up.
    bool start(std::string* error = nullptr);
    // Ends the I/O thread promptly, closes the terminal and removes the link and socket.
    void stop();
    bool running() const { return running_.load(); }

    std::string slavePath() const;
    std::string linkPath() const { return options_.linkPath; }
    // The path ComPorts.csv names: the link when there is one, else the slave.
    std::string portPath() const;
    // The speed the last output was paced at.
    int lineBaud() const { return lineBaud_.load(); }

    // Sends bytes exactly as given, past every fault (paced like everything else).
    void sendRaw(std::string_view bytes);
    // Changes state as the radio itself would (see RadioModel::set); reports follow while
    // auto-information is on.
    bool setValue(std::string_view key, std::string_view value, std::string* error = nullptr);
    std::optional<std::string> answerFor(std::string_view key);
    void setMeter(int value);
    void setPower(bool on);
    void setAutoInformation(bool on);
    void setWander(bool on);
    bool setModel(std::string_view fourDigits);

    // Faults.
    void setSplit(bool on, Milliseconds pause = FaultPlan::kDefaultSplitPause);
    void injectJunk(std::string_view bytes);
    void dropAnswers(int count);
    void silenceFor(Milliseconds duration);
    void setSilence(bool on);
    // Closes the master: the program's port hangs up. The link is removed unless
    // `keepDanglingLink`.
    bool unplug(bool keepDanglingLink = false);
    // A new pseudo-terminal behind the same link (and ComPorts.csv line).
    bool replug(std::string* error = nullptr);
    bool pluggedIn() const { return plugged_.load(); }

    // Every command received so far, oldest first.
    std::vector<TranscriptEntry> transcript() const;
    std::string transcriptText() const;
    std::size_t transcriptSize() const;
    // True as soon as `command` (through ";") is in the transcript at or after `fromIndex`,
    // false when `timeout` passes first.
    bool waitForCommand(std::string_view command, Milliseconds timeout,
                        std::size_t fromIndex = 0) const;
    // Every byte written to the line so far, and a wait for some text to appear in it.
    std::string output() const;
    bool waitForOutput(std::string_view text, Milliseconds timeout,
                       std::size_t fromOffset = 0) const;

    // One control line, as typed on standard input or the control socket; returns the reply.
    std::string control(std::string_view line);
    // True once "quit" has been asked for; waits at most `timeout`.
    bool waitForQuit(Milliseconds timeout) const;
    bool quitRequested() const { return quit_.load(); }

    static std::string helpText();

  private:
    bool prepare(std::string* error);
    void loop();
    void wake();
    TimePoint now() const { return Clock::now(); }

    bool openTerminal(std::string* error);
    void closeTerminal(bool keepDanglingLink);
    bool pointLink(std::string* error);
    void removeLink();
    void noteSlaveState(short revents);
    void readMaster();
    void handleCommand(const std::string& command);
    void emit(std::string_view message, Origin origin);
    void emitAll(const std::vector<std::string>& reports);
    void enqueueRaw(std::string_view bytes, Duration pauseBefore);
    int currentBaud();
    void flushOutput();
    void tick();
    std::optional<TimePoint> nextWake() const;
    void record(const std::string& command);
    void serveControlInput();
    std::string runControl(std::string_view line);

    Options options_;
    RadioModel model_;
    FaultPlan faults_;
    PacedOutput paced_;
    CommandFramer framer_;
    std::optional<platform::PseudoTerminal> terminal_;
    std::string unsent_;  // paced bytes the kernel did not take yet
    bool slaveOpen_ = false;
    TimePoint nextSlaveCheck_{};
    std::optional<TimePoint> nextMeter_;
    std::optional<TimePoint> nextWander_;
    bool wander_ = false;
    std::mt19937 random_;
    std::unique_ptr<ControlSocket> socket_;
    std::string inputLine_;
    bool inputOpen_ = false;
    TimePoint started_{};
    std::FILE* transcriptFile_ = nullptr;

    // Guards everything above; the I/O thread holds it except while it waits in poll.
    mutable std::mutex stateMutex_;
    unsigned terminalGeneration_ = 0;  // changes with every new or closed terminal

    std::thread thread_;
    std::atomic<bool> running_{false};
    std::atomic<bool> stopping_{false};
    std::atomic<bool> plugged_{false};
    std::atomic<int> lineBaud_{kFallbackBaud};
    int wakeRead_ = -1;  // made once by the constructor
    int wakeWrite_ = -1;

    mutable std::mutex quitMutex_;
    mutable std::condition_variable quitChanged_;
    std::atomic<bool> quit_{false};

    // Written by the I/O thread, read by anyone.
    mutable std::mutex logMutex_;
    mutable std::condition_variable logChanged_;
    std::vector<TranscriptEntry> transcript_;
    std::string output_;
    std::string slavePath_;
};

}  // namespace orviksim
