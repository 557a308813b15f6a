#include "panelink/menu/menu_item_table.h"

#include <cstddef>

namespace panelink {

MenuItemTable::MenuItemTable() : slots_(kMenuSlotCount, blankMenuItem()) {}

int MenuItemTable::itemCount() const {
    std::lock_guard lock(mutex_);
    return count_;
}

bool MenuItemTable::copyOut(int index, MenuItem& out) const {
    std::lock_guard lock(mutex_);
    if (!validIndex(index)) return false;
    out = slots_[static_cast<std::size_t>(index)];
    return true;
}

bool MenuItemTable::copyIn(int index, const MenuItem& in) {
    std::lock_guard lock(mutex_);
    if (!validIndex(index)) return false;
    MenuItem& item = slots_[static_cast<std::size_t>(index)];
    item = in;
    terminateTexts(item);
    return true;
}

int MenuItemTable::firstIndexOfKind(int kind) const {
    if (kind == kKindBlank) return 0;
    for (int index = 1; index <= count_; ++index) {
        if (slots_[static_cast<std::size_t>(index)].kind == kind) return index;
    }
    return 0;
}

double MenuItemTable::valueOfKind(int kind) const {
    std::lock_guard lock(mutex_);
    const int index = firstIndexOfKind(kind);
    return index == 0 ? 1.0 : slots_[static_cast<std::size_t>(index)].value;
}

bool MenuItemTable::setValueOfKind(int kind, double value) {
    std::lock_guard lock(mutex_);
    const int index = firstIndexOfKind(kind);
    if (index == 0) return false;
    slots_[static_cast<std::size_t>(index)].value = value;
    return true;
}

bool MenuItemTable::copyOutByKind(int kind, MenuItem& out) const {
    std::lock_guard lock(mutex_);
    const int index = firstIndexOfKind(kind);
    if (index == 0) return false;
    out = slots_[static_cast<std::size_t>(index)];
    return true;
}

int MenuItemTable::kindAt(int index) const {
    std::lock_guard lock(mutex_);
    return validIndex(index) ? slots_[static_cast<std::size_t>(index)].kind : kKindBlank;
}

int MenuItemTable::digitsAt(int index) const {
    std::lock_guard lock(mutex_);
    return validIndex(index) ? slots_[static_cast<std::size_t>(index)].digits : 0;
}

void MenuItemTable::terminateTexts(MenuItem& item) {
    item.name.back() = '\0';
    item.rangeText.back() = '\0';
    item.textValue.back() = '\0';
    item.unit.back() = '\0';
    for (auto& option : item.options)
        option.back() = '\0';
    item.newText.back() = '\0';
}

}  // namespace panelink
