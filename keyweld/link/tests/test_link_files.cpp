// The editor's reading of CommSetting.csv, its KSESetting.ini, and the component's tables.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include "keyweld/link/comm_error.h"
#include "keyweld/link/comm_settings.h"
#include "keyweld/link/link_choice.h"
#include "keyweld/link/view_mode_file.h"
#include "shared/formats/testing/working_dir.h"

namespace keyweld {
namespace {

TEST(LinkChoice, TheFirstLineGivesPortAndRateWithTheEditorsFixedLineSettings) {
    commo::ScratchWorkingDir dir;
    dir.writeCommoFile("CommSetting.csv", "3,9600,0\n4,19200,0\n");
    const LinkChoice choice = readLinkChoice(dir.path());
    EXPECT_EQ(choice, (LinkChoice{2, 9600}));

    const CommKSettings settings = withLinkChoice(CommKSettings{}, choice);
    EXPECT_EQ(settings.portNo, 3);
    EXPECT_EQ(settings.bitRate, 9600);
    EXPECT_EQ(settings.charSize, 8);
    EXPECT_EQ(settings.parity, platform::Parity::None);
    EXPECT_EQ(settings.stopBits, platform::StopBits::Two);
    EXPECT_EQ(settings.flowCtrl, platform::FlowControl::RtsCts);
    EXPECT_EQ(dir.readCommoFile("CommSetting.csv"), "3,9600,0\n4,19200,0\n")
        << "the editor never writes the file";
}

TEST(LinkChoice, RatesOutsideTheEditorsListAndUnreadableLinesFallBack) {
    struct Case {
        std::string_view line;
        LinkChoice expected;
    };
    const Case cases[] = {
        {"1,57600,0", {0, 4800}},  {"2,38400", {1, 38400}},  {"2, 19200 ,5", {1, 19200}},
        {"2,1200,0", {1, 4800}},   {"7", {0, 4800}},         {"", {0, 4800}},
        {"abc,9600,0", {0, 4800}}, {"3x,9600", {0, 4800}},   {",9600", {0, 4800}},
        {"25,9600,0", {24, 9600}}, {"0,9600,0", {-1, 9600}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(parseLinkChoice(c.line), c.expected) << c.line;
    }
    commo::ScratchWorkingDir dir;
    EXPECT_EQ(readLinkChoice(dir.path()), (LinkChoice{0, 4800})) << "no file";

    // A port outside COM1..COM20 leaves the component's port as it was.
    CommKSettings settings;
    settings.portNo = 5;
    EXPECT_EQ(withLinkChoice(settings, {24, 9600}).portNo, 5);
    EXPECT_EQ(withLinkChoice(settings, {-1, 9600}).portNo, 5);
    EXPECT_EQ(withLinkChoice(settings, {19, 9600}).portNo, 20);
}

TEST(ViewMode, ReadsModeOfSectionViewAndDefaultsToTheCatCommandView) {
    commo::ScratchWorkingDir dir;
    EXPECT_EQ(readViewMode(dir.path()), kViewCatCommand) << "no file";
    dir.writeCommoFile("KSESetting.ini", "[VIEW]\r\nMODE=3\r\n");
    EXPECT_EQ(readViewMode(dir.path()), kViewBoth);
    dir.writeCommoFile("KSESetting.ini", "[Other]\nMODE=1\n[view]\n mode = 1\n");
    EXPECT_EQ(readViewMode(dir.path()), kViewTag);
    dir.writeCommoFile("KSESetting.ini", "[Other]\nMODE=1\n");
    EXPECT_EQ(readViewMode(dir.path()), kViewCatCommand) << "key in another section";
    dir.writeCommoFile("KSESetting.ini", "[VIEW]\nMODE=7\n");
    EXPECT_EQ(readViewMode(dir.path()), kViewCatCommand) << "no such view";
}

TEST(ViewMode, WritingReplacesTheKeyAndKeepsTheRestOfTheFile) {
    commo::ScratchWorkingDir dir;
    ASSERT_TRUE(writeViewMode(dir.path(), kViewTag)) << "CommoFiles is made when missing";
    EXPECT_EQ(dir.readCommoFile("KSESetting.ini"), "[VIEW]\r\nMODE=1\r\n");
    EXPECT_EQ(readViewMode(dir.path()), kViewTag);

    dir.writeCommoFile("KSESetting.ini", "[VIEW]\r\nWIDTH=5\r\nMODE=2\r\n\r\n[X]\r\nA=1\r\n");
    ASSERT_TRUE(writeViewMode(dir.path(), kViewBoth));
    EXPECT_EQ(dir.readCommoFile("KSESetting.ini"),
              "[VIEW]\r\nWIDTH=5\r\nMODE=3\r\n\r\n[X]\r\nA=1\r\n");
    dir.writeCommoFile("KSESetting.ini", "[VIEW]\r\nWIDTH=5\r\n\r\n[X]\r\nA=1\r\n");
    ASSERT_TRUE(writeViewMode(dir.path(), kViewTag));
    EXPECT_EQ(dir.readCommoFile("KSESetting.ini"),
              "[VIEW]\r\nWIDTH=5\r\nMODE=1\r\n\r\n[X]\r\nA=1\r\n");
    EXPECT_FALSE(writeViewMode(dir.path(), 4));
    EXPECT_EQ(readViewMode(dir.path()), kViewTag);
}

TEST(ViewMode, AFailedWriteLeavesTheFileAndHasItsMessage) {
    commo::ScratchWorkingDir dir;
    // A directory where the file should be cannot be replaced, not even by root.
    dir.writeCommoFile("KSESetting.ini/keep", "x");
    EXPECT_FALSE(writeViewMode(dir.path(), kViewTag));
    EXPECT_EQ(dir.readCommoFile("KSESetting.ini/keep"), "x");
    EXPECT_EQ(readViewMode(dir.path()), kViewCatCommand);
    EXPECT_EQ(kViewModeWriteErrorText, "File write error  File Name = CommoFiles\\KSESetting.ini");
}

// A file too large to be a real one, or a pipe, reads as the default and is never replaced:
// whatever else it holds is not the editor's to drop.
TEST(ViewMode, AnUnreadableFileReadsAsTheDefaultAndIsNotWrittenOver) {
    commo::ScratchWorkingDir dir;
    std::string large = "[VIEW]\r\nMODE=1\r\n[X]\r\n";
    while (large.size() <= 1024 * 1024)
        large += "A=1\r\n";
    dir.writeCommoFile("KSESetting.ini", large);
    EXPECT_EQ(readViewMode(dir.path()), kViewCatCommand);
    EXPECT_FALSE(writeViewMode(dir.path(), kViewBoth));
    EXPECT_EQ(dir.readCommoFile("KSESetting.ini"), large);

    const auto file = dir.path() / "CommoFiles" / "KSESetting.ini";
    std::filesystem::remove(file);
    ASSERT_EQ(::mkfifo(file.c_str(), 0600), 0);
    EXPECT_EQ(readViewMode(dir.path()), kViewCatCommand);
    EXPECT_FALSE(writeViewMode(dir.path(), kViewBoth));
    EXPECT_TRUE(std::filesystem::is_fifo(file));
}

TEST(CommTables, BitRatesAndErrorTextsAreTheComponents) {
    const int rates[] = {600,   1200,  2400,  4800,   9600,   14400, 19200,
                         38400, 56000, 57600, 115200, 128000, 256000};
    ASSERT_EQ(kBitRates.size(), std::size(rates));
    for (std::size_t i = 0; i < kBitRates.size(); ++i) {
        EXPECT_EQ(kBitRates[i].bitsPerSecond, rates[i]);
        EXPECT_NE(kBitRates[i].name.find(std::to_string(rates[i]) + "bps"), std::string::npos);
    }
    EXPECT_EQ(characterTime(4800), platform::Milliseconds(3));
    EXPECT_EQ(characterTime(600), platform::Milliseconds(17));
    EXPECT_EQ(commErrorText(CommErrorCode::SendThread), "送信用スレッドを生成できませんでした");
    EXPECT_EQ(commErrorText(CommErrorCode::ReceiveThread), "受信用スレッドを生成できませんでした");
    EXPECT_EQ(commErrorText(CommErrorCode::XonChar), "Xon文字の設定でエラーが発生しました");
    EXPECT_EQ(commErrorText(CommErrorCode::XoffChar), "Xoff文字の設定でエラーが発生しました");
    EXPECT_EQ(commErrorText(CommErrorCode::Timeouts), "SetCommTimeouts Error");
    EXPECT_EQ(commErrorText(CommErrorCode::ParityBit), "SetCommParityBit Error");
    EXPECT_EQ(commErrorText(CommErrorCode::None), "");
}

}  // namespace
}  // namespace keyweld
