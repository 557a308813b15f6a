#pragma once

#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <string>
#include <string_view>

#include "panelink/cat/ranged_field_set.h"
#include "panelink/cat/ranged_value.h"

namespace panelink {

// Every value the transceiver reports, named by the answer that sets it and, where the answer
// carries a selector digit, by that digit: X(name, default, minimum, maximum).
// RM_other takes every non-zero meter selector; CO_0_last keeps the last non-zero CO_0.
// clang-format off
#define PANELINK_RADIO_FIELDS(X)                     \
    X(BS,             3,       0,        11)         \
    X(RT,             0,       0,        1)          \
    X(SF,             0,       0,        4)          \
    X(BP_0,           0,       0,        1)          \
    X(BP_1,           200,     1,        400)        \
    X(CO_0,           0,       -2,       2)          \
    X(CO_0_last,      0,       -2,       2)          \
    X(CO_1,           14,      1,        32)         \
    X(NR_0,           0,       0,        1)          \
    X(NR_1,           0,       0,        1)          \
    X(FT,             0,       0,        1)          \
    X(LK,             0,       0,        1)          \
    X(FS,             0,       0,        1)          \
    X(VS,             0,       0,        1)          \
    X(NA_0,           0,       0,        1)          \
    X(NA_1,           0,       0,        1)          \
    X(NB,             0,       0,        2)          \
    X(GT_0,           4,       0,        6)          \
    X(GT_1,           4,       0,        4)          \
    X(RA,             0,       0,        3)          \
    X(PA,             1,       0,        1)          \
    X(KR,             0,       0,        1)          \
    X(TS,             0,       0,        1)          \
    X(AC,             0,       0,        2)          \
    X(VX,             0,       0,        1)          \
    X(BI,             0,       0,        1)          \
    X(PR,             0,       0,        1)          \
    X(ML_0,           0,       0,        1)          \
    X(ML_1,           1,       1,        255)        \
    X(CS,             0,       0,        1)          \
    X(RM_0,           0,       0,        255)        \
    X(RM_other,       0,       0,        255)        \
    X(KP,             0,       0,        15)         \
    X(KS,             4,       4,        60)         \
    X(SD,             0,       0,        5000)       \
    X(MG,             0,       0,        255)        \
    X(PL,             0,       0,        255)        \
    X(VG,             0,       0,        255)        \
    X(VD,             0,       0,        5000)       \
    X(SQ_0,           0,       0,        255)        \
    X(SQ_1,           0,       0,        255)        \
    X(AG_0,           0,       0,        255)        \
    X(AG_1,           0,       0,        255)        \
    X(RG_0,           0,       0,        255)        \
    X(RG_1,           0,       0,        255)        \
    X(IF_frequency,   0,       0,        99999999)   \
    X(IF_rxClarifier, 0,       0,        1)          \
    X(IF_txClarifier, 0,       0,        1)          \
    X(IF_mode,        0,       0,        12)         \
    X(IF_memoryState, 0,       0,        5)          \
    X(IF_toneMode,    0,       0,        2)          \
    X(IF_toneNumber,  0,       0,        49)         \
    X(IF_shift,       0,       0,        2)          \
    X(OI_frequency,   0,       0,        99999999)   \
    X(OI_rxClarifier, 0,       0,        1)          \
    X(OI_txClarifier, 0,       0,        1)          \
    X(OI_mode,        0,       0,        12)         \
    X(OI_memoryState, 0,       0,        5)          \
    X(OI_toneMode,    0,       0,        2)          \
    X(OI_toneNumber,  0,       0,        49)         \
    X(OI_shift,       0,       0,        2)          \
    X(IS,             -1270,   -1270,    1270)       \
    X(SH,             0,       0,        31)         \
    X(RL,             1,       1,        11)         \
    X(BY_0,           0,       0,        1)          \
    X(BY_1,           0,       0,        1)          \
    X(FA,             7000000, 30000,    60000000)   \
    X(FB,             7000000, 30000,    60000000)   \
    X(SC,             0,       0,        2)          \
    X(SM_0,           0,       0,        255)        \
    X(SM_1,           0,       0,        255)        \
    X(TX,             0,       0,        2)          \
    X(UL,             0,       0,        1)          \
    X(AI,             0,       0,        1)          \
    X(CN_0,           8,       0,        49)         \
    X(CN_1,           8,       0,        49)         \
    X(CT_0,           0,       0,        2)          \
    X(CT_1,           0,       0,        2)          \
    X(KM_index,       1,       1,        5)          \
    X(MC,             1,       1,        504)        \
    X(OS_0,           0,       0,        2)          \
    X(OS_1,           0,       0,        2)          \
    X(PB,             0,       0,        8)          \
    X(PC,             0,       0,        255)        \
    X(RS,             0,       0,        1)          \
    X(ID,             244,     244,      246)        \
    X(MD_0,           1,       0,        12)         \
    X(MD_1,           0,       0,        12)         \
    X(MS,             2,       0,        5)          \
    X(PS,             0,       0,        1)          \
    X(RI_0,           0,       0,        1)          \
    X(RI_1,           0,       0,        1)          \
    X(RI_2,           0,       0,        1)          \
    X(RI_3,           0,       0,        1)          \
    X(RI_4,           0,       0,        1)          \
    X(RI_9,           0,       0,        1)          \
    X(BG,             2,       0,        5)          \
    X(DQ,             0,       0,        3)          \
    X(VC,             0,       0,        999)        \
    X(MR,             1,       1,        504)        \
    X(AX,             0,       0,        1)          \
    X(DA,             4,       0,        4)          \
    X(SS,             0,       0,        11111)      \
    X(ST,             0,       0,        7)
// clang-format on

enum class RadioField : int {
#define PANELINK_X(name, value, minimum, maximum) name,
    PANELINK_RADIO_FIELDS(PANELINK_X)
#undef PANELINK_X
};

#define PANELINK_X(name, value, minimum, maximum) 1,
inline constexpr std::size_t kRadioFieldCount =
    std::array{PANELINK_RADIO_FIELDS(PANELINK_X)}.size();
#undef PANELINK_X

// The clarifier offsets of the "IF" and "OI" answers, held as doubles.
enum class RadioReal : int { IF_offset, OI_offset };
inline constexpr std::size_t kRadioRealCount = 2;

// The field's answer-letter name ("SQ_0", "IF_frequency"); empty for a value out of range.
std::string_view radioFieldName(RadioField field);
std::string_view radioRealName(RadioReal field);

// The values last reported by the transceiver. Written by the answer decoders (and for a few
// fields by the front panel), read by every window. Each field is read and written whole.
class RadioState {
  public:
    static constexpr int kKeyerRecordCount = 5;          // records 1..5
    static constexpr std::size_t kKeyerTextBytes = 52;   // per record, zero-terminated
    static constexpr std::size_t kKeyerBufferSize = 51;  // the size a record reports to readers
    static constexpr std::size_t kKeyerTextMax = 50;
    static constexpr int kDefaultMenuItemCount = 66;
    static constexpr int kMinMenuItemCount = 1;
    static constexpr int kMaxMenuItemCount = 500;

