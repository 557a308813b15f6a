#pragma once

namespace platform {

// A write to a pipe or socket whose reader has gone then fails with EPIPE, which the writer
// reports like any other failed write, instead of ending the whole process. Call it first
// thing in main; the disposition holds for every thread.
bool ignoreBrokenPipes();

}  // namespace platform
