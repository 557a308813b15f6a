#pragma once

#include <atomic>
#include <cstdint>

namespace panelink {

// A value with an inclusive range. A store outside [minimum, maximum] is refused: the old
// value stays and the store reports false; for doubles a NaN lies in no range and is refused.
// Every member is an atomic read and written whole, so a reader on another thread sees the
// value from before or after a store, never a torn one. One writer per field at a time is
// assumed; range and value are not updated as one unit.
template <typename T>
class Ranged {
  public:
    Ranged() = default;
    Ranged(T value, T minimum, T maximum) { assign(value, minimum, maximum); }
    Ranged(const Ranged&) = delete;
    Ranged& operator=(const Ranged&) = delete;

    T get() const { return value_.load(); }
    T minimum() const { return minimum_.load(); }
    T maximum() const { return maximum_.load(); }

    // Written so that a NaN compares out of range.
    bool contains(T value) const { return value >= minimum() && value <= maximum(); }

    bool store(T value) {
        if (!contains(value)) return false;
        value_.store(value);
        return true;
    }

    // Replaces value and range at once, without the range check (reset from constant tables;
    // a default may lie outside its range to mean "not reported yet").
    void assign(T value, T minimum, T maximum) {
        minimum_.store(minimum);
        maximum_.store(maximum);
        value_.store(value);
    }

  private:
    std::atomic<T> value_{T{}};
    std::atomic<T> maximum_{T{}};
    std::atomic<T> minimum_{T{}};
};

using RangedValue = Ranged<std::int32_t>;
using RangedReal = Ranged<double>;

// Whole-value reads on other threads rely on these being single instructions.
static_assert(std::atomic<std::int32_t>::is_always_lock_free);
static_assert(std::atomic<double>::is_always_lock_free);
static_assert(std::atomic<bool>::is_always_lock_free);

}  // namespace panelink
