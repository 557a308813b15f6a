#pragma once

// Running the real programs for the program's tests: the simulated transceiver on a
// pseudo-terminal (with its control socket and transcript) and Panelink in a scratch working
// directory whose ComPorts.csv points COM1 at the simulator.

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "shared/platform/testing/scratch_dir.h"
#include "shared/platform/testing/wait_until.h"

namespace panelink::apptest {

// One command in the simulator's transcript: when it arrived (ms since the simulator
// started) and its text.
struct HeardCommand {
    long long ms = 0;
    std::string text;
};

inline QString qpath(const std::filesystem::path& path) {
    return QString::fromStdString(path.string());
}

// Waits without an event loop: the programs run in their own processes.
inline bool pollUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout) {
    return platform::waitUntil(done, timeout, std::chrono::milliseconds(50));
}

class Simulator {
  public:
    // extraArguments: for example --no-meters or --wander.
    bool start(const std::filesystem::path& directory, const QStringList& extraArguments = {}) {
        directory_ = directory;
        QStringList arguments{QStringLiteral("--no-stdin"),
                              QStringLiteral("--link"),
                              qpath(directory / "orvik-port"),
                              QStringLiteral("--comports-dir"),
                              qpath(directory),
                              QStringLiteral("--com"),
                              QStringLiteral("1"),
                              QStringLiteral("--control"),
                              qpath(controlPath()),
                              QStringLiteral("--transcript"),
                              qpath(directory / "transcript.txt")};
        arguments += extraArguments;
        process_.start(QStringLiteral(PANELINK_TEST_ORVIK_SIM), arguments);
        if (!process_.waitForStarted(5000)) return false;
        QByteArray out;
        const bool ready = pollUntil(
            [&] {
                process_.waitForReadyRead(20);
                out += process_.readAllStandardOutput();
                return out.contains("ready");
            },
            std::chrono::seconds(10));
        return ready && std::filesystem::exists(directory / "CommoFiles" / "ComPorts.csv");
    }

    ~Simulator() {
        if (process_.state() != QProcess::NotRunning) {
            process_.terminate();
            if (!process_.waitForFinished(5000)) process_.kill();
            process_.waitForFinished(2000);
        }
    }

    // One control line; the simulator's one-line answer.
    std::string control(const std::string& line) const {
        const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        if (fd < 0) return {};
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        const std::string path = controlPath().string();
        std::strncpy(address.sun_path, path.c_str(), sizeof address.sun_path - 1);
        std::string reply;
        if (::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0) {
            const std::string text = line + "\n";
            if (::write(fd, text.data(), text.size()) == static_cast<ssize_t>(text.size())) {
                char c = 0;
                while (::read(fd, &c, 1) == 1 && c != '\n')
                    reply += c;
            }
        }
        ::close(fd);
        return reply;
    }

    // Every command the simulator has received so far, in the transcript's form.
    std::string transcript() const { return platform::readFile(directory_ / "transcript.txt"); }
    bool received(const std::string& command) const {
        return transcript().find(" " + command) != std::string::npos;
    }
    std::vector<HeardCommand> heard() const {
        std::vector<HeardCommand> commands;
        std::istringstream lines(transcript());
        std::string line;
        // A line without its end is still being written: it is read next time.
        while (std::getline(lines, line) && !lines.eof()) {
            std::istringstream fields(line);
            HeardCommand command;
            fields >> command.ms;
            fields.get();  // the one blank before the command, which may hold blanks itself
            std::getline(fields, command.text);
            if (fields) commands.push_back(std::move(command));
        }
        return commands;
    }

  private:
    std::filesystem::path controlPath() const { return directory_ / "orvik-sim.sock"; }

    std::filesystem::path directory_;
    mutable QProcess process_;
};

// Panelink run in `directory` on the given platform, with a runtime directory of its own so
// that its single-instance lock is this test's alone.
inline void startPanelink(
    QProcess& process, const std::filesystem::path& directory, const QString& platform,
    const QProcessEnvironment& base = QProcessEnvironment::systemEnvironment()) {
    QProcessEnvironment environment = base;
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), platform);
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), qpath(directory));
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(qpath(directory));
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.start(QStringLiteral(PANELINK_TEST_PROGRAM), {});
}

}  // namespace panelink::apptest
