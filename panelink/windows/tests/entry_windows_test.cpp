// VFO SET, Command Send, VCC and MIC EQ without widgets.
#include <gtest/gtest.h>

#include "panelink/cat/radio_state.h"
#include "panelink/menu/menu_item_table.h"
#include "panelink/windows/command_entry.h"
#include "panelink/windows/mic_eq_preset.h"
#include "panelink/windows/tests/command_wire.h"
#include "panelink/windows/vcc_reading.h"
#include "panelink/windows/vfo_set_entry.h"
#include "shared/platform/testing/recording_window.h"

namespace panelink::windowtest {
namespace {

using Texts = std::vector<std::string>;
using platform::Message;

class EntryTest : public ::testing::Test {
  protected:
    std::vector<Message> closings(WindowMessage closed) const {
        std::vector<Message> found;
        for (const Message& m : mainWindow_.posted()) {
            if (m.id == id(closed)) found.push_back(m);
        }
        return found;
    }

    CommandWire wire_;
    platform::RecordingWindow mainWindow_;
};

// --- VFO SET ---------------------------------------------------------------------------------

TEST(VfoSetFrequency, UpToEightDigitsGiveTheFrequencyAndAnythingElseGivesNone) {
    EXPECT_EQ(VfoSetEntry::frequencyOf("14250000"), 14250000u);
    EXPECT_EQ(VfoSetEntry::frequencyOf("99999999"), 99999999u);
    EXPECT_EQ(VfoSetEntry::frequencyOf("00007000"), 7000u);
    EXPECT_EQ(VfoSetEntry::frequencyOf(""), 0u);
    EXPECT_EQ(VfoSetEntry::frequencyOf("123456789"), 0u);
    EXPECT_EQ(VfoSetEntry::frequencyOf("14.250"), 0u);
}

TEST_F(EntryTest, VfoSetOkCarriesTheFrequencyOnceAndCancelCarriesNone) {
    VfoSetEntry ok(mainWindow_);
    ok.confirm("7100000");
    ok.confirm("7200000");
    ok.cancel();
    VfoSetEntry cancelled(mainWindow_);
    cancelled.cancel();
    VfoSetEntry empty(mainWindow_);
    empty.confirm("");
    EXPECT_EQ(closings(WindowMessage::VfoSetClosed),
              (std::vector<Message>{message(WindowMessage::VfoSetClosed, 7100000),
                                    message(WindowMessage::VfoSetClosed, 0),
                                    message(WindowMessage::VfoSetClosed, 0)}));
}

// --- Command Send ----------------------------------------------------------------------------

TEST_F(EntryTest, CommandSendSendsTheTextByteForByteAndCloses) {
    CommandEntry entry(wire_, mainWindow_);
    entry.confirm("fa14250000");
    EXPECT_EQ(wire_.handedOver, Texts{"fa14250000"}) << "no ';' added, case kept";
    EXPECT_EQ(wire_.takeCommands(), Texts{"fa14250000"});
    EXPECT_EQ(closings(WindowMessage::CommandSendClosed).size(), 1u);
}

TEST_F(EntryTest, CommandSendSendsSeveralCommandsTypedTogetherAsOneEntry) {
    CommandEntry entry(wire_, mainWindow_);
    entry.confirm("FA;FB;");
    EXPECT_EQ(wire_.takeCommands(), Texts{"FA;FB;"});
}

TEST_F(EntryTest, CommandSendNeverSendsANulByte) {
    CommandEntry entry(wire_, mainWindow_);
    entry.confirm(std::string_view("FA;\0FB;", 7));
    EXPECT_TRUE(wire_.handedOver.empty());
    EXPECT_TRUE(wire_.takeCommands().empty());
    EXPECT_EQ(closings(WindowMessage::CommandSendClosed).size(), 1u);
}

TEST_F(EntryTest, CommandSendTakesFiveHundredBytesButNotOneMoreNorNone) {
    EXPECT_TRUE(CommandEntry::sendable(std::string(500, 'A')));
    EXPECT_FALSE(CommandEntry::sendable(std::string(501, 'A')));
    EXPECT_FALSE(CommandEntry::sendable(""));

    CommandEntry empty(wire_, mainWindow_);
    empty.confirm("");
    CommandEntry cancelled(wire_, mainWindow_);
    cancelled.cancel();
    cancelled.confirm("FA;");
    EXPECT_TRUE(wire_.handedOver.empty());
    EXPECT_EQ(closings(WindowMessage::CommandSendClosed).size(), 2u);
}

// --- VCC -------------------------------------------------------------------------------------

TEST(VccText, TheVoltageStandsRightAlignedInFiveCharactersWithOneDecimal) {
    EXPECT_EQ(vccText(5), "Vcc =   0.5 V");
    EXPECT_EQ(vccText(138), "Vcc =  13.8 V");
    EXPECT_EQ(vccText(0), "Vcc =   0.0 V");
    EXPECT_EQ(vccText(999), "Vcc =  99.9 V");
}

TEST_F(EntryTest, VccShowsNothingUntilTheFirstAnswerAndClosesOnce) {
    VccReading vcc(wire_.radio(), mainWindow_);
    EXPECT_EQ(vcc.text(), "");
    ASSERT_TRUE(wire_.radio().store(RadioField::VC, 5));
    vcc.onVoltageReported();
    EXPECT_EQ(vcc.text(), "Vcc =   0.5 V");
    EXPECT_TRUE(vcc.close());
    EXPECT_FALSE(vcc.close());
    EXPECT_EQ(closings(WindowMessage::VccClosed).size(), 1u);
}

// --- MIC EQ ----------------------------------------------------------------------------------

class MicEqTest : public EntryTest {
  protected:
    void setMicEq(double value) { ASSERT_TRUE(wire_.menu().setValueOfKind(kKindMicEq, value)); }
    MenuItem micEqItem() const {
        MenuItem item;
        EXPECT_TRUE(wire_.rig.menu.copyOutByKind(kKindMicEq, item));
        return item;
    }
};

TEST_F(MicEqTest, TheItemsValueIsCheckedAndAValueOutsideThePresetsChecksNone) {
    setMicEq(7);
    EXPECT_EQ(MicEqPreset(wire_.menu(), wire_, mainWindow_).checkedPreset(), 7);
    setMicEq(12);
    EXPECT_EQ(MicEqPreset(wire_.menu(), wire_, mainWindow_).checkedPreset(), std::nullopt);
}

TEST_F(MicEqTest, WithoutTheItemThePresetCountsAsOneAndChoosingSendsNothing) {
    MenuItemTable empty;
    MicEqPreset preset(empty, wire_, mainWindow_);
    EXPECT_EQ(preset.checkedPreset(), 1);
    preset.choose(4);
    EXPECT_TRUE(wire_.takeCommands().empty());
}

TEST_F(MicEqTest, ChoosingAnotherPresetWritesTheMenuItem) {
    setMicEq(5);
    MicEqPreset preset(wire_.menu(), wire_, mainWindow_);
    preset.choose(3);
    EXPECT_EQ(wire_.takeCommands(), Texts{"EX0373;"});
    EXPECT_EQ(micEqItem().value, 3.0);
    EXPECT_EQ(micEqItem().changed, 0) << "the write has cleared the mark";
}

TEST_F(MicEqTest, ChoosingTheSamePresetAgainSendsNothing) {
    setMicEq(5);
    MicEqPreset preset(wire_.menu(), wire_, mainWindow_);
    preset.choose(5);
    preset.choose(9);
    preset.choose(9);
    preset.choose(10);
    EXPECT_EQ(wire_.takeCommands(), Texts{"EX0379;"});
}

TEST_F(MicEqTest, ClosingIsReportedOnce) {
    MicEqPreset preset(wire_.menu(), wire_, mainWindow_);
    EXPECT_TRUE(preset.close());
    EXPECT_FALSE(preset.close());
    EXPECT_EQ(closings(WindowMessage::MicEqClosed).size(), 1u);
}

}  // namespace
}  // namespace panelink::windowtest
