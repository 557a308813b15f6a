#include <gtest/gtest.h>

#include <set>
#include <string>
#include <variant>

#include "panelink/cat/answer_table.h"
#include "panelink/cat/command_tables.h"
#include "panelink/core/messages.h"

namespace panelink {
namespace {

std::string lettersOf(const AnswerRecord& r) {
    return {r.letters[0], r.letters[1]};
}
std::string lettersOf(const CommandRecord& r) {
    return {r.letters[0], r.letters[1]};
}

bool isUpper(char c) {
    return c >= 'A' && c <= 'Z';
}

// A record shadowed by an earlier one with the same letters would never be framed or decoded
// by its own length and rule; two answers posting one update would redraw the wrong part.
TEST(AnswerTable, EachRecordIsFoundByItsLettersAndPostsAnUpdateOfItsOwn) {
    std::set<std::uint32_t> updates;
    for (const auto& r : AnswerTable) {
        SCOPED_TRACE(lettersOf(r));
        EXPECT_TRUE(isUpper(r.letters[0]) && isUpper(r.letters[1]));
        EXPECT_EQ(findAnswer(r.letters[0], r.letters[1]), &r);
        EXPECT_TRUE(updates.insert(id(r.update)).second) << "update shared with another answer";
        EXPECT_NE(r.update, DisplayUpdate::MenuValueChanged);
        // Letters, at least one parameter and ";"; at most what one queue slot carries.
        EXPECT_GE(r.length, 4u);
        EXPECT_LE(r.length, 512u);
    }

    // Menu answers have no fixed length and are not in the table; letters are case-sensitive.
    EXPECT_EQ(findAnswer('E', 'X'), nullptr);
    EXPECT_EQ(findAnswer('l', 'k'), nullptr);
    EXPECT_EQ(findAnswer('\0', '\0'), nullptr);
}

// A field reaching past the ";" never decodes; one ending short of it leaves a parameter
// unread. Only the memory-channel answer ("MR") is decoded in part: its channel number.
TEST(AnswerTable, FieldRulesReadUpToTheTerminatorAndNoFurther) {
    int rules = 0;
    for (const auto& r : AnswerTable) {
        const auto* rule = std::get_if<FieldRule>(&r.decoding);
        if (rule == nullptr) continue;
        ++rules;
        SCOPED_TRACE(lettersOf(r));
        EXPECT_GE(rule->width, 1);
        EXPECT_LE(rule->width, 9);
        if (rule->selectorAt == FieldRule::kNoSelector) {
            EXPECT_GE(rule->valueAt, 2);
            EXPECT_EQ(rule->first, rule->second);
        } else {
            EXPECT_GE(rule->selectorAt, 2);
            EXPECT_EQ(rule->valueAt, rule->selectorAt + 1);
        }
        const auto end = static_cast<std::uint32_t>(rule->valueAt + rule->width);
        if (lettersOf(r) == "MR") {
            EXPECT_LT(end, r.length - 1);
        } else {
            EXPECT_EQ(end, r.length - 1) << "the field ends where the \";\" is not";
        }
    }
    EXPECT_GT(rules, 0);
}

TEST(SetCommandTable, RecordsAreCompleteAndUnique) {
    std::set<std::string> letters;
    for (const auto& r : SetCommandTable) {
        SCOPED_TRACE(lettersOf(r));
        EXPECT_TRUE(isUpper(r.letters[0]) && isUpper(r.letters[1]));
        EXPECT_EQ(r.kind, 0);
        EXPECT_GE(r.length, 3);
        letters.insert(lettersOf(r));
    }
    EXPECT_EQ(letters.size(), kSetCommandCount);
}

TEST(SetCommandTable, SetFormAndAnswerHaveTheSameLength) {
    int shared = 0;
    for (const auto& r : SetCommandTable) {
        const auto* answer = findAnswer(r.letters[0], r.letters[1]);
        if (answer == nullptr) continue;
        ++shared;
        EXPECT_EQ(static_cast<std::uint32_t>(r.length), answer->length) << lettersOf(r);
    }
    EXPECT_EQ(shared, 61);
}

TEST(ReadCommandTable, GenericReadsFillTheirWholeLength) {
    // Kind 0 is the letters and ";", kinds 1 and 2 add one selector digit. "SS" (index 67) is
    // the one plain read a byte longer; the command sender fills that byte.
    for (std::size_t i = 0; i < kReadCommandCount; ++i) {
        const auto& r = ReadCommandTable[i];
        SCOPED_TRACE(i);
        EXPECT_TRUE(isUpper(r.letters[0]) && isUpper(r.letters[1]));
        switch (r.kind) {
            case kReadPlain:
                EXPECT_EQ(r.length, i == 67 ? 4 : 3);
                break;
            case kReadSelectorZero:
            case kReadBothSides:
                EXPECT_EQ(r.length, 4);
                break;
            case kReadSpecial:
                EXPECT_GE(r.length, 3);
                break;
            default:
                ADD_FAILURE() << "kind " << r.kind;
        }
    }
}

TEST(ReadCommandTable, EveryReadExceptMenuReadsIsAnsweredFromTheAnswerTable) {
    for (const auto& r : ReadCommandTable) {
        if (lettersOf(r) == "EX") continue;
        EXPECT_NE(findAnswer(r.letters[0], r.letters[1]), nullptr) << lettersOf(r);
    }
}

}  // namespace
}  // namespace panelink
