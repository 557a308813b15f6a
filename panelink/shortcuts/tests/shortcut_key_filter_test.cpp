// The function keys in virtual time: which keys are shortcuts, what a key's line sends and
// when, and when nothing is sent.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "panelink/core/timer_ids.h"
#include "panelink/shortcuts/tests/shortcut_test_rig.h"

namespace panelink::shortcutstest {
namespace {

using platform::Milliseconds;
using Strings = std::vector<std::string>;

using ShortcutSending = ShortcutRig;

TEST_F(ShortcutSending, EachCommandOfALineFollowsTheOneBeforeTwoMillisecondsPerCharacterLater) {
    writeLines({"FA014250000;MD03;"});  // 12 and 5 characters
    EXPECT_TRUE(press(plain(BaseKey::F2)));
    EXPECT_EQ(link_.queued, (std::vector<Queued>{{0, "FA014250000;"}}));

    time_.advance(Milliseconds(23));
    EXPECT_EQ(link_.queued.size(), 1U);
    time_.advance(Milliseconds(1));
    EXPECT_EQ(link_.queued, (std::vector<Queued>{{0, "FA014250000;"}, {24, "MD03;"}}));

    // The keys stay taken until the step after the last command, 10 ms on.
    time_.advance(Milliseconds(9));
    EXPECT_TRUE(filter_.sending());
    time_.advance(Milliseconds(1));
    EXPECT_FALSE(filter_.sending());
    EXPECT_FALSE(time_.isTimerRunning(kTimerShortcut));
    EXPECT_EQ(link_.queued.size(), 2U);
}

TEST_F(ShortcutSending, TextWithoutAClosingSemicolonIsNeverSent) {
    writeLines({"FA14250000", "FA014250000;MD0"});
    EXPECT_TRUE(press(plain(BaseKey::F2)));
    EXPECT_TRUE(link_.queued.empty());
    EXPECT_FALSE(filter_.sending());

    EXPECT_TRUE(press(plain(BaseKey::F3)));
    time_.advance(Milliseconds(24));
    EXPECT_EQ(link_.texts(), Strings{"FA014250000;"});
    EXPECT_FALSE(filter_.sending());
    EXPECT_FALSE(time_.isTimerRunning(kTimerShortcut));
}

TEST_F(ShortcutSending, AKeyPressedWhileALineIsGoingOutIsDroppedNotKeptForLater) {
    writeLines({"FA014250000;MD03;", "MD01;"});
    press(plain(BaseKey::F2));
    time_.advance(Milliseconds(5));
    EXPECT_TRUE(press(plain(BaseKey::F3)));  // consumed all the same
    time_.advance(Milliseconds(1000));
    EXPECT_EQ(link_.texts(), (Strings{"FA014250000;", "MD03;"}));

    EXPECT_EQ(sentBy(plain(BaseKey::F3)), Strings{"MD01;"});
}

TEST_F(ShortcutSending, AShortFileDefinesItsLinesOnlyAndTheOtherKeysSendNothing) {
    Strings lines;
    for (int slot = 0; slot < 10; ++slot)
        lines.push_back("C" + std::to_string(slot) + ";");
    writeLines(lines);
    const BaseKey defined[] = {BaseKey::F2, BaseKey::F3, BaseKey::F4, BaseKey::F5,  BaseKey::F6,
                               BaseKey::F7, BaseKey::F8, BaseKey::F9, BaseKey::F11, BaseKey::F12};
    for (int slot = 0; slot < 10; ++slot)
        EXPECT_EQ(sentBy(plain(defined[slot])), Strings{"C" + std::to_string(slot) + ";"});

    EXPECT_TRUE(press(plain(BaseKey::Home)));
    EXPECT_TRUE(press(shift(BaseKey::F1)));
    EXPECT_TRUE(press(alt(BaseKey::F12)));
    time_.advance(Milliseconds(100));
    EXPECT_EQ(link_.queued.size(), 10U);
}

TEST_F(ShortcutSending, LineEndsNeverGoOutWithTheCommands) {
    writeBytes("FA1;\r\nMD2;\nEX001;");
    EXPECT_EQ(sentBy(plain(BaseKey::F2)), Strings{"FA1;"});
    EXPECT_EQ(sentBy(plain(BaseKey::F3)), Strings{"MD2;"});
    EXPECT_EQ(sentBy(plain(BaseKey::F4)), Strings{"EX001;"});
}

// 200 + 50 characters of whole commands, then one that the 255th character cuts, then more.
TEST_F(ShortcutSending, ALineLongerThan255CharactersSendsWhatItsFirst255HoldAndNoMore) {
    const std::string first = "FA" + std::string(197, '0') + ";";
    const std::string second = "FB" + std::string(47, '1') + ";";
    const std::string line = first + second + "MD12345;" + std::string(42, 'X');
    ASSERT_EQ(line.size(), 300U);
    writeLines({line, "EX001;"});

    EXPECT_EQ(sentBy(plain(BaseKey::F2)), (Strings{first, second}));
    EXPECT_EQ(sentBy(plain(BaseKey::F3)), Strings{"EX001;"});
}

TEST_F(ShortcutSending, NoNulByteReachesTheLink) {
    writeBytes(std::string("FA1\0;MD2;\r\n", 11));
    EXPECT_EQ(sentBy(plain(BaseKey::F2)), (Strings{"FA1;", "MD2;"}));
}

TEST_F(ShortcutSending, AMissingFileSendsNothingButTheKeyIsConsumed) {
    EXPECT_TRUE(press(plain(BaseKey::F2)));
    EXPECT_TRUE(link_.queued.empty());
    EXPECT_FALSE(filter_.sending());
}

TEST_F(ShortcutSending, TheFileIsReadAgainAtEveryPressSoAnEditCountsAtOnce) {
    writeLines({"MD01;"});
    EXPECT_EQ(sentBy(plain(BaseKey::F2)), Strings{"MD01;"});
    writeLines({"MD03;"});
    EXPECT_EQ(sentBy(plain(BaseKey::F2)), Strings{"MD03;"});
}

TEST_F(ShortcutSending, WhileTheKeysAreBlockedTheyAreConsumedAndSendNothing) {
    writeLines({"MD01;"});
    keysBlocked_ = true;
    EXPECT_TRUE(press(plain(BaseKey::F2)));
    time_.advance(Milliseconds(100));
    EXPECT_TRUE(link_.queued.empty());

    keysBlocked_ = false;
    EXPECT_EQ(sentBy(plain(BaseKey::F2)), Strings{"MD01;"});
}

using ShortcutKeys = ShortcutRig;

TEST_F(ShortcutKeys, ShiftCountsBeforeCtrlAndAltAloneSelectsTheAltKeys) {
    writeSlotNames();
    EXPECT_EQ(sentBy(shift(BaseKey::F5)), Strings{"S14;"});
    EXPECT_EQ(sentBy({BaseKey::F5, true, true, false}), Strings{"S14;"});  // Ctrl+Shift+F5
    EXPECT_EQ(sentBy(ctrl(BaseKey::F12)), Strings{"S31;"});
    EXPECT_EQ(sentBy(alt(BaseKey::F5)), Strings{"S35;"});
    EXPECT_EQ(sentBy({BaseKey::F2, true, false, true}), Strings{"S33;"});  // Alt+Shift+F2
    // Ctrl+Alt is not the system-key path: the Ctrl key.
    EXPECT_EQ(sentBy({BaseKey::F2, false, true, true}), Strings{"S22;"});
    EXPECT_EQ(sentBy(plain(BaseKey::PageUp)), Strings{"S42;"});
    EXPECT_EQ(sentBy(plain(BaseKey::End)), Strings{"S45;"});
}

TEST_F(ShortcutKeys, KeysOutsideTheTableKeepTheirOrdinaryMeaning) {
    writeSlotNames();
    EXPECT_FALSE(press(shift(BaseKey::PageUp)));
    EXPECT_FALSE(press(ctrl(BaseKey::Home)));
    EXPECT_FALSE(press(alt(BaseKey::End)));
    EXPECT_FALSE(press(plain(BaseKey::F10), true));
    EXPECT_FALSE(press(shift(BaseKey::F10)));
    EXPECT_FALSE(press(ctrl(BaseKey::F10)));
    EXPECT_FALSE(press(alt(BaseKey::F4)));
    EXPECT_FALSE(press(alt(BaseKey::F6)));
    EXPECT_FALSE(press(ShortcutKeyEvent{}, true));
    time_.advance(Milliseconds(100));
    EXPECT_TRUE(link_.queued.empty());
    EXPECT_EQ(versionBoxes_, 0);
}

TEST_F(ShortcutKeys, F1OpensTheVersionBoxOnlyInTheOrdinaryStateAndNeverSends) {
    writeSlotNames();
    EXPECT_TRUE(press(plain(BaseKey::F1), true));
    EXPECT_EQ(versionBoxes_, 1);
    EXPECT_TRUE(press(plain(BaseKey::F1), false));
    EXPECT_EQ(versionBoxes_, 1);
    time_.advance(Milliseconds(100));
    EXPECT_TRUE(link_.queued.empty());

    // With a modifier it is a key like the others.
    EXPECT_EQ(sentBy(ctrl(BaseKey::F1)), Strings{"S21;"});
    EXPECT_EQ(versionBoxes_, 1);
}

}  // namespace
}  // namespace panelink::shortcutstest
