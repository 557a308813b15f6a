#pragma once

#include <array>
#include <cstddef>
#include <string_view>

#include "panelink/cat/ranged_value.h"

namespace panelink {

// One row of a constant defaults table: the field's name, start value and range.
template <typename T>
struct FieldDefault {
    std::string_view name;
    T value;
    T minimum;
    T maximum;
};

template <typename T, std::size_t N>
using FieldDefaults = std::array<FieldDefault<T>, N>;

// Every range in the table is ordered (minimum <= maximum).
template <typename T, std::size_t N>
constexpr bool rangesOrdered(const FieldDefaults<T, N>& defaults) {
    for (const auto& row : defaults) {
        if (row.minimum > row.maximum) return false;
    }
    return true;
}

// Every start value lies inside its range.
template <typename T, std::size_t N>
constexpr bool defaultsInRange(const FieldDefaults<T, N>& defaults) {
    for (const auto& row : defaults) {
        if (row.value < row.minimum || row.value > row.maximum) return false;
    }
    return true;
}

// The name of `field` in the table; empty for a value outside the enumeration.
template <typename Field, typename T, std::size_t N>
std::string_view fieldName(const FieldDefaults<T, N>& defaults, Field field) {
    const auto i = static_cast<std::size_t>(field);
    return i < N ? defaults[i].name : std::string_view{};
}

// N ranged values named by the enumeration Field (0..N-1). A field outside the enumeration
// reads 0 and refuses every store.
template <typename Field, typename T, std::size_t N>
class RangedFieldSet {
  public:
    RangedFieldSet() = default;
    RangedFieldSet(const RangedFieldSet&) = delete;
    RangedFieldSet& operator=(const RangedFieldSet&) = delete;

    T get(Field field) const {
        const auto i = indexOf(field);
        return i < N ? fields_[i].get() : T{};
    }
    bool store(Field field, T value) {
        const auto i = indexOf(field);
        return i < N && fields_[i].store(value);
    }
    T minimum(Field field) const {
        const auto i = indexOf(field);
        return i < N ? fields_[i].minimum() : T{};
    }
    T maximum(Field field) const {
        const auto i = indexOf(field);
        return i < N ? fields_[i].maximum() : T{};
    }

    // Every field to the value and range of its row.
    void reset(const FieldDefaults<T, N>& defaults) {
        for (std::size_t i = 0; i < N; ++i) {
            const auto& row = defaults[i];
            fields_[i].assign(row.value, row.minimum, row.maximum);
        }
    }

  private:
    static constexpr std::size_t indexOf(Field field) { return static_cast<std::size_t>(field); }

    std::array<Ranged<T>, N> fields_;
};

}  // namespace panelink
