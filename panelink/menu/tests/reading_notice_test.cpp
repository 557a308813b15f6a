#include <gtest/gtest.h>

#include "panelink/core/link_flags.h"
#include "panelink/menu/reading_notice.h"

namespace panelink {
namespace {

TEST(ReadingNotice, WithoutARunningReadOutItClosesAtOnce) {
    LinkFlags flags;
    ReadingNotice notice(flags);
    EXPECT_EQ(notice.opened(), ReadingNotice::Wait::CloseSoon);
    EXPECT_FALSE(flags.readingDialogShown) << "the read-out has nobody to tell";
}

TEST(ReadingNotice, DuringARunningReadOutItWaitsForItsEndAndIsMarkedShownUntilItCloses) {
    LinkFlags flags;
    flags.readoutBusy = true;
    ReadingNotice notice(flags);
    EXPECT_EQ(notice.opened(), ReadingNotice::Wait::ForTheReadout);
    EXPECT_TRUE(flags.readingDialogShown);
    EXPECT_TRUE(notice.readoutEnded());
    notice.closed();
    EXPECT_FALSE(flags.readingDialogShown);
}

TEST(ReadingNotice, AnEndThatComesAfterTheWaitRanOutChangesNothing) {
    LinkFlags flags;
    flags.readoutBusy = true;
    ReadingNotice notice(flags);
    notice.opened();
    notice.closed();  // ten seconds passed first
    EXPECT_FALSE(notice.readoutEnded());
}

}  // namespace
}  // namespace panelink
