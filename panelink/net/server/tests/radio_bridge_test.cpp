// The protocol's commands against the radio state and the panel's requests: what a get
// reads, which request a set posts and when its value counts as shown.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "panelink/cat/radio_state.h"
#include "panelink/menu/menu_build.h"
#include "panelink/menu/menu_item.h"
#include "panelink/menu/menu_item_table.h"
#include "panelink/net/server/radio_bridge.h"

namespace panelink::net {
namespace {

struct Posted {
    Request request;
    std::intptr_t lparam;
};

class RadioBridgeTest : public ::testing::Test {
  protected:
    RadioBridgeTest() {
        buildMenuItemTable(menu);
        radio.store(RadioField::AI, 1);
        radio.store(RadioField::PS, 1);
    }

    Outcome run(std::string_view line) {
        const ParseResult parsed = parseRigCommand(line);
        EXPECT_TRUE(parsed.ok()) << line << ": " << parsed.reason;
        return bridge.handle(parsed.command, session);
    }

    std::vector<std::string> values(std::string_view line) {
        const Outcome outcome = run(line);
        EXPECT_EQ(outcome.error, RigError::Ok) << line;
        return outcome.values;
    }

    RadioState radio;
    MenuItemTable menu;
    bool linkUp = true;
    bool accepting = true;
    std::vector<Posted> posted;
    SessionState session;
    RadioBridge bridge{radio, menu,
                       RadioPorts{[this] { return linkUp; },
                                  [this](Request request, std::uintptr_t, std::intptr_t lparam) {
                                      if (accepting) posted.push_back({request, lparam});
                                      return accepting;
                                  }}};
};

TEST_F(RadioBridgeTest, WithoutTheLinkEveryRadioCommandFailsAndOnlyTheConnectQuestionsAnswer) {
    linkUp = false;
    for (const char* line : {"f", "m", "v", "t", "s", "i", "x", "l STRENGTH", "\\get_powerstat",
                             "F 7074000", "M USB 2400", "V VFOB", "T 1", "S 1 VFOB"}) {
        EXPECT_EQ(run(line).error, RigError::IoError) << line;
    }
    EXPECT_TRUE(posted.empty());
    EXPECT_EQ(values("\\chk_vfo"), std::vector<std::string>{"0"});
    EXPECT_EQ(values("\\dump_state").size(), 1u);
    EXPECT_EQ(values("\\get_lock_mode"), std::vector<std::string>{"0"});
}

TEST_F(RadioBridgeTest, GetsReadTheCurrentVfoTheModeWithItsDataTypeSplitPttAndStrength) {
    radio.store(RadioField::FA, 14074000);
    radio.store(RadioField::FB, 7040000);
    EXPECT_EQ(values("f"), std::vector<std::string>{"14074000"});
    EXPECT_EQ(values("v"), std::vector<std::string>{"VFOA"});
    radio.store(RadioField::VS, 1);
    EXPECT_EQ(values("f"), std::vector<std::string>{"7040000"});
    EXPECT_EQ(values("v"), std::vector<std::string>{"VFOB"});

    radio.store(RadioField::MD_0, 2);
    EXPECT_EQ(values("m"), (std::vector<std::string>{"USB", "2400"}));
    radio.store(RadioField::MD_0, 6);
    menu.setValueOfKind(kKindDataType, 2);
    EXPECT_EQ(values("m"), (std::vector<std::string>{"PKTUSB", "2400"}));
    radio.store(RadioField::MD_0, 10);
    EXPECT_EQ(run("m").error, RigError::NotAvailable);

    // VFO B receives, A transmits: split, with A as the transmit VFO.
    radio.store(RadioField::FT, 0);
    EXPECT_EQ(values("s"), (std::vector<std::string>{"1", "VFOA"}));
    EXPECT_EQ(values("i"), std::vector<std::string>{"14074000"});
    radio.store(RadioField::VS, 0);
    EXPECT_EQ(values("s"), (std::vector<std::string>{"0", "VFOA"}));

    radio.store(RadioField::TX, 2);
    EXPECT_EQ(values("t"), std::vector<std::string>{"1"});
    radio.store(RadioField::SM_0, 120);
    EXPECT_EQ(values("l STRENGTH"), std::vector<std::string>{"0"});
    EXPECT_EQ(run("l RFPOWER").error, RigError::NotAvailable);
}

TEST_F(RadioBridgeTest, SetFrequencyPostsTheCurrentVfosRequestAndIsShownOnceTheRadioReportsIt) {
    Outcome outcome = run("F 7074000");
    ASSERT_EQ(outcome.error, RigError::Ok);
    ASSERT_EQ(posted.size(), 1u);
    EXPECT_EQ(posted[0].request, Request::SetVfoAFrequency);
    EXPECT_EQ(posted[0].lparam, 7074000);
    ASSERT_TRUE(outcome.shown);
    EXPECT_FALSE(outcome.shown());
    radio.store(RadioField::FA, 7074000);
    EXPECT_TRUE(outcome.shown());

    radio.store(RadioField::VS, 1);
    run("F 14000000.5");
    EXPECT_EQ(posted.back().request, Request::SetVfoBFrequency);
    radio.store(RadioField::FT, 0);
    run("I 21000000");
    EXPECT_EQ(posted.back().request, Request::SetVfoAFrequency);
}

TEST_F(RadioBridgeTest, ASetTheRadioCannotTakeOrTheLinkRefusesAnswersAnErrorWithoutWaiting) {
    EXPECT_EQ(run("F 29999").error, RigError::OutOfDomain);
    EXPECT_EQ(run("F 60000001").error, RigError::OutOfDomain);
    EXPECT_EQ(run("M WFM 0").error, RigError::InvalidParameter);
    EXPECT_EQ(run("L RFPOWER 0.5").error, RigError::NotAvailable);
    EXPECT_EQ(run("\\set_powerstat 0").error, RigError::NotAvailable);
    EXPECT_TRUE(posted.empty());
    accepting = false;
    EXPECT_EQ(run("V VFOB").error, RigError::IoError);
}

TEST_F(RadioBridgeTest, ADataModeSetsTheMenusDataTypeAndSelectsData) {
    radio.store(RadioField::MD_0, 2);
    Outcome outcome = run("M PKTUSB 3000");
    ASSERT_EQ(posted.size(), 2u);
    EXPECT_EQ(posted[0].request, Request::WriteMenu);
    EXPECT_EQ(posted[1].request, Request::SelectModeData);
    MenuItem item;
    ASSERT_TRUE(menu.copyOutByKind(kKindDataType, item));
    EXPECT_EQ(item.changed, 1);
    EXPECT_EQ(item.newValue, 2.0);
    EXPECT_FALSE(outcome.shown());
    radio.store(RadioField::MD_0, 6);
    EXPECT_TRUE(outcome.shown());

    // The same data type again writes no menu item.
    posted.clear();
    run("M PKTUSB 0");
    ASSERT_EQ(posted.size(), 1u);
    EXPECT_EQ(posted[0].request, Request::SelectModeData);
}

TEST_F(RadioBridgeTest, ALockedClientsSetModeChangesNothingAndAModeListAnswersTheNames) {
    EXPECT_EQ(run("\\set_lock_mode 1").error, RigError::Ok);
    EXPECT_EQ(values("\\get_lock_mode"), std::vector<std::string>{"1"});
    const Outcome outcome = run("M USB 2400");
    EXPECT_EQ(outcome.error, RigError::Ok);
    EXPECT_FALSE(outcome.shown);
    EXPECT_TRUE(posted.empty());
    EXPECT_NE(values("M ?").at(0).find("PKTUSB"), std::string::npos);
}

TEST_F(RadioBridgeTest, PttIsToggledOnlyWhenTheRadioIsNotAlreadyThere) {
    EXPECT_FALSE(run("T 0").shown);
    EXPECT_TRUE(posted.empty());
    const Outcome key = run("T 1");
    ASSERT_EQ(posted.size(), 1u);
    EXPECT_EQ(posted[0].request, Request::ToggleTransmit);
    radio.store(RadioField::TX, 1);
    EXPECT_TRUE(key.shown());
}

TEST_F(RadioBridgeTest, SplitMakesTheOtherVfoTransmitAndSplitOffTheCurrentOne) {
    const Outcome on = run("S 1 VFOB");
    EXPECT_EQ(posted.back().request, Request::SplitOn);
    radio.store(RadioField::FT, 1);
    EXPECT_TRUE(on.shown());
    run("S 0 VFOA");
    EXPECT_EQ(posted.back().request, Request::SplitOff);
    radio.store(RadioField::VS, 1);
    radio.store(RadioField::FT, 1);
    run("S 1 currVFO");  // on VFO B, split transmits on A
    EXPECT_EQ(posted.back().request, Request::SplitOff);
}

TEST(Strength, TheMeterScaleRunsFromS0ThroughS9ToSixtyOver) {
    EXPECT_EQ(strengthDb(0), -54);
    EXPECT_EQ(strengthDb(60), -27);
    EXPECT_EQ(strengthDb(120), 0);
    EXPECT_EQ(strengthDb(255), 60);
    EXPECT_EQ(strengthDb(999), 60);
}

}  // namespace
}  // namespace panelink::net
