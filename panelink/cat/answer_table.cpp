#include "panelink/cat/answer_table.h"

namespace panelink {

namespace {

using platform::WM_APP;

constexpr AnswerRecord answer(const char (&letters)[3], std::uint32_t message,
                              std::uint32_t length) {
    return {{letters[0], letters[1], '\0', '\0'}, message, length};
}

}  // namespace

// Letters, display-update message, total length including ";". Looked up by letters, first
// match wins.
const std::array<AnswerRecord, kAnswerRecordCount> AnswerTable{{
    answer("ID", WM_APP + 0x344, 7),  answer("RT", WM_APP + 0x302, 4),
    answer("BP", WM_APP + 0x305, 8),  answer("CO", WM_APP + 0x307, 7),
    answer("MS", WM_APP + 0x346, 4),  answer("NR", WM_APP + 0x308, 5),
    answer("FT", WM_APP + 0x309, 4),  answer("LK", WM_APP + 0x30C, 4),
    answer("FS", WM_APP + 0x30D, 4),  answer("VS", WM_APP + 0x30E, 4),
    answer("NA", WM_APP + 0x30F, 5),  answer("NB", WM_APP + 0x310, 5),
    answer("GT", WM_APP + 0x312, 5),  answer("RA", WM_APP + 0x313, 5),
    answer("PA", WM_APP + 0x314, 5),  answer("KR", WM_APP + 0x315, 4),
    answer("TS", WM_APP + 0x316, 4),  answer("AC", WM_APP + 0x318, 6),
    answer("VX", WM_APP + 0x31B, 4),  answer("BI", WM_APP + 0x31C, 4),
    answer("PR", WM_APP + 0x31D, 4),  answer("ML", WM_APP + 0x31E, 7),
    answer("CS", WM_APP + 0x31F, 4),  answer("RM", WM_APP + 0x321, 7),
    answer("KP", WM_APP + 0x322, 5),  answer("KS", WM_APP + 0x323, 6),
    answer("SD", WM_APP + 0x324, 7),  answer("MG", WM_APP + 0x326, 6),
    answer("PL", WM_APP + 0x327, 6),  answer("VG", WM_APP + 0x328, 6),
    answer("VD", WM_APP + 0x329, 7),  answer("SQ", WM_APP + 0x32A, 7),
    answer("AG", WM_APP + 0x32B, 7),  answer("RG", WM_APP + 0x32C, 7),
    answer("IF", WM_APP + 0x32D, 27), answer("IS", WM_APP + 0x32F, 9),
    answer("SH", WM_APP + 0x330, 6),  answer("RL", WM_APP + 0x331, 6),
    answer("BY", WM_APP + 0x332, 5),  answer("FA", WM_APP + 0x333, 11),
    answer("FB", WM_APP + 0x334, 11), answer("SC", WM_APP + 0x336, 4),
    answer("SM", WM_APP + 0x337, 7),  answer("TX", WM_APP + 0x338, 4),
    answer("UL", WM_APP + 0x339, 4),  answer("AI", WM_APP + 0x33A, 4),
    answer("CN", WM_APP + 0x33B, 6),  answer("CT", WM_APP + 0x33C, 5),
    answer("KM", WM_APP + 0x33D, 54), answer("MC", WM_APP + 0x33E, 6),
    answer("OI", WM_APP + 0x33F, 27), answer("OS", WM_APP + 0x340, 5),
    answer("PB", WM_APP + 0x341, 4),  answer("PC", WM_APP + 0x342, 6),
    answer("RS", WM_APP + 0x343, 4),  answer("MD", WM_APP + 0x345, 5),
    answer("PS", WM_APP + 0x347, 4),  answer("RI", WM_APP + 0x348, 5),
    answer("BG", WM_APP + 0x34D, 5),  answer("LM", WM_APP + 0x34E, 5),
    answer("DS", WM_APP + 0x319, 4),  answer("DQ", WM_APP + 0x354, 5),
    answer("VC", WM_APP + 0x355, 6),  answer("MR", WM_APP + 0x356, 27),
    answer("VR", WM_APP + 0x357, 4),  answer("AX", WM_APP + 0x358, 5),
    answer("DA", WM_APP + 0x359, 7),  answer("SS", WM_APP + 0x35A, 9),
    answer("ST", WM_APP + 0x35B, 4),  answer("SF", WM_APP + 0x304, 4),
    answer("BS", WM_APP + 0x301, 5),
}};

const AnswerRecord* findAnswer(char a, char b) {
    for (const auto& record : AnswerTable) {
        if (record.letters[0] == a && record.letters[1] == b) return &record;
    }
    return nullptr;
}

}  // namespace panelink