    RadioState();  // starts reset
    RadioState(const RadioState&) = delete;
    RadioState& operator=(const RadioState&) = delete;

    // A field outside the enumeration reads 0 and refuses every store.
    std::int32_t get(RadioField field) const { return fields_.get(field); }
    bool store(RadioField field, std::int32_t value) { return fields_.store(field, value); }
    std::int32_t minimum(RadioField field) const { return fields_.minimum(field); }
    std::int32_t maximum(RadioField field) const { return fields_.maximum(field); }

    double get(RadioReal field) const { return reals_.get(field); }
    bool store(RadioReal field, double value) { return reals_.store(field, value); }
    double minimum(RadioReal field) const { return reals_.minimum(field); }
    double maximum(RadioReal field) const { return reals_.maximum(field); }

    // Number of menu items; the "EX" framing and decoder accept menu numbers 1..count.
    int menuItemCount() const;
    bool storeMenuItemCount(int count);

    // Set when the menu definition has been built; the serial threads wait for it.
    bool linkEnabled() const;
    void setLinkEnabled(bool enabled);

    // Auto-information was on when the transceiver was switched off: restore it at power-on.
    bool restoreAutoInformation() const;
    void setRestoreAutoInformation(bool restore);

    // A connection ("ID;") is to start at the next "AI" answer.
    bool connectionPending() const;
    void setConnectionPending(bool pending);

    // Keyer memory texts, records 1..5, at most 50 characters. A text is taken up to its first
    // zero byte. A bad record number or a longer text is refused and the record is kept.
    bool storeKeyerText(int record, std::string_view text);
    std::string keyerText(int record) const;  // empty for a bad record number

    // Every field to its default value and range; keyer texts cleared; all three flags cleared.
    void reset();

  private:
    RangedFieldSet<RadioField, std::int32_t, kRadioFieldCount> fields_;
    RangedFieldSet<RadioReal, double, kRadioRealCount> reals_;
    RangedValue menuItemCount_;
    std::atomic<bool> linkEnabled_{false};
    std::atomic<bool> restoreAutoInformation_{false};
    std::atomic<bool> connectionPending_{false};

    // The window reads the texts while the receive thread writes them.
    mutable std::mutex keyerMutex_;
    std::array<std::array<char, kKeyerTextBytes>, kKeyerRecordCount> keyerTexts_{};
};

}  // namespace panelink
