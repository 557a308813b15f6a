#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <thread>

#include "panelink/menu/menu_defaults.h"
#include "panelink/menu/menu_item_table.h"
#include "panelink/menu/tests/menu_test_util.h"

namespace panelink {
namespace {

using menutest::expectSameItem;
using menutest::text;

// A record unlike any default, to see whether a target was touched.
MenuItem sentinelItem() {
    MenuItem item{};
    item.number = 999;
    std::strcpy(item.name.data(), "SENTNL");
    item.value = -77.5;
    item.kind = 12345;
    item.changed = 1;
    return item;
}

class MenuItemTableTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(table_.rebuild(kMenuItemCount, defaultMenuItem)); }

    MenuItem at(int index) const {
        MenuItem item{};
        EXPECT_TRUE(table_.copyOut(index, item));
        return item;
    }

    MenuItemTable table_;
};

TEST(MenuItemTableEmpty, NothingIsReachableBeforeTheBuild) {
    MenuItemTable table;
    EXPECT_EQ(table.itemCount(), 0);
    MenuItem out = sentinelItem();
    EXPECT_FALSE(table.copyOut(1, out));
    EXPECT_FALSE(table.copyIn(1, defaultMenuItem(1)));
    EXPECT_FALSE(table.copyOutByKind(kKindPeakHold, out));
    expectSameItem(out, sentinelItem());
    EXPECT_EQ(table.valueOfKind(kKindPeakHold), 1.0);
    EXPECT_EQ(table.kindAt(1), kKindBlank);
}

TEST_F(MenuItemTableTest, BadIndexesFailAndTouchNothing) {
    for (int index : {0, -1, kMenuItemCount + 1}) {
        SCOPED_TRACE(index);
        MenuItem out = sentinelItem();
        EXPECT_FALSE(table_.copyOut(index, out));
        expectSameItem(out, sentinelItem());
        EXPECT_FALSE(table_.copyIn(index, sentinelItem()));
        EXPECT_EQ(table_.kindAt(index), kKindBlank);
        EXPECT_EQ(table_.digitsAt(index), 0);
        bool called = false;
        EXPECT_FALSE(table_.withItem(index, [&](MenuItem&) { called = true; }));
        EXPECT_FALSE(called);
    }
    for (int index = 1; index <= kMenuItemCount; ++index) {
        EXPECT_NE(at(index).number, 999) << index;
    }
}

TEST_F(MenuItemTableTest, CopyInReplacesOneWholeRecord) {
    ASSERT_TRUE(table_.copyIn(kMenuItemCount, sentinelItem()));
    expectSameItem(at(kMenuItemCount), sentinelItem());
    expectSameItem(at(kMenuItemCount - 1), defaultMenuItem(kMenuItemCount - 1));
}

TEST_F(MenuItemTableTest, StoredTextsKeepTheirTerminator) {
    MenuItem item = at(5);
    item.name.fill('N');
    item.textValue.fill('T');
    item.options[59].fill('O');
    ASSERT_TRUE(table_.copyIn(5, item));
    EXPECT_EQ(text(at(5).name), std::string(7, 'N'));
    EXPECT_EQ(text(at(5).textValue), std::string(43, 'T'));
    EXPECT_EQ(text(at(5).options[59]), std::string(40, 'O'));

    ASSERT_TRUE(table_.withItem(5, [](MenuItem& m) { m.newText.fill('X'); }));
    EXPECT_EQ(text(at(5).newText), std::string(47, 'X'));
}

TEST_F(MenuItemTableTest, LookUpsByKindUseTheFirstItemOfThatKind) {
    EXPECT_EQ(table_.valueOfKind(kKindPeakHold), 1.0);
    EXPECT_EQ(table_.valueOfKind(kKindCwBfo), 0.0);  // a real 0, not the "none" value
    EXPECT_EQ(table_.valueOfKind(99), 1.0);

    MenuItem out = sentinelItem();
    EXPECT_FALSE(table_.copyOutByKind(99, out));
    expectSameItem(out, sentinelItem());
    ASSERT_TRUE(table_.copyOutByKind(kKindOffOrNumber, out));  // five items have kind 16
    EXPECT_EQ(text(out.name), "APO");

    ASSERT_TRUE(table_.setValueOfKind(kKindOption, 0));  // EXT MNU, default 1
    EXPECT_EQ(at(1).value, 0.0);
    EXPECT_EQ(at(1).changed, 0);
    for (int index = 2; index <= kMenuItemCount; ++index) {
        EXPECT_EQ(at(index).value, defaultMenuItem(index).value) << index;
    }
    EXPECT_FALSE(table_.setValueOfKind(99, 3));

    ASSERT_TRUE(table_.withItemOfKind(kKindMicEq, [](MenuItem& item) { item.changed = 1; }));
    EXPECT_EQ(at(37).changed, 1);
}

TEST_F(MenuItemTableTest, BlankRecordsAreNoKindToLookUp) {
    EXPECT_EQ(table_.valueOfKind(kKindBlank), 1.0);
    EXPECT_FALSE(table_.setValueOfKind(kKindBlank, 5));
    EXPECT_FALSE(table_.withItemOfKind(kKindBlank, [](MenuItem& item) { item.value = 5; }));
    EXPECT_EQ(at(27).value, 0.0);
}

TEST_F(MenuItemTableTest, ItemsBeyondTheCountAreOutOfReach) {
    ASSERT_TRUE(table_.rebuild(40, defaultMenuItem));
    EXPECT_EQ(table_.itemCount(), 40);
    EXPECT_EQ(table_.kindAt(37), kKindMicEq);
    EXPECT_EQ(table_.digitsAt(5), 41);
    // PEAKHLD sits at 45.
    EXPECT_EQ(table_.valueOfKind(kKindPeakHold), 1.0);
    EXPECT_FALSE(table_.setValueOfKind(kKindPeakHold, 0));
    EXPECT_EQ(table_.kindAt(45), kKindBlank);
    EXPECT_EQ(table_.digitsAt(41), 0);
    MenuItem out{};
    EXPECT_FALSE(table_.copyOut(41, out));
    EXPECT_FALSE(table_.rebuild(kMenuItemCount + 1, defaultMenuItem));
    EXPECT_EQ(table_.itemCount(), 40);
}

TEST_F(MenuItemTableTest, ConcurrentCopiesNeverSeeAHalfWrittenRecord) {
    // One thread keeps storing one of two records that differ throughout; the other must only
    // ever read one of them whole.
    const MenuItem a = defaultMenuItem(42);
    MenuItem b = sentinelItem();
    b.options[51][0] = 'Z';
    std::atomic<bool> stop{false};
    std::thread writer([&] {
        for (int i = 0; !stop.load(); ++i)
            table_.copyIn(42, (i % 2 == 0) ? a : b);
    });
    int torn = 0;
    for (int i = 0; i < 5000; ++i) {
        MenuItem out{};
        table_.copyOut(42, out);
        const bool isA = out.number == a.number && out.options == a.options;
        const bool isB = out.number == b.number && out.options == b.options;
        if (!isA && !isB) ++torn;
    }
    stop.store(true);
    writer.join();
    EXPECT_EQ(torn, 0);
}

}  // namespace
}  // namespace panelink
