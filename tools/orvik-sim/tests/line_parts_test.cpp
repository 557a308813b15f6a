// The parts between the radio model and the terminal: framing, parameter templates, menu
// value fields, pacing and fault shaping.
#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

#include "tools/orvik-sim/command_framer.h"
#include "tools/orvik-sim/fault_plan.h"
#include "tools/orvik-sim/menu_values.h"
#include "tools/orvik-sim/paced_output.h"
#include "tools/orvik-sim/param_pattern.h"

namespace orviksim {
namespace {

using Strings = std::vector<std::string>;
using namespace std::chrono_literals;

TEST(CommandFramer, JoinsCommandsSplitAcrossReadsAndSkipsNoise) {
    CommandFramer framer;
    EXPECT_EQ(framer.push("FA14"), Strings{});
    EXPECT_EQ(framer.push("250000;I"), Strings{"FA14250000;"});
    EXPECT_EQ(framer.push("D;"), Strings{"ID;"});
    // Noise before a command, stray terminators, lower case and NUL bytes are skipped.
    EXPECT_EQ(framer.push(std::string("\xFF\x00;;fa;\r\nPS;", 12)), (Strings{"PS;"}));
    // Noise after the letters stays in the command, for the radio to reject.
    EXPECT_EQ(framer.push(std::string("SS\0;", 4)), Strings{std::string("SS\0;", 4)});
    EXPECT_EQ(framer.push("AI1;FA;FB;"), (Strings{"AI1;", "FA;", "FB;"}));
}

TEST(CommandFramer, ThrowsAwayAnOverlongCommand) {
    CommandFramer framer;
    EXPECT_EQ(framer.push("KM1" + std::string(CommandFramer::kMaxCommandLength, 'A')), Strings{});
    EXPECT_LT(framer.pendingSize(), CommandFramer::kMaxCommandLength);
    // The tail of the overflowed stretch is noise; the next whole command comes through.
    EXPECT_EQ(framer.push(";ID;"), (Strings{"ID;"}));
}

TEST(ParamPattern, ReadsAndWritesTemplates) {
    EXPECT_EQ(parseParam("SDDDD", "-0500")->value, -500);
    EXPECT_EQ(parseParam("ZD", "-2")->value, -2);
    EXPECT_EQ(parseParam("ZD", "+1")->text, "01");
    EXPECT_EQ(parseParam("H", "c")->text, "C");
    EXPECT_EQ(parseParam("H", "c")->value, 12);
    EXPECT_EQ(parseParam("00D", "002")->value, 2);
    EXPECT_FALSE(parseParam("00D", "102"));
    EXPECT_FALSE(parseParam("BB", "12"));
    EXPECT_FALSE(parseParam("DDD", "12"));
    EXPECT_FALSE(parseParam("SDDDD", " 0500"));
    // A whole record's worth of digits still parses; its number is held at the largest.
    const auto record = parseParam(std::string(24, 'D'), std::string(24, '9'));
    ASSERT_TRUE(record);
    EXPECT_EQ(record->value, std::numeric_limits<std::int64_t>::max());

    EXPECT_EQ(formatParam("DDDDDDDD", 7000000), "07000000");
    EXPECT_EQ(formatParam("SDDDD", -500), "-0500");
    EXPECT_EQ(formatParam("ZD", 2), "02");
    EXPECT_EQ(formatParam("DD00", 6), "0600");
    EXPECT_EQ(formatParam("1D", 1), "11");
    EXPECT_EQ(formatParam("H", 12), "C");
    EXPECT_FALSE(formatParam("DDD", 1000));
    EXPECT_FALSE(formatParam("DDD", -1));
    EXPECT_FALSE(formatParam("BB", 12));

    EXPECT_EQ(parseInteger("-12"), -12);
    EXPECT_FALSE(parseInteger("1x"));
    EXPECT_FALSE(parseInteger("-"));
    EXPECT_EQ(unescape("a\\x00\\xffb\\\\"), std::string("a\0\xFF"
                                                        "b\\",
                                                        5));
    EXPECT_EQ(printable(std::string("A\0;", 3)), "A\\x00;");
}

TEST(MenuValues, EveryDefaultItemEncodesAndIsAcceptedBack) {
    for (int index = 1; index <= kMenuItemCount; ++index) {
        const auto& rule = menuItem(index);
        SCOPED_TRACE(index);
        if (!rule.exAddressable()) continue;
        const auto field = encodeMenuValue(rule, rule.initial);
        ASSERT_TRUE(field.has_value());
        EXPECT_EQ(field->size(), static_cast<std::size_t>(rule.digits));
        EXPECT_EQ(acceptMenuValue(rule, *field), field);
    }
}

TEST(MenuValues, ChecksEachKindsRange) {
    // Option items: "CATRATE" counts its four options from 1.
    EXPECT_TRUE(acceptMenuValue(menuItem(10), "4"));
    EXPECT_FALSE(acceptMenuValue(menuItem(10), "0"));
    EXPECT_FALSE(acceptMenuValue(menuItem(10), "5"));
    // Scaled ranges: "VOX DLY" 100..3000 ms in steps of 100 is 1..30.
    EXPECT_TRUE(acceptMenuValue(menuItem(63), "30"));
    EXPECT_FALSE(acceptMenuValue(menuItem(63), "31"));
    EXPECT_FALSE(acceptMenuValue(menuItem(63), "00"));
    // Off-or-range: "CW DLY" is 0 (FULL) or 3..300.
    EXPECT_TRUE(acceptMenuValue(menuItem(16), "000"));
    EXPECT_FALSE(acceptMenuValue(menuItem(16), "002"));
    EXPECT_TRUE(acceptMenuValue(menuItem(16), "300"));
    // Signed: "QSPL F" -20..+20 kHz.
    EXPECT_TRUE(acceptMenuValue(menuItem(47), "-20"));
    EXPECT_FALSE(acceptMenuValue(menuItem(47), "-21"));
    EXPECT_FALSE(acceptMenuValue(menuItem(47), "020"));
    // Bit sets.
    EXPECT_EQ(encodeMenuValue(menuItem(65), 1024), "10000000000");
    EXPECT_EQ(encodeMenuValue(menuItem(66), 32), "100000");
    EXPECT_FALSE(encodeMenuValue(menuItem(66), 64));
    // The dimmer goes with "DA", blank records not at all.
    EXPECT_FALSE(menuItem(67).exAddressable());
    EXPECT_FALSE(menuItem(27).exAddressable());
}

TEST(PacedOutput, ReleasesEachByteWhenItsElevenBitsHaveGone) {
    PacedOutput line;
    const TimePoint t0{};
    const auto perByte = byteTime(4800);
    EXPECT_EQ(std::chrono::duration_cast<std::chrono::microseconds>(perByte).count(), 2291);
    ASSERT_TRUE(line.enqueue("FA;", t0, perByte));
    EXPECT_EQ(line.take(t0), "");
    EXPECT_EQ(line.nextDue(), t0 + perByte);
    EXPECT_EQ(line.take(t0 + perByte), "F");
    EXPECT_EQ(line.take(t0 + 3 * perByte - 1ns), "A");
    EXPECT_EQ(line.take(t0 + 3 * perByte), ";");
    EXPECT_TRUE(line.empty());
    EXPECT_FALSE(line.nextDue());
}

TEST(PacedOutput, QueuesBehindBusyLineAndHonoursPauses) {
    PacedOutput line;
    const TimePoint t0{};
    const auto perByte = byteTime(9600);
    line.enqueue("AB", t0, perByte);
    // Queued while busy: starts when the line is free, plus the pause asked for.
    line.enqueue("CD", t0 + perByte / 2, perByte, 100ms);
    EXPECT_EQ(line.take(t0 + 2 * perByte), "AB");
    EXPECT_EQ(line.take(t0 + 2 * perByte + 100ms), "");
    EXPECT_EQ(line.take(t0 + 3 * perByte + 100ms), "C");
    // An idle line starts at once, not at the time it last went quiet.
    line.take(t0 + 1s);
    line.enqueue("E", t0 + 10s, perByte);
    EXPECT_EQ(line.nextDue(), t0 + 10s + perByte);
    line.clear();
    EXPECT_TRUE(line.empty());
    EXPECT_FALSE(line.enqueue(std::string(PacedOutput::kMaxWaiting + 1, 'x'), t0, perByte));
}

TEST(FaultPlan, SplitsDropsSilencesAndPrefixesJunk) {
    FaultPlan plan;
    const TimePoint t0{};
    auto bytes = [](const std::vector<Piece>& pieces) {
        Strings texts;
        for (const auto& piece : pieces)
            texts.push_back(piece.bytes);
        return texts;
    };
    EXPECT_EQ(bytes(plan.shape("FA14195000;", Origin::kAnswer, t0)), Strings{"FA14195000;"});

    plan.setSplit(true, 80ms);
    const auto split = plan.shape("FA14195000;", Origin::kReport, t0);
    ASSERT_EQ(split.size(), 2u);
    EXPECT_EQ(split[0].bytes + split[1].bytes, "FA14195000;");
    EXPECT_EQ(split[0].pauseBefore, Duration::zero());
    EXPECT_EQ(split[1].pauseBefore, Duration(80ms));
    plan.setSplit(false);

    // Junk goes in front of the next message that is actually sent.
    plan.addJunk("#*");
    plan.dropAnswers(2);
    EXPECT_TRUE(plan.shape("ID0244;", Origin::kAnswer, t0).empty());
    EXPECT_EQ(bytes(plan.shape("SM0010;", Origin::kReport, t0)), (Strings{"#*", "SM0010;"}));
    EXPECT_TRUE(plan.shape("?;", Origin::kAnswer, t0).empty());
    EXPECT_EQ(bytes(plan.shape("ID0244;", Origin::kAnswer, t0)), Strings{"ID0244;"});

    plan.silenceUntil(t0 + 1s);
    EXPECT_TRUE(plan.shape("ID0244;", Origin::kAnswer, t0 + 999ms).empty());
    EXPECT_TRUE(plan.shape("SM0010;", Origin::kReport, t0 + 999ms).empty());
    EXPECT_EQ(plan.silenceEnd(t0), t0 + 1s);
    EXPECT_EQ(plan.shape("ID0244;", Origin::kAnswer, t0 + 1s).size(), 1u);
    plan.silenceOn();
    EXPECT_TRUE(plan.shape("ID0244;", Origin::kAnswer, t0 + 1h).empty());
    EXPECT_FALSE(plan.silenceEnd(t0));
    plan.silenceOff();
    EXPECT_EQ(plan.shape("ID0244;", Origin::kAnswer, t0).size(), 1u);
}

}  // namespace
}  // namespace orviksim
