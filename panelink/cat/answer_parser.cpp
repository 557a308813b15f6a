#include "panelink/cat/answer_parser.h"

#include <cstdint>

#include "panelink/cat/answer_decoders.h"
#include "panelink/cat/answer_table.h"
#include "panelink/cat/radio_state.h"
#include "panelink/core/messages.h"
#include "panelink/menu/menu_answer.h"
#include "panelink/menu/menu_item.h"

namespace panelink {

namespace {

// Display parts that show a menu item's value besides the menu list: a changed item of these
// kinds also redraws them.
struct KindUpdate {
    std::int32_t kind;
    DisplayUpdate update;
};

constexpr KindUpdate kMenuKindUpdates[] = {
    {11, DisplayUpdate::CO}, {12, DisplayUpdate::BP}, {kKindPeakHold, DisplayUpdate::RM},
    {37, DisplayUpdate::RM}, {38, DisplayUpdate::RM}, {39, DisplayUpdate::RM},
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
    const auto decoded = decodeAnswer(services_, *record, answer);
    if (decoded.value_or(false)) services_.window.post(message(record->update));
}

void AnswerParser::analyseMenuAnswer(std::string_view answer) {
    if (!applyMenuAnswer(services_.menu, services_.radio.menuItemCount(), answer)) return;
    services_.window.post(message(DisplayUpdate::MenuValueChanged));
    const int kind = menuItemKindForAnswer(services_.menu, answer);
    for (const KindUpdate& update : kMenuKindUpdates) {
        if (update.kind == kind) services_.window.post(message(update.update));
    }
}

}  // namespace panelink
