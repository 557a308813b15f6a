#include <gtest/gtest.h>

#include <cstring>

#include "panelink/menu/menu_build.h"
#include "panelink/menu/tests/menu_test_util.h"

namespace panelink {
namespace {

void expectDefaults(const MenuItemTable& table) {
    for (int index = 1; index <= kMenuItemCount; ++index) {
        SCOPED_TRACE(index);
        MenuItem item{};
        ASSERT_TRUE(table.copyOut(index, item));
        menutest::expectSameItem(item, defaultMenuItem(index));
    }
}

TEST(MenuBuild, FillsEveryItemFromItsDefaults) {
    MenuItemTable table;
    buildMenuItemTable(table);
    EXPECT_EQ(table.itemCount(), 67);
    for (int blank : {27, 28, 40, 41})
        EXPECT_EQ(table.kindAt(blank), kKindBlank) << blank;
    expectDefaults(table);
}

TEST(MenuBuild, ClearsEveryRecordBeforeFillingIt) {
    MenuItemTable table;
    buildMenuItemTable(table);
    for (int index = 1; index <= kMenuItemCount; ++index) {
        ASSERT_TRUE(table.withItem(index, [](MenuItem& item) {
            item.changed = 1;
            item.newValue = 9;
            std::strcpy(item.textValue.data(), "OLD");
            item.options[59][0] = 'X';
            item.kind = 99;
        }));
    }
    buildMenuItemTable(table);
    expectDefaults(table);
}

}  // namespace
}  // namespace panelink
