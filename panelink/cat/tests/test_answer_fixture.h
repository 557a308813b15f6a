#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "panelink/cat/answer_parser.h"
#include "panelink/cat/command_state.h"
#include "panelink/cat/radio_state.h"
#include "panelink/link/com_port.h"
#include "panelink/link/core_services.h"
#include "panelink/link/link_flags.h"
#include "panelink/link/message_queue.h"
#include "panelink/menu/menu_build.h"
#include "panelink/menu/menu_item_table.h"
#include "shared/formats/link_settings.h"
#include "shared/platform/testing/recording_window.h"
#include "shared/platform/virtual_time.h"

namespace panelink::answertest {

// A parser with its own records, a built menu table, a recording window and recording
// thread sinks.
class AnswerParserTest : public ::testing::Test {
  protected:
    AnswerParserTest() {
        buildMenuItemTable(menu, radio);
        sinks.anlSend = &anlSend;
        sinks.anlRecv = &anlRecv;
        sinks.sioSend = &sioSend;
        sinks.sioRecv = &sioRecv;
    }

    void analyse(const std::string& answer) { parser.analyse(answer); }

    // Forgets every message recorded so far.
    void clearMessages() {
        window.clear();
        anlSend.clear();
    }

    std::vector<std::uint32_t> windowIds() const { return window.ids(); }
    std::vector<std::uint32_t> threadIds() const { return anlSend.ids(); }

    std::int32_t field(RadioField f) const { return radio.get(f); }
    std::int32_t copy(CommandField f) const { return command.get(f); }

    RadioState radio;
    CommandState command;
    MenuItemTable menu;
    LinkFlags flags;
    commo::LinkSettings settings;
    platform::RecordingWindow window;
    ComPort port{window, flags, {}};
    MessageQueue sendQueue;
    MessageQueue receiveQueue;
    platform::VirtualTime time;
    platform::RecordingSink anlSend, anlRecv, sioSend, sioRecv;
    ThreadSinks sinks;
    CoreServices services{radio,     command,      menu,   flags, settings, port,
                          sendQueue, receiveQueue, window, time,  time,     sinks};
    AnswerParser parser{services};
};

}  // namespace panelink::answertest
