// Decoding of single answers: which field each answer fills, its copies, and which window
// message follows. The connection answers (AI, PS, ID) have their own file.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "panelink/cat/answer_table.h"
#include "panelink/cat/tests/test_answer_fixture.h"
#include "panelink/core/messages.h"
#include "panelink/core/requests.h"
#include "panelink/menu/menu_item.h"

namespace panelink::answertest {
namespace {

using F = RadioField;
using C = CommandField;
using Ids = std::vector<std::uint32_t>;

// A parser on fresh records, over message queues shared by every such rig.
struct FreshParser : rig::CoreRig<> {
    FreshParser() : rig::CoreRig<>(options()) {}

    static rig::RigOptions options() {
        static rig::MessageQueues queues;
        rig::RigOptions result;
        result.queues = &queues;
        return result;
    }

    AnswerParser parser{services};
};

// Parameter shapes for a generated answer, each padded with its last character to the length
// the answer's record gives: zeros, ones, a zero selector before ones, a signed zero, and the
// model number this program supports. Every decoded answer decodes from at least one.
constexpr std::string_view kShapes[] = {"0", "1", "01", "0+0", "024"};

std::string lettersOf(const AnswerRecord& record) {
    return {record.letters[0], record.letters[1]};
}

// The answer as the framer hands it on: letters and parameters, no ";".
std::string generated(const AnswerRecord& record, std::string_view shape) {
    std::string text = lettersOf(record);
    for (std::size_t i = 0; i + 3 < record.length; ++i)
        text += i < shape.size() ? shape[i] : shape.back();
    return text;
}

// Everything an answer can change or post, line by line.
std::vector<std::string> outcome(const FreshParser& p) {
    std::vector<std::string> lines;
    for (std::size_t i = 0; i < kRadioFieldCount; ++i) {
        const auto f = static_cast<RadioField>(i);
        lines.push_back(std::string(radioFieldName(f)) + "=" + std::to_string(p.radio.get(f)));
    }
    for (const RadioReal real : {RadioReal::IF_offset, RadioReal::OI_offset})
        lines.push_back(std::string(radioRealName(real)) + "=" + std::to_string(p.radio.get(real)));
    for (std::size_t i = 0; i < kCommandFieldCount; ++i) {
        const auto f = static_cast<CommandField>(i);
        lines.push_back("copy " + std::string(commandFieldName(f)) + "=" +
                        std::to_string(p.command.get(f)));
    }
    for (int record = 1; record <= RadioState::kKeyerRecordCount; ++record)
        lines.push_back("KM" + std::to_string(record) + "=" + p.radio.keyerText(record));
    lines.push_back("dimmer=" + std::to_string(p.menu.valueOfKind(kKindDimmer)));
    const auto messages = [&lines](const char* to, const std::vector<platform::Message>& list) {
        for (const auto& m : list) {
            lines.push_back(std::string(to) + " " + std::to_string(m.id) + " " +
                            std::to_string(m.wparam) + " " + std::to_string(m.lparam));
        }
    };
    messages("window", p.window.messages());
    messages("anlSend", p.anlSend.messages());
    return lines;
}

// The framer cuts each answer at its record's length: whatever that length is, the record's
// decoding must take an answer of it and post the record's update, once and last. "DS" alone
// is framed and deliberately left undecoded.
TEST(AnswerDecoding, EveryRecordDecodesAnAnswerOfItsLengthAndPostsItsUpdate) {
    for (const AnswerRecord& record : AnswerTable) {
        SCOPED_TRACE(lettersOf(record));
        const bool decoded = !std::holds_alternative<NotDecoded>(record.decoding);
        EXPECT_EQ(decoded, lettersOf(record) != "DS");
        bool posted = false;
        for (const std::string_view shape : kShapes) {
            FreshParser p;
            p.parser.analyse(generated(record, shape));
            const std::vector<std::uint32_t> ids = p.window.ids();
            if (!decoded) {
                EXPECT_TRUE(ids.empty()) << shape;
                EXPECT_TRUE(p.anlSend.entries().empty()) << shape;
                continue;
            }
            const auto updates = std::count(ids.begin(), ids.end(), id(record.update));
            if (updates == 0) continue;
            posted = true;
            EXPECT_EQ(updates, 1) << shape;
            EXPECT_EQ(ids.back(), id(record.update)) << shape;
        }
        EXPECT_EQ(posted, decoded) << "no answer of the record's length decodes";
    }
}

// Bytes behind an answer belong to the next one: a decoder that reads past its answer's length
// would decode differently once they are there.
TEST(AnswerDecoding, NoDecoderReadsBeyondItsAnswersLength) {
    for (const AnswerRecord& record : AnswerTable) {
        for (const std::string_view shape : kShapes) {
            const std::string answer = generated(record, shape);
            FreshParser exact;
            exact.parser.analyse(answer);
            for (const char* behind : {"0000000000", "9876543210"}) {
                SCOPED_TRACE(answer + " followed by " + behind);
                FreshParser followed;
                followed.parser.analyse(answer + behind);
                EXPECT_EQ(outcome(exact), outcome(followed));
            }
        }
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
        DisplayUpdate update;
    };
    const Case cases[] = {
        {"FA14250000", F::FA, 14250000, DisplayUpdate::FA},
        {"SF3", F::SF, 3, DisplayUpdate::SF},
        {"NA01", F::NA_0, 1, DisplayUpdate::NA},
        {"RA02", F::RA, 2, DisplayUpdate::RA},
        {"AC002", F::AC, 2, DisplayUpdate::AC},
        {"KP12", F::KP, 12, DisplayUpdate::KP},
        {"SD1234", F::SD, 1234, DisplayUpdate::SD},
        {"SH015", F::SH, 15, DisplayUpdate::SH},
        {"SS011111", F::SS, 11111, DisplayUpdate::SS},
        {"CN112", F::CN_1, 12, DisplayUpdate::CN},
        {"AG1200", F::AG_1, 200, DisplayUpdate::AG},
        {"GT12", F::GT_1, 2, DisplayUpdate::GT},
        {"SM0077", F::SM_0, 77, DisplayUpdate::SM},
        {"SQ0128", F::SQ_0, 128, DisplayUpdate::SQ},
        {"SQ0129", F::RG_0, 129, DisplayUpdate::SQ},
        {"RG1050", F::SQ_1, 50, DisplayUpdate::RG},
        {"RM1X20", F::RM_other, 20, DisplayUpdate::RM},
        {"RMx050", F::RM_0, 50, DisplayUpdate::RM},
        {"IS0-0500", F::IS, -500, DisplayUpdate::IS},
        {"BP00001", F::BP_0, 1, DisplayUpdate::BP},
        {"BP01150", F::BP_1, 150, DisplayUpdate::BP},
        {"ML0001", F::ML_0, 1, DisplayUpdate::ML},
        {"ML1020", F::ML_1, 20, DisplayUpdate::ML},
        {"BG03", F::BG, 3, DisplayUpdate::BG},
        {"RI91", F::RI_9, 1, DisplayUpdate::RI},
        {"BY10", F::BY_0, 1, DisplayUpdate::BY},
        {"CO0110", F::CO_1, 10, DisplayUpdate::CO},
        {"RS1", F::RS, 1, DisplayUpdate::RS},
    };
    for (const Case& c : cases) {
        clearMessages();
        analyse(c.answer);
        EXPECT_EQ(field(c.field), c.value) << c.answer;
        EXPECT_EQ(windowIds(), Ids{id(c.update)}) << c.answer;
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
              (Ids{id(DisplayUpdate::ST), id(DisplayUpdate::BS), id(DisplayUpdate::VC),
                   id(DisplayUpdate::SS), id(DisplayUpdate::DQ), id(DisplayUpdate::LM),
                   id(DisplayUpdate::RI), id(DisplayUpdate::DA), id(DisplayUpdate::VR)}));
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
    EXPECT_EQ(windowIds(), Ids{id(DisplayUpdate::CO)});
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
    EXPECT_EQ(windowIds(), Ids{id(DisplayUpdate::IF)});

    clearMessages();
    std::string opposite = "OI" + answer.substr(2);
    opposite[20] = '3';
    analyse(opposite);
    EXPECT_EQ(field(F::OI_mode), 3);
    EXPECT_EQ(field(F::IF_mode), 12);
    EXPECT_EQ(copy(C::FB), 14250000);
    EXPECT_EQ(windowIds(), Ids{id(DisplayUpdate::OI)});

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
    EXPECT_EQ(window.count(id(DisplayUpdate::MD)), 4u);
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
        {11, id(DisplayUpdate::CO)}, {12, id(DisplayUpdate::BP)}, {15, id(DisplayUpdate::RM)},
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
