#include "panelink/link/receive_framer.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "shared/platform/serial_device.h"

namespace panelink {
namespace {

using platform::kLineErrorBreak;
using platform::kLineErrorFraming;
using platform::kLineErrorParity;

constexpr std::size_t kSize = ReceiveFramer::kBufferSize;

// A radio menu for the "EX" rule: items 1..itemCount; item 5 is a text item, item 65 has 11
// digits, item 67 none, every other item 3.
struct FakeMenu {
    int itemCount = 67;

    std::optional<MenuAnswerShape> operator()(int number) const {
        if (number < 1 || number > itemCount) return std::nullopt;
        if (number == 5) return MenuAnswerShape{41, true};
        if (number == 65) return MenuAnswerShape{11, false};
        if (number == 67) return MenuAnswerShape{0, false};
        return MenuAnswerShape{3, false};
    }
};

// A framer fed one piece of work at a time: append what a read brought, then one step.
struct Feed {
    FakeMenu menu;
    ReceiveFramer framer{[this](int number) { return menu(number); }};
    std::vector<std::string> answers;

    void tick(std::string_view bytes = {}, std::uint32_t errors = 0) {
        EXPECT_EQ(framer.append(bytes), bytes.size());
        framer.step(errors, [this](std::string_view answer) { answers.emplace_back(answer); });
        expectSound();
    }
    void ticks(int n) {
        for (int i = 0; i < n; ++i)
            tick();
    }
    // One byte per poll, as a slow line delivers it, then a few empty polls.
    void byteByByte(std::string_view text) {
        for (char c : text)
            tick(std::string_view(&c, 1));
        ticks(3);
    }
    void expectSound() const {
        ASSERT_LT(framer.count(), kSize);
        const std::string_view buffer = framer.buffer();
        ASSERT_EQ(buffer.size(), kSize);
        EXPECT_EQ(buffer.find_first_not_of('\xFF', framer.count()), std::string_view::npos)
            << "bytes behind the held ones must be marked not received";
        for (const std::string& answer : answers) {
            EXPECT_LE(answer.size(), ReceiveFramer::kMaxAnswerLength);
            EXPECT_EQ(answer.find(';'), std::string::npos) << answer;
        }
    }
};

using Answers = std::vector<std::string>;

TEST(ReceiveFramer, SplitAnswerWaitsForItsLengthAndIsDeliveredWithoutTerminator) {
    Feed f;
    f.tick("FA1425");
    EXPECT_TRUE(f.framer.inFrame());
    EXPECT_EQ(f.framer.expectedLength(), 11u);
    EXPECT_EQ(f.framer.letters(), "FA");
    EXPECT_TRUE(f.answers.empty());

    f.tick("0000;");
    EXPECT_EQ(f.answers, Answers{"FA14250000"});
    EXPECT_FALSE(f.framer.inFrame());
    EXPECT_EQ(f.framer.count(), 0u);

    // Several answers in one read come out one per poll, in order.
    f.answers.clear();
    const std::string ifText = "IF" + std::string(24, '1');  // 27 bytes with its ";"
    f.tick("LK1;" + ifText + ";PS1;");
    EXPECT_EQ(f.answers, Answers{"LK1"});
    f.ticks(3);
    EXPECT_EQ(f.answers, (Answers{"LK1", ifText, "PS1"}));
}

// What the receive thread does at each wake: every complete answer comes out, and at most
// the start of one stays.
TEST(ReceiveFramer, FrameAllDeliversEveryCompleteAnswerAndKeepsOnlyTheStartOfTheNext) {
    Feed f;
    const std::string ifText = "IF" + std::string(24, '1');
    f.framer.append("?;LK1;\x01" + ifText + ";EX0681;ZZ123;PS1;FA1425");
    f.framer.frameAll(0, [&](std::string_view answer) { f.answers.emplace_back(answer); });
    EXPECT_EQ(f.answers, (Answers{"LK1", ifText, "ZZ123", "PS1"}));
    EXPECT_EQ(f.framer.held(), "FA1425");
    EXPECT_TRUE(f.framer.inFrame());
    f.expectSound();

    // A stretch that can never become an answer is cut down in the same call.
    Feed flood;
    flood.framer.append(std::string(12000, 'A'));
    flood.framer.frameAll(kLineErrorFraming, {});
    EXPECT_LE(flood.framer.count(), ReceiveFramer::kMaxAnswerLength);
    flood.expectSound();
}

// The port was closed (or reopened) while part of an answer was held: what follows comes
// from another connection and must not complete it.
TEST(ReceiveFramer, ResetLeavesTheFrameSoTheNextAnswerStandsAlone) {
    Feed f;
    f.tick("KM1" + std::string(22, 'A'));  // waits for its ";"
    EXPECT_EQ(f.framer.count(), 25u);
    f.framer.reset();
    f.tick("ID0244;");
    EXPECT_EQ(f.answers, Answers{"ID0244"});

    f.tick("FA1425");
    ASSERT_TRUE(f.framer.inFrame());
    f.framer.reset();
    EXPECT_FALSE(f.framer.inFrame());
    EXPECT_EQ(f.framer.expectedLength(), 0u);
    f.expectSound();
    f.tick("LK1;");
    EXPECT_EQ(f.answers, (Answers{"ID0244", "LK1"}));
}

TEST(ReceiveFramer, RejectReplyAndUnknownAnswers) {
    Feed f;
    f.tick("?;FA14250000;");
    EXPECT_TRUE(f.answers.empty());
    EXPECT_EQ(f.framer.held(), ";FA14250000;");  // "?" skipped on the first poll
    f.tick();
    EXPECT_TRUE(f.answers.empty());
    EXPECT_EQ(f.framer.held(), "FA14250000;");  // ";" on the second
    f.tick();
    EXPECT_EQ(f.answers, Answers{"FA14250000"});

    // Letters outside the answer table run to their ";" and are handed on whole.
    f.answers.clear();
    f.tick("ZZ123;");
    EXPECT_EQ(f.answers, Answers{"ZZ123"});

    // Such an answer too long for a queue slot is never handed on, and what follows still is.
    f.answers.clear();
    f.tick("ZZ" + std::string(600, '1') + ";LK1;");
    f.ticks(4);
    EXPECT_EQ(f.answers, Answers{"LK1"});
    EXPECT_EQ(f.framer.count(), 0u);
}

TEST(ReceiveFramer, KeyerAndIdAnswersRunToTheirTerminatorEvenWhenItArrivesLate) {
    const std::string keyerText = "KM1" + std::string(50, 'Q') + ";";
    ASSERT_EQ(keyerText.size(), 54u);

    Feed whole;
    whole.tick(keyerText);
    EXPECT_EQ(whole.answers, Answers{keyerText.substr(0, 53)});

    // At 4800 baud the ";" comes several polls after the letters: the answer must wait for it
    // rather than be thrown away.
    Feed slow;
    slow.byteByByte("ID0244;");
    slow.byteByByte(keyerText);
    slow.byteByByte("KM2 CQ TEST{;");
    EXPECT_EQ(slow.answers, (Answers{"ID0244", keyerText.substr(0, 53), "KM2 CQ TEST{"}));

    // A stretch that runs out without ";" is no answer; reception goes on behind it.
    Feed runaway;
    runaway.tick("ID0123456789;LK1;");
    runaway.ticks(3);
    EXPECT_EQ(runaway.answers, Answers{"LK1"});
    // As does one broken by a byte that cannot be in an answer.
    Feed broken;
    broken.tick("KM1ab;PS1;");
    broken.ticks(6);
    EXPECT_EQ(broken.answers, Answers{"PS1"});
}

TEST(ReceiveFramer, MenuAnswersFollowTheItemWidthAndBadNumbersAreSkipped) {
    Feed f;
    f.byteByByte("EX06510101010101;");  // 11 digits
    f.byteByByte("EX013024;");          // 3 digits
    f.byteByByte("EX067;");             // no value
    EXPECT_EQ(f.answers, (Answers{"EX06510101010101", "EX013024", "EX067"}));

    // A text item runs to its ";", whatever the length.
    f.answers.clear();
    f.tick("EX0051CQ CQ DE TEST;EX0051;");
    f.ticks(2);
    EXPECT_EQ(f.answers, (Answers{"EX0051CQ CQ DE TEST", "EX0051"}));

    // A number above the item count, zero, or not digits: skipped through its ";", and the
    // answer behind it is not held up.
    for (const std::string bad : {"EX0681;", "EX000123;", "EX1X2;", "EX999999;"}) {
        Feed g;
        g.tick(bad + "FA14250000;");
        g.ticks(4);
        EXPECT_EQ(g.answers, Answers{"FA14250000"}) << bad;
        EXPECT_EQ(g.framer.count(), 0u) << bad;
    }

    // A value of the wrong width is discarded through its ";".
    Feed w;
    w.tick("EX0131;EX01302;EX013024;");
    w.ticks(4);
    EXPECT_EQ(w.answers, Answers{"EX013024"});
}

TEST(ReceiveFramer, GarbageAndBrokenAnswersAreDroppedWithoutLosingTheNextGoodOne) {
    // Junk without any ";" ahead of an answer.
    Feed junk;
    junk.tick(std::string("\x01\x80 ab\x7f\x02") + "FA14250000;");
    junk.ticks(12);
    EXPECT_EQ(junk.answers, Answers{"FA14250000"});
    EXPECT_EQ(junk.framer.count(), 0u);

    // A received 0xFF byte is data, not the "nothing received" mark: the bytes read with it
    // are kept and framed.
    Feed ff;
    ff.tick("\xFFLK1;");
    EXPECT_EQ(ff.framer.held(), "LK1;");  // the 0xFF itself is skipped as garbage
    ff.ticks(2);
    EXPECT_EQ(ff.answers, Answers{"LK1"});
    ff.tick("\xFF");
    ff.tick("PS0;");
    ff.ticks(2);
    EXPECT_EQ(ff.answers, (Answers{"LK1", "PS0"}));

    // An answer cut short: the next one completes its length, ";" is not at its end, and
    // everything through the first ";" goes; the answers behind survive.
    Feed cut;
    cut.tick("FA123;");
    cut.tick("LK1;PS1;");
    cut.ticks(4);
    EXPECT_EQ(cut.answers, (Answers{"LK1", "PS1"}));
    // Even when the expected position happens to hold a ";", a cut-short answer is not handed
    // on with an inner ";".
    Feed inner;
    inner.tick("FA123;LK10;");
    inner.ticks(3);
    EXPECT_TRUE(inner.answers.empty());
    EXPECT_EQ(inner.framer.count(), 0u);
}

TEST(ReceiveFramer, FramingOrBreakErrorResynchronisesOnThePlausibleStart) {
    Feed f;
    f.tick("\x80\x81\x82LK1;", kLineErrorFraming);
    EXPECT_EQ(f.answers, Answers{"LK1"});  // the same poll: nothing left to skip

    Feed b;
    b.tick(
        "\xC0\xC1"
        "FA",
        kLineErrorBreak | kLineErrorParity);
    EXPECT_EQ(b.framer.held(), "FA");
    EXPECT_TRUE(b.framer.inFrame());

    // Nothing plausible at all: the buffer is emptied.
    Feed e;
    e.tick("\x80\x81\x82", kLineErrorFraming);
    EXPECT_EQ(e.framer.count(), 0u);
}

TEST(ReceiveFramer, BufferIsNeverOverrunAndReceptionNeverStalls) {
    // 20000 bytes that never make an answer: printable letters, then random bytes.
    Feed letters;
    const std::string flood(20000, 'A');
    std::size_t offered = 0;
    for (int poll = 0; poll < 60; ++poll) {
        const std::size_t room = letters.framer.freeSpace();
        const std::string_view chunk = std::string_view(flood).substr(offered, 1000);
        const std::size_t taken = letters.framer.append(chunk);
        EXPECT_EQ(taken, std::min(room, chunk.size()));
        offered += taken;
        letters.framer.step(0, [&](std::string_view a) { letters.answers.emplace_back(a); });
        letters.expectSound();
    }
    EXPECT_EQ(offered, flood.size());
    // A full buffer takes no more; one poll trims it again.
    const std::size_t room = letters.framer.freeSpace();
    EXPECT_EQ(letters.framer.append(std::string(kSize, 'A')), room);
    EXPECT_EQ(letters.framer.freeSpace(), 0u);
    letters.tick();
    EXPECT_LE(letters.framer.count(), ReceiveFramer::kMaxAnswerLength);
    // The answer right behind an endless stretch goes with it; the next one comes through.
    letters.tick("FA14250000;LK1;");
    letters.ticks(4);
    EXPECT_EQ(letters.answers, Answers{"LK1"});

    Feed noise;
    std::mt19937 random(7);
    std::string bytes(20000, '\0');
    for (char& c : bytes)
        c = static_cast<char>(random() & 0xFF);
    std::size_t taken = 0;
    while (taken < bytes.size()) {
        taken += noise.framer.append(std::string_view(bytes).substr(taken, 4096));
        noise.framer.step(random() % 4 == 0 ? kLineErrorFraming : 0,
                          [&](std::string_view a) { noise.answers.emplace_back(a); });
        noise.expectSound();
    }
    // A full buffer is drained. A partial answer may still wait at its end; a run of ";"
    // ends it, and a good answer comes through again.
    for (int poll = 0; poll < 20000; ++poll) {
        noise.framer.step(0, [&](std::string_view a) { noise.answers.emplace_back(a); });
        if (poll % 500 == 0) noise.expectSound();
    }
    noise.expectSound();
    EXPECT_LT(noise.framer.count(), 60u);
    noise.tick(std::string(60, ';'));
    noise.ticks(100);
    EXPECT_EQ(noise.framer.count(), 0u);
    noise.answers.clear();
    noise.tick("PS1;");
    noise.ticks(2);
    EXPECT_EQ(noise.answers, Answers{"PS1"});
}

}  // namespace
}  // namespace panelink
