#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "panelink/core/port_failure.h"

namespace panelink {

// The texts of the string table that the main window shows, by number; empty for a number
// the window does not use.
std::string_view panelString(int number);

// One link failure message: shown only when enabled, with the text of string `stringId`.
struct LinkMessage {
    std::uint8_t enabled = 0;
    std::uint32_t stringId = 0;
};

// The messages that WindowMessage::LinkFailure shows, by the index it carries in lparam.
inline constexpr std::array<LinkMessage, 4> kLinkMessageTable{{
    {1, 106},  // failed to open the port
    {0, 107},  // failed to read the menu configuration file
    {1, 108},  // failed to read the COM port configuration file
    {1, 111},  // failed to connect the COM port
}};
inline constexpr int kLinkMessagePortOpenFailed = 0;
inline constexpr int kLinkMessageSettingsUnreadable = 2;

// The record for an index of WindowMessage::LinkFailure; nullptr for an index outside the table.
const LinkMessage* findLinkMessage(std::intptr_t index);

// The text of the box of WindowMessage::LinkFailure with `index`: the record's string, and when the
// port could not be opened, the line that says why (the one COM Select shows); for a device that
// went away while the port was open, only that line.
std::string linkFailureText(std::intptr_t index, const std::optional<PortFailure>& portFailure);

// Which of the windows that show menu settings are open, for the menu-change notice.
struct MenuSettingWindows {
    bool cw = false;
    bool micEq = false;
    bool repeater = false;
    bool menuList = false;
};

// The string of the notice that asks the user to reopen the open windows; nothing when none
// of them is open.
std::optional<int> menuChangeNoticeString(const MenuSettingWindows& open);

// Title of the program's message boxes and the product name in the version box.
inline constexpr std::string_view kProductName = "Panelink";

}  // namespace panelink
