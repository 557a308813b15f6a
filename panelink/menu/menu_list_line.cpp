#include "panelink/menu/menu_list_line.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "panelink/menu/menu_value_rules.h"

namespace panelink {
namespace {

constexpr std::size_t kNameWidth = 8;
constexpr std::size_t kRangeWidth = 88;
// A text this long or longer shows kTextWindow characters from the scroll offset.
constexpr std::size_t kTextWindow = 35;

struct Setting {
    std::optional<std::string> text;  // nothing when an option it needs is missing
    bool withUnit = true;
};

using SettingRule = Setting (*)(const MenuItem& item, double v, const MenuListCursors& cursors);

std::string spaced(std::string_view text) {
    return " " + std::string(text);
}

Setting optionSetting(const MenuItem& item, std::int64_t index) {
    const std::optional<std::string_view> option = optionOf(item, index);
    if (!option) return {};
    return {spaced(*option)};
}

Setting number(std::int64_t n) {
    return {formatText(" %lld", static_cast<long long>(n))};
}

Setting decimal(double v, const DecimalScale& scale) {
    return {formatText(" %.*f", scale.precision, v * scale.toShown)};
}

Setting scaledNumber(const MenuItem& item, double v, const MenuListCursors&) {
    return number(wholeOf(v * multiplierOf(item)));
}

Setting offsetOption(const MenuItem& item, double v, const MenuListCursors&) {
    return optionSetting(item, std::int64_t{wholeOf(v)} - wholeOf(item.minimum));
}

Setting decimalOfItem(const MenuItem& item, double v, const MenuListCursors&) {
    return decimal(v, decimalScale(item.decimals));
}

Setting negated(const MenuItem&, double v, const MenuListCursors&) {
    return number(-std::int64_t{wholeOf(v)});
}

Setting tenths(const MenuItem&, double v, const MenuListCursors&) {
    return decimal(v, decimalScale(1));
}

Setting thousandths(const MenuItem&, double v, const MenuListCursors&) {
    return decimal(v, decimalScale(3));
}

Setting plainNumber(const MenuItem&, double v, const MenuListCursors&) {
    return number(wholeOf(v));
}

Setting plainOption(const MenuItem& item, double v, const MenuListCursors&) {
    return optionSetting(item, wholeOf(v));
}

Setting optionOrBracketed(const MenuItem& item, double v, const MenuListCursors&) {
    if (v >= kFirstOptionCode) return optionSetting(item, 0);
    const std::optional<std::string_view> option = optionOf(item, 1);
    if (!option) return {};
    return {spaced(*option) + formatText("(%d)", wholeOf(v))};
}

Setting bitOfSet(const MenuItem& item, double v, int cursor) {
    const BitSetKind* set = bitSetKind(item.kind);
    if (set == nullptr || cursor < 0 || cursor > set->lastCursor) return {};
    const std::optional<std::string_view> option = optionOf(item, cursor);
    if (!option) return {};
    return {spaced(*option) + (bitIsSet(wholeOf(v), *set, cursor) ? " ON" : " OFF")};
}

Setting bandBit(const MenuItem& item, double v, const MenuListCursors& cursors) {
    return bitOfSet(item, v, cursors.bandBit);
}

Setting modeBit(const MenuItem& item, double v, const MenuListCursors& cursors) {
    return bitOfSet(item, v, cursors.modeBit);
}

// Values below minimum / multiplier stand for the first option, which carries no unit.
Setting offOrNumber(const MenuItem& item, double v, const MenuListCursors&) {
    const int multiplier = multiplierOf(item);
    if (v >= item.minimum / multiplier) return number(std::int64_t{wholeOf(v)} * multiplier);
    Setting off = optionSetting(item, 0);
    off.withUnit = false;
    return off;
}

Setting optionOrNumber(const MenuItem& item, double v, const MenuListCursors&) {
    const int whole = wholeOf(v);
    if (whole == kFirstOptionCode) return optionSetting(item, 0);
    return number(whole);
}

Setting optionOrAutomatic(const MenuItem& item, double v, const MenuListCursors&) {
    const int whole = wholeOf(v);
    if (whole == kFirstOptionCode) return optionSetting(item, 0);
    return {formatText(" A(%d%%)", whole)};
}

Setting pitch(const MenuItem& item, double v, const MenuListCursors&) {
    return optionSetting(item, pitchOption(wholeOf(v)));
}

std::string_view shownText(const MenuItem& item) {
    return item.changed != 0 ? fieldText(item.newText) : fieldText(item.textValue);
}

Setting digitAndText(const MenuItem& item, double v, const MenuListCursors& cursors) {
    std::string_view text = shownText(item);
    if (text.size() > kTextWindow) {
        const bool inside =
            cursors.textOffset >= 0 && static_cast<std::size_t>(cursors.textOffset) < text.size();
        const std::size_t offset = inside ? static_cast<std::size_t>(cursors.textOffset) : 0;
        text = text.substr(offset, kTextWindow);
    }
    return {formatText(" %d", wholeOf(v)) + spaced(text)};
}

Setting percent(const MenuItem& item, double v, const MenuListCursors&) {
    if (optionCountOf(item) > 0 && v == item.minimum) return optionSetting(item, 0);
    return number(percentOf(v));
}

Setting fixOrLinked(const MenuItem& item, double v, const MenuListCursors&) {
    const int whole = wholeOf(v);
    const bool linked = whole > kFixedLevelMax;
    const std::optional<std::string_view> option = optionOf(item, linked ? 1 : 0);
    if (!option) return {};
    const std::int64_t shown = linked ? std::int64_t{whole} - kLinkedLevelZero : whole;
    return {spaced(*option) + formatText(" %lld", static_cast<long long>(shown))};
}

struct KindRule {
    std::int32_t first;
    std::int32_t last;
    SettingRule rule;
};

// Kinds not listed show the option the value names.
constexpr std::array<KindRule, 22> kSettingRules{{
    {0, 0, scaledNumber},     {1, 1, offsetOption},
    {2, 2, decimalOfItem},    {4, 4, scaledNumber},
    {6, 6, decimalOfItem},    {8, 8, negated},
    {9, 9, tenths},           {10, 10, thousandths},
    {11, 11, plainNumber},    {13, 13, optionOrBracketed},
    {14, 14, bandBit},        {16, 16, offOrNumber},
    {17, 17, optionOrNumber}, {18, 18, optionOrAutomatic},
    {19, 30, plainNumber},    {40, 40, pitch},
    {41, 41, modeBit},        {45, 45, plainNumber},
    {46, 46, digitAndText},   {47, 47, plainNumber},
    {51, 51, percent},        {52, 52, fixOrLinked},
}};

SettingRule settingRuleFor(std::int32_t kind) {
    for (const KindRule& r : kSettingRules) {
        if (kind >= r.first && kind <= r.last) return r.rule;
    }
    return plainOption;
}

std::string padded(std::string text, std::size_t width) {
    if (text.size() < width) text.append(width - text.size(), ' ');
    return text;
}

int wrapped(int position, int last, ListArrow arrow) {
    if (position < 0 || position > last) position = 0;
    if (arrow == ListArrow::Right) return position == last ? 0 : position + 1;
    return position == 0 ? last : position - 1;
}

}  // namespace

std::string menuListLine(const MenuItem& item, const MenuListCursors& cursors) {
    const Setting setting = settingRuleFor(item.kind)(item, shownValue(item), cursors);
    std::string line = formatText("%03d ", item.number);
    line += padded(std::string(fieldText(item.name)), kNameWidth);
    line += padded(spaced(fieldText(item.rangeText)), kRangeWidth);
    line += setting.text.value_or(spaced(kUnknownOption));
    if (item.hasUnit != 0 && setting.withUnit) line += fieldText(item.unit);
    return line;
}

bool moveListCursor(MenuListCursors& cursors, const MenuItem& item, ListArrow arrow) {
    if (const BitSetKind* set = bitSetKind(item.kind)) {
        int& cursor = set->kind == kKindBitsBands ? cursors.bandBit : cursors.modeBit;
        cursor = wrapped(cursor, set->lastCursor, arrow);
        return true;
    }
    if (item.kind != kKindText) return false;
    const std::size_t length = shownText(item).size();
    if (length <= kTextWindow) return false;
    cursors.textOffset = wrapped(cursors.textOffset, static_cast<int>(length) - 1, arrow);
    return true;
}

}  // namespace panelink
