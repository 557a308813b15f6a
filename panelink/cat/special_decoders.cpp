#include "panelink/cat/special_decoders.h"

#include <array>
#include <cstddef>
#include <string_view>

#include "panelink/cat/answer_decoders.h"
#include "panelink/cat/command_state.h"
#include "panelink/cat/radio_state.h"
#include "panelink/core/link_flags.h"
#include "panelink/core/messages.h"
#include "panelink/core/requests.h"
#include "panelink/core/timer_ids.h"
#include "panelink/menu/menu_item.h"
#include "panelink/menu/menu_item_table.h"

namespace panelink {

namespace {

using F = RadioField;

void postWindow(CoreServices& s, WindowMessage name, std::uintptr_t wparam = 0,
                std::intptr_t lparam = 0) {
    s.window.post(message(name, wparam, lparam));
}

// Meters read zero once the transceiver is off or silent. `sMeterText` names the S-meter
// selector to zero: "SM0000" when auto-information went off, "SM1000" at power-off.
void zeroMeters(CoreServices& s, std::string_view sMeterText) {
    decodeAnswer(s, "RM0000");
    s.window.post(message(DisplayUpdate::RM));
    decodeAnswer(s, "RM2000");
    s.window.post(message(DisplayUpdate::RM));
    decodeAnswer(s, sMeterText);
    s.window.post(message(DisplayUpdate::SM));
}

// "BP" and "ML": selector "0" carries an on/off flag in its last digit, any other selector a
// 3-digit value.
bool decodeFlagOrValue(CoreServices& s, const AnswerText& text, std::size_t selectorAt,
                       std::size_t flagAt, RadioField flag, RadioField value) {
    if (text.at(selectorAt) == '0') {
        s.radio.store(flag, text.at(flagAt) != '0' ? 1 : 0);
        copyReported(s, flag);
        return true;
    }
    const auto number = text.digits(selectorAt + 1, 3);
    return number && storeReported(s, value, *number);
}

// The "IF" and "OI" answers share one layout; they fill the IF or the OI fields.
struct InfoField {
    std::size_t at;
    std::size_t width;
    bool hex;
    RadioField information;  // "IF"
    RadioField opposite;     // "OI"
};

constexpr InfoField kInfoLayout[] = {
    {5, 8, false, F::IF_frequency, F::OI_frequency},
    {18, 1, false, F::IF_rxClarifier, F::OI_rxClarifier},
    {19, 1, false, F::IF_txClarifier, F::OI_txClarifier},
    {20, 1, true, F::IF_mode, F::OI_mode},
    {21, 1, false, F::IF_memoryState, F::OI_memoryState},
    {22, 1, false, F::IF_toneMode, F::OI_toneMode},
    {23, 2, false, F::IF_toneNumber, F::OI_toneNumber},
    {25, 1, false, F::IF_shift, F::OI_shift},
};

bool decodeInformation(CoreServices& s, const AnswerText& text, bool opposite) {
    bool result = true;
    for (const InfoField& field : kInfoLayout) {
        const auto value = field.hex ? text.hexDigit(field.at) : text.digits(field.at, field.width);
        if (!value) {
            result = false;
            continue;
        }
        result = storeReported(s, opposite ? field.opposite : field.information, *value) && result;
    }
    // The clarifier offset does not count towards the result.
    const std::int32_t offset = text.skippingDigits(14, 4);
    s.radio.store(opposite ? RadioReal::OI_offset : RadioReal::IF_offset,
                  static_cast<double>(text.at(13) == '-' ? -offset : offset));
    return result;
}

}  // namespace

bool decodeRM(CoreServices& s, const AnswerText& text) {
    // A non-digit selector counts as meter 0; the value passes over non-digits ("X20" is 20).
    const auto selector = text.digits(2, 1).value_or(0);
    s.radio.store(selector == 0 ? F::RM_0 : F::RM_other, text.skippingDigits(3, 3));
    return true;
}

bool decodeID(CoreServices& s, const AnswerText& text) {
    const auto model = text.digits(2, 4);
    const bool stored = model && s.radio.store(F::ID, *model);
    const bool supported = text.at(2) == '0' && text.at(3) == '2' && text.at(4) == '4' &&
                           (text.at(5) == '4' || text.at(5) == '5' || text.at(5) == '6');
    if (supported) {
        postTo(s.threads.anlSend, Request::StartReadout);
    } else {
        postTo(s.threads.anlSend, Request::SwitchAutoInfo, kAutoInfoOffOnlyBit);
        postWindow(s, WindowMessage::LinkFailure, 1, kLinkMessageConnectFailed);
        s.timers.killTimer(kTimerConnect);
    }
    return stored;
}

bool decodeAI(CoreServices& s, const AnswerText& text) {
    const std::int32_t before = s.radio.get(F::AI);
    const auto value = text.digits(2, 1);
    bool result = value && s.radio.store(F::AI, *value);
    copyReported(s, F::AI);
    const std::int32_t now = s.radio.get(F::AI);

    if ((now == 1 && before != 1) || s.radio.connectionPending()) {
        postTo(s.threads.anlSend, Request::ReadId);
        s.radio.setConnectionPending(false);
    }
    // Posted, not sent: the window may itself be waiting on this thread.
    if (now == 1 && before != 1) postWindow(s, WindowMessage::Connected);

    if (now == 0) {
        if (s.flags.aiCommanded.load()) {
            // This program asked for auto-information: switch it on again.
            s.command.store(CommandField::AI, 0);
            postTo(s.threads.anlSend, Request::SwitchAutoInfo, kAutoInfoOnOnlyBit);
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
            postTo(s.threads.anlSend, Request::SwitchAutoInfo, kAutoInfoOnOnlyBit);
        }
    }
    copyReported(s, F::PS);
    return result;
}

bool decodeVS(CoreServices& s, const AnswerText& text) {
    const auto value = text.digits(2, 1);
    if (!value) return false;
    const bool stored = storeReported(s, F::VS, *value);
    // The frequency on display belongs to the VFO just selected.
    s.radio.store(s.radio.get(F::VS) != 0 ? F::FB : F::FA, s.radio.get(F::IF_frequency));
    return stored;
}

bool decodeBP(CoreServices& s, const AnswerText& text) {
    return decodeFlagOrValue(s, text, 3, 6, F::BP_0, F::BP_1);
}

bool decodeML(CoreServices& s, const AnswerText& text) {
    return decodeFlagOrValue(s, text, 2, 5, F::ML_0, F::ML_1);
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
    return storeReported(s, F::IS, sign == '-' ? -*magnitude : *magnitude);
}

bool decodeSQRG(CoreServices& s, const AnswerText& text) {
    const auto selector = text.digits(2, 1);
    const auto value = text.digits(3, 3);
    if (!selector || !value || *selector > 1) return false;
    const bool main = *selector == 0;
    const bool rfGain = storeReported(s, main ? F::RG_0 : F::RG_1, *value);
    const bool squelch = storeReported(s, main ? F::SQ_0 : F::SQ_1, *value);
    return rfGain || squelch;
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
    const RadioField target = *selector == 0 ? F::MD_0 : F::MD_1;
    const bool stored = storeReported(s, target, *mode);
    // The class follows the mode the state now holds, so a refused mode changes no class.
    const std::int32_t held = s.radio.get(target);
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

}  // namespace panelink
