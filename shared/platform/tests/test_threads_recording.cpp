#include <gtest/gtest.h>

#include <chrono>
#include <thread>
#include <vector>

#include "shared/platform/testing/recording_window.h"

namespace platform {
namespace {

using namespace std::chrono_literals;

TEST(RecordingWindow, RecordsPostsAndSendsAndWaitsAcrossThreads) {
    RecordingWindow window;
    std::vector<Message> handled;
    window.setSendHandler([&](const Message& m) { handled.push_back(m); });
    window.send({WM_APP + 0x10A, 1, 2});
    EXPECT_EQ(handled, window.sent());

    std::thread poster([&] {
        for (int i = 0; i < 3; ++i) {
            std::this_thread::sleep_for(5ms);
            window.post({WM_APP + 0x109, 0, i});
        }
    });
    EXPECT_TRUE(window.waitFor(WM_APP + 0x109, 10s, 3));
    EXPECT_FALSE(window.waitFor(WM_APP + 0x33A, 20ms));
    poster.join();
    EXPECT_EQ(window.posted().size(), 3u);
    EXPECT_EQ(window.ids().front(), WM_APP + 0x10A);

    RecordingSink sink;
    sink.setAccepting(false);
    EXPECT_FALSE(sink.post({WM_APP + 0x103, 0, 0}));
    EXPECT_EQ(sink.count(WM_APP + 0x103), 0u);
}

}  // namespace
}  // namespace platform
