// The server's settings in Panelink.ini and on the command line, and when an address other
// than loopback may be listened on.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "panelink/net/server/network_settings.h"
#include "shared/platform/testing/scratch_dir.h"

namespace panelink::net {
namespace {

TEST(NetworkSettings, AreWrittenToTheirOwnSectionBesideOtherSettingsAndReadBack) {
    platform::ScratchDir dir;
    const auto ini = dir.path() / "CommoFiles" / "Panelink.ini";
    ASSERT_TRUE(commo::writeIniValue(ini, "Display", "Zoom", "150").ok());
    EXPECT_EQ(readNetworkSettings(ini), NetworkSettings{});

    const NetworkSettings chosen{false, "0.0.0.0", 14532, true};
    ASSERT_TRUE(writeNetworkSettings(ini, chosen).ok());
    EXPECT_EQ(readNetworkSettings(ini), chosen);
    EXPECT_EQ(commo::readIniValue(ini, "Display", "Zoom"), "150");
}

TEST(NetworkSettings, MalformedValuesInTheFileKeepTheirDefaults) {
    platform::ScratchDir dir;
    const auto ini = dir.path() / "Panelink.ini";
    platform::writeFile(ini, "[Network]\r\nEnabled=yes\r\nPort=70000\r\nAddress=\r\n");
    EXPECT_EQ(readNetworkSettings(ini), NetworkSettings{});
}

TEST(NetworkSettings, EndpointsTakeIPv4AndBracketedIPv6AndRefuseTheRest) {
    const auto v4 = parseEndpoint("127.0.0.1:4532");
    ASSERT_TRUE(v4);
    EXPECT_EQ(v4->address, "127.0.0.1");
    EXPECT_EQ(v4->port, 4532);
    const auto v6 = parseEndpoint("[::1]:14532");
    ASSERT_TRUE(v6);
    EXPECT_EQ(v6->address, "::1");
    for (const char* bad : {"127.0.0.1", ":4532", "127.0.0.1:", "127.0.0.1:0", "127.0.0.1:65536",
                            "::1:4532", "[]:4532", "127.0.0.1:45x2"}) {
        EXPECT_FALSE(parseEndpoint(bad)) << bad;
    }
}

TEST(NetworkSettings, OnlyLoopbackIsListenedOnWithoutAnExplicitAllowance) {
    NetworkSettings settings;
    EXPECT_FALSE(listenRefusal(settings));
    settings.address = "::1";
    EXPECT_FALSE(listenRefusal(settings));
    settings.address = "0.0.0.0";
    ASSERT_TRUE(listenRefusal(settings));
    EXPECT_NE(listenRefusal(settings)->find("without a password"), std::string::npos);
    settings.allowRemote = true;
    EXPECT_FALSE(listenRefusal(settings));
}

TEST(NetworkSettings, TheCommandLineSwitchesTheServerOffOrGivesItsAddressForOneRun) {
    EXPECT_FALSE(applyCommandLine({}, std::nullopt, true).settings.enabled);
    EXPECT_TRUE(applyCommandLine({}, std::nullopt, false).settings.enabled) << "stored default";

    NetworkSettings stored;
    stored.enabled = false;
    const auto result = applyCommandLine(stored, "192.168.1.5:4600", false);
    ASSERT_TRUE(result.ok());
    EXPECT_EQ(result.settings, (NetworkSettings{true, "192.168.1.5", 4600, true}));
    EXPECT_FALSE(applyCommandLine(stored, "127.0.0.1:4600", true).settings.enabled)
        << "--no-rigctld wins";

    EXPECT_FALSE(applyCommandLine({}, "", false).ok());
    EXPECT_FALSE(applyCommandLine({}, "4532", false).ok());
}

}  // namespace
}  // namespace panelink::net
