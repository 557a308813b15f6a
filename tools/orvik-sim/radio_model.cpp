#include "tools/orvik-sim/radio_model.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

#include "tools/orvik-sim/param_pattern.h"
#include "tools/orvik-sim/radio_commands.h"

namespace orviksim {

namespace {

// Commands that act without a state of their own to report.
constexpr std::string_view kActionLetters[] = {"AB", "AM", "BD", "BU", "CH", "ED", "EU",
                                               "FK", "KY", "QI", "QR", "QS", "RC", "RD",
                                               "RU", "SV", "VM", "MA", "MK", "HM", "VV"};

// Frequency a band selection tunes to, by "BS" number; 0 leaves the frequency alone.
constexpr std::int64_t kBandFrequency[] = {1840000,  3550000,  5357000,  7050000,
                                           10120000, 14195000, 18100000, 21200000,
                                           24940000, 28500000, 50150000, 0};

constexpr std::int64_t kMinFrequency = 30000;
constexpr std::int64_t kMaxFrequency = 60000000;
constexpr std::int64_t kMaxClarifier = 9999;
constexpr std::int64_t kDialStep = 10;

constexpr std::string_view kMemoryPattern = "DDDDDDDDDDDSDDDDBBHDDDDD";

std::string upper(std::string_view text) {
    std::string result(text);
    for (auto& c : result)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return result;
}

bool isPlainParam(std::string_view param) {
    return std::all_of(param.begin(), param.end(), [](char c) {
        return (c >= '0' && c <= '9') || isUpperLetter(c) || c == '+' || c == '-';
    });
}

ModelOutput rejected() {
    return ModelOutput{std::string(kRejected), {}};
}

}  // namespace

RadioModel::RadioModel(std::string_view model) {
    for (const auto& row : keyFormats())
        params_.emplace(row.key, row.initial);
    setModel(model);
    for (int index = 1; index < kMenuSlotCount; ++index) {
        const auto& rule = menuItem(index);
        if (!rule.exAddressable()) continue;
        menuValues_[static_cast<std::size_t>(index)] =
            encodeMenuValue(rule, rule.initial).value_or(std::string());
    }
    for (auto& text : keyerTexts_)
        text.assign(kKeyerTextLength, ' ');
}

bool RadioModel::setModel(std::string_view fourDigits) {
    if (!parseParam("DDDD", fourDigits)) return false;
    params_["ID"] = std::string(fourDigits);
    return true;
}

bool RadioModel::autoInformation() const {
    return param("AI") == "1";
}

void RadioModel::setAutoInformation(bool on) {
    params_["AI"] = on ? "1" : "0";
}

void RadioModel::setPower(bool on) {
    power_ = on;
    // Auto-information does not survive switching off; the program switches it on again.
    if (!on) setAutoInformation(false);
}

bool RadioModel::reporting() const {
    return power_ && autoInformation();
}

void RadioModel::report(std::string_view key, std::vector<std::string>& reports) const {
    if (!reporting()) return;
    if (auto text = answerFor(key)) reports.push_back(std::move(*text));
}

std::string RadioModel::param(std::string_view key) const {
    const auto found = params_.find(key);
    return found == params_.end() ? std::string() : found->second;
}

std::int64_t RadioModel::number(std::string_view key) const {
    const auto* format = findKeyFormat(key);
    if (format == nullptr) return 0;
    const auto parsed = parseParam(format->pattern, param(key));
    return parsed ? parsed->value : 0;
}

std::string RadioModel::frequencyKey(bool operating) const {
    const bool onB = param("VS") == "1";
    return (operating != onB) ? "FA" : "FB";
}

std::string RadioModel::infoAnswer(bool other) const {
    // Memory channel, frequency, clarifier offset, receive and transmit clarifier, mode,
    // VFO/memory (always VFO here), tone mode, tone number, repeater shift.
    const char side = other ? '1' : '0';
    std::string text = other ? "OI" : "IF";
    text += param("MC");
    text += param(frequencyKey(!other));
    text += formatParam("SDDDD", clarifierOffset_).value_or("+0000");
    text += param("RT");
    text += "0";
    text += param(std::string("MD") + side);
    text += "0";
    text += param(std::string("CT") + side);
    text += param(std::string("CN") + side);
    text += param(std::string("OS") + side);
    text += ";";
    return text;
}

std::optional<std::string> RadioModel::answerFor(std::string_view key) const {
    const std::string name = upper(key);
    if (name == "IF" || name == "OI") return infoAnswer(name == "OI");
    if (name == "PS") return std::string("PS") + (power_ ? "1;" : "0;");
    if (name.size() == 5 && name.starts_with("EX")) {
        const auto index = parseParam("DDD", std::string_view(name).substr(2));
        if (!index || !menuItem(static_cast<int>(index->value)).exAddressable()) return {};
        return name + menuValues_[static_cast<std::size_t>(index->value)] + ";";
    }
    if (name.size() == 3 && name.starts_with("KM")) {
        const auto record = parseParam("D", std::string_view(name).substr(2));
        if (!record || record->value < 1 || record->value > kKeyerMemoryCount) return {};
        return name + keyerTexts_[static_cast<std::size_t>(record->value)] + ";";
    }
    if (findKeyFormat(name) == nullptr) return {};
    return name + param(name) + ";";
}

bool RadioModel::storeParam(const KeyFormat& format, std::string_view text, bool fromCat,
                            std::vector<std::string>& reports) {
    const auto parsed = parseParam(format.pattern, text);
    if (!parsed) return false;
    if (parsed->value < format.min || parsed->value > format.max) {
        // A momentary action (for example a lock variant) is accepted and stores nothing.
        return fromCat && parsed->value > format.max && parsed->value <= format.momentaryMax;
    }
    auto& stored = params_[std::string(format.key)];
    if (stored == parsed->text) return true;
    stored = parsed->text;
    if (format.key == "AI") return true;  // switching reports on or off is not itself reported
    // The program takes the frequency of a VFO switch from the last "IF" it has seen.
    if (format.key == "VS") report("IF", reports);
    report(format.key, reports);
    if (format.key == "BS") {
        const auto band = static_cast<std::size_t>(parsed->value);
        if (kBandFrequency[band] != 0)
            storeNumber(frequencyKey(true), kBandFrequency[band], reports);
    }
    return true;
}

bool RadioModel::storeNumber(std::string_view key, std::int64_t value,
                             std::vector<std::string>& reports) {
    const auto* format = findKeyFormat(key);
    if (format == nullptr) return false;
    const auto text = formatParam(format->pattern, value);
    return text && storeParam(*format, *text, false, reports);
}

ModelOutput RadioModel::handle(std::string_view command) {
    const bool wellFormed = command.size() >= 3 && command.back() == ';' &&
                            isUpperLetter(command[0]) && isUpperLetter(command[1]);
    const auto letters = command.substr(0, 2);
    // Switched off, the radio hears nothing but the power command.
    if (!power_ && !(wellFormed && letters == "PS")) return {};
    if (!wellFormed) return rejected();
    const auto rest = command.substr(2, command.size() - 3);

    if (letters == "PS") {
        ModelOutput out;
        if (rest.empty()) {
            out.answer = *answerFor("PS");
        } else if (rest == "0" || rest == "1") {
            setPower(rest == "1");
        } else if (power_) {
            out = rejected();
        }
        return out;
    }

    if (letters == "IF" || letters == "OI") {
        return rest.empty() ? ModelOutput{infoAnswer(letters == "OI"), {}} : rejected();
    }
    if (letters == "EX") return handleMenu(rest);
    if (letters == "KM") return handleKeyer(rest);
    if (letters == "MR") return handleMemoryRead(rest);
    if (letters == "MW") return handleMemoryWrite(rest);
    ModelOutput out;
    if (handleAction(letters, rest, out)) return out;
    return handleTable(letters, rest);
}

ModelOutput RadioModel::handleTable(std::string_view letters, std::string_view rest) {
    const KeyFormat* first = nullptr;
    for (const auto& row : keyFormats()) {
        if (row.key.substr(0, 2) != letters) continue;
        if (first == nullptr) first = &row;
        // Reads: the key exactly, or the letters alone for the first key of those letters.
        if (row.key.substr(2) == rest || (rest.empty() && first == &row)) {
            return ModelOutput{*answerFor(row.key), {}};
        }
    }
    if (first == nullptr) return rejected();
    for (const auto& row : keyFormats()) {
        const auto selector = row.key.substr(2);
        if (row.key.substr(0, 2) != letters || !rest.starts_with(selector)) continue;
        const auto text = rest.substr(selector.size());
        if (text.size() != row.pattern.size()) continue;
        ModelOutput out;
        if (!row.catWritable || !storeParam(row, text, true, out.reports)) {
            return rejected();
        }
        return out;
    }
    return rejected();
}

ModelOutput RadioModel::handleMenu(std::string_view rest) {
    if (rest.size() < 3) return rejected();
    const auto index = parseParam("DDD", rest.substr(0, 3));
    if (!index || !menuItem(static_cast<int>(index->value)).exAddressable()) return rejected();
    if (rest.size() == 3) return ModelOutput{*answerFor(std::string("EX") + index->text), {}};
    ModelOutput out;
    if (!setMenu(static_cast<int>(index->value), rest.substr(3), false, out.reports, nullptr)) {
        return rejected();
    }
    return out;
}

bool RadioModel::setMenu(int index, std::string_view value, bool typed,
                         std::vector<std::string>& reports, std::string* error) {
    const auto& rule = menuItem(index);
    if (!rule.exAddressable()) {
        if (error != nullptr) *error = "no such menu item";
        return false;
    }
    auto field = acceptMenuValue(rule, value);
    if (!field && typed && rule.kind != kKindText) {
        // People may type the number itself ("set EX065 2047").
        if (const auto number = parseInteger(value)) field = encodeMenuValue(rule, *number);
    }
    if (!field) {
        if (error != nullptr) *error = "value does not fit the menu item";
        return false;
    }
    auto& stored = menuValues_[static_cast<std::size_t>(index)];
    if (stored == *field) return true;
    stored = *field;
    char key[6];
    std::snprintf(key, sizeof key, "EX%03d", index);
    report(key, reports);
    return true;
}

ModelOutput RadioModel::handleKeyer(std::string_view rest) {
    if (rest.empty()) return rejected();
    const auto record = parseParam("D", rest.substr(0, 1));
    if (!record || record->value < 1 || record->value > kKeyerMemoryCount) return rejected();
    if (rest.size() == 1) return ModelOutput{*answerFor(std::string("KM") + rest[0]), {}};
    ModelOutput out;
    if (!setKeyer(static_cast<int>(record->value), rest.substr(1), out.reports, nullptr)) {
        return rejected();
    }
    return out;
}

bool RadioModel::setKeyer(int record, std::string_view text, std::vector<std::string>& reports,
                          std::string* error) {
    if (record < 1 || record > kKeyerMemoryCount) {
        if (error != nullptr) *error = "keyer memories are 1 to 5";
        return false;
    }
    auto normalised = normaliseRadioText(text);
    if (!normalised || normalised->size() > kKeyerTextLength) {
        if (error != nullptr) *error = "keyer text: up to 50 printable characters, no ';'";
        return false;
    }
    normalised->resize(kKeyerTextLength, ' ');
    auto& stored = keyerTexts_[static_cast<std::size_t>(record)];
    if (stored == *normalised) return true;
    stored = std::move(*normalised);
    report(std::string("KM") + static_cast<char>('0' + record), reports);
    return true;
}

ModelOutput RadioModel::handleMemoryRead(std::string_view rest) const {
    const auto channel = parseParam("DDD", rest);
    if (!channel) return rejected();
    // An empty channel gives no "MR" answer: that is how the program learns it is free.
    const auto found = memories_.find(static_cast<int>(channel->value));
    if (found == memories_.end()) return rejected();
    return ModelOutput{"MR" + found->second + ";", {}};
}

ModelOutput RadioModel::handleMemoryWrite(std::string_view rest) {
    // Channel, frequency, offset sign and magnitude, receive and transmit clarifier, mode,
    // memory state, tone mode, tone number, shift: the layout of the "IF" answer.
    const auto all = parseParam(kMemoryPattern, rest);
    if (!all) return rejected();
    const auto field = [&](std::size_t at, std::size_t width) {
        return parseParam(kMemoryPattern.substr(at, width), all->text.substr(at, width))->value;
    };
    const auto channel = field(0, 3);
    const auto frequency = field(3, 8);
    const bool fits = channel >= 1 && channel <= kMemoryChannelCount &&
                      frequency >= kMinFrequency && frequency <= kMaxFrequency &&
                      field(18, 1) <= 12 && field(19, 1) <= 5 && field(20, 1) <= 2 &&
                      field(21, 2) <= 49 && field(23, 1) <= 2;
    if (!fits) return rejected();
    memories_[static_cast<int>(channel)] = all->text;
    return {};
}

bool RadioModel::handleAction(std::string_view letters, std::string_view rest, ModelOutput& out) {
    const auto* action = std::find(std::begin(kActionLetters), std::end(kActionLetters), letters);
    if (action == std::end(kActionLetters)) return false;
    const auto length = setCommandLength(letters);
    if (!length || static_cast<int>(rest.size()) + 3 != *length || !isPlainParam(rest)) {
        out = rejected();
        return true;
    }
    auto& reports = out.reports;
    if (letters == "AB") {
        storeNumber("FB", number("FA"), reports);
    } else if (letters == "SV") {
        const auto a = number("FA");
        storeNumber("FA", number("FB"), reports);
        storeNumber("FB", a, reports);
    } else if (letters == "ED" || letters == "EU") {
        // Main (0) or sub (1) dial, steps of 10 Hz; dial 2 turns nothing modelled here.
        const auto dial = parseParam("D", rest.substr(0, 1));
        const auto steps = parseParam("DD", rest.substr(1));
        if (!dial || !steps || dial->value > 2) {
            out = rejected();
        } else if (dial->value < 2) {
            const auto delta = steps->value * kDialStep * (letters == "ED" ? -1 : 1);
            stepFrequency(frequencyKey(dial->value == 0), delta, reports);
        }
    } else if (letters == "RD" || letters == "RU") {
        const auto amount = parseParam("DDDD", rest);
        if (!amount) {
            out = rejected();
        } else {
            shiftClarifier(clarifierOffset_ + amount->value * (letters == "RD" ? -1 : 1), reports);
        }
    } else if (letters == "RC") {
        shiftClarifier(0, reports);
    }
    return true;
}

void RadioModel::stepFrequency(std::string_view key, std::int64_t delta,
                               std::vector<std::string>& reports) {
    const auto target = std::clamp(number(key) + delta, kMinFrequency, kMaxFrequency);
    storeNumber(key, target, reports);
}

void RadioModel::shiftClarifier(std::int64_t newOffset, std::vector<std::string>& reports) {
    newOffset = std::clamp(newOffset, -kMaxClarifier, kMaxClarifier);
    if (newOffset == clarifierOffset_) return;
    clarifierOffset_ = newOffset;
    report("IF", reports);
}

bool RadioModel::set(std::string_view key, std::string_view value,
                     std::vector<std::string>& reports, std::string* error) {
    auto fail = [error](const char* why) {
        if (error != nullptr) *error = why;
        return false;
    };
    std::string name = upper(key);
    if (name == "MODE") name = "MD0";
    if (name == "FREQ") name = frequencyKey(true);
    if (name.size() == 5 && name.starts_with("EX")) {
        const auto index = parseParam("DDD", std::string_view(name).substr(2));
        if (!index) return fail("menu keys are EX001 to EX067");
        return setMenu(static_cast<int>(index->value), value, true, reports, error);
    }
    if (name.size() == 3 && name.starts_with("KM")) {
        const auto record = parseParam("D", std::string_view(name).substr(2));
        if (!record) return fail("keyer keys are KM1 to KM5");
        return setKeyer(static_cast<int>(record->value), value, reports, error);
    }
    if (name == "PS") {
        if (value != "0" && value != "1") return fail("power is 0 or 1");
        setPower(value == "1");
        return true;
    }
    const auto* format = findKeyFormat(name);
    if (format == nullptr) return fail("unknown key");
    std::string text(value);
    if (const auto n = parseInteger(value); n && patternHasValue(format->pattern)) {
        const auto formatted = formatParam(format->pattern, *n);
        if (!formatted) return fail("value does not fit");
        text = *formatted;
    }
    if (!storeParam(*format, text, false, reports)) return fail("value out of range");
    return true;
}

void RadioModel::setMeter(int value) {
    meter_ = std::clamp(value, 0, 255);
    const auto text = formatParam("DDD", meter_).value_or("000");
    params_["SM0"] = text;
    params_[std::string("RM") + param("MS")] = text;
}

std::vector<std::string> RadioModel::meterReports() const {
    if (!reporting()) return {};
    std::vector<std::string> reports{"SM0" + param("SM0") + ";"};
    const std::string selected = std::string("RM") + param("MS");
    if (auto text = answerFor(selected)) reports.push_back(std::move(*text));
    return reports;
}

std::vector<std::string> RadioModel::wander(std::mt19937& random) {
    std::vector<std::string> reports;
    if (!power_) return reports;
    std::uniform_int_distribution<int> steps(-20, 20);
    stepFrequency(frequencyKey(true), steps(random) * 50, reports);
    constexpr int kModeEvery = 8;
    if (++wanderSteps_ % kModeEvery == 0) {
        storeNumber("MD0", number("MD0") % 5 + 1, reports);
    }
    std::uniform_int_distribution<int> meterStep(-40, 40);
    setMeter(meter_ + meterStep(random));
    return reports;
}

}  // namespace orviksim
