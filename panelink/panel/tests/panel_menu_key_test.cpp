// The F key's sequence and MW, in virtual time.
#include <gtest/gtest.h>

#include "panelink/panel/tests/panel_controller_rig.h"

namespace panelink::paneltest {
namespace {

using F = RadioField;

constexpr PanelPoint kFunctionKey{738, 195};

class FunctionKeyTest : public ControllerTest {
  protected:
    FunctionKeyTest() { host.existing.insert(AuxWindow::MenuList); }

    // The requests posted so far, with the time each was posted at.
    struct Timed {
        PostedRequest request;
        int at;
    };
    void record() {
        for (; seen_ < link.requests.size(); ++seen_)
            timed.push_back({link.requests[seen_], static_cast<int>(time.elapsed().count())});
    }
    void run(int ms) {
        for (int i = 0; i < ms; ++i) {
            advance(1);
            record();
        }
    }

    std::vector<Timed> timed;

  private:
    std::size_t seen_ = 0;
};

const PostedRequest kLock = readBack(Request::SetPanelLock, 2);

TEST_F(FunctionKeyTest, ConnectedAndUnreadItLocksThreeTimesReadsTheMenuThenOpensTheList) {
    connect();
    click(kFunctionKey);
    record();
    EXPECT_TRUE(controller.keysBlocked());
    run(400);
    ASSERT_EQ(window.readingNotices, 1);
    ASSERT_EQ(timed.size(), 4u);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(timed[i].request, kLock) << i;
        EXPECT_EQ(timed[i].at, 100 * i) << i;
    }
    EXPECT_EQ(timed[3].request, plain(Request::StartMenuReadout));
    EXPECT_EQ(timed[3].at, 200);
    EXPECT_EQ(window.last(WindowMessage::FunctionKey), 1u);
    EXPECT_FALSE(controller.windows().isOpen(AuxWindow::MenuList));

    window.closeReadingNotice();  // the read-out has ended
    record();
    run(300);
    ASSERT_EQ(timed.size(), 7u);
    EXPECT_EQ(timed[4].at, 400);
    EXPECT_EQ(timed[6].at, 600);
    EXPECT_EQ(timed[6].request, kLock);
    EXPECT_TRUE(controller.windows().isOpen(AuxWindow::MenuList));
    EXPECT_EQ(window.last(WindowMessage::FunctionKey), 0u);
    EXPECT_TRUE(controller.keysBlocked());

    controller.onWindowClosed(AuxWindow::MenuList, 0);
    EXPECT_FALSE(controller.keysBlocked());
    EXPECT_EQ(link.requests.back(), readBack(Request::SetPanelLock, 3));
}

TEST_F(FunctionKeyTest, SettingsAlreadyReadOrNoConnectionNeedNoReadOut) {
    for (const bool connected : {true, false}) {
        radio.store(F::AI, connected ? 1 : 0);
        link.settingsRead = connected;
        takeRequests();
        click(kFunctionKey);
        advance(200);
        EXPECT_EQ(window.readingNotices, connected ? 1 : 2) << "notice at once after the locks";
        EXPECT_EQ(takeRequests(), (std::vector{kLock, kLock, kLock}));
        window.closeReadingNotice();
        advance(200);
        ASSERT_TRUE(controller.windows().isOpen(AuxWindow::MenuList));
        controller.onWindowClosed(AuxWindow::MenuList, 0);
    }
}

TEST_F(FunctionKeyTest, ClicksDuringTheSequenceWaitUntilItIsOver) {
    click(kFunctionKey);
    click(kLockKey);
    advance(1000);
    EXPECT_EQ(takeRequests(), (std::vector{kLock, kLock, kLock})) << "LOCK waits for the notice";
    window.closeReadingNotice();
    advance(200);
    const std::vector<PostedRequest> after = takeRequests();
    ASSERT_EQ(after.size(), 3u) << "and the list is open by then, which ignores the panel";
}

TEST_F(FunctionKeyTest, TheListOpenItselfIgnoresTheFKey) {
    click(kFunctionKey);
    advance(200);
    window.closeReadingNotice();
    advance(200);
    takeRequests();
    click(kFunctionKey);
    advance(1000);
    EXPECT_TRUE(takeRequests().empty());
    EXPECT_EQ(window.readingNotices, 1);
}

TEST_F(FunctionKeyTest, MwDrawsItsKeyAroundOpeningMemoryWrite) {
    click({797, 39});
    EXPECT_EQ(window.all(WindowMessage::MemoryWriteKey).size(), 2u);
    EXPECT_EQ(window.last(WindowMessage::MemoryWriteKey), 0u);
    EXPECT_TRUE(takeRequests().empty());
}

}  // namespace
}  // namespace panelink::paneltest
