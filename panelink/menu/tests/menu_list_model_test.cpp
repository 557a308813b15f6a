// The menu list window's logic: its copies of the table, the commit of OK (copy-back, menu
// write, read-back of the band and mode sets) and what CANCEL leaves, the remembered line and
// the arrow keys.

#include "panelink/menu/menu_list_model.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "panelink/menu/menu_build.h"
#include "panelink/menu/menu_defaults.h"
#include "panelink/menu/tests/menu_test_util.h"

namespace panelink {
namespace {

using menutest::expectSameItem;
using menutest::text;

constexpr int kApo = 3;
constexpr int kBeaconText = 5;
constexpr int kCwDelay = 16;
constexpr int kMyBand = 65;
constexpr int kMyMode = 66;

// The link as the commit sees it; each event in the order it happened.
struct RecordingMenuLink {
    std::vector<std::string> events;
    bool connected = true;
    // Copied out of the table at the moment of the menu write.
    std::vector<MenuItem> tableAtWrite;
    MenuItemTable* table = nullptr;
    std::vector<int> watched;

    MenuListLink link() {
        return MenuListLink{
            .postRequest =
                [this](Request request) {
                    events.emplace_back(request == Request::WriteMenu ? "WriteMenu" : "request");
                    for (int index : watched) {
                        MenuItem item;
                        table->copyOut(index, item);
                        tableAtWrite.push_back(item);
                    }
                },
            .queueCommand = [this](std::string_view text) { events.emplace_back(text); },
            .connected = [this] { return connected; },
        };
    }
};

class MenuListModelTest : public ::testing::Test {
  protected:
    void SetUp() override {
        buildMenuItemTable(table_);
        recorder_.table = &table_;
    }

    MenuListModel open() { return MenuListModel(table_, memory_, recorder_.link()); }

    // The line showing table index `index`; fails the test when there is none.
    static std::size_t lineOf(const MenuListModel& model, int index) {
        for (std::size_t line = 0; line < model.lineCount(); ++line) {
            if (model.tableIndex(line) == index) return line;
        }
        ADD_FAILURE() << "no line for index " << index;
        return 0;
    }

    static void choose(MenuListModel& model, int index, const std::string& shown) {
        const std::size_t line = lineOf(model, index);
        const ChoiceDialog dialog = model.choiceDialog(line);
        for (std::size_t entry = 0; entry < dialog.entries.size(); ++entry) {
            if (dialog.entries[entry].text == shown) {
                ASSERT_TRUE(model.applyChoice(line, dialog, entry));
                return;
            }
        }
        ADD_FAILURE() << "no entry " << shown;
    }

    static void checkOnly(MenuListModel& model, int index, std::vector<bool> checked) {
        const std::size_t line = lineOf(model, index);
        CheckBoxDialog dialog = model.checkBoxDialog(line);
        ASSERT_EQ(dialog.boxes.size(), checked.size());
        for (std::size_t k = 0; k < checked.size(); ++k)
            dialog.boxes[k].checked = checked[k];
        ASSERT_TRUE(model.applyCheckBoxes(line, dialog));
    }

    MenuItem tableItem(int index) const {
        MenuItem item;
        EXPECT_TRUE(table_.copyOut(index, item));
        return item;
    }

