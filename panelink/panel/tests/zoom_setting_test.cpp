// The zoom of the main window: kept in Panelink.ini beside other programs' settings, and
// turned into the view's zoom and the back buffer's scale for a screen.
#include "panelink/panel/zoom_setting.h"

#include <gtest/gtest.h>

#include <string>

#include "shared/platform/testing/scratch_dir.h"

namespace panelink {
namespace {

using platform::readFile;
using platform::ScratchDir;
using platform::writeFile;

std::filesystem::path iniIn(const ScratchDir& dir) {
    return dir.path() / "CommoFiles" / "Panelink.ini";
}

TEST(ZoomSetting, EveryChoiceIsKeptAndReadBackBesideTheOtherSections) {
    ScratchDir dir;
    EXPECT_EQ(readZoomSetting(dir.path()), ZoomSetting::FollowScreen) << "no file yet";
    writeFile(iniIn(dir), "[Network]\r\nPort=4532\r\n");
    for (const ZoomChoice& choice : kZoomChoices) {
        ASSERT_TRUE(writeZoomSetting(dir.path(), choice.setting).ok());
        EXPECT_EQ(readZoomSetting(dir.path()), choice.setting) << choice.iniText;
    }
    EXPECT_EQ(readFile(iniIn(dir)), "[Network]\r\nPort=4532\r\n[View]\r\nZoom=200\r\n");
}

TEST(ZoomSetting, AValueWrittenByHandIsReadWithBlanksCaseAndPercentSign) {
    EXPECT_EQ(parseZoomSetting(" 150% "), ZoomSetting::Percent150);
    EXPECT_EQ(parseZoomSetting("Screen"), ZoomSetting::FollowScreen);
    EXPECT_EQ(parseZoomSetting("175"), std::nullopt);
    EXPECT_EQ(parseZoomSetting(""), std::nullopt);
}

TEST(ZoomSetting, AnUnknownValueOrAnUnreadableFileGivesTheDefaultAndIsNotWrittenOver) {
    ScratchDir dir;
    writeFile(iniIn(dir), "[View]\r\nZoom=300\r\n");
    EXPECT_EQ(readZoomSetting(dir.path()), ZoomSetting::FollowScreen);

    // Too large to be an INI file: neither read nor replaced.
    const std::string big = "[View]\r\nZoom=200\r\n" + std::string(2 * 1024 * 1024, ';');
    writeFile(iniIn(dir), big);
    EXPECT_EQ(readZoomSetting(dir.path()), ZoomSetting::FollowScreen);
    EXPECT_EQ(writeZoomSetting(dir.path(), ZoomSetting::Percent150).fault,
              commo::IniWriteFault::Unreadable);
    EXPECT_EQ(readFile(iniIn(dir)), big);
}

struct ZoomCase {
    ZoomSetting setting;
    double devicePixelRatio;
    double viewZoom;
    int bufferScale;
};

class ZoomOnAScreen : public ::testing::TestWithParam<ZoomCase> {};

TEST_P(ZoomOnAScreen, GivesTheViewZoomAndTheBufferScale) {
    const ZoomCase& c = GetParam();
    const double zoom = viewZoom(c.setting, c.devicePixelRatio);
    EXPECT_DOUBLE_EQ(zoom, c.viewZoom);
    EXPECT_EQ(bufferScale(zoom, c.devicePixelRatio), c.bufferScale);
}

INSTANTIATE_TEST_SUITE_P(SettingsAndScreens, ZoomOnAScreen,
                         ::testing::Values(ZoomCase{ZoomSetting::FollowScreen, 1.0, 1.0, 1},
                                           ZoomCase{ZoomSetting::FollowScreen, 2.0, 1.0, 2},
                                           ZoomCase{ZoomSetting::FollowScreen, 1.25, 1.0, 2},
                                           ZoomCase{ZoomSetting::Percent100, 2.0, 0.5, 1},
                                           ZoomCase{ZoomSetting::Percent150, 1.0, 1.5, 2},
                                           ZoomCase{ZoomSetting::Percent150, 1.5, 1.0, 2},
                                           ZoomCase{ZoomSetting::Percent200, 1.0, 2.0, 2},
                                           ZoomCase{ZoomSetting::Percent200, 2.0, 1.0, 2}),
                         [](const ::testing::TestParamInfo<ZoomCase>& param) {
                             const ZoomCase& c = param.param;
                             std::string name =
                                 c.setting == ZoomSetting::FollowScreen
                                     ? std::string("FollowingTheScreen")
                                     : "At" + std::to_string(zoomChoice(c.setting).percent) +
                                           "Percent";
                             return name + "OnAScreenScaledBy" +
                                    std::to_string(static_cast<int>(c.devicePixelRatio * 100)) +
                                    "Percent";
                         });

}  // namespace
}  // namespace panelink
