// The radio and the control program keep their own tables of answer lengths, set-command
// lengths, reads and menu items, typed apart from each other. Where they disagree one of them
// has a slip: the program would frame an answer wrongly, or the radio would not answer as the
// real one does.
#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "panelink/cat/answer_table.h"
#include "panelink/cat/command_tables.h"
#include "panelink/menu/menu_defaults.h"
#include "tools/orvik-sim/menu_layout.h"
#include "tools/orvik-sim/radio_commands.h"

namespace orviksim {
namespace {

std::string lettersOf(const auto& record) {
    return {record.letters[0], record.letters[1]};
}

TEST(TablesAgree, AnswerLengthsRowByRow) {
    const auto radio = answerLengths();
    const auto& program = panelink::AnswerTable;
    ASSERT_EQ(radio.size(), program.size());
    for (std::size_t i = 0; i < radio.size(); ++i) {
        SCOPED_TRACE("row " + std::to_string(i) + " " + std::string(radio[i].letters));
        // Row order matters to the program: its look-up takes the first match.
        EXPECT_EQ(radio[i].letters, lettersOf(program[i]));
        EXPECT_EQ(radio[i].length, static_cast<int>(program[i].length));
    }
}

TEST(TablesAgree, SetCommandLengthsAndReadsRowByRow) {
    const auto sets = setCommandLengths();
    ASSERT_EQ(sets.size(), panelink::SetCommandTable.size());
    for (std::size_t i = 0; i < sets.size(); ++i) {
        const auto& program = panelink::SetCommandTable[i];
        SCOPED_TRACE("set row " + std::to_string(i) + " " + std::string(sets[i].letters));
        EXPECT_EQ(sets[i].letters, lettersOf(program));
        EXPECT_EQ(sets[i].length, program.length);
    }
    const auto reads = readCommands();
    ASSERT_EQ(reads.size(), panelink::ReadCommandTable.size());
    for (std::size_t i = 0; i < reads.size(); ++i) {
        const auto& program = panelink::ReadCommandTable[i];
        SCOPED_TRACE("read row " + std::to_string(i) + " " + std::string(reads[i].letters));
        EXPECT_EQ(reads[i].letters, lettersOf(program));
        EXPECT_EQ(static_cast<std::int32_t>(reads[i].form), program.kind);
        EXPECT_EQ(reads[i].length, program.length);
    }
}

TEST(TablesAgree, MenuItemsWidthsKindsRangesAndDefaults) {
    ASSERT_EQ(kMenuItemCount, panelink::kMenuItemCount);
    // One past the end too: both sides must call it blank.
    for (int index = 0; index <= kMenuItemCount + 1; ++index) {
        const auto& radio = menuItem(index);
        const auto program = panelink::defaultMenuItem(index);
        SCOPED_TRACE("EX" + std::to_string(index) + " " + program.name.data());
        EXPECT_EQ(radio.kind, program.kind);
        EXPECT_EQ(radio.digits, program.digits);
        EXPECT_EQ(radio.optionCount, program.optionCount);
        EXPECT_EQ(radio.multiplier, program.multiplier > 0 ? program.multiplier : 1);
        EXPECT_EQ(radio.minimum, program.minimum);
        EXPECT_EQ(radio.maximum, program.maximum);
        EXPECT_EQ(static_cast<double>(radio.initial), program.value);
        // The radio starts text items with no text.
        EXPECT_EQ(std::string_view(program.textValue.data()), "");
    }
}

}  // namespace
}  // namespace orviksim
