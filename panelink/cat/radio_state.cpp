#include "panelink/cat/radio_state.h"

#include <algorithm>
#include <cstring>

namespace panelink {

namespace {

template <typename T>
struct FieldDefault {
    std::string_view name;
    T value;
    T minimum;
    T maximum;
};

constexpr std::array<FieldDefault<std::int32_t>, kRadioFieldCount> kRadioDefaults{{
#define PANELINK_X(name, value, minimum, maximum) {#name, value, minimum, maximum},
    PANELINK_RADIO_FIELDS(PANELINK_X)
#undef PANELINK_X
}};

constexpr std::array<FieldDefault<double>, kRadioRealCount> kRealDefaults{{
    {"IF_offset", 0.0, -9999.0, 9999.0},
    {"OI_offset", 0.0, -9999.0, 9999.0},
}};

// Every reported value starts inside its range; a slip in the table fails the build.
constexpr bool defaultsInRange() {
    for (const auto& row : kRadioDefaults) {
        if (row.minimum > row.maximum || row.value < row.minimum || row.value > row.maximum) {
            return false;
        }
    }
    return true;
}
static_assert(defaultsInRange());

constexpr std::size_t indexOf(RadioField field) {
    return static_cast<std::size_t>(field);
}
constexpr std::size_t indexOf(RadioReal field) {
    return static_cast<std::size_t>(field);
}

}  // namespace

std::string_view radioFieldName(RadioField field) {
    const auto i = indexOf(field);
    return i < kRadioFieldCount ? kRadioDefaults[i].name : std::string_view{};
}

std::string_view radioRealName(RadioReal field) {
    const auto i = indexOf(field);
    return i < kRadioRealCount ? kRealDefaults[i].name : std::string_view{};
}

RadioState::RadioState() {
    reset();
}

std::int32_t RadioState::get(RadioField field) const {
    const auto i = indexOf(field);
    return i < kRadioFieldCount ? fields_[i].get() : 0;
}

bool RadioState::store(RadioField field, std::int32_t value) {
    const auto i = indexOf(field);
    return i < kRadioFieldCount && fields_[i].store(value);
}

std::int32_t RadioState::minimum(RadioField field) const {
    const auto i = indexOf(field);
    return i < kRadioFieldCount ? fields_[i].minimum() : 0;
}

std::int32_t RadioState::maximum(RadioField field) const {
    const auto i = indexOf(field);
    return i < kRadioFieldCount ? fields_[i].maximum() : 0;
}

double RadioState::get(RadioReal field) const {
    const auto i = indexOf(field);
    return i < kRadioRealCount ? reals_[i].get() : 0.0;
}

bool RadioState::store(RadioReal field, double value) {
    const auto i = indexOf(field);
    return i < kRadioRealCount && reals_[i].store(value);
}

double RadioState::minimum(RadioReal field) const {
    const auto i = indexOf(field);
    return i < kRadioRealCount ? reals_[i].minimum() : 0.0;
}

double RadioState::maximum(RadioReal field) const {
    const auto i = indexOf(field);
    return i < kRadioRealCount ? reals_[i].maximum() : 0.0;
}

int RadioState::menuItemCount() const {
    return menuItemCount_.get();
}

bool RadioState::storeMenuItemCount(int count) {
    return menuItemCount_.store(count);
}

bool RadioState::linkEnabled() const {
    return linkEnabled_.load();
}

void RadioState::setLinkEnabled(bool enabled) {
    linkEnabled_.store(enabled);
}

bool RadioState::restoreAutoInformation() const {
    return restoreAutoInformation_.load();
}

void RadioState::setRestoreAutoInformation(bool restore) {
    restoreAutoInformation_.store(restore);
}

bool RadioState::connectionPending() const {
    return connectionPending_.load();
}

void RadioState::setConnectionPending(bool pending) {
    connectionPending_.store(pending);
}

bool RadioState::storeKeyerText(int record, std::string_view text) {
    if (record < 1 || record > kKeyerRecordCount) return false;
    // Only the part before a zero byte is text; the rest must not reach the wire later.
    if (const auto nul = text.find('\0'); nul != std::string_view::npos) text = text.substr(0, nul);
    if (text.size() > kKeyerTextMax) return false;

    std::lock_guard lock(keyerMutex_);
    auto& buffer = keyerTexts_[static_cast<std::size_t>(record - 1)];
    buffer.fill('\0');
    std::memcpy(buffer.data(), text.data(), text.size());
    return true;
}

std::string RadioState::keyerText(int record) const {
    if (record < 1 || record > kKeyerRecordCount) return {};
    std::lock_guard lock(keyerMutex_);
    const auto& buffer = keyerTexts_[static_cast<std::size_t>(record - 1)];
    return std::string(buffer.begin(), std::find(buffer.begin(), buffer.end(), '\0'));
}

void RadioState::reset() {
    for (std::size_t i = 0; i < kRadioFieldCount; ++i) {
        const auto& row = kRadioDefaults[i];
        fields_[i].assign(row.value, row.minimum, row.maximum);
    }
    for (std::size_t i = 0; i < kRadioRealCount; ++i) {
        const auto& row = kRealDefaults[i];
        reals_[i].assign(row.value, row.minimum, row.maximum);
    }
    menuItemCount_.assign(kDefaultMenuItemCount, kMinMenuItemCount, kMaxMenuItemCount);
    {
        std::lock_guard lock(keyerMutex_);
        for (auto& buffer : keyerTexts_)
            buffer.fill('\0');
    }
    linkEnabled_.store(false);
    restoreAutoInformation_.store(false);
    connectionPending_.store(false);
}

}  // namespace panelink
