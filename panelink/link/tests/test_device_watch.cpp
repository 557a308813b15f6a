// The watch for a device that went away while the port was open: in virtual time, on real
// pseudo-terminals standing in for the adapter.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>

#include "panelink/cat/command_state.h"
#include "panelink/cat/radio_state.h"
#include "panelink/core/messages.h"
#include "panelink/core/requests.h"
#include "panelink/core/timer_ids.h"
#include "panelink/link/device_watch.h"
#include "panelink/link/link_watchdog.h"
#include "panelink/link/worker_timers.h"
#include "panelink/testing/core_rig.h"
#include "shared/platform/pseudo_terminal.h"

namespace panelink {
namespace {

using namespace std::chrono_literals;
using platform::PseudoTerminal;

// A port on COM1 whose device is whatever devicePath names, a watch told by the port when
// its device goes, and the worker timers ticking in virtual time.
struct DeviceWatchTest : ::testing::Test, rig::CoreRig<> {
    DeviceWatchTest()
        : CoreRig({.resolver = [this](int) {
              ++opens;
              return devicePath;
          }}) {
        port.onDeviceGone([this] { watch.start(); });
        time.setTickHandler([this](int id) { dispatchWorkerTimer(services, watchdog, watch, id); });
    }

    std::string devicePath;
    int opens = 0;
    std::optional<PseudoTerminal> pty;
    LinkWatchdog watchdog{services};
    DeviceWatch watch{services};

    void plugIn() {
        pty = PseudoTerminal::create();
        if (!pty) {
            std::fprintf(stderr, "no pseudo-terminal\n");
            std::abort();
        }
        devicePath = pty->slavePath();
    }

    // The radio is attached and the port open, with auto-information on when `connected`.
    void openWithRadio(bool connected) {
        command.store(CommandField::AI, connected ? 1 : 0);
        plugIn();
        ASSERT_TRUE(port.open(1, 4800, connected));
        ASSERT_EQ(pty->readMaster(4, 2s), connected ? "AI1;" : "AI0;");
    }

    // The cable is pulled; the receive thread notices the hang-up and closes the port.
    void pullCable() {
        pty->closeMaster();
        const std::string gone = devicePath;
        devicePath = "/dev/no-such-serial-port";  // the link went with the device
        ASSERT_TRUE(port.status()->lineBad);
        ASSERT_TRUE(port.close());
        ASSERT_EQ(flags.portFailure.get(), (PortFailure{gone, ENODEV, true}));
    }

    std::size_t linkBoxes() const { return window.count(id(WindowMessage::LinkFailure)); }
};

TEST_F(DeviceWatchTest, GoneDeviceIsLookedForOnceASecondAndReopenedWithTheAutoInformationFirst) {
    openWithRadio(false);
    pullCable();
    EXPECT_TRUE(port.deviceGone());
    EXPECT_FALSE(port.portUsable());
    EXPECT_EQ(linkBoxes(), 1u);
    EXPECT_EQ(time.timerPeriod(kTimerDeviceWatch), 1000ms);

    // One quiet try a second while it is away: no busy loop, no further boxes, not even
    // from a write's open.
    const int before = opens;
    time.advance(999ms);
    EXPECT_EQ(opens, before);
    time.advance(9001ms);
    EXPECT_EQ(opens, before + 10);
    EXPECT_FALSE(port.open(1, 4800, false));
    EXPECT_EQ(linkBoxes(), 1u);
    EXPECT_TRUE(port.deviceGone());

    // Back while the box is still up: the watch opens all the same, within a second.
    flags.messageBox = true;
    plugIn();
    time.advance(1000ms);
    EXPECT_TRUE(port.isOpen());
    EXPECT_EQ(pty->readMaster(4, 2s), "AI0;");
    EXPECT_FALSE(port.deviceGone());
    EXPECT_TRUE(port.portUsable());
    EXPECT_FALSE(time.isTimerRunning(kTimerDeviceWatch));
    EXPECT_FALSE(watch.watching());
    // Nobody was connected, so nothing more is asked of the radio.
    EXPECT_EQ(anlSend.count(id(Request::SwitchAutoInfo)), 0u);
    EXPECT_EQ(linkBoxes(), 1u);
}

TEST_F(DeviceWatchTest, ConnectionLostWhileTheDeviceWasAwayIsStartedAgainWhenItIsBack) {
    openWithRadio(true);
    pullCable();
    // The watchdog declared the link lost meanwhile: auto-information is taken as off.
    command.store(CommandField::AI, 0);
    time.advance(3000ms);

    plugIn();
    time.advance(1000ms);
    // Opened as the next write would open it, then auto-information switched on again as
    // the power-on restore does, so "AI1" reads the ID.
    EXPECT_EQ(pty->readMaster(4, 2s), "AI0;");
    EXPECT_EQ(anlSend.count(id(Request::SwitchAutoInfo)), 1u);
    EXPECT_TRUE(radio.connectionPending());
    EXPECT_FALSE(watch.watching());
}

TEST_F(DeviceWatchTest, QuickReplugKeepsTheConnectionAndMendsALinkLostJustAfter) {
    openWithRadio(true);
    pullCable();
    plugIn();
    time.advance(1000ms);
    // Still connected: "AI1;" on the new line is all it takes, the polls go on.
    EXPECT_EQ(pty->readMaster(4, 2s), "AI1;");
    EXPECT_EQ(anlSend.count(id(Request::SwitchAutoInfo)), 0u);
    EXPECT_TRUE(watch.watching());

    // The watchdog, still counting from before the unplug, loses the link a moment later.
    command.store(CommandField::AI, 0);
    time.advance(1000ms);
    EXPECT_EQ(anlSend.count(id(Request::SwitchAutoInfo)), 1u);
    EXPECT_FALSE(watch.watching());

    // Gone and back again with the link kept: the watch lets go after its settling checks.
    command.store(CommandField::AI, 1);
    pullCable();
    plugIn();
    time.advance(1000ms * (DeviceWatch::kSettleChecks + 1));
    EXPECT_FALSE(watch.watching());
    EXPECT_FALSE(time.isTimerRunning(kTimerDeviceWatch));
    EXPECT_EQ(anlSend.count(id(Request::SwitchAutoInfo)), 1u);
}

TEST_F(DeviceWatchTest, WatchEndsWhenAWriteReopensTheUserPicksAnotherPortOrShutDownBegins) {
    openWithRadio(false);
    pullCable();
    plugIn();
    ASSERT_TRUE(port.open(1, 4800, false));  // the next write got there first
    time.advance(1000ms);
    EXPECT_FALSE(watch.watching());

    pullCable();
    ASSERT_TRUE(settings.setPort(2));  // COM Select
    const int before = opens;
    time.advance(1000ms);
    EXPECT_FALSE(watch.watching());
    EXPECT_FALSE(port.deviceGone());
    EXPECT_EQ(opens, before);

    // After the user's choice the next write's failure is reported again.
    EXPECT_FALSE(port.open(2, 4800, false));
    EXPECT_EQ(linkBoxes(), 3u);

    plugIn();
    ASSERT_TRUE(port.open(2, 4800, false));
    pty->closeMaster();
    flags.shuttingDown = true;
    port.refuseFurtherOpens();
    EXPECT_TRUE(port.close());
    EXPECT_FALSE(watch.watching());  // nothing is looked for at shut-down
    EXPECT_EQ(linkBoxes(), 3u);
}

}  // namespace
}  // namespace panelink
