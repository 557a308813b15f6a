#pragma once

#include <array>
#include <cstddef>
#include <string_view>

#include "shared/platform/clock.h"
#include "shared/platform/serial_device.h"

namespace keyweld {

// One choice of the component's bit rate.
struct BitRateEntry {
    std::string_view name;
    int bitsPerSecond;
};

// The rates the component offers. 14400, 56000, 128000 and 256000 have no termios constant
// and go through termios2.
inline constexpr std::array<BitRateEntry, 13> kBitRates{{
    {"____600bps", 600},
    {"___1200bps", 1200},
    {"___2400bps", 2400},
    {"___4800bps", 4800},
    {"___9600bps", 9600},
    {"__14400bps", 14400},
    {"__19200bps", 19200},
    {"__38400bps", 38400},
    {"__56000bps", 56000},
    {"__57600bps", 57600},
    {"_115200bps", 115200},
    {"_128000bps", 128000},
    {"_256000bps", 256000},
}};

bool isOfferedBitRate(int bitsPerSecond);

inline constexpr int kLowestPortNo = 1;
inline constexpr int kHighestPortNo = 30;

// The serial component's properties; the defaults are those of a new component.
struct CommKSettings {
    int portNo = 1;      // COM1..COM30
    int bitRate = 9600;  // one of kBitRates
    int charSize = 8;    // data bits, 5..8
    platform::Parity parity = platform::Parity::None;
    platform::StopBits stopBits = platform::StopBits::One;
    platform::FlowControl flowCtrl = platform::FlowControl::None;
    platform::Milliseconds timeOutTrans{3000};
    platform::Milliseconds timeOutReceive{3000};
    unsigned char xonChar = 17;
    unsigned char xoffChar = 19;
    std::size_t bufLenTrans = 4096;  // the largest block the send thread writes at once
    std::size_t bufLenReceive = 4096;

    friend bool operator==(const CommKSettings&, const CommKSettings&) = default;
};

platform::LineSettings toLineSettings(const CommKSettings& settings);

// Time of one character on the line: 1000 / (rate / 10) + 1 ms.
platform::Milliseconds characterTime(int bitsPerSecond);

}  // namespace keyweld
