#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "panelink/cat/answer_parser.h"
#include "panelink/cat/command_state.h"
#include "panelink/cat/menu_setup.h"
#include "panelink/cat/radio_state.h"
#include "panelink/testing/core_rig.h"

namespace panelink::answertest {

// A parser with its own records, a built menu table, a recording window and recording
// thread sinks.
class AnswerParserTest : public ::testing::Test, protected rig::CoreRig<> {
  protected:
    AnswerParserTest() { buildMenuItemTable(menu, radio); }

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

    AnswerParser parser{services};
};

}  // namespace panelink::answertest
