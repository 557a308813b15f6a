#include <gtest/gtest.h>

#include <sys/stat.h>

#include "shared/formats/port_map.h"
#include "shared/platform/testing/scratch_dir.h"

namespace commo {
namespace {

using platform::readFile;
using platform::ScratchDir;
using platform::writeFile;

TEST(PortMap, WithoutFileEveryPortUsesItsSerialDevice) {
    ScratchDir dir;
    EXPECT_EQ(devicePathFor(dir.path(), 1), "/dev/ttyS0");
    EXPECT_EQ(devicePathFor(dir.path(), 20), "/dev/ttyS19");
    EXPECT_EQ(devicePathFor(dir.path(), 0), "");
    EXPECT_EQ(devicePathFor(dir.path(), -3), "");
}

TEST(PortMap, APipeADeviceOrAHugeFileMapsLikeNoFile) {
    ScratchDir dir;
    std::filesystem::create_directories(portMapPath(dir.path()).parent_path());
    ASSERT_EQ(::mkfifo(portMapPath(dir.path()).c_str(), 0600), 0);
    EXPECT_EQ(devicePathFor(dir.path(), 1), "/dev/ttyS0");

    std::filesystem::remove(portMapPath(dir.path()));
    std::filesystem::create_symlink("/dev/zero", portMapPath(dir.path()));
    EXPECT_EQ(devicePathFor(dir.path(), 2), "/dev/ttyS1");

    std::string valid;
    while (valid.size() <= 1024 * 1024)
        valid += "COM1,/dev/ttyUSB0\n";
    std::filesystem::remove(portMapPath(dir.path()));
    writeFile(portMapPath(dir.path()), valid);
    EXPECT_EQ(devicePathFor(dir.path(), 1), "/dev/ttyS0");
}

TEST(PortMap, LinesMapPortsAndUnmappedPortsKeepTheirDefault) {
    ScratchDir dir;
    writeFile(portMapPath(dir.path()),
              "COM3,/tmp/sim-pty\n"
              "com5 , /dev/ttyUSB0 \r\n"
              "COM3,/dev/second-line-for-com3\n"
              "COM8,\n"
              "COM9\n"
              "COM21,/dev/ignored\n"
              "COM10,\"/dev/with,comma\"\n"
              "COM12,/dev/last-without-newline");
    EXPECT_EQ(devicePathFor(dir.path(), 3), "/tmp/sim-pty");
    EXPECT_EQ(devicePathFor(dir.path(), 5), "/dev/ttyUSB0");
    EXPECT_EQ(devicePathFor(dir.path(), 4), "/dev/ttyS3");
    EXPECT_EQ(devicePathFor(dir.path(), 8), "/dev/ttyS7");
    EXPECT_EQ(devicePathFor(dir.path(), 9), "/dev/ttyS8");
    EXPECT_EQ(devicePathFor(dir.path(), 10), "/dev/with,comma");
    EXPECT_EQ(devicePathFor(dir.path(), 12), "/dev/last-without-newline");

    const std::vector<PortMapEntry> all = listPortMap(dir.path());
    ASSERT_EQ(all.size(), 20u);
    EXPECT_EQ(all[2], (PortMapEntry{3, "COM3", "/tmp/sim-pty", true}));
    EXPECT_EQ(all[3], (PortMapEntry{4, "COM4", "/dev/ttyS3", false}));
    EXPECT_EQ(all[19], (PortMapEntry{20, "COM20", "/dev/ttyS19", false}));
    int mapped = 0;
    for (const auto& entry : all)
        mapped += entry.mapped ? 1 : 0;
    EXPECT_EQ(mapped, 4);  // COM3, COM5, COM10, COM12
}

TEST(PortMap, NulInPathCountsAsNoMapping) {
    ScratchDir dir;
    using namespace std::string_literals;
    writeFile(portMapPath(dir.path()), "COM11,/dev/a\0b\n"s);
    EXPECT_EQ(devicePathFor(dir.path(), 11), "/dev/ttyS10");
}

TEST(PortMap, ChangedFileIsPickedUpOnTheNextCall) {
    ScratchDir dir;
    writeFile(portMapPath(dir.path()), "COM2,/dev/one\n");
    EXPECT_EQ(devicePathFor(dir.path(), 2), "/dev/one");
    writeFile(portMapPath(dir.path()), "COM2,/dev/two\n");
    EXPECT_EQ(devicePathFor(dir.path(), 2), "/dev/two");
    std::filesystem::remove(portMapPath(dir.path()));
    EXPECT_EQ(devicePathFor(dir.path(), 2), "/dev/ttyS1");
}

TEST(PortMap, WriterCreatesDirectoryAndFile) {
    ScratchDir dir;
    EXPECT_TRUE(setPortMapping(dir.path(), 4, "/tmp/orvik-pty"));
    EXPECT_EQ(readFile(portMapPath(dir.path())), "COM4,/tmp/orvik-pty\n");
    EXPECT_EQ(devicePathFor(dir.path(), 4), "/tmp/orvik-pty");
}

TEST(PortMap, WriterReplacesTheLineAndKeepsAllOthers) {
    ScratchDir dir;
    writeFile(portMapPath(dir.path()),
              "# devices of this desk\n"
              "COM2,/dev/old\n"
              "\n"
              "other,\"x\ny\"\r\n"
              "com2,/dev/duplicate\n"
              "COM3,/dev/keep");
    EXPECT_TRUE(setPortMapping(dir.path(), 2, "/dev/new"));
    EXPECT_EQ(readFile(portMapPath(dir.path())),
              "# devices of this desk\n"
              "COM2,/dev/new\n"
              "\n"
              "other,\"x\ny\"\r\n"
              "COM3,/dev/keep");

    EXPECT_TRUE(setPortMapping(dir.path(), 7, "/dev/with,comma \"q\""));
    EXPECT_EQ(devicePathFor(dir.path(), 7), "/dev/with,comma \"q\"");
    EXPECT_EQ(devicePathFor(dir.path(), 3), "/dev/keep");

    // An empty path removes the mapping.
    EXPECT_TRUE(setPortMapping(dir.path(), 2, ""));
    EXPECT_EQ(devicePathFor(dir.path(), 2), "/dev/ttyS1");
    EXPECT_EQ(devicePathFor(dir.path(), 3), "/dev/keep");
}

TEST(PortMap, WriterKeepsOtherLinesQuotingAndLineEndsByteForByte) {
    ScratchDir dir;
    writeFile(portMapPath(dir.path()),
              "\"COM1\",\"/dev/quoted\"\r\n"
              "COM2 , /dev/spaced \r\n"
              "COM3,/dev/old\r\n"
              "COM4,\"/dev/with,comma\"");
    EXPECT_TRUE(setPortMapping(dir.path(), 3, "/dev/serial/by-id/usb-Example-if00-port0"));
    EXPECT_TRUE(setPortMapping(dir.path(), 9, "/dev/ttyACM0"));
    EXPECT_EQ(readFile(portMapPath(dir.path())),
              "\"COM1\",\"/dev/quoted\"\r\n"
              "COM2 , /dev/spaced \r\n"
              "COM3,/dev/serial/by-id/usb-Example-if00-port0\r\n"
              "COM4,\"/dev/with,comma\"\n"
              "COM9,/dev/ttyACM0\n");
    EXPECT_EQ(devicePathFor(dir.path(), 1), "/dev/quoted");
    EXPECT_EQ(devicePathFor(dir.path(), 4), "/dev/with,comma");
}

TEST(PortMap, WriterRefusesWhatWouldNotReadBack) {
    ScratchDir dir;
    const std::string original = "COM1,/dev/one\n";
    writeFile(portMapPath(dir.path()), original);
    using namespace std::string_literals;
    for (const std::string& bad :
         {"/dev/a\nb"s, "/dev/a\0b"s, " /dev/lead"s, "/dev/trail\t"s, "/dev/\x82\xA0x"s}) {
        EXPECT_FALSE(setPortMapping(dir.path(), 1, bad)) << bad;
    }
    EXPECT_FALSE(setPortMapping(dir.path(), 0, "/dev/x"));
    EXPECT_FALSE(setPortMapping(dir.path(), 21, "/dev/x"));
    EXPECT_EQ(readFile(portMapPath(dir.path())), original);
}

// A quote left open in the last line takes everything after it into that line's path, the
// line the writer adds included: it would report success, set nothing and change COM1.
TEST(PortMap, WriterLeavesAFileEndingInAnOpenQuoteAloneInsteadOfChangingAnotherPort) {
    ScratchDir dir;
    const std::string original = "COM1,/dev/one\"\nCOM3,/dev/x\n";
    writeFile(portMapPath(dir.path()), original);
    const std::string one = devicePathFor(dir.path(), 1);

    EXPECT_FALSE(setPortMapping(dir.path(), 3, "/dev/three"));
    EXPECT_FALSE(setPortMapping(dir.path(), 20, "/dev/twenty"));
    EXPECT_EQ(readFile(portMapPath(dir.path())), original);
    EXPECT_EQ(devicePathFor(dir.path(), 1), one);

    // The line with the open quote is itself replaced: the file is sound again.
    EXPECT_TRUE(setPortMapping(dir.path(), 1, "/dev/one"));
    EXPECT_TRUE(setPortMapping(dir.path(), 3, "/dev/three"));
    EXPECT_EQ(devicePathFor(dir.path(), 1), "/dev/one");
    EXPECT_EQ(devicePathFor(dir.path(), 3), "/dev/three");
}

TEST(PortMap, WriterLeavesAnUnreadableFileAlone) {
    ScratchDir dir;
    std::filesystem::create_directories(portMapPath(dir.path()));  // a directory, not a file
    EXPECT_FALSE(setPortMapping(dir.path(), 1, "/dev/x"));
    EXPECT_TRUE(std::filesystem::is_directory(portMapPath(dir.path())));
}

}  // namespace
}  // namespace commo
