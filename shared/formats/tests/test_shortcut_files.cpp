#include <gtest/gtest.h>

#include <set>
#include <string>

#include "shared/formats/shortcut_files.h"
#include "shared/formats/testing/working_dir.h"

namespace commo {
namespace {

struct KeySlot {
    KeyModifier modifier;
    BaseKey key;
    int slot;
};

// Every assignable combination with its slot, written out independently of the key table.
std::vector<KeySlot> expectedSlots() {
    std::vector<KeySlot> slots;
    const BaseKey f[] = {BaseKey::F1, BaseKey::F2,  BaseKey::F3,  BaseKey::F4,
                         BaseKey::F5, BaseKey::F6,  BaseKey::F7,  BaseKey::F8,
                         BaseKey::F9, BaseKey::F10, BaseKey::F11, BaseKey::F12};
    for (int i = 1; i <= 8; ++i)
        slots.push_back({KeyModifier::None, f[i], i - 1});
    slots.push_back({KeyModifier::None, BaseKey::F11, 8});
    slots.push_back({KeyModifier::None, BaseKey::F12, 9});
    for (int i = 0; i <= 8; ++i)
        slots.push_back({KeyModifier::Shift, f[i], 10 + i});
    slots.push_back({KeyModifier::Shift, BaseKey::F11, 19});
    slots.push_back({KeyModifier::Shift, BaseKey::F12, 20});
    for (int i = 0; i <= 8; ++i)
        slots.push_back({KeyModifier::Ctrl, f[i], 21 + i});
    slots.push_back({KeyModifier::Ctrl, BaseKey::F11, 30});
    slots.push_back({KeyModifier::Ctrl, BaseKey::F12, 31});
    for (int i = 0; i <= 2; ++i)
        slots.push_back({KeyModifier::Alt, f[i], 32 + i});
    slots.push_back({KeyModifier::Alt, BaseKey::F5, 35});
    for (int i = 6; i <= 11; ++i)
        slots.push_back({KeyModifier::Alt, f[i], 36 + i - 6});
    slots.push_back({KeyModifier::None, BaseKey::PageUp, 42});
    slots.push_back({KeyModifier::None, BaseKey::PageDown, 43});
    slots.push_back({KeyModifier::None, BaseKey::Home, 44});
    slots.push_back({KeyModifier::None, BaseKey::End, 45});
    return slots;
}

TEST(ShortcutKeys, EveryAssignableCombinationHasItsOwnSlotAndTheSixReservedOnesHaveNone) {
    const std::vector<KeySlot> slots = expectedSlots();
    ASSERT_EQ(slots.size(), 46U);
    std::set<int> seen;
    for (const KeySlot& expected : slots) {
        EXPECT_EQ(shortcutSlot(expected.modifier, expected.key), expected.slot)
            << "slot " << expected.slot;
        seen.insert(expected.slot);
    }
    EXPECT_EQ(seen.size(), 46U);

    EXPECT_EQ(shortcutSlot(KeyModifier::None, BaseKey::F1), std::nullopt);
    EXPECT_EQ(shortcutSlot(KeyModifier::None, BaseKey::F10), std::nullopt);
    EXPECT_EQ(shortcutSlot(KeyModifier::Shift, BaseKey::F10), std::nullopt);
    EXPECT_EQ(shortcutSlot(KeyModifier::Ctrl, BaseKey::F10), std::nullopt);
    EXPECT_EQ(shortcutSlot(KeyModifier::Alt, BaseKey::F4), std::nullopt);
    EXPECT_EQ(shortcutSlot(KeyModifier::Alt, BaseKey::F6), std::nullopt);
}

TEST(ShortcutKeys, PagingKeysAreShortcutsOnlyWithoutModifiers) {
    EXPECT_EQ(shortcutSlot(KeyModifier::Shift, BaseKey::PageUp), std::nullopt);
    EXPECT_EQ(shortcutSlot(KeyModifier::Ctrl, BaseKey::Home), std::nullopt);
    EXPECT_EQ(shortcutSlot(KeyModifier::Alt, BaseKey::End), std::nullopt);
}

TEST(ShortcutKeys, PanelsHoldTwentySixRowsInTheEditorsOrderWithSixReservedRows) {
    int reserved = 0;
    for (int panel = 1; panel <= 2; ++panel) {
        for (int row = 1; row <= 26; ++row) {
            const ShortcutKeyRow* key = shortcutKeyAt(panel, row);
            ASSERT_NE(key, nullptr);
            EXPECT_EQ(key->panel, panel);
            EXPECT_EQ(key->row, row);
            if (key->slot == kReservedSlot) {
                ++reserved;
                EXPECT_FALSE(key->reservedTag.empty()) << key->caption;
            } else {
                EXPECT_EQ(shortcutKeyOfSlot(key->slot), key);
            }
        }
    }
    EXPECT_EQ(reserved, 6);
    EXPECT_EQ(shortcutKeyAt(1, 25)->caption, "Page Up");
    EXPECT_EQ(shortcutKeyAt(2, 16)->reservedTag, "Quit program|Closes the current window");
    EXPECT_EQ(shortcutKeyAt(2, 17)->caption, "Alt + F5");
    EXPECT_EQ(shortcutKeyAt(0, 1), nullptr);
    EXPECT_EQ(shortcutKeyAt(1, 27), nullptr);
    EXPECT_EQ(shortcutKeyOfSlot(46), nullptr);
}

TEST(ShortcutFiles, LinesAreReadWithEitherLineEndAndAtMostFortySix) {
    ScratchWorkingDir dir;
    std::string text = "FA00014074000;MD2;\r\nunix line\nlast without end";
    dir.writeCommoFile(kShortcutDefinitionFileName, text);
    const auto lines = readShortcutLines(dir.commoFile(kShortcutDefinitionFileName));
    ASSERT_TRUE(lines);
    EXPECT_EQ(*lines,
              (std::vector<std::string>{"FA00014074000;MD2;", "unix line", "last without end"}));

    std::string many;
    for (int i = 0; i < 60; ++i)
        many += std::to_string(i) + "\r\n";
    dir.writeCommoFile(kShortcutTagFileName, many);
    const auto first46 = readShortcutLines(dir.commoFile(kShortcutTagFileName));
    ASSERT_TRUE(first46);
    ASSERT_EQ(first46->size(), 46U);
    EXPECT_EQ(first46->back(), "45");
}

TEST(ShortcutFiles, ALongLineStaysOneLineAndAMissingFileReadsAsNothing) {
    ScratchWorkingDir dir;
    const std::string longLine(300, 'A');
    dir.writeCommoFile(kShortcutDefinitionFileName, longLine + "\r\nFB;\r\n");
    const auto lines = readShortcutLines(dir.commoFile(kShortcutDefinitionFileName));
    ASSERT_TRUE(lines);
    EXPECT_EQ(*lines, (std::vector<std::string>{longLine, "FB;"}));

    EXPECT_FALSE(readShortcutLines(dir.commoFile(kShortcutTagFileName)));
}

TEST(ShortcutFiles, WritingGivesFortySixCrLfLinesWithoutLineBreaksInsideATextAndReadsBack) {
    ScratchWorkingDir dir;
    ShortcutTexts texts;
    texts[0] = "FA;";
    texts[5] = "ab\r\ncd\0e";
    texts[45] = "END;";
    const auto file = shortcutFilePath(dir.path(), kShortcutDefinitionFileName);
    ASSERT_TRUE(writeShortcutLines(file, texts));

    const std::string written = *dir.readCommoFile(kShortcutDefinitionFileName);
    std::string expected = "FA;\r\n\r\n\r\n\r\n\r\nabcd\r\n";
    for (int i = 6; i < 45; ++i)
        expected += "\r\n";
    expected += "END;\r\n";
    EXPECT_EQ(written, expected);

    const auto lines = readShortcutLines(file);
    ASSERT_TRUE(lines);
    ASSERT_EQ(lines->size(), 46U);
    EXPECT_EQ((*lines)[5], "abcd");
    EXPECT_EQ((*lines)[45], "END;");
}

TEST(ShortcutFiles, ThePathHasNoLengthLimitOfItsOwn) {
    const std::filesystem::path deep = std::filesystem::path("/") / std::string(300, 'd');
    EXPECT_EQ(shortcutFilePath(deep, kShortcutTagFileName),
              deep / "CommoFiles" / "VantorKSTAG.txt");
}

}  // namespace
}  // namespace commo
