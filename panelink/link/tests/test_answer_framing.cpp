// The receive framer against AnswerTable: each answer is cut at exactly the length its record
// gives, so a generated answer of that length followed by another answer comes out as two
// whole answers, however the bytes arrive.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "panelink/cat/answer_table.h"
#include "panelink/link/receive_framer.h"

namespace panelink {
namespace {

using Answers = std::vector<std::string>;

// Feeds `stream` in pieces of `piece` bytes, one framing step per piece as the receive thread
// polls, then steps until the framer has nothing left to do.
Answers frame(std::string_view stream, std::size_t piece) {
    Answers answers;
    ReceiveFramer framer([](int) { return std::optional<MenuAnswerShape>{}; });
    const auto deliver = [&answers](std::string_view answer) { answers.emplace_back(answer); };
    for (std::size_t at = 0; at < stream.size(); at += piece) {
        framer.append(stream.substr(at, piece));
        framer.step(0, deliver);
    }
    for (int i = 0; i < 8 && framer.count() > 0; ++i)
        framer.step(0, deliver);
    EXPECT_EQ(framer.count(), 0u) << "bytes left unframed";
    return answers;
}

TEST(AnswerFraming, EveryAnswerIsCutAtItsRecordsLength) {
    const std::string next = "FA14250000";
    for (const AnswerRecord& record : AnswerTable) {
        // Letters, digits up to the length, ";".
        std::string answer{record.letters[0], record.letters[1]};
        answer.append(record.length - 3, '1');
        SCOPED_TRACE(answer);
        std::string stream = answer;
        stream.append(";").append(next).append(";");
        for (const std::size_t piece : {stream.size(), std::size_t{3}, std::size_t{1}}) {
            EXPECT_EQ(frame(stream, piece), (Answers{answer, next})) << piece << " bytes a poll";
        }
    }
}

}  // namespace
}  // namespace panelink
