#pragma once

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "tools/orvik-sim/menu_layout.h"
#include "tools/orvik-sim/radio_commands.h"

namespace orviksim::testing {

using namespace std::chrono_literals;
using SteadyClock = std::chrono::steady_clock;

// Every read the control program sends while connecting: the read forms of the read-out
// (the letters alone, with selector 0, with 0 and 1, and the command-specific reads),
// "SS0;" for the switch read, and the keyer memory reads.
inline std::vector<std::string> programReads() {
    std::vector<std::string> reads;
    for (const auto& record : readCommands()) {
        const std::string letters(record.letters);
        if (letters == "EX" || letters == "MR") continue;  // need an item or a channel
        if (letters == "SS") {
            reads.emplace_back("SS0;");
            continue;
        }
        switch (record.form) {
            case ReadForm::Plain:
                reads.push_back(letters + ";");
                break;
            case ReadForm::SelectorZero:
                reads.push_back(letters + "0;");
                break;
            case ReadForm::BothSides:
                reads.push_back(letters + "0;");
                reads.push_back(letters + "1;");
                break;
            case ReadForm::Special:
                if (letters == "ID") reads.emplace_back("ID;");
                if (letters == "BP" || letters == "CO") {
                    reads.push_back(letters + "00;");
                    reads.push_back(letters + "01;");
                }
                if (letters == "RM" || letters == "BG") reads.push_back(letters + "0;");
                if (letters == "KM") {
                    for (char k : {'1', '2', '3'})
                        reads.push_back(letters + k + ";");
                }
                if (letters == "RI") {
                    for (char k = '0'; k <= '9'; ++k)
                        reads.push_back(letters + k + ";");
                }
                break;
        }
    }
    return reads;
}

// Whether the control program's decoder for the answer's letters accepts `answer` (the whole
// answer, through ";") and stores every field within its range. Written from the decoder
// rules, independently of the simulator's answer formats.
inline bool decodes(std::string_view answer, std::string* why = nullptr) {
    auto fail = [&](const std::string& reason) {
        if (why != nullptr) *why = std::string(answer) + ": " + reason;
        return false;
    };
    if (answer.size() < 3 || answer.back() != ';') return fail("no terminator");
    if (answer.substr(0, answer.size() - 1).find(';') != std::string_view::npos) {
        return fail("';' inside");
    }
    const std::string_view a = answer.substr(0, answer.size() - 1);
    auto num = [&](std::size_t at, std::size_t width, long low, long high,
                   const char* what) -> bool {
        if (at + width > a.size()) return fail(std::string(what) + " missing");
        long value = 0;
        for (std::size_t i = at; i < at + width; ++i) {
            if (a[i] < '0' || a[i] > '9') return fail(std::string(what) + " not digits");
            value = value * 10 + (a[i] - '0');
        }
        if (value < low || value > high) return fail(std::string(what) + " out of range");
        return true;
    };
    auto hex = [&](std::size_t at, long low, long high) -> bool {
        if (at >= a.size()) return fail("hex digit missing");
        const char c = a[at];
        long v = -1;
        if (c >= '0' && c <= '9') v = c - '0';
        if (c >= 'A' && c <= 'F') v = c - 'A' + 10;
        if (c >= 'a' && c <= 'f') v = c - 'a' + 10;
        if (v < low || v > high) return fail("hex digit out of range");
        return true;
    };
    auto sel = [&](long high) { return num(2, 1, 0, high, "selector"); };
    const std::string_view l = a.substr(0, 2);
    const bool side1 = a.size() > 2 && a[2] == '1';

    if (l == "ID") return num(2, 4, 244, 246, "model");
    if (l == "SF") return num(2, 1, 0, 4, "value");
    if (l == "FT" || l == "TS" || l == "UL") return num(2, 1, 0, 1, "value");
    if (l == "PB") return num(2, 1, 0, 8, "value");
    if (l == "ST") return num(2, 1, 0, 7, "value");
    if (l == "RT" || l == "LK" || l == "FS" || l == "KR" || l == "VX" || l == "BI" || l == "PR" ||
        l == "CS" || l == "VS" || l == "RS" || l == "AI" || l == "PS") {
        return num(2, 1, 0, 1, "value");
    }
    if (l == "VR" || l == "DS") return num(2, 1, 0, 9, "value");
    if (l == "TX" || l == "SC") return num(2, 1, 0, 2, "value");
    if (l == "MS") return num(2, 1, 0, 5, "value");
    if (l == "NB") return num(3, 1, 0, 2, "value");
    if (l == "RA") return num(3, 1, 0, 3, "value");
    if (l == "PA") return num(3, 1, 0, 1, "value");
    if (l == "AC") return num(4, 1, 0, 2, "value");
    if (l == "BP") return a.size() > 3 && a[3] == '0' ? true : num(4, 3, 1, 400, "width");
    if (l == "CO") {
        if (!num(3, 1, 0, 9, "selector")) return false;
        if (a[3] == '0') return num(5, 1, 0, 2, "contour");
        if (a[3] == '1') return num(4, 2, 1, 32, "contour width");
        return true;
    }
    if (l == "NR" || l == "NA") return sel(1) && num(3, 1, 0, 1, "value");
    if (l == "GT") return sel(1) && num(3, 1, 0, side1 ? 4 : 6, "value");
    if (l == "CT" || l == "OS") return sel(1) && num(3, 1, 0, 2, "value");
    if (l == "CN") return sel(1) && num(3, 2, 0, 49, "tone");
    if (l == "AG" || l == "SQ" || l == "RG" || l == "SM") {
        return sel(1) && num(3, 3, 0, 255, "level");
    }
    if (l == "RM") return num(2, 1, 0, 9, "meter") && num(3, 3, 0, 255, "reading");
    if (l == "ML") return a.size() > 2 && a[2] == '0' ? true : num(3, 3, 1, 255, "level");
    if (l == "KP") return num(2, 2, 0, 15, "value");
    if (l == "KS") return num(2, 3, 4, 60, "speed");
    if (l == "MG" || l == "PL" || l == "VG" || l == "PC") return num(2, 3, 0, 255, "level");
    if (l == "SD" || l == "VD") return num(2, 4, 0, 5000, "delay");
    if (l == "MC" || l == "MR") return num(2, 3, 1, 504, "channel");
    if (l == "VC") return num(2, 3, 0, 999, "voltage");
    if (l == "BS") return num(2, 2, 0, 11, "band");
    if (l == "SH") return num(3, 2, 0, 31, "width");
    if (l == "RL") return num(3, 2, 1, 11, "level");
    if (l == "IS") {
        if (a.size() < 8 || (a[3] != '+' && a[3] != '-')) return fail("sign");
        return num(4, 4, 0, 1270, "shift");
    }
    if (l == "BY") return num(2, 1, 0, 1, "busy main") && num(3, 1, 0, 1, "busy sub");
    if (l == "FA" || l == "FB") return num(2, 8, 30000, 60000000, "frequency");
    if (l == "IF" || l == "OI") {
        return num(5, 8, 0, 99999999, "frequency") && num(18, 1, 0, 1, "rx clarifier") &&
               num(19, 1, 0, 1, "tx clarifier") && hex(20, 0, 12) &&
               num(21, 1, 0, 5, "memory state") && num(22, 1, 0, 2, "tone mode") &&
               num(23, 2, 0, 49, "tone number") && num(25, 1, 0, 2, "shift");
    }
    if (l == "KM") return num(2, 1, 1, 5, "memory") && a.size() == 53;
    if (l == "MD") return sel(1) && hex(3, 0, 12);
    if (l == "RI") return num(2, 1, 0, 9, "selector") && hex(3, 0, 15);
    if (l == "BG") return num(2, 1, 0, 9, "digit") && num(3, 1, 0, 5, "width");
    if (l == "LM") return true;
    if (l == "DQ") return num(3, 1, 0, 3, "value");
    if (l == "AX") return num(3, 1, 0, 1, "value");
    if (l == "DA") return num(2, 2, 0, 99, "dimmer");
    if (l == "EX") {
        // Menu number, then the value in the item's width (text items: a digit and text).
        if (!num(2, 3, 1, kMenuItemCount, "menu number")) return false;
        const auto& item = menuItem(std::stoi(std::string(a.substr(2, 3))));
        const auto value = a.substr(5);
        if (item.kind == kKindText) return num(5, 1, 0, 9, "beacon number");
        if (value.size() != static_cast<std::size_t>(item.digits)) return fail("menu width");
        const bool bits = item.kind == kKindBitsBands || item.kind == kKindBitsModes;
        const bool signedValue = item.kind == 4;
        for (std::size_t i = 0; i < value.size(); ++i) {
            const char c = value[i];
            const bool ok = bits ? (c == '0' || c == '1')
                                 : ((c >= '0' && c <= '9') ||
                                    (signedValue && i == 0 && (c == '+' || c == '-')));
            if (!ok) return fail("menu value characters");
        }
        return true;
    }
    if (l == "SS") return num(3, 5, 0, 11111, "value");
    return fail("no decoder for these letters");
}

// The slave side as the program opens it: raw, 8 data bits, 2 stop bits.
class Port {
  public:
    explicit Port(const std::string& path, speed_t speed = B38400) {
        fd_ = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
        if (fd_ < 0) return;
        termios settings{};
        ::tcgetattr(fd_, &settings);
        ::cfmakeraw(&settings);
        settings.c_cflag |= CS8 | CSTOPB | CREAD | CLOCAL;
        ::cfsetispeed(&settings, speed);
        ::cfsetospeed(&settings, speed);
        ::tcsetattr(fd_, TCSANOW, &settings);
    }
    ~Port() { close(); }
    Port(const Port&) = delete;
    Port& operator=(const Port&) = delete;

