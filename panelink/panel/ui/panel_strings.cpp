#include "panelink/panel/ui/panel_strings.h"

namespace panelink {

namespace {

struct StringEntry {
    int number;
    std::string_view text;
};

constexpr std::array<StringEntry, 11> kStrings{{
    {106, "Failed to open the port.\nPlease confirm the port connection."},
    {107,
     "Failed to read the menu configuration file.\nExecute the control program with the default "
     "settings."},
    {108,
     "Failed to read the COM port configuration file.\nExecute the control program with the "
     "default settings."},
    {109, "Reading the menu setting data now."},
    {110, "Connecting the COM port now."},
    {111, "Failed to connect the COM port."},
    {112, "Update the menu setting.\nPlease close and open the menu window."},
    {119, "Update the menu setting.\nPlease close and open the repeater window."},
    {120, "Update the menu setting.\nPlease close and open the cw window."},
    {121, "Update the menu setting.\nPlease close and open the miceq window."},
    {122, "Update the menu setting.\nPlease close and open the cw window and the miceq window."},
}};

}  // namespace

std::string_view panelString(int number) {
    for (const auto& entry : kStrings) {
        if (entry.number == number) return entry.text;
    }
    return {};
}

const LinkMessage* findLinkMessage(std::intptr_t index) {
    if (index < 0 || index >= static_cast<std::intptr_t>(kLinkMessageTable.size())) return nullptr;
    return &kLinkMessageTable[static_cast<std::size_t>(index)];
}

std::string linkFailureText(std::intptr_t index, const std::optional<PortFailure>& portFailure) {
    const LinkMessage* record = findLinkMessage(index);
    if (record == nullptr) return {};
    // A device that went away while the port was open did not fail to open: the box says
    // what happened and that the port comes back by itself.
    if (index == kLinkMessagePortOpenFailed && portFailure && portFailure->wentAway) {
        return portFailureLine(*portFailure);
    }
    std::string text(panelString(static_cast<int>(record->stringId)));
    if (index == kLinkMessagePortOpenFailed && portFailure) {
        if (const std::string why = portFailureLine(*portFailure); !why.empty()) {
            text += '\n';
            text += why;
        }
    }
    return text;
}

std::optional<int> menuChangeNoticeString(const MenuSettingWindows& open) {
    if (open.cw && open.micEq) return 122;
    if (open.cw) return 120;
    if (open.repeater) return 119;
    if (open.micEq) return 121;
    if (open.menuList) return 112;
    return std::nullopt;
}

}  // namespace panelink
