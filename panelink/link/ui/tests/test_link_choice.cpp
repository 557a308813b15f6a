// The OK and Cancel sequences of the port and baud rate choice, against a scripted radio and
// port, with the settings file in a directory of the test's own.
#include "panelink/link/ui/link_choice.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <optional>

#include "panelink/link/ui/tests/link_test_fixture.h"
#include "shared/platform/pseudo_terminal.h"
#include "shared/platform/serial_device.h"

namespace panelink::testing {
namespace {

using platform::WM_APP;
using Result = LinkChoice::Result;
using Ids = std::vector<std::uint32_t>;

class LinkChoiceTest : public LinkTest {
  protected:
    LinkChoice portChoice(bool secondInstance = false) {
        return LinkChoice(LinkChoiceKind::Port, services(secondInstance));
    }
    Ids postedIds() const {
        Ids ids;
        for (const platform::Message& m : window_.posted())
            ids.push_back(m.id);
        return ids;
    }
};

TEST_F(LinkChoiceTest, OkWithoutAPickOnlyAnnouncesTheEnd) {
    LinkChoice choice = portChoice();
    choice.pick(-1);
    choice.pick(20);
    EXPECT_EQ(choice.picked(), 0);
    EXPECT_EQ(choice.confirm(), Result::Closed);
    EXPECT_TRUE(link_.trials.empty());
    EXPECT_EQ(link_.closes, 0);
    EXPECT_EQ(settingsFile(), "");
    EXPECT_EQ(postedIds(), Ids{WM_APP + 0x58A});
}

TEST_F(LinkChoiceTest, SamePortAgainOnlyRewritesTheFile) {
    settings_.setPort(4);
    settings_.setBaud(9600);
    settings_.setStoredValue(7);
    link_.aiOn = 1;
    LinkChoice choice = portChoice(true);
    choice.pick(3);
    EXPECT_EQ(choice.confirm(), Result::Closed);
    EXPECT_EQ(settingsFile("CommSettingTmp.csv"), "4,9600,7\n");
    EXPECT_EQ(settingsFile(), "") << "a second instance keeps its own file";
    EXPECT_TRUE(link_.trials.empty());
    EXPECT_TRUE(link_.requests.empty());
    EXPECT_EQ(link_.closes, 0);
    EXPECT_EQ(postedIds(), Ids{WM_APP + 0x58A});
}

TEST_F(LinkChoiceTest, FailedTrialChangesNothingAndLeavesTheChoiceOpenForAnotherTry) {
    writePortMap("COM2,/dev/ttyUSB0\n");
    settings_.setBaud(38400);
    link_.trialResult = {false, EACCES};
    LinkChoice choice = portChoice();
    choice.pick(1);
    EXPECT_EQ(choice.confirm(), Result::Failed);
    ASSERT_EQ(link_.trials.size(), 1u);
    EXPECT_EQ(link_.trials[0], std::make_pair(std::string("/dev/ttyUSB0"), 38400));
    EXPECT_EQ(choice.failureText(),
              "Failed to open the port.\nNo permission to open /dev/ttyUSB0: is your user in "
              "the dialout group?");
    EXPECT_EQ(settings_.port(), 1);
    EXPECT_EQ(settingsFile(), "");
    EXPECT_EQ(link_.closes, 0);
    EXPECT_TRUE(window_.posted().empty());

    link_.trialResult = {true, 0};
    choice.pick(5);
    EXPECT_EQ(choice.confirm(), Result::Closed);
    EXPECT_EQ(settings_.port(), 6);
    EXPECT_EQ(settingsFile(), "6,38400,0\n");
}

TEST_F(LinkChoiceTest, PassedTrialWithAutoInformationOffClosesThePortThenStoresAndWrites) {
    writePortMap("COM7,/dev/ttyUSB1\n");
    LinkChoice choice = portChoice();
    choice.pick(6);
    EXPECT_EQ(choice.confirm(), Result::Closed);
    ASSERT_EQ(link_.trials.size(), 1u);
    EXPECT_EQ(link_.trials[0], std::make_pair(std::string("/dev/ttyUSB1"), 4800));
    EXPECT_EQ(link_.closes, 1);
    EXPECT_EQ(link_.fileAtClose, "") << "the port is closed before the file is written";
    EXPECT_TRUE(link_.requests.empty());
    EXPECT_EQ(settings_.port(), 7);
    EXPECT_EQ(settingsFile(), "7,4800,0\n");
    EXPECT_EQ(postedIds(), Ids{WM_APP + 0x58A});
}

TEST_F(LinkChoiceTest, AutoInformationOnWaitsForTheRadioToStopThenClosesThePort) {
    link_.aiOn = 1;
    link_.aiDropsAfter = 4;  // the read in confirm() and three steps read 1
    LinkChoice choice = portChoice();
    choice.pick(1);
    ASSERT_EQ(choice.confirm(), Result::Waiting);
    EXPECT_EQ(link_.requests, std::vector<Request>{Request::SwitchAutoInfo});

    // Nothing is stored, written or announced while waiting, and Cancel is refused.
    for (int i = 0; i < 3; ++i) {
        EXPECT_TRUE(choice.step());
        EXPECT_FALSE(choice.cancel());
        EXPECT_EQ(choice.confirm(), Result::Waiting);
    }
    EXPECT_EQ(link_.closes, 0);
    EXPECT_EQ(settings_.port(), 1);
    EXPECT_EQ(settingsFile(), "");
    EXPECT_TRUE(window_.posted().empty());

    EXPECT_FALSE(choice.step());
    EXPECT_EQ(choice.autoInfoTests(), 4);
    EXPECT_EQ(link_.requests.size(), 1u);
    EXPECT_EQ(link_.closes, 1);
    EXPECT_EQ(settingsFile(), "2,4800,0\n");
    EXPECT_EQ(postedIds(), Ids{WM_APP + 0x58A});

    // Steps and buttons after the end do nothing more.
    EXPECT_FALSE(choice.step());
    EXPECT_EQ(choice.confirm(), Result::Closed);
    EXPECT_TRUE(choice.cancel());
    EXPECT_EQ(link_.closes, 1);
    EXPECT_EQ(window_.posted().size(), 1u);
}

TEST_F(LinkChoiceTest, AutoInformationThatNeverStopsLeavesThePortOpenAfter29Tests) {
    link_.aiOn = 1;
    LinkChoice choice = portChoice();
    choice.pick(9);
    ASSERT_EQ(choice.confirm(), Result::Waiting);
    int steps = 1;
    while (choice.step())
        ASSERT_LE(++steps, 100);
    EXPECT_EQ(steps, 29);
    EXPECT_EQ(link_.closes, 0);
    EXPECT_EQ(link_.requests, std::vector<Request>{Request::SwitchAutoInfo});
    EXPECT_EQ(settingsFile(), "10,4800,0\n");
    EXPECT_EQ(postedIds(), Ids{WM_APP + 0x58A});
}

TEST_F(LinkChoiceTest, CancelAnnouncesTheEndOnceAndChangesNothing) {
    LinkChoice choice = portChoice();
    choice.pick(10);
    EXPECT_TRUE(choice.cancel());
    EXPECT_TRUE(choice.cancel());
    EXPECT_EQ(choice.confirm(), Result::Closed);
    EXPECT_EQ(settings_.port(), 1);
    EXPECT_EQ(settingsFile(), "");
    EXPECT_TRUE(link_.trials.empty());
    EXPECT_EQ(postedIds(), Ids{WM_APP + 0x58A});
}

TEST_F(LinkChoiceTest, BaudChangeNeedsNoTrialAndWaitsForAutoInformationLikeAPortChange) {
    link_.trialResult = {false, ENOENT};  // would fail if it were tried
    link_.aiOn = 1;
    link_.aiDropsAfter = 2;
    LinkChoice choice(LinkChoiceKind::Baud, services());
    choice.pick(3);
    ASSERT_EQ(choice.confirm(), Result::Waiting);
    EXPECT_TRUE(link_.trials.empty());
    EXPECT_EQ(link_.requests, std::vector<Request>{Request::SwitchAutoInfo});
    EXPECT_TRUE(choice.step());
    EXPECT_FALSE(choice.step());
    EXPECT_EQ(link_.closes, 1);
    EXPECT_EQ(settings_.baud(), 38400);
    EXPECT_EQ(settingsFile(), "1,38400,0\n");
    EXPECT_EQ(postedIds(), Ids{WM_APP + 0x58B});
}

TEST(PortOpenFailureText, AddsALineOnlyWhenTheReasonIsKnown) {
    EXPECT_EQ(portOpenFailureText("/dev/ttyUSB0", 0), "Failed to open the port.");
    const std::string other = portOpenFailureText("/dev/ttyUSB0", EMFILE);
    EXPECT_EQ(other.rfind("Failed to open the port.\nCould not open /dev/ttyUSB0: ", 0), 0u);
}

// The real trial open on pseudo-terminals: a device held by another program and a missing
// one fail with the matching advice; a free one passes.
TEST_F(LinkChoiceTest, RealTrialOpenOnPseudoTerminals) {
    std::optional<platform::PseudoTerminal> free = platform::PseudoTerminal::create();
    std::optional<platform::PseudoTerminal> held = platform::PseudoTerminal::create();
    ASSERT_TRUE(free && held);
    platform::SerialDevice holder;
    ASSERT_EQ(holder.open(held->slavePath(), 4800), 0);
    const std::string missing = (dir_ / "no-such-tty").string();
    writePortMap("COM2," + free->slavePath() + "\nCOM3," + held->slavePath() + "\nCOM4," + missing +
                 "\n");
    LinkDialogServices real = services();
    real.testOpen = testOpenPort;

    LinkChoice choice(LinkChoiceKind::Port, real);
    choice.pick(2);
    EXPECT_EQ(choice.confirm(), Result::Failed);
    EXPECT_EQ(choice.failureText(),
              "Failed to open the port.\n" + held->slavePath() + " is in use by another program.");
    choice.pick(3);
    EXPECT_EQ(choice.confirm(), Result::Failed);
    EXPECT_EQ(choice.failureText(), "Failed to open the port.\n" + missing + " does not exist.");
    EXPECT_EQ(settings_.port(), 1);

    choice.pick(1);
    EXPECT_EQ(choice.confirm(), Result::Closed);
    EXPECT_EQ(settingsFile(), "2,4800,0\n");
}

}  // namespace
}  // namespace panelink::testing
