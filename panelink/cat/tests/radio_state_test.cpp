#include "panelink/cat/radio_state.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "panelink/cat/menu_setup.h"

namespace panelink {
namespace {

using F = RadioField;

struct ExpectedRow {
    std::vector<RadioField> fields;
    std::int32_t value;
    std::int32_t minimum;
    std::int32_t maximum;
};

// The reported fields with default, minimum and maximum, grouped as the transceiver's state
// table lists them (written from that table, not from the code's list).
const std::vector<ExpectedRow>& expectedRows() {
    static const std::vector<ExpectedRow> rows = {
        {{F::BS}, 3, 0, 11},
        {{F::RT}, 0, 0, 1},
        {{F::SF}, 0, 0, 4},
        {{F::BP_0}, 0, 0, 1},
        {{F::BP_1}, 200, 1, 400},
        {{F::CO_0, F::CO_0_last}, 0, -2, 2},
        {{F::CO_1}, 14, 1, 32},
        {{F::NR_0, F::NR_1}, 0, 0, 1},
        {{F::FT}, 0, 0, 1},
        {{F::LK}, 0, 0, 1},
        {{F::FS}, 0, 0, 1},
        {{F::VS}, 0, 0, 1},
        {{F::NA_0, F::NA_1}, 0, 0, 1},
        {{F::NB}, 0, 0, 2},
        {{F::GT_0}, 4, 0, 6},
        {{F::GT_1}, 4, 0, 4},
        {{F::RA}, 0, 0, 3},
        {{F::PA}, 1, 0, 1},
        {{F::KR}, 0, 0, 1},
        {{F::TS}, 0, 0, 1},
        {{F::AC}, 0, 0, 2},
        {{F::VX}, 0, 0, 1},
        {{F::BI}, 0, 0, 1},
        {{F::PR}, 0, 0, 1},
        {{F::ML_0}, 0, 0, 1},
        {{F::ML_1}, 1, 1, 255},
        {{F::CS}, 0, 0, 1},
        {{F::RM_0, F::RM_other}, 0, 0, 255},
        {{F::KP}, 0, 0, 15},
        {{F::KS}, 4, 4, 60},
        {{F::SD}, 0, 0, 5000},
        {{F::MG}, 0, 0, 255},
        {{F::PL}, 0, 0, 255},
        {{F::VG}, 0, 0, 255},
        {{F::VD}, 0, 0, 5000},
        {{F::SQ_0, F::SQ_1, F::AG_0, F::AG_1, F::RG_0, F::RG_1}, 0, 0, 255},
        {{F::IF_frequency, F::OI_frequency}, 0, 0, 99999999},
        {{F::IF_rxClarifier, F::IF_txClarifier, F::OI_rxClarifier, F::OI_txClarifier}, 0, 0, 1},
        {{F::IF_mode, F::OI_mode}, 0, 0, 12},
        {{F::IF_memoryState, F::OI_memoryState}, 0, 0, 5},
        {{F::IF_toneMode, F::OI_toneMode}, 0, 0, 2},
        {{F::IF_toneNumber, F::OI_toneNumber}, 0, 0, 49},
        {{F::IF_shift, F::OI_shift}, 0, 0, 2},
        {{F::IS}, -1270, -1270, 1270},
        {{F::SH}, 0, 0, 31},
        {{F::RL}, 1, 1, 11},
        {{F::BY_0, F::BY_1}, 0, 0, 1},
        {{F::FA, F::FB}, 7000000, 30000, 60000000},
        {{F::SC}, 0, 0, 2},
        {{F::SM_0, F::SM_1}, 0, 0, 255},
        {{F::TX}, 0, 0, 2},
        {{F::UL}, 0, 0, 1},
        {{F::AI}, 0, 0, 1},
        {{F::CN_0, F::CN_1}, 8, 0, 49},
        {{F::CT_0, F::CT_1}, 0, 0, 2},
        {{F::KM_index}, 1, 1, 5},
        {{F::MC}, 1, 1, 504},
        {{F::OS_0, F::OS_1}, 0, 0, 2},
        {{F::PB}, 0, 0, 8},
        {{F::PC}, 0, 0, 255},
        {{F::RS}, 0, 0, 1},
        {{F::ID}, 244, 244, 246},
        {{F::MD_0}, 1, 0, 12},
        {{F::MD_1}, 0, 0, 12},
        {{F::MS}, 2, 0, 5},
        {{F::PS}, 0, 0, 1},
        {{F::RI_0, F::RI_1, F::RI_2, F::RI_3, F::RI_4, F::RI_9}, 0, 0, 1},
        {{F::BG}, 2, 0, 5},
        {{F::DQ}, 0, 0, 3},
        {{F::VC}, 0, 0, 999},
        {{F::MR}, 1, 1, 504},
        {{F::AX}, 0, 0, 1},
        {{F::DA}, 4, 0, 4},
        {{F::SS}, 0, 0, 11111},
        {{F::ST}, 0, 0, 7},
    };
    return rows;
}

RadioField fieldAt(std::size_t i) {
    return static_cast<RadioField>(i);
}

TEST(RadioState, EveryFieldHasTheListedDefaultAndRange) {
    RadioState state;
    std::set<int> seen;
    for (const auto& row : expectedRows()) {
        for (const auto field : row.fields) {
            SCOPED_TRACE(std::string(radioFieldName(field)));
            EXPECT_TRUE(seen.insert(static_cast<int>(field)).second) << "listed twice";
            EXPECT_EQ(state.get(field), row.value);
            EXPECT_EQ(state.minimum(field), row.minimum);
            EXPECT_EQ(state.maximum(field), row.maximum);
            // The range is enforced, inclusive at both ends.
            EXPECT_FALSE(state.store(field, row.maximum + 1));
            EXPECT_FALSE(state.store(field, row.minimum - 1));
            EXPECT_EQ(state.get(field), row.value);
            EXPECT_TRUE(state.store(field, row.maximum));
            EXPECT_TRUE(state.store(field, row.minimum));
            EXPECT_EQ(state.get(field), row.minimum);
        }
    }
    // No field of the record is missing from the list, and none is left over.
    EXPECT_EQ(seen.size(), kRadioFieldCount);

    for (const auto field : {RadioReal::IF_offset, RadioReal::OI_offset}) {
        SCOPED_TRACE(std::string(radioRealName(field)));
        EXPECT_EQ(state.get(field), 0.0);
        EXPECT_EQ(state.minimum(field), -9999.0);
        EXPECT_EQ(state.maximum(field), 9999.0);
    }
}

TEST(RadioState, FieldNamesFollowTheAnswerLetters) {
    EXPECT_EQ(radioFieldName(F::SQ_0), "SQ_0");
    EXPECT_EQ(radioFieldName(F::IF_frequency), "IF_frequency");
    EXPECT_EQ(radioFieldName(F::ST), "ST");
    EXPECT_EQ(radioRealName(RadioReal::OI_offset), "OI_offset");
    EXPECT_EQ(radioFieldName(fieldAt(kRadioFieldCount)), "");
}

TEST(RadioState, RefusedStoreKeepsValueAndReportsFailure) {
    RadioState state;
    EXPECT_TRUE(state.store(F::FA, 14250000));
    EXPECT_FALSE(state.store(F::FA, 60000001));
    EXPECT_EQ(state.get(F::FA), 14250000);

    EXPECT_TRUE(state.store(RadioReal::IF_offset, -120.5));
    EXPECT_FALSE(state.store(RadioReal::IF_offset, 10000.0));
    EXPECT_EQ(state.get(RadioReal::IF_offset), -120.5);

    // A field number outside the record is refused, not written past the end.
    EXPECT_FALSE(state.store(fieldAt(kRadioFieldCount), 0));
    EXPECT_EQ(state.get(fieldAt(kRadioFieldCount)), 0);
    EXPECT_FALSE(state.store(static_cast<RadioReal>(kRadioRealCount), 0.0));
}

TEST(RadioState, MenuItemCountAndFlags) {
    RadioState state;
    EXPECT_EQ(state.menuItemCount(), 66);
    EXPECT_TRUE(state.storeMenuItemCount(67));
    EXPECT_FALSE(state.storeMenuItemCount(0));
    EXPECT_FALSE(state.storeMenuItemCount(501));
    EXPECT_TRUE(state.storeMenuItemCount(500));
    EXPECT_TRUE(state.storeMenuItemCount(1));
    EXPECT_EQ(state.menuItemCount(), 1);

    EXPECT_FALSE(state.linkEnabled());
    EXPECT_FALSE(state.restoreAutoInformation());
    EXPECT_FALSE(state.connectionPending());
    state.setLinkEnabled(true);
    state.setRestoreAutoInformation(true);
    state.setConnectionPending(true);
    EXPECT_TRUE(state.linkEnabled());
    EXPECT_TRUE(state.restoreAutoInformation());
    EXPECT_TRUE(state.connectionPending());
}

TEST(RadioState, KeyerTextsHoldFiftyCharactersPerRecord) {
    RadioState state;
    const std::string fifty(50, 'A');
    EXPECT_TRUE(state.storeKeyerText(1, fifty));
    EXPECT_EQ(state.keyerText(1), fifty);

    EXPECT_FALSE(state.storeKeyerText(1, std::string(51, 'B')));
    EXPECT_EQ(state.keyerText(1), fifty);

    // A shorter text replaces the whole record, leaving nothing of the longer one behind.
    EXPECT_TRUE(state.storeKeyerText(1, "CQ"));
    EXPECT_EQ(state.keyerText(1), "CQ");

    EXPECT_TRUE(state.storeKeyerText(5, "TEST"));
    EXPECT_EQ(state.keyerText(5), "TEST");
    EXPECT_EQ(state.keyerText(2), "");
    for (const int bad : {0, 6, -1}) {
        EXPECT_FALSE(state.storeKeyerText(bad, "X")) << bad;
        EXPECT_EQ(state.keyerText(bad), "") << bad;
    }
}

TEST(RadioState, KeyerTextEndsAtTheFirstZeroByte) {
    RadioState state;
    // The text field of a short answer is padded with zero bytes up to its 50 positions.
    std::string padded = "DE TEST";
    padded.resize(50, '\0');
    EXPECT_TRUE(state.storeKeyerText(2, padded));
    EXPECT_EQ(state.keyerText(2), "DE TEST");

    // Bytes after a zero never come back, so they cannot be sent later.
    EXPECT_TRUE(state.storeKeyerText(3, std::string("AB\0CD", 5)));
    EXPECT_EQ(state.keyerText(3), "AB");

    // Only the text before the zero counts against the limit.
    std::string longPadded = "5NN";
    longPadded.resize(60, '\0');
    EXPECT_TRUE(state.storeKeyerText(4, longPadded));
    EXPECT_EQ(state.keyerText(4), "5NN");
}

// Everything reset() governs, for comparing states.
struct Snapshot {
    std::vector<std::tuple<std::int32_t, std::int32_t, std::int32_t>> fields;
    std::vector<std::tuple<double, double, double>> reals;
    std::vector<std::string> keyer;
    int menuItemCount;
    bool linkEnabled;
    bool restoreAutoInformation;
    bool connectionPending;

