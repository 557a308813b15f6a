#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace commo {

// The programs' INI files: "[SECTION]" lines open sections, "KEY=VALUE" lines set keys.
// Section and key names match without regard to case; blanks around names and values and
// a Windows line end are ignored. Lines the reader does not understand are kept as they are
// when a value is written, so settings of other programs or versions survive.

// The value of the first line setting `key` in the first section named `section`.
std::optional<std::string> iniValue(std::string_view text, std::string_view section,
                                    std::string_view key);

// `text` with `key` in `section` set to `value`: the key's line is replaced where it is,
// else added after the section's last non-blank line, else a new section is added at the
// end. Lines end with "\r\n" as the files always have. A value is one line: it is cut at
// its first line break.
std::string withIniValue(std::string_view text, std::string_view section, std::string_view key,
                         std::string_view value);

// Reads a value from the file; nothing when the file is unreadable or the key is missing.
std::optional<std::string> readIniValue(const std::filesystem::path& file, std::string_view section,
                                        std::string_view key);

enum class IniWriteFault {
    None,
    // The file exists but could not be read (too large, a pipe, no permission): writing a
    // fresh file over it would lose what it holds.
    Unreadable,
    // The directory or the file could not be written.
    WriteFailed,
};

struct IniWriteResult {
    IniWriteFault fault = IniWriteFault::None;
    bool ok() const { return fault == IniWriteFault::None; }
};

// Sets one value in the file, creating it and its directory when missing, and replaces the
// file atomically.
IniWriteResult writeIniValue(const std::filesystem::path& file, std::string_view section,
                             std::string_view key, std::string_view value);

}  // namespace commo
