#pragma once

#include <array>
#include <filesystem>
#include <optional>
#include <string_view>

#include "shared/formats/ini_file.h"

namespace panelink {

// How large the main window shows the panel. FollowScreen shows one logical pixel per panel
// pixel, so the desktop's own scale factor decides; a percentage is screen pixels per panel
// pixel, whatever the desktop's scale factor.
enum class ZoomSetting { FollowScreen, Percent100, Percent150, Percent200 };

struct ZoomChoice {
    ZoomSetting setting;
    std::string_view iniText;  // the value in Panelink.ini
    std::string_view label;    // the menu item
    int percent;               // 0 for FollowScreen
};

// The choices in the order of the menu; the first is the default.
inline constexpr std::array<ZoomChoice, 4> kZoomChoices{{
    {ZoomSetting::FollowScreen, "screen", "Follow the screen", 0},
    {ZoomSetting::Percent100, "100", "100 %", 100},
    {ZoomSetting::Percent150, "150", "150 %", 150},
    {ZoomSetting::Percent200, "200", "200 %", 200},
}};

// Where the setting is kept: section and key of CommoFiles/Panelink.ini.
inline constexpr std::string_view kZoomSection = "View";
inline constexpr std::string_view kZoomKey = "Zoom";

const ZoomChoice& zoomChoice(ZoomSetting setting);
std::optional<ZoomSetting> parseZoomSetting(std::string_view text);

// The setting kept below the working directory; FollowScreen when the file is missing or
// unreadable or holds no value it knows.
ZoomSetting readZoomSetting(const std::filesystem::path& workingDir);
// Keeps the setting, other lines and sections of the file as they are.
commo::IniWriteResult writeZoomSetting(const std::filesystem::path& workingDir,
                                       ZoomSetting setting);

// Logical pixels per panel pixel on a screen of this device pixel ratio.
double viewZoom(ZoomSetting setting, double devicePixelRatio);
// Image pixels per panel pixel that the back buffer needs to stay sharp on that screen: 2
// once a panel pixel covers more than one screen pixel, else 1.
int bufferScale(double viewZoom, double devicePixelRatio);

}  // namespace panelink
