#include "keyweld/link/comm_settings.h"

namespace keyweld {

bool isOfferedBitRate(int bitsPerSecond) {
    for (const BitRateEntry& entry : kBitRates) {
        if (entry.bitsPerSecond == bitsPerSecond) return true;
    }
    return false;
}

platform::LineSettings toLineSettings(const CommKSettings& settings) {
    platform::LineSettings line;
    line.baud = settings.bitRate;
    line.dataBits = settings.charSize;
    line.parity = settings.parity;
    line.stopBits = settings.stopBits;
    line.flow = settings.flowCtrl;
    line.xonChar = settings.xonChar;
    line.xoffChar = settings.xoffChar;
    return line;
}

platform::Milliseconds characterTime(int bitsPerSecond) {
    const int perSecond = bitsPerSecond / 10;
    return platform::Milliseconds(perSecond > 0 ? 1000 / perSecond + 1 : 1000);
}

}  // namespace keyweld
