#pragma once

// The auxiliary windows' dialogs with the real command sender behind their link, an event
// hub, and a recorder in the main window's place that counts the closing messages.

#include <gtest/gtest.h>

#include <QApplication>
#include <QCoreApplication>
#include <QEvent>

#include <string>
#include <vector>

#include "panelink/core/event_hub.h"
#include "panelink/core/messages.h"
#include "panelink/testing/qt_test_support.h"
#include "panelink/windows/tests/command_wire.h"
#include "shared/platform/testing/recording_window.h"

namespace panelink::windowtest {

using Texts = std::vector<std::string>;
using uitest::waitUntil;

class WindowFixture : public ::testing::Test {
  protected:
    std::size_t closes(WindowMessage closedMessage) const {
        return mainWindow_.count(id(closedMessage));
    }
    // An answer arrived: the radio state has been written and its update is published.
    void publish(DisplayUpdate update) { events_.post(message(update)); }
    // Runs the queued calls, as the event loop would.
    static void runEvents() { QCoreApplication::processEvents(); }

    CommandWire wire_;
    EventHub events_;
    platform::RecordingWindow mainWindow_;
    EventHub::Subscription mainSubscription_ = events_.subscribeMainWindow(mainWindow_);
};

}  // namespace panelink::windowtest
