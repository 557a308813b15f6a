#pragma once

#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string_view>

namespace commo {

// One entry of the choice lists of the port and baud rate dialogs.
struct NamedNumber {
    std::string_view name;
    std::int32_t number;
};

inline constexpr std::array<NamedNumber, 20> kPortTable{{
    {"COM1", 1},   {"COM2", 2},   {"COM3", 3},   {"COM4", 4},   {"COM5", 5},
    {"COM6", 6},   {"COM7", 7},   {"COM8", 8},   {"COM9", 9},   {"COM10", 10},
    {"COM11", 11}, {"COM12", 12}, {"COM13", 13}, {"COM14", 14}, {"COM15", 15},
    {"COM16", 16}, {"COM17", 17}, {"COM18", 18}, {"COM19", 19}, {"COM20", 20},
}};

inline constexpr std::array<NamedNumber, 4> kBaudTable{{
    {"4800", 4800},
    {"9600", 9600},
    {"19200", 19200},
    {"38400", 38400},
}};

// The entry of `table` for `number`; nullptr when the table has none.
template <std::size_t N>
constexpr const NamedNumber* findNamedNumber(const std::array<NamedNumber, N>& table,
                                             std::int32_t number) {
    for (const NamedNumber& entry : table) {
        if (entry.number == number) return &entry;
    }
    return nullptr;
}

inline constexpr std::string_view kSettingsFileName = "CommSetting.csv";
// A second running instance keeps its settings apart from the first one's.
inline constexpr std::string_view kSecondInstanceSettingsFileName = "CommSettingTmp.csv";

// The port number, baud rate and one further stored value, and their file
// CommoFiles/CommSetting.csv ("port,baud,value\n"). The values are atomics: the port dialogs
// change them on the user interface thread while the serial threads read them.
class LinkSettings {
  public:
    static constexpr std::int32_t kDefaultPort = 1;
    static constexpr std::int32_t kDefaultBaud = 4800;
    static constexpr std::int32_t kDefaultStoredValue = 0;

    std::int32_t port() const { return port_.load(); }
    std::int32_t baud() const { return baud_.load(); }
    std::int32_t storedValue() const { return storedValue_.load(); }

    // A port of 1..20 is stored and reports true; anything else stores 1 and reports false.
    bool setPort(std::int32_t port);
    // A rate from kBaudTable is stored and reports true; anything else stores 4800 and
    // reports false.
    bool setBaud(std::int32_t baud);
    void setStoredValue(std::int32_t value) { storedValue_.store(value); }
    void resetToDefaults();

    // The settings file for the first or a second instance, or nothing when the path would
    // be too long.
    static std::optional<std::filesystem::path> filePath(const std::filesystem::path& workingDir,
                                                         bool secondInstance);

    // Too long a path: false, nothing changed. A file that cannot be opened: defaults and
    // false. Otherwise the first three cells in reading order go through setPort, setBaud
    // and setStoredValue (as far as the file has them) and the result is true.
    bool readFile(const std::filesystem::path& workingDir, bool secondInstance);

    // Creates CommoFiles when missing and replaces the file with "port,baud,value\n";
    // reports whether the new file is in place.
    bool writeFile(const std::filesystem::path& workingDir, bool secondInstance) const;

  private:
    std::atomic<std::int32_t> port_{kDefaultPort};
    std::atomic<std::int32_t> baud_{kDefaultBaud};
    std::atomic<std::int32_t> storedValue_{kDefaultStoredValue};
};

}  // namespace commo
