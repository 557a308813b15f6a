// Requests that build their commands at once: that every request has one rule, the rules of
// the request tables on representative rows, the guards, and the requests with code of their
// own.

#include <algorithm>
#include <limits>

#include "panelink/cat/request_table.h"
#include "panelink/testing/enum_names.h"
#include "test_command_rig.h"

namespace panelink::sendertest {
namespace {

using Texts = std::vector<std::string>;

constexpr std::uintptr_t kSub = kSubSideBit;
constexpr std::uintptr_t kReadBack = kReadBackBit;
constexpr std::uintptr_t kBit28 = std::uintptr_t{1} << 28;  // set by some callers, read by none
constexpr std::intptr_t kLowest = std::numeric_limits<std::intptr_t>::min();

// Every request the enum names, over all the program's message blocks.
const std::vector<Request>& namedRequests() {
    static const std::vector<Request> requests =
        enums::namedValues<Request, WM_APP + 0x100, 0x800>();
    return requests;
}

bool isNamed(Request request) {
    return std::binary_search(namedRequests().begin(), namedRequests().end(), request);
}

template <class Table>
int rowsOf(const Table& table, Request request) {
    return static_cast<int>(std::count_if(table.begin(), table.end(),
                                          [&](const auto& row) { return row.request == request; }));
}

// How many rules claim `request`: the sender's own code and the rows of the three tables.
int rulesOf(Request request) {
    return (CommandSender::hasOwnRule(request) ? 1 : 0) + rowsOf(plainRequests(), request) +
           rowsOf(toggleRequests(), request) + rowsOf(choiceRequests(), request);
}

TEST(RequestRules, EveryNamedRequestHasExactlyOneRule) {
    // The first and the last request, so that a scan that found nothing cannot pass.
    ASSERT_TRUE(isNamed(Request::ReadoutStep));
    ASSERT_TRUE(isNamed(Request::InfoPoll));
    for (Request request : namedRequests())
        EXPECT_EQ(rulesOf(request), 1) << std::hex << "WM_APP + 0x" << (id(request) - WM_APP);
}

TEST(RequestRules, EveryTableRowIsANamedRequest) {
    const auto expectNamed = [](const auto& table) {
        for (const auto& row : table)
            EXPECT_TRUE(isNamed(row.request)) << std::hex << id(row.request);
    };
    expectNamed(plainRequests());
    expectNamed(toggleRequests());
    expectNamed(choiceRequests());
}

TEST_F(SenderTest, NumbersThatNameNoRequestDoNothing) {
    std::vector<std::uint32_t> unnamed{0, id(ThreadMessage::EndThread), WM_APP + 0xFFFF};
    for (std::uint32_t number = WM_APP + 0x100; number < WM_APP + 0x900; ++number) {
        if (!isNamed(static_cast<Request>(number))) unnamed.push_back(number);
    }
    for (std::uint32_t number : unnamed)
        handleNumber(number, kSub | kReadBack, 5);
    EXPECT_TRUE(texts().empty());
    EXPECT_TRUE(inbox.posted.empty());
    EXPECT_TRUE(window.posted.empty());
    EXPECT_TRUE(window.sent.empty());
    EXPECT_FALSE(flags.readoutBusy);
}

TEST_F(SenderTest, FixedCommandsIgnoreSideAndValue) {
    for (const PlainRequest& row : plainRequests()) {
        if (row.sideDigit || row.width > 0 || row.guard != RequestGuard::None) continue;
        clearSent();
        request(row.request);
        request(row.request, kSub | kReadBack | kBit28, -12345);
        const Texts sent = texts();
        ASSERT_EQ(sent.size(), 2u) << std::hex << id(row.request);
        EXPECT_EQ(sent[0], sent[1]);
    }
    clearSent();
    request(Request::ReadVcc, kSub, 3);
    request(Request::SelectModeLsb, kSub, 3);
    EXPECT_EQ(texts(), (Texts{"VC;", "MD01;"}));
}

TEST_F(SenderTest, ValuesAreRightAlignedInTheirFieldWithLeadingZeros) {
    request(Request::ReadMemoryChannel, 0, 7);
    request(Request::SetVfoBFrequency, 0, 7000000);
    request(Request::SetPms, 0, 11000);
    request(Request::SetDimmer, 0, 4);  // a field before a fixed tail
    request(Request::SetTuner, 0, 2);   // a field after a fixed selector
    EXPECT_EQ(texts(), (Texts{"MR007;", "FB07000000;", "SS011000;", "DA0400;", "AC002;"}));
}

TEST_F(SenderTest, FieldsThatDoNotFitOrAreNegativeStayAllZero) {
    request(Request::SetTransmitPower, 0, 1000);
    request(Request::SetTransmitPower, 0, -5);
    request(Request::ReadMemoryChannel, 0, 1000);
    request(Request::SetPms, 0, 100000);
    request(Request::SetSquelch, 0, -1);
    request(Request::SetContourLevel, 0, 10);
    request(Request::SetContourLevel, 0, kLowest);
    request(Request::SetIfShift, 0, 10000);
    request(Request::SetIfShift, 0, kLowest);
    EXPECT_EQ(texts(), (Texts{"PC000;", "PC000;", "MR000;", "SS000000;", "SQ0000;", "CO0000;",
                              "CO00-0;", "IS0+0000;", "IS0-0000;"}));
}

// wparam bit 0 alone picks the side; the read-back bit and bit 28 never do.
TEST_F(SenderTest, TheSideDigitComesFromWparamBitZero) {
    request(Request::SetNoiseBlanker, kSub, 1);
    request(Request::SetNoiseBlanker, kReadBack | kBit28, 1);
    request(Request::SetToneOff, kSub | kReadBack);      // side, then a fixed tail
    request(Request::SetToneNumber, kSub | kBit28, 23);  // side, then a field
    request(Request::SetAgc, kSub | kReadBack, 1);       // side, then the chosen ending
    request(Request::ReadSideInformation, kSub | kReadBack);
    request(Request::ReadSideInformation, kReadBack | kBit28);
    EXPECT_EQ(texts(), (Texts{"NB11;", "NB01;", "CT10;", "CN123;", "GT14;", "OI;", "IF;"}));
}

TEST_F(SenderTest, ValuesOutsideTheirRangeSendNothing) {
    for (std::intptr_t frequency : {std::intptr_t{2999}, std::intptr_t{60000001}, kLowest}) {
        request(Request::SetVfoAFrequency, 0, frequency);
        request(Request::SetVfoBFrequency, 0, frequency);
    }
    for (Request dial : {Request::StepMainDial, Request::StepDspKnob, Request::StepThirdEncoder}) {
        for (std::intptr_t steps :
             {std::intptr_t{0}, std::intptr_t{100}, std::intptr_t{-100}, kLowest})
            request(dial, 0, steps);
    }
    for (std::intptr_t offset : {std::intptr_t{10000}, std::intptr_t{-10000}, kLowest})
        request(Request::StepClarifier, 0, offset);
    request(Request::ReadInformationWithFlag, 0, 2);
    request(Request::ReadInformationWithFlag, 0, -1);
    request(Request::SetPanelLock, 0, 4);
    request(Request::SetPanelLock, 0, 0);
    EXPECT_TRUE(texts().empty());

    request(Request::SetVfoAFrequency, 0, 3000);
    request(Request::SetVfoBFrequency, 0, 60000000);
    request(Request::StepClarifier, 0, 9999);
    request(Request::StepClarifier, 0, -9999);
    request(Request::ReadInformationWithFlag, 0, 1);
    EXPECT_EQ(texts(), (Texts{"FA00003000;", "FB60000000;", "RU9999;", "RD9999;", "IF;"}));
}

// A choice sends one of its listed endings, and nothing for a value it does not list.
TEST_F(SenderTest, ChoicesSendOnlyTheirListedValues) {
    for (const ChoiceRequest& row : choiceRequests()) {
        SCOPED_TRACE(::testing::Message() << std::hex << id(row.request));
        const auto listed = static_cast<std::intptr_t>(
            std::count_if(row.endings.begin(), row.endings.end(),
                          [](std::string_view ending) { return !ending.empty(); }));
        clearSent();
        for (std::intptr_t pick : {std::intptr_t{-1}, listed, std::intptr_t{5}, kLowest})
            request(row.request, 0, pick);
        EXPECT_TRUE(texts().empty());
        for (std::intptr_t pick = 0; pick < listed; ++pick)
            request(row.request, 0, pick);
        EXPECT_EQ(texts().size(), static_cast<std::size_t>(listed));
    }
    clearSent();
    request(Request::SetAgc, 0, 4);
    request(Request::StepBand, 0, 1);
    request(Request::SetSplit, 0, 2);
    EXPECT_EQ(texts(), (Texts{"GT03;", "BD0;", "QS;"}));
}

TEST_F(SenderTest, TogglesSendTheOppositeOfAKnownStateAndNothingOtherwise) {
    for (const ToggleRequest& row : toggleRequests()) {
        const std::string prefix(row.prefix);
        SCOPED_TRACE(prefix);
        storeCommand(row.field, 0);
        clearSent();
        request(row.request);
        storeCommand(row.field, 1);
        request(row.request);
        EXPECT_EQ(texts(), (Texts{prefix + "1;", prefix + "0;"}));

        // Copies kept as 0/1 cannot hold an unknown state at all.
        if (command.store(row.field, 2)) {
            clearSent();
            request(row.request);
            EXPECT_TRUE(texts().empty());
        }
    }
    // The clarifier key toggles the receive clarifier that the "IF" answer reported.
    clearSent();
    ASSERT_TRUE(radio.store(RadioField::IF_rxClarifier, 1));
    ASSERT_TRUE(copyToCommand(radio, RadioField::IF_rxClarifier, command));
    request(Request::ToggleRxClarifier);
    EXPECT_EQ(texts(), Texts{"RT0;"});
}

TEST_F(SenderTest, NarrowTogglesTheFlagOfTheSideItNames) {
    storeCommand(CommandField::NA_0, 1);
    storeCommand(CommandField::NA_1, 0);
    request(Request::ToggleNarrow, 0);
    request(Request::ToggleNarrow, kSub | kReadBack);
    storeCommand(CommandField::NA_1, 2);
    request(Request::ToggleNarrow, kSub);
    EXPECT_EQ(texts(), (Texts{"NA00;", "NA11;"}));
}

TEST_F(SenderTest, NotchSwitchFollowsItsCopy) {
    storeCommand(CommandField::BP_0, 1);
    request(Request::ToggleNotch);
    storeCommand(CommandField::BP_0, 0);
    request(Request::ToggleNotch);
    EXPECT_EQ(texts(), (Texts{"BP00000;", "BP00001;"}));
}

TEST_F(SenderTest, SignedValuesCarryTheirDirectionAndMagnitude) {
    request(Request::SetContourLevel, 0, -2);
    request(Request::SetContourLevel, 0, 1);
    request(Request::SetIfShift, 0, -120);
    request(Request::SetIfShift, 0, 300);
    request(Request::StepMainDial, 0, -5);
    request(Request::StepDspKnob, 0, 12);
    request(Request::StepThirdEncoder, 0, -99);
    request(Request::StepClarifier, 0, -150);
    request(Request::StepClarifier, 0, 25);
    EXPECT_EQ(texts(), (Texts{"CO00-2;", "CO0001;", "IS0-0120;", "IS0+0300;", "ED005;", "EU112;",
                              "ED299;", "RD0150;", "RU0025;"}));
}

TEST_F(SenderTest, StateGuardsHoldBackTheirReads) {
    storeCommand(CommandField::VS, 2);
    request(Request::ReadSubInformation);
    request(Request::ReadVfoSelectWhenKnown);
    for (std::int32_t channelMode : {2, 3}) {
        ASSERT_TRUE(radio.store(RadioField::IF_memoryState, channelMode));
        request(Request::ReadVfoA);
        request(Request::ReadVfoA2);
    }
    EXPECT_TRUE(texts().empty());

    storeCommand(CommandField::VS, 1);
    request(Request::ReadSubInformation);
    request(Request::ReadVfoSelectWhenKnown);
    for (std::int32_t channelMode : {1, 4, 5}) {
        ASSERT_TRUE(radio.store(RadioField::IF_memoryState, channelMode));
        request(Request::ReadVfoA);
    }
    EXPECT_EQ(texts(), (Texts{"OI;", "VS;", "FA;", "FA;", "FA;"}));
}

TEST_F(SenderTest, MultiCommandRequestsWaitBetweenTheirCommands) {
    request(Request::SetVoxAndBreakInDelay, 0, 42);
    request(Request::SetPanelLock, 0, 3);
    request(Request::SetPanelLock, kReadBack, 2);
    EXPECT_EQ(texts(), (Texts{"VD0042;", "SD0042;", "LK3;", "LK3;", "LK3;", "LK2;"}));
    EXPECT_EQ(gaps(), (std::vector<Milliseconds>{20ms, 0ms, 100ms, 100ms, 0ms}));

    const Milliseconds before = time.elapsed();
    clearSent();
    request(Request::ReadStepLater);
    ASSERT_EQ(writer.sent.size(), 1u);
    EXPECT_EQ(writer.sent[0].text, "ST;");
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
    request(Request::WriteMemory, kReadBack, 12);

    // Modes above 9 are hex digits, as the answer carries them; the offset is its magnitude.
    ASSERT_TRUE(radio.store(RadioField::IF_mode, 11));
    ASSERT_TRUE(radio.store(RadioReal::IF_offset, 35.0));
    request(Request::WriteMemory, 0, 504);
    EXPECT_EQ(texts(), (Texts{"MW01214195000-125010202171;", "MW50414195000+003510B02171;"}));
}

TEST_F(SenderTest, WakeRequestWakesTheWriterForACommandQueuedElsewhere) {
    ASSERT_EQ(sendQueue.push(3, "PS;"), 3);
    request(Request::WakeWriter);
    EXPECT_EQ(texts(), Texts{"PS;"});
}

}  // namespace
}  // namespace panelink::sendertest
