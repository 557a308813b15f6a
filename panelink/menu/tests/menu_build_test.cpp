#include <gtest/gtest.h>

#include <cstring>

#include "panelink/cat/radio_state.h"
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

TEST(MenuBuild, FillsTheTableAndEnablesTheLinkOnlyAtTheEnd) {
    MenuItemTable table;
    RadioState state;
    ASSERT_NE(state.menuItemCount(), kMenuItemCount);  // so the store below is seen
    ASSERT_FALSE(state.linkEnabled());

    buildMenuItemTable(table, state);
    EXPECT_EQ(table.itemCount(), 67);
    EXPECT_EQ(state.menuItemCount(), 67);
    for (int blank : {27, 28, 40, 41})
        EXPECT_EQ(table.kindAt(blank), kKindBlank) << blank;
    expectDefaults(table);
    EXPECT_FALSE(state.linkEnabled());

    endMenuItemBuild(state);
    EXPECT_TRUE(state.linkEnabled());
}

TEST(MenuBuild, ClearsEveryRecordBeforeFillingIt) {
    MenuItemTable table;
    RadioState state;
    buildMenuItemTable(table, state);
    for (int index = 1; index <= kMenuItemCount; ++index) {
        ASSERT_TRUE(table.withItem(index, [](MenuItem& item) {
            item.changed = 1;
            item.newValue = 9;
            std::strcpy(item.textValue.data(), "OLD");
            item.options[59][0] = 'X';
            item.kind = 99;
        }));
    }
    buildMenuItemTable(table, state);
    expectDefaults(table);
}

}  // namespace
}  // namespace panelink
