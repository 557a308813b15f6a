#include "panelink/panel/zoom_setting.h"

#include <cctype>
#include <string>

#include "shared/formats/commo_files.h"

namespace panelink {

namespace {

std::string trimmedLower(std::string_view text) {
    std::string out;
    for (char c : text) {
        if (!std::isspace(static_cast<unsigned char>(c)))
            out += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return out;
}

}  // namespace

const ZoomChoice& zoomChoice(ZoomSetting setting) {
    for (const ZoomChoice& choice : kZoomChoices) {
        if (choice.setting == setting) return choice;
    }
    return kZoomChoices.front();
}

// "150" and "150%" both read as 150 %.
std::optional<ZoomSetting> parseZoomSetting(std::string_view text) {
    std::string value = trimmedLower(text);
    if (!value.empty() && value.back() == '%') value.pop_back();
    for (const ZoomChoice& choice : kZoomChoices) {
        if (value == choice.iniText) return choice.setting;
    }
    return std::nullopt;
}

ZoomSetting readZoomSetting(const std::filesystem::path& workingDir) {
    const auto file = commo::commoFilePath(workingDir, commo::kPanelinkIniFileName);
    if (!file) return kZoomChoices.front().setting;
    const auto text = commo::readIniValue(*file, kZoomSection, kZoomKey);
    if (!text) return kZoomChoices.front().setting;
    return parseZoomSetting(*text).value_or(kZoomChoices.front().setting);
}

commo::IniWriteResult writeZoomSetting(const std::filesystem::path& workingDir,
                                       ZoomSetting setting) {
    const auto file = commo::commoFilePath(workingDir, commo::kPanelinkIniFileName);
    if (!file) return {commo::IniWriteFault::WriteFailed};
    return commo::writeIniValue(*file, kZoomSection, kZoomKey, zoomChoice(setting).iniText);
}

double viewZoom(ZoomSetting setting, double devicePixelRatio) {
    const int percent = zoomChoice(setting).percent;
    if (percent == 0 || devicePixelRatio <= 0) return 1.0;
    return percent / 100.0 / devicePixelRatio;
}

int bufferScale(double viewZoom, double devicePixelRatio) {
    // A little slack, so that a ratio computed as 1.0000001 does not double the buffer.
    return viewZoom * devicePixelRatio > 1.01 ? 2 : 1;
}

}  // namespace panelink
