#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <span>
#include <string_view>

#include "panelink/cat/command_state.h"
#include "panelink/core/requests.h"

namespace panelink {

// When a plain request may send its command.
enum class RequestGuard : std::uint8_t {
    None,
    ValueRange,      // lparam lies in [minimum, maximum]
    VfoSelectKnown,  // the VS copy of CommandState is 0 or 1
    VfoChannel,      // the channel mode of the last "IF" answer is 0, 1, 4 or 5 (VFO, memory,
                     // PMS, home): the modes in which the VFO-A frequency means something
};

// A request that builds one command by one rule: prefix, then the sub-side digit (wparam
// bit 0) when `sideDigit`, then lparam as a decimal field of `width` characters when width is
// above 0, then suffix.
struct PlainRequest {
    Request request{};
    std::string_view prefix;
    bool sideDigit = false;
    int width = 0;
    std::string_view suffix;
    RequestGuard guard = RequestGuard::None;
    std::int64_t minimum = 0;
    std::int64_t maximum = 0;
};

// A toggle: reads one CommandState copy and sends prefix + "0" when it is 1, prefix + "1"
// when it is 0, nothing while the state is unknown (any other value).
struct ToggleRequest {
    Request request{};
    CommandField field{};
    std::string_view prefix;
};

// A request whose lparam picks one of a few endings: prefix, the sub-side digit when
// `sideDigit`, then endings[lparam]. An lparam without an ending sends nothing.
struct ChoiceRequest {
    static constexpr std::size_t kMaxChoices = 5;
    Request request{};
    std::string_view prefix;
    bool sideDigit = false;
    std::array<std::string_view, kMaxChoices> endings{};
};

// The commands of one read-out step of the connection read-out for a ReadCommandTable record
// of read kind 3 whose parameters are fixed. An empty list sends nothing.
struct SpecialRead {
    static constexpr std::size_t kMaxCommands = 5;
    int index = 0;
    std::array<std::string_view, kMaxCommands> commands{};
};

// Each table is ordered by request, and a request has a row in one table at most.
std::span<const PlainRequest> plainRequests();
std::span<const ToggleRequest> toggleRequests();
std::span<const ChoiceRequest> choiceRequests();
std::span<const SpecialRead> specialReads();

// The row of `request`, or nullptr.
const PlainRequest* findPlainRequest(Request request);
const ToggleRequest* findToggleRequest(Request request);
const ChoiceRequest* findChoiceRequest(Request request);
const SpecialRead* findSpecialRead(int readIndex);

// Whether the rows of a table keyed by request are ordered by it, each request once.
template <class Table>
constexpr bool inRequestOrder(const Table& table) {
    return std::adjacent_find(table.begin(), table.end(), [](const auto& a, const auto& b) {
               return a.request >= b.request;
           }) == table.end();
}

}  // namespace panelink
