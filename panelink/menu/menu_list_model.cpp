#include "panelink/menu/menu_list_model.h"

#include <algorithm>
#include <utility>

#include "panelink/menu/menu_command.h"

namespace panelink {
namespace {

bool isReadBack(const MenuItem& item) {
    return item.kind == kKindBitsBands || item.kind == kKindBitsModes;
}

// The pending value becomes the item's value, as if the transceiver had taken it already.
MenuItem committed(MenuItem item) {
    if (item.kind == kKindText) {
        item.textValue.fill('\0');
        const auto length = std::min(item.newText.size(), item.textValue.size() - 1);
        std::copy_n(item.newText.begin(), length, item.textValue.begin());
    }
    item.value = item.newValue;
    return item;
}

}  // namespace

MenuListModel::MenuListModel(MenuItemTable& table, MenuListMemory& memory, MenuListLink link)
    : table_(table), memory_(memory), link_(std::move(link)) {
    const int count = table_.itemCount();
    for (int index = 1; index <= count; ++index) {
        Line line{index, {}};
        if (table_.copyOut(index, line.item) && line.item.kind != kKindBlank)
            lines_.push_back(line);
    }
    std::stable_sort(lines_.begin(), lines_.end(), [this](const Line& a, const Line& b) {
        return menuListLine(a.item, cursors_) < menuListLine(b.item, cursors_);
    });
}

MenuListModel::Line* MenuListModel::at(std::size_t line) {
    return line < lines_.size() ? &lines_[line] : nullptr;
}

const MenuListModel::Line* MenuListModel::at(std::size_t line) const {
    return line < lines_.size() ? &lines_[line] : nullptr;
}

std::string MenuListModel::lineText(std::size_t line) const {
    const Line* l = at(line);
    return l != nullptr ? menuListLine(l->item, cursors_) : std::string();
}

const MenuItem* MenuListModel::item(std::size_t line) const {
    const Line* l = at(line);
    return l != nullptr ? &l->item : nullptr;
}

int MenuListModel::tableIndex(std::size_t line) const {
    const Line* l = at(line);
    return l != nullptr ? l->index : 0;
}

std::optional<std::size_t> MenuListModel::selectedLine() const {
    if (memory_.selectedLine >= lines_.size()) return std::nullopt;
    return memory_.selectedLine;
}

void MenuListModel::select(std::size_t line) {
    if (line < lines_.size()) memory_.selectedLine = line;
}

bool MenuListModel::moveCursor(std::size_t line, ListArrow arrow) {
    const Line* l = at(line);
    return l != nullptr && moveListCursor(cursors_, l->item, arrow);
}

MenuDialogKind MenuListModel::dialogKind(std::size_t line) const {
    const Line* l = at(line);
    return l != nullptr ? menuDialogKind(l->item.kind) : MenuDialogKind::None;
}

ChoiceDialog MenuListModel::choiceDialog(std::size_t line) const {
    const Line* l = at(line);
    return l != nullptr ? panelink::choiceDialog(l->item) : ChoiceDialog{};
}

CheckBoxDialog MenuListModel::checkBoxDialog(std::size_t line) const {
    const Line* l = at(line);
    return l != nullptr ? panelink::checkBoxDialog(l->item) : CheckBoxDialog{};
}

ToneDialog MenuListModel::toneDialog(std::size_t line) const {
    const Line* l = at(line);
    return l != nullptr ? panelink::toneDialog(l->item) : ToneDialog{};
}

TextDialog MenuListModel::textDialog(std::size_t line) const {
    const Line* l = at(line);
    return l != nullptr ? panelink::textDialog(l->item) : TextDialog{};
}

bool MenuListModel::applyChoice(std::size_t line, const ChoiceDialog& dialog,
                                std::optional<std::size_t> chosen) {
    Line* l = at(line);
    return l != nullptr && panelink::applyChoice(l->item, dialog, chosen);
}

bool MenuListModel::applyCheckBoxes(std::size_t line, const CheckBoxDialog& dialog) {
    Line* l = at(line);
    if (l == nullptr) return false;
    panelink::applyCheckBoxes(l->item, dialog);
    return true;
}

bool MenuListModel::applyTone(std::size_t line, const ToneDialog& dialog,
                              std::optional<std::size_t> chosen) {
    Line* l = at(line);
    return l != nullptr && panelink::applyTone(l->item, dialog, chosen);
}

bool MenuListModel::applyText(std::size_t line, std::string_view edited) {
    Line* l = at(line);
    return l != nullptr && panelink::applyText(l->item, edited);
}

bool MenuListModel::commit() {
    readBacks_.clear();
    bool wrote = false;
    for (const Line& line : lines_) {
        if (line.item.changed != 1) continue;
        if (!table_.copyIn(line.index, committed(line.item))) continue;
        wrote = true;
        if (isReadBack(line.item)) readBacks_.push_back(menuReadCommand(line.index, line.item));
    }
    if (wrote && link_.postRequest) link_.postRequest(Request::WriteMenu);
    return wrote;
}

void MenuListModel::readBack() {
    std::vector<std::string> reads = std::exchange(readBacks_, {});
    if (!link_.connected || !link_.connected() || !link_.queueCommand) return;
    for (const std::string& read : reads) {
        if (!read.empty()) link_.queueCommand(read);
    }
}

}  // namespace panelink
