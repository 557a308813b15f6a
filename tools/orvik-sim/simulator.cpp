#include "tools/orvik-sim/simulator.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>

#include "shared/formats/port_map.h"
#include "tools/orvik-sim/param_pattern.h"

namespace orviksim {

namespace {

// While nobody has the port open the master reports a hang-up at every poll, so it is left
// out of the poll set and looked at again this often.
constexpr Milliseconds kSlaveCheckInterval{50};
// Retry for bytes the kernel did not take at once.
constexpr Milliseconds kWriteRetry{10};
// Longest wait in poll, so that every wait stays bounded.
constexpr Milliseconds kMaxWait{1000};
constexpr int kMeterMinMs = 300;
constexpr int kMeterMaxMs = 700;
constexpr Milliseconds kWanderInterval{1000};

struct SpeedRow {
    speed_t code;
    int baud;
};

constexpr SpeedRow kSpeeds[] = {{B1200, 1200},   {B2400, 2400},    {B4800, 4800},
                                {B9600, 9600},   {B19200, 19200},  {B38400, 38400},
                                {B57600, 57600}, {B115200, 115200}};

int baudOf(speed_t code) {
    for (const auto& row : kSpeeds) {
        if (row.code == code) return row.baud;
    }
    return 0;
}

std::string errnoText(const char* what, int code) {
    return std::string(what) + ": " + std::strerror(code);
}

}  // namespace

Simulator::Simulator(Options options)
    : options_(std::move(options)), model_(options_.model), random_(options_.seed) {
    model_.setAutoInformation(options_.autoInformation);
    wander_ = options_.wander;
    std::array<int, 2> ends{};
    if (::pipe2(ends.data(), O_NONBLOCK | O_CLOEXEC) == 0) {
        wakeRead_ = ends[0];
        wakeWrite_ = ends[1];
    }
}

Simulator::~Simulator() {
    stop();
    if (wakeRead_ >= 0) ::close(wakeRead_);
    if (wakeWrite_ >= 0) ::close(wakeWrite_);
}

// ---- Start and stop ---------------------------------------------------------------------

bool Simulator::start(std::string* error) {
    if (running_) return true;
    std::string why;
    bool prepared = false;
    {
        std::lock_guard lock(stateMutex_);
        prepared = prepare(&why);
        stopping_ = false;
        running_ = prepared;
    }
    if (!prepared) {
        stop();
        if (error != nullptr) *error = why;
        return false;
    }
    thread_ = std::thread(&Simulator::loop, this);
    return true;
}

bool Simulator::prepare(std::string* error) {
    if (wakeRead_ < 0) {
        *error = "no wake-up pipe";
        return false;
    }
    started_ = now();
    if (!openTerminal(error)) return false;
    if (!options_.controlSocketPath.empty()) {
        socket_ = ControlSocket::listenAt(options_.controlSocketPath, error);
        if (!socket_) return false;
    }
    if (!options_.transcriptPath.empty()) {
        transcriptFile_ = std::fopen(options_.transcriptPath.c_str(), "w");
        if (transcriptFile_ == nullptr) {
            *error = errnoText(("transcript " + options_.transcriptPath).c_str(), errno);
            return false;
        }
    }
    inputOpen_ = options_.controlInputFd >= 0;
    return true;
}

void Simulator::stop() {
    stopping_ = true;
    wake();
    if (thread_.joinable()) thread_.join();
    std::lock_guard lock(stateMutex_);
    running_ = false;
    closeTerminal(false);
    socket_.reset();
    if (transcriptFile_ != nullptr) {
        std::fclose(transcriptFile_);
        transcriptFile_ = nullptr;
    }
    // Drop wake-ups left in the pipe, ready for another start.
    std::array<char, 64> drain{};
    while (wakeRead_ >= 0 && ::read(wakeRead_, drain.data(), drain.size()) > 0) {
    }
}

void Simulator::wake() {
    if (wakeWrite_ < 0) return;
    const char byte = 1;
    // A full pipe already holds a wake-up.
    [[maybe_unused]] const auto ignored = ::write(wakeWrite_, &byte, 1);
}

// ---- The terminal -----------------------------------------------------------------------

bool Simulator::openTerminal(std::string* error) {
    int code = 0;
    auto created = platform::PseudoTerminal::create(&code);
    if (!created) {
        if (error != nullptr) *error = errnoText("pseudo-terminal", code);
        return false;
    }
    termios settings{};
    if (::tcgetattr(created->masterFd(), &settings) == 0) {
        // Until the program sets its own speed the line runs at the fallback speed.
        ::cfsetispeed(&settings, B4800);
        ::cfsetospeed(&settings, B4800);
        ::tcsetattr(created->masterFd(), TCSANOW, &settings);
    }
    // Opening and closing the slave once makes the master report a hang-up until the
    // program opens the port, so nothing is sent into a port nobody holds.
    const int slave =
        ::open(created->slavePath().c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (slave >= 0) ::close(slave);

    terminal_ = std::move(created);
    ++terminalGeneration_;
    slaveOpen_ = false;
    nextSlaveCheck_ = now();
    {
        std::lock_guard lock(logMutex_);
        slavePath_ = terminal_->slavePath();
    }
    plugged_ = true;
    if (!pointLink(error)) return false;
    if (options_.comNumber != 0 && !options_.comportsDir.empty() &&
        !commo::setPortMapping(options_.comportsDir, options_.comNumber, portPath())) {
        if (error != nullptr) {
            *error = "could not write the COM" + std::to_string(options_.comNumber) +
                     " line of ComPorts.csv in " + options_.comportsDir;
        }
        return false;
    }
    return true;
}

void Simulator::closeTerminal(bool keepDanglingLink) {
    if (!terminal_) return;
    if (!keepDanglingLink) removeLink();
    terminal_.reset();
    ++terminalGeneration_;
    slaveOpen_ = false;
    framer_.reset();
    paced_.clear();
    unsent_.clear();
    plugged_ = false;
}

bool Simulator::pointLink(std::string* error) {
    const auto& link = options_.linkPath;
    if (link.empty()) return true;
    struct stat existing {};
    if (::lstat(link.c_str(), &existing) == 0 && !S_ISLNK(existing.st_mode)) {
        if (error != nullptr) *error = "not a symbolic link, left alone: " + link;
        return false;
    }
    // A new link under a temporary name renamed over the old one: the path never vanishes.
    const std::string temporary = link + ".tmp" + std::to_string(::getpid());
    ::unlink(temporary.c_str());
    if (::symlink(terminal_->slavePath().c_str(), temporary.c_str()) != 0 ||
        ::rename(temporary.c_str(), link.c_str()) != 0) {
        const int code = errno;
        ::unlink(temporary.c_str());
        if (error != nullptr) *error = errnoText(("link " + link).c_str(), code);
        return false;
    }
    return true;
}

void Simulator::removeLink() {
    const auto& link = options_.linkPath;
    if (link.empty() || !terminal_) return;
    std::array<char, 512> target{};
    const ssize_t size = ::readlink(link.c_str(), target.data(), target.size() - 1);
    // Only our own link goes; somebody else's file at that path stays.
    if (size > 0 &&
        std::string_view(target.data(), static_cast<std::size_t>(size)) == terminal_->slavePath()) {
        ::unlink(link.c_str());
    }
}

std::string Simulator::slavePath() const {
    std::lock_guard lock(logMutex_);
    return slavePath_;
}

std::string Simulator::portPath() const {
    return options_.linkPath.empty() ? slavePath() : options_.linkPath;
}

// ---- The I/O thread ---------------------------------------------------------------------

void Simulator::loop() {
    std::unique_lock lock(stateMutex_);
    std::vector<pollfd> fds;
    while (!stopping_) {
        tick();
        fds.clear();
        fds.push_back(pollfd{wakeRead_, POLLIN, 0});
        int masterAt = -1;
        if (terminal_ && slaveOpen_) {
            masterAt = static_cast<int>(fds.size());
            const short events = static_cast<short>(POLLIN | (unsent_.empty() ? 0 : POLLOUT));
            fds.push_back(pollfd{terminal_->masterFd(), events, 0});
        }
        int inputAt = -1;
        if (inputOpen_) {
            inputAt = static_cast<int>(fds.size());
            fds.push_back(pollfd{options_.controlInputFd, POLLIN, 0});
        }
        const std::size_t socketAt = fds.size();
        if (socket_) socket_->appendPollFds(fds);
        const unsigned generation = terminalGeneration_;

        auto wait = kMaxWait;
        if (const auto next = nextWake()) {
            const auto left = std::chrono::ceil<Milliseconds>(*next - now());
            wait = std::clamp(left, Milliseconds{0}, kMaxWait);
        }
        const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(wait);
        const timespec timeout{static_cast<time_t>(seconds.count()),
                               static_cast<long>((wait - seconds).count() * 1'000'000)};

        lock.unlock();
        const int ready = ::ppoll(fds.data(), fds.size(), &timeout, nullptr);
        lock.lock();
        if (stopping_) break;
        if (ready <= 0) continue;

        if ((fds[0].revents & POLLIN) != 0) {
            std::array<char, 64> drain{};
            while (::read(wakeRead_, drain.data(), drain.size()) > 0) {
            }
        }
        if (masterAt >= 0 && generation == terminalGeneration_) {
            const short revents = fds[static_cast<std::size_t>(masterAt)].revents;
            if ((revents & POLLIN) != 0) readMaster();
            noteSlaveState(revents);
        }
        if (inputAt >= 0 && fds[static_cast<std::size_t>(inputAt)].revents != 0) {
            serveControlInput();
        }
        if (socket_ && socketAt < fds.size()) {
            socket_->service(std::span<const pollfd>(fds).subspan(socketAt),
                             [this](std::string_view line) { return runControl(line); });
        }
    }
}

void Simulator::noteSlaveState(short revents) {
    if ((revents & (POLLHUP | POLLERR)) == 0) return;
    // The program closed the port: what was on its way is lost, as on a real line.
    slaveOpen_ = false;
    framer_.reset();
    paced_.clear();
    unsent_.clear();
    nextSlaveCheck_ = now() + kSlaveCheckInterval;
}

void Simulator::readMaster() {
    const std::string bytes = terminal_->readMaster();
    for (const auto& command : framer_.push(bytes))
        handleCommand(command);
}

void Simulator::handleCommand(const std::string& command) {
    record(command);
    const auto out = model_.handle(command);
    if (!out.answer.empty()) emit(out.answer, Origin::kAnswer);
    emitAll(out.reports);
}

void Simulator::record(const std::string& command) {
    const auto ms = std::chrono::duration_cast<Milliseconds>(now() - started_).count();
    {
        std::lock_guard lock(logMutex_);
        transcript_.push_back(TranscriptEntry{ms, command});
    }
    logChanged_.notify_all();
    if (transcriptFile_ != nullptr) {
        std::fprintf(transcriptFile_, "%8lld %s\n", static_cast<long long>(ms),
                     printable(command).c_str());
        std::fflush(transcriptFile_);
    }
}

void Simulator::emit(std::string_view message, Origin origin) {
    // Nobody holds the port: answers cannot be asked for and reports are lost.
    if (!terminal_ || !slaveOpen_) return;
    for (const auto& piece : faults_.shape(message, origin, now())) {
        enqueueRaw(piece.bytes, piece.pauseBefore);
    }
}

void Simulator::emitAll(const std::vector<std::string>& reports) {
    for (const auto& report : reports)
        emit(report, Origin::kReport);
}

void Simulator::enqueueRaw(std::string_view bytes, Duration pauseBefore) {
    if (!terminal_) return;
    paced_.enqueue(bytes, now(), byteTime(currentBaud()), pauseBefore);
}

int Simulator::currentBaud() {
    int baud = options_.baud;
    if (baud <= 0 && terminal_) {
        termios settings{};
        if (::tcgetattr(terminal_->masterFd(), &settings) == 0) {
            baud = baudOf(::cfgetospeed(&settings));
        }
    }
    if (baud <= 0) baud = kFallbackBaud;
    lineBaud_ = baud;
    return baud;
}

void Simulator::flushOutput() {
    if (!terminal_) return;
    unsent_ += paced_.take(now());
    if (!slaveOpen_) {
        unsent_.clear();
        return;
    }
    if (unsent_.empty()) return;
    const auto written = terminal_->writeMaster(unsent_);
    if (written == 0) return;
    {
        std::lock_guard lock(logMutex_);
        output_.append(unsent_, 0, written);
    }
    logChanged_.notify_all();
    unsent_.erase(0, written);
}

void Simulator::tick() {
    const auto at = now();
    if (terminal_ && !slaveOpen_ && at >= nextSlaveCheck_) {
        pollfd entry{terminal_->masterFd(), POLLIN, 0};
        if (::poll(&entry, 1, 0) >= 0 && (entry.revents & POLLHUP) == 0) {
            slaveOpen_ = true;
            framer_.reset();
        } else {
            nextSlaveCheck_ = at + kSlaveCheckInterval;
        }
    }
    const bool metering =
        options_.meterReports && slaveOpen_ && model_.powerOn() && model_.autoInformation();
    if (!metering) {
        nextMeter_.reset();
    } else if (!nextMeter_ || at >= *nextMeter_) {
        if (nextMeter_) emitAll(model_.meterReports());
        std::uniform_int_distribution<int> gap(kMeterMinMs, kMeterMaxMs);
        nextMeter_ = at + Milliseconds{gap(random_)};
    }
    if (!wander_) {
        nextWander_.reset();
    } else if (!nextWander_ || at >= *nextWander_) {
        if (nextWander_) emitAll(model_.wander(random_));
        nextWander_ = at + kWanderInterval;
    }
    flushOutput();
}

std::optional<TimePoint> Simulator::nextWake() const {
    std::optional<TimePoint> next;
    auto consider = [&next](std::optional<TimePoint> candidate) {
        if (candidate && (!next || *candidate < *next)) next = candidate;
    };
    consider(paced_.nextDue());
    consider(nextMeter_);
    consider(nextWander_);
    if (terminal_ && !slaveOpen_) consider(nextSlaveCheck_);
    if (!unsent_.empty()) consider(now() + kWriteRetry);
    return next;
}

void Simulator::serveControlInput() {
    std::array<char, 1024> chunk{};
    const ssize_t got = ::read(options_.controlInputFd, chunk.data(), chunk.size());
    if (got < 0 && (errno == EINTR || errno == EAGAIN)) return;
    if (got <= 0) {
        // End of input is not a reason to stop: the simulator may run without a terminal.
        inputOpen_ = false;
        return;
    }
    inputLine_.append(chunk.data(), static_cast<std::size_t>(got));
    std::size_t end = 0;
    while ((end = inputLine_.find('\n')) != std::string::npos) {
        const std::string line = inputLine_.substr(0, end);
        inputLine_.erase(0, end + 1);
        const std::string reply = runControl(line) + "\n";
        if (options_.controlOutputFd >= 0) {
            [[maybe_unused]] const auto ignored =
                ::write(options_.controlOutputFd, reply.data(), reply.size());
        }
    }
    if (inputLine_.size() > ControlSocket::kMaxLineLength) inputLine_.clear();
}

// ---- Public state changes ---------------------------------------------------------------

void Simulator::sendRaw(std::string_view bytes) {
    {
        std::lock_guard lock(stateMutex_);
        if (slaveOpen_) enqueueRaw(bytes, Duration::zero());
    }
    wake();
}

bool Simulator::setValue(std::string_view key, std::string_view value, std::string* error) {
    bool stored = false;
    {
        std::lock_guard lock(stateMutex_);
        std::vector<std::string> reports;
        stored = model_.set(key, value, reports, error);
        emitAll(reports);
    }
    wake();
    return stored;
}

std::optional<std::string> Simulator::answerFor(std::string_view key) {
    std::lock_guard lock(stateMutex_);
    return model_.answerFor(key);
}

void Simulator::setMeter(int value) {
    {
        std::lock_guard lock(stateMutex_);
        model_.setMeter(value);
        emitAll(model_.meterReports());
    }
    wake();
}

void Simulator::setPower(bool on) {
    {
        std::lock_guard lock(stateMutex_);
        model_.setPower(on);
    }
    wake();
}

void Simulator::setAutoInformation(bool on) {
    {
        std::lock_guard lock(stateMutex_);
        model_.setAutoInformation(on);
    }
    wake();
}

void Simulator::setWander(bool on) {
    {
        std::lock_guard lock(stateMutex_);
        wander_ = on;
    }
    wake();
}

bool Simulator::setModel(std::string_view fourDigits) {
    std::lock_guard lock(stateMutex_);
    return model_.setModel(fourDigits);
}

void Simulator::setSplit(bool on, Milliseconds pause) {
    std::lock_guard lock(stateMutex_);
    faults_.setSplit(on, pause);
}

void Simulator::injectJunk(std::string_view bytes) {
    std::lock_guard lock(stateMutex_);
    faults_.addJunk(bytes);
}

void Simulator::dropAnswers(int count) {
    std::lock_guard lock(stateMutex_);
    faults_.dropAnswers(count);
}

void Simulator::silenceFor(Milliseconds duration) {
    std::lock_guard lock(stateMutex_);
    faults_.silenceUntil(now() + duration);
}

void Simulator::setSilence(bool on) {
    std::lock_guard lock(stateMutex_);
    if (on) {
        faults_.silenceOn();
    } else {
        faults_.silenceOff();
    }
}

bool Simulator::unplug(bool keepDanglingLink) {
    bool wasPlugged = false;
    {
        std::lock_guard lock(stateMutex_);
        wasPlugged = terminal_.has_value();
        closeTerminal(keepDanglingLink);
    }
    wake();
    return wasPlugged;
}

bool Simulator::replug(std::string* error) {
    bool ok = false;
    {
        std::lock_guard lock(stateMutex_);
        closeTerminal(false);
        ok = openTerminal(error);
    }
    wake();
    return ok;
}

// ---- Transcript and output --------------------------------------------------------------

std::vector<TranscriptEntry> Simulator::transcript() const {
    std::lock_guard lock(logMutex_);
    return transcript_;
}

std::size_t Simulator::transcriptSize() const {
    std::lock_guard lock(logMutex_);
    return transcript_.size();
}

std::string Simulator::transcriptText() const {
    std::string text;
    for (const auto& entry : transcript()) {
        char stamp[24];
        std::snprintf(stamp, sizeof stamp, "%8lld ", static_cast<long long>(entry.ms));
        text += stamp + printable(entry.command) + "\n";
    }
    return text;
}

bool Simulator::waitForCommand(std::string_view command, Milliseconds timeout,
                               std::size_t fromIndex) const {
    std::unique_lock lock(logMutex_);
    return logChanged_.wait_for(lock, timeout, [&] {
        for (std::size_t i = fromIndex; i < transcript_.size(); ++i) {
            if (transcript_[i].command == command) return true;
        }
        return false;
    });
}

std::string Simulator::output() const {
    std::lock_guard lock(logMutex_);
    return output_;
}

bool Simulator::waitForOutput(std::string_view text, Milliseconds timeout,
                              std::size_t fromOffset) const {
    std::unique_lock lock(logMutex_);
    return logChanged_.wait_for(lock, timeout, [&] {
        return fromOffset <= output_.size() && output_.find(text, fromOffset) != std::string::npos;
    });
}

bool Simulator::waitForQuit(Milliseconds timeout) const {
    std::unique_lock lock(quitMutex_);
    return quitChanged_.wait_for(lock, timeout, [this] { return quit_.load(); });
}

}  // namespace orviksim
