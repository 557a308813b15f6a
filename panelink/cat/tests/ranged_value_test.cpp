#include "panelink/cat/ranged_value.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace panelink {
namespace {

TEST(RangedValue, StoresInsideRangeAndRefusesOutsideKeepingOldValue) {
    RangedValue v(5, -2, 10);
    EXPECT_TRUE(v.store(-2));
    EXPECT_EQ(v.get(), -2);
    EXPECT_TRUE(v.store(10));
    EXPECT_EQ(v.get(), 10);

    EXPECT_FALSE(v.store(11));
    EXPECT_EQ(v.get(), 10);
    EXPECT_FALSE(v.store(-3));
    EXPECT_EQ(v.get(), 10);
    EXPECT_EQ(v.minimum(), -2);
    EXPECT_EQ(v.maximum(), 10);
}

TEST(RangedValue, FullRangeAcceptsExtremes) {
    constexpr auto lo = std::numeric_limits<std::int32_t>::min();
    constexpr auto hi = std::numeric_limits<std::int32_t>::max();
    RangedValue v(0, lo, hi);
    EXPECT_TRUE(v.store(lo));
    EXPECT_EQ(v.get(), lo);
    EXPECT_TRUE(v.store(hi));
    EXPECT_EQ(v.get(), hi);
}

TEST(RangedValue, AssignedValueOutsideRangeIsKeptUntilAValidStore) {
    RangedValue v;
    v.assign(0, 30000, 60000000);
    EXPECT_EQ(v.get(), 0);
    EXPECT_FALSE(v.store(29999));
    EXPECT_EQ(v.get(), 0);
    EXPECT_TRUE(v.store(30000));
    EXPECT_EQ(v.get(), 30000);
}

TEST(RangedReal, StoreRuleAndNonFiniteValues) {
    RangedReal r(0.0, -9999.0, 9999.0);
    EXPECT_TRUE(r.store(-9999.0));
    EXPECT_TRUE(r.store(9999.0));
    EXPECT_FALSE(r.store(9999.5));
    EXPECT_EQ(r.get(), 9999.0);

    // A NaN compares false with everything; it must still count as out of range.
    EXPECT_FALSE(r.store(std::numeric_limits<double>::quiet_NaN()));
    EXPECT_FALSE(r.store(std::numeric_limits<double>::infinity()));
    EXPECT_FALSE(r.store(-std::numeric_limits<double>::infinity()));
    EXPECT_EQ(r.get(), 9999.0);
}

}  // namespace
}  // namespace panelink
