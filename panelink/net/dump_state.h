#pragma once

// The \dump_state answer: what the radio can do, in the line layout the generic client
// (model 2) reads when it connects. It advertises only what the server answers: the
// receive range and modes of the radio, VFO A and B, PTT over the link, the signal strength
// level to read, and no functions or parameters.

#include <string>

namespace panelink::net {

std::string dumpStateText();

}  // namespace panelink::net
