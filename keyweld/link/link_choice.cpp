#include "keyweld/link/link_choice.h"

#include <algorithm>
#include <cctype>
#include <string>

#include "shared/formats/commo_files.h"
#include "shared/formats/csv_reader.h"
#include "shared/formats/link_settings.h"
#include "shared/platform/atomic_file.h"

namespace keyweld {

namespace {

bool isWholeNumber(std::string_view text) {
    text = commo::trimmedBlanks(text);
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) text.remove_prefix(1);
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

int baudFromText(std::string_view text) {
    text = commo::trimmedBlanks(text);
    for (const commo::NamedNumber& entry : commo::kBaudTable) {
        if (entry.name == text) return entry.number;
    }
    return commo::LinkSettings::kDefaultBaud;
}

}  // namespace

LinkChoice parseLinkChoice(std::string_view firstLine) {
    const commo::CsvTable table = commo::parseCsv(firstLine);
    if (table.rows.empty()) return {};
    const std::vector<std::string>& fields = table.rows.front();
    if (fields.size() < 2 || !isWholeNumber(fields[0])) return {};
    return {commo::cellToInt(fields[0]) - 1, baudFromText(fields[1])};
}

LinkChoice readLinkChoice(const std::filesystem::path& workingDir) {
    const auto path = commo::commoFilePath(workingDir, commo::kSettingsFileName);
    if (!path) return {};
    const std::optional<std::string> text = platform::readWholeFile(*path);
    if (!text) return {};
    const std::string_view all(*text);
    return parseLinkChoice(all.substr(0, all.find('\n')));
}

CommKSettings withLinkChoice(CommKSettings settings, const LinkChoice& choice) {
    if (choice.portIndex >= 0 && choice.portIndex < kPortChoices) {
        settings.portNo = choice.portIndex + 1;
    }
    settings.bitRate = choice.baud;
    settings.charSize = 8;
    settings.parity = platform::Parity::None;
    settings.stopBits = platform::StopBits::Two;
    settings.flowCtrl = platform::FlowControl::RtsCts;
    return settings;
}

}  // namespace keyweld
