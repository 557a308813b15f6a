// Arbitrary bytes as CommSetting.csv (or CommSettingTmp.csv, by the first byte). Loading must
// never crash, must leave a port and a baud rate of the dialogs' tables, and what is loaded,
// saved and loaded again must be what was loaded the first time.
#include <cstddef>
#include <cstdint>

#include "fuzz/loader_support.h"
#include "shared/formats/link_settings.h"

namespace {

struct Values {
    std::int32_t port;
    std::int32_t baud;
    std::int32_t stored;
    friend bool operator==(const Values&, const Values&) = default;
};

Values valuesOf(const commo::LinkSettings& settings) {
    return {settings.port(), settings.baud(), settings.storedValue()};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) return 0;
    const auto& dir = fuzz::scratch();
    const bool secondInstance = (data[0] & 1) != 0;
    const std::string_view name =
        secondInstance ? commo::kSecondInstanceSettingsFileName : commo::kSettingsFileName;
    dir.writeCommoFile(name, fuzz::textOf(data + 1, size - 1));

    commo::LinkSettings loaded;
    fuzz::require(loaded.readFile(dir.path(), secondInstance), "a readable file loads");
    fuzz::require(commo::findNamedNumber(commo::kPortTable, loaded.port()) != nullptr,
                  "the port is one of the table's");
    fuzz::require(commo::findNamedNumber(commo::kBaudTable, loaded.baud()) != nullptr,
                  "the baud rate is one of the table's");

    fuzz::require(loaded.writeFile(dir.path(), secondInstance), "the settings are saved");
    commo::LinkSettings again;
    fuzz::require(again.readFile(dir.path(), secondInstance), "the saved file loads");
    fuzz::require(valuesOf(again) == valuesOf(loaded), "saved and loaded again is the same");
    return 0;
}
