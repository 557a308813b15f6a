#pragma once

// Which numbers of a range an enum names, found at compile time, so that a test can go over
// every enumerator without a second list of them to keep in step with the enum.

#include <array>
#include <cstdint>
#include <string_view>
#include <utility>
#include <vector>

namespace panelink::enums {

// The compiler writes a named value into the function's signature as its name
// ("... = panelink::Request::ReadId]") and any other value as a cast ("(panelink::Request)33618").
template <auto Value>
constexpr bool isNamedValue() {
    constexpr std::string_view signature = __PRETTY_FUNCTION__;
    return signature.find('(', signature.rfind('=')) == std::string_view::npos;
}

namespace detail {

template <class Enum, std::uint32_t First, std::size_t... Offsets>
std::vector<Enum> namedValues(std::index_sequence<Offsets...> /*offsets*/) {
    constexpr std::array<bool, sizeof...(Offsets)> named{
        isNamedValue<static_cast<Enum>(First + Offsets)>()...};
    std::vector<Enum> values;
    for (std::size_t offset = 0; offset < named.size(); ++offset) {
        if (named[offset]) values.push_back(static_cast<Enum>(First + offset));
    }
    return values;
}

}  // namespace detail

// The values of `Enum` in [First, First + Count) that have a name, in ascending order.
template <class Enum, std::uint32_t First, std::size_t Count>
std::vector<Enum> namedValues() {
    return detail::namedValues<Enum, First>(std::make_index_sequence<Count>{});
}

}  // namespace panelink::enums