    bool ok() const { return fd_ >= 0; }
    void close() {
        if (fd_ >= 0) ::close(fd_);
        fd_ = -1;
    }

    void write(std::string_view bytes) const {
        while (!bytes.empty()) {
            const ssize_t n = ::write(fd_, bytes.data(), bytes.size());
            if (n <= 0) return;
            bytes.remove_prefix(static_cast<std::size_t>(n));
        }
    }

    // Bytes with their arrival times, until `terminators` ";" have arrived or `timeout`.
    std::vector<std::pair<SteadyClock::time_point, char>> readTimed(
        int terminators, std::chrono::milliseconds timeout) const {
        std::vector<std::pair<SteadyClock::time_point, char>> got;
        const auto deadline = SteadyClock::now() + timeout;
        int seen = 0;
        while (seen < terminators) {
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                deadline - SteadyClock::now());
            if (left.count() <= 0) break;
            pollfd entry{fd_, POLLIN, 0};
            if (::poll(&entry, 1, static_cast<int>(left.count())) <= 0) continue;
            if ((entry.revents & POLLIN) == 0) break;
            char chunk[256];
            const ssize_t n = ::read(fd_, chunk, sizeof chunk);
            const auto at = SteadyClock::now();
            for (ssize_t i = 0; i < n; ++i) {
                got.emplace_back(at, chunk[i]);
                if (chunk[i] == ';') ++seen;
            }
        }
        return got;
    }

    // Text until `terminators` ";" have arrived or `timeout` has passed.
    std::string read(int terminators = 1, std::chrono::milliseconds timeout = 3s) const {
        std::string text;
        for (const auto& [at, c] : readTimed(terminators, timeout))
            text.push_back(c);
        return text;
    }

    // Everything that arrives within `window`.
    std::string readFor(std::chrono::milliseconds window) const { return read(1 << 30, window); }

    std::string ask(std::string_view command, int terminators = 1) const {
        write(command);
        return read(terminators);
    }

    // True when the device reports a hang-up within `timeout`.
    bool hangsUp(std::chrono::milliseconds timeout) const {
        pollfd entry{fd_, POLLIN, 0};
        return ::poll(&entry, 1, static_cast<int>(timeout.count())) > 0 &&
               (entry.revents & (POLLHUP | POLLERR)) != 0;
    }

  private:
    int fd_ = -1;
};

}  // namespace orviksim::testing
