// The panel's keys, labels, pop-ups, windows and the COM connect, in virtual time.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "panelink/core/timer_ids.h"
#include "panelink/menu/menu_item.h"
#include "panelink/panel/tests/panel_controller_rig.h"

namespace panelink::paneltest {
namespace {

using ::testing::ElementsAre;
using F = RadioField;

using KeyTest = ControllerTest;

TEST_F(KeyTest, ALockClickSendsTheToggleAndDrawsTheKeyPressedThenReleased) {
    press(kLockKey);
    EXPECT_EQ(takeRequests(), std::vector{plain(Request::ToggleLock)});
    EXPECT_EQ(window.last(WindowMessage::LockKey), 1u);
    release(kLockKey);
    EXPECT_EQ(window.last(WindowMessage::LockKey), 0u);
    EXPECT_EQ(controller.activeControl(), PanelCode::None);
    EXPECT_FALSE(time.isTimerRunning(kTimerControlHold));
}

TEST_F(KeyTest, AKeyLeftWithTheButtonDownIsReleasedAtTheNextHoldTick) {
    press(kLockKey);
    pointer.at = kEmptyPanel;  // dragged off the key, button still down
    advance(99);
    EXPECT_EQ(window.last(WindowMessage::LockKey), 1u);
    advance(1);
    EXPECT_EQ(window.last(WindowMessage::LockKey), 0u);
    EXPECT_EQ(takeRequests().size(), 1u) << "the request goes out on the press only";
}

TEST_F(KeyTest, AReleaseDeliveredElsewhereStillReleasesTheKey) {
    press(kLockKey);
    pointer.left = false;  // the release went to another window
    advance(100);
    EXPECT_EQ(window.last(WindowMessage::LockKey), 0u);
    EXPECT_EQ(controller.activeControl(), PanelCode::None);
}

TEST_F(KeyTest, TheNoiseBlankerKeySwitchesOffFromEitherOnState) {
    for (const auto& [state, sent] : {std::pair{0, 1}, std::pair{1, 0}, std::pair{2, 0}}) {
        radio.store(F::NB, state);
        click(kNbKey);
        EXPECT_EQ(takeRequests(), std::vector{readBack(Request::SetNoiseBlanker, sent)})
            << "NB state " << state;
    }
}

TEST_F(KeyTest, VoxTogglesBreakInInCwAndSendsNothingInData) {
    radio.store(F::MD_0, 3);
    click(kVoxKey);
    EXPECT_EQ(takeRequests(), std::vector{plain(Request::ToggleBreakIn)});
    radio.store(F::MD_0, 6);
    click(kVoxKey);
    EXPECT_TRUE(takeRequests().empty());
    radio.store(F::MD_0, 2);
    click(kVoxKey);
    EXPECT_EQ(takeRequests(), std::vector{plain(Request::ToggleVox)});
}

TEST_F(KeyTest, PlusWhileTheShiftIsPlusSendsSimplex) {
    click(kPlusLabel);
    EXPECT_EQ(takeRequests(), std::vector{plain(Request::SetRepeaterPlus)});
    radio.store(F::OS_0, 1);
    click(kPlusLabel);
    EXPECT_EQ(takeRequests(), std::vector{plain(Request::SetRepeaterSimplex)});
}

TEST_F(KeyTest, TheEncoderLabelActsOnlyInFmModes) {
    radio.store(F::MD_0, 2);  // USB
    click(kEncLabel);
    EXPECT_TRUE(takeRequests().empty());
    radio.store(F::MD_0, 4);
    click(kEncLabel);
    EXPECT_EQ(takeRequests(), std::vector{plain(Request::SetToneEncoder)});
    radio.store(F::CT_0, 2);
    click(kEncLabel);
    EXPECT_EQ(takeRequests(), std::vector{plain(Request::SetToneOff)});
}

TEST_F(KeyTest, AModeLabelSelectsItsMode) {
    click(kUsbLabel);
    EXPECT_EQ(takeRequests(), std::vector{plain(Request::SelectModeUsb)});
}

TEST_F(KeyTest, ARightClickOnClarClearsOnlyWhileTheClarifierIsOn) {
    rightClick(kClarKey);
    EXPECT_TRUE(takeRequests().empty());
    advance(100);  // the hold check releases the key
    radio.store(F::RT, 1);
    pointer.at = kClarKey;
    pointer.right = true;
    controller.rightPress(kClarKey);
    EXPECT_EQ(takeRequests(), std::vector{plain(Request::ClearClarifier)});
    advance(300);
    EXPECT_EQ(controller.activeControl(), PanelCode::ClarClear) << "held with the right button";
    pointer.right = false;
    advance(100);
    EXPECT_EQ(controller.activeControl(), PanelCode::None);
}

// ---- Pop-ups ----

using PopupTest = ControllerTest;

TEST_F(PopupTest, TheAttIpoChoiceSendsBothRequestsInOrderWithReadBack) {
    popups.answers = {3};  // "ATT ON   IPO OFF"
    click(kIpoAttKey);
    ASSERT_EQ(popups.shown.size(), 1u);
    EXPECT_EQ(popups.shown[0].position, (PanelPoint{165, 260}));
    EXPECT_EQ(popups.shown[0].texts[2], "ATT ON   IPO OFF");
    EXPECT_EQ(popups.shown[0].checked, std::set<int>{1}) << "ATT off, IPO off";
    EXPECT_EQ(takeRequests(),
              (std::vector{readBack(Request::SetAttenuator, 3), readBack(Request::SetIpo, 1)}));
    EXPECT_THAT(
        window.all(WindowMessage::IpoAttKey),
        ElementsAre(message(WindowMessage::IpoAttKey, 1), message(WindowMessage::IpoAttKey, 0)));
}

TEST_F(PopupTest, ADismissedPopupSendsNothingAndReleasesTheKey) {
    click(kAgcKey);
    EXPECT_EQ(popups.shown.size(), 1u);
    EXPECT_TRUE(takeRequests().empty());
    EXPECT_EQ(window.last(WindowMessage::AgcKey), 0u);
    EXPECT_EQ(controller.activeControl(), PanelCode::None);
}

TEST_F(PopupTest, TheModePopupOfARightClickSendsItsChoiceWithoutReadBack) {
    radio.store(F::MD_0, 5);
    popups.answers = {4};  // "CW-R"
    rightClick(kModeDownKey);
    ASSERT_EQ(popups.shown.size(), 1u);
    EXPECT_EQ(popups.shown[0].position, (PanelPoint{263, 307}));
    EXPECT_EQ(popups.shown[0].checked, std::set<int>{5}) << "AM";
    EXPECT_EQ(takeRequests(), std::vector{plain(Request::SelectModeCwReverse)});
}

TEST_F(PopupTest, TheDspWidthItemOpensTheWidthPopupWhoseChoiceIsReadBack) {
    popups.answers = {4, 2};  // "WIDTH  ", then "MIDDLE"
    click(kDspKey);
    ASSERT_EQ(popups.shown.size(), 2u);
    EXPECT_EQ(popups.shown[1].position, (PanelPoint{128, 260}));
    EXPECT_EQ(takeRequests(), std::vector{readBack(Request::SetWidthPreset, 16)});
}

TEST_F(PopupTest, ABandRightClickWithoutAnswerOpensThePopupAfterOneSecondOnce) {
    radio.store(F::BS, 5);  // counted one lower: the fifth item, "14  "
    rightClick(kBandUpKey);
    EXPECT_EQ(takeRequests(), std::vector{plain(Request::ReadBand)});
    advance(999);
    EXPECT_TRUE(popups.shown.empty());
    advance(1);
    ASSERT_EQ(popups.shown.size(), 1u);
    EXPECT_EQ(popups.shown[0].position, (PanelPoint{588, 259}));
    EXPECT_EQ(popups.shown[0].checked, std::set<int>{5});
    controller.onBandReported();  // the answer comes late
    advance(3000);
    EXPECT_EQ(popups.shown.size(), 1u);
    EXPECT_EQ(controller.activeControl(), PanelCode::None);
}

TEST_F(PopupTest, TheBandAnswerOpensThePopupAtOnceAndTheTimerNoSecondOne) {
    popups.answers = {10};  // "50  "
    rightClick(kBandUpKey);
    takeRequests();
    advance(300);
    controller.onBandReported();
    EXPECT_EQ(popups.shown.size(), 1u);
    EXPECT_EQ(takeRequests(), std::vector{plain(Request::SelectBand50)});
    advance(2000);
    EXPECT_EQ(popups.shown.size(), 1u);
}

TEST_F(PopupTest, TheStepPopupFollowsTheModeAndOpensOnTheStepAnswer) {
    radio.store(F::MD_0, 4);
    radio.store(F::ST, 2);
    click(kStepKey);
    EXPECT_EQ(takeRequests(), std::vector{plain(Request::ReadStepLater)});
    controller.onStepReported();
    ASSERT_EQ(popups.shown.size(), 1u);
    EXPECT_EQ(popups.shown[0].texts.size(), 8u) << "the FM steps";
    EXPECT_EQ(popups.shown[0].texts[1], "6.25kHz");
    EXPECT_EQ(popups.shown[0].checked, std::set<int>{3});
}

TEST_F(PopupTest, AnAnswerDuringAPopupWaitsUntilThePopupHasClosed) {
    rightClick(kBandUpKey);
    popups.during = [this] {
        popups.during = nullptr;
        controller.onStepReported();  // nothing pending for STEP: no effect later either
        controller.onBandReported();  // the band pop-up is the one showing
    };
    advance(1000);
    EXPECT_EQ(popups.shown.size(), 1u);
}

// ---- Windows ----

using WindowTest = ControllerTest;

TEST_F(WindowTest, WithTheCwWindowOpenOnlyTheDspKeyStillWorks) {
    controller.onMenuCommand(kMenuCw);
    ASSERT_TRUE(controller.windows().isOpen(AuxWindow::Cw));
    EXPECT_FALSE(host.menuEnabled);
    click(kLockKey);
    click(kUsbLabel);
    rightClick(kBandUpKey);
    EXPECT_TRUE(takeRequests().empty());
    click(kDspKey);
    EXPECT_EQ(popups.shown.size(), 1u);
    EXPECT_EQ(host.focused.back(), AuxWindow::Cw) << "a press brings the open window forward";
}

TEST_F(WindowTest, TheDspLabelsOpenTheirWindowsAndTheFullRedrawFollows) {
    controller.onMenuCommand(kMenuPlayback);
    click({60, 95});  // CONTOUR label, exempt while Playback is open
    EXPECT_TRUE(controller.windows().isOpen(AuxWindow::Contour));
    EXPECT_TRUE(time.isTimerRunning(kTimerFullRedraw));
    click({60, 109});  // NOTCH: not exempt any more with CONTOUR open
    EXPECT_FALSE(controller.windows().isOpen(AuxWindow::Notch));
    controller.onWindowClosed(AuxWindow::Contour, 0);
    controller.onWindowClosed(AuxWindow::Playback, 0);
    EXPECT_TRUE(host.menuEnabled);
}

TEST_F(WindowTest, TheVccItemPollsTheSupplyUntilTheWindowCloses) {
    popups.answers = {7};  // "VCC        "
    click({748, 54});      // C.S
    EXPECT_TRUE(controller.windows().isOpen(AuxWindow::Vcc));
    EXPECT_EQ(takeRequests(), std::vector{plain(Request::ReadVcc)});
    advance(300);
    EXPECT_EQ(takeRequests().size(), 3u);
    controller.onWindowClosed(AuxWindow::Vcc, 0);
    advance(300);
    EXPECT_TRUE(takeRequests().empty());
}

TEST_F(WindowTest, EnterWithoutAVfoSetWindowLeavesNoControlActive) {
    host.existing.erase(AuxWindow::VfoSet);
    controller.cancelSelection();
    EXPECT_EQ(controller.activeControl(), PanelCode::None);
    EXPECT_TRUE(takeRequests().empty());
}

TEST_F(WindowTest, AVfoSetFrequencyIsSetOnTheOperatingVfo) {
    radio.store(F::VS, 1);
    click(kEmptyPanel);  // copies the VFO-B flag
    controller.onWindowClosed(AuxWindow::VfoSet, 14074000);
    EXPECT_EQ(takeRequests(), std::vector{readBack(Request::SetVfoBFrequency, 14074000)});
}

TEST_F(WindowTest, ExitSendsTheExitMessageAndTheVersionItemShowsTheBox) {
    controller.onMenuCommand(kMenuVersion);
    EXPECT_EQ(window.versionBoxes, 1);
    controller.onMenuCommand(kMenuExit);
    EXPECT_TRUE(window.last(WindowMessage::Exit).has_value());
}

TEST_F(WindowTest, TheCloseStepWithTheMenuListOpenUnlocksThePanelAndWaitsHalfASecond) {
    host.existing.insert(AuxWindow::MenuList);
    ASSERT_TRUE(controller.windows().open(AuxWindow::MenuList));
    bool ended = false;
    controller.closeStep([&] { ended = true; });
    EXPECT_EQ(takeRequests(), std::vector{readBack(Request::SetPanelLock, 3)});
    advance(499);
    EXPECT_FALSE(ended);
    advance(1);
    EXPECT_TRUE(ended);
}

// ---- COM ----

using ComTest = ControllerTest;

TEST_F(ComTest, ComWhileConnectedSwitchesAutoInformationAndShowsNoNotice) {
    connect();
    time.setTimer(kTimerConnect, platform::Milliseconds(1500));
    click(kComKey);
    EXPECT_EQ(takeRequests(), std::vector{plain(Request::SwitchAutoInfo)});
    EXPECT_FALSE(time.isTimerRunning(kTimerConnect));
    advance(5000);
    EXPECT_TRUE(host.created.empty());
}

TEST_F(ComTest, ComWithTheRadioOffPowersOnRetriesFourTimesThenReportsTheFailure) {
    radio.store(F::CO_0, 2);
    press(kComKey);
    EXPECT_EQ(radio.get(F::CO_0), 0);
    EXPECT_EQ(takeRequests(), std::vector{plain(Request::SwitchPower)});
    release(kComKey);  // held back until the pause is over
    advance(99);
    EXPECT_TRUE(link.requests.empty());
    advance(1);
    EXPECT_EQ(takeRequests(), std::vector{plain(Request::SwitchAutoInfo)});
    EXPECT_EQ(window.last(WindowMessage::ComKey), 0u) << "the release ran after the pause";

    advance(1500);
    EXPECT_EQ(host.created, std::vector{AuxWindow::ConnectingNotice});
    EXPECT_FALSE(host.menuEnabled);
    for (int retry = 1; retry <= 4; ++retry) {
        advance(1000);
        EXPECT_EQ(takeRequests(), std::vector{plain(Request::SwitchAutoInfo)}) << retry;
    }
    EXPECT_TRUE(window.boxes.empty());
    advance(1000);
    EXPECT_EQ(window.boxes, std::vector{111});
    EXPECT_EQ(host.destroyed, std::vector{AuxWindow::ConnectingNotice});
    EXPECT_TRUE(host.menuEnabled);
    advance(5000);
    EXPECT_TRUE(takeRequests().empty());
}

TEST_F(ComTest, AConnectionDuringTheNoticeClosesItAndEndsTheRetries) {
    radio.store(F::PS, 1);
    click(kComKey);
    advance(2600);
    ASSERT_TRUE(controller.windows().isOpen(AuxWindow::ConnectingNotice));
    connect();
    controller.onConnectionChanged();
    EXPECT_FALSE(controller.windows().isOpen(AuxWindow::ConnectingNotice));
    EXPECT_TRUE(host.menuEnabled);
    takeRequests();
    advance(10000);
    EXPECT_TRUE(takeRequests().empty());
    EXPECT_TRUE(window.boxes.empty());
}

TEST_F(ComTest, NoNoticeWhenThePortCannotBeUsed) {
    radio.store(F::PS, 1);
    link.usable = false;
    click(kComKey);
    advance(3000);
    EXPECT_TRUE(host.created.empty());
}

}  // namespace
}  // namespace panelink::paneltest
