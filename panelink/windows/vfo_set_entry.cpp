#include "panelink/windows/vfo_set_entry.h"

namespace panelink {

std::uintptr_t VfoSetEntry::frequencyOf(std::string_view digits) {
    if (digits.empty() || digits.size() > static_cast<std::size_t>(kMaxDigits)) return 0;
    std::uintptr_t hz = 0;
    for (const char c : digits) {
        if (c < '0' || c > '9') return 0;
        hz = hz * 10 + static_cast<std::uintptr_t>(c - '0');
    }
    return hz;
}

}  // namespace panelink
