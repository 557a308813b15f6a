// Choosing a serial device for a COM number in COM Select: ComPorts.csv is rewritten for that
// port alone, the trial open tries the chosen device, and a device the user may not open says
// why before it is picked.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QMessageBox>
#include <QTest>

#include <filesystem>
#include <optional>

#include "panelink/link/ui/link_choice.h"
#include "panelink/link/ui/link_choice_dialog.h"
#include "panelink/link/ui/tests/link_test_fixture.h"
#include "shared/formats/port_map.h"
#include "shared/platform/pseudo_terminal.h"

namespace panelink::testing {
namespace {

namespace fs = std::filesystem;
using Result = LinkChoice::Result;
using platform::SerialDeviceEntry;
using platform::SerialDeviceKind;

const std::string kById = "/dev/serial/by-id/usb-Example_Cable_0042-if00-port0";

SerialDeviceEntry device(SerialDeviceKind kind, const std::string& path, const std::string& tty,
                         bool mayOpen, const std::string& group = "dialout") {
    SerialDeviceEntry entry;
    entry.kind = kind;
    entry.path = path;
    entry.device = tty;
    entry.adapterName = kind == SerialDeviceKind::ById ? "Example Cable 0042" : "";
    entry.mayOpen = mayOpen;
    entry.group = group;
    return entry;
}

class DeviceChoiceTest : public LinkTest {
  protected:
    void SetUp() override {
        LinkTest::SetUp();
        devices_ = {device(SerialDeviceKind::ById, kById, "/dev/ttyUSB0", true),
                    device(SerialDeviceKind::UsbModem, "/dev/ttyACM0", "/dev/ttyACM0", false)};
    }
    std::string portMap() const { return scratch_.readCommoFile("ComPorts.csv").value_or(""); }
};

TEST_F(DeviceChoiceTest, DevicesAreOfferedByNameWithTheirTtyAndAccess) {
    const LinkChoice choice(LinkChoiceKind::Port, services());
    ASSERT_EQ(choice.devices().size(), 2u);
    EXPECT_EQ(choice.devices()[0].path, kById);
    EXPECT_EQ(choice.devices()[0].label, "Example Cable 0042  (/dev/ttyUSB0)");
    EXPECT_EQ(choice.devices()[0].hint, "");
    EXPECT_EQ(choice.devices()[1].label, "/dev/ttyACM0  - no access");
    EXPECT_EQ(choice.devices()[1].hint,
              "You may not open /dev/ttyACM0: join the group \"dialout\" (sudo usermod -aG "
              "dialout $USER) and log in again.");
    EXPECT_TRUE(LinkChoice(LinkChoiceKind::Baud, services()).devices().empty());
}

TEST_F(DeviceChoiceTest, ADeviceOwnedByRootAsksForTheAdministratorInsteadOfAGroup) {
    for (const std::string group : {"root", ""}) {
        EXPECT_EQ(deviceAccessHint(
                      device(SerialDeviceKind::Builtin, "/dev/ttyS0", "/dev/ttyS0", false, group)),
                  "You may not open /dev/ttyS0: ask the administrator for read and write access "
                  "to it.");
    }
}

TEST_F(DeviceChoiceTest, PickingADeviceRewritesThatPortsLineAndTheTrialOpensIt) {
    writePortMap("# bench\r\nCOM3,/dev/old\r\nCOM4,\"/dev/with,comma\"\r\n");
    LinkChoice choice(LinkChoiceKind::Port, services());
    EXPECT_EQ(choice.deviceIndexFor(2), -1);
    ASSERT_TRUE(choice.pickDevice(2, 0));

    EXPECT_EQ(portMap(), "# bench\r\nCOM3," + kById + "\r\nCOM4,\"/dev/with,comma\"\r\n");
    EXPECT_EQ(choice.entries()[2].label, "COM3  " + kById);
    EXPECT_EQ(choice.deviceIndexFor(2), 0);
    EXPECT_EQ(choice.picked(), 3);
    EXPECT_EQ(choice.confirm(), Result::Closed);
    ASSERT_EQ(link_.trials.size(), 1u);
    EXPECT_EQ(link_.trials[0].first, kById);
    EXPECT_EQ(settings_.port(), 3);
}

TEST_F(DeviceChoiceTest, ANewDeviceForThePortInUseIsTriedAndThePortClosedToReopenOnIt) {
    settings_.setPort(5);
    LinkChoice choice(LinkChoiceKind::Port, services());
    ASSERT_TRUE(choice.pickDevice(4, 1));
    EXPECT_EQ(choice.confirm(), Result::Closed);
    ASSERT_EQ(link_.trials.size(), 1u);
    EXPECT_EQ(link_.trials[0].first, "/dev/ttyACM0");
    EXPECT_EQ(link_.closes, 1);
}

TEST_F(DeviceChoiceTest, AFailedTrialKeepsTheNewMappingAndThePortInUse) {
    link_.trialResult = {false, EACCES};
    LinkChoice choice(LinkChoiceKind::Port, services());
    ASSERT_TRUE(choice.pickDevice(1, 1));
    EXPECT_EQ(choice.confirm(), Result::Failed);
    EXPECT_EQ(portMap(), "COM2,/dev/ttyACM0\n");
    EXPECT_EQ(settings_.port(), 1);
    EXPECT_EQ(link_.closes, 0);
}

TEST_F(DeviceChoiceTest, AnUnwritablePortMapIsReportedAndNothingIsPicked) {
    fs::create_directories(dir_ / "CommoFiles/ComPorts.csv");  // a directory in the file's place
    LinkChoice choice(LinkChoiceKind::Port, services());
    EXPECT_FALSE(choice.pickDevice(0, 0));
    EXPECT_EQ(choice.failureText(),
              "ComPorts.csv could not be written; the port keeps its device.");
    EXPECT_EQ(choice.picked(), 0);
    EXPECT_EQ(choice.entries()[0].label, "COM1  /dev/ttyS0");
    EXPECT_FALSE(choice.pickDevice(0, 2)) << "no such device";
    EXPECT_FALSE(choice.pickDevice(20, 0)) << "no such port";
}

TEST_F(DeviceChoiceTest, TheDialogShowsTheHintOnHighlightAndMapsThePickedDevice) {
    settings_.setPort(2);
    ComSelectDialog dialog(services());
    dialog.show();
    QComboBox* devices = dialog.deviceList();
    ASSERT_NE(devices, nullptr);
    ASSERT_EQ(devices->count(), 2);
    EXPECT_EQ(devices->currentIndex(), -1) << "COM2 maps to no listed device";
    EXPECT_FALSE(dialog.accessHint()->isVisible());

    emit devices->highlighted(1);
    EXPECT_TRUE(dialog.accessHint()->isVisible());
    EXPECT_TRUE(dialog.accessHint()->text().contains(QStringLiteral("\"dialout\"")));
    EXPECT_EQ(portMap(), "") << "highlighting picks nothing";

    devices->setFocus();
    QTest::keyClick(devices, Qt::Key_Down);  // the first device, picked with the keyboard
    EXPECT_EQ(portMap(), "COM2," + kById + "\n");
    EXPECT_EQ(dialog.choiceList()->itemText(1).toStdString(), "COM2  " + kById);
    EXPECT_FALSE(dialog.accessHint()->isVisible());

    // Another port shows the device it maps to.
    dialog.choiceList()->setCurrentIndex(0);
    EXPECT_EQ(devices->currentIndex(), -1);
    dialog.choiceList()->setCurrentIndex(1);
    EXPECT_EQ(devices->currentIndex(), 0);

    EXPECT_EQ(BaudRateDialog(services()).deviceList(), nullptr);
}

// The whole way on this machine's kind of device: a by-id link found in a scratch /dev, picked
// in the dialog, and the real trial open through the link to a pseudo-terminal.
TEST_F(DeviceChoiceTest, ALinkFoundInAScratchDevTreeIsPickedAndOpensForReal) {
    std::optional<platform::PseudoTerminal> adapter = platform::PseudoTerminal::create();
    ASSERT_TRUE(adapter);
    const fs::path root = dir_ / "root";
    fs::create_directories(root / "dev/serial/by-id");
    fs::create_symlink(adapter->slavePath(), root / "dev/ttyUSB0");
    fs::create_symlink("../../ttyUSB0", root / "dev/serial/by-id/usb-Example_Cable_7-if00-port0");

    LinkDialogServices real = services();
    real.findDevices = [root] { return platform::findSerialDevices(root); };
    real.testOpen = testOpenPort;
    ComSelectDialog dialog(real);
    ASSERT_EQ(dialog.deviceList()->count(), 2);
    EXPECT_EQ(dialog.deviceList()->itemText(0).toStdString(),
              "Example Cable 7  (" + (root / "dev/ttyUSB0").string() + ")");

    dialog.choiceList()->setCurrentIndex(6);
    emit dialog.deviceList()->activated(0);
    dialog.accept();
    EXPECT_EQ(dialog.failureBox(), nullptr);
    EXPECT_EQ(settings_.port(), 7);
    EXPECT_EQ(commo::devicePathFor(dir_, 7),
              (root / "dev/serial/by-id/usb-Example_Cable_7-if00-port0").string());
}

}  // namespace
}  // namespace panelink::testing
