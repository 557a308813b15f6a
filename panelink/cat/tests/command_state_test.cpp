#include "panelink/cat/command_state.h"

#include <gtest/gtest.h>

#include <limits>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace panelink {
namespace {

using C = CommandField;
using R = RadioField;

constexpr std::int32_t kLow = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t kHigh = std::numeric_limits<std::int32_t>::max();

struct ExpectedRow {
    std::vector<CommandField> fields;
    std::int32_t value;
    std::int32_t minimum;
    std::int32_t maximum;
};

CommandField commandAt(std::size_t i) {
    return static_cast<CommandField>(i);
}
RadioField radioAt(std::size_t i) {
    return static_cast<RadioField>(i);
}

TEST(CommandState, EveryCopyHasItsDefaultAndRange) {
    const std::vector<ExpectedRow> rows = {
        // Plain copies take any value.
        {{C::RT, C::NR_0, C::LK, C::FS, C::VS, C::NA_0, C::NA_1, C::KR, C::VX, C::BI, C::PR,
          C::ML_0, C::CS, C::IF_txClarifier, C::AI, C::MD_0, C::MD_1, C::PS},
         0,
         kLow,
         kHigh},
        // Copies kept as 0/1.
        {{C::NB, C::SC, C::TX, C::VR}, 0, 0, 1},
        {{C::BP_0}, 0, 0, 1},
        {{C::BP_1}, 1, 1, 400},
        {{C::ML_1}, 0, 1, 255},
        {{C::KP}, 0, 0, 15},
        {{C::KS}, 0, 4, 60},
        {{C::SD}, 0, 0, 5000},
        {{C::MG, C::PL, C::VG, C::PC}, 0, 0, 255},
        {{C::SQ_0, C::SQ_1, C::AG_0, C::AG_1, C::RG_0, C::RG_1}, 0, 0, 255},
        {{C::IS}, 0, -1000, 1000},
        {{C::SH}, 0, 0, 31},
        {{C::RL}, 0, 1, 15},
        {{C::FA, C::FB}, 0, 30000, 60000000},
        {{C::MS}, 0, 0, 5},
        {{C::MD_modeClass}, 0, 0, 2},
    };

    CommandState state;
    std::set<int> seen;
    for (const auto& row : rows) {
        for (const auto field : row.fields) {
            SCOPED_TRACE(std::string(commandFieldName(field)));
            EXPECT_TRUE(seen.insert(static_cast<int>(field)).second) << "listed twice";
            EXPECT_EQ(state.get(field), row.value);
            EXPECT_EQ(state.minimum(field), row.minimum);
            EXPECT_EQ(state.maximum(field), row.maximum);
            if (row.maximum < kHigh) {
                EXPECT_FALSE(state.store(field, row.maximum + 1));
            }
            if (row.minimum > kLow) {
                EXPECT_FALSE(state.store(field, row.minimum - 1));
            }
            EXPECT_TRUE(state.store(field, row.maximum));
            EXPECT_EQ(state.get(field), row.maximum);
        }
    }
    EXPECT_EQ(seen.size(), kCommandFieldCount);
}

TEST(CommandState, ResetTwiceEqualsResetOnce) {
    CommandState state;
    for (std::size_t i = 0; i < kCommandFieldCount; ++i) {
        ASSERT_TRUE(state.store(commandAt(i), state.minimum(commandAt(i)) + 1));
    }
    state.reset();
    const CommandState fresh;
    for (int round = 0; round < 2; ++round) {
        for (std::size_t i = 0; i < kCommandFieldCount; ++i) {
            const auto f = commandAt(i);
            SCOPED_TRACE(std::string(commandFieldName(f)));
            EXPECT_EQ(state.get(f), fresh.get(f));
            EXPECT_EQ(state.minimum(f), fresh.minimum(f));
            EXPECT_EQ(state.maximum(f), fresh.maximum(f));
        }
        state.reset();
    }
}

TEST(CommandCopy, CopiesFollowTheStateTableColumn) {
    // Most copies carry the reported field's own name.
    const std::set<RadioField> sameName = {
        R::RT,   R::BP_0, R::BP_1, R::NR_0, R::LK,   R::FS,   R::VS,
        R::NA_0, R::NA_1, R::NB,   R::KR,   R::VX,   R::BI,   R::PR,
        R::ML_0, R::ML_1, R::CS,   R::KP,   R::KS,   R::SD,   R::MG,
        R::PL,   R::VG,   R::SQ_0, R::SQ_1, R::AG_0, R::AG_1, R::RG_0,
        R::RG_1, R::IS,   R::SH,   R::RL,   R::FB,   R::SC,   R::TX,
        R::AI,   R::PC,   R::MD_0, R::MD_1, R::MS,   R::PS,   R::IF_txClarifier};
    const std::map<RadioField, CommandField> renamed = {{R::IF_rxClarifier, C::RT},
                                                        {R::OI_frequency, C::FB}};
    const std::set<RadioField> asFlag = {R::NB, R::SC, R::TX};

    for (std::size_t i = 0; i < kRadioFieldCount; ++i) {
        const auto field = radioAt(i);
        SCOPED_TRACE(std::string(radioFieldName(field)));
        const auto copy = commandCopyOf(field);
        if (sameName.contains(field)) {
            ASSERT_TRUE(copy.has_value());
            EXPECT_EQ(commandFieldName(copy->field), radioFieldName(field));
        } else if (const auto it = renamed.find(field); it != renamed.end()) {
            ASSERT_TRUE(copy.has_value());
            EXPECT_EQ(copy->field, it->second);
        } else {
            EXPECT_FALSE(copy.has_value());
            continue;
        }
        EXPECT_EQ(copy->rule == CopyRule::AsFlag, asFlag.contains(field));
    }
}

TEST(CommandCopy, CopyRefusedByTheCopysRangeKeepsTheOldCopy) {
    RadioState radio;
    CommandState command;
    ASSERT_TRUE(radio.store(R::IS, 500));
    ASSERT_TRUE(copyToCommand(radio, R::IS, command));
    EXPECT_EQ(command.get(C::IS), 500);

    // -1270 is a valid report but lies outside the copy's -1000..1000.
    EXPECT_TRUE(radio.store(R::IS, -1270));
    EXPECT_FALSE(copyToCommand(radio, R::IS, command));
    EXPECT_EQ(command.get(C::IS), 500);

    // The sub-side frequency may be reported below the frequency copy's range.
    ASSERT_TRUE(radio.store(R::OI_frequency, 14000000));
    ASSERT_TRUE(copyToCommand(radio, R::OI_frequency, command));
    EXPECT_EQ(command.get(C::FB), 14000000);
    ASSERT_TRUE(radio.store(R::OI_frequency, 20000));
    EXPECT_FALSE(copyToCommand(radio, R::OI_frequency, command));
    EXPECT_EQ(command.get(C::FB), 14000000);
}

TEST(CommandCopy, CopyTakesTheFieldAsItIsAfterARefusedStore) {
    RadioState radio;
    CommandState command;
    EXPECT_FALSE(radio.store(R::KS, 100));
    EXPECT_TRUE(copyToCommand(radio, R::KS, command));
    EXPECT_EQ(command.get(C::KS), 4);
}

TEST(CommandCopy, FlagCopiesStoreOneForAnyNonZeroValue) {
    RadioState radio;
    CommandState command;
    for (const auto& [from, to] : {std::pair{R::NB, C::NB}, {R::SC, C::SC}, {R::TX, C::TX}}) {
        SCOPED_TRACE(std::string(radioFieldName(from)));
        ASSERT_TRUE(radio.store(from, 2));
        EXPECT_TRUE(copyToCommand(radio, from, command));
        EXPECT_EQ(command.get(to), 1);
        ASSERT_TRUE(radio.store(from, 0));
        EXPECT_TRUE(copyToCommand(radio, from, command));
        EXPECT_EQ(command.get(to), 0);
    }
}

TEST(CommandCopy, FieldWithoutCopyChangesNothing) {
    RadioState radio;
    CommandState command;
    ASSERT_TRUE(radio.store(R::FA, 14250000));
    EXPECT_FALSE(copyToCommand(radio, R::FA, command));
    EXPECT_EQ(command.get(C::FA), 0);
}

}  // namespace
}  // namespace panelink
