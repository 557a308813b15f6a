// Answers in the plain and the extended form, laid out as the daemon lays them out, and the
// \dump_state text as the generic client reads it.

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "panelink/net/dump_state.h"
#include "panelink/net/rig_answer.h"
#include "panelink/net/rig_command.h"

namespace panelink::net {
namespace {

RigCommand parsed(const std::string& line) {
    const auto result = parseRigCommand(line);
    EXPECT_TRUE(result.ok()) << line << ": " << result.reason;
    return result.command;
}

const std::vector<std::string> kMode = {"USB", "2400"};

TEST(RigAnswer, PlainGetsAnswerValuesOnePerLineWithoutAReport) {
    EXPECT_EQ(successAnswer(parsed("f"), std::vector<std::string>{"14074000"}), "14074000\n");
    EXPECT_EQ(successAnswer(parsed("m"), kMode), "USB\n2400\n");
}

TEST(RigAnswer, PlainSetsAndErrorsAnswerOnlyTheReport) {
    EXPECT_EQ(successAnswer(parsed("F 14074000")), "RPRT 0\n");
    EXPECT_EQ(errorAnswer(parsed("f"), RigError::IoError), "RPRT -6\n");
    EXPECT_EQ(errorAnswer(parseRigCommand("K").command, RigError::NotImplemented), "RPRT -4\n");
}

TEST(RigAnswer, PlainListQueryAnswersTheListThenTheReport) {
    EXPECT_EQ(successAnswer(parsed("M ?"), std::vector<std::string>{"USB LSB "}),
              "USB LSB \nRPRT 0\n");
}

TEST(RigAnswer, ExtendedFormEchoesKeysTheValuesAndEndsWithTheReport) {
    EXPECT_EQ(successAnswer(parsed("+\\get_mode"), kMode),
              "get_mode:\nMode: USB\nPassband: 2400\nRPRT 0\n");
    EXPECT_EQ(successAnswer(parsed("+M USB 2400")), "set_mode: USB 2400\nRPRT 0\n");
    EXPECT_EQ(successAnswer(parsed("+s"), std::vector<std::string>{"1", "VFOB"}),
              "get_split_vfo:\nSplit: 1\nTX VFO: VFOB\nRPRT 0\n");
}

TEST(RigAnswer, ExtendedFormWithAPunctuationSeparatorIsOneLine) {
    EXPECT_EQ(successAnswer(parsed(";f"), std::vector<std::string>{"14070000"}),
              "get_freq:;Frequency: 14070000;RPRT 0\n");
    EXPECT_EQ(successAnswer(parsed("|\\get_mode"), kMode),
              "get_mode:|Mode: USB|Passband: 2400|RPRT 0\n");
    EXPECT_EQ(successAnswer(parsed(",m"), kMode), "get_mode:,Mode: USB,Passband: 2400,RPRT 0\n");
    EXPECT_EQ(successAnswer(parsed("|M USB 2400")), "set_mode: USB 2400|RPRT 0\n");
}

TEST(RigAnswer, ExtendedErrorsEchoWhatWasUnderstood) {
    EXPECT_EQ(errorAnswer(parseRigCommand(";F abc").command, RigError::InvalidParameter),
              "set_freq: abc;RPRT -1\n");
    EXPECT_EQ(errorAnswer(parsed("+t"), RigError::NotAvailable), "get_ptt:\nRPRT -11\n");
    EXPECT_EQ(errorAnswer(parseRigCommand("+K").command, RigError::NotImplemented), "RPRT -4\n");
}

TEST(RigAnswer, LevelValuesComeBackWithoutAKey) {
    EXPECT_EQ(successAnswer(parsed("+l RFPOWER"), std::vector<std::string>{"0.500000"}),
              "get_level: RFPOWER\n0.500000\nRPRT 0\n");
}

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

TEST(DumpState, OpensWithVersionModelAndRegionThenTheRadiosRanges) {
    const auto lines = linesOf(dumpStateText());
    ASSERT_GT(lines.size(), 8u);
    EXPECT_EQ(lines[0], "1");
    EXPECT_EQ(lines[1], "2");
    EXPECT_EQ(lines[2], "0");
    EXPECT_EQ(lines[3], "30000.000000 60000000.000000 0xcbf -1 -1 0x3 0x1");
    EXPECT_EQ(lines[4], "0 0 0 0 0 0 0");
    EXPECT_EQ(lines[5], "1800000.000000 54000000.000000 0xcbf -1 -1 0x3 0x1");
    EXPECT_EQ(lines[6], "0 0 0 0 0 0 0");
    EXPECT_EQ(lines[7], "0xcbf 1");
    EXPECT_EQ(lines[8], "0 0");
}

TEST(DumpState, EndsItsKeyedPartWithDoneAndAdvertisesPttOverTheLink) {
    const auto lines = linesOf(dumpStateText());
    EXPECT_EQ(lines.back(), "done");
    EXPECT_NE(std::find(lines.begin(), lines.end(), "ptt_type=0x1"), lines.end());
    // A client counting records: exactly six masks after the two empty lists, the level
    // mask to get holding STRENGTH alone.
    const auto keyed = std::find(lines.begin(), lines.end(), "vfo_ops=0x0");
    ASSERT_NE(keyed, lines.end());
    const std::vector<std::string> masks(keyed - 6, keyed);
    EXPECT_EQ(masks, (std::vector<std::string>{"0x0", "0x0", "0x40000000", "0x0", "0x0", "0x0"}));
}

TEST(DumpState, ExtendedFormWrapsTheWholeTextAsOneRecord) {
    const std::string text = dumpStateText();
    const std::string answer = successAnswer(parsed("+\\dump_state"), std::vector{text});
    EXPECT_EQ(answer, "dump_state:\n" + text + "\nRPRT 0\n");
    EXPECT_EQ(successAnswer(parsed("\\dump_state"), std::vector{text}), text + "\n");
}

}  // namespace
}  // namespace panelink::net
