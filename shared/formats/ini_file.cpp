#include "shared/formats/ini_file.h"

#include <algorithm>
#include <cctype>
#include <vector>

#include "shared/platform/atomic_file.h"

namespace commo {

namespace {

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

// Where the key's line is in the first matching section, and the index just after that
// section's last non-blank line.
struct KeyPlace {
    std::optional<std::size_t> keyLine;
    std::optional<std::size_t> sectionEnd;
};

KeyPlace findKey(const std::vector<std::string_view>& lines, std::string_view section,
                 std::string_view key) {
    KeyPlace place;
    bool inSection = false;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (const auto opened = sectionOf(lines[i])) {
            if (inSection) return place;
            inSection = !place.sectionEnd && sameName(*opened, section);
            if (inSection) place.sectionEnd = i + 1;
            continue;
        }
        if (!inSection) continue;
        if (!trimmed(lines[i]).empty()) place.sectionEnd = i + 1;
        if (!place.keyLine && valueOf(lines[i], key)) place.keyLine = i;
    }
    return place;
}

// A line without its Windows line end, so rewritten files do not gain a second "\r".
std::string_view withoutCarriageReturn(std::string_view line) {
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    return line;
}

}  // namespace

std::optional<std::string> iniValue(std::string_view text, std::string_view section,
                                    std::string_view key) {
    const std::vector<std::string_view> lines = linesOf(text);
    const KeyPlace place = findKey(lines, section, key);
    if (!place.keyLine) return std::nullopt;
    return std::string(*valueOf(lines[*place.keyLine], key));
}

std::string withIniValue(std::string_view text, std::string_view section, std::string_view key,
                         std::string_view value) {
    const std::vector<std::string_view> old = linesOf(text);
    std::vector<std::string> lines;
    lines.reserve(old.size() + 2);
    for (const std::string_view line : old)
        lines.emplace_back(withoutCarriageReturn(line));

    // A line break in the value would end the line early and start a line of its own.
    value = value.substr(0, value.find_first_of("\r\n"));
    std::string setting = std::string(key) + "=" + std::string(value);
    const KeyPlace place = findKey(old, section, key);
    if (place.keyLine) {
        lines[*place.keyLine] = std::move(setting);
    } else if (place.sectionEnd) {
        lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(*place.sectionEnd),
                     std::move(setting));
    } else {
        lines.push_back("[" + std::string(section) + "]");
        lines.push_back(std::move(setting));
    }
    std::string joined;
    for (const std::string& line : lines)
        joined += line + "\r\n";
    return joined;
}

std::optional<std::string> readIniValue(const std::filesystem::path& file, std::string_view section,
                                        std::string_view key) {
    const std::optional<std::string> text = platform::readWholeFile(file);
    if (!text) return std::nullopt;
    return iniValue(*text, section, key);
}

IniWriteResult writeIniValue(const std::filesystem::path& file, std::string_view section,
                             std::string_view key, std::string_view value) {
    if (!platform::ensureDirectory(file.parent_path())) return {IniWriteFault::WriteFailed};
    const std::optional<std::string> old = platform::readWholeFile(file);
    if (!old && !platform::fileIsMissing(file)) return {IniWriteFault::Unreadable};
    const std::string text = withIniValue(old.value_or(std::string()), section, key, value);
    if (!platform::replaceFileAtomically(file, text)) return {IniWriteFault::WriteFailed};
    return {};
}

}  // namespace commo
