#include "panelink/cat/radio_state.h"

#include <algorithm>
#include <cstring>

namespace panelink {

namespace {

constexpr FieldDefaults<std::int32_t, kRadioFieldCount> kRadioDefaults{{
#define PANELINK_X(name, value, minimum, maximum) {#name, value, minimum, maximum},
    PANELINK_RADIO_FIELDS(PANELINK_X)
#undef PANELINK_X
}};

constexpr FieldDefaults<double, kRadioRealCount> kRealDefaults{{
    {"IF_offset", 0.0, -9999.0, 9999.0},
    {"OI_offset", 0.0, -9999.0, 9999.0},
}};

// Every reported value starts inside its range; a slip in the table fails the build.
static_assert(rangesOrdered(kRadioDefaults) && defaultsInRange(kRadioDefaults));

}  // namespace

std::string_view radioFieldName(RadioField field) {
    return fieldName(kRadioDefaults, field);
}

std::string_view radioRealName(RadioReal field) {
    return fieldName(kRealDefaults, field);
}

RadioState::RadioState() {
    reset();
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
    fields_.reset(kRadioDefaults);
    reals_.reset(kRealDefaults);
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
