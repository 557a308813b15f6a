#include "tools/orvik-sim/radio_model.h"

#include <gtest/gtest.h>

#include <cctype>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "tools/orvik-sim/radio_commands.h"
#include "tools/orvik-sim/tests/sim_test_util.h"

namespace orviksim {
namespace {

using testing::decodes;
using testing::programReads;

std::string ask(RadioModel& radio, std::string_view command) {
    return radio.handle(command).answer;
}

std::size_t expectedLength(std::string_view answer) {
    return static_cast<std::size_t>(answerLength(answer.substr(0, 2)).value_or(0));
}

TEST(RadioModel, AnswersEveryReadTheProgramSendsWithTheTableLengthAndDecodably) {
    RadioModel radio;
    const auto reads = programReads();
    ASSERT_GT(reads.size(), 80u);
    for (const auto& read : reads) {
        const auto answer = ask(radio, read);
        SCOPED_TRACE(read + " -> ");
        SCOPED_TRACE(answer);
        ASSERT_GE(answer.size(), 3u);
        EXPECT_EQ(answer.substr(0, 2), read.substr(0, 2));
        EXPECT_EQ(answer.size(), expectedLength(answer));
        std::string why;
        EXPECT_TRUE(decodes(answer, &why)) << why;
    }
}

TEST(RadioModel, AnswersMenuReadsInTheItemsDigitWidthAndRejectsTheRest) {
    RadioModel radio;
    int answered = 0;
    for (int index = 0; index <= kMenuItemCount + 1; ++index) {
        char read[8];
        std::snprintf(read, sizeof read, "EX%03d;", index);
        const auto answer = ask(radio, read);
        const auto& item = menuItem(index);
        SCOPED_TRACE(std::string(read) + " -> " + answer);
        // Blank records, the dimmer (read with "DA") and numbers outside 1..67 are refused.
        if (index < 1 || index > kMenuItemCount || item.kind == kKindBlank ||
            item.kind == kKindDimmer) {
            EXPECT_EQ(answer, "?;");
            continue;
        }
        ++answered;
        ASSERT_EQ(answer.size(), static_cast<std::size_t>(6 + item.digits));
        EXPECT_EQ(answer.substr(0, 5), std::string(read).substr(0, 5));
        std::string why;
        EXPECT_TRUE(decodes(answer, &why)) << why;
    }
    EXPECT_EQ(answered, 62);
    EXPECT_EQ(ask(radio, "EX065;"), "EX06511111111111;");
    EXPECT_EQ(ask(radio, "EX066;"), "EX066111111;");
    EXPECT_EQ(ask(radio, "EX025;"), "EX025+000;");
    EXPECT_EQ(ask(radio, "EX016;"), "EX016025;");
}

// Reports can come from keys the connection read-out never reads ("RM3", "RI7", "SM1").
TEST(RadioModel, EveryStateKeyAnswersInItsLettersLength) {
    RadioModel radio;
    for (const auto& format : keyFormats()) {
        const auto answer = radio.answerFor(format.key);
        ASSERT_TRUE(answer.has_value()) << format.key;
        EXPECT_EQ(answer->size(), expectedLength(*answer)) << *answer;
        std::string why;
        EXPECT_TRUE(decodes(*answer, &why)) << why;
    }
}

TEST(RadioModel, IdentifiesWithTheConfiguredModel) {
    RadioModel radio;
    EXPECT_EQ(ask(radio, "ID;"), "ID0244;");
    RadioModel other("0247");
    EXPECT_EQ(ask(other, "ID;"), "ID0247;");
    EXPECT_FALSE(other.setModel("24x"));
    EXPECT_EQ(ask(other, "ID;"), "ID0247;");
}

TEST(RadioModel, RejectsUnknownCommandsAndBadParameters) {
    RadioModel radio;
    for (const char* command : {"QQ;",
                                "F;",
                                "FA1234;",
                                "FA00029999;",
                                "FA60000001;",
                                "MD0Z;",
                                "MD2;",
                                "ID0244;",
                                "IF1;",
                                "AI2;",
                                "EX000;",
                                "EX068;",
                                "EX027;",
                                "EX0211;",
                                "EX021ab;",
                                "EX065101;",
                                "EX06512222222222;",
                                "EX021061;",
                                "EX02161;",
                                "EX02103;",
                                "KM6;",
                                "KM;",
                                "GT07;",
                                "IS0 0500;",
                                "IS0+1271;",
                                "CO0003;",
                                "SM0100;",
                                "RM0100;",
                                "MR000;",
                                "MR505;",
                                "AB1;",
                                "DA0900;",
                                "LK4;",
                                "BS12;"}) {
        EXPECT_EQ(ask(radio, command), "?;") << command;
    }
    // A NUL byte in a parameter.
    EXPECT_EQ(ask(radio, std::string("SS\0;", 4)), "?;");
    // A rejected set leaves the state as it was.
    EXPECT_EQ(ask(radio, "FA;"), "FA14195000;");
}

// Set commands the program sends, and what a read gives afterwards.
struct SetCase {
    const char* set;
    const char* read;
    const char* answer;
};

void PrintTo(const SetCase& c, std::ostream* out) {
    *out << c.set << " then " << c.read << " gives " << c.answer;
}

// The test's name: the set command, and the read that checks it ("EX025Minus050_ReadEX025").
std::string setCaseName(const ::testing::TestParamInfo<SetCase>& info) {
    std::string name;
    const auto append = [&name](std::string_view command) {
        for (const char c : command) {
            if (std::isalnum(static_cast<unsigned char>(c)) != 0) {
                name += c;
            } else if (c == '-') {
                name += "Minus";
            } else if (c == '+') {
                name += "Plus";
            }
        }
    };
    append(info.param.set);
    name += "_Read";
    append(info.param.read);
    return name;
}

class RadioModelSet : public ::testing::TestWithParam<SetCase> {};

TEST_P(RadioModelSet, IsNotAcknowledgedAndReadsBack) {
    RadioModel radio;
    const auto& c = GetParam();
    const auto out = radio.handle(c.set);
    EXPECT_EQ(out.answer, "") << c.set;
    EXPECT_TRUE(out.reports.empty());  // auto-information is off
    EXPECT_EQ(ask(radio, c.read), c.answer) << c.set;
}

INSTANTIATE_TEST_SUITE_P(
    ProgramSets, RadioModelSet,
    ::testing::Values(
        SetCase{"FA14250000;", "FA;", "FA14250000;"}, SetCase{"FB00135700;", "FB;", "FB00135700;"},
        SetCase{"MD03;", "MD0;", "MD03;"}, SetCase{"MD0c;", "MD0;", "MD0C;"},
        SetCase{"LK1;", "LK;", "LK1;"}, SetCase{"LK2;", "LK;", "LK0;"},
        SetCase{"SF7;", "SF;", "SF0;"}, SetCase{"SF3;", "SF;", "SF3;"},
        SetCase{"BP00001;", "BP00;", "BP00001;"}, SetCase{"BP01120;", "BP01;", "BP01120;"},
        SetCase{"CO00-2;", "CO00;", "CO00-2;"}, SetCase{"CO0109;", "CO01;", "CO0109;"},
        SetCase{"IS0-0500;", "IS0;", "IS0-0500;"}, SetCase{"AC002;", "AC;", "AC002;"},
        SetCase{"DA0600;", "DA;", "DA0600;"}, SetCase{"ML0001;", "ML0;", "ML0001;"},
        SetCase{"ML1200;", "ML1;", "ML1200;"}, SetCase{"GT12;", "GT1;", "GT12;"},
        SetCase{"NB11;", "NB1;", "NB11;"}, SetCase{"SQ0120;", "SQ0;", "SQ0120;"},
        SetCase{"AG1200;", "AG1;", "AG1200;"}, SetCase{"SS000100;", "SS0;", "SS000100;"},
        SetCase{"AX11;", "AX;", "AX11;"}, SetCase{"PA01;", "PA0;", "PA01;"},
        SetCase{"RA03;", "RA0;", "RA03;"}, SetCase{"LM05;", "LM0;", "LM05;"},
        SetCase{"EX06310;", "EX063;", "EX06310;"},
        SetCase{"EX06510000000000;", "EX065;", "EX06510000000000;"},
        SetCase{"EX025-050;", "EX025;", "EX025-050;"}, SetCase{"BS10;", "FA;", "FA50150000;"},
        SetCase{"AB;", "FB;", "FB14195000;"}, SetCase{"EU005;", "FA;", "FA14195050;"},
        SetCase{"ED103;", "FB;", "FB07049970;"},
        SetCase{"RU0150;", "IF;", "IF00114195000+015000200080;"},
        SetCase{"MW00307100000+000000300080;", "MR003;", "MR00307100000+000000300080;"}),
    setCaseName);

TEST(RadioModel, TextMenuItemsKeepADigitAndFortyCharacters) {
    RadioModel radio;
    EXPECT_EQ(radio.handle("EX0052cq;").answer, "");
    EXPECT_EQ(ask(radio, "EX005;"), "EX0052CQ" + std::string(38, ' ') + ";");
    EXPECT_EQ(radio.handle("EX0053" + std::string(40, 'X') + ";").answer, "");
    EXPECT_EQ(ask(radio, "EX005;"), "EX0053" + std::string(40, 'X') + ";");
    // Too long, a beacon number out of range, or a character the framing cannot carry.
    EXPECT_EQ(ask(radio, "EX0051" + std::string(41, 'X') + ";"), "?;");
    EXPECT_EQ(ask(radio, "EX0054CQ;"), "?;");
    EXPECT_EQ(ask(radio, "EX0051C|Q;"), "?;");
    EXPECT_EQ(ask(radio, "EX005;"), "EX0053" + std::string(40, 'X') + ";");
}

TEST(RadioModel, KeyerTextsArePaddedToFiftyCharactersInUpperCase) {
    RadioModel radio;
    EXPECT_EQ(radio.handle("KM2cq de test;").answer, "");
    const auto answer = ask(radio, "KM2;");
    ASSERT_EQ(answer.size(), 54u);
    EXPECT_EQ(answer.substr(0, 14), "KM2CQ DE TEST ");
    EXPECT_EQ(answer.find_first_not_of(' ', 14), 53u);
    EXPECT_TRUE(decodes(answer));
    // 50 characters fit; 51 do not; characters that would break the framing are refused.
    EXPECT_EQ(radio.handle("KM1" + std::string(50, 'A') + ";").answer, "");
    EXPECT_EQ(ask(radio, "KM1;"), "KM1" + std::string(50, 'A') + ";");
    EXPECT_EQ(ask(radio, "KM1" + std::string(51, 'B') + ";"), "?;");
    EXPECT_EQ(ask(radio, "KM3A~B;"), "?;");
}

TEST(RadioModel, EmptyMemoryChannelsGiveNoAnswerOfTheirOwn) {
    RadioModel radio;
    EXPECT_EQ(ask(radio, "MR001;"), "?;");
    // Malformed writes store nothing.
    EXPECT_EQ(ask(radio, "MW00107100000+00000030008;"), "?;");   // one byte short
    EXPECT_EQ(ask(radio, "MW50507100000+000000300080;"), "?;");  // channel 505
    EXPECT_EQ(ask(radio, "MW00100002999+000000300080;"), "?;");  // below the bands
    EXPECT_EQ(ask(radio, "MW00107100000+000000D00080;"), "?;");  // mode 13
    EXPECT_EQ(ask(radio, "MR001;"), "?;");
    EXPECT_EQ(radio.handle("MW00107100000+000000300080;").answer, "");
    const auto answer = ask(radio, "MR001;");
    EXPECT_EQ(answer.size(), 27u);
    EXPECT_TRUE(decodes(answer));
}

TEST(RadioModel, SwitchedOffItAnswersOnlyThePowerRead) {
    RadioModel radio;
    radio.setAutoInformation(true);
    EXPECT_EQ(ask(radio, "PS;"), "PS1;");
    EXPECT_EQ(ask(radio, "PS0;"), "");
    EXPECT_FALSE(radio.powerOn());
    for (const char* ignored :
         {"FA;", "ID;", "QQ;", "F;", "FA07000000;", "AI1;", "PS2;", "EX001;"}) {
        const auto out = radio.handle(ignored);
        EXPECT_EQ(out.answer, "") << ignored;
        EXPECT_TRUE(out.reports.empty());
    }
    EXPECT_EQ(ask(radio, "PS;"), "PS0;");
    EXPECT_EQ(ask(radio, "PS1;"), "");
    EXPECT_EQ(ask(radio, "PS;"), "PS1;");
    // The set made while off was not heard, and auto-information did not survive.
    EXPECT_EQ(ask(radio, "FA;"), "FA14195000;");
    EXPECT_EQ(ask(radio, "AI;"), "AI0;");
}

TEST(RadioModel, ReportsChangesOnlyWhileAutoInformationIsOn) {
    RadioModel radio;
    EXPECT_TRUE(radio.handle("FA07000000;").reports.empty());
    EXPECT_EQ(radio.handle("AI1;").reports, std::vector<std::string>{});
    const auto changed = radio.handle("FA07100000;");
    EXPECT_EQ(changed.reports, std::vector<std::string>{"FA07100000;"});
    // The same value again is no change.
    EXPECT_TRUE(radio.handle("FA07100000;").reports.empty());

    std::vector<std::string> reports;
    ASSERT_TRUE(radio.set("mode", "3", reports));
    ASSERT_TRUE(radio.set("EX021", "15", reports));
    ASSERT_TRUE(radio.set("KM1", "TEST", reports));
    ASSERT_TRUE(radio.set("BY", "10", reports));
    ASSERT_TRUE(radio.set("VS", "1", reports));
    ASSERT_EQ(reports.size(), 6u);
    EXPECT_EQ(reports[0], "MD03;");
    EXPECT_EQ(reports[1], "EX02115;");
    EXPECT_EQ(reports[2].substr(0, 7), "KM1TEST");
    EXPECT_EQ(reports[3], "BY10;");
    // A VFO switch: first the new operating frequency, then the switch.
    EXPECT_EQ(reports[4].substr(0, 13), "IF00107050000");
    EXPECT_EQ(reports[5], "VS1;");
    for (const auto& report : reports)
        EXPECT_TRUE(decodes(report)) << report;

    radio.setMeter(120);
    const auto meters = radio.meterReports();
    ASSERT_EQ(meters.size(), 2u);
    EXPECT_EQ(meters[0], "SM0120;");
    EXPECT_EQ(meters[1], "RM2120;");  // the selected meter ("MS" 2)

    EXPECT_TRUE(radio.handle("AI0;").reports.empty());
    EXPECT_TRUE(radio.handle("FA07200000;").reports.empty());
    EXPECT_TRUE(radio.meterReports().empty());
}

TEST(RadioModel, ControlChangesAreCheckedLikeCatSets) {
    RadioModel radio;
    std::vector<std::string> reports;
    std::string why;
    EXPECT_TRUE(radio.set("FA", "7000000", reports));
    EXPECT_EQ(radio.answerFor("FA"), "FA07000000;");
    EXPECT_TRUE(radio.set("is0", "-500", reports));
    EXPECT_EQ(radio.answerFor("IS0"), "IS0-0500;");
    EXPECT_TRUE(radio.set("mode", "12", reports));
    EXPECT_EQ(radio.answerFor("MD0"), "MD0C;");
    EXPECT_TRUE(radio.set("EX065", "1024", reports));
    EXPECT_EQ(radio.answerFor("EX065"), "EX06510000000000;");
    EXPECT_TRUE(radio.set("VC", "125", reports));  // read-only over CAT, not for the radio
    EXPECT_EQ(radio.answerFor("VC"), "VC125;");

    EXPECT_FALSE(radio.set("FA", "70000000", reports, &why));
    EXPECT_FALSE(why.empty());
    EXPECT_FALSE(radio.set("FA", "12ab", reports));
    EXPECT_FALSE(radio.set("ZZ", "1", reports));
    EXPECT_FALSE(radio.set("EX027", "1", reports));
    EXPECT_FALSE(radio.set("GT1", "5", reports));
    EXPECT_EQ(radio.answerFor("FA"), "FA07000000;");
    EXPECT_TRUE(reports.empty());
}

TEST(RadioModel, WanderingKeepsEveryAnswerDecodable) {
    RadioModel radio;
    radio.setAutoInformation(true);
    std::mt19937 random(7);
    std::vector<std::string> all;
    for (int step = 0; step < 200; ++step) {
        for (auto& report : radio.wander(random))
            all.push_back(std::move(report));
        for (auto& report : radio.meterReports())
            all.push_back(std::move(report));
    }
    bool modeChanged = false;
    for (const auto& report : all) {
        EXPECT_TRUE(decodes(report)) << report;
        modeChanged = modeChanged || report.starts_with("MD0");
    }
    EXPECT_TRUE(modeChanged);
    EXPECT_TRUE(decodes(*radio.answerFor("IF")));
}

}  // namespace
}  // namespace orviksim
