// The answers that drive the connection: auto-information (AI), power (PS) and the model
// number (ID), with the meter zeroing and the flags that tie them together.
#include <gtest/gtest.h>

#include <chrono>
#include <vector>

#include "panelink/cat/tests/test_answer_fixture.h"
#include "panelink/core/messages.h"
#include "panelink/core/requests.h"
#include "panelink/core/timer_ids.h"

namespace panelink::answertest {
namespace {

using F = RadioField;
using C = CommandField;
using platform::Message;
using platform::WM_APP;
using Ids = std::vector<std::uint32_t>;

constexpr std::uint32_t kAiMessage = WM_APP + 0x33A;
constexpr std::uint32_t kPsMessage = WM_APP + 0x347;
const Message kSwitchAutoInfoOff{id(Request::SwitchAutoInfo), kAutoInfoOffOnlyBit, 0};
const Message kSwitchAutoInfoOn{id(Request::SwitchAutoInfo), kAutoInfoOnOnlyBit, 0};

class ConnectionTest : public AnswerParserTest {
  protected:
    // Connected, with the meters showing something so that zeroing them is visible.
    void connect() {
        for (const char* answer : {"PS1", "AI1", "RM0120", "RM2130", "SM0140", "SM1150"})
            analyse(answer);
        clearMessages();
    }
};

TEST_F(ConnectionTest, AutoInformationSwitchedOnAsksForTheModelAndPostsTheConnection) {
    analyse("AI1");
    EXPECT_EQ(copy(C::AI), 1);
    EXPECT_EQ(threadIds(), Ids{id(Request::ReadId)});
    // Posted, never sent: a send would wait for a window that may be waiting on this thread.
    EXPECT_TRUE(window.sent().empty());
    EXPECT_EQ(windowIds(), (Ids{id(WindowMessage::Connected), kAiMessage}));

    clearMessages();
    analyse("AI1");  // unchanged: only the display update
    EXPECT_EQ(windowIds(), Ids{kAiMessage});
    EXPECT_TRUE(anlSend.entries().empty());

    radio.setConnectionPending(true);  // a pending connection asks again
    analyse("AI1");
    EXPECT_EQ(threadIds(), Ids{id(Request::ReadId)});
    EXPECT_FALSE(radio.connectionPending());
}

TEST_F(ConnectionTest, AutoInformationOffThatThisProgramDidNotAskForIsSwitchedOnAgain) {
    connect();
    flags.aiCommanded = true;
    analyse("AI0");
    EXPECT_EQ(copy(C::AI), 0);
    EXPECT_EQ(anlSend.posted(), std::vector<Message>{kSwitchAutoInfoOn});
    EXPECT_TRUE(window.entries().empty());
    EXPECT_EQ(field(F::RM_0), 120);
}

TEST_F(ConnectionTest, AutoInformationOffStopsTheReadoutsAndZeroesTheMeters) {
    connect();
    analyse("AI0");
    EXPECT_EQ(threadIds(), Ids{id(Request::StopReadouts)});
    EXPECT_EQ(field(F::RM_0), 0);
    EXPECT_EQ(field(F::RM_other), 0);
    EXPECT_EQ(field(F::SM_0), 0);
    EXPECT_EQ(windowIds(), (Ids{id(DisplayUpdate::RM), id(DisplayUpdate::RM), id(DisplayUpdate::SM),
                                kAiMessage}));
}

TEST_F(ConnectionTest, PowerOffAndOnRestoresAutoInformation) {
    connect();
    analyse("PS0");
    EXPECT_EQ(copy(C::PS), 0);
    EXPECT_TRUE(radio.restoreAutoInformation());
    EXPECT_EQ(field(F::RM_0), 0);
    EXPECT_EQ(field(F::RM_other), 0);
    EXPECT_EQ(field(F::SM_1), 0);
    EXPECT_EQ(threadIds(), Ids{id(Request::StopReadouts)});
    EXPECT_EQ(windowIds(), (Ids{id(DisplayUpdate::RM), id(DisplayUpdate::RM), id(DisplayUpdate::SM),
                                kPsMessage}));

    clearMessages();
    analyse("PS0");  // repeated: nothing happens again
    EXPECT_TRUE(anlSend.entries().empty());

    analyse("AI0");
    clearMessages();
    analyse("PS1");
    EXPECT_TRUE(radio.connectionPending());
    EXPECT_EQ(copy(C::AI), 0);
    EXPECT_EQ(anlSend.posted(), std::vector<Message>{kSwitchAutoInfoOn});

    // The transceiver reports auto-information on: the model is asked for.
    clearMessages();
    analyse("AI1");
    EXPECT_EQ(threadIds(), Ids{id(Request::ReadId)});
    EXPECT_FALSE(radio.connectionPending());
}

TEST_F(ConnectionTest, PowerOnWithoutAutoInformationBeforeOnlyUpdatesThePower) {
    analyse("PS0");
    analyse("PS1");
    EXPECT_FALSE(radio.connectionPending());
    EXPECT_TRUE(anlSend.entries().empty());
    EXPECT_EQ(copy(C::PS), 1);
}

TEST_F(ConnectionTest, SupportedModelsStartTheReadout) {
    for (const char* answer : {"ID0244", "ID0245", "ID0246"})
        analyse(answer);
    EXPECT_EQ(threadIds(), (Ids{id(Request::StartReadout), id(Request::StartReadout),
                                id(Request::StartReadout)}));
    EXPECT_EQ(window.count(WM_APP + 0x344), 3u);
    EXPECT_EQ(field(F::ID), 246);
}

TEST_F(ConnectionTest, UnsupportedModelSwitchesAutoInformationOffAndReportsTheFailure) {
    time.setTimer(kTimerConnect, std::chrono::milliseconds(1500));
    analyse("ID0247");
    EXPECT_EQ(field(F::ID), 244);
    EXPECT_EQ(anlSend.posted(), std::vector<Message>{kSwitchAutoInfoOff});
    EXPECT_EQ(window.posted(), (std::vector<Message>{message(WindowMessage::LinkFailure, 1, 3)}));
    EXPECT_FALSE(time.isTimerRunning(kTimerConnect));
}

}  // namespace
}  // namespace panelink::answertest
