#pragma once

// What the file loader targets share: one scratch working directory for the whole run (a
// loader reads a path, so each input is written there as the file under test), and an abort
// that names the broken promise in the fuzzer's log.

#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "shared/formats/testing/working_dir.h"

namespace fuzz {

inline const commo::ScratchWorkingDir& scratch() {
    static const commo::ScratchWorkingDir dir("panelink-fuzz");
    if (!dir.ok()) std::abort();
    return dir;
}

inline void require(bool condition, const char* promise) {
    if (condition) return;
    std::fprintf(stderr, "broken: %s\n", promise);
    std::abort();
}

inline std::string_view textOf(const unsigned char* data, std::size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

}  // namespace fuzz
