#pragma once

#include <atomic>
#include <cstdint>

namespace panelink {

// A value with an inclusive range. A store outside [minimum, maximum] is refused: the old
// value stays and the store reports false. Every member is an atomic read and written whole,
// so a reader on another thread sees the value from before or after a store, never a torn one.
// One writer per field at a time is assumed; range and value are not updated as one unit.
class RangedValue {
  public:
    RangedValue() = default;
    RangedValue(std::int32_t value, std::int32_t minimum, std::int32_t maximum) {
        assign(value, minimum, maximum);
    }
    RangedValue(const RangedValue&) = delete;
    RangedValue& operator=(const RangedValue&) = delete;

    std::int32_t get() const { return value_.load(); }
    std::int32_t minimum() const { return minimum_.load(); }
    std::int32_t maximum() const { return maximum_.load(); }

    bool contains(std::int32_t value) const { return value >= minimum() && value <= maximum(); }

    bool store(std::int32_t value) {
        if (!contains(value)) return false;
        value_.store(value);
        return true;
    }

    // Replaces value and range at once, without the range check (reset from constant tables;
    // a default may lie outside its range to mean "not reported yet").
    void assign(std::int32_t value, std::int32_t minimum, std::int32_t maximum) {
        minimum_.store(minimum);
        maximum_.store(maximum);
        value_.store(value);
    }

  private:
    std::atomic<std::int32_t> value_{0};
    std::atomic<std::int32_t> maximum_{0};
    std::atomic<std::int32_t> minimum_{0};
};

// RangedValue with double members. A NaN lies in no range and is refused.
class RangedReal {
  public:
    RangedReal() = default;
    RangedReal(double value, double minimum, double maximum) { assign(value, minimum, maximum); }
    RangedReal(const RangedReal&) = delete;
    RangedReal& operator=(const RangedReal&) = delete;

    double get() const { return value_.load(); }
    double minimum() const { return minimum_.load(); }
    double maximum() const { return maximum_.load(); }

    // Written so that a NaN compares out of range.
    bool contains(double value) const { return value >= minimum() && value <= maximum(); }

    bool store(double value) {
        if (!contains(value)) return false;
        value_.store(value);
        return true;
    }

    void assign(double value, double minimum, double maximum) {
        minimum_.store(minimum);
        maximum_.store(maximum);
        value_.store(value);
    }

  private:
    std::atomic<double> value_{0.0};
    std::atomic<double> maximum_{0.0};
    std::atomic<double> minimum_{0.0};
};

// Whole-value reads on other threads rely on these being single instructions.
static_assert(std::atomic<std::int32_t>::is_always_lock_free);
static_assert(std::atomic<double>::is_always_lock_free);
static_assert(std::atomic<bool>::is_always_lock_free);

}  // namespace panelink
