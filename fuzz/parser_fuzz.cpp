// Arbitrary answers into the answer parser. The first byte picks the set-up: bit 0 builds the
// menu table, bit 1 sets the AI-commanded flag, bit 2 replaces each answer's first byte by the
// letters of an answer the parser knows (so the fuzzer reaches every decoder at once). The
// rest is cut at ";" into answers of at most 511 bytes, all analysed by one parser on fresh
// records, so a single input is also a sequence of answers on a long-lived state.
//
// The parser must never crash or trip a sanitizer, never send to the window (only post),
// post only display updates and its own link messages, post only the connection requests to
// Anl_Send_Thread, and leave every field inside its range.
#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>

#include "panelink/cat/answer_parser.h"
#include "panelink/cat/answer_table.h"
#include "panelink/cat/menu_setup.h"
#include "panelink/cat/radio_state.h"
#include "panelink/core/messages.h"
#include "panelink/core/requests.h"
#include "panelink/testing/core_rig.h"

namespace {

using namespace panelink;

constexpr std::size_t kMaxAnswer = 511;

bool isAllowedWindowPost(const platform::Message& m) {
    if (is(m, WindowMessage::LinkFailure)) return m.wparam == 1 && m.lparam == 3;
    if (m.wparam != 0 || m.lparam != 0) return false;
    constexpr std::uint32_t kLinkPosts[] = {
        id(WindowMessage::Connected), id(DisplayUpdate::MenuValueChanged),
        id(DisplayUpdate::BP),        id(DisplayUpdate::CO),
        id(DisplayUpdate::RM),        id(DisplayUpdate::SM)};
    if (std::find(std::begin(kLinkPosts), std::end(kLinkPosts), m.id) != std::end(kLinkPosts)) {
        return true;
    }
    return std::any_of(AnswerTable.begin(), AnswerTable.end(),
                       [&](const AnswerRecord& record) { return is(m, record.update); });
}

bool isAllowedThreadPost(const platform::Message& m) {
    constexpr std::uint32_t kRequests[] = {
        id(Request::ReadId),       id(Request::StartReadout),  id(Request::SwitchAutoInfo),
        id(Request::StopReadouts), id(Request::ReadStepLater), id(Request::StartMenuReadout)};
    // The rules that restore auto-information ask for "on only", the unsupported radio's
    // rule for "off only".
    const bool switchOneWay = m.wparam == kAutoInfoOnOnlyBit || m.wparam == kAutoInfoOffOnlyBit;
    const bool plainWparam = m.wparam == 0 || (is(m, Request::SwitchAutoInfo) && switchOneWay);
    return m.lparam == 0 && plainWparam &&
           std::find(std::begin(kRequests), std::end(kRequests), m.id) != std::end(kRequests);
}

void check(bool condition) {
    if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const std::uint8_t setup = data[0];
    const std::string_view rest(reinterpret_cast<const char*>(data + 1), size - 1);

    // The parser never touches the queues; at 1 MB each they are made once per process, not
    // per input (a tenfold speed-up).
    static rig::MessageQueues queues;
    rig::RigOptions options;
    options.queues = &queues;
    rig::CoreRig<> core(options);  // the port is never opened: the parser does not use it
    RadioState& radio = core.radio;
    if ((setup & 1) != 0) buildMenuItemTable(core.menu, radio);
    core.flags.aiCommanded = (setup & 2) != 0;
    const bool forceLetters = (setup & 4) != 0;

    AnswerParser parser(core.services);
    std::size_t start = 0;
    while (start <= rest.size()) {
        const std::size_t end = std::min(rest.find(';', start), rest.size());
        std::string answer(rest.substr(start, std::min(end - start, kMaxAnswer)));
        if (forceLetters && !answer.empty()) {
            // One of the table's answers, or "EX".
            const std::size_t pick =
                static_cast<std::uint8_t>(answer[0]) % (kAnswerRecordCount + 1);
            const std::array<char, 2> letters =
                pick < kAnswerRecordCount ? std::array<char, 2>{AnswerTable[pick].letters[0],
                                                                AnswerTable[pick].letters[1]}
                                          : std::array<char, 2>{'E', 'X'};
            answer.replace(0, 1, letters.data(), letters.size());
            if (answer.size() > kMaxAnswer) answer.resize(kMaxAnswer);
        }
        // An exact-size heap copy, so reading past the answer's end trips the sanitizer.
        const auto exact = std::make_unique<char[]>(answer.size());
        std::copy(answer.begin(), answer.end(), exact.get());
        parser.analyse(std::string_view(exact.get(), answer.size()));
        start = end + 1;
    }

    check(core.window.sent().empty());
    for (const auto& message : core.window.posted())
        check(isAllowedWindowPost(message));
    for (const auto& message : core.anlSend.posted())
        check(isAllowedThreadPost(message));
    for (std::size_t i = 0; i < kRadioFieldCount; ++i) {
        const auto field = static_cast<RadioField>(i);
        const auto value = radio.get(field);
        check(value >= radio.minimum(field) && value <= radio.maximum(field));
    }
    for (int record = 1; record <= RadioState::kKeyerRecordCount; ++record)
        check(radio.keyerText(record).size() <= RadioState::kKeyerTextMax);
    return 0;
}
