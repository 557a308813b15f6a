// The mode table in both directions, data kinds by the "D TYPE" menu option included.

#include <gtest/gtest.h>

#include <string>

#include "panelink/net/rig_modes.h"

namespace panelink::net {
namespace {

TEST(RigModes, EveryProtocolNameReadsBackAsItselfFromTheRadiosMode) {
    for (const ModeMapping& mode : modeTable()) {
        const auto radio = radioModeFor(mode.protocolName);
        ASSERT_TRUE(radio) << mode.protocolName;
        const int option = radio->dataType ? static_cast<int>(*radio->dataType) : 0;
        const auto back = protocolModeFor(radio->radioMode, option);
        ASSERT_TRUE(back) << mode.protocolName;
        EXPECT_EQ(back->protocolName, mode.protocolName);
    }
}

TEST(RigModes, SidebandCwAmAndFmMapToTheirModeNumbers) {
    EXPECT_EQ(radioModeFor("LSB")->radioMode, 1);
    EXPECT_EQ(radioModeFor("USB")->radioMode, 2);
    EXPECT_EQ(radioModeFor("CW")->radioMode, 3);
    EXPECT_EQ(radioModeFor("FM")->radioMode, 4);
    EXPECT_EQ(radioModeFor("AM")->radioMode, 5);
    EXPECT_EQ(radioModeFor("CWR")->radioMode, 7);
}

TEST(RigModes, DataModesShareModeSixAndDifferInTheDataType) {
    EXPECT_EQ(radioModeFor("RTTY")->radioMode, 6);
    EXPECT_EQ(radioModeFor("RTTY")->dataType, DataType::Rtty);
    EXPECT_EQ(radioModeFor("PKTLSB")->dataType, DataType::UserLsb);
    EXPECT_EQ(radioModeFor("PKTUSB")->dataType, DataType::UserUsb);
    EXPECT_EQ(protocolModeFor(6, 0)->protocolName, "RTTY");
    EXPECT_EQ(protocolModeFor(6, 1)->protocolName, "PKTLSB");
    EXPECT_EQ(protocolModeFor(6, 2)->protocolName, "PKTUSB");
    // A missing or odd menu value reads as the menu's default.
    EXPECT_EQ(protocolModeFor(6, -1)->protocolName, "RTTY");
    EXPECT_EQ(protocolModeFor(6, 7)->protocolName, "RTTY");
}

TEST(RigModes, ModesWithoutANameReadAsWhatThePanelShows) {
    EXPECT_EQ(protocolModeFor(11, 0)->protocolName, "FM");
    EXPECT_EQ(protocolModeFor(8, 2)->protocolName, "PKTUSB");
    EXPECT_EQ(protocolModeFor(12, 0)->protocolName, "RTTY");
    EXPECT_FALSE(protocolModeFor(10, 0));
    EXPECT_FALSE(protocolModeFor(0, 0));
    EXPECT_FALSE(protocolModeFor(13, 0));
}

TEST(RigModes, NamesTheRadioLacksOrMisspelledAreNotMapped) {
    for (const char* name : {"WFM", "RTTYR", "PKTFM", "usb", "", "?"})
        EXPECT_FALSE(radioModeFor(name)) << name;
}

TEST(RigModes, TheListAndMaskCoverTheTable) {
    EXPECT_EQ(protocolModeList(), "LSB USB CW FM AM RTTY PKTLSB PKTUSB CWR ");
    EXPECT_EQ(protocolModeMask(), 0xcbfu);
}

}  // namespace
}  // namespace panelink::net