    MenuItemTable table_;
    MenuListMemory memory_;
    RecordingMenuLink recorder_;
};

TEST_F(MenuListModelTest, ListsEveryItemButTheBlankRecordsInMenuNumberOrder) {
    const MenuListModel model = open();
    ASSERT_EQ(model.lineCount(), 63U);
    EXPECT_EQ(model.lineText(0).substr(0, 26), "001 EXT MNU  OFF/EXTENSION");
    EXPECT_EQ(model.lineText(62).substr(0, 11), "063 DIM    ");
    for (std::size_t line = 1; line < model.lineCount(); ++line) {
        EXPECT_LT(model.lineText(line - 1), model.lineText(line)) << "line " << line;
        EXPECT_NE(model.item(line)->kind, kKindBlank);
    }
    // Numbers 027 on sit two records further on in the table.
    EXPECT_EQ(model.tableIndex(26), 29);
    EXPECT_EQ(model.item(26)->number, 27);
    EXPECT_EQ(model.lineText(63), "");
    EXPECT_EQ(model.item(63), nullptr);
    EXPECT_EQ(model.dialogKind(63), MenuDialogKind::None);
}

TEST_F(MenuListModelTest, OkWritesTheChangedItemsBackThenTheMenuWriteThenReadsTheSetsBack) {
    MenuListModel model = open();
    choose(model, kCwDelay, "300");
    checkOnly(model, kMyBand,
              {true, true, false, false, false, false, false, false, false, false, false});
    checkOnly(model, kMyMode, {false, true, false, false, false, false});
    recorder_.watched = {kCwDelay, kMyBand, kMyMode};

    ASSERT_TRUE(model.commit());
    EXPECT_EQ(recorder_.events, std::vector<std::string>{"WriteMenu"});
    // The table held the new values, marked for writing, when the write was asked for.
    ASSERT_EQ(recorder_.tableAtWrite.size(), 3U);
    const std::vector<double> written{30, 1024 + 512, 16};
    for (std::size_t i = 0; i < written.size(); ++i) {
        EXPECT_EQ(recorder_.tableAtWrite[i].value, written[i]) << "item " << i;
        EXPECT_EQ(recorder_.tableAtWrite[i].newValue, written[i]) << "item " << i;
        EXPECT_EQ(recorder_.tableAtWrite[i].changed, 1) << "item " << i;
    }

    model.readBack();
    EXPECT_EQ(recorder_.events, (std::vector<std::string>{"WriteMenu", "EX065;", "EX066;"}));
    model.readBack();  // once only
    EXPECT_EQ(recorder_.events.size(), 3U);
}

TEST_F(MenuListModelTest, SetsAreNotReadBackWhileTheTransceiverIsNotConnected) {
    MenuListModel model = open();
    checkOnly(model, kMyMode, {true, false, false, false, false, false});
    ASSERT_TRUE(model.commit());
    recorder_.connected = false;
    model.readBack();
    EXPECT_EQ(recorder_.events, std::vector<std::string>{"WriteMenu"});
}

TEST_F(MenuListModelTest, OkWithoutChangesWritesNothing) {
    MenuListModel model = open();
    // Choosing the value read again clears the mark.
    choose(model, kApo, "1");
    choose(model, kApo, "OFF");
    EXPECT_FALSE(model.commit());
    model.readBack();
    EXPECT_TRUE(recorder_.events.empty());
    expectSameItem(tableItem(kApo), defaultMenuItem(kApo));
}

TEST_F(MenuListModelTest, OkLeavesWhatTheTransceiverReportedMeanwhileInTheUnchangedItems) {
    MenuListModel model = open();
    table_.withItem(kApo, [](MenuItem& item) { item.value = 7; });
    choose(model, kCwDelay, "400");
    ASSERT_TRUE(model.commit());
    EXPECT_EQ(tableItem(kApo).value, 7);
    EXPECT_EQ(tableItem(kCwDelay).value, 40);
}

TEST_F(MenuListModelTest, OkGivesTheTableTheNewTextOfTheBeaconText) {
    MenuListModel model = open();
    ASSERT_TRUE(model.applyText(lineOf(model, kBeaconText), "CQ TEST"));
    ASSERT_TRUE(model.commit());
    const MenuItem item = tableItem(kBeaconText);
    EXPECT_EQ(text(item.textValue), "CQ TEST");
    EXPECT_EQ(text(item.newText), "CQ TEST");
    EXPECT_EQ(item.changed, 1);
}

TEST_F(MenuListModelTest, CancelLeavesTheTableAsItWas) {
    {
        MenuListModel model = open();
        choose(model, kCwDelay, "300");
        checkOnly(model, kMyBand,
                  {true, false, false, false, false, false, false, false, false, false, false});
        ASSERT_TRUE(model.applyText(lineOf(model, kBeaconText), "CQ"));
        EXPECT_TRUE(model.lineText(lineOf(model, kCwDelay)).ends_with(" 300mSec"));
    }
    for (int index = 1; index <= kMenuItemCount; ++index)
        expectSameItem(tableItem(index), defaultMenuItem(index));
    EXPECT_TRUE(recorder_.events.empty());
}

TEST_F(MenuListModelTest, TheSelectedLineIsRememberedForTheNextOpening) {
    {
        MenuListModel first = open();
        EXPECT_EQ(first.selectedLine(), 0U);
        first.select(40);
        first.select(63);  // no such line
        EXPECT_EQ(first.selectedLine(), 40U);
    }
    const MenuListModel second = open();
    EXPECT_EQ(second.selectedLine(), 40U);

    // A list shorter than the line remembered selects nothing.
    memory_.selectedLine = 70;
    EXPECT_EQ(open().selectedLine(), std::nullopt);
}

TEST_F(MenuListModelTest, ArrowsStepTheBandAndModeLinesAndLeaveTheOthers) {
    MenuListModel model = open();
    const std::size_t bands = lineOf(model, kMyBand);
    const std::size_t modes = lineOf(model, kMyMode);
    const auto ends = [&](std::size_t line, const std::string& tail) {
        return model.lineText(line).ends_with(tail);
    };
    EXPECT_TRUE(ends(bands, " 50 ON"));
    EXPECT_TRUE(model.moveCursor(bands, ListArrow::Right));
    EXPECT_TRUE(ends(bands, " 1.8 ON"));
    EXPECT_TRUE(model.moveCursor(bands, ListArrow::Left));
    EXPECT_TRUE(ends(bands, " 50 ON"));

    // Each set has its own cursor.
    EXPECT_TRUE(ends(modes, " DATA ON"));
    EXPECT_TRUE(model.moveCursor(modes, ListArrow::Left));
    EXPECT_TRUE(ends(modes, " FM ON"));
    EXPECT_TRUE(ends(bands, " 50 ON"));

    const std::string apo = model.lineText(lineOf(model, kApo));
    EXPECT_FALSE(model.moveCursor(lineOf(model, kApo), ListArrow::Right));
    EXPECT_EQ(model.lineText(lineOf(model, kApo)), apo);
    EXPECT_FALSE(model.moveCursor(63, ListArrow::Right));
}

TEST_F(MenuListModelTest, ArrowsScrollABeaconTextLongerThanTheLine) {
    MenuListModel model = open();
    const std::size_t line = lineOf(model, kBeaconText);
    EXPECT_FALSE(model.moveCursor(line, ListArrow::Right)) << "an empty text does not scroll";
    const std::string text = "CQ CQ CQ THIS IS THE BEACON ON TEN METRES OK";  // cut to 40
    ASSERT_TRUE(model.applyText(line, text));
    const auto shown = [&] { return model.lineText(line); };
    EXPECT_TRUE(shown().ends_with(" 1 CQ CQ CQ THIS IS THE BEACON ON TEN "));
    EXPECT_TRUE(model.moveCursor(line, ListArrow::Right));
    EXPECT_TRUE(shown().ends_with(" 1 Q CQ CQ THIS IS THE BEACON ON TEN M"));
    EXPECT_TRUE(model.moveCursor(line, ListArrow::Left));
    EXPECT_TRUE(model.moveCursor(line, ListArrow::Left));
    // From the start, Left goes to the last character.
    EXPECT_TRUE(shown().ends_with(" 1 E"));
}

}  // namespace
}  // namespace panelink
