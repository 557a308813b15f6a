#include "panelink/panel/aux_window_registry.h"

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <set>
#include <vector>

#include "shared/platform/message.h"

namespace panelink {
namespace {

using A = AuxWindow;

// Records what the registry asks of the main window; refuses the windows it is told to.
class RecordingHost : public AuxWindowHost {
  public:
    enum class Kind { Create, Destroy, Focus, Menu };
    struct Call {
        Kind kind;
        AuxWindow window = A::VfoSet;
        bool enabled = false;
        friend bool operator==(const Call&, const Call&) = default;
    };

    bool createWindow(AuxWindow window) override {
        calls.push_back({Kind::Create, window});
        if (whileCreating) whileCreating(window);
        return !missing.contains(window);
    }
    void destroyWindow(AuxWindow window) override { calls.push_back({Kind::Destroy, window}); }
    void focusWindow(AuxWindow window) override { calls.push_back({Kind::Focus, window}); }
    void setMenuEnabled(bool enabled) override {
        calls.push_back({Kind::Menu, A::VfoSet, enabled});
        menuEnabled = enabled;
    }

    int count(Kind kind) const {
        int n = 0;
        for (const auto& call : calls)
            n += call.kind == kind ? 1 : 0;
        return n;
    }

    std::vector<Call> calls;
    std::set<AuxWindow> missing;
    std::function<void(AuxWindow)> whileCreating;
    bool menuEnabled = true;
};

using K = RecordingHost::Kind;

class AuxWindowRegistryTest : public ::testing::Test {
  protected:
    RecordingHost host;
    AuxWindowRegistry registry{host};
};

TEST_F(AuxWindowRegistryTest, OpeningCreatesTheWindowAndGraysTheMenu) {
    EXPECT_TRUE(registry.open(A::Cw));
    EXPECT_TRUE(registry.isOpen(A::Cw));
    EXPECT_TRUE(registry.anyOpen());
    EXPECT_FALSE(host.menuEnabled);
    EXPECT_EQ(host.count(K::Create), 1);
}

TEST_F(AuxWindowRegistryTest, TheMenuComesBackOnlyWhenTheLastWindowCloses) {
    registry.open(A::Cw);
    registry.open(A::Notch);
    registry.closed(A::Cw);
    EXPECT_FALSE(host.menuEnabled);
    EXPECT_TRUE(registry.anyOpen());
    registry.closed(A::Notch);
    EXPECT_TRUE(host.menuEnabled);
    EXPECT_FALSE(registry.anyOpen());
    EXPECT_EQ(host.count(K::Destroy), 2);
}

TEST_F(AuxWindowRegistryTest, OpeningAnOpenWindowFocusesItInsteadOfCreatingASecond) {
    registry.open(A::Repeater);
    host.calls.clear();
    EXPECT_TRUE(registry.open(A::Repeater));
    EXPECT_EQ(host.calls, (std::vector<RecordingHost::Call>{{K::Focus, A::Repeater}}));
}

TEST_F(AuxWindowRegistryTest, AWindowTheProgramCannotCreateLeavesEverythingAsItWas) {
    host.missing.insert(A::Vcc);
    EXPECT_FALSE(registry.open(A::Vcc));
    EXPECT_FALSE(registry.isOpen(A::Vcc));
    EXPECT_FALSE(registry.anyOpen());
    EXPECT_EQ(host.count(K::Menu), 0);

    // With another window open the menu stays grayed and that window stays open.
    registry.open(A::Cw);
    EXPECT_FALSE(registry.open(A::Vcc));
    EXPECT_TRUE(registry.isOpen(A::Cw));
    EXPECT_FALSE(host.menuEnabled);
}

// A window may send its closing message before its creation has returned.
TEST_F(AuxWindowRegistryTest, AWindowThatClosesWhileBeingCreatedEndsClosed) {
    host.whileCreating = [this](AuxWindow window) { registry.closed(window); };
    EXPECT_TRUE(registry.open(A::CommandSend));
    EXPECT_FALSE(registry.isOpen(A::CommandSend));
    EXPECT_TRUE(host.menuEnabled);
    EXPECT_EQ(host.count(K::Destroy), 1);
}

TEST_F(AuxWindowRegistryTest, ALostWindowIsClearedWithoutBeingDestroyed) {
    registry.open(A::MemoryWrite);
    registry.lost(A::MemoryWrite);
    EXPECT_FALSE(registry.isOpen(A::MemoryWrite));
    EXPECT_TRUE(host.menuEnabled);
    EXPECT_EQ(host.count(K::Destroy), 0);
    // It can be opened again.
    EXPECT_TRUE(registry.open(A::MemoryWrite));
    EXPECT_EQ(host.count(K::Create), 2);
}

TEST_F(AuxWindowRegistryTest, ClosingAWindowThatIsNotOpenDoesNothing) {
    registry.open(A::Cw);
    host.calls.clear();
    registry.closed(A::Dnr);
    registry.lost(A::Dnr);
    EXPECT_TRUE(host.calls.empty());
    EXPECT_TRUE(registry.isOpen(A::Cw));

    registry.closed(A::Cw);
    host.calls.clear();
    registry.closed(A::Cw);  // a second closing message for the same window
    EXPECT_TRUE(host.calls.empty());
}

TEST_F(AuxWindowRegistryTest, VfoSetGraysTheMenuButLeavesThePanelUsable) {
    registry.open(A::VfoSet);
    EXPECT_TRUE(registry.anyOpen());
    EXPECT_FALSE(host.menuEnabled);
    EXPECT_FALSE(registry.panelBlocked());
    registry.open(A::ConnectingNotice);
    EXPECT_TRUE(registry.panelBlocked());
    registry.closed(A::ConnectingNotice);
    EXPECT_FALSE(registry.panelBlocked());
}

TEST_F(AuxWindowRegistryTest, FocusGoesToTheFirstOpenWindowInFocusOrder) {
    EXPECT_FALSE(registry.focusFirstOpen());
    EXPECT_EQ(host.count(K::Focus), 0);

    constexpr std::array<AuxWindow, kAuxWindowCount> order{
        A::MenuList,         A::Notch,    A::MicEq,       A::Dnr, A::Contour,  A::VfoSet,
        A::ComSelect,        A::BaudRate, A::CommandSend, A::Cw,  A::Playback, A::Repeater,
        A::ConnectingNotice, A::Vcc,      A::MemoryWrite};
    // Opened in reverse, so creation order cannot stand in for focus order.
    for (auto it = order.rbegin(); it != order.rend(); ++it)
        registry.open(*it);
    for (const AuxWindow expected : order) {
        host.calls.clear();
        ASSERT_TRUE(registry.focusFirstOpen());
        ASSERT_EQ(host.calls.size(), 1u);
        EXPECT_EQ(host.calls[0], (RecordingHost::Call{K::Focus, expected}));
        registry.closed(expected);
    }
    EXPECT_FALSE(registry.focusFirstOpen());
}

TEST(AuxWindowMessages, EachWindowClosesWithItsOwnMessage) {
    constexpr std::uint32_t W = platform::WM_APP;
    EXPECT_EQ(AuxWindowRegistry::closedMessage(A::VfoSet), W + 0x589);
    EXPECT_EQ(AuxWindowRegistry::closedMessage(A::CommandSend), W + 0x58C);
    EXPECT_EQ(AuxWindowRegistry::closedMessage(A::MenuList), W + 0x590);
    EXPECT_EQ(AuxWindowRegistry::closedMessage(A::Repeater), W + 0x595);
    EXPECT_EQ(AuxWindowRegistry::closedMessage(A::Contour), W + 0x5A8);
    EXPECT_EQ(AuxWindowRegistry::closedMessage(A::MemoryWrite), W + 0x5AD);
    EXPECT_EQ(AuxWindowRegistry::closedMessage(A::ConnectingNotice), 0u);

    std::set<std::uint32_t> seen;
    for (int i = 0; i < kAuxWindowCount; ++i) {
        const auto window = static_cast<AuxWindow>(i);
        if (window == A::ConnectingNotice) continue;
        const std::uint32_t message = AuxWindowRegistry::closedMessage(window);
        EXPECT_TRUE(seen.insert(message).second) << i;
        EXPECT_EQ(AuxWindowRegistry::closedBy(message), window) << i;
    }
    EXPECT_EQ(AuxWindowRegistry::closedBy(0), std::nullopt);
    EXPECT_EQ(AuxWindowRegistry::closedBy(W + 0x5A7), std::nullopt);  // list ready, not closed
}

TEST(AuxWindowMessages, MenuCommandsOpenTheirWindowsExceptExitAndVersion) {
    EXPECT_EQ(AuxWindowRegistry::openedByCommand(32780), A::CommandSend);
    EXPECT_EQ(AuxWindowRegistry::openedByCommand(32781), A::ComSelect);
    EXPECT_EQ(AuxWindowRegistry::openedByCommand(32782), A::BaudRate);
    EXPECT_EQ(AuxWindowRegistry::openedByCommand(32783), A::Playback);
    EXPECT_EQ(AuxWindowRegistry::openedByCommand(32785), A::Cw);
    EXPECT_EQ(AuxWindowRegistry::openedByCommand(32786), A::Repeater);
    for (const int other : {32779, 32784, 32789, 0}) {
        EXPECT_EQ(AuxWindowRegistry::openedByCommand(other), std::nullopt) << other;
    }
}

}  // namespace
}  // namespace panelink
