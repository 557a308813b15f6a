#include "panelink/panel/display_elements.h"

#include <gtest/gtest.h>

#include <set>

#include "panelink/resources/bitmap_catalog.h"

namespace panelink {
namespace {

using Family = ElementFamily;

// Groups and states per family as the panel is laid out: 8 frequency digits of 22 states, the
// points, 3 clarifier digits of 10, its point and 3-state sign, 16 letter slots, 5 scales,
// 31 meter segments, 29 two-state labels, 3 ON/OFF columns of 4, 6 AGC boxes, 7 bar rows of
// 11 segments, 24 key caps, 2 four-state keys and 8 dial and knob bitmaps.
TEST(DisplayElements, CountsPerFamilyAndInAll) {
    struct Expected {
        Family family;
        int groups;
        int slots;
    };
    const Expected expected[] = {
        {Family::FrequencyDigit, 8, 176},
        {Family::FrequencyPoint, 1, 3},
        {Family::ClarifierDigit, 3, 30},
        {Family::ClarifierPoint, 1, 1},
        {Family::ClarifierSign, 1, 3},
        {Family::VfoLetter, 1, 16},
        {Family::MeterScale, 1, 5},
        {Family::MeterSegment, 31, 62},
        {Family::Label, 29, 58},
        {Family::OnOffBox, 3, 12},
        {Family::AgcBox, 1, 6},
        {Family::BarSegment, 77, 154},
        {Family::KeyCap, 24, 48},
        {Family::FourStateKey, 2, 8},
        {Family::Dial, 7, 8},
    };
    int total = 0;
    for (const auto& e : expected) {
        int slots = 0;
        for (const auto& group : elementGroups()) {
            if (group.family == e.family) slots += group.stateCount;
        }
        EXPECT_EQ(familyGroupCount(e.family), e.groups) << static_cast<int>(e.family);
        EXPECT_EQ(slots, e.slots) << static_cast<int>(e.family);
        total += e.slots;
    }
    EXPECT_EQ(total, 590);
    EXPECT_EQ(displayElements().size(), 590u);
}

TEST(DisplayElements, EveryBitmapIsInTheCatalogAtTheElementSize) {
    for (std::size_t slot = 0; slot < displayElements().size(); ++slot) {
        const DisplayElement& e = displayElements()[slot];
        const BitmapInfo* info = findBitmap(e.bitmap);
        ASSERT_NE(info, nullptr) << "slot " << slot << " bitmap " << e.bitmap;
        EXPECT_EQ(info->width, e.width) << "slot " << slot << " bitmap " << e.bitmap;
        EXPECT_EQ(info->height, e.height) << "slot " << slot << " bitmap " << e.bitmap;
        EXPECT_GE(e.x, 0);
        EXPECT_GE(e.y, 0);
        EXPECT_LE(e.x + e.width, 843) << "slot " << slot;
        EXPECT_LE(e.y + e.height, 320) << "slot " << slot;
    }
    // The caption highlight copies from the two whole-panel pictures.
    for (int picture : {kPanelPicture, kPanelPictureCaptionsLit}) {
        const BitmapInfo* info = findBitmap(picture);
        ASSERT_NE(info, nullptr);
        EXPECT_EQ(info->width, 843);
        EXPECT_EQ(info->height, 320);
    }
}

// Spot checks of places where a slip in the tables would show on the panel.
TEST(DisplayElements, SelectedSlotsSitWhereThePanelHasThem) {
    auto expect = [](Family f, int index, int state, DisplayElement want) {
        const DisplayElement* e = findElement(f, index, state);
        ASSERT_NE(e, nullptr);
        EXPECT_EQ(*e, want) << "family " << static_cast<int>(f) << " group " << index << " state "
                            << state;
    };
    expect(Family::FrequencyDigit, 0, 3, {1345, 221, 96, 38, 52});
    expect(Family::FrequencyDigit, 5, 16, {1433, 431, 96, 38, 52});
    expect(Family::FrequencyDigit, 7, 15, {1463, 507, 118, 22, 30});
    expect(Family::FrequencyDigit, 7, 21, {1457, 507, 118, 22, 30});
    expect(Family::FrequencyPoint, 0, 2, {1356, 297, 136, 10, 10});
    expect(Family::ClarifierDigit, 2, 9, {1453, 676, 118, 22, 30});
    expect(Family::VfoLetter, 0, kVfoLetterSecondPlace + 3, {1464, 566, 118, 22, 30});
    expect(Family::MeterSegment, 30, 1, {1431, 209, 61, 3, 9});
    expect(Family::Label, static_cast<int>(PanelLabel::Ant), 1, {1480, 475, 61, 26, 15});
    expect(Family::Label, static_cast<int>(PanelLabel::MarkerWidth), 1, {1400, 45, 130, 4, 7});
    expect(Family::OnOffBox, static_cast<int>(OnOffColumn::Nb), 3, {1413, 625, 79, 21, 9});
    expect(Family::AgcBox, 0, static_cast<int>(AgcBoxState::SlowLit), {1364, 665, 80, 27, 9});
    expect(Family::BarSegment, static_cast<int>(BarRow::Shift) * 11 + 10, 1,
           {1368, 203, 146, 9, 2});
    expect(Family::FourStateKey, static_cast<int>(FourStateKey::Power), 3, {1331, 91, 179, 32, 32});
}

TEST(DisplayElements, LookupsRefuseWhatDoesNotExist) {
    EXPECT_EQ(findElement(Family::FrequencyDigit, 8, 0), nullptr);
    EXPECT_EQ(findElement(Family::FrequencyDigit, 0, 22), nullptr);
    EXPECT_EQ(findElement(Family::Label, -1, 0), nullptr);
    EXPECT_EQ(findElement(Family::Dial, 0, -1), nullptr);
    EXPECT_EQ(findElement(static_cast<Family>(99), 0, 0), nullptr);
    EXPECT_FALSE(captionRect(4));
    EXPECT_FALSE(captionRect(-1));

    // Every indicator message 0x57A..0x584 and 0x59A..0x5A6 names its own key, no other does.
    std::set<int> indexes;
    for (std::uint32_t n = 0x578; n <= 0x5A8; ++n) {
        const bool indicator = (n >= 0x57A && n <= 0x584) || (n >= 0x59A && n <= 0x5A6);
        const auto index = keyCapIndex(0x8000 + n);
        EXPECT_EQ(index.has_value(), indicator) << std::hex << n;
        if (index) indexes.insert(*index);
    }
    EXPECT_EQ(indexes.size(), 24u);

    // By name: each key cap is found as itself (a message listed twice would find the first),
    // and the four-state keys, drawn otherwise, are none.
    const auto caps = keyCaps();
    for (std::size_t i = 0; i < caps.size(); ++i)
        EXPECT_EQ(keyCapIndex(caps[i].message), static_cast<int>(i)) << caps[i].name;
    EXPECT_FALSE(keyCapIndex(WindowMessage::ComKey));
    EXPECT_FALSE(keyCapIndex(WindowMessage::PowerKey));
}

}  // namespace
}  // namespace panelink
