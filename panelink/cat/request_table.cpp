#include "panelink/cat/request_table.h"

#include <algorithm>

#include "shared/platform/message.h"

namespace panelink {
namespace {

using platform::WM_APP;

constexpr PlainRequest field(std::uint32_t message, std::string_view prefix, int width,
                             std::string_view suffix) {
    PlainRequest request{};
    request.message = message;
    request.prefix = prefix;
    request.width = width;
    request.suffix = suffix;
    return request;
}

constexpr PlainRequest fixed(std::uint32_t message, std::string_view text) {
    return field(message, text, 0, "");
}

constexpr PlainRequest sided(std::uint32_t message, std::string_view prefix, int width,
                             std::string_view suffix) {
    PlainRequest request = field(message, prefix, width, suffix);
    request.sideDigit = true;
    return request;
}

constexpr PlainRequest ranged(std::uint32_t message, std::string_view prefix, int width,
                              std::string_view suffix, std::int64_t minimum, std::int64_t maximum) {
    PlainRequest request = field(message, prefix, width, suffix);
    request.guard = RequestGuard::ValueRange;
    request.minimum = minimum;
    request.maximum = maximum;
    return request;
}

constexpr PlainRequest guarded(std::uint32_t message, std::string_view text, RequestGuard guard) {
    PlainRequest request = fixed(message, text);
    request.guard = guard;
    return request;
}

// clang-format off
constexpr std::array kPlainRequests{
    fixed(WM_APP + 0x110, "VC;"),
    field(WM_APP + 0x111, "MR", 3, ";"),
    fixed(WM_APP + 0x352, "ID;"),
    fixed(WM_APP + 0x35C, "VS;"),
    fixed(WM_APP + 0x35E, "BS;"),
    field(WM_APP + 0x503, "DA", 2, "00;"),
    guarded(WM_APP + 0x504, "OI;", RequestGuard::VfoSelectKnown),
    field(WM_APP + 0x506, "AC00", 1, ";"),
    ranged(WM_APP + 0x507, "IF;", 0, "", 0, 1),
    fixed(WM_APP + 0x508, "IF;"),
    field(WM_APP + 0x509, "ML0", 3, ";"),
    field(WM_APP + 0x50A, "PR", 1, ";"),
    field(WM_APP + 0x50C, "RA0", 1, ";"),
    fixed(WM_APP + 0x50E, "FB;"),
    sided(WM_APP + 0x510, "NB", 1, ";"),
    field(WM_APP + 0x512, "CS", 1, ";"),
    fixed(WM_APP + 0x513, "VS0;"),
    fixed(WM_APP + 0x514, "VS1;"),
    fixed(WM_APP + 0x515, "MD01;"),
    fixed(WM_APP + 0x516, "MD02;"),
    fixed(WM_APP + 0x517, "MD03;"),
    fixed(WM_APP + 0x518, "MK3;"),
    fixed(WM_APP + 0x519, "MK5;"),
    fixed(WM_APP + 0x51A, "MK6;"),
    fixed(WM_APP + 0x51B, "QI;"),
    fixed(WM_APP + 0x51C, "QR;"),
    field(WM_APP + 0x51F, "TS", 1, ";"),
    guarded(WM_APP + 0x520, "FA;", RequestGuard::VfoChannel),
    fixed(WM_APP + 0x521, "FT0;"),
    fixed(WM_APP + 0x524, "AB;"),
    fixed(WM_APP + 0x525, "SV;"),
    fixed(WM_APP + 0x526, "VM;"),
    fixed(WM_APP + 0x527, "MA;"),
    fixed(WM_APP + 0x528, "AM;"),
    fixed(WM_APP + 0x52A, "BS10;"),
    fixed(WM_APP + 0x52B, "BS00;"),
    fixed(WM_APP + 0x52C, "BS01;"),
    fixed(WM_APP + 0x52D, "BS03;"),
    fixed(WM_APP + 0x52E, "BS04;"),
    fixed(WM_APP + 0x52F, "BS05;"),
    fixed(WM_APP + 0x530, "BS06;"),
    fixed(WM_APP + 0x531, "BS07;"),
    fixed(WM_APP + 0x532, "BS08;"),
    fixed(WM_APP + 0x533, "BS09;"),
    fixed(WM_APP + 0x534, "BS11;"),
    // The transmit-clarifier key reads the "IF" answer, which refreshes the clarifier state.
    fixed(WM_APP + 0x536, "IF;"),
    fixed(WM_APP + 0x537, "RC;"),
    fixed(WM_APP + 0x538, "BS;"),
    guarded(WM_APP + 0x53A, "VS;", RequestGuard::VfoSelectKnown),
    guarded(WM_APP + 0x53D, "FA;", RequestGuard::VfoChannel),
    fixed(WM_APP + 0x53E, "FT1;"),
    fixed(WM_APP + 0x53F, "SF0;"),
    fixed(WM_APP + 0x540, "SF1;"),
    fixed(WM_APP + 0x541, "SF2;"),
    fixed(WM_APP + 0x542, "SF3;"),
    fixed(WM_APP + 0x543, "SF4;"),
    fixed(WM_APP + 0x544, "SF5;"),
    fixed(WM_APP + 0x545, "SF6;"),
    fixed(WM_APP + 0x546, "SF7;"),
    fixed(WM_APP + 0x547, "FK1;"),
    fixed(WM_APP + 0x548, "FK2;"),
    fixed(WM_APP + 0x549, "FK3;"),
    fixed(WM_APP + 0x54A, "FK4;"),
    fixed(WM_APP + 0x54B, "FK5;"),
    fixed(WM_APP + 0x54C, "FK6;"),
    fixed(WM_APP + 0x54D, "FK7;"),
    fixed(WM_APP + 0x54E, "RS;"),
    ranged(WM_APP + 0x551, "FA", 8, ";", 3000, 60000000),
    ranged(WM_APP + 0x552, "FB", 8, ";", 3000, 60000000),
    fixed(WM_APP + 0x554, "BS;"),
    field(WM_APP + 0x555, "MS", 1, ";"),
    field(WM_APP + 0x556, "ML1", 3, ";"),
    field(WM_APP + 0x557, "PL", 3, ";"),
    field(WM_APP + 0x558, "KS", 3, ";"),
    field(WM_APP + 0x559, "KP", 2, ";"),
    fixed(WM_APP + 0x55A, "ST;"),
    field(WM_APP + 0x55B, "SQ0", 3, ";"),
    field(WM_APP + 0x55C, "MG", 3, ";"),
    field(WM_APP + 0x55D, "VG", 3, ";"),
    field(WM_APP + 0x55F, "SQ1", 3, ";"),
    field(WM_APP + 0x560, "AG1", 3, ";"),
    field(WM_APP + 0x561, "RG1", 3, ";"),
    field(WM_APP + 0x562, "AG0", 3, ";"),
    field(WM_APP + 0x563, "RG0", 3, ";"),
    field(WM_APP + 0x564, "BP01", 3, ";"),
    field(WM_APP + 0x566, "SH0", 2, ";"),
    field(WM_APP + 0x567, "CO01", 2, ";"),
    field(WM_APP + 0x568, "RL0", 2, ";"),
    field(WM_APP + 0x56B, "PC", 3, ";"),
    fixed(WM_APP + 0x62C, "LM01;"),
    fixed(WM_APP + 0x62D, "LM02;"),
    fixed(WM_APP + 0x62E, "LM03;"),
    fixed(WM_APP + 0x62F, "LM04;"),
    fixed(WM_APP + 0x630, "LM05;"),
    fixed(WM_APP + 0x631, "LM00;"),
    fixed(WM_APP + 0x632, "PB1;"),
    fixed(WM_APP + 0x633, "PB2;"),
    fixed(WM_APP + 0x634, "PB3;"),
    fixed(WM_APP + 0x635, "PB4;"),
    fixed(WM_APP + 0x636, "PB5;"),
    fixed(WM_APP + 0x637, "PB0;"),
    fixed(WM_APP + 0x638, "LM11;"),
    fixed(WM_APP + 0x639, "LM10;"),
    fixed(WM_APP + 0x63A, "PB6;"),
    fixed(WM_APP + 0x63B, "PB0;"),
    fixed(WM_APP + 0x640, "KY1;"),
    fixed(WM_APP + 0x641, "KY2;"),
    fixed(WM_APP + 0x642, "KY3;"),
    fixed(WM_APP + 0x643, "KY4;"),
    fixed(WM_APP + 0x644, "KY5;"),
    fixed(WM_APP + 0x645, "KY6;"),
    fixed(WM_APP + 0x646, "KY7;"),
    fixed(WM_APP + 0x647, "KY8;"),
    fixed(WM_APP + 0x648, "KY9;"),
    fixed(WM_APP + 0x649, "KYA;"),
    sided(WM_APP + 0x64A, "CT", 0, "0;"),
    sided(WM_APP + 0x64B, "CT", 0, "2;"),
    sided(WM_APP + 0x64C, "CT", 0, "1;"),
    sided(WM_APP + 0x64D, "CN", 2, ";"),
    sided(WM_APP + 0x64E, "OS", 0, "0;"),
    sided(WM_APP + 0x64F, "OS", 0, "1;"),
    sided(WM_APP + 0x650, "OS", 0, "2;"),
    field(WM_APP + 0x653, "SH0", 2, ";"),
    fixed(WM_APP + 0x654, "RT;"),
    fixed(WM_APP + 0x655, "RT;"),
    fixed(WM_APP + 0x656, "RT;"),
    fixed(WM_APP + 0x657, "RT;"),
    fixed(WM_APP + 0x659, "MK0;"),
    fixed(WM_APP + 0x65D, "MD05;"),
    fixed(WM_APP + 0x65E, "MD04;"),
    fixed(WM_APP + 0x65F, "MD06;"),
    fixed(WM_APP + 0x661, "VV;"),
    fixed(WM_APP + 0x663, "HM;"),
    field(WM_APP + 0x664, "ST", 1, ";"),
    field(WM_APP + 0x665, "SS0", 5, ";"),
    fixed(WM_APP + 0x666, "VR1;"),
    fixed(WM_APP + 0x667, "PB7;"),
    fixed(WM_APP + 0x668, "PB8;"),
    fixed(WM_APP + 0x669, "PB0;"),
    fixed(WM_APP + 0x66C, "KY0;"),
    fixed(WM_APP + 0x66E, "MD07;"),
};

constexpr std::array kToggleRequests{
    ToggleRequest{WM_APP + 0x505, CommandField::VX, "VX"},
    ToggleRequest{WM_APP + 0x50B, CommandField::KR, "KR"},
    ToggleRequest{WM_APP + 0x511, CommandField::BI, "BI"},
    ToggleRequest{WM_APP + 0x522, CommandField::FS, "FS"},
    ToggleRequest{WM_APP + 0x523, CommandField::LK, "LK"},
    ToggleRequest{WM_APP + 0x535, CommandField::IF_rxClarifier, "RT"},
    ToggleRequest{WM_APP + 0x53C, CommandField::NR_0, "NR0"},
    ToggleRequest{WM_APP + 0x65B, CommandField::SC, "SC"},
    ToggleRequest{WM_APP + 0x66B, CommandField::TX, "TX"},
};

// Callers post only the listed values; anything else sends nothing rather than a command
// the radio would read differently.
constexpr std::array kChoiceRequests{
    ChoiceRequest{WM_APP + 0x50D, "PA0", false, {"0;", "1;"}},
    ChoiceRequest{WM_APP + 0x50F, "GT", true, {"0;", "4;", "1;", "2;", "3;"}},
    ChoiceRequest{WM_APP + 0x51E, "", false, {"FT0;", "FT1;", "QS;"}},
    ChoiceRequest{WM_APP + 0x65C, "MK", false, {"7;", "8;"}},
    ChoiceRequest{WM_APP + 0x660, "", false, {"BU0;", "BD0;"}},
    ChoiceRequest{WM_APP + 0x662, "AX1", false, {"0;", "1;"}},
};

constexpr std::array kSpecialReads{
    SpecialRead{12, {"BP00;", "BP01;"}},
    SpecialRead{13, {"CO00;", "CO01;"}},
    SpecialRead{31, {"RM0;"}},
    SpecialRead{52, {"KM1;", "KM2;", "KM3;"}},
    SpecialRead{58, {"RI0;", "RI1;", "RI3;", "RI4;", "RI9;"}},
    SpecialRead{59, {"BG0;"}},
    // Memory channels are read one by one on request, not in the read-out.
    SpecialRead{63, {}},
};
// clang-format on

template <class Table, class Key, class Projection>
auto findIn(const Table& table, Key key, Projection projection) -> decltype(table.data()) {
    const auto found = std::find_if(table.begin(), table.end(),
                                    [&](const auto& entry) { return projection(entry) == key; });
    return found == table.end() ? nullptr : &*found;
}

}  // namespace

std::span<const PlainRequest> plainRequests() {
    return kPlainRequests;
}
std::span<const ToggleRequest> toggleRequests() {
    return kToggleRequests;
}
std::span<const ChoiceRequest> choiceRequests() {
    return kChoiceRequests;
}
std::span<const SpecialRead> specialReads() {
    return kSpecialReads;
}

const PlainRequest* findPlainRequest(std::uint32_t message) {
    return findIn(kPlainRequests, message, [](const PlainRequest& r) { return r.message; });
}

const ToggleRequest* findToggleRequest(std::uint32_t message) {
    return findIn(kToggleRequests, message, [](const ToggleRequest& r) { return r.message; });
}

const ChoiceRequest* findChoiceRequest(std::uint32_t message) {
    return findIn(kChoiceRequests, message, [](const ChoiceRequest& r) { return r.message; });
}

const SpecialRead* findSpecialRead(int readIndex) {
    return findIn(kSpecialReads, readIndex, [](const SpecialRead& r) { return r.index; });
}

}  // namespace panelink
