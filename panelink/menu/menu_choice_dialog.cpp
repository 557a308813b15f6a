// Entries of the choice dialog by value kind, and the value each entry stores.

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <utility>

#include "panelink/menu/menu_setting_dialog.h"
#include "panelink/menu/menu_value_rules.h"

namespace panelink {
namespace {

// How far a range may fall short of its last step and still reach it, in steps.
constexpr double kStepSlack = 1e-9;
// How close a scaled-back decimal must be to a whole number to count as that number.
constexpr double kWholeSlack = 1e-9;

// What a rule sees: the item, the value its line shows, and the dialog being filled.
struct Builder {
    const MenuItem& item;
    double current;
    ChoiceDialog& dialog;

    void add(std::string text, double value, bool matches) const {
        if (matches && !dialog.preselected) dialog.preselected = dialog.entries.size();
        dialog.entries.push_back({std::move(text), value});
    }
};

using ChoiceRule = void (*)(const Builder& b);

// lo, lo + step, ... up to hi, each from its own count, so adding up rounding errors never
// drops the last value.
std::vector<double> rangeValues(double lo, double hi, double step) {
    if (!std::isfinite(lo) || !std::isfinite(hi) || !std::isfinite(step) || step <= 0.0 ||
        hi < lo) {
        return {};
    }
    const double steps = std::floor((hi - lo) / step + kStepSlack);
    const std::size_t count = steps >= static_cast<double>(kMaxChoiceEntries)
                                  ? kMaxChoiceEntries
                                  : static_cast<std::size_t>(steps) + 1;
    std::vector<double> values(count);
    for (std::size_t k = 0; k < count; ++k)
        values[k] = lo + static_cast<double>(k) * step;
    return values;
}

std::vector<double> itemRange(const MenuItem& item) {
    return rangeValues(item.minimum, item.maximum, item.step);
}

// A shown decimal times its scale lands a hair off the whole number it stands for (0.29 x 100
// is 28.999999999999996), and the write would truncate that to the number below.
double snappedToWhole(double value) {
    const double whole = std::round(value);
    const bool close = std::fabs(value - whole) <= kWholeSlack * std::max(1.0, std::fabs(whole));
    return close ? whole : value;
}

std::string numberText(std::int64_t n) {
    return formatText("%lld", static_cast<long long>(n));
}

void numbersByMultiplier(const Builder& b) {
    const int multiplier = multiplierOf(b.item);
    const int shown = wholeOf(b.current * multiplier);
    for (double c : itemRange(b.item)) {
        const int n = wholeOf(c);
        b.add(numberText(n), static_cast<double>(n) / multiplier, n == shown);
    }
}

void decimals(const Builder& b, const DecimalScale& scale) {
    const int current = wholeOf(b.current);
    const double lo = b.item.minimum * scale.toShown;
    const double hi = b.item.maximum * scale.toShown;
    for (double c : rangeValues(lo, hi, b.item.step)) {
        std::string text = formatText("%.*f", scale.precision, c);
        const double stored = snappedToWhole(std::strtod(text.c_str(), nullptr) * scale.toStored);
        b.add(std::move(text), stored, wholeOf(c * scale.toStored) == current);
    }
}

void decimalsOfItem(const Builder& b) {
    decimals(b, decimalScale(b.item.decimals));
}
void tenths(const Builder& b) {
    decimals(b, decimalScale(1));
}
void thousandths(const Builder& b) {
    decimals(b, decimalScale(3));
}

void negatedNumbers(const Builder& b) {
    const std::int64_t shown = -std::int64_t{wholeOf(b.current)};
    for (double c : rangeValues(-b.item.maximum, -b.item.minimum, b.item.step)) {
        const int n = wholeOf(c);
        b.add(numberText(n), -static_cast<double>(n), n == shown);
    }
}

void plainNumbers(const Builder& b) {
    const int shown = wholeOf(b.current);
    for (double c : itemRange(b.item)) {
        const int n = wholeOf(c);
        b.add(numberText(n), n, n == shown);
    }
}

void optionsFrom(const Builder& b, int first) {
    const std::int64_t shown = std::int64_t{wholeOf(b.current)} - first;
    for (int k = 0; k < optionCountOf(b.item); ++k)
        b.add(std::string(optionOrUnknown(b.item, k)), static_cast<double>(k) + first, k == shown);
}

void offsetOptions(const Builder& b) {
    optionsFrom(b, wholeOf(b.item.minimum));
}
void plainOptions(const Builder& b) {
    optionsFrom(b, 0);
}

void pitches(const Builder& b) {
    const int shown = pitchOption(wholeOf(b.current));
    for (int k = 0; k < optionCountOf(b.item); ++k) {
        const auto option = static_cast<std::size_t>(k);
        b.add(std::string(optionOrUnknown(b.item, k)), pitchCode(option), k == shown);
    }
}

// The first option, then the range: each number's text made by `text`, stored as itself.
template <class Text>
void optionThenNumbers(const Builder& b, bool optionShown, Text text) {
    b.add(std::string(optionOrUnknown(b.item, 0)), kFirstOptionCode, optionShown);
    const int shown = wholeOf(b.current);
    for (double c : itemRange(b.item)) {
        const int n = wholeOf(c);
        b.add(text(n), n, !optionShown && n == shown);
    }
}

void optionOrBracketed(const Builder& b) {
    const std::string prefix(optionOrUnknown(b.item, 1));
    optionThenNumbers(b, b.current >= kFirstOptionCode,
                      [&](int n) { return prefix + formatText("(%d)", n); });
}

void optionOrNumber(const Builder& b) {
    optionThenNumbers(b, wholeOf(b.current) == kFirstOptionCode, numberText);
}

void optionOrAutomatic(const Builder& b) {
    optionThenNumbers(b, wholeOf(b.current) == kFirstOptionCode,
                      [](int n) { return formatText("A(%d%%)", n); });
}

// The first option stands for every value below minimum / multiplier and is stored as 0.
void offOrNumbers(const Builder& b) {
    const int multiplier = multiplierOf(b.item);
    const bool off = wholeOf(b.current) < static_cast<double>(wholeOf(b.item.minimum)) / multiplier;
    b.add(std::string(optionOrUnknown(b.item, 0)), 0.0, off);
    for (double c : itemRange(b.item)) {
        const int n = wholeOf(c);
        const double stored = static_cast<double>(n) / multiplier;
        b.add(numberText(n), stored, !off && stored == b.current);
    }
}

void percents(const Builder& b) {
    const bool withOption = optionCountOf(b.item) > 0;
    const int shown = percentOf(b.current);
    for (double c : itemRange(b.item)) {
        const int n = wholeOf(c);
        if (withOption && c == b.item.minimum) {
            b.add(std::string(optionOrUnknown(b.item, 0)), b.item.minimum, n == shown);
        } else {
            b.add(numberText(n), countOfPercent(n), n == shown);
        }
    }
}

void fixOrLinked(const Builder& b) {
    const int shown = wholeOf(b.current);
    for (double c : itemRange(b.item)) {
        const int n = wholeOf(c);
        const bool linked = n > kFixedLevelMax;
        const std::int64_t number = linked ? std::int64_t{n} - kLinkedLevelZero : n;
        b.add(std::string(optionOrUnknown(b.item, linked ? 1 : 0)) + " " + numberText(number), n,
              n == shown);
    }
}

struct KindRule {
    std::int32_t first;
    std::int32_t last;
    ChoiceRule rule;
};

// Kinds not listed offer their options, stored as the option index.
constexpr std::array<KindRule, 19> kChoiceRules{{
    {0, 0, numbersByMultiplier},
    {1, 1, offsetOptions},
    {2, 2, decimalsOfItem},
    {4, 4, numbersByMultiplier},
    {6, 6, decimalsOfItem},
    {8, 8, negatedNumbers},
    {9, 9, tenths},
    {10, 10, thousandths},
    {11, 11, plainNumbers},
    {13, 13, optionOrBracketed},
    {16, 16, offOrNumbers},
    {17, 17, optionOrNumber},
    {18, 18, optionOrAutomatic},
    {19, 30, plainNumbers},
    {40, 40, pitches},
    {45, 45, plainNumbers},
    {47, 47, plainNumbers},
    {51, 51, percents},
    {52, 52, fixOrLinked},
}};

ChoiceRule choiceRuleFor(std::int32_t kind) {
    for (const KindRule& r : kChoiceRules) {
        if (kind >= r.first && kind <= r.last) return r.rule;
    }
    return plainOptions;
}

}  // namespace

ChoiceDialog choiceDialog(const MenuItem& item) {
    ChoiceDialog dialog;
    dialog.heading = menuSettingHeading(item, MenuDialogKind::Choice);
    choiceRuleFor(item.kind)(Builder{item, shownValue(item), dialog});
    return dialog;
}

}  // namespace panelink
