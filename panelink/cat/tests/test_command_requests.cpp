// Requests that build their commands at once: every entry of the message table, the guards,
// the toggles and the commands with a rule of their own.

#include <algorithm>
#include <limits>
#include <set>

#include "panelink/cat/request_table.h"
#include "test_command_rig.h"

namespace panelink::sendertest {
namespace {

struct Case {
    std::uint32_t id;
    std::uintptr_t wparam;
    std::intptr_t lparam;
    std::vector<std::string> expected;
};

constexpr std::uintptr_t kSub = 1;
constexpr std::uintptr_t kReadBack = std::uintptr_t{1} << 20;

// The message table, written out request by request: message, wparam, lparam -> bytes queued.
const std::vector<Case>& messageTable() {
    static const std::vector<Case> cases{
        {WM_APP + 0x110, 0, 0, {"VC;"}},
        {WM_APP + 0x111, 0, 7, {"MR007;"}},
        {WM_APP + 0x111, 0, 504, {"MR504;"}},
        {WM_APP + 0x352, 0, 0, {"ID;"}},
        {WM_APP + 0x35C, 0, 0, {"VS;"}},
        {WM_APP + 0x35D, 0, 0, {"ST;"}},
        {WM_APP + 0x35E, 0, 0, {"BS;"}},
        {WM_APP + 0x503, 0, 4, {"DA0400;"}},
        {WM_APP + 0x504, 0, 0, {"OI;"}},
        {WM_APP + 0x506, 0, 2, {"AC002;"}},
        {WM_APP + 0x507, 0, 0, {"IF;"}},
        {WM_APP + 0x507, 0, 1, {"IF;"}},
        {WM_APP + 0x507, 0, 2, {}},
        {WM_APP + 0x508, 0, 0, {"IF;"}},
        {WM_APP + 0x509, 0, 150, {"ML0150;"}},
        {WM_APP + 0x50A, 0, 1, {"PR1;"}},
        {WM_APP + 0x50C, kReadBack, 3, {"RA03;"}},
        {WM_APP + 0x50D, 0, 0, {"PA00;"}},
        {WM_APP + 0x50D, 0, 1, {"PA01;"}},
        {WM_APP + 0x50E, 0, 0, {"FB;"}},
        {WM_APP + 0x50F, 0, 0, {"GT00;"}},
        {WM_APP + 0x50F, 0, 1, {"GT04;"}},
        {WM_APP + 0x50F, 0, 2, {"GT01;"}},
        {WM_APP + 0x50F, 0, 3, {"GT02;"}},
        {WM_APP + 0x50F, 0, 4, {"GT03;"}},
        {WM_APP + 0x50F, kSub | kReadBack, 2, {"GT11;"}},
        {WM_APP + 0x510, 0, 1, {"NB01;"}},
        {WM_APP + 0x510, kSub | kReadBack, 0, {"NB10;"}},
        {WM_APP + 0x512, 0, 1, {"CS1;"}},
        {WM_APP + 0x513, 0, 0, {"VS0;"}},
        {WM_APP + 0x514, 0, 0, {"VS1;"}},
        {WM_APP + 0x515, 0, 0, {"MD01;"}},
        {WM_APP + 0x516, 0, 0, {"MD02;"}},
        {WM_APP + 0x517, 0, 0, {"MD03;"}},
        {WM_APP + 0x65D, 0, 0, {"MD05;"}},
        {WM_APP + 0x65E, 0, 0, {"MD04;"}},
        {WM_APP + 0x65F, 0, 0, {"MD06;"}},
        {WM_APP + 0x66E, 0, 0, {"MD07;"}},
        {WM_APP + 0x518, 0, 0, {"MK3;"}},
        {WM_APP + 0x519, 0, 0, {"MK5;"}},
        {WM_APP + 0x51A, 0, 0, {"MK6;"}},
        {WM_APP + 0x659, 0, 0, {"MK0;"}},
        {WM_APP + 0x65C, 0, 0, {"MK7;"}},
        {WM_APP + 0x65C, 0, 1, {"MK8;"}},
        {WM_APP + 0x51B, 0, 0, {"QI;"}},
        {WM_APP + 0x51C, 0, 0, {"QR;"}},
        {WM_APP + 0x51E, 0, 0, {"FT0;"}},
        {WM_APP + 0x51E, 0, 1, {"FT1;"}},
        {WM_APP + 0x51E, 0, 2, {"QS;"}},
        {WM_APP + 0x51F, 0, 1, {"TS1;"}},
        {WM_APP + 0x520, 0, 0, {"FA;"}},
        {WM_APP + 0x53D, 0, 0, {"FA;"}},
        {WM_APP + 0x521, 0, 0, {"FT0;"}},
        {WM_APP + 0x53E, 0, 0, {"FT1;"}},
        {WM_APP + 0x524, 0, 0, {"AB;"}},
        {WM_APP + 0x525, 0, 0, {"SV;"}},
        {WM_APP + 0x526, 0, 0, {"VM;"}},
        {WM_APP + 0x527, 0, 0, {"MA;"}},
        {WM_APP + 0x528, 0, 0, {"AM;"}},
        {WM_APP + 0x52A, 0, 0, {"BS10;"}},
        {WM_APP + 0x52B, 0, 0, {"BS00;"}},
        {WM_APP + 0x52C, 0, 0, {"BS01;"}},
        {WM_APP + 0x52D, 0, 0, {"BS03;"}},
        {WM_APP + 0x52E, 0, 0, {"BS04;"}},
        {WM_APP + 0x52F, 0, 0, {"BS05;"}},
        {WM_APP + 0x530, 0, 0, {"BS06;"}},
        {WM_APP + 0x531, 0, 0, {"BS07;"}},
        {WM_APP + 0x532, 0, 0, {"BS08;"}},
        {WM_APP + 0x533, 0, 0, {"BS09;"}},
        {WM_APP + 0x534, 0, 0, {"BS11;"}},
        {WM_APP + 0x536, 0, 0, {"IF;"}},
        {WM_APP + 0x537, 0, 0, {"RC;"}},
        {WM_APP + 0x538, 0, 0, {"BS;"}},
        {WM_APP + 0x554, 0, 0, {"BS;"}},
        {WM_APP + 0x539, 0, 0, {"BP00001;"}},
        {WM_APP + 0x53A, 0, 0, {"VS;"}},
        {WM_APP + 0x53B, 0, -2, {"CO00-2;"}},
        {WM_APP + 0x53B, 0, 1, {"CO0001;"}},
        {WM_APP + 0x53F, 0, 0, {"SF0;"}},
        {WM_APP + 0x540, 0, 0, {"SF1;"}},
        {WM_APP + 0x541, 0, 0, {"SF2;"}},
        {WM_APP + 0x542, 0, 0, {"SF3;"}},
        {WM_APP + 0x543, 0, 0, {"SF4;"}},
        {WM_APP + 0x544, 0, 0, {"SF5;"}},
        {WM_APP + 0x545, 0, 0, {"SF6;"}},
        {WM_APP + 0x546, 0, 0, {"SF7;"}},
        {WM_APP + 0x547, 0, 0, {"FK1;"}},
        {WM_APP + 0x548, 0, 0, {"FK2;"}},
        {WM_APP + 0x549, 0, 0, {"FK3;"}},
        {WM_APP + 0x54A, 0, 0, {"FK4;"}},
        {WM_APP + 0x54B, 0, 0, {"FK5;"}},
        {WM_APP + 0x54C, 0, 0, {"FK6;"}},
        {WM_APP + 0x54D, 0, 0, {"FK7;"}},
        {WM_APP + 0x54E, 0, 0, {"RS;"}},
        {WM_APP + 0x54F, 0, -5, {"ED005;"}},
        {WM_APP + 0x550, 0, 12, {"EU112;"}},
        {WM_APP + 0x65A, 0, -99, {"ED299;"}},
        {WM_APP + 0x551, 0, 14195000, {"FA14195000;"}},
        {WM_APP + 0x552, 0, 7000000, {"FB07000000;"}},
        {WM_APP + 0x553, 0, -150, {"RD0150;"}},
        {WM_APP + 0x553, 0, 25, {"RU0025;"}},
        {WM_APP + 0x555, 0, 2, {"MS2;"}},
        {WM_APP + 0x556, 0, 255, {"ML1255;"}},
        {WM_APP + 0x557, 0, 100, {"PL100;"}},
        {WM_APP + 0x558, 0, 25, {"KS025;"}},
        {WM_APP + 0x559, 0, 15, {"KP15;"}},
        {WM_APP + 0x55A, 0, 0, {"ST;"}},
        {WM_APP + 0x55B, 0, 128, {"SQ0128;"}},
        {WM_APP + 0x55F, 0, 5, {"SQ1005;"}},
        {WM_APP + 0x560, 0, 10, {"AG1010;"}},
        {WM_APP + 0x562, 0, 255, {"AG0255;"}},
        {WM_APP + 0x561, 0, 1, {"RG1001;"}},
        {WM_APP + 0x563, 0, 200, {"RG0200;"}},
        {WM_APP + 0x55C, 0, 50, {"MG050;"}},
        {WM_APP + 0x55D, 0, 99, {"VG099;"}},
        {WM_APP + 0x55E, 0, 700, {"VD0700;", "SD0700;"}},
        {WM_APP + 0x564, 0, 250, {"BP01250;"}},
        {WM_APP + 0x565, 0, -120, {"IS0-0120;"}},
        {WM_APP + 0x565, 0, 300, {"IS0+0300;"}},
        {WM_APP + 0x566, 0, 12, {"SH012;"}},
        {WM_APP + 0x653, 0, 31, {"SH031;"}},
        {WM_APP + 0x567, 0, 14, {"CO0114;"}},
        {WM_APP + 0x568, 0, 11, {"RL011;"}},
        {WM_APP + 0x56B, 0, 100, {"PC100;"}},
        {WM_APP + 0x62C, 0, 0, {"LM01;"}},
        {WM_APP + 0x62D, 0, 0, {"LM02;"}},
        {WM_APP + 0x62E, 0, 0, {"LM03;"}},
        {WM_APP + 0x62F, 0, 0, {"LM04;"}},
        {WM_APP + 0x630, 0, 0, {"LM05;"}},
        {WM_APP + 0x631, 0, 0, {"LM00;"}},
        {WM_APP + 0x638, 0, 0, {"LM11;"}},
        {WM_APP + 0x639, 0, 0, {"LM10;"}},
        {WM_APP + 0x632, 0, 0, {"PB1;"}},
        {WM_APP + 0x633, 0, 0, {"PB2;"}},
        {WM_APP + 0x634, 0, 0, {"PB3;"}},
        {WM_APP + 0x635, 0, 0, {"PB4;"}},
        {WM_APP + 0x636, 0, 0, {"PB5;"}},
        {WM_APP + 0x63A, 0, 0, {"PB6;"}},
        {WM_APP + 0x637, 0, 0, {"PB0;"}},
        {WM_APP + 0x63B, 0, 0, {"PB0;"}},
        {WM_APP + 0x669, 0, 0, {"PB0;"}},
        {WM_APP + 0x667, 0, 0, {"PB7;"}},
        {WM_APP + 0x668, 0, 0, {"PB8;"}},
        {WM_APP + 0x640, 0, 0, {"KY1;"}},
        {WM_APP + 0x641, 0, 0, {"KY2;"}},
        {WM_APP + 0x642, 0, 0, {"KY3;"}},
        {WM_APP + 0x643, 0, 0, {"KY4;"}},
        {WM_APP + 0x644, 0, 0, {"KY5;"}},
        {WM_APP + 0x645, 0, 0, {"KY6;"}},
        {WM_APP + 0x646, 0, 0, {"KY7;"}},
        {WM_APP + 0x647, 0, 0, {"KY8;"}},
        {WM_APP + 0x648, 0, 0, {"KY9;"}},
        {WM_APP + 0x66C, 0, 0, {"KY0;"}},
        {WM_APP + 0x649, 0, 0, {"KYA;"}},
        {WM_APP + 0x64A, kSub, 0, {"CT10;"}},
        {WM_APP + 0x64B, 0, 0, {"CT02;"}},
        {WM_APP + 0x64C, kSub, 0, {"CT11;"}},
        {WM_APP + 0x64D, kSub, 23, {"CN123;"}},
        {WM_APP + 0x64D, 0, 5, {"CN005;"}},
        {WM_APP + 0x64E, 0, 0, {"OS00;"}},
        {WM_APP + 0x64F, kSub, 0, {"OS11;"}},
        {WM_APP + 0x650, 0, 0, {"OS02;"}},
        {WM_APP + 0x651, 0, 0, {"IF;"}},
        {WM_APP + 0x651, kSub, 0, {"OI;"}},
        {WM_APP + 0x654, 0, 0, {"RT;"}},
        {WM_APP + 0x655, 0, 0, {"RT;"}},
        {WM_APP + 0x656, 0, 0, {"RT;"}},
        {WM_APP + 0x657, 0, 0, {"RT;"}},
        {WM_APP + 0x660, 0, 0, {"BU0;"}},
        {WM_APP + 0x660, 0, 1, {"BD0;"}},
        {WM_APP + 0x661, 0, 0, {"VV;"}},
        {WM_APP + 0x662, 0, 0, {"AX10;"}},
        {WM_APP + 0x662, 0, 1, {"AX11;"}},
        {WM_APP + 0x663, 0, 0, {"HM;"}},
        {WM_APP + 0x664, 0, 5, {"ST5;"}},
        {WM_APP + 0x665, 0, 11000, {"SS011000;"}},
        {WM_APP + 0x666, 0, 0, {"VR1;"}},
        {WM_APP + 0x66D, 0, 2, {"LK2;"}},
        {WM_APP + 0x66D, 0, 3, {"LK3;", "LK3;", "LK3;"}},
    };
    return cases;
}

struct ToggleCase {
    std::uint32_t id;
    CommandField field;
    std::string prefix;
};

const std::vector<ToggleCase>& toggles() {
    static const std::vector<ToggleCase> cases{
        {WM_APP + 0x505, CommandField::VX, "VX"},    {WM_APP + 0x50B, CommandField::KR, "KR"},
        {WM_APP + 0x511, CommandField::BI, "BI"},    {WM_APP + 0x522, CommandField::FS, "FS"},
        {WM_APP + 0x523, CommandField::LK, "LK"},    {WM_APP + 0x535, CommandField::RT, "RT"},
        {WM_APP + 0x53C, CommandField::NR_0, "NR0"}, {WM_APP + 0x65B, CommandField::SC, "SC"},
        {WM_APP + 0x66B, CommandField::TX, "TX"},
    };
    return cases;
}

TEST_F(SenderTest, EveryMessageOfTheTableQueuesItsExactBytes) {
    for (const Case& c : messageTable()) {
        SCOPED_TRACE(::testing::Message() << std::hex << "WM_APP+0x" << (c.id - WM_APP) << std::dec
                                          << " lparam " << c.lparam);
        clearSent();
        request(c.id, c.wparam, c.lparam);
        EXPECT_EQ(texts(), c.expected);
    }
}

// Guards against a table entry that no test above exercises.
TEST_F(SenderTest, EveryTableEntryIsListedInTheTests) {
    std::set<std::uint32_t> listed;
    for (const Case& c : messageTable())
        listed.insert(c.id);
    for (const ToggleCase& t : toggles())
        listed.insert(t.id);
    for (const PlainRequest& r : plainRequests())
        EXPECT_TRUE(listed.contains(r.message)) << std::hex << r.message;
    for (const ChoiceRequest& r : choiceRequests())
        EXPECT_TRUE(listed.contains(r.message)) << std::hex << r.message;
    for (const ToggleRequest& r : toggleRequests())
        EXPECT_TRUE(listed.contains(r.message)) << std::hex << r.message;
}

TEST_F(SenderTest, TogglesSendTheOppositeOfAKnownStateAndNothingOtherwise) {
    for (const ToggleCase& t : toggles()) {
        SCOPED_TRACE(t.prefix);
        storeCommand(t.field, 0);
        clearSent();
        request(t.id);
        EXPECT_EQ(texts(), std::vector<std::string>{t.prefix + "1;"});

        storeCommand(t.field, 1);
        clearSent();
        request(t.id);
        EXPECT_EQ(texts(), std::vector<std::string>{t.prefix + "0;"});

        // Copies kept as 0/1 cannot hold an unknown state at all.
        if (command.store(t.field, 2)) {
            clearSent();
            request(t.id);
            EXPECT_TRUE(texts().empty());
        }
    }
}

TEST_F(SenderTest, NaTogglesTheFlagOfTheSideItNames) {
    storeCommand(CommandField::NA_0, 1);
    storeCommand(CommandField::NA_1, 0);
    request(WM_APP + 0x51D, 0);
    request(WM_APP + 0x51D, kSub | kReadBack);
    storeCommand(CommandField::NA_1, 2);
    request(WM_APP + 0x51D, kSub);
    EXPECT_EQ(texts(), (std::vector<std::string>{"NA00;", "NA11;"}));
}

TEST_F(SenderTest, BpOnOffFollowsItsCopy) {
    storeCommand(CommandField::BP_0, 1);
    request(WM_APP + 0x539);
    EXPECT_EQ(texts(), std::vector<std::string>{"BP00000;"});
}

TEST_F(SenderTest, ValuesOutsideTheirRangeSendNothing) {
    const std::intptr_t huge = std::numeric_limits<std::intptr_t>::max();
    const std::intptr_t lowest = std::numeric_limits<std::intptr_t>::min();
    for (std::intptr_t frequency : {std::intptr_t{2999}, std::intptr_t{60000001}, huge, lowest}) {
        request(WM_APP + 0x551, 0, frequency);
        request(WM_APP + 0x552, 0, frequency);
    }
    for (std::intptr_t step : {std::intptr_t{0}, std::intptr_t{100}, std::intptr_t{-100}, lowest})
        request(WM_APP + 0x54F, 0, step);
    request(WM_APP + 0x553, 0, 10000);
    request(WM_APP + 0x553, 0, -10000);
    request(WM_APP + 0x553, 0, lowest);
    for (std::intptr_t pick : {std::intptr_t{-1}, std::intptr_t{5}, lowest}) {
        for (std::uint32_t id : {WM_APP + 0x50D, WM_APP + 0x50F, WM_APP + 0x51E, WM_APP + 0x65C,
                                 WM_APP + 0x660, WM_APP + 0x662})
            request(id, 0, pick);
    }
    request(WM_APP + 0x50D, 0, 2);
    request(WM_APP + 0x51E, 0, 3);
    request(WM_APP + 0x66D, 0, 4);
    request(WM_APP + 0x66D, 0, 0);
    EXPECT_TRUE(texts().empty());

    request(WM_APP + 0x551, 0, 3000);
    request(WM_APP + 0x552, 0, 60000000);
    request(WM_APP + 0x553, 0, 9999);
    request(WM_APP + 0x553, 0, -9999);
    EXPECT_EQ(texts(),
              (std::vector<std::string>{"FA00003000;", "FB60000000;", "RU9999;", "RD9999;"}));
}

TEST_F(SenderTest, FieldsThatDoNotFitOrAreNegativeStayAllZero) {
    const std::intptr_t lowest = std::numeric_limits<std::intptr_t>::min();
    request(WM_APP + 0x56B, 0, 1000);
    request(WM_APP + 0x56B, 0, -5);
    request(WM_APP + 0x111, 0, 1000);
    request(WM_APP + 0x665, 0, 100000);
    request(WM_APP + 0x55B, 0, -1);
    request(WM_APP + 0x53B, 0, 10);
    request(WM_APP + 0x53B, 0, lowest);
    request(WM_APP + 0x565, 0, 10000);
    request(WM_APP + 0x565, 0, lowest);
    EXPECT_EQ(texts(),
              (std::vector<std::string>{"PC000;", "PC000;", "MR000;", "SS000000;", "SQ0000;",
                                        "CO0000;", "CO00-0;", "IS0+0000;", "IS0-0000;"}));
}

TEST_F(SenderTest, StateGuardsHoldBackTheirReads) {
    storeCommand(CommandField::VS, 2);
    request(WM_APP + 0x504);
    request(WM_APP + 0x53A);
    for (std::int32_t channelMode : {2, 3}) {
        ASSERT_TRUE(radio.store(RadioField::IF_memoryState, channelMode));
        request(WM_APP + 0x520);
        request(WM_APP + 0x53D);
    }
    EXPECT_TRUE(texts().empty());

    storeCommand(CommandField::VS, 1);
    request(WM_APP + 0x504);
    request(WM_APP + 0x53A);
    for (std::int32_t channelMode : {1, 4, 5}) {
        ASSERT_TRUE(radio.store(RadioField::IF_memoryState, channelMode));
        request(WM_APP + 0x520);
    }
    EXPECT_EQ(texts(), (std::vector<std::string>{"OI;", "VS;", "FA;", "FA;", "FA;"}));
}

TEST_F(SenderTest, MultiCommandRequestsWaitBetweenTheirCommands) {
    request(WM_APP + 0x55E, 0, 42);
    request(WM_APP + 0x66D, 0, 3);
    EXPECT_EQ(texts(), (std::vector<std::string>{"VD0042;", "SD0042;", "LK3;", "LK3;", "LK3;"}));
    EXPECT_EQ(gaps(), (std::vector<Milliseconds>{20ms, 0ms, 100ms, 100ms}));

    const Milliseconds before = time.elapsed();
    clearSent();
    request(WM_APP + 0x35D);
    ASSERT_EQ(writer.sent.size(), 1u);
    EXPECT_EQ(writer.sent[0].at - before, 100ms);
}

TEST_F(SenderTest, MemoryWriteCarriesTheLastInformationAnswer) {
    ASSERT_TRUE(radio.store(RadioField::IF_frequency, 14195000));
    ASSERT_TRUE(radio.store(RadioReal::IF_offset, -1250.0));
    ASSERT_TRUE(radio.store(RadioField::IF_rxClarifier, 1));
    ASSERT_TRUE(radio.store(RadioField::IF_txClarifier, 0));
    ASSERT_TRUE(radio.store(RadioField::IF_mode, 2));
    ASSERT_TRUE(radio.store(RadioField::IF_memoryState, 1));
    ASSERT_TRUE(radio.store(RadioField::IF_toneMode, 2));
    ASSERT_TRUE(radio.store(RadioField::IF_toneNumber, 17));
    ASSERT_TRUE(radio.store(RadioField::IF_shift, 1));
    request(WM_APP + 0x66A, kReadBack, 12);

    // Modes above 9 are hex digits, as the answer carries them; the offset is its magnitude.
    ASSERT_TRUE(radio.store(RadioField::IF_mode, 11));
    ASSERT_TRUE(radio.store(RadioReal::IF_offset, 35.0));
    request(WM_APP + 0x66A, 0, 504);
    EXPECT_EQ(texts(), (std::vector<std::string>{"MW01214195000-125010202171;",
                                                 "MW50414195000+003510B02171;"}));
}

TEST_F(SenderTest, WakeRequestWakesTheWriterForACommandQueuedElsewhere) {
    ASSERT_EQ(sendQueue.push(3, "PS;"), 3);
    request(WM_APP + 0x56A);
    EXPECT_EQ(texts(), std::vector<std::string>{"PS;"});
}

TEST_F(SenderTest, UnknownMessagesAndTheEndMessageDoNothing) {
    for (std::uint32_t id : {WM_APP + 0x105, WM_APP + 0x63C, WM_APP + 0x658, WM_APP + 0x56C,
                             WM_APP + 0x500, std::uint32_t{0}})
        request(id, kSub, 5);
    EXPECT_TRUE(texts().empty());
    EXPECT_TRUE(inbox.posted.empty());
    EXPECT_TRUE(window.posted.empty());
    EXPECT_TRUE(window.sent.empty());
}

}  // namespace
}  // namespace panelink::sendertest
