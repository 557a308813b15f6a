#include "panelink/menu/reading_notice.h"

#include "panelink/core/link_flags.h"

namespace panelink {

ReadingNotice::Wait ReadingNotice::opened() {
    if (!flags_.readoutBusy.load()) return Wait::CloseSoon;
    waiting_ = true;
    flags_.readingDialogShown.store(true);
    return Wait::ForTheReadout;
}

bool ReadingNotice::readoutEnded() const {
    return waiting_;
}

void ReadingNotice::closed() {
    waiting_ = false;
    flags_.readingDialogShown.store(false);
}

}  // namespace panelink
