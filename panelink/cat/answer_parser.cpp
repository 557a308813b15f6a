#include "panelink/cat/answer_parser.h"

#include <cstdint>

#include "panelink/cat/answer_decoders.h"
#include "panelink/cat/answer_table.h"
#include "panelink/cat/radio_state.h"
#include "panelink/core/messages.h"
#include "panelink/core/requests.h"
#include "panelink/core/timer_ids.h"
#include "panelink/menu/menu_answer.h"
#include "panelink/menu/menu_item.h"

namespace panelink {

namespace {

// Display parts that show a menu item's value besides the menu list: a changed item of these
// kinds also redraws them.
struct KindUpdate {
    std::int32_t kind;
    std::uint32_t message;
};

constexpr KindUpdate kMenuKindUpdates[] = {
    {11, WM_APP + 0x307},
    {12, WM_APP + 0x305},
    {kKindPeakHold, id(DisplayUpdate::RM)},
    {37, id(DisplayUpdate::RM)},
    {38, id(DisplayUpdate::RM)},
    {39, id(DisplayUpdate::RM)},
};

}  // namespace

AnswerParser::AnswerParser(CoreServices& services) : services_(services) {}

void AnswerParser::analyse(std::string_view answer) {
    if (answer.empty() || answer.front() == '\0') return;
    if (answer.size() >= 2 && answer[0] == 'E' && answer[1] == 'X') {
        analyseMenuAnswer(answer);
        return;
    }
    const AnswerRecord* record = findAnswer(answer[0], answer.size() >= 2 ? answer[1] : '\0');
    if (record == nullptr) return;
    const auto decoded = decodeAnswer(services_, answer);
    if (decoded.value_or(false)) services_.window.post({record->message, 0, 0});
}

void AnswerParser::analyseMenuAnswer(std::string_view answer) {
    if (!applyMenuAnswer(services_.menu, services_.radio.menuItemCount(), answer)) return;
    services_.window.post(message(DisplayUpdate::MenuValueChanged));
    const int kind = menuItemKindForAnswer(services_.menu, answer);
    for (const KindUpdate& update : kMenuKindUpdates) {
        if (update.kind == kind) services_.window.post({update.message, 0, 0});
    }
}

}  // namespace panelink
