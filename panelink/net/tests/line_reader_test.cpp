// Cutting a client's byte stream into lines, and refusing lines that grow without end.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "panelink/net/line_reader.h"

namespace panelink::net {
namespace {

struct Heard {
    std::vector<std::string> lines;
    int overlong = 0;

    LineReader::Handler handler() {
        return [this](LineReader::Event event, std::string_view text) {
            if (event == LineReader::Event::Overlong) {
                ++overlong;
            } else {
                lines.emplace_back(text);
            }
        };
    }
};

TEST(LineReader, JoinsALineSplitOverSeveralReadsAndSplitsSeveralLinesInOneRead) {
    LineReader reader;
    Heard heard;
    reader.feed("\\get_", heard.handler());
    EXPECT_TRUE(heard.lines.empty());
    EXPECT_EQ(reader.pending(), 5u);
    reader.feed("freq\nf\n\nm", heard.handler());
    EXPECT_EQ(heard.lines, (std::vector<std::string>{"\\get_freq", "f", ""}));
    reader.feed("\n", heard.handler());
    EXPECT_EQ(heard.lines.back(), "m");
    EXPECT_EQ(reader.pending(), 0u);
}

TEST(LineReader, ALineOfTheMaximumLengthIsKeptAndOneByteMoreIsRefusedOnceUntilItsEnd) {
    LineReader reader;
    Heard heard;
    reader.feed(std::string(kMaxLineLength, 'f') + "\n", heard.handler());
    ASSERT_EQ(heard.lines.size(), 1u);
    EXPECT_EQ(heard.overlong, 0);

    heard.lines.clear();
    reader.feed(std::string(kMaxLineLength, 'x'), heard.handler());
    reader.feed("x", heard.handler());
    EXPECT_EQ(heard.overlong, 1);
    // The rest of the long line is dropped without being held, however much of it comes.
    for (int i = 0; i < 100; ++i)
        reader.feed(std::string(1000, 'x'), heard.handler());
    EXPECT_EQ(reader.pending(), 0u);
    EXPECT_EQ(heard.overlong, 1);
    reader.feed("yyy\nf\n", heard.handler());
    EXPECT_EQ(heard.lines, (std::vector<std::string>{"f"}));
}

}  // namespace
}  // namespace panelink::net
