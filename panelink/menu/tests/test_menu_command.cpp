// "EX" and "DA" commands of the menu items, from the default table.

#include "panelink/menu/menu_command.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <limits>
#include <string>

#include "panelink/menu/menu_defaults.h"

namespace panelink {
namespace {

// The default record at `index` with a pending value (and text).
MenuItem pending(int index, double value, const char* text = "") {
    MenuItem item = defaultMenuItem(index);
    item.changed = 1;
    item.newValue = value;
    std::snprintf(item.newText.data(), item.newText.size(), "%s", text);
    return item;
}

std::string write(int index, double value, const char* text = "") {
    return menuWriteCommand(index, pending(index, value, text));
}

TEST(MenuCommand, ReadsEveryItemByIndexAndTheDimmerWithDa) {
    EXPECT_EQ(menuReadCommand(1, defaultMenuItem(1)), "EX001;");
    EXPECT_EQ(menuReadCommand(29, defaultMenuItem(29)), "EX029;");
    EXPECT_EQ(menuReadCommand(67, defaultMenuItem(67)), "DA;");
    for (int blank : {27, 28, 40, 41})
        EXPECT_EQ(menuReadCommand(blank, defaultMenuItem(blank)), "") << blank;
    EXPECT_EQ(menuReadCommand(0, defaultMenuItem(1)), "");
    EXPECT_EQ(menuReadCommand(1000, defaultMenuItem(1)), "");
}

TEST(MenuCommand, WritesTheKnownEncodings) {
    EXPECT_EQ(write(65, 2047), "EX06511111111111;");  // MY BAND, bit set
    EXPECT_EQ(write(65, 1024), "EX06510000000000;");
    EXPECT_EQ(write(66, 32), "EX066100000;");  // MY MODE, bit set
    EXPECT_EQ(write(66, 5), "EX066000101;");
    EXPECT_EQ(write(25, -50), "EX025-050;");    // D DISP, sign and magnitude
    EXPECT_EQ(write(25, 3000), "EX025+000;");   // magnitude too wide for 3 digits
    EXPECT_EQ(write(47, 5), "EX047+05;");       // QSPL F
    EXPECT_EQ(write(63, 5), "EX06305;");        // VOX DLY
    EXPECT_EQ(write(5, 2, "CQ"), "EX0052CQ;");  // BCN TXT
    EXPECT_EQ(write(50, 10), "EX050010;");      // RPT SFT, the value the radio counts
    EXPECT_EQ(write(50, 999), "EX050999;");
    EXPECT_EQ(write(24, 45.9), "EX02445;");  // CWWEIGT, integer part
    EXPECT_EQ(write(67, 4), "DA0400;");      // DIM
}

TEST(MenuCommand, UnrepresentableValuesWriteAllZero) {
    const double nan = std::nan("");
    const double inf = std::numeric_limits<double>::infinity();
    for (double value : {-1.0, nan, inf, -inf, 1e300, 1000.0}) {
        SCOPED_TRACE(value);
        EXPECT_EQ(write(48, value), "EX048000;");  // RFPOWER, 3 digits
        EXPECT_EQ(write(65, value), value == 1000.0 ? "EX06501111101000;" : "EX06500000000000;");
        EXPECT_EQ(write(67, value), "DA0000;");
    }
    EXPECT_EQ(write(25, nan), "EX0250000;");
    EXPECT_EQ(write(5, nan, "CQ"), "EX0050CQ;");
    EXPECT_EQ(write(5, 12, "CQ"), "EX0050CQ;");
}

TEST(MenuCommand, TextItemsCarryOnlyWhatFitsInOneCommand) {
    const std::string forty(40, 'A');
    EXPECT_EQ(write(5, 1, (forty + "BCDEFG").c_str()), "EX0051" + forty + ";");
    EXPECT_EQ(write(5, 1, "CQ;DE"), "EX0051CQ;");
    EXPECT_EQ(write(5, 1, "CQ\nDE"), "EX0051CQ;");
    EXPECT_EQ(write(5, 3, ""), "EX0053;");
}

TEST(MenuCommand, NothingForBlanksBadIndexesAndBadWidths) {
    EXPECT_EQ(write(27, 1), "");
    EXPECT_EQ(menuWriteCommand(0, pending(1, 1)), "");
    EXPECT_EQ(menuWriteCommand(1000, pending(1, 1)), "");
    MenuItem wide = pending(13, 5);
    wide.digits = 0;
    EXPECT_EQ(menuWriteCommand(13, wide), "");
    wide.digits = 506;
    EXPECT_EQ(menuWriteCommand(13, wide), "");
    wide.digits = 505;
    EXPECT_EQ(menuWriteCommand(13, wide).size(), 511u);
}

// Every default item writes a command of its declared width, without a NUL.
TEST(MenuCommand, EveryDefaultItemWritesAWellFormedCommand) {
    for (int index = 1; index <= kMenuItemCount; ++index) {
        const MenuItem item = pending(index, defaultMenuItem(index).value, "TEXT");
        const std::string command = menuWriteCommand(index, item);
        SCOPED_TRACE(index);
        if (item.kind == kKindBlank) {
            EXPECT_EQ(command, "");
            continue;
        }
        EXPECT_EQ(command.find('\0'), std::string::npos);
        EXPECT_EQ(command.back(), ';');
        if (item.kind == kKindText) {
            EXPECT_EQ(command.size(), 11u);
        } else if (item.kind == kKindDimmer) {
            EXPECT_EQ(command.size(), 7u);
        } else {
            EXPECT_EQ(command.size(), static_cast<std::size_t>(item.digits + 6));
            EXPECT_EQ(command.substr(0, 5), menuReadCommand(index, item).substr(0, 5));
        }
    }
}

}  // namespace
}  // namespace panelink