    bool operator==(const Snapshot&) const = default;
};

Snapshot snapshot(const RadioState& s) {
    Snapshot shot{};
    for (std::size_t i = 0; i < kRadioFieldCount; ++i) {
        shot.fields.emplace_back(s.get(fieldAt(i)), s.minimum(fieldAt(i)), s.maximum(fieldAt(i)));
    }
    for (const auto r : {RadioReal::IF_offset, RadioReal::OI_offset}) {
        shot.reals.emplace_back(s.get(r), s.minimum(r), s.maximum(r));
    }
    for (int record = 1; record <= RadioState::kKeyerRecordCount; ++record) {
        shot.keyer.push_back(s.keyerText(record));
    }
    shot.menuItemCount = s.menuItemCount();
    shot.linkEnabled = s.linkEnabled();
    shot.restoreAutoInformation = s.restoreAutoInformation();
    shot.connectionPending = s.connectionPending();
    return shot;
}

void changeEverything(RadioState& s) {
    for (std::size_t i = 0; i < kRadioFieldCount; ++i) {
        const auto f = fieldAt(i);
        ASSERT_TRUE(s.store(f, s.get(f) == s.maximum(f) ? s.minimum(f) : s.maximum(f)));
    }
    ASSERT_TRUE(s.store(RadioReal::IF_offset, 12.5));
    ASSERT_TRUE(s.store(RadioReal::OI_offset, -3.0));
    for (int record = 1; record <= RadioState::kKeyerRecordCount; ++record) {
        ASSERT_TRUE(s.storeKeyerText(record, "CQ CQ"));
    }
    ASSERT_TRUE(s.storeMenuItemCount(67));
    s.setLinkEnabled(true);
    s.setRestoreAutoInformation(true);
    s.setConnectionPending(true);
}

TEST(RadioState, ResetRestoresDefaultsAndIsRepeatable) {
    const RadioState fresh;
    const Snapshot defaults = snapshot(fresh);

    RadioState state;
    changeEverything(state);
    ASSERT_NE(snapshot(state), defaults);

    state.reset();
    EXPECT_EQ(snapshot(state), defaults);
    state.reset();
    EXPECT_EQ(snapshot(state), defaults);
}

TEST(MenuSetup, StoresTheBuiltItemCountAndEnablesTheLinkOnlyAtTheEnd) {
    MenuItemTable table;
    RadioState state;
    ASSERT_NE(state.menuItemCount(), kMenuItemCount);  // so the store below is seen
    ASSERT_FALSE(state.linkEnabled());

    buildMenuItemTable(table, state);
    EXPECT_EQ(state.menuItemCount(), table.itemCount());
    EXPECT_EQ(state.menuItemCount(), 67);
    EXPECT_FALSE(state.linkEnabled());

    endMenuItemBuild(state);
    EXPECT_TRUE(state.linkEnabled());
}

}  // namespace
}  // namespace panelink
