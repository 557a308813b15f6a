#include <gtest/gtest.h>

#include <sys/stat.h>

#include "shared/formats/ini_file.h"
#include "shared/platform/testing/scratch_dir.h"

namespace commo {
namespace {

using platform::readFile;
using platform::ScratchDir;
using platform::writeFile;

constexpr std::string_view kFile = "[Net]\r\nPort = 4532\r\n[Zoom]\r\nPercent=150\r\n";

TEST(IniFile, ValuesAreFoundByNamesOfAnyCaseWithBlanksIgnored) {
    EXPECT_EQ(iniValue(kFile, "net", "PORT"), "4532");
    EXPECT_EQ(iniValue(kFile, "ZOOM", "percent"), "150");
    EXPECT_EQ(iniValue(kFile, "Zoom", "Port"), std::nullopt) << "key of another section";
    EXPECT_EQ(iniValue(kFile, "Other", "Port"), std::nullopt);
    EXPECT_EQ(iniValue("Port=1\r\n[Net]\r\n", "Net", "Port"), std::nullopt)
        << "a key before any section belongs to none";
    EXPECT_EQ(iniValue("[A]\nK=a=b\n[A]\nK=2\n", "A", "K"), "a=b") << "first section and line win";
}

TEST(IniFile, WritingReplacesInPlaceAddsToTheSectionOrAddsTheSection) {
    EXPECT_EQ(withIniValue(kFile, "NET", "port", "4533"),
              "[Net]\r\nport=4533\r\n[Zoom]\r\nPercent=150\r\n");
    EXPECT_EQ(withIniValue("[Net]\r\nA=1\r\n\r\n[Zoom]\r\n", "Net", "B", "2"),
              "[Net]\r\nA=1\r\nB=2\r\n\r\n[Zoom]\r\n")
        << "after the section's last line, before its blank lines";
    EXPECT_EQ(withIniValue("; kept\n", "Net", "On", "1"), "; kept\r\n[Net]\r\nOn=1\r\n");
    EXPECT_EQ(withIniValue("", "Net", "On", "1"), "[Net]\r\nOn=1\r\n");
}

TEST(IniFile, AValueWithALineBreakCannotAddLinesOfItsOwn) {
    const std::string text = withIniValue("", "Net", "Address", "1.2.3.4\r\n[Evil]\r\nX=1");
    EXPECT_EQ(text, "[Net]\r\nAddress=1.2.3.4\r\n");
    EXPECT_EQ(iniValue(text, "Evil", "X"), std::nullopt);
}

TEST(IniFile, AFileIsCreatedWithItsDirectoryAndReadBack) {
    ScratchDir dir;
    const auto file = dir.path() / "CommoFiles" / "Panelink.ini";
    EXPECT_EQ(readIniValue(file, "Net", "Port"), std::nullopt);
    ASSERT_TRUE(writeIniValue(file, "Net", "Port", "4532").ok());
    ASSERT_TRUE(writeIniValue(file, "Net", "On", "0").ok());
    EXPECT_EQ(readFile(file), "[Net]\r\nPort=4532\r\nOn=0\r\n");
    EXPECT_EQ(readIniValue(file, "net", "on"), "0");
}

TEST(IniFile, AnUnreadableFileIsNeitherReadNorWrittenOver) {
    ScratchDir dir;
    const auto file = dir.path() / "big.ini";
    const std::string big = "[Net]\r\nPort=1\r\n" + std::string(2 * 1024 * 1024, ';');
    writeFile(file, big);
    EXPECT_EQ(readIniValue(file, "Net", "Port"), std::nullopt);
    EXPECT_EQ(writeIniValue(file, "Net", "Port", "2").fault, IniWriteFault::Unreadable);
    EXPECT_EQ(readFile(file), big);

    const auto pipe = dir.path() / "pipe.ini";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    EXPECT_EQ(readIniValue(pipe, "Net", "Port"), std::nullopt);
    EXPECT_FALSE(writeIniValue(pipe, "Net", "Port", "2").ok());
}

TEST(IniFile, AFileInAPlaceThatCannotBeAFolderIsAWriteFailure) {
    ScratchDir dir;
    writeFile(dir.path() / "CommoFiles", "not a folder");
    EXPECT_EQ(writeIniValue(dir.path() / "CommoFiles" / "x.ini", "A", "B", "1").fault,
              IniWriteFault::WriteFailed);
}

}  // namespace
}  // namespace commo
