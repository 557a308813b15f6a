#include "panelink/net/rig_command.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string_view>
#include <vector>

namespace panelink::net {
namespace {

using A = ArgKind;

struct IntegerRange {
    ArgKind kind;
    std::int64_t minimum;
    std::int64_t maximum;
};

constexpr IntegerRange kIntegerRanges[] = {
    {A::Passband, -1, 1'000'000}, {A::PttState, 0, 3}, {A::SplitState, 0, 1},
    {A::PowerStatus, 0, 2},       {A::LockMode, 0, 1},
};

// Above any radio's range, far below where a double stops counting whole hertz.
constexpr double kMaxFrequencyHz = 1e12;
constexpr std::size_t kMaxTokenLength = 32;

// The documented extended-form prefixes; '+' keeps one record per line.
std::optional<ResponseForm> extendedForm(char prefix) {
    switch (prefix) {
        case '+':
            return ResponseForm{true, '\n'};
        case ';':
        case '|':
        case ',':
            return ResponseForm{true, prefix};
        default:
            return std::nullopt;
    }
}

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

// Printable ASCII and blanks only: a NUL or escape byte is never part of a command.
bool hasOnlyTextBytes(std::string_view line) {
    return std::all_of(line.begin(), line.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return isBlank(c) || (byte >= 0x20 && byte < 0x7f);
    });
}

std::vector<std::string_view> splitWords(std::string_view text) {
    std::vector<std::string_view> words;
    std::size_t at = 0;
    while (at < text.size()) {
        while (at < text.size() && isBlank(text[at]))
            ++at;
        const std::size_t start = at;
        while (at < text.size() && !isBlank(text[at]))
            ++at;
        if (at > start) words.push_back(text.substr(start, at - start));
    }
    return words;
}

std::optional<double> parseDecimal(std::string_view word) {
    double value = 0;
    const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
    if (error != std::errc() || end != word.data() + word.size() || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

std::optional<std::int64_t> parseInteger(std::string_view word) {
    std::int64_t value = 0;
    const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
    if (error != std::errc() || end != word.data() + word.size()) return std::nullopt;
    return value;
}

std::optional<Argument> parseFrequency(std::string_view word) {
    const auto hz = parseDecimal(word);
    if (!hz || *hz < 0 || *hz >= kMaxFrequencyHz) return std::nullopt;
    return Argument{static_cast<std::int64_t>(std::llround(*hz))};
}

std::optional<Argument> parseRangedInteger(ArgKind kind, std::string_view word) {
    const auto value = parseInteger(word);
    const auto* range = std::find_if(std::begin(kIntegerRanges), std::end(kIntegerRanges),
                                     [&](const IntegerRange& r) { return r.kind == kind; });
    if (!value || range == std::end(kIntegerRanges)) return std::nullopt;
    if (*value < range->minimum || *value > range->maximum) return std::nullopt;
    return Argument{*value};
}

// Letters, digits and '_' ("PKTUSB", "RFPOWER"), or "?" asking for the list.
std::optional<Argument> parseToken(std::string_view word) {
    if (word == "?") return Argument{std::string(word)};
    const bool wordChars = std::all_of(word.begin(), word.end(), [](char c) {
        return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
               c == '_';
    });
    if (!wordChars || word.size() > kMaxTokenLength) return std::nullopt;
    return Argument{std::string(word)};
}

std::optional<Argument> parseVfo(std::string_view word) {
    const auto vfo = vfoFromName(word);
    return vfo ? std::optional<Argument>(Argument{*vfo}) : std::nullopt;
}

std::optional<Argument> parseArgument(ArgKind kind, std::string_view word) {
    switch (kind) {
        case A::Frequency:
            return parseFrequency(word);
        case A::ModeName:
        case A::LevelName:
            return parseToken(word);
        case A::VfoName:
            return parseVfo(word);
        case A::LevelValue: {
            const auto value = parseDecimal(word);
            return value ? std::optional<Argument>(Argument{*value}) : std::nullopt;
        }
        case A::None:
            return std::nullopt;
        default:
            return parseRangedInteger(kind, word);
    }
}

std::size_t argumentCount(const CommandEntry& entry) {
    return static_cast<std::size_t>(std::count_if(entry.arguments.begin(), entry.arguments.end(),
                                                  [](ArgKind kind) { return kind != A::None; }));
}

ParseResult failure(ParseResult result, RigError error, std::string reason) {
    result.error = error;
    result.reason = std::move(reason);
    return result;
}

// The '?' list query stands alone: "M ?" carries no passband.
bool isListQuery(const CommandEntry& entry, const std::vector<std::string_view>& arguments) {
    return !arguments.empty() && arguments.front() == "?" &&
           (entry.arguments[0] == A::ModeName || entry.arguments[0] == A::LevelName);
}

ParseResult parseArguments(ParseResult result, const std::vector<std::string_view>& words) {
    const CommandEntry& entry = *result.command.entry;
    const std::vector<std::string_view> arguments(words.begin() + 1, words.end());
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        if (i > 0) result.command.argumentText += ' ';
        result.command.argumentText += arguments[i];
    }
    const std::size_t expected = isListQuery(entry, arguments) ? 1 : argumentCount(entry);
    if (arguments.size() != expected) {
        return failure(std::move(result), RigError::InvalidParameter,
                       arguments.size() < expected ? "missing argument" : "too many arguments");
    }
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        auto value = parseArgument(entry.arguments[i], arguments[i]);
        if (!value) {
            return failure(std::move(result), RigError::InvalidParameter,
                           "bad argument " + std::to_string(i + 1));
        }
        result.command.arguments[i] = std::move(*value);
    }
    return result;
}

}  // namespace

ParseResult parseRigCommand(std::string_view line) {
    ParseResult result;
    if (line.size() > kMaxLineLength) {
        return failure(std::move(result), RigError::InvalidParameter, "line too long");
    }
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    const auto first = line.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        result.blank = true;
        return result;
    }
    line.remove_prefix(first);
    if (const auto form = extendedForm(line.front())) {
        result.command.form = *form;
        line.remove_prefix(1);
    }
    if (!hasOnlyTextBytes(line)) {
        return failure(std::move(result), RigError::InvalidParameter, "control or non-ASCII byte");
    }
    const auto words = splitWords(line);
    if (words.empty()) return failure(std::move(result), RigError::InvalidParameter, "no command");
    result.command.entry = findCommand(words.front());
    if (result.command.entry == nullptr) {
        return failure(std::move(result), RigError::NotImplemented, "unknown command");
    }
    return parseArguments(std::move(result), words);
}

}  // namespace panelink::net
