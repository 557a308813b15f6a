// Decoding of single answers: which field each answer fills, its copies, and which window
// message follows. The connection answers (AI, PS, ID) have their own file.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "panelink/cat/answer_decoders.h"
#include "panelink/cat/answer_table.h"
#include "panelink/cat/tests/test_answer_fixture.h"
#include "panelink/core/messages.h"
#include "panelink/core/requests.h"
#include "panelink/core/timer_ids.h"
#include "panelink/menu/menu_item.h"

namespace panelink::answertest {
namespace {

using F = RadioField;
using C = CommandField;
using platform::WM_APP;
using Ids = std::vector<std::uint32_t>;

TEST(AnswerDecoderTable, EveryAnswerExceptDsHasADecoder) {
    for (const AnswerRecord& record : AnswerTable) {
        const std::string letters{record.letters[0], record.letters[1]};
        EXPECT_EQ(hasDecoder(record.letters[0], record.letters[1]), letters != "DS") << letters;
    }
}

TEST_F(AnswerParserTest, EmptyUnknownAndUndecodedAnswersDoNothing) {
    for (const std::string answer : {"", "ZZ123", "DS1", "F", "fa14250000"})
        analyse(answer);
    analyse(std::string("\0FA14250000", 11));
    EXPECT_TRUE(window.entries().empty());
    EXPECT_TRUE(anlSend.entries().empty());
    EXPECT_EQ(field(F::FA), 7000000);
}

// One answer per position, width and shape: a decoder that reads the wrong characters stores
// another value, one that fails posts nothing.
TEST_F(AnswerParserTest, AnswersStoreTheirFieldAndPostTheirMessage) {
    struct Case {
        const char* answer;
        RadioField field;
        std::int32_t value;
        std::uint32_t message;
    };
    const Case cases[] = {
        {"FA14250000", F::FA, 14250000, 0x333},
        {"SF3", F::SF, 3, 0x304},
        {"NA01", F::NA_0, 1, 0x30F},
        {"RA02", F::RA, 2, 0x313},
        {"AC002", F::AC, 2, 0x318},
        {"KP12", F::KP, 12, 0x322},
        {"SD1234", F::SD, 1234, 0x324},
        {"SH015", F::SH, 15, 0x330},
        {"SS011111", F::SS, 11111, 0x35A},
        {"CN112", F::CN_1, 12, 0x33B},
        {"AG1200", F::AG_1, 200, 0x32B},
        {"GT12", F::GT_1, 2, 0x312},
        {"SM0077", F::SM_0, 77, 0x337},
        {"SQ0128", F::SQ_0, 128, 0x32A},
        {"SQ0129", F::RG_0, 129, 0x32A},
        {"RG1050", F::SQ_1, 50, 0x32C},
        {"RM1X20", F::RM_other, 20, 0x321},
        {"RMx050", F::RM_0, 50, 0x321},
        {"IS0-0500", F::IS, -500, 0x32F},
        {"BP00001", F::BP_0, 1, 0x305},
        {"BP01150", F::BP_1, 150, 0x305},
        {"ML0001", F::ML_0, 1, 0x31E},
        {"ML1020", F::ML_1, 20, 0x31E},
        {"BG03", F::BG, 3, 0x34D},
        {"RI91", F::RI_9, 1, 0x348},
        {"BY10", F::BY_0, 1, 0x332},
        {"CO0110", F::CO_1, 10, 0x307},
        {"RS1", F::RS, 1, 0x343},
    };
    for (const Case& c : cases) {
        clearMessages();
        analyse(c.answer);
        EXPECT_EQ(field(c.field), c.value) << c.answer;
        EXPECT_EQ(windowIds(), Ids{WM_APP + c.message}) << c.answer;
    }
}

TEST_F(AnswerParserTest, MalformedOrRefusedParametersStoreNothingAndPostNothing) {
    const char* answers[] = {
        "FA60000001", "FA1425000X", "FA1425", "LK",     "KS04",    "SD12a4", "NR21",
        "NR0",        "GT2",        "CN205",  "AG2100", "SQ2128",  "SQ012",  "SQ0256",
        "IS0 0500",   "IS0-05x0",   "CO00+x", "CO0x",   "BP01x00", "MLx",    "BGx3",
        "MD2A",       "MD0G",       "KMx",    "KM6A",   "RS2",     "BYxx",   "SM2000",
    };
    RadioState defaults;
    for (const char* answer : answers) {
        clearMessages();
        analyse(answer);
        EXPECT_TRUE(window.entries().empty()) << answer;
    }
    for (std::size_t i = 0; i < kRadioFieldCount; ++i) {
        const auto f = static_cast<RadioField>(i);
        EXPECT_EQ(radio.get(f), defaults.get(f)) << radioFieldName(f);
    }
    EXPECT_EQ(anlSend.count(id(Request::StartMenuReadout)), 0u);
}

TEST_F(AnswerParserTest, RowsThatAlwaysSucceedPostEvenWhenMalformed) {
    for (const char* answer : {"ST", "BSx1", "VC99", "SS0abcde", "DQ0x", "LM", "RI51", "DA", "VRx"})
        analyse(answer);
    EXPECT_EQ(windowIds(),
              (Ids{WM_APP + 0x35B, WM_APP + 0x301, WM_APP + 0x355, WM_APP + 0x35A, WM_APP + 0x354,
                   WM_APP + 0x34E, WM_APP + 0x348, WM_APP + 0x359, WM_APP + 0x357}));
    EXPECT_EQ(field(F::BS), 3);
}

TEST_F(AnswerParserTest, CopiesFollowTheReportedFieldUnderTheirOwnRules) {
    analyse("NB02");
    EXPECT_EQ(field(F::NB), 2);
    EXPECT_EQ(copy(C::NB), 1);
    analyse("NR11");
    EXPECT_EQ(copy(C::NR_0), 0);  // only selector 0 keeps a copy
    analyse("SQ1200");
    EXPECT_EQ(copy(C::SQ_1), 200);
    EXPECT_EQ(copy(C::RG_1), 200);
    analyse("VR2");
    EXPECT_EQ(copy(C::VR), 1);

    // Stored in the report, refused by the copy's narrower range: the copy keeps its value.
    analyse("IS0-0500");
    analyse("IS0-1270");
    EXPECT_EQ(field(F::IS), -1270);
    EXPECT_EQ(copy(C::IS), -500);

    // A refused store still copies the value the report holds.
    analyse("FB60000001");
    EXPECT_EQ(copy(C::FB), 7000000);
}

TEST_F(AnswerParserTest, ContourRemembersTheLevelItWasSwitchedOffFrom) {
    // Selector at 3, sign at 4, level at 5.
    analyse("CO0000");  // nothing remembered yet
    EXPECT_EQ(field(F::CO_0_last), -2);
    analyse("CO00+1");
    EXPECT_EQ(field(F::CO_0), 1);
    analyse("CO0000");
    analyse("CO0000");  // a repeated report keeps the remembered level
    EXPECT_EQ(field(F::CO_0), 0);
    EXPECT_EQ(field(F::CO_0_last), 1);
    analyse("CO00-2");
    analyse("CO0000");
    EXPECT_EQ(field(F::CO_0_last), -2);

    clearMessages();
    analyse("CO02xx");  // other selectors store nothing and succeed
    EXPECT_EQ(windowIds(), Ids{WM_APP + 0x307});
}

TEST_F(AnswerParserTest, InformationAnswersFillTheirOwnFields) {
    // Letters, 3 unused, frequency, offset sign and magnitude, rx and tx clarifier, mode,
    // memory state, tone mode, tone number, shift.
    const std::string answer = std::string("IF") + "001" + "14250000" + "-" + "0120" + "1" + "0" +
                               "C" + "1" + "2" + "08" + "1";
    analyse(answer);
    const RadioField fields[] = {F::IF_frequency,  F::IF_rxClarifier, F::IF_txClarifier,
                                 F::IF_mode,       F::IF_memoryState, F::IF_toneMode,
                                 F::IF_toneNumber, F::IF_shift};
    const std::int32_t values[] = {14250000, 1, 0, 12, 1, 2, 8, 1};
    for (std::size_t i = 0; i < std::size(fields); ++i)
        EXPECT_EQ(field(fields[i]), values[i]) << radioFieldName(fields[i]);
    EXPECT_EQ(radio.get(RadioReal::IF_offset), -120.0);
    EXPECT_EQ(copy(C::RT), 1);
    EXPECT_EQ(windowIds(), Ids{WM_APP + 0x32D});

    clearMessages();
    std::string opposite = "OI" + answer.substr(2);
    opposite[20] = '3';
    analyse(opposite);
    EXPECT_EQ(field(F::OI_mode), 3);
    EXPECT_EQ(field(F::IF_mode), 12);
    EXPECT_EQ(copy(C::FB), 14250000);
    EXPECT_EQ(windowIds(), Ids{WM_APP + 0x33F});

    // One bad field: the others are stored, the message is not posted.
    clearMessages();
    std::string bad = answer;
    bad.replace(5, 2, "07");
    bad[20] = 'G';
    analyse(bad);
    EXPECT_EQ(field(F::IF_frequency), 7250000);
    EXPECT_TRUE(window.entries().empty());

    analyse("VS1");  // the VFO just selected takes the displayed frequency
    EXPECT_EQ(field(F::FB), 7250000);
}

TEST_F(AnswerParserTest, KeyerMemoryAnswerStoresItsRecord) {
    const std::string text(50, 'K');
    analyse("KM2" + text);
    EXPECT_EQ(radio.keyerText(2), text);
    EXPECT_EQ(field(F::KM_index), 2);
    analyse("KM1CQ");
    EXPECT_EQ(radio.keyerText(1), "CQ");
}

TEST_F(AnswerParserTest, ModeAnswerAsksForStatusAndStoresTheModeClass) {
    const std::pair<const char*, std::int32_t> classes[] = {
        {"MD04", 2}, {"MD15", 1}, {"MD0b", 2}, {"MD03", 0}, {"MD1D", 1}};
    for (const auto& [answer, modeClass] : classes) {
        analyse(answer);
        EXPECT_EQ(copy(C::MD_modeClass), modeClass) << answer;
    }
    // "MD1D" (13) is refused: the class stays that of the mode still held.
    EXPECT_EQ(field(F::MD_1), 5);
    EXPECT_EQ(copy(C::MD_0), 3);
    EXPECT_EQ(anlSend.count(id(Request::ReadStepLater)), 5u);
    EXPECT_EQ(window.count(WM_APP + 0x345), 4u);
}

TEST_F(AnswerParserTest, DimmerAnswerSetsTheDimmerMenuItem) {
    analyse("DA0300");
    EXPECT_EQ(menu.valueOfKind(kKindDimmer), 3.0);
    EXPECT_EQ(field(F::DA), 3);
    analyse("DA0800");  // the item takes 8, the state refuses it
    EXPECT_EQ(menu.valueOfKind(kKindDimmer), 8.0);
    EXPECT_EQ(field(F::DA), 3);
}

TEST_F(AnswerParserTest, MenuAnswerPostsOnlyWhenTheValueChangesAndByTheItemsKind) {
    analyse("EX0011");  // EXT MNU is 1 already
    analyse("EX0680");  // beyond the item count
    EXPECT_TRUE(window.entries().empty());
    analyse("EX0010");
    EXPECT_EQ(windowIds(), Ids{id(DisplayUpdate::MenuValueChanged)});

    const std::pair<int, std::uint32_t> kinds[] = {
        {11, WM_APP + 0x307},        {12, WM_APP + 0x305},        {15, id(DisplayUpdate::RM)},
        {37, id(DisplayUpdate::RM)}, {38, id(DisplayUpdate::RM)}, {39, id(DisplayUpdate::RM)},
    };
    int value = 1;
    for (const auto& update : kinds) {
        menu.withItem(2, [&update](MenuItem& item) { item.kind = update.first; });
        clearMessages();
        analyse("EX002" + std::to_string(value++));
        EXPECT_EQ(windowIds(), (Ids{id(DisplayUpdate::MenuValueChanged), update.second}))
            << update.first;
    }
}

}  // namespace
}  // namespace panelink::answertest
