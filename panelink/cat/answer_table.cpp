#include "panelink/cat/answer_table.h"

#include "panelink/cat/radio_state.h"
#include "panelink/cat/special_decoders.h"

namespace panelink {

namespace {

using F = RadioField;
using U = DisplayUpdate;

constexpr AnswerRecord record(const char (&letters)[3], DisplayUpdate update, std::uint32_t length,
                              AnswerDecoding decoding) {
    return {{letters[0], letters[1]}, update, length, decoding};
}

// A decimal field of `width` digits at `at`.
constexpr AnswerRecord field(const char (&letters)[3], DisplayUpdate update, std::uint32_t length,
                             int at, int width, RadioField target) {
    return record(letters, update, length,
                  FieldRule{FieldRule::kNoSelector, at, width, target, target, false});
}

// The same, reporting success even when the field is malformed or refused.
constexpr AnswerRecord always(const char (&letters)[3], DisplayUpdate update, std::uint32_t length,
                              int at, int width, RadioField target) {
    return record(letters, update, length,
                  FieldRule{FieldRule::kNoSelector, at, width, target, target, true});
}

// A selector digit at 2 picks `first` (0) or `second` (1); the value follows at 3.
constexpr AnswerRecord selected(const char (&letters)[3], DisplayUpdate update,
                                std::uint32_t length, int width, RadioField first,
                                RadioField second) {
    return record(letters, update, length, FieldRule{2, 3, width, first, second, false});
}

constexpr AnswerRecord special(const char (&letters)[3], DisplayUpdate update, std::uint32_t length,
                               SpecialDecoder decoder) {
    return record(letters, update, length, decoder);
}

constexpr AnswerRecord undecoded(const char (&letters)[3], DisplayUpdate update,
                                 std::uint32_t length) {
    return record(letters, update, length, NotDecoded{});
}

}  // namespace

// Letters, display update, total length including ";", decoding. Looked up by letters, first
// match wins.
// clang-format off
constinit const std::array<AnswerRecord, kAnswerRecordCount> AnswerTable{{
    special("ID", U::ID, 7, decodeID),
    field("RT", U::RT, 4, 2, 1, F::RT),
    special("BP", U::BP, 8, decodeBP),
    special("CO", U::CO, 7, decodeCO),
    field("MS", U::MS, 4, 2, 1, F::MS),
    selected("NR", U::NR, 5, 1, F::NR_0, F::NR_1),
    field("FT", U::FT, 4, 2, 1, F::FT),
    field("LK", U::LK, 4, 2, 1, F::LK),
    field("FS", U::FS, 4, 2, 1, F::FS),
    special("VS", U::VS, 4, decodeVS),
    selected("NA", U::NA, 5, 1, F::NA_0, F::NA_1),
    field("NB", U::NB, 5, 3, 1, F::NB),
    selected("GT", U::GT, 5, 1, F::GT_0, F::GT_1),
    field("RA", U::RA, 5, 3, 1, F::RA),
    field("PA", U::PA, 5, 3, 1, F::PA),
    field("KR", U::KR, 4, 2, 1, F::KR),
    field("TS", U::TS, 4, 2, 1, F::TS),
    field("AC", U::AC, 6, 4, 1, F::AC),
    field("VX", U::VX, 4, 2, 1, F::VX),
    field("BI", U::BI, 4, 2, 1, F::BI),
    field("PR", U::PR, 4, 2, 1, F::PR),
    special("ML", U::ML, 7, decodeML),
    field("CS", U::CS, 4, 2, 1, F::CS),
    special("RM", U::RM, 7, decodeRM),
    field("KP", U::KP, 5, 2, 2, F::KP),
    field("KS", U::KS, 6, 2, 3, F::KS),
    field("SD", U::SD, 7, 2, 4, F::SD),
    field("MG", U::MG, 6, 2, 3, F::MG),
    field("PL", U::PL, 6, 2, 3, F::PL),
    field("VG", U::VG, 6, 2, 3, F::VG),
    field("VD", U::VD, 7, 2, 4, F::VD),
    special("SQ", U::SQ, 7, decodeSQRG),
    selected("AG", U::AG, 7, 3, F::AG_0, F::AG_1),
    special("RG", U::RG, 7, decodeSQRG),
    special("IF", U::IF, 27, decodeIF),
    special("IS", U::IS, 9, decodeIS),
    field("SH", U::SH, 6, 3, 2, F::SH),
    field("RL", U::RL, 6, 3, 2, F::RL),
    special("BY", U::BY, 5, decodeBY),
    field("FA", U::FA, 11, 2, 8, F::FA),
    field("FB", U::FB, 11, 2, 8, F::FB),
    field("SC", U::SC, 4, 2, 1, F::SC),
    selected("SM", U::SM, 7, 3, F::SM_0, F::SM_1),
    field("TX", U::TX, 4, 2, 1, F::TX),
    field("UL", U::UL, 4, 2, 1, F::UL),
    special("AI", U::AI, 4, decodeAI),
    selected("CN", U::CN, 6, 2, F::CN_0, F::CN_1),
    selected("CT", U::CT, 5, 1, F::CT_0, F::CT_1),
    special("KM", U::KM, 54, decodeKM),
    field("MC", U::MC, 6, 2, 3, F::MC),
    special("OI", U::OI, 27, decodeOI),
    selected("OS", U::OS, 5, 1, F::OS_0, F::OS_1),
    field("PB", U::PB, 4, 2, 1, F::PB),
    field("PC", U::PC, 6, 2, 3, F::PC),
    special("RS", U::RS, 4, decodeRS),
    special("MD", U::MD, 5, decodeMD),
    special("PS", U::PS, 4, decodePS),
    special("RI", U::RI, 5, decodeRI),
    special("BG", U::BG, 5, decodeBG),
    special("LM", U::LM, 5, decodeLM),
    undecoded("DS", U::DS, 4),
    always("DQ", U::DQ, 5, 3, 1, F::DQ),
    always("VC", U::VC, 6, 2, 3, F::VC),
    always("MR", U::MR, 27, 2, 3, F::MR),  // the channel number only
    special("VR", U::VR, 4, decodeVR),
    always("AX", U::AX, 5, 3, 1, F::AX),
    special("DA", U::DA, 7, decodeDA),
    always("SS", U::SS, 9, 3, 5, F::SS),
    always("ST", U::ST, 4, 2, 1, F::ST),
    field("SF", U::SF, 4, 2, 1, F::SF),
    always("BS", U::BS, 5, 2, 2, F::BS),
}};
// clang-format on

const AnswerRecord* findAnswer(char a, char b) {
    for (const auto& candidate : AnswerTable) {
        if (candidate.letters[0] == a && candidate.letters[1] == b) return &candidate;
    }
    return nullptr;
}

}  // namespace panelink
