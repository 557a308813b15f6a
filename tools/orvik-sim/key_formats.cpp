#include "tools/orvik-sim/key_formats.h"

namespace orviksim {

namespace {

constexpr bool kReadOnly = false;

constexpr KeyFormat kKeys[] = {
    {"ID", "DDDD", 0, 9999, "0244", kReadOnly},
    {"RT", "D", 0, 1, "0"},
    {"BP00", "00D", 0, 1, "000"},
    {"BP01", "DDD", 1, 400, "200"},
    {"CO00", "ZD", -2, 2, "00"},
    {"CO01", "DD", 1, 32, "14"},
    {"MS", "D", 0, 5, "2"},
    {"NR0", "D", 0, 1, "0"},
    {"NR1", "D", 0, 1, "0"},
    {"FT", "D", 0, 1, "0"},
    {"LK", "D", 0, 1, "0", true, 3},
    {"FS", "D", 0, 1, "0"},
    {"VS", "D", 0, 1, "0"},
    {"NA0", "D", 0, 1, "0"},
    {"NA1", "D", 0, 1, "0"},
    {"NB0", "D", 0, 2, "0"},
    {"NB1", "D", 0, 2, "0"},
    {"GT0", "D", 0, 6, "4"},
    {"GT1", "D", 0, 4, "4"},
    {"RA0", "D", 0, 3, "0"},
    {"PA0", "D", 0, 1, "1"},
    {"KR", "D", 0, 1, "0"},
    {"TS", "D", 0, 1, "0"},
    {"AC", "00D", 0, 2, "000"},
    {"VX", "D", 0, 1, "0"},
    {"BI", "D", 0, 1, "0"},
    {"PR", "D", 0, 1, "0"},
    {"ML0", "00D", 0, 1, "000"},
    {"ML1", "DDD", 1, 255, "001"},
    {"CS", "D", 0, 1, "0"},
    {"RM0", "DDD", 0, 255, "000", kReadOnly},
    {"RM1", "DDD", 0, 255, "000", kReadOnly},
    {"RM2", "DDD", 0, 255, "000", kReadOnly},
    {"RM3", "DDD", 0, 255, "000", kReadOnly},
    {"RM4", "DDD", 0, 255, "000", kReadOnly},
    {"RM5", "DDD", 0, 255, "000", kReadOnly},
    {"KP", "DD", 0, 15, "08"},
    {"KS", "DDD", 4, 60, "020"},
    {"SD", "DDDD", 0, 5000, "0300"},
    {"MG", "DDD", 0, 255, "050"},
    {"PL", "DDD", 0, 255, "050"},
    {"VG", "DDD", 0, 255, "050"},
    {"VD", "DDDD", 0, 5000, "0500"},
    {"SQ0", "DDD", 0, 255, "000"},
    {"SQ1", "DDD", 0, 255, "000"},
    {"AG0", "DDD", 0, 255, "128"},
    {"AG1", "DDD", 0, 255, "128"},
    {"RG0", "DDD", 0, 255, "255"},
    {"RG1", "DDD", 0, 255, "255"},
    {"IS0", "SDDDD", -1270, 1270, "+0000"},
    {"SH0", "DD", 0, 31, "00"},
    {"RL0", "DD", 1, 11, "01"},
    {"BY", "BB", 0, 11, "00", kReadOnly},
    {"FA", "DDDDDDDD", 30000, 60000000, "14195000"},
    {"FB", "DDDDDDDD", 30000, 60000000, "07050000"},
    {"SC", "D", 0, 2, "0"},
    {"SM0", "DDD", 0, 255, "000", kReadOnly},
    {"SM1", "DDD", 0, 255, "000", kReadOnly},
    {"TX", "D", 0, 2, "0"},
    {"UL", "D", 0, 1, "0", kReadOnly},
    {"AI", "D", 0, 1, "0"},
    {"CN0", "DD", 0, 49, "08"},
    {"CN1", "DD", 0, 49, "08"},
    {"CT0", "D", 0, 2, "0"},
    {"CT1", "D", 0, 2, "0"},
    {"MC", "DDD", 1, 504, "001"},
    {"OS0", "D", 0, 2, "0"},
    {"OS1", "D", 0, 2, "0"},
    {"PB", "D", 0, 8, "0"},
    {"PC", "DDD", 0, 255, "100"},
    {"RS", "D", 0, 1, "0", kReadOnly},
    {"MD0", "H", 0, 12, "2"},
    {"MD1", "H", 0, 12, "2"},
    {"RI0", "D", 0, 1, "0", kReadOnly},
    {"RI1", "D", 0, 1, "0", kReadOnly},
    {"RI2", "D", 0, 1, "0", kReadOnly},
    {"RI3", "D", 0, 1, "0", kReadOnly},
    {"RI4", "D", 0, 1, "0", kReadOnly},
    {"RI5", "D", 0, 1, "0", kReadOnly},
    {"RI6", "D", 0, 1, "0", kReadOnly},
    {"RI7", "D", 0, 1, "0", kReadOnly},
    {"RI8", "D", 0, 1, "0", kReadOnly},
    {"RI9", "D", 0, 1, "0", kReadOnly},
    {"BG0", "D", 0, 5, "2", kReadOnly},
    {"LM0", "D", 0, 5, "0"},
    {"LM1", "D", 0, 1, "0"},
    {"DS", "D", 0, 1, "0"},
    {"DQ", "0D", 0, 3, "00"},
    {"VC", "DDD", 0, 999, "138", kReadOnly},
    {"VR", "D", 0, 1, "0"},
    {"AX", "1D", 0, 1, "10"},
    {"DA", "DD00", 0, 8, "0400"},
    {"SS0", "DDDDD", 0, 11111, "00000"},
    {"ST", "D", 0, 7, "0"},
    {"SF", "D", 0, 4, "0", true, 7},
    {"BS", "DD", 0, 11, "05"},
};
}  // namespace

std::span<const KeyFormat> keyFormats() {
    return kKeys;
}

const KeyFormat* findKeyFormat(std::string_view key) {
    for (const auto& format : kKeys) {
        if (format.key == key) return &format;
    }
    return nullptr;
}

}  // namespace orviksim
