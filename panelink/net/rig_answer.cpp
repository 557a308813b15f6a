#include "panelink/net/rig_answer.h"

namespace panelink::net {
namespace {

std::string reportLine(RigError error) {
    return "RPRT " + std::to_string(code(error));
}

std::string echoRecord(const RigCommand& command) {
    std::string echo = std::string(command.entry->longName) + ":";
    if (!command.argumentText.empty()) echo += " " + command.argumentText;
    return echo;
}

std::string valueRecord(std::string_view key, const std::string& value) {
    return key.empty() ? value : std::string(key) + ": " + value;
}

std::string plainValues(std::span<const std::string> values) {
    std::string answer;
    for (const auto& value : values)
        answer += value + "\n";
    return answer;
}

std::string extendedAnswer(const RigCommand& command, std::span<const std::string> values,
                           RigError error) {
    const char separator = command.form.separator;
    std::string answer;
    // An unknown command has no long name to echo.
    if (command.entry != nullptr) answer += echoRecord(command) + separator;
    for (std::size_t i = 0; i < values.size(); ++i) {
        const bool keyed = command.entry != nullptr && i < kMaxValues;
        const auto key = keyed ? command.entry->valueKeys[i] : std::string_view();
        answer += valueRecord(key, values[i]) + separator;
    }
    return answer + reportLine(error) + "\n";
}

}  // namespace

std::string successAnswer(const RigCommand& command, std::span<const std::string> values) {
    if (command.form.extended) return extendedAnswer(command, values, RigError::Ok);
    // A set's "?" list query ("M ?") answers the list, then the report.
    const bool isGet = command.entry != nullptr && command.entry->kind == CommandKind::Get;
    std::string answer = plainValues(values);
    return isGet ? answer : answer + reportLine(RigError::Ok) + "\n";
}

std::string errorAnswer(const RigCommand& command, RigError error) {
    if (command.form.extended) return extendedAnswer(command, {}, error);
    return reportLine(error) + "\n";
}

}  // namespace panelink::net
