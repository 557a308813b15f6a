#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "tools/orvik-sim/key_formats.h"
#include "tools/orvik-sim/menu_values.h"

namespace orviksim {

inline constexpr std::string_view kRejected = "?;";
inline constexpr std::string_view kDefaultModel = "0244";
inline constexpr int kKeyerMemoryCount = 5;
inline constexpr std::size_t kKeyerTextLength = 50;
inline constexpr int kMemoryChannelCount = 504;

// What the radio sends back for one command: the reply to the command itself (empty for a
// set command, which is never acknowledged, and for anything ignored while switched off)
// and the auto-information reports of the changes the command made.
struct ModelOutput {
    std::string answer;
    std::vector<std::string> reports;
};

// The transceiver's state and its CAT behaviour, without any I/O or timing. State lives in
// a map from answer key (the answer letters plus the selector where the answer has one,
// "FA", "SQ0", "BP01") to the answer's parameter text; a set command of the same form as
// its answer is checked against the key's template and range and then stored. Menu items,
// keyer texts and memory channels have their own stores. Every answer produced decodes
// with the program's decoders. Not thread-safe: one owner drives it.
class RadioModel {
  public:
    explicit RadioModel(std::string_view model = kDefaultModel);

    // One framed command, two letters through ";".
    ModelOutput handle(std::string_view command);

    // Changes made by the radio itself (front panel, control interface). `key` is an
    // answer key ("FA", "MD0", "EX021", "KM2", "ID" ...; the alias "MODE" means "MD0" and
    // "FREQ" the frequency of the VFO in use); `value` is either the parameter text or a
    // number that is formatted into the key's field. Read-only keys may be changed here.
    // Reports for the change are appended to `reports` while auto-information is on.
    bool set(std::string_view key, std::string_view value, std::vector<std::string>& reports,
             std::string* error = nullptr);
    // The complete answer the key gives to a read ("FA14195000;"), or nothing.
    std::optional<std::string> answerFor(std::string_view key) const;

    bool powerOn() const { return power_; }
    void setPower(bool on);
    bool autoInformation() const;
    void setAutoInformation(bool on);
    bool setModel(std::string_view fourDigits);

    // The meter reading (0..255): the S meter and the reading of the selected meter.
    int meter() const { return meter_; }
    void setMeter(int value);
    // The periodic meter reports; empty unless switched on with auto-information on.
    std::vector<std::string> meterReports() const;
    // One step of the radio changing by itself: the frequency drifts, now and then the mode
    // changes, the meter moves. Returns the reports.
    std::vector<std::string> wander(std::mt19937& random);

  private:
    bool reporting() const;
    void report(std::string_view key, std::vector<std::string>& reports) const;
    bool storeParam(const KeyFormat& format, std::string_view param, bool fromCat,
                    std::vector<std::string>& reports);
    bool storeNumber(std::string_view key, std::int64_t value, std::vector<std::string>& reports);
    std::int64_t number(std::string_view key) const;
    std::string param(std::string_view key) const;
    std::string frequencyKey(bool operating) const;
    std::string infoAnswer(bool other) const;

    ModelOutput handleTable(std::string_view letters, std::string_view param);
    ModelOutput handleMenu(std::string_view param);
    ModelOutput handleKeyer(std::string_view param);
    ModelOutput handleMemoryRead(std::string_view param) const;
    ModelOutput handleMemoryWrite(std::string_view param);
    bool handleAction(std::string_view letters, std::string_view param, ModelOutput& out);
    void stepFrequency(std::string_view key, std::int64_t delta, std::vector<std::string>& reports);
    void shiftClarifier(std::int64_t newOffset, std::vector<std::string>& reports);

    // `typed`: the value comes from a person and may be the plain number.
    bool setMenu(int index, std::string_view value, bool typed, std::vector<std::string>& reports,
                 std::string* error);
    bool setKeyer(int record, std::string_view text, std::vector<std::string>& reports,
                  std::string* error);

    std::map<std::string, std::string, std::less<>> params_;
    std::array<std::string, kMenuSlotCount> menuValues_{};
    std::array<std::string, kKeyerMemoryCount + 1> keyerTexts_{};
    std::map<int, std::string> memories_;
    bool power_ = true;
    int meter_ = 0;
    std::int64_t clarifierOffset_ = 0;
    int wanderSteps_ = 0;
};

}  // namespace orviksim
