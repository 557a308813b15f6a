// The decimal field rule and the command buffer every command is built in.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "panelink/core/command_buffer.h"
#include "panelink/core/decimal_field.h"

namespace panelink {
namespace {

TEST(DecimalField, WritesRightAlignedAndLeavesZerosForWhatDoesNotFit) {
    EXPECT_EQ(decimalField(7, 3), "007");
    EXPECT_EQ(decimalField(999, 3), "999");
    EXPECT_EQ(decimalField(0, 2), "00");
    EXPECT_EQ(decimalField(1000, 3), "000");
    EXPECT_EQ(decimalField(10, 1), "0");
    EXPECT_EQ(decimalField(-1, 3), "000");
    EXPECT_EQ(decimalField(std::numeric_limits<std::int64_t>::min(), 4), "0000");
    EXPECT_EQ(decimalField(std::numeric_limits<std::int64_t>::max(), 19), "9223372036854775807");
    EXPECT_EQ(decimalField(std::numeric_limits<std::int64_t>::max(), 18), std::string(18, '0'));
    EXPECT_EQ(decimalField(5, 0), "");
}

TEST(DecimalField, ConvertsOnlyRepresentableDoubles) {
    EXPECT_EQ(integerPart(2.9), 2);
    EXPECT_EQ(integerPart(-2.9), -2);
    EXPECT_EQ(integerPart(-0.5), 0);
    EXPECT_FALSE(integerPart(std::nan("")));
    EXPECT_FALSE(integerPart(std::numeric_limits<double>::infinity()));
    EXPECT_FALSE(integerPart(-std::numeric_limits<double>::infinity()));
    EXPECT_FALSE(integerPart(1e300));
    EXPECT_FALSE(magnitude(std::numeric_limits<std::int64_t>::min()));
    EXPECT_EQ(magnitude(-42), 42);
}

TEST(CommandBuffer, EndsWithTheTerminatorAtItsLength) {
    CommandBuffer command(6);
    command.put(0, "PC");
    command.putDecimal(2, 3, 42);
    EXPECT_EQ(command.text(), "PC042;");

    // What lies at or beyond length - 1 is lost under the terminator.
    CommandBuffer shorter(4);
    shorter.put(0, "LK1234");
    EXPECT_EQ(shorter.text(), "LK1;");
}

TEST(CommandBuffer, UnwrittenBytesStayZeroAndBadLengthsGiveNothing) {
    CommandBuffer command(5);
    command.put(0, "EX");
    EXPECT_EQ(command.text(), std::string("EX\0\0;", 5));
    command.put(-1, 'X');
    command.put(CommandBuffer::kSize, 'X');
    EXPECT_EQ(CommandBuffer(2).text(), "");
    EXPECT_EQ(CommandBuffer(CommandBuffer::kSize).text(), "");
    EXPECT_EQ(CommandBuffer(CommandBuffer::kSize - 1).text().size(), 511u);
}

}  // namespace
}  // namespace panelink
