#include <gtest/gtest.h>

#include <set>

#include "panelink/panel/panel_tables.h"

namespace panelink {
namespace {

using C = PanelCode;
using R = Request;

TEST(ControlTable, HoldsEightyFiveControlsEachOnce) {
    const auto table = controlTable();
    EXPECT_EQ(table.size(), 85u);
    std::set<C> seen;
    for (const auto& control : table) {
        EXPECT_TRUE(seen.insert(control.code).second) << "twice: " << number(control.code);
        EXPECT_EQ(findControl(control.code), &control);
    }
}

TEST(ControlTable, EveryButtonHasARowExceptTheLabelsThatOpenWindows) {
    const std::set<C> withoutRow{C::ContourLabel, C::NotchLabel, C::DnrLabel, C::WidthLabel};
    for (const auto& zone : hitZones()) {
        for (const auto& button : zoneButtons(zone.zone)) {
            EXPECT_EQ(findControl(button.code) == nullptr, withoutRow.contains(button.code))
                << number(button.code);
        }
    }
    EXPECT_EQ(findControl(C::Enter), nullptr);
    EXPECT_EQ(findControl(C::MicEq), nullptr);
    EXPECT_EQ(findControl(C::None), nullptr);
}

struct ExpectedRow {
    C code;
    std::uint32_t request;  // 0: none
    bool readBack;
    std::int32_t value;
    std::uint32_t indicator;  // 0: none
};

void expectRow(const ExpectedRow& want) {
    SCOPED_TRACE(number(want.code));
    const ControlRecord* row = findControl(want.code);
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(row->request ? id(*row->request) : 0u, want.request);
    EXPECT_EQ(row->readBack, want.readBack);
    EXPECT_EQ(row->value, want.value);
    EXPECT_EQ(row->indicator ? id(*row->indicator) : 0u, want.indicator);
}

// The message numbers as the control list gives them, written out here to check the names.
TEST(ControlTable, KeysSendTheirRequestsAndDrawTheirOwnCaps) {
    constexpr std::uint32_t A = platform::WM_APP;
    expectRow({C::Com, A + 0x501, false, 0, A + 0x578});
    expectRow({C::Power, A + 0x502, false, 0, A + 0x579});
    expectRow({C::NoiseBlanker, A + 0x510, true, 0, A + 0x57F});
    expectRow({C::ModeDown, A + 0x65C, true, 1, A + 0x5A2});
    expectRow({C::ModeUp, A + 0x65C, true, 0, A + 0x5A3});
    expectRow({C::BandDown, A + 0x660, true, 1, A + 0x5A5});
    expectRow({C::VfoCopy, A + 0x661, false, 0, A + 0x584});
    expectRow({C::Lock, A + 0x523, false, 0, A + 0x581});
    expectRow({C::Voice, A + 0x666, false, 0, A + 0x59C});
    expectRow({C::VfoMemory, A + 0x526, false, 0, A + 0x59D});
    expectRow({C::Store, A + 0x51B, false, 0, A + 0x57A});
    expectRow({C::Scan, A + 0x65B, false, 0, A + 0x5A0});
}

TEST(ControlTable, KeysWithoutARequestStillDrawTheirCaps) {
    constexpr std::uint32_t A = platform::WM_APP;
    expectRow({C::Sel, 0, false, 0, A + 0x59A});
    expectRow({C::Function, 0, false, 0, A + 0x583});
    expectRow({C::MemoryWrite, 0, false, 0, A + 0x59D});
    expectRow({C::ModeMenuUp, 0, false, 0, A + 0x5A3});
    expectRow({C::BandMenuDown, 0, false, 0, A + 0x5A5});
    expectRow({C::ClarClear, A + 0x537, false, 0, A + 0x5A4});
}

TEST(ControlTable, LabelsSendFixedValuesWithTheReadBack) {
    constexpr std::uint32_t A = platform::WM_APP;
    expectRow({C::AttOnLabel, A + 0x50C, true, 3, 0});
    expectRow({C::IpoOnLabel, A + 0x50D, true, 0, 0});
    expectRow({C::IpoOffLabel, A + 0x50D, true, 1, 0});
    expectRow({C::AgcSlowLabel, A + 0x50F, true, 4, 0});
    expectRow({C::MeterPoLabel, A + 0x555, true, 2, 0});
    expectRow({C::MeterSwrLabel, A + 0x555, true, 3, 0});
    expectRow({C::DataLabel, A + 0x65F, false, 0, 0});
    expectRow({C::BreakInLabel, A + 0x511, false, 0, 0});
    expectRow({C::MinusLabel, A + 0x650, false, 0, 0});
    expectRow({C::DecLabel, A + 0x64C, false, 0, 0});
    expectRow({C::TxLabel, A + 0x66B, false, 0, 0});
}

TEST(ControlTable, DialsKnobsAndFrequenciesAreReadBack) {
    constexpr std::uint32_t A = platform::WM_APP;
    expectRow({C::MainDial, A + 0x54F, true, 0, 0});
    expectRow({C::DspSelKnob, A + 0x550, true, 0, 0});
    expectRow({C::SqlKnob, A + 0x55B, true, 0, 0});
    expectRow({C::ShiftKnob, A + 0x565, true, 0, 0});
    expectRow({C::SetVfoB, A + 0x552, true, 0, 0});
    for (int index = 1; index <= 8; ++index) {
        expectRow({digitCode(index), A + 0x551, true, 0, 0});
    }
}

// A chosen item goes out with its opener's read-back flag; the right-click menus and the DSP
// key send without it.
TEST(ControlTable, PopupOpenersHaveNoRequestAndTheReadBackOfTheirMenu) {
    const std::set<C> withReadBack{C::Tune, C::Agc,    C::ClarSelect, C::Meter,      C::Step,
                                   C::Pms,  C::IpoAtt, C::Split,      C::SplitLabel, C::TunerLabel};
    const std::set<C> without{C::Dsp, C::ModeMenuDown, C::ModeMenuUp, C::BandMenuDown,
                              C::BandMenuUp};
    for (const C code : withReadBack) {
        const ControlRecord* row = findControl(code);
        ASSERT_NE(row, nullptr) << number(code);
        EXPECT_FALSE(row->request.has_value()) << number(code);
        EXPECT_TRUE(row->readBack) << number(code);
    }
    for (const C code : without) {
        const ControlRecord* row = findControl(code);
        ASSERT_NE(row, nullptr) << number(code);
        EXPECT_FALSE(row->request.has_value()) << number(code);
        EXPECT_FALSE(row->readBack) << number(code);
    }
}

TEST(RequestIndex, EachRunStartsAndEndsAtItsMessageNumbers) {
    constexpr std::uint32_t A = platform::WM_APP;
    const std::pair<int, std::uint32_t> edges[] = {
        {1, A + 0x501},   {107, A + 0x56B}, {108, A + 0x62C},
        {151, A + 0x657}, {152, A + 0x659}, {173, A + 0x66E},
    };
    for (const auto& [index, message] : edges) {
        const auto request = requestOfIndex(index);
        ASSERT_TRUE(request.has_value()) << index;
        EXPECT_EQ(id(*request), message) << index;
        EXPECT_EQ(indexOfRequest(*request), index);
    }
}

TEST(RequestIndex, IndexesAndMessagesOutsideTheRunsAreNoRequest) {
    constexpr std::uint32_t A = platform::WM_APP;
    for (const int index : {-1, 0, 174, 1000}) {
        EXPECT_EQ(requestOfIndex(index), std::nullopt) << index;
    }
    for (const std::uint32_t message : {A + 0x500, A + 0x56C, A + 0x62B, A + 0x658, A + 0x66F}) {
        EXPECT_EQ(indexOfRequest(static_cast<Request>(message)), std::nullopt) << message - A;
    }
    EXPECT_EQ(indexOfRequest(R::ReadBand), std::nullopt);
    EXPECT_EQ(indexOfRequest(R::InfoPoll), std::nullopt);
}

TEST(RequestIndex, EveryRequestOfTheControlTableHasAnIndex) {
    for (const auto& control : controlTable()) {
        if (!control.request) continue;
        const auto index = indexOfRequest(*control.request);
        ASSERT_TRUE(index.has_value()) << number(control.code);
        EXPECT_EQ(requestOfIndex(*index), control.request) << number(control.code);
    }
}

}  // namespace
}  // namespace panelink
