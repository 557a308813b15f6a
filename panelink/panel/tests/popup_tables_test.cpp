#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "panelink/panel/panel_tables.h"

namespace panelink {
namespace {

using M = PopupMenu;

constexpr std::array kAllMenus{M::Mode,      M::Band,       M::Split, M::StepFm, M::StepAm,
                               M::StepOther, M::Agc,        M::Pms,   M::AttIpo, M::Tuner,
                               M::Meter,     M::ClarSelect, M::Dsp,   M::Width};

std::vector<std::string> texts(M menu) {
    std::vector<std::string> out;
    for (const auto& record : popupRecords(menu))
        out.emplace_back(record.text);
    return out;
}

std::uint32_t requestOf(M menu, int id) {
    const PopupRecord* record = findPopupRecord(menu, id);
    return record && record->request ? panelink::id(*record->request) : 0;
}

std::int32_t valueOf(M menu, int id) {
    const PopupRecord* record = findPopupRecord(menu, id);
    return record ? record->value : -1;
}

TEST(PopupMenus, ItemsAreNumberedFromOneInTheOrderShown) {
    constexpr std::array<std::size_t, kAllMenus.size()> kSizes{7, 11, 3, 8, 6, 3, 4,
                                                               4, 4,  3, 3, 9, 6, 3};
    for (std::size_t m = 0; m < kAllMenus.size(); ++m) {
        const M menu = kAllMenus[m];
        const auto records = popupRecords(menu);
        ASSERT_EQ(records.size(), kSizes[m]) << m;
        for (std::size_t i = 0; i < records.size(); ++i) {
            EXPECT_EQ(records[i].id, static_cast<int>(i + 1)) << static_cast<int>(menu);
            EXPECT_EQ(findPopupRecord(menu, records[i].id), &records[i]);
        }
        EXPECT_EQ(findPopupRecord(menu, 0), nullptr);
        EXPECT_EQ(findPopupRecord(menu, static_cast<int>(records.size()) + 1), nullptr);
    }
}

// Every item does something, its text fits the 32-byte field with its terminator, and its
// requests are ones the request indexes can carry.
TEST(PopupMenus, EveryItemSendsARequestOrOpensSomething) {
    for (const M menu : kAllMenus) {
        for (const auto& record : popupRecords(menu)) {
            SCOPED_TRACE(std::string(record.text));
            EXPECT_NE(record.request.has_value(), record.opens != PopupOpens::Nothing);
            EXPECT_LE(record.text.size(), 31u);
            if (record.request) {
                EXPECT_TRUE(indexOfRequest(*record.request).has_value());
            }
            if (record.secondRequest) {
                EXPECT_TRUE(indexOfRequest(*record.secondRequest).has_value());
            }
        }
    }
}

TEST(PopupMenus, TextsKeepTheirTrailingBlanks) {
    EXPECT_EQ(texts(M::Mode),
              (std::vector<std::string>{"LSB ", "USB ", "CW  ", "CW-R", "AM  ", "FM  ", "DATA"}));
    EXPECT_EQ(texts(M::Band),
              (std::vector<std::string>{"1.8 ", "3.5 ", "7   ", "10  ", "14  ", "18  ", "21  ",
                                        "24.5", "28  ", "50  ", "GEN "}));
    EXPECT_EQ(texts(M::AttIpo), (std::vector<std::string>{"ATT OFF  IPO OFF", "ATT OFF  IPO ON ",
                                                          "ATT ON   IPO OFF", "ATT ON   IPO ON "}));
    EXPECT_EQ(texts(M::ClarSelect)[6], "VCC        ");
    EXPECT_EQ(texts(M::StepAm)[3], "10kHz  ");
    EXPECT_EQ(texts(M::Dsp).back(), "SELECT ");
    EXPECT_EQ(texts(M::Width), (std::vector<std::string>{"NARROW", "MIDDLE", "WIDE  "}));
    EXPECT_EQ(texts(M::Tuner)[2], "TUNING   ");
    EXPECT_EQ(texts(M::Agc)[0], "AGC OFF ");
}

TEST(PopupMenus, MenusWithTwoOpenersCarryBothPositionsOthersOne) {
    const auto position = [](M menu, std::size_t record) {
        const auto& r = popupRecords(menu)[record];
        return PanelPoint{r.x, r.y};
    };
    EXPECT_EQ(position(M::Mode, 0), (PanelPoint{263, 307}));
    EXPECT_EQ(position(M::Mode, 1), (PanelPoint{324, 307}));
    EXPECT_EQ(position(M::Band, 1), (PanelPoint{588, 259}));
    EXPECT_EQ(position(M::Split, 1), (PanelPoint{600, 158}));
    EXPECT_EQ(position(M::Tuner, 0), (PanelPoint{630, 260}));
    EXPECT_EQ(position(M::Tuner, 1), (PanelPoint{200, 137}));
    EXPECT_EQ(position(M::Width, 0), (PanelPoint{128, 260}));
    EXPECT_EQ(position(M::Width, 1), (PanelPoint{28, 186}));
    EXPECT_EQ(position(M::StepOther, 0), (PanelPoint{712, 202}));
    EXPECT_EQ(position(M::ClarSelect, 0), (PanelPoint{692, 112}));
    EXPECT_EQ(position(M::ClarSelect, 1), (PanelPoint{0, 0}));
    EXPECT_EQ(position(M::AttIpo, 0), (PanelPoint{165, 260}));
    EXPECT_EQ(position(M::Mode, 2), (PanelPoint{0, 0}));
}

TEST(PopupMenus, ItemsSendTheRequestsAndValuesOfTheirSettings) {
    constexpr std::uint32_t A = platform::WM_APP;
    EXPECT_EQ(requestOf(M::Mode, 4), A + 0x66E);
    EXPECT_EQ(requestOf(M::Mode, 7), A + 0x65F);
    for (const auto& record : popupRecords(M::Mode))
        EXPECT_EQ(record.value, 0);
    EXPECT_EQ(requestOf(M::Band, 1), A + 0x52B);
    EXPECT_EQ(requestOf(M::Band, 10), A + 0x52A);
    EXPECT_EQ(requestOf(M::Band, 11), A + 0x534);
    EXPECT_EQ(requestOf(M::Split, 3), A + 0x51E);
    EXPECT_EQ(valueOf(M::Split, 3), 2);
    EXPECT_EQ(requestOf(M::StepFm, 8), A + 0x664);
    EXPECT_EQ(valueOf(M::StepFm, 8), 7);
    EXPECT_EQ(valueOf(M::StepAm, 6), 5);
    EXPECT_EQ(valueOf(M::StepOther, 3), 2);
    EXPECT_EQ(valueOf(M::Agc, 4), 4);
    EXPECT_EQ(valueOf(M::Pms, 2), 10000);
    EXPECT_EQ(valueOf(M::Pms, 3), 1000);
    EXPECT_EQ(valueOf(M::Pms, 4), 11000);
    EXPECT_EQ(requestOf(M::Tuner, 3), A + 0x506);
    EXPECT_EQ(valueOf(M::Meter, 1), 2);
    EXPECT_EQ(valueOf(M::Meter, 3), 3);
    EXPECT_EQ(requestOf(M::ClarSelect, 3), A + 0x512);
    EXPECT_EQ(requestOf(M::ClarSelect, 6), A + 0x51F);
    EXPECT_EQ(valueOf(M::ClarSelect, 6), 0);
    EXPECT_EQ(requestOf(M::ClarSelect, 8), A + 0x662);
    EXPECT_EQ(valueOf(M::ClarSelect, 8), 1);
    EXPECT_EQ(requestOf(M::Dsp, 6), A + 0x53F);
    EXPECT_EQ(valueOf(M::Dsp, 6), 0);
    EXPECT_EQ(requestOf(M::Width, 2), A + 0x653);
    EXPECT_EQ(valueOf(M::Width, 2), 16);
    EXPECT_EQ(valueOf(M::Width, 3), 31);
}

TEST(PopupMenus, AttIpoItemsSetTheAttenuatorThenTheIpo) {
    constexpr std::uint32_t A = platform::WM_APP;
    const std::array<std::pair<int, int>, 4> values{{{0, 1}, {0, 0}, {3, 1}, {3, 0}}};
    for (int id = 1; id <= 4; ++id) {
        const PopupRecord* record = findPopupRecord(M::AttIpo, id);
        ASSERT_NE(record, nullptr);
        ASSERT_TRUE(record->request && record->secondRequest);
        EXPECT_EQ(panelink::id(*record->request), A + 0x50C);
        EXPECT_EQ(panelink::id(*record->secondRequest), A + 0x50D);
        const auto [att, ipo] = values[static_cast<std::size_t>(id - 1)];
        EXPECT_EQ(record->value, att) << id;
        EXPECT_EQ(record->secondValue, ipo) << id;
    }
    EXPECT_FALSE(findPopupRecord(M::Pms, 1)->secondRequest.has_value());
}

TEST(PopupMenus, DspItemsOpenTheirWindowsAndTheCsMenuOpensVcc) {
    const std::array<PopupOpens, 6> dsp{PopupOpens::Contour, PopupOpens::Notch,
                                        PopupOpens::Dnr,     PopupOpens::WidthMenu,
                                        PopupOpens::MicEq,   PopupOpens::Nothing};
    for (int id = 1; id <= 6; ++id) {
        EXPECT_EQ(findPopupRecord(M::Dsp, id)->opens, dsp[static_cast<std::size_t>(id - 1)]) << id;
    }
    EXPECT_EQ(findPopupRecord(M::ClarSelect, 7)->opens, PopupOpens::Vcc);
    EXPECT_FALSE(findPopupRecord(M::ClarSelect, 7)->request.has_value());
}

}  // namespace
}  // namespace panelink
