#include <gtest/gtest.h>

#include <set>
#include <string>

#include "panelink/cat/answer_table.h"
#include "panelink/cat/command_tables.h"

namespace panelink {
namespace {

using platform::WM_APP;

std::string lettersOf(const AnswerRecord& r) {
    return {r.letters[0], r.letters[1]};
}
std::string lettersOf(const CommandRecord& r) {
    return {r.letters[0], r.letters[1]};
}

bool isUpper(char c) {
    return c >= 'A' && c <= 'Z';
}

void expectAnswer(std::size_t index, const char* letters, std::uint32_t message,
                  std::uint32_t length) {
    SCOPED_TRACE(index);
    const auto& r = AnswerTable.at(index);
    EXPECT_EQ(lettersOf(r), letters);
    EXPECT_EQ(r.message, message);
    EXPECT_EQ(r.length, length);
}

void expectRecord(const CommandRecord& r, const char* letters, std::int32_t kind,
                  std::int32_t length) {
    EXPECT_EQ(lettersOf(r), letters);
    EXPECT_EQ(r.kind, kind);
    EXPECT_EQ(r.length, length);
}

TEST(AnswerTable, RecordsAreCompleteAndUnique) {
    std::set<std::string> letters;
    std::set<std::uint32_t> messages;
    for (const auto& r : AnswerTable) {
        SCOPED_TRACE(lettersOf(r));
        // A missing initialiser would leave a zeroed record at the end.
        EXPECT_TRUE(isUpper(r.letters[0]) && isUpper(r.letters[1]));
        EXPECT_EQ(r.letters[2], '\0');
        EXPECT_EQ(r.letters[3], '\0');
        EXPECT_GE(r.length, 4u);
        EXPECT_GE(r.message, WM_APP + 0x301);
        EXPECT_LE(r.message, WM_APP + 0x35B);
        letters.insert(lettersOf(r));
        messages.insert(r.message);
    }
    EXPECT_EQ(letters.size(), kAnswerRecordCount);
    EXPECT_EQ(messages.size(), kAnswerRecordCount);
}

TEST(AnswerTable, SpotChecks) {
    expectAnswer(0, "ID", WM_APP + 0x344, 7);
    expectAnswer(2, "BP", WM_APP + 0x305, 8);
    expectAnswer(23, "RM", WM_APP + 0x321, 7);
    expectAnswer(34, "IF", WM_APP + 0x32D, 27);
    expectAnswer(35, "IS", WM_APP + 0x32F, 9);
    expectAnswer(48, "KM", WM_APP + 0x33D, 54);
    expectAnswer(60, "DS", WM_APP + 0x319, 4);
    expectAnswer(63, "MR", WM_APP + 0x356, 27);
    expectAnswer(67, "SS", WM_APP + 0x35A, 9);
    expectAnswer(69, "SF", WM_APP + 0x304, 4);
    expectAnswer(70, "BS", WM_APP + 0x301, 5);
}

TEST(AnswerTable, FindAnswerByLetters) {
    for (const auto& r : AnswerTable) {
        EXPECT_EQ(findAnswer(r.letters[0], r.letters[1]), &r) << lettersOf(r);
    }
    const auto* lock = findAnswer('L', 'K');
    ASSERT_NE(lock, nullptr);
    EXPECT_EQ(lock->message, WM_APP + 0x30C);
    EXPECT_EQ(lock->length, 4u);

    // Menu answers have no fixed length and are not in the table; letters are case-sensitive.
    EXPECT_EQ(findAnswer('E', 'X'), nullptr);
    EXPECT_EQ(findAnswer('l', 'k'), nullptr);
    EXPECT_EQ(findAnswer('\0', '\0'), nullptr);
}

TEST(SetCommandTable, RecordsAndSpotChecks) {
    std::set<std::string> letters;
    for (const auto& r : SetCommandTable) {
        SCOPED_TRACE(lettersOf(r));
        EXPECT_TRUE(isUpper(r.letters[0]) && isUpper(r.letters[1]));
        EXPECT_EQ(r.kind, 0);
        EXPECT_GE(r.length, 3);
        letters.insert(lettersOf(r));
    }
    EXPECT_EQ(letters.size(), kSetCommandCount);

    expectRecord(SetCommandTable[0], "BS", 0, 5);
    expectRecord(SetCommandTable[2], "BP", 0, 8);
    expectRecord(SetCommandTable[33], "IS", 0, 9);
    expectRecord(SetCommandTable[43], "KM", 0, 54);
    expectRecord(SetCommandTable[50], "AB", 0, 3);
    expectRecord(SetCommandTable[69], "LM", 0, 5);
    expectRecord(SetCommandTable[70], "IF", 0, 27);
    expectRecord(SetCommandTable[79], "SS", 0, 9);
    expectRecord(SetCommandTable[81], "MW", 0, 27);
    expectRecord(SetCommandTable[82], "SF", 0, 4);
}

// A set command in answer form must frame as that answer.
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

TEST(ReadCommandTable, KindsAndLengths) {
    expectRecord(ReadCommandTable[0], "ID", kReadSpecial, 3);
    expectRecord(ReadCommandTable[1], "EX", kReadSpecial, 6);
    expectRecord(ReadCommandTable[2], "VS", kReadPlain, 3);
    expectRecord(ReadCommandTable[10], "MD", kReadSelectorZero, 4);
    expectRecord(ReadCommandTable[12], "BP", kReadSpecial, 5);
    expectRecord(ReadCommandTable[13], "CO", kReadSpecial, 5);
    expectRecord(ReadCommandTable[29], "ML", kReadBothSides, 4);
    expectRecord(ReadCommandTable[31], "RM", kReadSpecial, 4);
    expectRecord(ReadCommandTable[49], "AI", kReadPlain, 3);
    expectRecord(ReadCommandTable[52], "KM", kReadSpecial, 4);
    expectRecord(ReadCommandTable[58], "RI", kReadSpecial, 4);
    expectRecord(ReadCommandTable[59], "BG", kReadSpecial, 4);
    expectRecord(ReadCommandTable[63], "MR", kReadSpecial, 6);
    expectRecord(ReadCommandTable[67], "SS", kReadPlain, 4);
    expectRecord(ReadCommandTable[68], "SF", kReadPlain, 3);
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
