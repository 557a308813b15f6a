// The server on real loopback sockets with a handler whose radio the test controls: answers
// in both forms, waiting sets, bad input, the client limit, a busy port and clients that go
// away in the middle of a command.

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "panelink/net/server/rig_server.h"
#include "panelink/net/server/tests/test_client.h"
#include "shared/platform/testing/wait_until.h"

namespace panelink::net {
namespace {

using namespace std::chrono_literals;
using testing::TestClient;

// Answers f with a fixed frequency; F is shown once `frequency` holds the value, which the
// test (as the radio) sets from its own thread.
class FakeRadio final : public CommandHandler {
  public:
    Outcome handle(const RigCommand& command, SessionState&) override {
        Outcome outcome;
        switch (command.entry->id) {
            case CommandId::GetFreq:
                outcome.values = {std::to_string(frequency.load())};
                break;
            case CommandId::SetFreq: {
                const auto wanted = std::get<std::int64_t>(command.arguments[0]);
                setsPosted.fetch_add(1);
                outcome.shown = [this, wanted] { return frequency.load() == wanted; };
                break;
            }
            case CommandId::Quit:
                outcome.close = true;
                break;
            default:
                outcome.error = RigError::NotAvailable;
        }
        return outcome;
    }

    std::atomic<std::int64_t> frequency{14074000};
    std::atomic<int> setsPosted{0};
};

class RigServerTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ServerOptions options;
        options.port = 0;
        options.setTimeout = 300ms;
        const StartResult started = server.start(options);
        ASSERT_TRUE(started.ok) << started.reason;
        port = started.port;
    }

    FakeRadio radio;
    RigServer server{radio};
    std::uint16_t port = 0;
};

TEST_F(RigServerTest, AGetIsAnsweredPlainAndInTheExtendedFormOnOneConnection) {
    TestClient client(port);
    ASSERT_TRUE(client.connected());
    EXPECT_EQ(client.ask("f"), "14074000");
    EXPECT_EQ(client.ask("\\get_freq"), "14074000");
    EXPECT_EQ(client.ask(";f"), "get_freq:;Frequency: 14074000;RPRT 0");
    client.send("+f\n");
    EXPECT_EQ(client.line(), "get_freq:");
    EXPECT_EQ(client.line(), "Frequency: 14074000");
    EXPECT_EQ(client.line(), "RPRT 0");
}

TEST_F(RigServerTest,
       UnknownCommandsBadArgumentsAndOverlongLinesAnswerAnErrorAndKeepTheConnection) {
    TestClient client(port);
    EXPECT_EQ(client.ask("w FA;"), "RPRT -4");
    EXPECT_EQ(client.ask("F fourteen"), "RPRT -1");
    EXPECT_EQ(client.ask("l STRENGTH"), "RPRT -11");
    EXPECT_EQ(client.ask(std::string(5000, 'f')), "RPRT -1");
    client.send(std::string(1, '\0') + "f\n");
    EXPECT_EQ(client.line(), "RPRT -1");
    EXPECT_EQ(client.ask("f"), "14074000");
}

TEST_F(RigServerTest, ASetAnswersOnceTheRadioShowsTheValueAndTimesOutWhenItNeverDoes) {
    TestClient client(port);
    client.send("F 7074000\n");
    ASSERT_TRUE(platform::waitUntil([&] { return radio.setsPosted.load() == 1; }));
    EXPECT_EQ(client.line(50ms), "");  // still waiting for the radio
    radio.frequency.store(7074000);
    EXPECT_EQ(client.line(), "RPRT 0");

    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(client.ask("F 3500000"), "RPRT -5");
    EXPECT_GE(std::chrono::steady_clock::now() - start, 300ms);
    EXPECT_EQ(client.ask("f"), "7074000");
}

TEST_F(RigServerTest, LinesSentTogetherAreAnsweredInOrderBehindAWaitingSet) {
    TestClient client(port);
    client.send("F 7000000\nf\n;f\n");
    ASSERT_TRUE(platform::waitUntil([&] { return radio.setsPosted.load() == 1; }));
    radio.frequency.store(7000000);
    EXPECT_EQ(client.line(), "RPRT 0");
    EXPECT_EQ(client.line(), "7000000");
    EXPECT_EQ(client.line(), "get_freq:;Frequency: 7000000;RPRT 0");
}

TEST_F(RigServerTest, AClientWaitingForASetKeepsNoOtherClientWaiting) {
    TestClient waiting(port);
    waiting.send("F 7074000\n");
    ASSERT_TRUE(platform::waitUntil([&] { return radio.setsPosted.load() == 1; }));
    TestClient other(port);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(other.ask("f"), "14074000");
    EXPECT_LT(std::chrono::steady_clock::now() - start, 250ms);
    EXPECT_EQ(waiting.line(), "RPRT -5");
}

TEST_F(RigServerTest, TheSeventeenthClientIsRefusedWithAnErrorAndAFreedPlaceIsTakenAgain) {
    std::vector<std::unique_ptr<TestClient>> clients;
    for (int i = 0; i < 16; ++i) {
        clients.push_back(std::make_unique<TestClient>(port));
        ASSERT_EQ(clients.back()->ask("f"), "14074000") << "client " << i;
    }
    TestClient refused(port);
    EXPECT_EQ(refused.line(), "RPRT -14");
    EXPECT_TRUE(refused.closedByServer());

    clients.front()->close();
    ASSERT_TRUE(platform::waitUntil([&] { return server.clientCount() == 15; }));
    TestClient next(port);
    EXPECT_EQ(next.ask("f"), "14074000");
}

TEST_F(RigServerTest, AClientThatLeavesInTheMiddleOfASetLeavesNoConnectionBehind) {
    {
        TestClient client(port);
        client.send("F 7074000\nf\nf\n");
        ASSERT_TRUE(platform::waitUntil([&] { return radio.setsPosted.load() == 1; }));
    }
    {
        TestClient half(port);
        half.send("\\get_fr");
    }
    EXPECT_TRUE(platform::waitUntil([&] { return server.clientCount() == 0; }, 2s));
}

TEST_F(RigServerTest, QuitAnswersAndClosesTheConnection) {
    TestClient client(port);
    EXPECT_EQ(client.ask("q"), "RPRT 0");
    EXPECT_TRUE(client.closedByServer());
}

TEST_F(RigServerTest, ABusyPortGivesOneReasonAndTheServerCanBeStoppedAndStartedAgain) {
    FakeRadio otherRadio;
    RigServer second(otherRadio);
    ServerOptions options;
    options.port = port;
    const StartResult busy = second.start(options);
    EXPECT_FALSE(busy.ok);
    EXPECT_NE(busy.reason.find("in use"), std::string::npos) << busy.reason;
    EXPECT_FALSE(second.running());

    options.address = "localhost:4532";
    EXPECT_NE(second.start(options).reason.find("not an IP address"), std::string::npos);

    TestClient client(port);
    ASSERT_EQ(client.ask("f"), "14074000");
    server.stop();
    EXPECT_TRUE(client.closedByServer());
    EXPECT_EQ(server.clientCount(), 0u);
    options.address = "127.0.0.1";
    options.port = 0;
    EXPECT_TRUE(server.start(options).ok);
}

}  // namespace
}  // namespace panelink::net
