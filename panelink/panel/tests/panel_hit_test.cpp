#include <gtest/gtest.h>

#include <array>
#include <map>
#include <string>

#include "panelink/panel/panel_tables.h"

namespace panelink {
namespace {

using C = PanelCode;
using Z = HitZone;

TEST(HitZones, APointOnTheEdgeOfTwoZonesBelongsToTheEarlierOne) {
    EXPECT_EQ(zoneAt({710, 80}), Z::Display);
    EXPECT_EQ(zoneAt({711, 80}), Z::TwoFunctionKeys);
    EXPECT_EQ(zoneAt({100, 158}), Z::Display);
    EXPECT_EQ(zoneAt({100, 159}), Z::KeyRow);
    EXPECT_EQ(zoneAt({800, 158}), Z::TwoFunctionKeys);
    EXPECT_EQ(zoneAt({800, 159}), Z::RightKnobs);
    EXPECT_EQ(zoneAt({100, 221}), Z::KeyRow);
    EXPECT_EQ(zoneAt({100, 222}), Z::KnobRow);
    EXPECT_EQ(zoneAt({394, 200}), Z::KeyRow);
    EXPECT_EQ(zoneAt({394, 300}), Z::KnobRow);
    EXPECT_EQ(zoneAt({395, 200}), Z::DialArea);
    EXPECT_EQ(zoneAt({646, 200}), Z::DialArea);
    EXPECT_EQ(zoneAt({647, 200}), Z::RightKnobs);
}

TEST(HitZones, ThePicturesCornersAreInsideAndTheFirstPixelBeyondIsNot) {
    EXPECT_EQ(zoneAt({0, 0}), Z::Display);
    EXPECT_EQ(zoneAt({843, 0}), Z::TwoFunctionKeys);
    EXPECT_EQ(zoneAt({0, 320}), Z::KnobRow);
    EXPECT_EQ(zoneAt({843, 320}), Z::RightKnobs);
    EXPECT_EQ(zoneAt({-1, 0}), std::nullopt);
    EXPECT_EQ(zoneAt({0, -1}), std::nullopt);
    EXPECT_EQ(zoneAt({844, 100}), std::nullopt);
    EXPECT_EQ(zoneAt({400, 321}), std::nullopt);
}

TEST(ButtonTables, EachZoneHoldsTheButtonsOfItsPartOfThePanel) {
    EXPECT_EQ(zoneButtons(Z::Display).size(), 44u);
    EXPECT_EQ(zoneButtons(Z::TwoFunctionKeys).size(), 12u);
    EXPECT_EQ(zoneButtons(Z::KeyRow).size(), 6u);
    EXPECT_EQ(zoneButtons(Z::KnobRow).size(), 5u);
    EXPECT_EQ(zoneButtons(Z::DialArea).size(), 6u);
    EXPECT_EQ(zoneButtons(Z::RightKnobs).size(), 3u);
}

struct ButtonSpot {
    Z zone;
    PanelPoint topLeft;
    PanelPoint bottomRight;
    C code;
};

// A few buttons of every table, with the rectangles of the panel artwork.
constexpr std::array<ButtonSpot, 18> kSpots{{
    {Z::Display, {507, 118}, {529, 148}, C::Digit1},
    {Z::Display, {259, 96}, {297, 148}, C::Digit7},
    {Z::Display, {51, 130}, {88, 137}, C::WidthLabel},
    {Z::Display, {665, 80}, {692, 89}, C::AgcSlowLabel},
    {Z::Display, {234, 47}, {267, 58}, C::TxLabel},
    {Z::TwoFunctionKeys, {730, 32}, {766, 47}, C::Voice},
    {Z::TwoFunctionKeys, {779, 77}, {815, 92}, C::Vox},
    {Z::TwoFunctionKeys, {779, 122}, {815, 137}, C::Pms},
    {Z::KeyRow, {36, 183}, {64, 207}, C::Com},
    {Z::KeyRow, {341, 179}, {373, 211}, C::Agc},
    {Z::KnobRow, {221, 270}, {253, 302}, C::Sel},
    {Z::KnobRow, {337, 272}, {377, 300}, C::Clar},
    {Z::DialArea, {399, 181}, {447, 209}, C::BandDown},
    {Z::DialArea, {604, 229}, {636, 257}, C::VfoSwap},
    {Z::DialArea, {588, 272}, {636, 300}, C::Lock},
    {Z::RightKnobs, {662, 179}, {694, 211}, C::Tune},
    {Z::RightKnobs, {722, 179}, {754, 211}, C::Function},
    {Z::RightKnobs, {782, 179}, {814, 211}, C::Meter},
}};

TEST(ButtonTables, SampledButtonsHaveTheirArtworkRectangles) {
    for (const auto& spot : kSpots) {
        SCOPED_TRACE(number(spot.code));
        EXPECT_EQ(hitButton(spot.zone, spot.topLeft), spot.code);
        EXPECT_EQ(hitButton(spot.zone, spot.bottomRight), spot.code);
        EXPECT_NE(hitButton(spot.zone, {spot.topLeft.x - 1, spot.topLeft.y}), spot.code);
        EXPECT_NE(hitButton(spot.zone, {spot.bottomRight.x, spot.bottomRight.y + 1}), spot.code);
        EXPECT_EQ(zoneOfButton(spot.code), spot.zone);
    }
}

TEST(ButtonTables, TheLockKeyIsFoundFromAClickOnIt) {
    const PanelPoint click{612, 286};
    const auto zone = zoneAt(click);
    ASSERT_EQ(zone, Z::DialArea);
    EXPECT_EQ(hitButton(*zone, click), C::Lock);
}

// A click anywhere on a button must reach it: through the zone look-up first, so no button
// may lie where an earlier zone takes the point.
TEST(ButtonTables, EveryButtonIsReachedThroughItsZone) {
    for (const auto& zone : hitZones()) {
        for (const auto& button : zoneButtons(zone.zone)) {
            SCOPED_TRACE(number(button.code));
            const PanelPoint centre{(button.rect.left + button.rect.right) / 2,
                                    (button.rect.top + button.rect.bottom) / 2};
            EXPECT_EQ(zoneAt(centre), zone.zone);
            EXPECT_EQ(hitButton(zone.zone, centre), button.code);
        }
    }
}

// Where two buttons share an edge the button listed first takes it: the upper half of a
// two-function key, and of two neighbouring digits the one to the right.
TEST(ButtonTables, EachCornerHitsItsButtonUnlessANeighbourListedFirstSharesIt) {
    const std::map<C, C> sharedWith{
        {C::ClarSelect, C::Voice}, {C::VfoMemory, C::MemoryWrite},
        {C::Recall, C::Home},      {C::Store, C::Vox},
        {C::Split, C::Step},       {C::Scan, C::Pms},
        {C::Digit2, C::Digit1},    {C::Digit3, C::Digit2},
        {C::Digit5, C::Digit4},    {C::Digit6, C::Digit5},
        {C::Digit8, C::Digit7},
    };
    for (const auto& zone : hitZones()) {
        for (const auto& button : zoneButtons(zone.zone)) {
            const PanelRect r = button.rect;
            for (const PanelPoint corner :
                 {PanelPoint{r.left, r.top}, PanelPoint{r.right, r.top},
                  PanelPoint{r.left, r.bottom}, PanelPoint{r.right, r.bottom}}) {
                SCOPED_TRACE(std::to_string(number(button.code)) + " at " +
                             std::to_string(corner.x) + "," + std::to_string(corner.y));
                const auto hit = hitButton(zone.zone, corner);
                ASSERT_TRUE(hit.has_value());
                if (*hit == button.code) continue;
                const auto shared = sharedWith.find(button.code);
                ASSERT_NE(shared, sharedWith.end());
                EXPECT_EQ(*hit, shared->second);
            }
        }
    }
}

TEST(ButtonTables, DigitsAreListedFirstSoTheirPositionGivesTheDigitIndex) {
    const auto digits = zoneButtons(Z::Display);
    for (int index = 1; index <= 8; ++index) {
        EXPECT_EQ(digits[static_cast<std::size_t>(index - 1)].code, digitCode(index));
    }
    // The point between the MHz and kHz digits is no digit.
    EXPECT_EQ(hitButton(Z::Display, {426, 120}), std::nullopt);
}

TEST(ButtonTables, CodesWithoutARectangleHaveNoZone) {
    for (const C code : {C::MainDial, C::SqlKnob, C::SetVfoA, C::ModeMenuDown, C::BandMenuUp,
                         C::ClarClear, C::MicEq, C::Enter}) {
        EXPECT_EQ(zoneOfButton(code), std::nullopt) << number(code);
    }
}

}  // namespace
}  // namespace panelink
