#pragma once

#include <gtest/gtest.h>

#include <array>
#include <cstddef>
#include <string>

#include "panelink/menu/menu_item.h"

namespace panelink::menutest {

// Text of a zero-terminated field; a field without terminator gives all its bytes.
template <std::size_t N>
std::string text(const std::array<char, N>& field) {
    std::size_t length = 0;
    while (length < N && field[length] != '\0')
        ++length;
    return std::string(field.data(), length);
}

inline void expectSameItem(const MenuItem& a, const MenuItem& b) {
    EXPECT_EQ(a.number, b.number);
    EXPECT_EQ(a.name, b.name);
    EXPECT_EQ(a.rangeText, b.rangeText);
    EXPECT_EQ(a.reserved, b.reserved);
    EXPECT_EQ(a.value, b.value);
    EXPECT_EQ(a.textValue, b.textValue);
    EXPECT_EQ(a.digits, b.digits);
    EXPECT_EQ(a.hasUnit, b.hasUnit);
    EXPECT_EQ(a.unit, b.unit);
    EXPECT_EQ(a.kind, b.kind);
    EXPECT_EQ(a.maximum, b.maximum);
    EXPECT_EQ(a.minimum, b.minimum);
    EXPECT_EQ(a.step, b.step);
    EXPECT_EQ(a.decimals, b.decimals);
    EXPECT_EQ(a.multiplier, b.multiplier);
    EXPECT_EQ(a.optionCount, b.optionCount);
    EXPECT_EQ(a.options, b.options);
    EXPECT_EQ(a.changed, b.changed);
    EXPECT_EQ(a.newValue, b.newValue);
    EXPECT_EQ(a.newText, b.newText);
}

}  // namespace panelink::menutest
