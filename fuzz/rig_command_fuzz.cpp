// Arbitrary lines into the rigctld protocol parser, each answered in the form it asked for.
// The input is cut into lines by the server's own line reader, in reads of varying size; a
// line it reports as too long is never longer than the limit it holds. The parser must never crash
// or trip a sanitizer; a parsed command must carry its table row and only arguments of its kinds;
// every answer must end in '\n' and, when it is an error, carry a report.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>
#include <variant>

#include "panelink/net/line_reader.h"
#include "panelink/net/rig_answer.h"
#include "panelink/net/rig_command.h"
#include "panelink/net/rig_modes.h"

namespace {

using namespace panelink::net;

void check(bool condition) {
    if (!condition) std::abort();
}

void checkParsed(const RigCommand& command) {
    check(command.entry != nullptr);
    for (std::size_t i = 0; i < kMaxArguments; ++i) {
        const bool expected = command.entry->arguments[i] != ArgKind::None;
        const bool present = !std::holds_alternative<std::monostate>(command.arguments[i]);
        // A "?" list query fills the first argument only.
        check(present == expected || (i > 0 && !present));
    }
}

void analyse(std::string_view line) {
    // An exact-size heap copy, so reading past the line's end trips the sanitizer.
    const auto exact = std::make_unique<char[]>(line.size());
    std::copy(line.begin(), line.end(), exact.get());
    const ParseResult result = parseRigCommand(std::string_view(exact.get(), line.size()));
    if (result.blank) return;
    if (!result.ok()) {
        const std::string answer = errorAnswer(result.command, result.error);
        check(answer.find("RPRT ") != std::string::npos && answer.back() == '\n');
        return;
    }
    checkParsed(result.command);
    if (result.command.entry->arguments[0] == ArgKind::ModeName) {
        if (const auto* name = std::get_if<std::string>(&result.command.arguments[0]))
            (void)radioModeFor(*name);
    }
    const std::string values[] = {"1", "2"};
    check(successAnswer(result.command, values).back() == '\n');
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view input(reinterpret_cast<const char*>(data), size);
    LineReader reader;
    const auto handler = [](LineReader::Event event, std::string_view line) {
        if (event == LineReader::Event::Line) analyse(line);
    };
    // The first byte sets the read size, so lines arrive split at every kind of place.
    const std::size_t chunk = input.empty() ? 1 : 1 + static_cast<unsigned char>(input.front());
    while (!input.empty()) {
        const std::size_t n = std::min(chunk, input.size());
        reader.feed(input.substr(0, n), handler);
        check(reader.pending() <= kMaxLineLength);
        input.remove_prefix(n);
    }
    return 0;
}
