#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>

#include "panelink/cat/command_state.h"
#include "panelink/cat/radio_state.h"

namespace panelink {
namespace {

// One thread stores, as the receive thread does; another reads, as the window does. A reader
// must only ever see one of the values stored, never a mixture.
TEST(StateThreaded, ReadersSeeOnlyStoredValues) {
    RadioState radio;
    CommandState command;
    constexpr std::int32_t kFreqA = 7000000;  // the default
    constexpr std::int32_t kFreqB = 59999999;
    constexpr double kOffsetA = 0.0;  // the default
    constexpr double kOffsetB = -9876.125;
    const std::string textA;  // cleared at start
    const std::string textB(50, 'K');
    constexpr int kRounds = 20000;

    std::atomic<bool> done{false};
    std::thread writer([&] {
        for (int i = 0; i < kRounds; ++i) {
            const bool b = (i % 2) == 0;
            radio.store(RadioField::FA, b ? kFreqB : kFreqA);
            radio.store(RadioReal::IF_offset, b ? kOffsetB : kOffsetA);
            radio.storeKeyerText(1, b ? textB : textA);
            command.store(CommandField::FB, b ? kFreqB : 30000);
            radio.setConnectionPending(b);
        }
        done.store(true);
    });

    int bad = 0;
    int reads = 0;
    while (!done.load() || reads < 1000) {
        const auto freq = radio.get(RadioField::FA);
        const auto offset = radio.get(RadioReal::IF_offset);
        const auto text = radio.keyerText(1);
        const auto copy = command.get(CommandField::FB);
        if (freq != kFreqA && freq != kFreqB) ++bad;
        if (offset != kOffsetA && offset != kOffsetB) ++bad;
        if (text != textA && text != textB) ++bad;
        if (copy != 0 && copy != 30000 && copy != kFreqB) ++bad;
        (void)radio.connectionPending();
        ++reads;
    }
    writer.join();
    EXPECT_EQ(bad, 0);
}

}  // namespace
}  // namespace panelink
