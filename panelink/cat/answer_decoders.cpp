#include "panelink/cat/answer_decoders.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "panelink/cat/command_state.h"
#include "panelink/cat/radio_state.h"
#include "panelink/core/answer_text.h"
#include "panelink/core/link_flags.h"
#include "panelink/core/messages.h"
#include "panelink/core/requests.h"
#include "panelink/core/timer_ids.h"
#include "panelink/menu/menu_item.h"
#include "panelink/menu/menu_item_table.h"

namespace panelink {

namespace {

using F = RadioField;

// How a decoded field reaches its CommandState copy (the copy's field and range come from
// commandCopyOf).
enum class Copy : std::uint8_t {
    None,
    Plain,   // the reported value
    AsFlag,  // 1 for any non-zero value
};

struct Target {
    RadioField field;
    Copy copy = Copy::None;
};

// Reads the reported field as it is now, whether or not its store succeeded, into its copy.
void copyField(CoreServices& s, Target target) {
    if (target.copy == Copy::None) return;
    const auto copy = commandCopyOf(target.field);
    if (!copy) return;
    if (target.copy == Copy::AsFlag) {
        copyToCommandAsFlag(s.radio, target.field, s.command, copy->field);
    } else {
        copyToCommand(s.radio, target.field, s.command, copy->field);
    }
}

bool storeField(CoreServices& s, Target target, std::int32_t value) {
    const bool stored = s.radio.store(target.field, value);
    copyField(s, target);
    return stored;
}

void postWindow(CoreServices& s, std::uint32_t id, std::uintptr_t wparam = 0,
                std::intptr_t lparam = 0) {
    s.window.post({id, wparam, lparam});
}

// ---------------------------------------------------------------------------------------
// Rows of one shape: a decimal field of `width` digits at `valueAt`, stored into one field
// (with its copy), or, when the answer carries a selector digit at 2, into the field of
// selector 0 or 1. A field that is not all digits, or another selector, stores nothing and
// fails the decode; rows marked alwaysSucceeds report success all the same.

constexpr int kNoSelector = -1;

struct FieldRow {
    std::array<char, 2> letters;
    int selectorAt;
    int valueAt;
    int width;
    Target first;   // the field, or the field of selector 0
    Target second;  // the field of selector 1
    bool alwaysSucceeds;
};

constexpr FieldRow row(const char (&letters)[3], int at, int width, RadioField field,
                       Copy copy = Copy::None, bool alwaysSucceeds = false) {
    return {{letters[0], letters[1]},
            kNoSelector,
            at,
            width,
            {field, copy},
            {field, copy},
            alwaysSucceeds};
}

constexpr FieldRow always(const char (&letters)[3], int at, int width, RadioField field) {
    return row(letters, at, width, field, Copy::None, true);
}

// Selector digit at 2, value at 3.
constexpr FieldRow selected(const char (&letters)[3], int width, Target first, Target second) {
    return {{letters[0], letters[1]}, 2, 3, width, first, second, false};
}

// clang-format off
constexpr FieldRow kFieldRows[] = {
    row("SF", 2, 1, F::SF),
    row("FT", 2, 1, F::FT),
    row("TS", 2, 1, F::TS),
    row("UL", 2, 1, F::UL),
    row("PB", 2, 1, F::PB),
    always("ST", 2, 1, F::ST),
    row("RT", 2, 1, F::RT, Copy::Plain),
    row("LK", 2, 1, F::LK, Copy::Plain),
    row("FS", 2, 1, F::FS, Copy::Plain),
    row("KR", 2, 1, F::KR, Copy::Plain),
    row("VX", 2, 1, F::VX, Copy::Plain),
    row("BI", 2, 1, F::BI, Copy::Plain),
    row("PR", 2, 1, F::PR, Copy::Plain),
    row("CS", 2, 1, F::CS, Copy::Plain),
    row("MS", 2, 1, F::MS, Copy::Plain),
    row("TX", 2, 1, F::TX, Copy::AsFlag),
    row("SC", 2, 1, F::SC, Copy::AsFlag),
    row("NB", 3, 1, F::NB, Copy::AsFlag),
    row("RA", 3, 1, F::RA),
    row("PA", 3, 1, F::PA),
    row("AC", 4, 1, F::AC),
    row("KP", 2, 2, F::KP, Copy::Plain),
    row("KS", 2, 3, F::KS, Copy::Plain),
    row("MG", 2, 3, F::MG, Copy::Plain),
    row("PL", 2, 3, F::PL, Copy::Plain),
    row("VG", 2, 3, F::VG, Copy::Plain),
    row("PC", 2, 3, F::PC, Copy::Plain),
    row("SD", 2, 4, F::SD, Copy::Plain),
    row("VD", 2, 4, F::VD),
    row("MC", 2, 3, F::MC),
    always("VC", 2, 3, F::VC),
    always("MR", 2, 3, F::MR),
    always("BS", 2, 2, F::BS),
    row("SH", 3, 2, F::SH, Copy::Plain),
    row("RL", 3, 2, F::RL, Copy::Plain),
    row("FA", 2, 8, F::FA),
    row("FB", 2, 8, F::FB, Copy::Plain),
    always("DQ", 3, 1, F::DQ),
    always("AX", 3, 1, F::AX),
    always("SS", 3, 5, F::SS),
    selected("NR", 1, {F::NR_0, Copy::Plain}, {F::NR_1}),
    selected("NA", 1, {F::NA_0, Copy::Plain}, {F::NA_1, Copy::Plain}),
    selected("GT", 1, {F::GT_0}, {F::GT_1}),
    selected("CT", 1, {F::CT_0}, {F::CT_1}),
    selected("OS", 1, {F::OS_0}, {F::OS_1}),
    selected("CN", 2, {F::CN_0}, {F::CN_1}),
    selected("AG", 3, {F::AG_0, Copy::Plain}, {F::AG_1, Copy::Plain}),
    selected("SM", 3, {F::SM_0}, {F::SM_1}),
};
// clang-format on

bool decodeRow(CoreServices& s, const FieldRow& row, const AnswerText& text) {
    Target target = row.first;
    if (row.selectorAt != kNoSelector) {
        const auto selector = text.digits(static_cast<std::size_t>(row.selectorAt), 1);
        if (!selector || *selector > 1) return row.alwaysSucceeds;
        if (*selector == 1) target = row.second;
    }
    const auto value =
        text.digits(static_cast<std::size_t>(row.valueAt), static_cast<std::size_t>(row.width));
    if (!value) return row.alwaysSucceeds;
    return storeField(s, target, *value) || row.alwaysSucceeds;
}

// ---------------------------------------------------------------------------------------
// Answers with a shape of their own.

bool decodeRM(CoreServices& s, const AnswerText& text) {
    // A non-digit selector counts as meter 0; the value passes over non-digits ("X20" is 20).
    const auto selector = text.digits(2, 1).value_or(0);
    s.radio.store(selector == 0 ? F::RM_0 : F::RM_other, text.skippingDigits(3, 3));
    return true;
}

// Meters read zero once the transceiver is off or silent. `sMeterText` names the S-meter
// selector to zero: "SM0000" when auto-information went off, "SM1000" at power-off.
void zeroMeters(CoreServices& s, std::string_view sMeterText) {
    decodeAnswer(s, "RM0000");
    postWindow(s, id(DisplayUpdate::RM));
    decodeAnswer(s, "RM2000");
    postWindow(s, id(DisplayUpdate::RM));
    decodeAnswer(s, sMeterText);
    postWindow(s, id(DisplayUpdate::SM));
}

bool decodeID(CoreServices& s, const AnswerText& text) {
    const auto model = text.digits(2, 4);
    const bool stored = model && s.radio.store(F::ID, *model);
    const bool supported = text.at(2) == '0' && text.at(3) == '2' && text.at(4) == '4' &&
                           (text.at(5) == '4' || text.at(5) == '5' || text.at(5) == '6');
    if (supported) {
        postTo(s.threads.anlSend, Request::StartReadout);
    } else {
        postTo(s.threads.anlSend, Request::SwitchAutoInfo, 0);
        postWindow(s, id(WindowMessage::LinkFailure), 1, kLinkMessageConnectFailed);
        s.timers.killTimer(kTimerConnect);
    }
    return stored;
}

bool decodeAI(CoreServices& s, const AnswerText& text) {
    const std::int32_t before = s.radio.get(F::AI);
    const auto value = text.digits(2, 1);
    bool result = value && s.radio.store(F::AI, *value);
    copyField(s, {F::AI, Copy::Plain});
    const std::int32_t now = s.radio.get(F::AI);

    if ((now == 1 && before != 1) || s.radio.connectionPending()) {
        postTo(s.threads.anlSend, Request::ReadId);
        s.radio.setConnectionPending(false);
    }
    // Posted, not sent: the window may itself be waiting on this thread.
    if (now == 1 && before != 1) postWindow(s, id(WindowMessage::Connected));

    if (now == 0) {
        if (s.flags.aiCommanded.load()) {
            // This program asked for auto-information: switch it on again.
            s.command.store(CommandField::AI, 0);
            postTo(s.threads.anlSend, Request::SwitchAutoInfo, 0);
            result = false;
        } else {
            postTo(s.threads.anlSend, Request::StopReadouts);
            zeroMeters(s, "SM0000");
        }
    }
    return result;
}

bool decodePS(CoreServices& s, const AnswerText& text) {
    const auto value = text.digits(2, 1);
    const bool result = value && s.radio.store(F::PS, *value);
    const std::int32_t power = s.radio.get(F::PS);
    if (power != s.command.get(CommandField::PS)) {
        if (power == 0) {
            s.radio.setRestoreAutoInformation(s.command.get(CommandField::AI) != 0);
            zeroMeters(s, "SM1000");
            postTo(s.threads.anlSend, Request::StopReadouts);
        } else if (s.radio.restoreAutoInformation()) {
            s.radio.setConnectionPending(true);
            s.command.store(CommandField::AI, 0);
            postTo(s.threads.anlSend, Request::SwitchAutoInfo, 0);
        }
    }
    copyField(s, {F::PS, Copy::Plain});
    return result;
}

bool decodeVS(CoreServices& s, const AnswerText& text) {
    const auto value = text.digits(2, 1);
    if (!value) return false;
    const bool stored = storeField(s, {F::VS, Copy::Plain}, *value);
    // The frequency on display belongs to the VFO just selected.
    s.radio.store(s.radio.get(F::VS) != 0 ? F::FB : F::FA, s.radio.get(F::IF_frequency));
    return stored;
}

// "BP" and "ML": selector "0" carries an on/off flag in its last digit, any other selector a
// 3-digit value.
bool decodeFlagOrValue(CoreServices& s, const AnswerText& text, std::size_t selectorAt,
                       std::size_t flagAt, Target flag, Target value) {
    if (text.at(selectorAt) == '0') {
        s.radio.store(flag.field, text.at(flagAt) != '0' ? 1 : 0);
        copyField(s, flag);
        return true;
    }
    const auto number = text.digits(selectorAt + 1, 3);
    return number && storeField(s, value, *number);
}

bool decodeBP(CoreServices& s, const AnswerText& text) {
    return decodeFlagOrValue(s, text, 3, 6, {F::BP_0, Copy::Plain}, {F::BP_1, Copy::Plain});
}

bool decodeML(CoreServices& s, const AnswerText& text) {
    return decodeFlagOrValue(s, text, 2, 5, {F::ML_0, Copy::Plain}, {F::ML_1, Copy::Plain});
}

bool decodeCO(CoreServices& s, const AnswerText& text) {
    const auto selector = text.digits(3, 1);
    if (!selector) return false;
    if (*selector == 1) {
        const auto frequency = text.digits(4, 2);
        return frequency && s.radio.store(F::CO_1, *frequency);
    }
    if (*selector >= 2) return true;

    const auto magnitude = text.digits(5, 1);
    if (!magnitude) return false;
    const std::int32_t level = text.at(4) == '-' ? -*magnitude : *magnitude;
    if (level == 0) {
        // Remember the level that contour is switched off from, for switching it on again.
        // A repeated "off" keeps what is remembered; with nothing remembered yet, -2.
        const std::int32_t current = s.radio.get(F::CO_0);
        if (current != 0) {
            s.radio.store(F::CO_0_last, current);
        } else if (s.radio.get(F::CO_0_last) == 0) {
            s.radio.store(F::CO_0_last, -2);
        }
    }
    return s.radio.store(F::CO_0, level);
}

bool decodeIS(CoreServices& s, const AnswerText& text) {
    const auto magnitude = text.digits(4, 4);
    if (!magnitude) return false;
    const char sign = text.at(3);
    if (sign != '+' && sign != '-') return false;
    return storeField(s, {F::IS, Copy::Plain}, sign == '-' ? -*magnitude : *magnitude);
}

bool decodeSQRG(CoreServices& s, const AnswerText& text) {
    const auto selector = text.digits(2, 1);
    const auto value = text.digits(3, 3);
    if (!selector || !value || *selector > 1) return false;
    const bool main = *selector == 0;
    const bool rfGain = storeField(s, {main ? F::RG_0 : F::RG_1, Copy::Plain}, *value);
    const bool squelch = storeField(s, {main ? F::SQ_0 : F::SQ_1, Copy::Plain}, *value);
    return rfGain || squelch;
}

// The "IF" and "OI" answers share one layout; they fill the IF or the OI fields.
struct InfoField {
    std::size_t at;
    std::size_t width;
    bool hex;
    Target information;  // "IF"
    Target opposite;     // "OI"
};

constexpr InfoField kInfoLayout[] = {
    {5, 8, false, {F::IF_frequency}, {F::OI_frequency, Copy::Plain}},
    {18, 1, false, {F::IF_rxClarifier, Copy::Plain}, {F::OI_rxClarifier}},
    {19, 1, false, {F::IF_txClarifier, Copy::Plain}, {F::OI_txClarifier}},
    {20, 1, true, {F::IF_mode}, {F::OI_mode}},
    {21, 1, false, {F::IF_memoryState}, {F::OI_memoryState}},
    {22, 1, false, {F::IF_toneMode}, {F::OI_toneMode}},
    {23, 2, false, {F::IF_toneNumber}, {F::OI_toneNumber}},
    {25, 1, false, {F::IF_shift}, {F::OI_shift}},
};

bool decodeInformation(CoreServices& s, const AnswerText& text, bool opposite) {
    bool result = true;
    for (const InfoField& field : kInfoLayout) {
        const auto value = field.hex ? text.hexDigit(field.at) : text.digits(field.at, field.width);
        if (!value) {
            result = false;
            continue;
        }
        result = storeField(s, opposite ? field.opposite : field.information, *value) && result;
    }
    // The clarifier offset does not count towards the result.
    const std::int32_t offset = text.skippingDigits(14, 4);
    s.radio.store(opposite ? RadioReal::OI_offset : RadioReal::IF_offset,
                  static_cast<double>(text.at(13) == '-' ? -offset : offset));
    return result;
}

bool decodeIF(CoreServices& s, const AnswerText& text) {
    return decodeInformation(s, text, false);
}

bool decodeOI(CoreServices& s, const AnswerText& text) {
    return decodeInformation(s, text, true);
}

bool decodeKM(CoreServices& s, const AnswerText& text) {
    const auto record = text.digits(2, 1);
    if (!record) return false;
    std::array<char, RadioState::kKeyerTextMax> characters{};
    for (std::size_t i = 0; i < characters.size(); ++i)
        characters[i] = text.at(3 + i);
    s.radio.store(F::KM_index, *record);
    // A record outside 1..5 is refused by the store.
    return s.radio.storeKeyerText(*record, std::string_view(characters.data(), characters.size()));
}

bool decodeMD(CoreServices& s, const AnswerText& text) {
    postTo(s.threads.anlSend, Request::ReadStepLater);
    const auto selector = text.digits(2, 1);
    const auto mode = text.hexDigit(3);
    if (!selector || !mode || *selector > 1) return false;
    const Target target{*selector == 0 ? F::MD_0 : F::MD_1, Copy::Plain};
    const bool stored = storeField(s, target, *mode);
    // The class follows the mode the state now holds, so a refused mode changes no class.
    const std::int32_t held = s.radio.get(target.field);
    const std::int32_t modeClass = (held == 4 || held == 11) ? 2 : (held == 5 ? 1 : 0);
    s.command.store(CommandField::MD_modeClass, modeClass);
    return stored;
}

bool decodeRI(CoreServices& s, const AnswerText& text) {
    struct Indicator {
        std::int32_t selector;
        RadioField field;
    };
    constexpr Indicator kIndicators[] = {
        {0, F::RI_0}, {1, F::RI_1}, {2, F::RI_2}, {3, F::RI_3}, {4, F::RI_4}, {9, F::RI_9},
    };
    const auto selector = text.digits(2, 1);
    const auto value = text.hexDigit(3);
    if (selector && value) {
        for (const Indicator& indicator : kIndicators) {
            if (indicator.selector == *selector) s.radio.store(indicator.field, *value);
        }
    }
    return true;
}

bool decodeRS(CoreServices& s, const AnswerText& text) {
    const auto value = text.digits(2, 1);
    if (!value) return false;
    const bool stored = s.radio.store(F::RS, *value);
    // Never true while RS is limited to 0..1; kept for a wider range.
    if (s.radio.get(F::RS) == 2) postTo(s.threads.anlSend, Request::StartMenuReadout);
    return stored;
}

bool decodeBG(CoreServices& s, const AnswerText& text) {
    if (!text.isDigit(2)) return false;
    const auto value = text.digits(3, 1);
    return value && s.radio.store(F::BG, *value);
}

bool decodeBY(CoreServices& s, const AnswerText& text) {
    const auto main = text.digits(2, 1);
    const auto sub = text.digits(3, 1);
    const bool mainStored = main && s.radio.store(F::BY_0, *main);
    const bool subStored = sub && s.radio.store(F::BY_1, *sub);
    return mainStored && subStored;
}

bool decodeDA(CoreServices& s, const AnswerText& text) {
    if (const auto value = text.digits(2, 2)) {
        s.menu.setValueOfKind(kKindDimmer, *value);
        s.radio.store(F::DA, *value);
    }
    return true;
}

bool decodeVR(CoreServices& s, const AnswerText& text) {
    if (const auto value = text.digits(2, 1))
        s.command.store(CommandField::VR, *value != 0 ? 1 : 0);
    return true;
}

bool decodeLM(CoreServices&, const AnswerText&) {
    return true;
}

using SpecialDecoder = bool (*)(CoreServices&, const AnswerText&);

struct SpecialRow {
    std::array<char, 2> letters;
    SpecialDecoder decode;
};

constexpr SpecialRow kSpecialRows[] = {
    {{'I', 'D'}, decodeID},   {{'A', 'I'}, decodeAI}, {{'P', 'S'}, decodePS},
    {{'V', 'S'}, decodeVS},   {{'B', 'P'}, decodeBP}, {{'M', 'L'}, decodeML},
    {{'C', 'O'}, decodeCO},   {{'I', 'S'}, decodeIS}, {{'S', 'Q'}, decodeSQRG},
    {{'R', 'G'}, decodeSQRG}, {{'R', 'M'}, decodeRM}, {{'I', 'F'}, decodeIF},
    {{'O', 'I'}, decodeOI},   {{'K', 'M'}, decodeKM}, {{'M', 'D'}, decodeMD},
    {{'R', 'I'}, decodeRI},   {{'R', 'S'}, decodeRS}, {{'B', 'G'}, decodeBG},
    {{'B', 'Y'}, decodeBY},   {{'D', 'A'}, decodeDA}, {{'V', 'R'}, decodeVR},
    {{'L', 'M'}, decodeLM},
};

const FieldRow* findFieldRow(char a, char b) {
    for (const FieldRow& candidate : kFieldRows) {
        if (candidate.letters[0] == a && candidate.letters[1] == b) return &candidate;
    }
    return nullptr;
}

SpecialDecoder findSpecial(char a, char b) {
    for (const SpecialRow& candidate : kSpecialRows) {
        if (candidate.letters[0] == a && candidate.letters[1] == b) return candidate.decode;
    }
    return nullptr;
}

}  // namespace

bool hasDecoder(char a, char b) {
    return findFieldRow(a, b) != nullptr || findSpecial(a, b) != nullptr;
}

std::optional<bool> decodeAnswer(CoreServices& services, std::string_view answer) {
    const AnswerText text(answer);
    const char a = text.at(0);
    const char b = text.at(1);
    if (const FieldRow* fieldRow = findFieldRow(a, b)) return decodeRow(services, *fieldRow, text);
    if (const SpecialDecoder decode = findSpecial(a, b)) return decode(services, text);
    return std::nullopt;
}

}  // namespace panelink
