#include "panelink/shortcuts/shortcut_table.h"

#include <gtest/gtest.h>

#include <string>

#include "shared/formats/shortcut_files.h"
#include "shared/formats/testing/working_dir.h"

namespace panelink {
namespace {

TEST(ShortcutTable, AFailedLoadLeavesNoTextOfAnEarlierOne) {
    commo::ScratchWorkingDir dir{"shortcut-table"};
    dir.writeCommoFile(commo::kShortcutDefinitionFileName, "FA1;\r\n\r\nMD2;\r\n");
    ShortcutTable table;
    ASSERT_EQ(table.load(dir.path()), ShortcutTable::LoadResult::Loaded);
    EXPECT_EQ(table.text(0), "FA1;");
    EXPECT_EQ(table.text(1), "");
    EXPECT_EQ(table.text(2), "MD2;");
    EXPECT_EQ(table.text(46), "");
    EXPECT_EQ(table.text(-1), "");

    std::filesystem::remove(dir.commoFile(commo::kShortcutDefinitionFileName));
    EXPECT_EQ(table.load(dir.path()), ShortcutTable::LoadResult::FileUnreadable);
    EXPECT_EQ(table.text(0), "");
    EXPECT_EQ(table.text(2), "");
}

TEST(ShortcutTable, ALineKeepsItsFirst255CharactersWhateverItsLengthAndOnly46LinesCount) {
    commo::ScratchWorkingDir dir{"shortcut-table"};
    std::string bytes = std::string(1000, 'A') + "\r\n";
    for (int line = 1; line < 50; ++line)
        bytes += "L" + std::to_string(line) + ";\r\n";
    dir.writeCommoFile(commo::kShortcutDefinitionFileName, bytes);
    ShortcutTable table;
    ASSERT_EQ(table.load(dir.path()), ShortcutTable::LoadResult::Loaded);
    EXPECT_EQ(table.text(0), std::string(255, 'A'));
    EXPECT_EQ(table.text(1), "L1;");
    EXPECT_EQ(table.text(45), "L45;");
}

}  // namespace
}  // namespace panelink
