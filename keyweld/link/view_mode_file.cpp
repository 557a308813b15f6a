#include "keyweld/link/view_mode_file.h"

#include <algorithm>
#include <cctype>
#include <optional>
#include <string>
#include <vector>

#include "shared/formats/commo_files.h"
#include "shared/formats/csv_reader.h"
#include "shared/platform/atomic_file.h"

namespace keyweld {

namespace {

constexpr std::string_view kSection = "VIEW";
constexpr std::string_view kKey = "MODE";

std::string_view trimmed(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return text;
}

bool sameName(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::toupper(static_cast<unsigned char>(x)) ==
                      std::toupper(static_cast<unsigned char>(y));
           });
}

// The section a line opens, if it is a section header.
std::optional<std::string_view> sectionOf(std::string_view line) {
    line = trimmed(line);
    if (line.size() < 2 || line.front() != '[' || line.back() != ']') return std::nullopt;
    return trimmed(line.substr(1, line.size() - 2));
}

// The value of the line when it sets `key`.
std::optional<std::string_view> valueOf(std::string_view line, std::string_view key) {
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos || !sameName(trimmed(line.substr(0, equals)), key)) {
        return std::nullopt;
    }
    return trimmed(line.substr(equals + 1));
}

std::vector<std::string_view> linesOf(std::string_view text) {
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        lines.push_back(text.substr(0, end));
        if (end == std::string_view::npos) break;
        text.remove_prefix(end + 1);
    }
    return lines;
}

// Index of the line setting the key in the section, and the index after the section's last
// line; both npos-like (lines.size()) when absent.
struct KeyPlace {
    std::optional<std::size_t> keyLine;
    std::optional<std::size_t> sectionEnd;
};

KeyPlace findKey(const std::vector<std::string_view>& lines) {
    KeyPlace place;
    bool inSection = false;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (const auto section = sectionOf(lines[i])) {
            if (inSection) return place;
            inSection = sameName(*section, kSection);
            if (inSection) place.sectionEnd = i + 1;
            continue;
        }
        if (!inSection) continue;
        if (!trimmed(lines[i]).empty()) place.sectionEnd = i + 1;
        if (!place.keyLine && valueOf(lines[i], kKey)) place.keyLine = i;
    }
    return place;
}

}  // namespace

int readViewMode(const std::filesystem::path& workingDir) {
    const auto path = commo::commoFilePath(workingDir, kViewModeFileName);
    if (!path) return kDefaultViewMode;
    const std::optional<std::string> text = platform::readWholeFile(*path);
    if (!text) return kDefaultViewMode;
    const std::vector<std::string_view> lines = linesOf(*text);
    const KeyPlace place = findKey(lines);
    if (!place.keyLine) return kDefaultViewMode;
    const std::string_view value = *valueOf(lines[*place.keyLine], kKey);
    const int mode = commo::cellToInt(value);
    return mode >= kViewTag && mode <= kViewBoth ? mode : kDefaultViewMode;
}

bool writeViewMode(const std::filesystem::path& workingDir, int mode) {
    if (mode < kViewTag || mode > kViewBoth) return false;
    const auto path = commo::commoFilePath(workingDir, kViewModeFileName);
    if (!path || !platform::ensureDirectory(path->parent_path())) return false;
    const std::optional<std::string> read = platform::readWholeFile(*path);
    // Other programs' sections may be in an unreadable file; it is not started afresh over them.
    if (!read && !platform::fileIsMissing(*path)) return false;
    const std::string old = read.value_or(std::string());
    std::vector<std::string> lines;
    for (const std::string_view line : linesOf(old))
        lines.emplace_back(line);

    const std::string setting = std::string(kKey) + "=" + std::to_string(mode) + "\r";
    const KeyPlace place = findKey(linesOf(old));
    if (place.keyLine) {
        lines[*place.keyLine] = setting;
    } else if (place.sectionEnd) {
        lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(*place.sectionEnd), setting);
    } else {
        lines.push_back("[" + std::string(kSection) + "]\r");
        lines.push_back(setting);
    }
    std::string text;
    for (const std::string& line : lines)
        text += line + "\n";
    return platform::replaceFileAtomically(*path, text);
}

}  // namespace keyweld
