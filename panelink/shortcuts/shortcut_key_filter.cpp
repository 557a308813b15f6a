#include "panelink/shortcuts/shortcut_key_filter.h"

#include <utility>

namespace panelink {

using commo::BaseKey;
using commo::KeyModifier;

namespace {

ShortcutKeyMeaning slotOrNothing(KeyModifier modifier, BaseKey key) {
    const std::optional<int> slot = commo::shortcutSlot(modifier, key);
    if (!slot) return {};
    return {ShortcutKeyMeaning::Kind::Slot, *slot};
}

}  // namespace

// Alt without Ctrl is the system-key path, where only the Alt keys count; Ctrl+Alt is an
// ordinary key press. Shift goes before Ctrl, so Ctrl+Shift+F5 is Shift+F5.
ShortcutKeyMeaning ShortcutKeyMeaning::of(const ShortcutKeyEvent& event) {
    if (!event.key) return {};
    const BaseKey key = *event.key;
    if (event.alt && !event.ctrl) return slotOrNothing(KeyModifier::Alt, key);
    if (event.shift) return slotOrNothing(KeyModifier::Shift, key);
    if (event.ctrl) return slotOrNothing(KeyModifier::Ctrl, key);
    if (key == BaseKey::F1) return {Kind::VersionKey, -1};
    return slotOrNothing(KeyModifier::None, key);
}

ShortcutKeyFilter::ShortcutKeyFilter(Ports ports)
    : ports_(std::move(ports)), sender_(ports_.link, ports_.timers) {}

bool ShortcutKeyFilter::filter(const ShortcutKeyEvent& event, bool ordinaryState) {
    const ShortcutKeyMeaning meaning = ShortcutKeyMeaning::of(event);
    switch (meaning.kind) {
        case ShortcutKeyMeaning::Kind::NotAShortcut:
            return false;
        case ShortcutKeyMeaning::Kind::VersionKey:
            if (ordinaryState && ports_.showVersionBox) ports_.showVersionBox();
            return true;
        case ShortcutKeyMeaning::Kind::Slot:
            sendSlot(meaning.slot);
            return true;
    }
    return false;
}

// A press while a text is still going out is dropped, not kept for later.
void ShortcutKeyFilter::sendSlot(int slot) {
    if (sender_.busy()) return;
    if (ports_.keysBlocked && ports_.keysBlocked()) return;
    if (table_.load(ports_.workingDirectory) != ShortcutTable::LoadResult::Loaded) return;
    sender_.start(table_.text(slot));
}

}  // namespace panelink
