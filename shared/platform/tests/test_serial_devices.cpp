// The serial device list on a scratch directory laid out like /dev and /sys, with
// pseudo-terminals standing in for the adapters.
#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "shared/platform/pseudo_terminal.h"
#include "shared/platform/serial_devices.h"
#include "shared/platform/testing/scratch_dir.h"

namespace platform {
namespace {

namespace fs = std::filesystem;

class SerialDeviceListTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(root_.ok());
        fs::create_directories(dev() / "serial/by-id");
    }

    fs::path dev() const { return root_.path() / "dev"; }

    // dev/<name> as a link to a fresh pseudo-terminal: a character device like the real one.
    void addTty(const std::string& name) {
        std::optional<PseudoTerminal> pty = PseudoTerminal::create();
        ASSERT_TRUE(pty);
        fs::create_symlink(pty->slavePath(), dev() / name);
        ptys_.push_back(std::move(*pty));
    }
    void publishUartType(const std::string& name, const std::string& type) {
        writeFile(root_.path() / "sys/class/tty" / name / "type", type + "\n");
    }

    static std::vector<std::string> pathsOf(const std::vector<SerialDeviceEntry>& entries) {
        std::vector<std::string> paths;
        for (const auto& entry : entries)
            paths.push_back(entry.path.filename().string());
        return paths;
    }

    ScratchDir root_{"serial-devices"};
    std::vector<PseudoTerminal> ptys_;
};

TEST_F(SerialDeviceListTest, ByIdLinksComeFirstThenEachFamilyInNumberOrder) {
    for (const char* name : {"ttyUSB10", "ttyUSB2", "ttyACM0", "ttyS1", "ttyS0", "ttyS7"})
        addTty(name);
    fs::create_symlink("../../ttyUSB10", dev() / "serial/by-id/usb-Zed_Cable_77-if00-port0");
    fs::create_symlink("../../ttyUSB2",
                       dev() / "serial/by-id/usb-Example_Serial_Cable_0042-if00-port0");
    publishUartType("ttyS1", "4");

    const std::vector<SerialDeviceEntry> found = findSerialDevices(root_.path());

    EXPECT_EQ(pathsOf(found), (std::vector<std::string>{"usb-Example_Serial_Cable_0042-if00-port0",
                                                        "usb-Zed_Cable_77-if00-port0", "ttyUSB2",
                                                        "ttyUSB10", "ttyACM0", "ttyS1"}));
    ASSERT_EQ(found.size(), 6u);
    EXPECT_EQ(found[0].kind, SerialDeviceKind::ById);
    EXPECT_EQ(found[0].adapterName, "Example Serial Cable 0042");
    EXPECT_EQ(found[0].device, dev() / "ttyUSB2") << "the link's target, not the link";
    EXPECT_EQ(found[2].kind, SerialDeviceKind::UsbSerial);
    EXPECT_EQ(found[2].device, found[2].path);
    EXPECT_EQ(found[4].kind, SerialDeviceKind::UsbModem);
    EXPECT_EQ(found[5].kind, SerialDeviceKind::Builtin);
    for (const SerialDeviceEntry& entry : found) {
        EXPECT_TRUE(entry.mayOpen) << entry.path << ": our own pseudo-terminal";
        EXPECT_FALSE(entry.group.empty()) << entry.path;
    }
}

TEST_F(SerialDeviceListTest, UartPortsWithoutAUartAndStaleOrForeignNamesAreLeftOut) {
    for (const char* name : {"ttyS0", "ttyS1", "ttyUSB0"})
        addTty(name);
    publishUartType("ttyS0", "0");  // the kernel found no UART there
    // ttyS1 publishes nothing and a pseudo-terminal refuses the serial-info question.
    writeFile(dev() / "ttyUSB3", "a plain file");
    writeFile(dev() / "ttyUSBx", "");
    addTty("ttyUSB4x");
    fs::create_symlink("../../ttyUSB9", dev() / "serial/by-id/usb-Unplugged_1-if00-port0");

    EXPECT_EQ(pathsOf(findSerialDevices(root_.path())), (std::vector<std::string>{"ttyUSB0"}));
}

TEST_F(SerialDeviceListTest, AMachineWithoutSerialDevicesListsNothing) {
    EXPECT_TRUE(findSerialDevices(root_.path()).empty());
    EXPECT_TRUE(findSerialDevices(root_.path() / "no-such-root").empty());
}

TEST(AdapterName, IsTheLinkNameWithoutBusInterfaceAndPort) {
    EXPECT_EQ(adapterNameOfLink("usb-Example_Serial_Cable_0042-if00-port0"),
              "Example Serial Cable 0042");
    EXPECT_EQ(adapterNameOfLink("usb-Radio_Interface_9-if02"), "Radio Interface 9");
    EXPECT_EQ(adapterNameOfLink("pci-Board_Uart-port1"), "Board Uart");
    // A part of the name that only looks like an interface stays.
    EXPECT_EQ(adapterNameOfLink("usb-Maker-ifx_Cable-if00-port0"), "Maker-ifx Cable");
}

}  // namespace
}  // namespace platform
