#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace orviksim {

// One answer key: its parameter template (see param_pattern.h), the range of the number the
// template carries, the power-on parameter text, whether a set command may change it, and
// for a few commands set values above the stored range that are momentary actions (they are
// accepted and change no state). Ranges are those the program accepts when it decodes the
// answer, so that every answer and report the radio sends decodes.
struct KeyFormat {
    std::string_view key;
    std::string_view pattern;
    std::int32_t min;
    std::int32_t max;
    std::string_view initial;
    bool catWritable = true;
    std::int32_t momentaryMax = 0;
};

// Every answer key the radio keeps state for. A read of the bare letters gives the first key
// with those letters.
std::span<const KeyFormat> keyFormats();

// The format of `key` ("FA", "SQ0", "BP01"), or nullptr.
const KeyFormat* findKeyFormat(std::string_view key);

}  // namespace orviksim
