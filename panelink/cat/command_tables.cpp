#include "panelink/cat/command_tables.h"

namespace panelink {

namespace {

constexpr CommandRecord setCommand(const char (&letters)[3], std::int32_t length) {
    return {{letters[0], letters[1]}, 0, length};
}

constexpr CommandRecord readCommand(const char (&letters)[3], ReadKind kind, std::int32_t length) {
    return {{letters[0], letters[1]}, kind, length};
}

}  // namespace

// Full "set" form of each command: letters and total length including ";". Consulted by
// position.
const std::array<CommandRecord, kSetCommandCount> SetCommandTable{{
    setCommand("BS", 5),  setCommand("RT", 4),  setCommand("BP", 8),  setCommand("CO", 7),
    setCommand("MS", 4),  setCommand("NR", 5),  setCommand("FT", 4),  setCommand("LK", 4),
    setCommand("FS", 4),  setCommand("VS", 4),  setCommand("NA", 5),  setCommand("NB", 5),
    setCommand("GT", 5),  setCommand("RA", 5),  setCommand("PA", 5),  setCommand("KR", 4),
    setCommand("TS", 4),  setCommand("AC", 6),  setCommand("VX", 4),  setCommand("BI", 4),
    setCommand("PR", 4),  setCommand("ML", 7),  setCommand("CS", 4),  setCommand("KP", 5),
    setCommand("KS", 6),  setCommand("SD", 7),  setCommand("MG", 6),  setCommand("PL", 6),
    setCommand("VG", 6),  setCommand("VD", 7),  setCommand("SQ", 7),  setCommand("AG", 7),
    setCommand("RG", 7),  setCommand("IS", 9),  setCommand("SH", 6),  setCommand("RL", 6),
    setCommand("FA", 11), setCommand("FB", 11), setCommand("SC", 4),  setCommand("TX", 4),
    setCommand("AI", 4),  setCommand("CN", 6),  setCommand("CT", 5),  setCommand("KM", 54),
    setCommand("MC", 6),  setCommand("OS", 5),  setCommand("PB", 4),  setCommand("PC", 6),
    setCommand("MD", 5),  setCommand("PS", 4),  setCommand("AB", 3),  setCommand("AM", 3),
    setCommand("BD", 4),  setCommand("BU", 4),  setCommand("CH", 4),  setCommand("ED", 6),
    setCommand("EU", 6),  setCommand("FK", 4),  setCommand("KY", 4),  setCommand("QI", 3),
    setCommand("QR", 3),  setCommand("QS", 3),  setCommand("RC", 3),  setCommand("RD", 7),
    setCommand("RU", 7),  setCommand("SV", 3),  setCommand("VM", 3),  setCommand("MA", 3),
    setCommand("MK", 4),  setCommand("LM", 5),  setCommand("IF", 27), setCommand("OI", 27),
    setCommand("DS", 4),  setCommand("DQ", 5),  setCommand("DA", 7),  setCommand("VV", 3),
    setCommand("AX", 5),  setCommand("HM", 3),  setCommand("ST", 4),  setCommand("SS", 9),
    setCommand("VR", 4),  setCommand("MW", 27), setCommand("SF", 4),
}};

// Read form of each command by index (the connection read-out steps through it): letters, read
// kind, total length including ";".
const std::array<CommandRecord, kReadCommandCount> ReadCommandTable{{
    readCommand("ID", kReadSpecial, 3),       // 0
    readCommand("EX", kReadSpecial, 6),       // 1
    readCommand("VS", kReadPlain, 3),         // 2
    readCommand("FA", kReadPlain, 3),         // 3
    readCommand("FB", kReadPlain, 3),         // 4
    readCommand("IF", kReadPlain, 3),         // 5
    readCommand("OI", kReadPlain, 3),         // 6
    readCommand("RS", kReadPlain, 3),         // 7
    readCommand("ST", kReadPlain, 3),         // 8
    readCommand("BS", kReadPlain, 3),         // 9
    readCommand("MD", kReadSelectorZero, 4),  // 10
    readCommand("RT", kReadPlain, 3),         // 11
    readCommand("BP", kReadSpecial, 5),       // 12
    readCommand("CO", kReadSpecial, 5),       // 13
    readCommand("MS", kReadPlain, 3),         // 14
    readCommand("NR", kReadSelectorZero, 4),  // 15
    readCommand("FT", kReadPlain, 3),         // 16
    readCommand("LK", kReadPlain, 3),         // 17
    readCommand("FS", kReadPlain, 3),         // 18
    readCommand("NA", kReadSelectorZero, 4),  // 19
    readCommand("NB", kReadSelectorZero, 4),  // 20
    readCommand("GT", kReadSelectorZero, 4),  // 21
    readCommand("RA", kReadSelectorZero, 4),  // 22
    readCommand("PA", kReadSelectorZero, 4),  // 23
    readCommand("KR", kReadPlain, 3),         // 24
    readCommand("TS", kReadPlain, 3),         // 25
    readCommand("AC", kReadPlain, 3),         // 26
    readCommand("VX", kReadPlain, 3),         // 27
    readCommand("BI", kReadPlain, 3),         // 28
    readCommand("ML", kReadBothSides, 4),     // 29
    readCommand("CS", kReadPlain, 3),         // 30
    readCommand("RM", kReadSpecial, 4),       // 31
    readCommand("KP", kReadPlain, 3),         // 32
    readCommand("KS", kReadPlain, 3),         // 33
    readCommand("SD", kReadPlain, 3),         // 34
    readCommand("MG", kReadPlain, 3),         // 35
    readCommand("VG", kReadPlain, 3),         // 36
    readCommand("VD", kReadPlain, 3),         // 37
    readCommand("SQ", kReadSelectorZero, 4),  // 38
    readCommand("AG", kReadSelectorZero, 4),  // 39
    readCommand("RG", kReadSelectorZero, 4),  // 40
    readCommand("IS", kReadSelectorZero, 4),  // 41
    readCommand("SH", kReadSelectorZero, 4),  // 42
    readCommand("RL", kReadSelectorZero, 4),  // 43
    readCommand("BY", kReadPlain, 3),         // 44
    readCommand("SC", kReadPlain, 3),         // 45
    readCommand("SM", kReadSelectorZero, 4),  // 46
    readCommand("TX", kReadPlain, 3),         // 47
    readCommand("UL", kReadPlain, 3),         // 48
    readCommand("AI", kReadPlain, 3),         // 49
    readCommand("CN", kReadSelectorZero, 4),  // 50
    readCommand("CT", kReadSelectorZero, 4),  // 51
    readCommand("KM", kReadSpecial, 4),       // 52
    readCommand("MC", kReadPlain, 3),         // 53
    readCommand("OS", kReadSelectorZero, 4),  // 54
    readCommand("PB", kReadPlain, 3),         // 55
    readCommand("PC", kReadPlain, 3),         // 56
    readCommand("PS", kReadPlain, 3),         // 57
    readCommand("RI", kReadSpecial, 4),       // 58
    readCommand("BG", kReadSpecial, 4),       // 59
    readCommand("LM", kReadSelectorZero, 4),  // 60
    readCommand("DS", kReadPlain, 3),         // 61
    readCommand("VC", kReadPlain, 3),         // 62
    readCommand("MR", kReadSpecial, 6),       // 63
    readCommand("VR", kReadPlain, 3),         // 64
    readCommand("AX", kReadPlain, 3),         // 65
    readCommand("DA", kReadPlain, 3),         // 66
    // The only plain read one byte longer than its letters and ";": the command sender fills
    // the gap with the selector "0" ("SS0;", answered by "SS0" and five digits).
    readCommand("SS", kReadPlain, 4),  // 67
    readCommand("SF", kReadPlain, 3),  // 68
}};

}  // namespace panelink
