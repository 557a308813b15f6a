// Parsing one protocol line: the command table in both spellings, arguments, bad input.

#include <gtest/gtest.h>

#include <string>

#include "panelink/net/rig_command.h"

namespace panelink::net {
namespace {

// A valid argument of each kind, so every table row can be driven with a good line.
std::string sampleArgument(ArgKind kind) {
    switch (kind) {
        case ArgKind::Frequency:
            return "14074000";
        case ArgKind::ModeName:
            return "USB";
        case ArgKind::Passband:
            return "2400";
        case ArgKind::VfoName:
            return "VFOB";
        case ArgKind::PttState:
            return "1";
        case ArgKind::SplitState:
            return "1";
        case ArgKind::LevelName:
            return "RFPOWER";
        case ArgKind::LevelValue:
            return "0.5";
        case ArgKind::PowerStatus:
        case ArgKind::LockMode:
            return "1";
        case ArgKind::None:
            return "";
    }
    return "";
}

std::string sampleArguments(const CommandEntry& entry) {
    std::string text;
    for (ArgKind kind : entry.arguments)
        if (kind != ArgKind::None) text += " " + sampleArgument(kind);
    return text;
}

TEST(RigCommand, EveryTableCommandParsesByLongNameAndByShortLetter) {
    for (const CommandEntry& entry : commandTable()) {
        const std::string arguments = sampleArguments(entry);
        const auto byLong = parseRigCommand("\\" + std::string(entry.longName) + arguments);
        ASSERT_TRUE(byLong.ok()) << entry.longName << ": " << byLong.reason;
        EXPECT_EQ(byLong.command.entry->id, entry.id) << entry.longName;
        if (entry.shortName == '\0') continue;
        const auto byShort = parseRigCommand(std::string(1, entry.shortName) + arguments);
        ASSERT_TRUE(byShort.ok()) << entry.shortName << ": " << byShort.reason;
        EXPECT_EQ(byShort.command.entry, &entry) << entry.shortName;
    }
}

TEST(RigCommand, ShortLettersAreCaseSensitiveSetAndGet) {
    EXPECT_EQ(parseRigCommand("F 7000000").command.entry->id, CommandId::SetFreq);
    EXPECT_EQ(parseRigCommand("f").command.entry->id, CommandId::GetFreq);
    EXPECT_EQ(parseRigCommand("T 0").command.entry->id, CommandId::SetPtt);
    EXPECT_EQ(parseRigCommand("t").command.entry->id, CommandId::GetPtt);
    EXPECT_EQ(parseRigCommand("Q").command.entry->id, CommandId::Quit);
}

TEST(RigCommand, FrequencyAcceptsTheClientsDecimalFormAndRoundsToWholeHertz) {
    // The generic client sends "F 14074000.000000".
    EXPECT_EQ(std::get<std::int64_t>(parseRigCommand("F 14074000.000000").command.arguments[0]),
              14074000);
    EXPECT_EQ(std::get<std::int64_t>(parseRigCommand("F 14074000.6").command.arguments[0]),
              14074001);
    EXPECT_EQ(
        std::get<std::int64_t>(parseRigCommand("\\set_split_freq 1.4e7").command.arguments[0]),
        14000000);
}

TEST(RigCommand, ArgumentsArePickedApartByKind) {
    const auto mode = parseRigCommand("M PKTUSB -1");
    ASSERT_TRUE(mode.ok());
    EXPECT_EQ(std::get<std::string>(mode.command.arguments[0]), "PKTUSB");
    EXPECT_EQ(std::get<std::int64_t>(mode.command.arguments[1]), -1);

    const auto split = parseRigCommand("S 1 VFOB");
    ASSERT_TRUE(split.ok());
    EXPECT_EQ(std::get<std::int64_t>(split.command.arguments[0]), 1);
    EXPECT_EQ(std::get<Vfo>(split.command.arguments[1]), Vfo::B);

    // The client's own VFO names on connecting.
    EXPECT_EQ(std::get<Vfo>(parseRigCommand("V currVFO").command.arguments[0]), Vfo::Current);
    EXPECT_EQ(std::get<double>(parseRigCommand("L RFPOWER 0.25").command.arguments[1]), 0.25);
}

TEST(RigCommand, EveryVfoAnswersWithATokenThatParsesBackToIt) {
    for (Vfo vfo : {Vfo::A, Vfo::B, Vfo::Current, Vfo::Tx, Vfo::Rx}) {
        const auto result = parseRigCommand("V " + std::string(vfoName(vfo)));
        ASSERT_TRUE(result.ok()) << vfoName(vfo);
        EXPECT_EQ(std::get<Vfo>(result.command.arguments[0]), vfo);
    }
    EXPECT_EQ(vfoName(Vfo::A), "VFOA");
    EXPECT_EQ(vfoName(Vfo::B), "VFOB");
}

TEST(RigCommand, AQuestionMarkAsksForTheListAndNeedsNoFurtherArgument) {
    const auto query = parseRigCommand("M ?");
    ASSERT_TRUE(query.ok()) << query.reason;
    EXPECT_EQ(std::get<std::string>(query.command.arguments[0]), "?");
    EXPECT_TRUE(parseRigCommand("l ?").ok());
    EXPECT_FALSE(parseRigCommand("V ?").ok());
}

TEST(RigCommand, ExtendedPrefixesChooseTheSeparator) {
    const auto plus = parseRigCommand("+\\get_freq");
    ASSERT_TRUE(plus.ok());
    EXPECT_TRUE(plus.command.form.extended);
    EXPECT_EQ(plus.command.form.separator, '\n');
    for (char prefix : {';', '|', ','}) {
        const auto result = parseRigCommand(std::string(1, prefix) + "f");
        ASSERT_TRUE(result.ok()) << prefix;
        EXPECT_TRUE(result.command.form.extended);
        EXPECT_EQ(result.command.form.separator, prefix);
    }
    EXPECT_FALSE(parseRigCommand("f").command.form.extended);
}

TEST(RigCommand, BlanksAndALineEndOfCarriageReturnAndNewlineAreTolerated) {
    EXPECT_TRUE(parseRigCommand("  f  ").ok());
    EXPECT_TRUE(parseRigCommand("F\t14074000\r").ok());
    EXPECT_EQ(parseRigCommand("+F  14074000 ").command.argumentText, "14074000");
    EXPECT_TRUE(parseRigCommand("").blank);
    EXPECT_TRUE(parseRigCommand(" \t\r").blank);
    EXPECT_FALSE(parseRigCommand("").ok());
}

TEST(RigCommand, UnknownCommandsAreNotImplementedAndKeepTheClientsForm) {
    for (const char* line : {"K", "\\get_foo", "foo", "\\", "ff", "\\GET_FREQ"}) {
        const auto result = parseRigCommand(line);
        EXPECT_EQ(result.error, RigError::NotImplemented) << line;
        EXPECT_EQ(result.command.entry, nullptr) << line;
    }
    EXPECT_TRUE(parseRigCommand(";K").command.form.extended);
}

TEST(RigCommand, MissingExtraAndMalformedArgumentsAreInvalidParameters) {
    for (const char* line : {"F",
                             "F abc",
                             "F 0x10",
                             "F -5",
                             "F 1e400",
                             "F nan",
                             "F 14074000 99",
                             "f 1",
                             "M",
                             "M USB",
                             "M USB wide",
                             "M US-B 2400",
                             "V VFOC",
                             "V MEM",
                             "T 4",
                             "T -1",
                             "T 1.0",
                             "S 1",
                             "S 2 VFOA",
                             "L RFPOWER",
                             "L RFPOWER high",
                             "\\set_powerstat 3",
                             "\\chk_vfo 1"}) {
        const auto result = parseRigCommand(line);
        EXPECT_EQ(result.error, RigError::InvalidParameter) << line;
        EXPECT_NE(result.command.entry, nullptr) << line;
        EXPECT_FALSE(result.reason.empty()) << line;
    }
}

TEST(RigCommand, ABadArgumentIsStillEchoedForTheExtendedAnswer) {
    const auto result = parseRigCommand("+F abc");
    EXPECT_EQ(result.error, RigError::InvalidParameter);
    EXPECT_EQ(result.command.argumentText, "abc");
}

TEST(RigCommand, ControlAndNonAsciiBytesAreRefused) {
    using namespace std::string_literals;
    for (const std::string& line :
         {"f\0"s,
          "F 1407\0"s
          "4000"s,
          "\x1b[Af"s, "f\x7f"s, "F 14074000\n"s, "M US\xc3\x9f 0"s, "\x01"s}) {
        EXPECT_EQ(parseRigCommand(line).error, RigError::InvalidParameter);
    }
}

TEST(RigCommand, ALineOverTheLimitIsRefusedWholeOneAtTheLimitIsRead) {
    const std::string atLimit = "F 14074000" + std::string(kMaxLineLength - 10, ' ');
    ASSERT_EQ(atLimit.size(), kMaxLineLength);
    EXPECT_TRUE(parseRigCommand(atLimit).ok());
    const auto over = parseRigCommand(atLimit + " ");
    EXPECT_EQ(over.error, RigError::InvalidParameter);
    EXPECT_FALSE(over.blank);
    EXPECT_EQ(parseRigCommand(std::string(kMaxLineLength + 1, ' ')).error,
              RigError::InvalidParameter);
}

}  // namespace
}  // namespace panelink::net
