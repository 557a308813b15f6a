#pragma once

// Answers in the client's form. Plain: a get's values one per line, a set's "RPRT 0", an
// error's "RPRT n". Extended ("+", ";", "|", ","): the long name and the arguments echoed,
// the values as "Key: value", then "RPRT n"; records end with the separator, the block with
// '\n', so ";f" gives "get_freq:;Frequency: 14074000;RPRT 0\n".

#include <span>
#include <string>
#include <string_view>

#include "panelink/net/rig_command.h"
#include "panelink/net/rig_errors.h"

namespace panelink::net {

// A get's values in table order ("USB", "2400"); a set passes none. \dump_state passes its
// whole text as one value.
std::string successAnswer(const RigCommand& command, std::span<const std::string> values = {});

std::string errorAnswer(const RigCommand& command, RigError error);

}  // namespace panelink::net
